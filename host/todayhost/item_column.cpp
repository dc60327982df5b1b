// The Today screen's scrolled column of items and its scroll bar.
#include "host/todayhost/item_column.h"

#include <climits>

#include "host/todayhost/host_layout.h"
#include "host/todayhost/hosted_items.h"
#include "host/todayhost/screen_turn.h"
#include "host/todayhost/scroll_view.h"
#include "host/todayhost/text_util.h"

namespace {

int g_scroll;                      // rows of the column scrolled above the screen
int g_itemsWidth;                  // the width the items were given last
int g_viewHeight;                  // the screen's height they were laid out for last
HWND g_scrollBar;                  // the screen's vertical bar, shown while the column is taller
wchar_t g_heldName[MAX_ITEMNAME];  // the item the view is held by across reloads
int g_heldRows;
bool g_heldAtEnd;

SIZE ClientSize(HWND screen) {
  RECT rc = {};
  GetClientRect(screen, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

// Stacks the items, scrolled, at the width the scroll bar leaves them (the
// whole width when withBar is off, as a reload makes them).
void LayOutItems(HWND screen, bool withBar) {
  DWORD heights[MaxItemEntries];
  ItemHeights(heights);
  const SIZE client = ClientSize(screen);
  ColumnLayout column;
  LayOutColumn(heights, HostItemCount(), client.cy, g_scroll, &column);
  g_scroll = column.offset;
  bool showBar = withBar && column.scrolls && g_scrollBar;
  int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  int width = client.cx - (showBar ? barWidth : 0);
  if (showBar) {
    SCROLLINFO bar = {sizeof(bar), SIF_RANGE | SIF_PAGE | SIF_POS, 0, column.total - 1, 0, 0, 0};
    bar.nPage = static_cast<UINT>(client.cy);
    bar.nPos = column.offset;
    SetScrollInfo(g_scrollBar, SB_CTL, &bar, TRUE);
    SetWindowPos(g_scrollBar, HWND_TOP, width, 0, barWidth, client.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  } else if (g_scrollBar) {
    ShowWindow(g_scrollBar, SW_HIDE);
  }
  for (int i = 0; i < HostItemCount(); ++i)
    SetWindowPos(HostItemWindow(i), nullptr, 0, column.tops[i], width,
                 LimitedItemHeight(heights[i]), SWP_NOZORDER | SWP_NOACTIVATE);
  g_itemsWidth = width;
  g_viewHeight = client.cy;
  // Every item's background is the screen's at its place, which moved or
  // was stretched anew: all of them repaint, not only what a move exposed.
  RedrawWindow(screen, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Lays the items out until their width holds still: when the scroll bar
// comes or goes, the items get another width and are asked again at once.
void SettleLayout(HWND screen) {
  for (int round = 0; round < 3; ++round) {
    int before = g_itemsWidth;
    LayOutItems(screen, true);
    if (g_itemsWidth == before || !AskItemHeights(ScreenDensity())) return;
  }
}

void ScrollTo(HWND screen, int offset) {
  if (offset == g_scroll) return;
  g_scroll = offset;
  LayOutItems(screen, true);
}

// The view as it stands on the screen the items were laid out for last (a
// turned screen has its new size already).
ViewAnchor CurrentAnchor() {
  DWORD heights[MaxItemEntries];
  ItemHeights(heights);
  return AnchorOfView(heights, HostItemCount(), g_viewHeight, g_scroll);
}

void ScrollToAnchor(HWND screen, ViewAnchor anchor) {
  DWORD heights[MaxItemEntries];
  ItemHeights(heights);
  ScrollTo(screen, OffsetOfAnchor(heights, HostItemCount(), ClientSize(screen).cy, anchor));
}

}  // namespace

bool CreateColumnBar(HWND screen) {
  g_scroll = 0;
  g_heldName[0] = 0;
  g_scrollBar = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, 0, 0, 0, 0, screen,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  return g_scrollBar != nullptr;
}

void ForgetColumnBar() { g_scrollBar = nullptr; }

void NoteItemsWidth(int width) { g_itemsWidth = width; }

bool RefreshColumn(HWND screen, bool force) {
  bool changed = AskItemHeights(ScreenDensity()) || force;
  if (changed && screen) SettleLayout(screen);
  return changed;
}

void FollowScreenSize(HWND screen) {
  ViewAnchor anchor = CurrentAnchor();
  LayOutItems(screen, false);
  AskItemHeights(ScreenDensity());
  SettleLayout(screen);
  ScrollToAnchor(screen, anchor);
}

void ShowColumnItem(HWND screen, int index) {
  if (index < 0 || index >= HostItemCount()) return;
  g_heldName[0] = 0;
  DWORD heights[MaxItemEntries];
  ItemHeights(heights);
  ColumnLayout column;
  const int viewHeight = ClientSize(screen).cy;
  LayOutColumn(heights, HostItemCount(), viewHeight, g_scroll, &column);
  int top = column.tops[index] + column.offset;
  ScrollTo(screen, OffsetShowing(column.offset, top, LimitedItemHeight(heights[index]), viewHeight,
                                 column.maxOffset));
}

void ScrollColumnToEnd(HWND screen, int direction) {
  g_heldName[0] = 0;
  ScrollTo(screen, direction > 0 ? INT_MAX / 2 : 0);
}

void OnColumnBar(HWND screen, WPARAM request) {
  g_heldName[0] = 0;
  SCROLLINFO bar = {sizeof(bar), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(g_scrollBar, SB_CTL, &bar);
  int maxOffset = bar.nMax - static_cast<int>(bar.nPage) + 1;
  ScrollTo(screen, OffsetAfterBar(LOWORD(request), bar.nTrackPos, g_scroll,
                                  16 * ScreenDensity() / 96, ClientSize(screen).cy, maxOffset));
  // The keys stay with the screen after the stylus let go of the bar.
  if (LOWORD(request) == SB_ENDSCROLL && GetFocus() == g_scrollBar) SetFocus(screen);
}

void HoldViewForReload() {
  if (g_heldName[0]) return;  // a view not found again at the last reload is still held
  ViewAnchor anchor = CurrentAnchor();
  if (anchor.item < 0) return;
  CopyText(g_heldName, MAX_ITEMNAME, HostItemName(anchor.item));
  g_heldRows = anchor.rowsAbove;
  g_heldAtEnd = anchor.atEnd;
}

void RestoreHeldView(HWND screen) {
  int index = FindItemNamed(g_heldName[0] ? g_heldName : nullptr);
  if (index < 0) return;
  g_heldName[0] = 0;
  ScrollToAnchor(screen, {index, g_heldRows, g_heldAtEnd});
}
