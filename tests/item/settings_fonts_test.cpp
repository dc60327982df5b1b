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
  struct Case {
    int size, bold, clearType;
    LONG weight;
    BYTE quality;
  } cases[] = {{8, 0, 1, FW_NORMAL, CLEARTYPE_QUALITY},
               {30, 1, 0, FW_BOLD, DEFAULT_QUALITY},
               {7, 5, 9, FW_BOLD, CLEARTYPE_QUALITY}};
  LOGFONTW system = {};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(system), &system);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    HFONT font = CreateSpecFont(screen, Spec(L"Tahoma", c.size, c.bold, c.clearType));
    ASSERT_NE(font, nullptr);
    LOGFONTW lf = Described(font);
    EXPECT_EQ(lf.lfHeight, -(c.size * DpiY() / 72));  // 8 points: -10 at 96 dpi, -21 at 192
    EXPECT_EQ(lf.lfWeight, c.weight);
    EXPECT_EQ(lf.lfQuality, c.quality);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfWidth, 0);  // the face keeps its own proportions
    // The rest stays as the system font has it.
    EXPECT_EQ(lf.lfCharSet, system.lfCharSet);
    EXPECT_EQ(lf.lfPitchAndFamily, system.lfPitchAndFamily);
    DeleteObject(font);
  }
  EXPECT_EQ(ScaleByDpi(2), 2 * DpiY() / 96);
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
  for (int size : {1 << 30, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(size);
    HFONT font = CreateSpecFont(screen, Spec(L"Tahoma", size, 0, 1));
    if (font) {
      LONG height = Described(font).lfHeight;
      EXPECT_TRUE(height == FontCharHeight(size, DpiY())) << height;
      DeleteObject(font);
    }
    MeasureLineHeight(screen, Spec(L"Tahoma", size, 0, 1));
  }
}

TEST_F(SettingsFonts, MeasureIsTheHeightOfZeroAndRestoresTheFont) {
  HDC memory = CreateCompatibleDC(screen);
  HFONT mine =
      CreateFontW(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  HGDIOBJ original = SelectObject(memory, mine);
  int measured = MeasureLineHeight(memory, Spec(L"Tahoma", 20, 1, 0));
  EXPECT_EQ(GetCurrentObject(memory, OBJ_FONT), mine);

  HFONT expected = CreateFontW(-(20 * GetDeviceCaps(memory, LOGPIXELSY) / 72), 0, 0, 0, FW_BOLD, 0,
                               0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  SelectObject(memory, expected);
  SIZE size = {};
  GetTextExtentPoint32W(memory, L"0", 1, &size);
  EXPECT_EQ(measured, size.cy);

  SelectObject(memory, original);
  DeleteObject(mine);
  DeleteObject(expected);
  DeleteDC(memory);
}

}  // namespace
