// The item window's own state, in the library's static storage.
#pragma once
#include <windows.h>

// Pointer tracking between a press and its release; client coordinates.
struct DragState {
  int Dragging;
  int Moved;
  int StartX;
  int StartY;
  int CurrentX;
  int CurrentY;
  int DoublePress;  // the press was a double-click: never moved, its release is a double tap too
};

struct HostState {
  int Selected;             // the shell's keyboard selection is on the item
  COLORREF HighlightColor;  // asked from the shell at creation
  HMENU SettingsMenu;
  UINT_PTR TimerId;  // kept, never used again
  DragState Drag;
  int LaidOutWidth;  // the client width the launcher and the page heights were made for
};

extern HostState Host;

constexpr UINT_PTR ItemTimerId = 1;
constexpr UINT ItemTimerPeriod = 1000;
constexpr UINT SettingsCommand = 1006;
