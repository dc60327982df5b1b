// PaintDatePage: date text 1 at the left and date text 2 at the right of one line.
#include "item/host/page_hooks.h"
#include "item/pages/time_layout.h"
#include "item/pages/time_texts.h"
#include "item/settings/item_settings.h"

void PaintDatePage(HWND itemWindow, HDC dc, int dx, int dy) {
  const int position = FindPageOfKind(PageKindDate);
  if (!dc || position < 0 || position >= PageKindCount) return;
  const DateSettings& date = ItemSettings.Date;

  RECT client = {};
  GetClientRect(itemWindow, &client);
  const PageBox box =
      PageBoxFor(client, dx, dy, ItemSettings.PageTable[position].Height, ItemSettings.MarginLeft,
                 ItemSettings.MarginTop, ItemSettings.MarginRight, ItemSettings.MarginBottom);
  RECT rect = {box.L, box.T, box.R, box.B};

  HFONT font1 = CreateSpecFont(dc, date.Font1);
  HFONT font2 = CreateSpecFont(dc, date.Font2);
  HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);

  if (font1) SelectObject(dc, font1);
  SetTextColor(dc, date.Font1.FontColor);
  DrawTextW(dc, TimeTexts.DateText1, -1, &rect, TextLeft);

  if (font2) SelectObject(dc, font2);
  SetTextColor(dc, date.Font2.FontColor);
  RECT right = rect;
  DrawTextW(dc, TimeTexts.DateText2, -1, &right, TextRight);

  SelectObject(dc, previousFont);
  if (font1) DeleteObject(font1);
  if (font2) DeleteObject(font2);
}
