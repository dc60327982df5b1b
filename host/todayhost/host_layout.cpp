// Pure arithmetic of the Today screen's items.
#include "host/todayhost/host_layout.h"

int LimitedItemHeight(DWORD cyp) {
  return cyp > static_cast<DWORD>(MaxItemHeight) ? MaxItemHeight : static_cast<int>(cyp);
}

int StackItems(const DWORD* heights, int count, int* tops) {
  int y = 0;
  for (int i = 0; i < count; ++i) {
    tops[i] = y;
    // count is small (MaxItemEntries) so y stays far below INT_MAX.
    y += LimitedItemHeight(heights[i]);
  }
  return y;
}
