// The Today screen's scrolled column of items and its scroll bar.
#include "host/todayhost/item_column.h"

#include <climits>

#include "host/todayhost/host_layout.h"
#include "host/todayhost/screen_window.h"
#include "host/todayhost/scroll_view.h"
#include "host/todayhost/text_util.h"

namespace {

// Stacks the items, scrolled, at the width the scroll bar leaves them (the
// whole width when withBar is off, as a reload makes them).
void LayOutItems(ColumnView* view, const HostedItems& items, bool withBar) {
  DWORD heights[MaxItemEntries];
  ItemHeights(items, heights);
  const SIZE client = ClientSizeOf(view->screen);
  ColumnLayout column;
  LayOutColumn(heights, items.count, client.cy, view->scroll, &column);
  view->scroll = column.offset;
  bool showBar = withBar && column.scrolls && view->bar;
  int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  int width = client.cx - (showBar ? barWidth : 0);
  if (showBar) {
    SCROLLINFO bar = {sizeof(bar), SIF_RANGE | SIF_PAGE | SIF_POS, 0, column.total - 1, 0, 0, 0};
    bar.nPage = static_cast<UINT>(client.cy);
    bar.nPos = column.offset;
    SetScrollInfo(view->bar, SB_CTL, &bar, TRUE);
    SetWindowPos(view->bar, HWND_TOP, width, 0, barWidth, client.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  } else if (view->bar) {
    ShowWindow(view->bar, SW_HIDE);
  }
  for (int i = 0; i < items.count; ++i)
    SetWindowPos(ItemWindow(items, i), nullptr, 0, column.tops[i], width,
                 LimitedItemHeight(heights[i]), SWP_NOZORDER | SWP_NOACTIVATE);
  view->itemsWidth = width;
  view->viewHeight = client.cy;
  // Every item's background is the screen's at its place, which moved or
  // was stretched anew: all of them repaint, not only what a move exposed.
  RedrawWindow(view->screen, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Lays the items out until their width holds still: when the scroll bar
// comes or goes, the items get another width and are asked again at once.
void SettleLayout(ColumnView* view, HostedItems* items) {
  for (int round = 0; round < 3; ++round) {
    int before = view->itemsWidth;
    LayOutItems(view, *items, true);
    if (view->itemsWidth == before || !AskItemHeights(items, ScreenDensity())) return;
  }
}

void ScrollTo(ColumnView* view, const HostedItems& items, int offset) {
  if (offset == view->scroll) return;
  view->scroll = offset;
  LayOutItems(view, items, true);
}

// The view as it stands on the screen the items were laid out for last (a
// turned screen has its new size already).
ViewAnchor CurrentAnchor(const ColumnView& view, const HostedItems& items) {
  DWORD heights[MaxItemEntries];
  ItemHeights(items, heights);
  return AnchorOfView(heights, items.count, view.viewHeight, view.scroll);
}

void ScrollToAnchor(ColumnView* view, const HostedItems& items, ViewAnchor anchor) {
  DWORD heights[MaxItemEntries];
  ItemHeights(items, heights);
  ScrollTo(view, items,
           OffsetOfAnchor(heights, items.count, ClientSizeOf(view->screen).cy, anchor));
}

}  // namespace

bool CreateColumnBar(ColumnView* view, HWND screen) {
  view->screen = screen;
  view->scroll = 0;
  view->heldName[0] = 0;
  view->bar = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, 0, 0, 0, 0, screen,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  return view->bar != nullptr;
}

void ForgetColumnBar(ColumnView* view) {
  view->bar = nullptr;
  view->screen = nullptr;
}

void NoteItemsWidth(ColumnView* view, int width) { view->itemsWidth = width; }

bool RefreshColumn(ColumnView* view, HostedItems* items, bool force) {
  bool changed = AskItemHeights(items, ScreenDensity()) || force;
  if (changed && view->screen) SettleLayout(view, items);
  return changed;
}

void FollowScreenSize(ColumnView* view, HostedItems* items) {
  ViewAnchor anchor = CurrentAnchor(*view, *items);
  LayOutItems(view, *items, false);
  AskItemHeights(items, ScreenDensity());
  SettleLayout(view, items);
  ScrollToAnchor(view, *items, anchor);
}

void ShowColumnItem(ColumnView* view, const HostedItems& items, int index) {
  if (index < 0 || index >= items.count) return;
  view->heldName[0] = 0;
  DWORD heights[MaxItemEntries];
  ItemHeights(items, heights);
  ColumnLayout column;
  const int viewHeight = ClientSizeOf(view->screen).cy;
  LayOutColumn(heights, items.count, viewHeight, view->scroll, &column);
  int top = column.tops[index] + column.offset;
  ScrollTo(view, items,
           OffsetShowing(column.offset, top, LimitedItemHeight(heights[index]), viewHeight,
                         column.maxOffset));
}

void ScrollColumnToEnd(ColumnView* view, const HostedItems& items, int direction) {
  view->heldName[0] = 0;
  ScrollTo(view, items, direction > 0 ? INT_MAX / 2 : 0);
}

void OnColumnBar(ColumnView* view, const HostedItems& items, WPARAM request) {
  view->heldName[0] = 0;
  SCROLLINFO bar = {sizeof(bar), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(view->bar, SB_CTL, &bar);
  int maxOffset = bar.nMax - static_cast<int>(bar.nPage) + 1;
  ScrollTo(view, items,
           OffsetAfterBar(LOWORD(request), bar.nTrackPos, view->scroll, 16 * ScreenDensity() / 96,
                          ClientSizeOf(view->screen).cy, maxOffset));
  // The keys stay with the screen after the stylus let go of the bar.
  if (LOWORD(request) == SB_ENDSCROLL && GetFocus() == view->bar) SetFocus(view->screen);
}

void HoldViewForReload(ColumnView* view, const HostedItems& items) {
  if (view->heldName[0]) return;  // a view not found again at the last reload is still held
  ViewAnchor anchor = CurrentAnchor(*view, items);
  if (anchor.item < 0) return;
  CopyText(view->heldName, MAX_ITEMNAME, ItemName(items, anchor.item));
  view->heldRows = anchor.rowsAbove;
  view->heldAtEnd = anchor.atEnd;
}

void RestoreHeldView(ColumnView* view, const HostedItems& items) {
  int index = FindItemNamed(items, view->heldName[0] ? view->heldName : nullptr);
  if (index < 0) return;
  view->heldName[0] = 0;
  ScrollToAnchor(view, items, {index, view->heldRows, view->heldAtEnd});
}
