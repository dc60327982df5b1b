// The Time page painted into a bitmap: where the clock, the date lines, the
// alarm icon and the next-alarm text land, checked on pixels against the
// layout, for two ShowDate arrangements and without the alarm image.
// tovira-test-dpi: 192
#include <gtest/gtest.h>

#include <cwchar>

#include "draw_testing.h"
#include "item/draw/keyed_image.h"
#include "item/draw/state_images.h"
#include "item/host/page_life.h"
#include "item/pages/page_frame.h"
#include "item/pages/time_layout.h"
#include "item/pages/time_page.h"
#include "item/pages/time_source.h"
#include "item/pages/time_texts.h"

using namespace drawtest;

namespace {

bool Cyanish(COLORREF c) { return GetGValue(c) > 40 && GetBValue(c) > 40 && GetRValue(c) < 20; }

constexpr COLORREF Black = RGB(0, 0, 0);

void Plain(FontSpec& spec, COLORREF colour, int size) {
  spec.FontColor = colour;
  spec.FontSize = size;
  spec.ClearType = 0;
}

class TimePageTest : public ::testing::Test {
 protected:
  int height = 0;
  int Width = 0;  // a 240-pixel screen at 96 dpi, 480 at 192
  ItemStandIn* item = nullptr;

  void SetUp() override {
    height = 60 * ScreenDpiY() / 96;
    Width = 240 * ScreenDpiY() / 96;
    item = new ItemStandIn(Width, height);
    ResetSettingsToDefaults();
    // Each text role in its own primary colour, so pixels tell them apart.
    Plain(ItemSettings.Time.Font1, RGB(255, 0, 0), 20);
    Plain(ItemSettings.Time.Font2, RGB(0, 255, 255), 7);  // cyan: no icon pixel is cyan
    Plain(ItemSettings.Date.Font1, RGB(0, 255, 0), 8);
    Plain(ItemSettings.Date.Font2, RGB(0, 0, 255), 8);
    RecordOf(PageKindTime)->Height = height;
    wcscpy(ItemSettings.Date.Format1, L"d MMMM");  // short enough to sit beside the clock
    ItemSettings.Time.ShowAlarm = 1;
    LoadStateImages(item->get());
    ASSERT_NE(StateImages.Alarm, nullptr);
    const SYSTEMTIME now = At(2026, 12, 7, 9, 5, 0);
    SetClockOverride(&now);
    RefreshTick(1);
    TimeTexts.AlarmOn = 1;
    wcscpy(TimeTexts.NextAlarmText, L"07:30");
  }
  void TearDown() override {
    ReleaseStateImages();
    SetClockOverride(nullptr);
    delete item;
  }

  // The layout the painter should have used, measured on the same dc.
  TimeLayout Expected(HDC dc) {
    RECT client;
    GetClientRect(item->get(), &client);
    const RECT box = PageInnerBox(PageFrame{client, 0, 0, height, ItemSettings.MarginLeft,
                                            ItemSettings.MarginTop, ItemSettings.MarginRight,
                                            ItemSettings.MarginBottom});
    TimeMeasures m = {};
    auto measure = [dc](const FontSpec& spec, const wchar_t* text) {
      HFONT font = CreateSpecFont(dc, spec);
      HGDIOBJ old = SelectObject(dc, font);
      SIZE size = {};
      GetTextExtentExPointW(dc, text, static_cast<int>(wcslen(text)), 0, nullptr, nullptr, &size);
      SelectObject(dc, old);
      DeleteObject(font);
      return size;
    };
    m.ClockWidth = measure(ItemSettings.Time.Font1, L"00:00").cx;
    m.Date1 = measure(ItemSettings.Date.Font1, TimeTexts.DateText1);
    m.Date2 = measure(ItemSettings.Date.Font2, TimeTexts.DateText2);
    m.Icon = ImageSize(StateImages.Alarm);
    return LayoutTimePage(box, m, ItemSettings.Time.ShowDate);
  }

