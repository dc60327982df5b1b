// Icon rows of the Launcher page: per-row count, gap, alignment.
#include "item/pages/launcher_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// A client 240 wide, no margins, 16-pixel icons: 14 per row, gap 1.
LauncherGeometry Narrow() { return {0, 240, 0, 0, 0, 16, 16, 0}; }

// 32-pixel icons on a 280-pixel client: 8 per row with a gap of 3 (step 35).
LauncherGeometry EightPerRow(int align) { return {0, 280, 0, 4, 0, 32, 32, align}; }

std::vector<RECT> Layout(const LauncherGeometry& g, size_t n) {
  std::vector<RECT> rects(n);
  LayoutLauncherRects(g, rects.data(), n);
  return rects;
}

TEST(LauncherLayout, FourteenSmallIconsOnA240PixelClient) {
  const LauncherGeometry g = Narrow();
  EXPECT_EQ(LauncherIconsPerRow(g), 14);
  EXPECT_EQ(LauncherGap(g, 14), 1);
  const auto rects = Layout(g, 15);
  EXPECT_EQ(rects[13].left, 13 * 17);
  EXPECT_EQ(rects[13].top, 0);
  EXPECT_EQ(rects[14].left, 0);
  EXPECT_EQ(rects[14].top, 16);
  EXPECT_EQ(rects[14].bottom, 32);
}

TEST(LauncherLayout, RowStartsByAlignment) {
  const LauncherGeometry base = EightPerRow(0);
  ASSERT_EQ(LauncherIconsPerRow(base), 8);
  ASSERT_EQ(LauncherGap(base, 8), 3);
  struct Case {
    int align;
    size_t items;
    int firstRowLeft;
    int secondRowLeft;  // -1: one row only
  };
  const Case cases[] = {
      {0, 5, 0, -1},     {1, 5, 35, -1},     {2, 5, 3 * 35, -1}, {7, 5, 0, -1},
      {0, 10, 0, 0},     {1, 10, 0, 3 * 35}, {2, 10, 0, 6 * 35}, {0, 9, 0, 0},
      {1, 9, 0, 3 * 35}, {2, 9, 0, 7 * 35},  {2, 8, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "align " << c.align << ", " << c.items << " items");
    const auto rects = Layout(EightPerRow(c.align), c.items);
    EXPECT_EQ(rects[0].left, c.firstRowLeft);
    EXPECT_EQ(rects[0].top, 4);
    const size_t inFirst = c.items < 8 ? c.items : 8;
    for (size_t j = 1; j < inFirst; ++j) EXPECT_EQ(rects[j].left - rects[j - 1].left, 35);
    if (c.secondRowLeft < 0) {
      EXPECT_EQ(rects[c.items - 1].top, 4);
    } else {
      EXPECT_EQ(rects[8].left, c.secondRowLeft);
      EXPECT_EQ(rects[8].top, 36);
      EXPECT_EQ(rects[8].right - rects[8].left, 32);
    }
  }
}

TEST(LauncherLayout, MarginsAndNoRoom) {
  LauncherGeometry g = {0, 240, 10, 2, 10, 32, 32, 0};
  // x0 = 10, limit 230: 10 + 6 * 32 = 202 < 230, 7 * 32 + 10 = 234 is not.
  EXPECT_EQ(LauncherIconsPerRow(g), 6);
  EXPECT_EQ(LauncherGap(g, 6), (240 - 192 - 20) / 5);
  g.clientRight = 40;  // x0 + iconW >= limit
  EXPECT_EQ(LauncherIconsPerRow(g), 0);
  EXPECT_EQ(LauncherGap(g, 0), 0);
  const auto rects = Layout(g, 3);
  for (size_t j = 0; j < 3; ++j) {
    EXPECT_EQ(rects[j].left, 10) << j;  // every icon starts its own row
    EXPECT_EQ(rects[j].top, 2 + 32 * static_cast<int>(j)) << j;
  }
}

TEST(LauncherLayout, DegenerateFiguresStayBounded) {
  LauncherGeometry g = {0, 240, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(LauncherIconsPerRow(g), 0);
  g = {INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MIN, 1, INT_MAX, 2};
  const auto rects = Layout(g, 4);
  EXPECT_LE(rects[3].top, rects[3].bottom);
}

}  // namespace
