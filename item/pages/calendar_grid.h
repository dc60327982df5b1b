// The Calendar page's month grid and its row choice: pure computations that
// the refresh and the painter feed with the date and the page's metrics.
#pragma once
#include <windows.h>

#include <cstdint>

// One day of the grid; weekday 1 = Monday ... 7 = Sunday.
struct DayCell {
  uint16_t day;
  uint16_t month;
  uint16_t year;
  uint16_t weekday;
};

constexpr int MonthGridRows = 6;
constexpr int MonthGridColumns = 7;

// Row 0 holds the week of the first of the month, column 0 is Monday.
struct MonthGrid {
  DayCell cells[MonthGridRows][MonthGridColumns];
};

// Fills the grid for the month of today by whole-day steps of today's
// FILETIME, so month and year boundaries come from the platform's calendar.
// An invalid date leaves the grid zeroed. Returns false then.
bool FillMonthGridFor(const SYSTEMTIME& today, MonthGrid& grid);

// The row whose cells hold today's date, 0 when none does.
int TodayRow(const MonthGrid& grid, const SYSTEMTIME& today);

// Which rows a page of height pageHeight shows with row height rowHeight.
struct CalendarRows {
  int first;
  int count;
};
CalendarRows ChooseCalendarRows(int pageHeight, int rowHeight, int marginTop, int marginBottom,
                                int todayRow);

// How one day number is drawn.
enum class DayStyle { Today, Saturday, Sunday, Plain, Other };
DayStyle ClassifyDay(const DayCell& cell, const SYSTEMTIME& today);

// The page's natural height: 7 bands (header and six weeks) of the line
// height less scaledTwo (2 x dpiY / 96), plus the margins; saturating.
int CalendarNaturalHeight(int lineHeight, int scaledTwo, int marginTop, int marginBottom);