  // The icon's own pixels (key excluded) sit at the layout's icon position.
  void ExpectIconAt(const Canvas& canvas, POINT at) {
    const SIZE size = ImageSize(StateImages.Alarm);
    HDC memory = CreateCompatibleDC(canvas.dc());
    HGDIOBJ old = SelectObject(memory, StateImages.Alarm);
    const COLORREF key = GetPixel(memory, 0, 0);
    int matched = 0;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) {
        const COLORREF source = GetPixel(memory, x, y);
        if (source == key) continue;
        EXPECT_EQ(canvas.At(at.x + x, at.y + y), source) << "icon pixel " << x << "," << y;
        ++matched;
      }
    EXPECT_GT(matched, size.cx * size.cy / 3);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
};

TEST_F(TimePageTest, ClockCentredWithAlarmTopRight) {
  ItemSettings.Time.ShowDate = 0;
  Canvas canvas(Width, height, Black);
  PaintTimePage(canvas.dc(), FramePage(item->get(), PageKindTime, 0, 0));
  canvas.Dump("time_showdate0");
  const TimeLayout layout = Expected(canvas.dc());

  const RECT clock = BoundsOf(canvas, Reddish);
  ASSERT_GT(clock.right, clock.left) << "the clock was drawn";
  EXPECT_GE(clock.left, layout.Clock.left - 1);
  EXPECT_NEAR(clock.right,
              layout.Clock.right + 1 - InkGapRight(ItemSettings.Time.Font1, TimeTexts.TimeText), 1)
      << "right-aligned in its box";
  const int middle = (clock.top + clock.bottom) / 2,
            boxMiddle = (layout.Clock.top + layout.Clock.bottom) / 2;
  EXPECT_NEAR(middle, boxMiddle, 3 * ScreenDpiY() / 96) << "vertically centred";

  EXPECT_EQ(BoundsOf(canvas, Greenish).right, 0) << "no date with ShowDate 0";
  EXPECT_EQ(BoundsOf(canvas, Bluish).right, 0);

  ExpectIconAt(canvas, layout.Icon);
  EXPECT_EQ(layout.Icon.x + ImageSize(StateImages.Alarm).cx, Width - ItemSettings.MarginRight);

  // "07:30" in cyan, under the icon, ending at the right margin.
  const RECT text = BoundsOf(canvas, Cyanish);
  ASSERT_GT(text.right, text.left) << "the next alarm was drawn";
  EXPECT_GE(text.top, layout.Icon.y + ImageSize(StateImages.Alarm).cy);
  EXPECT_NEAR(
      text.right,
      layout.AlarmText.right + 1 - InkGapRight(ItemSettings.Time.Font2, TimeTexts.NextAlarmText),
      1);
}

TEST_F(TimePageTest, DatesAtTheRightMoveTheAlarmToTheLeft) {
  ItemSettings.Time.ShowDate = 3;
  Canvas canvas(Width, height, Black);
  PaintTimePage(canvas.dc(), FramePage(item->get(), PageKindTime, 0, 0));
  canvas.Dump("time_showdate3");
  const TimeLayout layout = Expected(canvas.dc());
  const int R = Width - ItemSettings.MarginRight;

  const RECT date1 = BoundsOf(canvas, Greenish), date2 = BoundsOf(canvas, Bluish);
  ASSERT_GT(date1.right, date1.left);
  ASSERT_GT(date2.right, date2.left);
  // Right-aligned ink ends where the text's own blank or overhang puts it.
  EXPECT_NEAR(date1.right, R + 1 - InkGapRight(ItemSettings.Date.Font1, TimeTexts.DateText1), 1)
      << "date 1 right-aligned at R";
  EXPECT_NEAR(date2.right, R + 1 - InkGapRight(ItemSettings.Date.Font2, TimeTexts.DateText2), 1)
      << "date 2 right-aligned at R";
  EXPECT_LT(date1.top, date2.top) << "date 2 on the line below";
  EXPECT_GE(date2.top, layout.Date2.top);

  const RECT clock = BoundsOf(canvas, Reddish);
  EXPECT_NEAR(clock.right,
              layout.Clock.right + 1 - InkGapRight(ItemSettings.Time.Font1, TimeTexts.TimeText), 1);
  EXPECT_LT(clock.right, date1.left + 1) << "the clock stays left of the dates";

  ExpectIconAt(canvas, layout.Icon);
  EXPECT_EQ(layout.Icon.x, ItemSettings.MarginLeft) << "icon top left";
  EXPECT_EQ(layout.Icon.y, ItemSettings.MarginTop);
}

TEST_F(TimePageTest, DatesAtTheBottomSitOnTheLastLine) {
  ItemSettings.Time.ShowDate = 4;
  Canvas canvas(Width, height, Black);
  PaintTimePage(canvas.dc(), FramePage(item->get(), PageKindTime, 0, 0));
  const TimeLayout layout = Expected(canvas.dc());
  const RECT date1 = BoundsOf(canvas, Greenish), date2 = BoundsOf(canvas, Bluish);
  const RECT clock = BoundsOf(canvas, Reddish);
  EXPECT_NEAR(date1.left, ItemSettings.MarginLeft, 2);
  EXPECT_NEAR(date2.right, Width - ItemSettings.MarginRight, 3);
  EXPECT_LE(date1.bottom, layout.Date1.bottom);
  EXPECT_GE(date1.top, layout.Date1.top);
  EXPECT_LE(clock.bottom, date1.top + 2) << "the clock ends above the date line";
}

TEST_F(TimePageTest, WithoutTheAlarmImageNoBlockIsDrawn) {
  ItemSettings.Time.ShowDate = 0;
  ItemSettings.Time.Font1.FontColor = Black;  // only the alarm block could show
  ReleaseStateImages();
  Canvas canvas(Width, height, Black);
  PaintTimePage(canvas.dc(), FramePage(item->get(), PageKindTime, 0, 0));
  EXPECT_EQ(BoundsOf(canvas, [](COLORREF c) { return c != Black; }).right, 0)
      << "no icon and no next-alarm text";

  // Alarm off: nothing either, although the image is there.
  LoadStateImages(item->get());
  TimeTexts.AlarmOn = 0;
  Canvas off(Width, height, Black);
  PaintTimePage(off.dc(), FramePage(item->get(), PageKindTime, 0, 0));
  EXPECT_EQ(BoundsOf(off, [](COLORREF c) { return c != Black; }).right, 0);
}

TEST_F(TimePageTest, FontsAreDeletedAndTheDcKeepsItsFont) {
  Canvas canvas(Width, height, Black);
  HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_FONT);
  for (int i = 0; i < 200; ++i)
    PaintTimePage(canvas.dc(), FramePage(item->get(), PageKindTime, 0, 0));
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), before);
}

}  // namespace
