// RefreshTick: the once-a-second refresh. It rebuilds what the pages show and
// invalidates the item window only when something shown changed: once a
// minute for the clock and dates, and whenever a state or SysInfo text moves.
#include <cwchar>

#include "item/host/page_hooks.h"
#include "item/pages/time_format.h"
#include "item/pages/time_source.h"
#include "item/pages/time_texts.h"
#include "item/settings/item_settings.h"

namespace {

// The system default locale, as the device formats its clock.
constexpr LCID ClockLocale = 0x800;
// The platform calls write up to this many units; the slots are smaller.
constexpr int FormatScratch = 260;

bool SameMinute(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute;
}

// Step 1: the clock in the Time page's picture; empty for an empty picture
// or when the platform refuses.
void FormatClock(const SYSTEMTIME& now, wchar_t* scratch) {
  const wchar_t* picture = TimePicture(ItemSettings.Time.TimeFormat);
  if (!picture[0]) return;
  if (GetTimeFormatW(ClockLocale, 0, &now, picture, scratch, FormatScratch) == 0) scratch[0] = 0;
}

// One date text: the picture when there is one, else the locale's long date.
void FormatDate(const SYSTEMTIME& now, const wchar_t* storedPicture, wchar_t* slot, int capacity) {
  wchar_t picture[FormatSlot] = {};
  StoreText(picture, FormatSlot, storedPicture);  // a stored text may lack its terminator
  wchar_t scratch[FormatScratch] = {};
  const int done =
      picture[0]
          ? GetDateFormatW(ClockLocale, 0, &now, picture, scratch, FormatScratch)
          : GetDateFormatW(ClockLocale, DATE_LONGDATE, &now, nullptr, scratch, FormatScratch);
  if (done == 0) scratch[0] = 0;
  StoreText(slot, capacity, scratch);  // longer dates are cut to the slot
}

bool SysInfoPageVisible() {
  const int position = FindPageOfKind(PageKindSysInfo);
  return position >= 0 && position < PageKindCount && ItemSettings.PageTable[position].Visible != 0;
}

void InvalidateItem() {
  if (ItemWindow) InvalidateRect(ItemWindow, nullptr, FALSE);
}

}  // namespace

void RefreshTick(int force) {
  TimeTextsForWindow(ItemWindow);

  SYSTEMTIME now = {};
  ItemLocalTime(&now);

  wchar_t scratch[FormatScratch] = {};
  FormatClock(now, scratch);
  // A new minute shows in the clock text; the minute itself is compared too,
  // so an empty clock picture still moves the dates and the month on.
  const bool newMinute = force != 0 || TextDiffers(TimeTexts.TimeText, TimeTextSlot, scratch) ||
                         !SameMinute(now, TimeTexts.LastMinute);

  if (newMinute) RefreshMonthGrid(now);

  bool changed = ReadAlarmState();
  changed = RefreshSystemState() || changed;
  changed = TakeAnnouncedStateChange() || changed;

  if (SysInfoPageVisible()) changed = RefreshSysInfoTexts() || changed;

  if (newMinute) {
    StoreText(TimeTexts.TimeText, TimeTextSlot, scratch);
    FormatDate(now, ItemSettings.Date.Format1, TimeTexts.DateText1, DateTextSlot);
    FormatDate(now, ItemSettings.Date.Format2, TimeTexts.DateText2, DateTextSlot);
    TimeTexts.LastMinute = now;
    InvalidateItem();
  } else if (changed) {
    InvalidateItem();
  }
}
