// The page table of the item's six kinds of page: for each PageKind the steps
// the item window's life calls, so the host reaches every page the same way
// by walking this table. A page plugs in by its module record alone.
#pragma once
#include <windows.h>

#include "item/pages/page_frame.h"
#include "item/pages/time_texts.h"

struct PageModule {
  // The item window is created: the page's per-window state goes back to
  // empty (Reset, for every page first), then the page takes its first
  // readings (Create, once the settings and the state images are loaded).
  void (*Reset)(HWND itemWindow);
  void (*Create)(HWND itemWindow);
  // The once-a-second refresh; true when something the page shows changed.
  bool (*Tick)(const TickMoment& moment);
  // The height a stored Height of -1 asks for, measured on the item window's dc.
  int (*NaturalHeight)(HDC dc, const RECT& client);
  void (*Paint)(HDC dc, const PageFrame& frame);
  // A tap at x (window coordinates) and y (from the page top); allowed says
  // whether TapType lets this tap start a page's target. Writes the target
  // to start into target, or an empty text.
  void (*Tap)(const PageFrame& frame, int x, int y, bool allowed, wchar_t* target, int capacity);
  // The item window goes: what the page holds for the window's life is freed.
  void (*Release)();
};

// The module of that kind; null outside 1..6.
const PageModule* PageModuleOf(int kind);

// Each page's record, defined beside its painter.
extern const PageModule WirelessPageModule;
extern const PageModule TimePageModule;
extern const PageModule DatePageModule;
extern const PageModule CalendarPageModule;
extern const PageModule LauncherPageModule;
extern const PageModule SysInfoPageModule;

// The tap of a page with one target: its OnClick, when TapType allows the tap.
void TapOnClick(const wchar_t* onClick, bool allowed, wchar_t* target, int capacity);
