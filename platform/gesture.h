// SHRecognizeGesture of the CE shell: tells a tap-and-hold from a tap.
#pragma once
#include <windows.h>

typedef struct tagSHRGI {
  DWORD cbSize;
  HWND hwndClient;
  POINT ptDown;  // client coordinates of hwndClient
  DWORD dwFlags;
} SHRGINFO, *PSHRGINFO;
#ifndef _WIN64
static_assert(sizeof(SHRGINFO) == 20, "the device's 32-bit SHRGINFO");
#endif

#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define GN_CONTEXTMENU 1000

// Hold time and move tolerance of the recogniser.
constexpr DWORD GestureHoldMs = 500;
constexpr int GestureTolerance = 5;

// Tracks the pointer while the left button stays down: held for the hold time
// without moving beyond the tolerance answers GN_CONTEXTMENU; released or moved
// earlier, 0 at once. With the button not physically down, 0 without waiting.
DWORD WINAPI SHRecognizeGesture(SHRGINFO* info);

// The decision alone, for a button state, a travel and the time held.
enum class GestureStep { Continue, Cancel, Hold };
GestureStep JudgeGesture(bool buttonDown, int dx, int dy, DWORD heldMs);
