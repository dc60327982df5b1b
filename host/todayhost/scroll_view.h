// The Today screen's column of items and its vertical scroll bar, as pure
// arithmetic: where each item lies for a scroll offset, whether the bar is
// needed, how far a key, a selection or the bar scrolls.
#pragma once
#include <windows.h>

#include "host/todayhost/item_order.h"

struct ColumnLayout {
  int tops[MaxItemEntries];  // each item's top on the screen, scrolled
  int total;                 // the column's height
  int maxOffset;             // 0 when the column fits the screen
  int offset;                // the scroll offset, kept within 0..maxOffset
  bool scrolls;              // taller than the screen: the bar shows
};

// Stacks count items (heights as the items reported them) on a screen
// viewHeight rows tall, scrolled down by offset.
void LayOutColumn(const DWORD* heights, int count, int viewHeight, int offset, ColumnLayout* out);

// The offset that brings the item at top..top+height (column coordinates)
// into view with as little movement as possible; an item taller than the
// screen shows its top.
int OffsetShowing(int offset, int top, int height, int viewHeight, int maxOffset);

// The offset after a scroll bar request (SB_LINEUP, SB_PAGEDOWN,
// SB_THUMBTRACK with its track position, ...); line is one step's rows.
int OffsetAfterBar(int request, int trackPosition, int offset, int line, int viewHeight,
                   int maxOffset);

// Where the view stands in the column: the item at its top row, how many of
// that item's rows lie above the screen, and whether the view shows the
// column's end; item -1 for an empty column.
struct ViewAnchor {
  int item;
  int rowsAbove;
  bool atEnd;
};
ViewAnchor AnchorOfView(const DWORD* heights, int count, int viewHeight, int offset);

// The offset that puts the anchor's item back at the view's top as far in
// as before (never past its last row), within the column's range; a view
// that showed the column's end shows it again as far as the item stays in
// view. The item stays in view however the heights or the screen changed.
int OffsetOfAnchor(const DWORD* heights, int count, int viewHeight, ViewAnchor anchor);
