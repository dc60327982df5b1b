// Text as the painters draw it: one line, never clipped, in the background
// mode the paint pass sets, with a font taken from a FontSpec for the paint.
#pragma once
#include <windows.h>

// DrawText flag words of the painters.
constexpr UINT TextLeft = DT_SINGLELINE | DT_NOCLIP | DT_LEFT | DT_TOP;
constexpr UINT TextCentre = DT_SINGLELINE | DT_NOCLIP | DT_CENTER;
constexpr UINT TextRight = DT_SINGLELINE | DT_NOCLIP | DT_RIGHT;
constexpr UINT TextRightMiddle = DT_SINGLELINE | DT_NOCLIP | DT_RIGHT | DT_VCENTER;

// Width and height of the text in font (the dc's own font when font is null);
// the font stays selected.
SIZE TextSize(HDC dc, HFONT font, const wchar_t* text);

// Draws the text in rect with font (the dc's own font when null), colour and flags;
// the font stays selected.
void DrawTextLine(HDC dc, HFONT font, COLORREF colour, const wchar_t* text, RECT rect, UINT flags);
