// The items on the Today screen: stacked in a column by the heights they
// report, scrolled, at the width the scroll bar leaves them, and the bar
// along the screen's right edge that scrolls them. The view is the screen's
// record of it, handed in with the items it lays out.
#pragma once
#include <windows.h>

#include "host/todayhost/hosted_items.h"

struct ColumnView {
  HWND screen;     // the window the items stand in
  HWND bar;        // its vertical bar, shown while the column is taller
  int scroll;      // rows of the column scrolled above the screen
  int itemsWidth;  // the width the items were given last
  int viewHeight;  // the screen's height they were laid out for last
  // Across a reload the view is held by the item at its top (by entry name)
  // until a reload finds it again or the user moves the view.
  wchar_t heldName[MAX_ITEMNAME];
  int heldRows;
  bool heldAtEnd;
};

// Makes the screen's scroll bar (hidden until the column is taller) and
// starts the column at the top.
bool CreateColumnBar(ColumnView* column, HWND screen);
// The bar went with its screen.
void ForgetColumnBar(ColumnView* column);

// The items were (re)made this wide.
void NoteItemsWidth(ColumnView* column, int width);

// Asks every item its height; lays the column out again when one changed
// (or when force is set) until the items' width holds still. True when the
// layout changed.
bool RefreshColumn(ColumnView* column, HostedItems* items, bool force);

// The screen took another size: the items are laid out at its whole width
// and asked their heights, as after a reload, and the view keeps the item
// that was at its top.
void FollowScreenSize(ColumnView* column, HostedItems* items);

// Scrolls so the item at index is in view; the user moved the view.
void ShowColumnItem(ColumnView* column, const HostedItems& items, int index);
// Scrolls to the column's end (direction > 0) or its top; the user moved it.
void ScrollColumnToEnd(ColumnView* column, const HostedItems& items, int direction);
// A request of the scroll bar (WM_VSCROLL's wParam).
void OnColumnBar(ColumnView* column, const HostedItems& items, WPARAM request);

// The view is held by the item at its top before a reload, and found again
// after it.
void HoldViewForReload(ColumnView* column, const HostedItems& items);
void RestoreHeldView(ColumnView* column, const HostedItems& items);
