// Page heights: stored, natural (measured in the item window's fonts), and
// the item's total that the Today shell is told.
#include "item/host/layout.h"

#include <windows.h>

#include "item/host/item_window.h"
#include "item/pages/page_modules.h"
#include "item/settings/fonts.h"
#include "item/settings/item_settings.h"
#include "item/settings/page_table.h"
#include "item/settings/saturating.h"

void LoadItemSettings() {
  ReadItemSettings();
  StorePageHeights();
}

void StorePageHeights() {
  for (int i = 0; i < PageKindCount; ++i) ItemSettings.PageTable[i].Height = PageHeight(i);
}

int ItemHeightOf(const int* heights, int fixedCount, int minimum) {
  int fixed = 0;
  int paging = 0;
  bool anyPaging = false;
  for (int i = 0; i < PageKindCount; ++i) {
    if (i < fixedCount) {
      fixed = SaturatingAdd(fixed, heights[i]);
    } else if (!anyPaging || heights[i] > paging) {
      paging = heights[i];
      anyPaging = true;
    }
  }
  int total = SaturatingAdd(fixed, paging);
  return total < minimum ? minimum : total;
}

int NaturalHeight(int kind) {
  const PageModule* page = PageModuleOf(kind);
  if (!page || !page->NaturalHeight) return 0;
  RECT client = {};
  if (ItemWindow) GetClientRect(ItemWindow, &client);
  HDC dc = GetDC(ItemWindow);
  if (!dc) return 0;
  const int height = page->NaturalHeight(dc, client);
  ReleaseDC(ItemWindow, dc);
  return height;
}

int PageHeight(int position) {
  if (position < 0 || position >= PageKindCount) return 0;
  const PageRecord& record = ItemSettings.PageTable[position];
  if (!record.Visible || record.PageKind < 1 || record.PageKind > PageKindCount) return 0;
  int height = StoredHeightOfKind(record.PageKind);
  return height != -1 ? height : NaturalHeight(record.PageKind);
}

int ItemHeight() {
  int heights[PageKindCount];
  for (int i = 0; i < PageKindCount; ++i) heights[i] = PageHeight(i);
  return ItemHeightOf(heights, ItemSettings.FixedPageCount, ScaleLength(20, ScreenDpiY()));
}
