// Pure arithmetic of the Today screen.
#include "host/todayhost/host_layout.h"

#include "platform/today.h"

int StackItems(const DWORD* heights, int count, int* tops) {
  int y = 0;
  for (int i = 0; i < count; ++i) {
    tops[i] = y;
    DWORD h = heights[i] > static_cast<DWORD>(MaxItemHeight) ? MaxItemHeight : heights[i];
    // count is small (MaxItemEntries) so y stays far below INT_MAX.
    y += static_cast<int>(h);
  }
  return y;
}

int StepSelection(int current, int delta, const bool* selectable, int count) {
  if (count <= 0 || delta == 0) return current >= 0 && current < count ? current : -1;
  int step = delta > 0 ? 1 : -1;
  int next = current >= 0 && current < count ? current + step : (step > 0 ? 0 : count - 1);
  while (next >= 0 && next < count && !selectable[next]) next += step;
  return next >= 0 && next < count ? next : -1;
}

COLORREF TodayColor(DWORD id) {
  switch (id) {
    case TODAYCOLOR_HIGHLIGHT:
      return RGB(0x31, 0x6A, 0xC5);
    case TODAYCOLOR_HIGHLIGHTEDTEXT:
      return RGB(0xFF, 0xFF, 0xFF);
    case TODAYCOLOR_TEXT:
      return RGB(0x00, 0x00, 0x00);
    default:
      return RGB(0x00, 0x00, 0x00);
  }
}

// From a mid blue at the top to a night blue at the bottom: the item's default
// white texts stand out on it as on the stock theme.
COLORREF WatermarkColorAt(int y, int hostHeight) {
  if (hostHeight < 2) hostHeight = 2;
  if (y < 0) y = 0;
  if (y >= hostHeight) y = hostHeight - 1;
  const int top[3] = {0x2B, 0x4F, 0x8E}, bottom[3] = {0x0B, 0x1A, 0x3A};
  int c[3];
  for (int k = 0; k < 3; ++k) c[k] = top[k] + (bottom[k] - top[k]) * y / (hostHeight - 1);
  return RGB(c[0], c[1], c[2]);
}
