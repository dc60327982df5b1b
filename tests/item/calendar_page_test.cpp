// The Calendar page as painted: which colour each day number gets, which rows
// a page height shows, the bold today, and the weekday names of the locale.
// tovira-test-dpi: 192
#include "item/pages/calendar_page.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "draw_testing.h"

using namespace drawtest;

namespace {

constexpr COLORREF Plain = RGB(255, 255, 0);     // yellow
constexpr COLORREF Today = RGB(0, 255, 0);       // green
constexpr COLORREF Saturday = RGB(255, 0, 0);    // red
constexpr COLORREF Sunday = RGB(0, 0, 255);      // blue
constexpr COLORREF Other = RGB(128, 128, 128);   // grey
constexpr COLORREF Weekdays = RGB(255, 0, 255);  // magenta

enum class Hue { None, Yellow, Green, Red, Blue, Grey, Magenta };

const char* Name(Hue h) {
  static const char* names[] = {"none", "yellow", "green", "red", "blue", "grey", "magenta"};
  return names[static_cast<int>(h)];
}

Hue HueOf(COLORREF c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  const bool R = r > 40, G = g > 40, B = b > 40;
  if (!R && !G && !B) return Hue::None;
  if (R && G && B) return Hue::Grey;
  if (R && G && b < 20) return Hue::Yellow;
  if (R && B && g < 20) return Hue::Magenta;
  if (G && r < 20 && b < 20) return Hue::Green;
  if (R && g < 20 && b < 20) return Hue::Red;
  if (B && r < 20 && g < 20) return Hue::Blue;
  return Hue::None;  // a mixed fringe says nothing
}

class CalendarPaint : public ::testing::Test {
 protected:
  static constexpr int Width = 240;
  static constexpr int MarginTop = 3;
  static constexpr int MarginBottom = 4;
  CalendarSettings settings = {};
  MonthGrid grid = {};
  wchar_t names[7][WeekdayNameSlot] = {L"Mo", L"Tu", L"We", L"Th", L"Fr", L"Sa", L"Su"};
  int rowHeight = 0;    // I
  int digitsWidth = 0;  // Wd
  int columnWidth = Width / 7;

  void SetUp() override {
    auto spec = [](FontSpec& f, int size, COLORREF colour) {
      std::wcscpy(f.FontName, L"Tahoma");
      f.FontSize = size;
      f.FontBold = 0;
      f.FontColor = colour;
      f.ClearType = 0;
    };
    spec(settings.Font, 10, Plain);
    spec(settings.FontWeekdays, 8, Weekdays);
    settings.ColorToday = Today;
    settings.ColorSaturday = Saturday;
    settings.ColorSunday = Sunday;
    settings.ColorOther = Other;
    Measure();
  }

  // Row height and digit width of the main font, as the page lays them out.
  void Measure() {
    Canvas probe(10, 10, RGB(0, 0, 0));
    HFONT font = CreateSpecFont(probe.dc(), settings.Font);
    HGDIOBJ old = SelectObject(probe.dc(), font);
    SIZE zero = {}, two = {};
    GetTextExtentExPointW(probe.dc(), L"0", 1, 0, nullptr, nullptr, &zero);
    GetTextExtentExPointW(probe.dc(), L"00", 2, 0, nullptr, nullptr, &two);
    SelectObject(probe.dc(), old);
    DeleteObject(font);
    rowHeight = zero.cy - 2;
    digitsWidth = two.cx;
    ASSERT_GT(rowHeight, 4);
  }

  int FullHeight() const { return 7 * rowHeight + MarginTop + MarginBottom; }

  // Paints the month of today onto a black canvas at page height h.
  void Paint(Canvas& canvas, const SYSTEMTIME& today, int pageHeight) {
    ASSERT_TRUE(FillMonthGridFor(today, grid));
    CalendarPaintInput in = {};
    in.frame.client = {0, 0, Width, canvas.height()};
    in.frame.pageHeight = pageHeight;
    in.frame.marginTop = MarginTop;
    in.frame.marginBottom = MarginBottom;
    in.scaledTwo = 2;
    in.settings = &settings;
    in.grid = &grid;
    in.today = today;
    in.names = names;
    PaintCalendar(canvas.dc(), in);
  }

