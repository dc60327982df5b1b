// PaintDatePage and the Date page's record in the page table.
#include "item/pages/date_page.h"

#include "item/draw/held_fonts.h"
#include "item/draw/text.h"
#include "item/pages/page_modules.h"
#include "item/pages/time_texts.h"
#include "item/settings/item_settings.h"
#include "item/settings/page_table.h"

void PaintDatePage(HDC dc, const PageFrame& frame) {
  if (!dc) return;
  const DateSettings& date = ItemSettings.Date;
  const RECT line = PageInnerBox(frame);

  HFONT font1 = TakeSpecFont(dc, date.Font1);
  HFONT font2 = TakeSpecFont(dc, date.Font2);
  HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);

  DrawTextLine(dc, font1, date.Font1.FontColor, TimeTexts.DateText1, line, TextLeft);
  DrawTextLine(dc, font2, date.Font2.FontColor, TimeTexts.DateText2, line, TextRight);

  SelectObject(dc, previousFont);
  PutBackFont(font1);
  PutBackFont(font2);
}

namespace {

// The dates follow the minute; showing a new one is the new minute's repaint.
bool TickDatePage(const TickMoment& moment) {
  FormatDateTexts(moment);
  return false;
}

// The taller of the two date lines.
int DateNaturalHeight(HDC dc, const RECT&) {
  const int first = MeasureLineHeight(dc, ItemSettings.Date.Font1);
  const int second = MeasureLineHeight(dc, ItemSettings.Date.Font2);
  return WithMargins(first > second ? first : second);
}

void TapDatePage(const PageFrame&, int, int, bool allowed, wchar_t* target, int capacity) {
  TapOnClick(ItemSettings.Date.OnClick, allowed, target, capacity);
}

}  // namespace

const PageModule DatePageModule = {
    nullptr, nullptr, TickDatePage, DateNaturalHeight, PaintDatePage, TapDatePage, nullptr,
};
