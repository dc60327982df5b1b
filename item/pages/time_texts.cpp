// The clock and date texts: when a refresh makes them again, and how.
#include "item/pages/time_texts.h"

#include "item/pages/time_format.h"
#include "item/pages/time_source.h"
#include "item/settings/bounded_text.h"
#include "item/settings/item_settings.h"

TimeDateTexts TimeTexts = {};

namespace {

bool SameMinute(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute;
}

// The device formats its clock and dates in the system's default locale.
// An empty picture, or a platform that refuses, leaves the clock empty.
void FormatClock(const SYSTEMTIME& now, wchar_t* scratch) {
  const wchar_t* picture = TimePicture(ItemSettings.Time.TimeFormat);
  if (!picture[0]) return;
  if (GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &now, picture, scratch, FormatScratch) == 0)
    scratch[0] = 0;
}

// One date text: the picture when there is one, else the locale's long date.
void FormatDate(const SYSTEMTIME& now, const wchar_t* storedPicture, wchar_t* slot, int capacity) {
  wchar_t picture[FormatSlot] = {};
  StoreText(picture, FormatSlot, storedPicture);  // a stored text may lack its terminator
  wchar_t scratch[FormatScratch] = {};
  const int done =
      picture[0] ? GetDateFormatW(LOCALE_SYSTEM_DEFAULT, 0, &now, picture, scratch, FormatScratch)
                 : GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_LONGDATE, &now, nullptr, scratch,
                                  FormatScratch);
  if (done == 0) scratch[0] = 0;
  StoreText(slot, capacity, scratch);  // longer dates are cut to the slot
}

}  // namespace

void ResetTimeTexts(HWND itemWindow) {
  TimeTexts = TimeDateTexts{};
  TimeTexts.Window = itemWindow;
}

void TakeTickMoment(int force, TickMoment* moment) {
  *moment = TickMoment{};
  ItemLocalTime(&moment->Now);
  FormatClock(moment->Now, moment->Clock);
  // A new minute shows in the clock text; the minute itself is compared too,
  // so an empty clock picture still moves the dates and the month on.
  moment->NewMinute = force != 0 || TextDiffers(TimeTexts.TimeText, TimeTextSlot, moment->Clock) ||
                      !SameMinute(moment->Now, TimeTexts.LastMinute);
}

void StoreClockText(const TickMoment& moment) {
  if (!moment.NewMinute) return;
  StoreText(TimeTexts.TimeText, TimeTextSlot, moment.Clock);
  TimeTexts.LastMinute = moment.Now;
}

void FormatDateTexts(const TickMoment& moment) {
  if (!moment.NewMinute) return;
  FormatDate(moment.Now, ItemSettings.Date.Format1, TimeTexts.DateText1, DateTextSlot);
  FormatDate(moment.Now, ItemSettings.Date.Format2, TimeTexts.DateText2, DateTextSlot);
}
