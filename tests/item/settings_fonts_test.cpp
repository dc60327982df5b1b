// Fonts from a FontSpec and the "0" measure, on real device contexts.
// tovira-test-dpi: 192
#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>

#include "item/settings/fonts.h"
#include "item/settings/item_settings.h"
#include "support/item_test_support.h"

using namespace itemtest;

namespace {

FontSpec Spec(const wchar_t* face, int size, int bold, int clearType) {
  FontSpec spec = {};
  wcsncpy(spec.FontName, face, TextSlot - 1);
  spec.FontSize = size;
  spec.FontBold = bold;
  spec.ClearType = clearType;
  return spec;
}

LOGFONTW Described(HFONT font) {
  LOGFONTW lf = {};
  GetObjectW(font, sizeof(lf), &lf);
  return lf;
}

class SettingsFonts : public ::testing::Test {
 protected:
  HDC screen = GetDC(nullptr);
  ~SettingsFonts() override { ReleaseDC(nullptr, screen); }
};

TEST_F(SettingsFonts, DescriptionFollowsTheFontSpec) {
  // The character height is -(points x dpi / 72), truncated: 8 pt is 768 / 72
  // = 10.67 -> -10 at 96 dpi and 1536 / 72 = 21.33 -> -21 at 192.
  struct Case {
    int size, bold, clearType;
    LONG weight;
    BYTE quality;
    LONG height96, height192;
  } cases[] = {{8, 0, 1, FW_NORMAL, CLEARTYPE_QUALITY, -10, -21},
               {30, 1, 0, FW_BOLD, DEFAULT_QUALITY, -40, -80},   // 2880 / 72, 5760 / 72
               {7, 5, 9, FW_BOLD, CLEARTYPE_QUALITY, -9, -18}};  // 9.33, 18.67
  LOGFONTW system = {};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(system), &system);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    HFONT font = CreateSpecFont(screen, Spec(L"Tahoma", c.size, c.bold, c.clearType));
    ASSERT_NE(font, nullptr);
    LOGFONTW lf = Described(font);
    EXPECT_EQ(lf.lfHeight, AtDpi(c.height96, c.height192));
    EXPECT_EQ(lf.lfWeight, c.weight);
    EXPECT_EQ(lf.lfQuality, c.quality);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfWidth, 0);  // the face keeps its own proportions
    // The rest stays as the system font has it.
    EXPECT_EQ(lf.lfCharSet, system.lfCharSet);
    EXPECT_EQ(lf.lfPitchAndFamily, system.lfPitchAndFamily);
    DeleteObject(font);
  }
  EXPECT_EQ(ScaleByDpi(2), AtDpi(2, 4));
}

TEST_F(SettingsFonts, SizeZeroLeavesTheHeightToTheMapper) {
  HFONT font = CreateSpecFont(screen, Spec(L"Tahoma", 0, 0, 1));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(Described(font).lfHeight, 0);
  DeleteObject(font);
  EXPECT_GT(MeasureLineHeight(screen, Spec(L"Tahoma", 0, 0, 1)), 0);
}

TEST_F(SettingsFonts, AFaceNameLongerThanTheFontsSlotIsCut) {
  std::wstring face(TextSlot - 1, L'F');
  HFONT font = CreateSpecFont(screen, Spec(face.c_str(), 8, 0, 1));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(std::wstring(Described(font).lfFaceName), face.substr(0, LF_FACESIZE - 1));
  DeleteObject(font);
}

TEST_F(SettingsFonts, HugeSizesDoNotOverflow) {
  // points x dpi / 72 beyond the int range gives the largest magnitude,
  // INT_MAX, of the sign it has: 2^30 x 96 / 72 = 1431655765.33 still fits.
  struct Case {
    int size;
    LONG height96, height192;
  } cases[] = {
      {1 << 30, -1431655765, -INT_MAX}, {INT_MAX, -INT_MAX, -INT_MAX}, {INT_MIN, INT_MAX, INT_MAX}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    HFONT font = CreateSpecFont(screen, Spec(L"Tahoma", c.size, 0, 1));
    if (font) {
      EXPECT_EQ(Described(font).lfHeight, AtDpi(c.height96, c.height192));
      DeleteObject(font);
    }
    MeasureLineHeight(screen, Spec(L"Tahoma", c.size, 0, 1));
  }
}

TEST_F(SettingsFonts, MeasureIsTheHeightOfZeroAndRestoresTheFont) {
  HDC memory = CreateCompatibleDC(screen);
  HFONT mine =
      CreateFontW(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  HGDIOBJ original = SelectObject(memory, mine);
  int measured = MeasureLineHeight(memory, Spec(L"Tahoma", 20, 1, 0));
  EXPECT_EQ(GetCurrentObject(memory, OBJ_FONT), mine);
  // The cell of "0" in Tahoma Bold (ascent 2049 + descent 423 per 2048 em):
  // 20 pt is 26 px of em at 96 dpi, 26 + 5 = 31; 53 px at 192, 53 + 11 = 64.
  EXPECT_EQ(measured, AtDpi(31, 64));

  SelectObject(memory, original);
  DeleteObject(mine);
  DeleteDC(memory);
}

}  // namespace
