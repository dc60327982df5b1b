// Month grid arithmetic of the Calendar page.
#include "item/pages/calendar_grid.h"

#include <cstring>

#include "item/settings/saturating.h"

namespace {

constexpr long long DayUnits = 864000000000LL;  // one day in 100-ns units

bool ToUnits(const SYSTEMTIME& time, long long& units) {
  FILETIME ft{};
  if (!SystemTimeToFileTime(&time, &ft)) return false;
  ULARGE_INTEGER u;
  u.LowPart = ft.dwLowDateTime;
  u.HighPart = ft.dwHighDateTime;
  units = static_cast<long long>(u.QuadPart);
  return true;
}

bool FromUnits(long long units, SYSTEMTIME& time) {
  if (units < 0) return false;
  ULARGE_INTEGER u;
  u.QuadPart = static_cast<unsigned long long>(units);
  FILETIME ft{u.LowPart, u.HighPart};
  return FileTimeToSystemTime(&ft, &time) != FALSE;
}

uint16_t MondayFirst(WORD dayOfWeek) { return dayOfWeek == 0 ? 7 : dayOfWeek; }

}  // namespace

bool FillMonthGridFor(const SYSTEMTIME& today, MonthGrid& grid) {
  std::memset(&grid, 0, sizeof(grid));
  long long base = 0;
  if (!ToUnits(today, base)) return false;
  SYSTEMTIME first{};
  if (!FromUnits(base + (1 - static_cast<long long>(today.wDay)) * DayUnits, first)) return false;
  const long long w = MondayFirst(first.wDayOfWeek);
  const long long offset = 2 - static_cast<long long>(today.wDay) - w;
  for (int i = 0; i < MonthGridRows * MonthGridColumns; ++i) {
    SYSTEMTIME day{};
    if (!FromUnits(base + (offset + i) * DayUnits, day)) {
      std::memset(&grid, 0, sizeof(grid));
      return false;
    }
    DayCell& cell = grid.cells[i / MonthGridColumns][i % MonthGridColumns];
    cell.day = day.wDay;
    cell.month = day.wMonth;
    cell.year = day.wYear;
    cell.weekday = MondayFirst(day.wDayOfWeek);
  }
  return true;
}

int TodayRow(const MonthGrid& grid, const SYSTEMTIME& today) {
  for (int r = 0; r < MonthGridRows; ++r)
    for (const DayCell& cell : grid.cells[r])
      if (cell.day == today.wDay && cell.month == today.wMonth && cell.year == today.wYear)
        return r;
  return 0;
}

CalendarRows ChooseCalendarRows(int pageHeight, int rowHeight, int marginTop, int marginBottom,
                                int todayRow) {
  // 64-bit sums: stored heights and margins may be anything.
  const long long margins = static_cast<long long>(marginTop) + marginBottom;
  const long long h = pageHeight;
  if (todayRow < 0 || todayRow >= MonthGridRows) todayRow = 0;
  if (h >= 7LL * rowHeight + margins) return {0, MonthGridRows};
  if (h < 4LL * rowHeight + margins) return {todayRow, 1};
  if (todayRow <= 1) return {0, 3};
  if (todayRow >= 4) return {3, 3};
  return {todayRow - 1, 3};
}

DayStyle ClassifyDay(const DayCell& cell, const SYSTEMTIME& today) {
  if (cell.month != today.wMonth || cell.year != today.wYear) return DayStyle::Other;
  if (cell.day == today.wDay) return DayStyle::Today;
  if (cell.weekday == 6) return DayStyle::Saturday;
  if (cell.weekday == 7) return DayStyle::Sunday;
  return DayStyle::Plain;
}

int CalendarNaturalHeight(int lineHeight, int scaledTwo, int marginTop, int marginBottom) {
  int rows = SaturatingMul(7, SaturatingSub(lineHeight, scaledTwo));
  return SaturatingAdd(SaturatingAdd(rows, marginTop), marginBottom);
}
