// Lengths by screen resolution, fonts from a FontSpec, and the line height
// measure every page lays out with.
#include "item/settings/fonts.h"

#include <climits>
#include <cwchar>

#include "item/settings/item_settings.h"
#include "item/settings/saturating.h"

int FontCharHeight(int size, int dpi) {
  long long h = static_cast<long long>(size) * dpi / 72;
  // The magnitude stays representable either way round.
  if (h > INT_MAX) h = INT_MAX;
  if (h < -static_cast<long long>(INT_MAX)) h = -static_cast<long long>(INT_MAX);
  return static_cast<int>(-h);
}

int ScaleLength(int length, int dpi) { return MulDivTruncate(length, dpi, 96); }

static int ScreenCaps(int index) {
  HDC screen = GetDC(nullptr);
  int value = screen ? GetDeviceCaps(screen, index) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return value;
}

int ScreenDpiX() { return ScreenCaps(LOGPIXELSX); }
int ScreenDpiY() { return ScreenCaps(LOGPIXELSY); }

int ScaleByDpi(int length) { return ScaleLength(length, ScreenDpiY()); }

// A font description holds no pointer or handle: the same 92 bytes on the
// device as on the desktop.
static_assert(sizeof(LOGFONTW) == 92, "LOGFONT does not depend on the data model");

bool DescribeSpecFont(HDC dc, const FontSpec& spec, LOGFONTW* font) {
  *font = LOGFONTW{};
  HGDIOBJ system = GetStockObject(SYSTEM_FONT);
  if (!system || GetObjectW(system, sizeof(*font), font) == 0) return false;
  font->lfHeight = FontCharHeight(spec.FontSize, GetDeviceCaps(dc, LOGPIXELSY));
  // The desktop's system font carries a fixed average width (the device's has
  // none); kept, it would squeeze or stretch every face to that width.
  font->lfWidth = 0;
  font->lfWeight = spec.FontBold ? FW_BOLD : FW_NORMAL;
  font->lfQuality = spec.ClearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
  // Nothing after the face's terminator: equal specs give equal descriptions.
  wmemset(font->lfFaceName, L'\0', LF_FACESIZE);
  for (int i = 0; i < LF_FACESIZE - 1 && spec.FontName[i]; ++i)
    font->lfFaceName[i] = spec.FontName[i];
  return true;
}

HFONT CreateSpecFont(HDC dc, const FontSpec& spec) {
  LOGFONTW font;
  return DescribeSpecFont(dc, spec, &font) ? CreateFontIndirectW(&font) : nullptr;
}

int MeasureLineHeight(HDC dc, const FontSpec& spec) {
  HFONT font = CreateSpecFont(dc, spec);
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SIZE size = {};
  GetTextExtentExPointW(dc, L"0", 1, 0, nullptr, nullptr, &size);
  if (previous) SelectObject(dc, previous);
  if (font) DeleteObject(font);
  return size.cy;
}
