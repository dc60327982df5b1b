// Page heights: stored, natural (measured in the item window's fonts), and
// the item's total that the Today shell is told.
#include "item/host/layout.h"

#include <windows.h>

#include "item/host/page_hooks.h"
#include "item/settings/fonts.h"
#include "item/settings/item_settings.h"
#include "item/settings/saturating.h"

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

int CalendarNaturalHeight(int lineHeight, int scaledTwo, int marginTop, int marginBottom) {
  int rows = SaturatingMul(7, SaturatingSub(lineHeight, scaledTwo));
  return SaturatingAdd(SaturatingAdd(rows, marginTop), marginBottom);
}

static int WithMargins(int height) {
  return SaturatingAdd(SaturatingAdd(height, ItemSettings.MarginTop), ItemSettings.MarginBottom);
}

int NaturalHeight(int kind) {
  if (kind == PageKindLauncher) return LauncherNaturalHeight(ItemWindow);
  HDC dc = GetDC(ItemWindow);
  if (!dc) return 0;
  const ItemSettingsRecord& s = ItemSettings;
  int height = 0;
  switch (kind) {
    case PageKindWireless: height = WithMargins(MeasureLineHeight(dc, s.Wireless.Font)); break;
    case PageKindTime: height = WithMargins(MeasureLineHeight(dc, s.Time.Font1)); break;
    case PageKindDate: {
      int first = MeasureLineHeight(dc, s.Date.Font1);
      int second = MeasureLineHeight(dc, s.Date.Font2);
      height = WithMargins(first > second ? first : second);
      break;
    }
    case PageKindCalendar:
      height = CalendarNaturalHeight(MeasureLineHeight(dc, s.Calendar.Font), ScaleByDpi(2),
                                     s.MarginTop, s.MarginBottom);
      break;
    case PageKindSysInfo:
      height =
          WithMargins(SaturatingAdd(MeasureLineHeight(dc, s.SysInfo.Font), BatteryImageHeight()));
      break;
    default: break;
  }
  ReleaseDC(ItemWindow, dc);
  return height;
}

static int StoredHeightOfKind(int kind) {
  const ItemSettingsRecord& s = ItemSettings;
  switch (kind) {
    case PageKindWireless: return s.Wireless.Height;
    case PageKindTime: return s.Time.Height;
    case PageKindDate: return s.Date.Height;
    case PageKindCalendar: return s.Calendar.Height;
    case PageKindLauncher: return s.Launcher.Height;
    case PageKindSysInfo: return s.SysInfo.Height;
    default: return 0;
  }
}

int PageHeight(int position) {
  if (position < 0 || position >= PageKindCount) return 0;
  const PageRecord& record = ItemSettings.PageTable[position];
  if (!record.Visible || record.PageKind < 1 || record.PageKind > PageKindCount) return 0;
  int height = StoredHeightOfKind(record.PageKind);
  return height != -1 ? height : NaturalHeight(record.PageKind);
}

void StorePageHeights() {
  for (int i = 0; i < PageKindCount; ++i) ItemSettings.PageTable[i].Height = PageHeight(i);
}

int ItemHeight() {
  int heights[PageKindCount];
  for (int i = 0; i < PageKindCount; ++i) heights[i] = PageHeight(i);
  return ItemHeightOf(heights, ItemSettings.FixedPageCount, ScaleLength(20, ScreenDpiY()));
}
