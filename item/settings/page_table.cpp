// The page table: six records, sorted by Order, split into fixed and paging positions.
#include "item/settings/page_table.h"

#include "item/settings/saturating.h"

void ResetPageTable(PageRecord* table) {
  for (int i = 0; i < PageKindCount; ++i) table[i] = PageRecord{i + 1, i, 1, 0};
}

void SortPageTable(PageRecord* table) {
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (int i = 0; i + 1 < PageKindCount; ++i) {
      if (table[i].Order > table[i + 1].Order) {
        PageRecord moved = table[i];
        table[i] = table[i + 1];
        table[i + 1] = moved;
        exchanged = true;
      }
    }
  }
}

int CountPagingPages(const PageRecord* table, int fixedCount) {
  int count = 0;
  for (int i = fixedCount < 0 ? 0 : fixedCount; i < PageKindCount; ++i)
    if (table[i].Visible) ++count;
  return count;
}

int FindPageOfKindIn(const PageRecord* table, int kind) {
  for (int i = 0; i < PageKindCount; ++i)
    if (table[i].PageKind == kind) return i;
  return -1;
}

int FindPageOfKind(int kind) { return FindPageOfKindIn(ItemSettings.PageTable, kind); }

bool PageVisible(int kind) {
  const int position = FindPageOfKind(kind);
  return position >= 0 && position < PageKindCount && ItemSettings.PageTable[position].Visible != 0;
}

int WithMargins(int height) {
  return SaturatingAdd(SaturatingAdd(height, ItemSettings.MarginTop), ItemSettings.MarginBottom);
}

int StoredHeightOfKind(int kind) {
  const ItemSettingsRecord& s = ItemSettings;
  const int heights[PageKindCount] = {s.Wireless.Height, s.Time.Height,     s.Date.Height,
                                      s.Calendar.Height, s.Launcher.Height, s.SysInfo.Height};
  return kind >= 1 && kind <= PageKindCount ? heights[kind - 1] : 0;
}
