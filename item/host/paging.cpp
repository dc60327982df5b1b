// Paging through the shared slot, and the swipe and tap rules.
#include "item/host/paging.h"

#include <cstdlib>

#include "item/host/item_window.h"

int CurrentPage = 0;

namespace {
bool Shown(const PageRecord* table, int position) {
  return position >= 0 && position < PageKindCount && table[position].Visible;
}
}  // namespace

int NextPagingPageIn(const PageRecord* table, int fixedCount, int pagingCount, int position) {
  if (fixedCount >= PageKindCount) return 0;
  if (fixedCount < 0) fixedCount = 0;
  auto step = [&](int q) {
    return q + 1 >= PageKindCount || q + 1 < fixedCount ? fixedCount : q + 1;
  };
  int q = step(position);
  // At most one lap: with PagingCount > 0 some paging record is visible.
  for (int lap = 0; pagingCount > 0 && !Shown(table, q) && lap < PageKindCount; ++lap) q = step(q);
  return q;
}

int PrevPagingPageIn(const PageRecord* table, int fixedCount, int pagingCount, int position) {
  if (fixedCount >= PageKindCount) return 0;
  if (fixedCount < 0) fixedCount = 0;
  auto step = [&](int q) {
    return q - 1 < fixedCount || q - 1 >= PageKindCount ? PageKindCount - 1 : q - 1;
  };
  int q = step(position);
  for (int lap = 0; pagingCount > 0 && !Shown(table, q) && lap < PageKindCount; ++lap) q = step(q);
  return q;
}

// The first visible paging position, found as a step forward finds it, so a
// hidden page never opens the slot. Without a visible paging page the slot
// keeps the first paging position, which paints and starts nothing.
int FirstPagingPageIn(const PageRecord* table, int fixedCount, int pagingCount) {
  if (pagingCount <= 0 || fixedCount < 0 || fixedCount >= PageKindCount) return fixedCount;
  return NextPagingPageIn(table, fixedCount, pagingCount, fixedCount - 1);
}

bool IsSwipeFor(int dx, int width) {
  long long distance = std::llabs(static_cast<long long>(dx));
  return distance > width / 4;
}

bool TapAllowedFor(int tapType, bool doubleTap) {
  if (tapType == 1) return !doubleTap;
  if (tapType == 2) return doubleTap;
  return false;  // 0, and anything the tool never writes
}

int FirstPagingPage() {
  const ItemSettingsRecord& s = ItemSettings;
  return FirstPagingPageIn(s.PageTable, s.FixedPageCount, s.PagingCount);
}

int NextPagingPage(int position) {
  const ItemSettingsRecord& s = ItemSettings;
  return NextPagingPageIn(s.PageTable, s.FixedPageCount, s.PagingCount, position);
}

int PrevPagingPage(int position) {
  const ItemSettingsRecord& s = ItemSettings;
  return PrevPagingPageIn(s.PageTable, s.FixedPageCount, s.PagingCount, position);
}

bool IsSwipe(int dx) {
  RECT client = {};
  if (ItemWindow) GetClientRect(ItemWindow, &client);
  return IsSwipeFor(dx, client.right - client.left);
}

bool TapAllowed(bool doubleTap) { return TapAllowedFor(ItemSettings.TapType, doubleTap); }
