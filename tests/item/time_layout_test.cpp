// Where the Time page puts its pieces for each ShowDate, from chosen sizes.
#include "item/pages/time_layout.h"

#include <gtest/gtest.h>

#include <climits>

#include "item/pages/page_frame.h"

namespace {

// A page box of 200 x 60 at (10, 4), a 70-wide clock, date texts of 50 x 12
// and 64 x 14 (so Dw = 64, Dh = 14), a 16 x 16 alarm icon.
constexpr RECT Box = {10, 4, 210, 64};
const TimeMeasures Sizes = {70, {50, 12}, {64, 14}, {16, 16}};

struct Expect {
  int showDate;
  RECT clock;
  bool dates;
  RECT date1;
  UINT flags1;
  RECT date2;
  UINT flags2;
  POINT icon;
  RECT text;
  UINT textFlags;
};

}  // namespace

// For the comparisons of RECTs, found by GoogleTest beside RECT itself.
void PrintTo(const RECT& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

TEST(LayoutTimePage, EveryShowDate) {
  // innerW = 200; L = 10, T = 4, R = 210, B = 64.
  // clang-format off
  const Expect table[] = {
      // 0: centred clock, no dates, icon top right, text right-aligned L..R.
      {0, {75, 4, 145, 64}, false, {}, 0, {}, 0, {194, 4}, {10, 20, 210, 64}, TextRight},
      // 1: dates at the left; clock centred in what is left: 10 + 64 + (200 - 64 - 70) / 2.
      {1, {107, 4, 177, 64}, true, {10, 4, 210, 64}, TextLeft, {10, 16, 210, 64}, TextLeft,
       {194, 4}, {74, 20, 210, 64}, TextRight},
      // 2: dates on top, clock and icon below them.
      {2, {75, 18, 145, 64}, true, {10, 4, 210, 64}, TextLeft, {10, 4, 210, 64}, TextRight,
       {194, 18}, {10, 34, 210, 64}, TextRight},
      // 3: dates at the right; icon top left, text left-aligned L..R - Dw.
      {3, {43, 4, 113, 64}, true, {10, 4, 210, 64}, TextRight, {10, 16, 210, 64}, TextRight,
       {10, 4}, {10, 20, 146, 64}, TextLeft},
      // 4: dates at the bottom, clock above them, text ends at B - Dh.
      {4, {75, 4, 145, 50}, true, {10, 52, 210, 64}, TextLeft, {10, 50, 210, 64}, TextRight,
       {194, 4}, {10, 20, 210, 50}, TextRight},
  };
  // clang-format on
  for (const Expect& e : table) {
    SCOPED_TRACE(testing::Message() << "ShowDate " << e.showDate);
    const TimeLayout got = LayoutTimePage(Box, Sizes, e.showDate);
    EXPECT_EQ(got.Clock, e.clock);
    EXPECT_EQ(got.DrawDates, e.dates);
    if (e.dates) {
      EXPECT_EQ(got.Date1, e.date1);
      EXPECT_EQ(got.Date1Flags, e.flags1);
      EXPECT_EQ(got.Date2, e.date2);
      EXPECT_EQ(got.Date2Flags, e.flags2);
    }
    EXPECT_EQ(got.Icon.x, e.icon.x);
    EXPECT_EQ(got.Icon.y, e.icon.y);
    EXPECT_EQ(got.AlarmText, e.text);
    EXPECT_EQ(got.AlarmTextFlags, e.textFlags);
  }
}

TEST(LayoutTimePage, HalvesTruncateTowardZeroAndOddValuesLayOutAsNone) {
  // innerW - W = -5: half is -2, not -3.
  const TimeMeasures wide = {205, {0, 0}, {0, 0}, {0, 0}};
  EXPECT_EQ(LayoutTimePage(Box, wide, 0).Clock.left, 8);
  for (int odd : {5, -1, INT_MAX}) {
    const TimeLayout got = LayoutTimePage(Box, Sizes, odd);
    EXPECT_FALSE(got.DrawDates) << odd;
    EXPECT_EQ(got.Clock, LayoutTimePage(Box, Sizes, 0).Clock) << odd;
  }
}

TEST(LayoutTimePage, MissingIconTakesNoRoom) {
  TimeMeasures noIcon = Sizes;
  noIcon.Icon = SIZE{0, 0};
  const TimeLayout got = LayoutTimePage(Box, noIcon, 0);
  EXPECT_EQ(got.Icon.x, 210);
  EXPECT_EQ(got.AlarmText.top, 4);
}

TEST(PageInnerBox, MarginsOffsetsAndSaturation) {
  const RECT client = {0, 0, 240, 100};
  const RECT box = PageInnerBox(PageFrame{client, -30, 20, 40, 10, 2, 12, 3});
  EXPECT_EQ(box.left, -20);
  EXPECT_EQ(box.right, 198);
  EXPECT_EQ(box.top, 22);
  EXPECT_EQ(box.bottom, 57);
  const RECT huge =
      PageInnerBox(PageFrame{client, 0, 0, INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MIN});
  EXPECT_EQ(huge.left, INT_MAX);
  EXPECT_EQ(huge.right, INT_MAX);
  EXPECT_EQ(huge.top, INT_MIN);
  EXPECT_EQ(huge.bottom, INT_MAX);
  // Layout over a saturated box still yields numbers, not wrapped nonsense.
  const TimeLayout got = LayoutTimePage(huge, Sizes, 1);
  EXPECT_LE(got.Clock.left, got.Clock.right);
}

}  // namespace
