// The Calendar page: weekday names from the user's locale, the month grid the
// refresh keeps, and the painter of the header and the day rows.
#pragma once
#include <windows.h>

#include "item/pages/calendar_grid.h"
#include "item/pages/page_frame.h"
#include "item/settings/item_settings.h"

constexpr int WeekdayNameSlot = 10;  // 9 characters and the terminator
extern wchar_t WeekdayNames[7][WeekdayNameSlot];
extern MonthGrid CurrentMonthGrid;

// Everything the painter draws from, so tests can paint chosen months.
struct CalendarPaintInput {
  PageFrame frame;
  int scaledTwo;  // 2 x LOGPIXELSY / 96 of the screen
  const CalendarSettings* settings;
  const MonthGrid* grid;
  SYSTEMTIME today;
  const wchar_t (*names)[WeekdayNameSlot];
};

void PaintCalendar(HDC dc, const CalendarPaintInput& in);

// The weekday names, taken when the item window is created.
void FillWeekdayNames();
// The month grid for today, made again on every new minute.
void RefreshMonthGrid(const SYSTEMTIME& today);

void PaintCalendarPage(HDC dc, const PageFrame& frame);
