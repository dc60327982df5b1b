// A small table of fonts kept across paints, looked up by the whole font
// description, so a font made for other settings or another resolution is
// never taken for this one.
#include "item/draw/held_fonts.h"

#include <cstring>

namespace {

constexpr int HeldCapacity = 16;  // the painters of one frame make at most eleven

struct HeldFont {
  LOGFONTW Description;
  HFONT Font;
};

HeldFont Held[HeldCapacity];
int HeldCount = 0;
bool Holding = false;

bool SameDescription(const LOGFONTW& a, const LOGFONTW& b) {
  return std::memcmp(&a, &b, sizeof(LOGFONTW)) == 0;
}

}  // namespace

HFONT TakeSpecFont(HDC dc, const FontSpec& spec) {
  LOGFONTW description;
  if (!DescribeSpecFont(dc, spec, &description)) return nullptr;
  if (Holding)
    for (int i = 0; i < HeldCount; ++i)
      if (SameDescription(Held[i].Description, description)) return Held[i].Font;
  HFONT font = CreateFontIndirectW(&description);
  if (font && Holding && HeldCount < HeldCapacity) Held[HeldCount++] = HeldFont{description, font};
  return font;
}

void PutBackFont(HFONT font) {
  if (!font) return;
  for (int i = 0; i < HeldCount; ++i)
    if (Held[i].Font == font) return;
  DeleteObject(font);
}

void HoldFonts() { Holding = true; }

void ReleaseHeldFonts() {
  for (int i = 0; i < HeldCount; ++i) DeleteObject(Held[i].Font);
  HeldCount = 0;
  Holding = false;
}

int HeldFontCount() { return HeldCount; }
