// The pointer state machine: idle -> pressed -> moved -> released.
#include "item/host/pointer.h"

#include <cstdlib>

#include "item/host/host_state.h"
#include "item/host/paging.h"
#include "item/host/paint.h"
#include "item/host/taps.h"
#include "item/settings/item_settings.h"
#include "platform/gesture.h"

static bool ShowSettingsMenu(HWND window, int x, int y) {
  SHRGINFO gesture = {};
  gesture.cbSize = sizeof(gesture);
  gesture.hwndClient = window;
  gesture.ptDown.x = x;
  gesture.ptDown.y = y;
  gesture.dwFlags = SHRG_RETURNCMD;
  if (SHRecognizeGesture(&gesture) != GN_CONTEXTMENU) return false;
  POINT screen = {x, y};
  ClientToScreen(window, &screen);
  if (Host.SettingsMenu)
    TrackPopupMenuEx(Host.SettingsMenu, 0, screen.x, screen.y, window, nullptr);
  return true;
}

// A press starts tracking the pointer. A double-click press does the same,
// so a second quick flick pages as the first did; never moved, its release
// is the double tap as well.
static void BeginPress(HWND window, int x, int y, bool doublePress) {
  DragState& d = Host.Drag;
  d.DoublePress = 0;
  if (ShowSettingsMenu(window, x, y)) return;
  d.StartX = d.CurrentX = x;
  d.StartY = d.CurrentY = y;
  d.Moved = 0;
  d.DoublePress = doublePress ? 1 : 0;
  if (ItemSettings.PagingCount > 0) d.Dragging = 1;
  SetCapture(window);
}

void OnPointerDown(HWND window, int x, int y) { BeginPress(window, x, y, false); }

void OnPointerDoubleClick(HWND window, int x, int y) { BeginPress(window, x, y, true); }

void OnPointerMove(HWND window, int x, int y) {
  DragState& d = Host.Drag;
  if (!d.Dragging || ItemSettings.PagingCount <= 0) return;
  d.CurrentX = x;
  d.CurrentY = y;
  if (std::abs(x - d.StartX) > TapTravel) d.Moved = 1;
  HoldDragFrames();
  InvalidateRect(window, nullptr, FALSE);
}

// The press captures the pointer, so a release can arrive from anywhere on
// the screen: only one over the item is a tap on it.
static bool OverItem(HWND window, int x, int y) {
  RECT client = {};
  POINT point = {x, y};
  return GetClientRect(window, &client) && PtInRect(&client, point);
}

void OnPointerUp(HWND window, int x, int y) {
  DragState& d = Host.Drag;
  int dx = d.CurrentX - d.StartX;
  if (IsSwipe(dx)) CurrentPage = dx < 0 ? NextPagingPage(CurrentPage) : PrevPagingPage(CurrentPage);
  d.StartX = d.StartY = d.CurrentX = d.CurrentY = 0;
  d.Dragging = 0;
  const bool doubleTap = d.DoublePress != 0;
  d.DoublePress = 0;
  ReleaseDragFrames();
  InvalidateRect(window, nullptr, FALSE);
  ReleaseCapture();
  if (d.Moved || !OverItem(window, x, y)) return;
  if (doubleTap) HitTestTap(x, y, true);
  HitTestTap(x, y, false);
}
