// The Date page painted into a bitmap: text 1 at the left margin, text 2
// ending at the right margin, each in its own font colour.
// tovira-test-dpi: 192
#include <gtest/gtest.h>

#include "draw_testing.h"
#include "item/host/page_life.h"
#include "item/pages/date_page.h"
#include "item/pages/time_source.h"
#include "item/pages/time_texts.h"

using namespace drawtest;

TEST(DatePage, TextOneLeftTextTwoRightOffsetByThePage) {
  const int height = 20 * ScreenDpiY() / 96;
  ItemStandIn item(240, 3 * height);
  ResetSettingsToDefaults();
  ItemSettings.Date.Font1.FontColor = RGB(0, 255, 0);
  ItemSettings.Date.Font2.FontColor = RGB(0, 0, 255);
  ItemSettings.Date.Font1.ClearType = ItemSettings.Date.Font2.ClearType = 0;
  RecordOf(PageKindDate)->Height = height;
  const SYSTEMTIME now = At(2026, 12, 7, 9, 5, 0);
  SetClockOverride(&now);
  RefreshTick(1);
  SetClockOverride(nullptr);

  for (int dx : {0, 30}) {
    Canvas canvas(320, 3 * height, RGB(0, 0, 0));  // room for the shifted page
    // The second band of the item.
    PaintDatePage(canvas.dc(), FramePage(item.get(), PageKindDate, dx, height));
    canvas.Dump(dx ? "date_page_shifted" : "date_page");
    const RECT one = BoundsOf(canvas, Greenish), two = BoundsOf(canvas, Bluish);
    SCOPED_TRACE(testing::Message() << "dx " << dx);
    ASSERT_GT(one.right, one.left);
    ASSERT_GT(two.right, two.left);
    EXPECT_NEAR(one.left, ItemSettings.MarginLeft + dx, 2);
    EXPECT_NEAR(two.right, 240 - ItemSettings.MarginRight + dx, 3);
    EXPECT_GE(one.top, height + ItemSettings.MarginTop);
    EXPECT_GE(two.top, height + ItemSettings.MarginTop);
    EXPECT_LT(one.bottom, 2 * height + 4);
  }
}
