// The keyboard selection's moves between the Today screen's items.
#include "host/todayhost/selection.h"

#include "host/todayhost/item_order.h"

int SelectionDirection(UINT vk) {
  if (vk == VK_DOWN) return 1;
  if (vk == VK_UP) return -1;
  return 0;
}

bool NavigationLeavesItem(UINT vk, bool handled) { return !handled && SelectionDirection(vk) != 0; }

int StepSelection(int current, int delta, const bool* selectable, int count) {
  if (count <= 0 || delta == 0) return current >= 0 && current < count ? current : -1;
  int step = delta > 0 ? 1 : -1;
  int next = current >= 0 && current < count ? current + step : (step > 0 ? 0 : count - 1);
  while (next >= 0 && next < count && !selectable[next]) next += step;
  return next >= 0 && next < count ? next : -1;
}

int PassSelection(int current, int direction, const DWORD* selectability, int count,
                  SelectionOffer offer, void* context) {
  if (count <= 0 || direction == 0) return -1;
  if (count > MaxItemEntries) count = MaxItemEntries;
  bool selectable[MaxItemEntries];
  for (int i = 0; i < count; ++i) selectable[i] = selectability[i] != 0;
  // Each step moves strictly on, so the walk ends at either end.
  for (int next = StepSelection(current, direction, selectable, count); next >= 0;
       next = StepSelection(next, direction, selectable, count)) {
    if (selectability[next] != SelectableWithMessages) return next;
    if (offer && offer(next, context)) return next;
  }
  return -1;
}
