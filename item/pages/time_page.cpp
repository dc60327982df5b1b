// PaintTimePage and the Time page's record in the page table.
#include "item/pages/time_page.h"

#include "item/draw/keyed_image.h"
#include "item/draw/state_images.h"
#include "item/draw/held_fonts.h"
#include "item/draw/text.h"
#include "item/pages/page_modules.h"
#include "item/pages/time_layout.h"
#include "item/pages/time_texts.h"
#include "item/settings/item_settings.h"
#include "item/settings/page_table.h"

void PaintTimePage(HDC dc, const PageFrame& frame) {
  if (!dc) return;
  const TimeSettings& time = ItemSettings.Time;
  const DateSettings& date = ItemSettings.Date;

  HFONT clockFont = TakeSpecFont(dc, time.Font1);
  HFONT alarmFont = TakeSpecFont(dc, time.Font2);
  HFONT dateFont1 = TakeSpecFont(dc, date.Font1);
  HFONT dateFont2 = TakeSpecFont(dc, date.Font2);
  HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);

  TimeMeasures measures = {};
  measures.ClockWidth = static_cast<int>(TextSize(dc, clockFont, L"00:00").cx);
  measures.Date1 = TextSize(dc, dateFont1, TimeTexts.DateText1);
  measures.Date2 = TextSize(dc, dateFont2, TimeTexts.DateText2);
  // The icon takes room only when its block is drawn at all.
  const bool alarmBlock = time.ShowAlarm != 0 && StateImages.Alarm && TimeTexts.AlarmOn != 0;
  if (alarmBlock) measures.Icon = ImageSize(StateImages.Alarm);
  const TimeLayout layout = LayoutTimePage(PageInnerBox(frame), measures, time.ShowDate);

  if (layout.DrawDates) {
    DrawTextLine(dc, dateFont1, date.Font1.FontColor, TimeTexts.DateText1, layout.Date1,
                 layout.Date1Flags);
    DrawTextLine(dc, dateFont2, date.Font2.FontColor, TimeTexts.DateText2, layout.Date2,
                 layout.Date2Flags);
  }
  DrawTextLine(dc, clockFont, time.Font1.FontColor, TimeTexts.TimeText, layout.Clock,
               TextRightMiddle);

  if (alarmBlock) {
    DrawKeyedImage(dc, StateImages.Alarm, layout.Icon.x, layout.Icon.y);
    if (TimeTexts.NextAlarmText[0])
      DrawTextLine(dc, alarmFont, time.Font2.FontColor, TimeTexts.NextAlarmText, layout.AlarmText,
                   layout.AlarmTextFlags);
  }

  SelectObject(dc, previousFont);
  for (HFONT font : {clockFont, alarmFont, dateFont1, dateFont2}) PutBackFont(font);
}

namespace {

void CreateTimePage(HWND) { ReadAlarmState(); }

bool TickTimePage(const TickMoment& moment) {
  const bool changed = ReadAlarmState();
  StoreClockText(moment);
  return changed;
}

// The clock's line; the date texts and the alarm text add nothing.
int TimeNaturalHeight(HDC dc, const RECT&) {
  return WithMargins(MeasureLineHeight(dc, ItemSettings.Time.Font1));
}

void TapTimePage(const PageFrame&, int, int, bool allowed, wchar_t* target, int capacity) {
  TapOnClick(ItemSettings.Time.OnClick, allowed, target, capacity);
}

}  // namespace

const PageModule TimePageModule = {
    ResetTimeTexts, CreateTimePage, TickTimePage, TimeNaturalHeight,
    PaintTimePage,  TapTimePage,    nullptr,
};
