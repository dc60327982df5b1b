// The Today screen's scrolled column.
#include "host/todayhost/scroll_view.h"

#include "host/todayhost/host_layout.h"

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

void LayOutColumn(const DWORD* heights, int count, int viewHeight, int offset, ColumnLayout* out) {
  if (count < 0) count = 0;
  if (count > MaxItemEntries) count = MaxItemEntries;
  if (viewHeight < 0) viewHeight = 0;
  out->total = StackItems(heights, count, out->tops);
  out->scrolls = out->total > viewHeight;
  out->maxOffset = out->scrolls ? out->total - viewHeight : 0;
  out->offset = Clamp(offset, 0, out->maxOffset);
  for (int i = 0; i < count; ++i) out->tops[i] -= out->offset;
}

int OffsetShowing(int offset, int top, int height, int viewHeight, int maxOffset) {
  int wanted = offset;
  if (top + height > offset + viewHeight) wanted = top + height - viewHeight;
  if (top < wanted) wanted = top;
  return Clamp(wanted, 0, maxOffset < 0 ? 0 : maxOffset);
}

int OffsetAfterBar(int request, int trackPosition, int offset, int line, int viewHeight,
                   int maxOffset) {
  int page = viewHeight > line ? viewHeight - line : line;
  int wanted = offset;
  switch (request) {
    case SB_LINEUP:
      wanted = offset - line;
      break;
    case SB_LINEDOWN:
      wanted = offset + line;
      break;
    case SB_PAGEUP:
      wanted = offset - page;
      break;
    case SB_PAGEDOWN:
      wanted = offset + page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      wanted = trackPosition;
      break;
    case SB_TOP:
      wanted = 0;
      break;
    case SB_BOTTOM:
      wanted = maxOffset;
      break;
    default:
      break;
  }
  return Clamp(wanted, 0, maxOffset < 0 ? 0 : maxOffset);
}

ViewAnchor AnchorOfView(const DWORD* heights, int count, int viewHeight, int offset) {
  ColumnLayout column;
  LayOutColumn(heights, count, viewHeight, offset, &column);
  count = count < 0 ? 0 : count > MaxItemEntries ? MaxItemEntries : count;
  const bool atEnd = column.scrolls && column.offset == column.maxOffset;
  for (int i = 0; i < count; ++i) {
    int top = column.tops[i] + column.offset;
    if (top + LimitedItemHeight(heights[i]) > column.offset) return {i, column.offset - top, atEnd};
  }
  return {count - 1, 0, atEnd};
}

int OffsetOfAnchor(const DWORD* heights, int count, int viewHeight, ViewAnchor anchor) {
  ColumnLayout column;
  LayOutColumn(heights, count, viewHeight, 0, &column);
  if (anchor.item < 0 || anchor.item >= count || anchor.item >= MaxItemEntries) return 0;
  int height = LimitedItemHeight(heights[anchor.item]);
  int lastRow = column.tops[anchor.item] + (height > 0 ? height - 1 : 0);
  if (anchor.atEnd) return Clamp(lastRow, 0, column.maxOffset);
  int rows = Clamp(anchor.rowsAbove, 0, height > 0 ? height - 1 : 0);
  return Clamp(column.tops[anchor.item] + rows, 0, column.maxOffset);
}
