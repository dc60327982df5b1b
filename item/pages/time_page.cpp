// PaintTimePage: the large clock, the two date texts beside it as ShowDate
// places them, and the alarm icon with the next alarm under it.
#include <cwchar>

#include "item/draw/keyed_image.h"
#include "item/draw/state_images.h"
#include "item/host/page_hooks.h"
#include "item/pages/time_layout.h"
#include "item/pages/time_texts.h"
#include "item/settings/item_settings.h"

namespace {

SIZE TextSize(HDC dc, HFONT font, const wchar_t* text) {
  SIZE size = {0, 0};
  if (font) SelectObject(dc, font);
  GetTextExtentExPointW(dc, text, static_cast<int>(wcslen(text)), 0, nullptr, nullptr, &size);
  return size;
}

void DrawLine(HDC dc, HFONT font, COLORREF colour, const wchar_t* text, RECT rect, UINT flags) {
  if (font) SelectObject(dc, font);
  SetTextColor(dc, colour);
  DrawTextW(dc, text, -1, &rect, flags);
}

}  // namespace

void PaintTimePage(HWND itemWindow, HDC dc, int dx, int dy) {
  const int position = FindPageOfKind(PageKindTime);
  if (!dc || position < 0 || position >= PageKindCount) return;
  const TimeSettings& time = ItemSettings.Time;
  const DateSettings& date = ItemSettings.Date;

  RECT client = {};
  GetClientRect(itemWindow, &client);
  const PageBox box =
      PageBoxFor(client, dx, dy, ItemSettings.PageTable[position].Height, ItemSettings.MarginLeft,
                 ItemSettings.MarginTop, ItemSettings.MarginRight, ItemSettings.MarginBottom);

  HFONT clockFont = CreateSpecFont(dc, time.Font1);
  HFONT alarmFont = CreateSpecFont(dc, time.Font2);
  HFONT dateFont1 = CreateSpecFont(dc, date.Font1);
  HFONT dateFont2 = CreateSpecFont(dc, date.Font2);
  HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);

  TimeMeasures measures = {};
  measures.ClockWidth = static_cast<int>(TextSize(dc, clockFont, L"00:00").cx);
  measures.Date1 = TextSize(dc, dateFont1, TimeTexts.DateText1);
  measures.Date2 = TextSize(dc, dateFont2, TimeTexts.DateText2);
  // The icon takes room only when its block is drawn at all.
  const bool alarmBlock = time.ShowAlarm != 0 && StateImages.Alarm && TimeTexts.AlarmOn != 0;
  if (alarmBlock) measures.Icon = ImageSize(StateImages.Alarm);
  const TimeLayout layout = LayoutTimePage(box, measures, time.ShowDate);

  if (layout.DrawDates) {
    DrawLine(dc, dateFont1, date.Font1.FontColor, TimeTexts.DateText1, layout.Date1,
             layout.Date1Flags);
    DrawLine(dc, dateFont2, date.Font2.FontColor, TimeTexts.DateText2, layout.Date2,
             layout.Date2Flags);
  }
  DrawLine(dc, clockFont, time.Font1.FontColor, TimeTexts.TimeText, layout.Clock, TextRightMiddle);

  if (alarmBlock) {
    DrawKeyedImage(dc, StateImages.Alarm, layout.Icon.x, layout.Icon.y);
    if (TimeTexts.NextAlarmText[0])
      DrawLine(dc, alarmFont, time.Font2.FontColor, TimeTexts.NextAlarmText, layout.AlarmText,
               layout.AlarmTextFlags);
  }

  SelectObject(dc, previousFont);
  for (HFONT font : {clockFont, alarmFont, dateFont1, dateFont2})
    if (font) DeleteObject(font);
}