  // The box of column c in band k (0 = the header), a pixel short of its
  // neighbours so a glyph's overhang does not count twice.
  RECT Box(int c, int band) const {
    const int left = c * columnWidth + (columnWidth - digitsWidth) / 2;
    const int top = MarginTop + band * rowHeight;
    return {left - 1, top + 1, left + digitsWidth + 1, top + rowHeight - 1};
  }

  // The hue most pixels of the box have; None when the box is empty.
  Hue HueIn(const Canvas& canvas, RECT box, int* ink = nullptr) const {
    int counts[7] = {};
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x)
        if (x >= 0 && y >= 0 && x < canvas.width() && y < canvas.height())
          ++counts[static_cast<int>(HueOf(canvas.At(x, y)))];
    int best = 0;
    int lit = 0;
    for (int h = 1; h < 7; ++h) {
      lit += counts[h];
      if (counts[h] > counts[best] || best == 0) best = counts[h] ? h : best;
    }
    if (ink) *ink = lit;
    return static_cast<Hue>(best);
  }

  ::testing::AssertionResult CellHue(const Canvas& canvas, int c, int band, Hue expected) const {
    const Hue got = HueIn(canvas, Box(c, band));
    if (got == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "column " << c << " band " << band << " is "
                                         << Name(got) << ", expected " << Name(expected);
  }
};

TEST_F(CalendarPaint, MonthStartingOnSundayColoursEveryKindOfDay) {
  Canvas canvas(Width, FullHeight(), RGB(0, 0, 0));
  Paint(canvas, At(2023, 10, 30, 12, 0, 0), FullHeight());
  for (int c = 0; c < 7; ++c) EXPECT_TRUE(CellHue(canvas, c, 0, Hue::Magenta));  // header
  for (int c = 0; c < 6; ++c) EXPECT_TRUE(CellHue(canvas, c, 1, Hue::Grey));     // September
  EXPECT_TRUE(CellHue(canvas, 6, 1, Hue::Blue));                                 // Sunday the 1st
  EXPECT_TRUE(CellHue(canvas, 0, 2, Hue::Yellow));                               // Monday the 2nd
  EXPECT_TRUE(CellHue(canvas, 5, 2, Hue::Red));                                  // Saturday the 7th
  EXPECT_TRUE(CellHue(canvas, 0, 6, Hue::Green));                                // today, the 30th
  EXPECT_TRUE(CellHue(canvas, 1, 6, Hue::Yellow));                               // the 31st
  EXPECT_TRUE(CellHue(canvas, 2, 6, Hue::Grey));                                 // November
}

TEST_F(CalendarPaint, MonthStartingOnMondayStartsInTheFirstColumn) {
  Canvas canvas(Width, FullHeight(), RGB(0, 0, 0));
  Paint(canvas, At(2024, 1, 17, 12, 0, 0), FullHeight());
  EXPECT_TRUE(CellHue(canvas, 0, 1, Hue::Yellow));  // Monday the 1st
  EXPECT_TRUE(CellHue(canvas, 2, 3, Hue::Green));   // Wednesday the 17th
}

TEST_F(CalendarPaint, FebruaryOfANonLeapYearLeavesTwoRowsOfMarch) {
  Canvas canvas(Width, FullHeight(), RGB(0, 0, 0));
  Paint(canvas, At(2021, 2, 10, 12, 0, 0), FullHeight());
  EXPECT_TRUE(CellHue(canvas, 0, 1, Hue::Yellow));
  EXPECT_TRUE(CellHue(canvas, 6, 4, Hue::Blue));  // Sunday the 28th
  for (int band = 5; band <= 6; ++band)
    for (int c = 0; c < 7; ++c) EXPECT_TRUE(CellHue(canvas, c, band, Hue::Grey));
}

TEST_F(CalendarPaint, NewYearsEveShowsJanuaryInTheOtherColour) {
  Canvas canvas(Width, FullHeight(), RGB(0, 0, 0));
  Paint(canvas, At(2022, 12, 31, 12, 0, 0), FullHeight());
  EXPECT_TRUE(CellHue(canvas, 5, 5, Hue::Green));  // Saturday the 31st is today
  EXPECT_TRUE(CellHue(canvas, 6, 5, Hue::Grey));   // 1 January
  for (int c = 0; c < 7; ++c) EXPECT_TRUE(CellHue(canvas, c, 6, Hue::Grey));
}

TEST_F(CalendarPaint, ThreeRowsAroundTodayWhenThePageIsLow) {
  const int height = 5 * rowHeight + MarginTop + MarginBottom;
  Canvas late(Width, FullHeight(), RGB(0, 0, 0));
  Paint(late, At(2023, 10, 30, 12, 0, 0), height);  // today in row 5: rows 3..5
  EXPECT_TRUE(CellHue(late, 0, 3, Hue::Green));
  EXPECT_TRUE(CellHue(late, 5, 1, Hue::Red));  // Saturday the 21st, row 3
  for (int c = 0; c < 7; ++c) EXPECT_TRUE(CellHue(late, c, 4, Hue::None));

  Canvas early(Width, FullHeight(), RGB(0, 0, 0));
  Paint(early, At(2023, 10, 1, 12, 0, 0), height);  // today in row 0: rows 0..2
  EXPECT_TRUE(CellHue(early, 6, 1, Hue::Green));
  EXPECT_TRUE(CellHue(early, 0, 1, Hue::Grey));
  EXPECT_TRUE(CellHue(early, 5, 3, Hue::Red));  // Saturday the 14th, row 2
  EXPECT_TRUE(CellHue(early, 0, 4, Hue::None));
}

TEST_F(CalendarPaint, OnlyTodaysWeekWhenThePageIsLower) {
  const int height = 4 * rowHeight + MarginTop + MarginBottom - 1;
  Canvas canvas(Width, FullHeight(), RGB(0, 0, 0));
  Paint(canvas, At(2023, 10, 30, 12, 0, 0), height);
  EXPECT_TRUE(CellHue(canvas, 0, 0, Hue::Magenta));
  EXPECT_TRUE(CellHue(canvas, 0, 1, Hue::Green));
  EXPECT_TRUE(CellHue(canvas, 2, 1, Hue::Grey));
  for (int c = 0; c < 7; ++c) EXPECT_TRUE(CellHue(canvas, c, 2, Hue::None));
}

TEST_F(CalendarPaint, TodayOnASaturdayIsTodaysColourInBold) {
  // Wine's Tahoma Bold draws the regular glyphs at this size, only wider
  // apart: boldness shows in a face whose bold strokes are thicker.
  std::wcscpy(settings.Font.FontName, L"DejaVu Sans");
  Measure();
  Canvas today(Width, FullHeight(), RGB(0, 0, 0));
  Paint(today, At(2023, 10, 14, 12, 0, 0), FullHeight());
  Canvas later(Width, FullHeight(), RGB(0, 0, 0));
  Paint(later, At(2023, 10, 16, 12, 0, 0), FullHeight());
  // The whole text cell of the 14th, its column's width and the two pixels by
  // which the text's height exceeds a band: bold digits are wider and taller
  // than the plain "00" the box is measured by.
  RECT cell = Box(5, 3);
  cell.left = 5 * columnWidth;
  cell.right = 6 * columnWidth;
  cell.top -= 1;
  cell.bottom += 3;
  EXPECT_EQ(HueIn(today, cell), Hue::Green);
  EXPECT_EQ(HueIn(later, cell), Hue::Red);
  // Ink as the sum of brightness: a smoothed face spreads a thin stroke over
  // as many lit pixels as a bold one covers.
  auto ink = [&cell](const Canvas& canvas) {
    long long sum = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
      for (int x = cell.left; x < cell.right; ++x) {
        COLORREF c = canvas.At(x, y);
        sum += std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
      }
    return sum;
  };
  long long boldInk = ink(today), plainInk = ink(later);
  EXPECT_GT(boldInk, plainInk) << "today's 14 should be bolder than Saturday's 14";
}

TEST_F(CalendarPaint, LeavesTheDcAsItFoundIt) {
  Canvas canvas(Width, FullHeight(), RGB(0, 0, 0));
  HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_FONT);
  Paint(canvas, At(2023, 10, 14, 12, 0, 0), FullHeight());
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), before);
}

TEST(CalendarWeekdays, AbbreviatedNamesOfTheUserLocaleMondayFirst) {
  FillWeekdayNames();
  for (int i = 0; i < 7; ++i) {
    wchar_t expected[260] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + i, expected, 260);
    expected[WeekdayNameSlot - 1] = L'\0';
    EXPECT_STREQ(WeekdayNames[i], expected) << "day " << i;
    EXPECT_GT(std::wcslen(WeekdayNames[i]), 0u);
  }
  EXPECT_STREQ(WeekdayNames[0], L"пн");  // as the Russian locale spells them
  EXPECT_STREQ(WeekdayNames[6], L"вс");
}

}  // namespace
