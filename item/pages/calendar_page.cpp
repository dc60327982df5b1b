// Calendar page: weekday names, the month grid of the refresh, and painting.
#include "item/pages/calendar_page.h"

#include <cstdio>
#include <cwchar>

#include "item/draw/held_fonts.h"
#include "item/draw/text.h"
#include "item/pages/page_modules.h"
#include "item/pages/time_source.h"
#include "item/settings/fonts.h"
#include "item/settings/page_table.h"
#include "item/settings/saturating.h"

wchar_t WeekdayNames[7][WeekdayNameSlot];
MonthGrid CurrentMonthGrid;

namespace {

COLORREF DayColour(DayStyle style, const CalendarSettings& s) {
  switch (style) {
    case DayStyle::Today:
      return s.ColorToday;
    case DayStyle::Saturday:
      return s.ColorSaturday;
    case DayStyle::Sunday:
      return s.ColorSunday;
    case DayStyle::Other:
      return s.ColorOther;
    case DayStyle::Plain:
      break;
  }
  return s.Font.FontColor;
}

// Box of column c in the band whose top is given: two digits wide, centred in the column.
RECT CellBox(long long left, int columnWidth, int digitsWidth, int column, long long top,
             int rowHeight) {
  const long long l = left + static_cast<long long>(column) * columnWidth +
                      (static_cast<long long>(columnWidth) - digitsWidth) / 2;
  return {ClampToCoordinate(l), ClampToCoordinate(top), ClampToCoordinate(l + digitsWidth),
          ClampToCoordinate(top + rowHeight)};
}

}  // namespace

void FillWeekdayNames() {
  for (int i = 0; i < 7; ++i) {
    wchar_t scratch[TextSlot] = {};
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + i, scratch, TextSlot))
      scratch[0] = L'\0';
    scratch[TextSlot - 1] = L'\0';
    std::wmemset(WeekdayNames[i], L'\0', WeekdayNameSlot);
    std::wcsncpy(WeekdayNames[i], scratch, WeekdayNameSlot - 1);
  }
}

void RefreshMonthGrid(const SYSTEMTIME& today) { FillMonthGridFor(today, CurrentMonthGrid); }

void PaintCalendar(HDC dc, const CalendarPaintInput& in) {
  const PageFrame& frame = in.frame;
  if (!dc || !in.settings || !in.grid || !in.names) return;
  const CalendarSettings& s = *in.settings;
  FontSpec todaySpec = s.Font;
  todaySpec.FontBold = 1;
  HFONT mainFont = TakeSpecFont(dc, s.Font);
  HFONT todayFont = TakeSpecFont(dc, todaySpec);
  HFONT weekdayFont = TakeSpecFont(dc, s.FontWeekdays);
  HGDIOBJ previous = mainFont ? SelectObject(dc, mainFont) : nullptr;

  const int cy = TextSize(dc, nullptr, L"0").cy;
  const int rowHeight = cy - in.scaledTwo;
  const long long columnSpan = static_cast<long long>(frame.client.right) - frame.marginRight -
                               frame.marginLeft - frame.client.left;
  const int columnWidth = static_cast<int>(columnSpan / 7);
  const int digitsWidth = TextSize(dc, nullptr, L"00").cx;
  const PageEdges edges = PageEdgesOf(frame);
  const long long left = edges.left;
  const long long top = edges.top;

  const int todayRow = TodayRow(*in.grid, in.today);
  const CalendarRows rows = ChooseCalendarRows(frame.pageHeight, rowHeight, frame.marginTop,
                                               frame.marginBottom, todayRow);
  for (int c = 0; c < MonthGridColumns; ++c) {
    for (int k = 0; k < rows.count; ++k) {
      const DayCell& cell = in.grid->cells[rows.first + k][c];
      wchar_t text[8] = {};
      std::swprintf(text, 8, L"%d", static_cast<int>(cell.day));
      RECT box = CellBox(left, columnWidth, digitsWidth, c,
                         top + static_cast<long long>(k + 1) * rowHeight, rowHeight);
      const DayStyle style = ClassifyDay(cell, in.today);
      SetTextColor(dc, DayColour(style, s));
      if (style == DayStyle::Today && todayFont) {
        SelectObject(dc, todayFont);
        DrawTextW(dc, text, -1, &box, TextRightMiddle);
        if (mainFont) SelectObject(dc, mainFont);
      } else {
        DrawTextW(dc, text, -1, &box, TextRightMiddle);
      }
    }
  }

  if (weekdayFont) SelectObject(dc, weekdayFont);
  SetTextColor(dc, s.FontWeekdays.FontColor);
  for (int i = 0; i < 7; ++i) {
    RECT box = CellBox(left, columnWidth, digitsWidth, i, top, rowHeight);
    DrawTextW(dc, in.names[i], -1, &box, TextRightMiddle);
  }

  if (previous) SelectObject(dc, previous);
  PutBackFont(mainFont);
  PutBackFont(todayFont);
  PutBackFont(weekdayFont);
}

void PaintCalendarPage(HDC dc, const PageFrame& frame) {
  CalendarPaintInput in = {};
  in.frame = frame;
  in.scaledTwo = ScaleLength(2, GetDeviceCaps(dc, LOGPIXELSY));  // the screen's, as the DC has it
  in.settings = &ItemSettings.Calendar;
  in.grid = &CurrentMonthGrid;
  ItemLocalTime(&in.today);  // colours follow the date at paint time
  in.names = WeekdayNames;
  PaintCalendar(dc, in);
}

namespace {

void CreateCalendarPage(HWND) { FillWeekdayNames(); }

// The month follows the minute; showing a new one is the new minute's repaint.
bool TickCalendarPage(const TickMoment& moment) {
  if (moment.NewMinute) RefreshMonthGrid(moment.Now);
  return false;
}

// The header and six weeks.
int CalendarPageNaturalHeight(HDC dc, const RECT&) {
  const ItemSettingsRecord& s = ItemSettings;
  return CalendarNaturalHeight(MeasureLineHeight(dc, s.Calendar.Font), ScaleByDpi(2), s.MarginTop,
                               s.MarginBottom);
}

void TapCalendarPage(const PageFrame&, int, int, bool allowed, wchar_t* target, int capacity) {
  TapOnClick(ItemSettings.Calendar.OnClick, allowed, target, capacity);
}

}  // namespace

const PageModule CalendarPageModule = {
    nullptr,           CreateCalendarPage, TickCalendarPage, CalendarPageNaturalHeight,
    PaintCalendarPage, TapCalendarPage,    nullptr,
};
