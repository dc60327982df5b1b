// The Today screen's column of items and its vertical scroll bar, as pure
// arithmetic: where each item lies for a scroll offset, whether the bar is
// needed, how far a key, a selection or the bar scrolls.
#pragma once
#include <windows.h>

#include "host/todayhost/item_entries.h"

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
