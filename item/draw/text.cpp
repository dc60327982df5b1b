// Measuring and drawing one line of text.
#include "item/draw/text.h"

#include <cwchar>

SIZE TextSize(HDC dc, HFONT font, const wchar_t* text) {
  SIZE size = {0, 0};
  if (font) SelectObject(dc, font);
  GetTextExtentExPointW(dc, text, static_cast<int>(std::wcslen(text)), 0, nullptr, nullptr, &size);
  return size;
}

void DrawTextLine(HDC dc, HFONT font, COLORREF colour, const wchar_t* text, RECT rect, UINT flags) {
  if (font) SelectObject(dc, font);
  SetTextColor(dc, colour);
  DrawTextW(dc, text, -1, &rect, flags);
}
