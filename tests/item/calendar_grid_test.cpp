// Month grid and row choice of the Calendar page, from chosen dates.
#include "item/pages/calendar_grid.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

SYSTEMTIME Day(int year, int month, int day) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wHour = 13;
  t.wMinute = 37;
  return t;
}

::testing::AssertionResult CellIs(const DayCell& c, int year, int month, int day, int weekday) {
  if (c.year == year && c.month == month && c.day == day && c.weekday == weekday)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "cell is " << c.year << "-" << c.month << "-" << c.day << " weekday " << c.weekday
         << ", expected " << year << "-" << month << "-" << day << " weekday " << weekday;
}

// Consecutive cells are consecutive days, Monday first in every row.
void ExpectConsecutive(const MonthGrid& g) {
  for (int r = 0; r < MonthGridRows; ++r)
    for (int c = 0; c < MonthGridColumns; ++c)
      EXPECT_EQ(g.cells[r][c].weekday, c + 1) << "row " << r << " column " << c;
}

TEST(CalendarGrid, MonthStartingOnMondayStartsInColumnZero) {
  MonthGrid g;
  ASSERT_TRUE(FillMonthGridFor(Day(2024, 1, 17), g));
  EXPECT_TRUE(CellIs(g.cells[0][0], 2024, 1, 1, 1));
  EXPECT_TRUE(CellIs(g.cells[4][2], 2024, 1, 31, 3));
  EXPECT_TRUE(CellIs(g.cells[5][6], 2024, 2, 11, 7));
  ExpectConsecutive(g);
}

TEST(CalendarGrid, MonthStartingOnSundayStartsInColumnSix) {
  MonthGrid g;
  ASSERT_TRUE(FillMonthGridFor(Day(2023, 10, 1), g));
  EXPECT_TRUE(CellIs(g.cells[0][6], 2023, 10, 1, 7));
  for (int c = 0; c < 6; ++c) {
    SCOPED_TRACE(c);
    EXPECT_TRUE(CellIs(g.cells[0][c], 2023, 9, 25 + c, c + 1));
    EXPECT_EQ(ClassifyDay(g.cells[0][c], Day(2023, 10, 1)), DayStyle::Other);
  }
  ExpectConsecutive(g);
}

TEST(CalendarGrid, NonLeapFebruaryStartingOnMondayFillsFourRows) {
  MonthGrid g;
  const SYSTEMTIME today = Day(2021, 2, 10);
  ASSERT_TRUE(FillMonthGridFor(today, g));
  EXPECT_TRUE(CellIs(g.cells[0][0], 2021, 2, 1, 1));
  EXPECT_TRUE(CellIs(g.cells[3][6], 2021, 2, 28, 7));
  for (int r = 4; r < 6; ++r)
    for (int c = 0; c < 7; ++c) {
      EXPECT_EQ(g.cells[r][c].month, 3) << "row " << r << " column " << c;
      EXPECT_EQ(ClassifyDay(g.cells[r][c], today), DayStyle::Other);
    }
  EXPECT_TRUE(CellIs(g.cells[5][6], 2021, 3, 14, 7));
}

TEST(CalendarGrid, LastDayOfTheYearShowsNextJanuary) {
  MonthGrid g;
  const SYSTEMTIME today = Day(2022, 12, 31);
  ASSERT_TRUE(FillMonthGridFor(today, g));
  EXPECT_TRUE(CellIs(g.cells[0][0], 2022, 11, 28, 1));
  EXPECT_EQ(TodayRow(g, today), 4);
  EXPECT_TRUE(CellIs(g.cells[4][5], 2022, 12, 31, 6));
  EXPECT_TRUE(CellIs(g.cells[4][6], 2023, 1, 1, 7));
  EXPECT_TRUE(CellIs(g.cells[5][6], 2023, 1, 8, 7));
  EXPECT_EQ(ClassifyDay(g.cells[5][0], today), DayStyle::Other);
  // Same day and month a year earlier is another month, not today.
  DayCell lastYear = g.cells[4][5];
  lastYear.year = 2021;
  EXPECT_EQ(ClassifyDay(lastYear, today), DayStyle::Other);
}

TEST(CalendarGrid, InvalidDateLeavesAnEmptyGrid) {
  MonthGrid g;
  std::memset(&g, 0x5A, sizeof(g));
  EXPECT_FALSE(FillMonthGridFor(Day(2023, 13, 40), g));
  EXPECT_EQ(g.cells[0][0].day, 0);
  EXPECT_EQ(g.cells[5][6].year, 0);
}

TEST(CalendarGrid, TodayOnSaturdayIsTodayNotSaturday) {
  MonthGrid g;
  const SYSTEMTIME today = Day(2023, 10, 14);  // a Saturday
  ASSERT_TRUE(FillMonthGridFor(today, g));
  const int r = TodayRow(g, today);
  EXPECT_EQ(r, 2);
  EXPECT_EQ(ClassifyDay(g.cells[r][5], today), DayStyle::Today);
  EXPECT_EQ(ClassifyDay(g.cells[r][6], today), DayStyle::Sunday);
  EXPECT_EQ(ClassifyDay(g.cells[r - 1][5], today), DayStyle::Saturday);
  EXPECT_EQ(ClassifyDay(g.cells[r][0], today), DayStyle::Plain);
}

TEST(CalendarRowsChoice, ByPageHeightAndTodaysRow) {
  struct Case {
    int height, row, first, count;
  };
  // Row height 10, margins 2 + 3.
  const Case cases[] = {
      {75, 0, 0, 6}, {75, 5, 0, 6}, {74, 0, 0, 3}, {55, 5, 3, 3}, {55, 0, 0, 3},
      {55, 1, 0, 3}, {55, 2, 1, 3}, {55, 3, 2, 3}, {55, 4, 3, 3}, {45, 3, 2, 3},
      {44, 3, 3, 1}, {44, 0, 0, 1}, {0, 5, 5, 1},  {-7, 2, 2, 1},
  };
  for (const Case& c : cases) {
    const CalendarRows rows = ChooseCalendarRows(c.height, 10, 2, 3, c.row);
    EXPECT_EQ(rows.first, c.first) << "height " << c.height << " today row " << c.row;
    EXPECT_EQ(rows.count, c.count) << "height " << c.height << " today row " << c.row;
  }
}

TEST(CalendarRowsChoice, HugeStoredNumbersDoNotOverflow) {
  const CalendarRows rows = ChooseCalendarRows(INT_MAX, INT_MAX, INT_MAX, INT_MAX, 3);
  EXPECT_EQ(rows.first, 3);
  EXPECT_EQ(rows.count, 1);
}

}  // namespace
