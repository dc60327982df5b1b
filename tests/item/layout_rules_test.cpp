// The layout's arithmetic on figures the registry can hold but a window test
// cannot easily reach: item height sums, launcher rows, paging, hit test.
#include <gtest/gtest.h>

#include <climits>

#include "item/host/layout.h"
#include "item/host/paging.h"
#include "item/host/taps.h"
#include "item/pages/calendar_grid.h"
#include "item/pages/launcher_layout.h"
#include "item/settings/fonts.h"
#include "item/settings/page_table.h"

namespace {

TEST(ItemHeightOf, FixedPagesSumAndTheTallestPagingPageAdds) {
  struct Case {
    int heights[6];
    int fixed;
    int expected;
  } cases[] = {
      {{15, 30, 15, 48, 48, 48}, 3, 108},
      {{15, 30, 15, 48, 20, 60}, 3, 120},
      {{15, 30, 15, 48, 20, 60}, 0, 60},   // everything pages: the tallest
      {{15, 30, 15, 48, 20, 60}, 6, 188},  // no paging slot
      {{1, 2, 3, 4, 5, 6}, 3, 20},         // below the minimum
      {{0, 0, 0, 0, 0, 0}, 3, 20},
      {{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, 3, INT_MAX},
      {{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, 6, INT_MAX},
      {{INT_MIN, INT_MIN, INT_MIN, 5, 5, 5}, 3, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "fixed " << c.fixed << " first " << c.heights[0]);
    EXPECT_EQ(ItemHeightOf(c.heights, c.fixed, 20), c.expected);
  }
}

TEST(LauncherRowCount, CountsTheRowsTheLayoutMakes) {
  struct Case {
    int n, width, icon, rows;
  } cases[] = {
      {0, 220, 32, 0}, {1, 220, 32, 1},  {6, 220, 32, 1},  // six fit: 6 x 32 < 220 < 7 x 32
      {7, 220, 32, 2}, {13, 220, 32, 3},                   // the thirteenth alone in a third row
      {8, 224, 32, 2}, {3, 0, 32, 3},                      // no width: a row per icon
      {3, -50, 32, 3}, {5, 10, 32, 5},   {100000, 0, 32, 100000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.n << " icons on " << c.width);
    const LauncherGeometry g = {0, c.width, 0, 0, 0, c.icon, c.icon, 0};
    EXPECT_EQ(LauncherRowCount(g, static_cast<size_t>(c.n)), c.rows);
  }
}

TEST(DpiArithmetic, TruncatesAndSaturates) {
  EXPECT_EQ(ScaleLength(2, 96), 2);
  EXPECT_EQ(ScaleLength(2, 131), 2);
  EXPECT_EQ(ScaleLength(2, 192), 4);
  EXPECT_EQ(ScaleLength(INT_MAX, 192), INT_MAX);
  EXPECT_EQ(FontCharHeight(8, 96), -10);
  EXPECT_EQ(FontCharHeight(8, 192), -21);
  EXPECT_EQ(FontCharHeight(0, 96), 0);
  EXPECT_EQ(FontCharHeight(-8, 96), 10);
  EXPECT_EQ(FontCharHeight(1 << 30, 96), -1431655765);
  EXPECT_EQ(FontCharHeight(1 << 30, 192), -INT_MAX);
  EXPECT_EQ(FontCharHeight(INT_MIN, 192), INT_MAX);
}

struct PagingCase {
  int visible[6];
  int fixed;
  int from;
  int next;
  int prev;
};

TEST(Paging, NextAndPrevWalkTheVisiblePagingPositions) {
  const PagingCase cases[] = {
      {{1, 1, 1, 1, 1, 1}, 3, 3, 4, 5}, {{1, 1, 1, 1, 1, 1}, 3, 5, 3, 4},
      {{1, 1, 1, 1, 0, 1}, 3, 3, 5, 5},  // skips the invisible one both ways
      {{1, 1, 1, 0, 1, 0}, 3, 4, 4, 4},  // one visible page: lands on itself
      {{1, 1, 1, 0, 0, 0}, 3, 3, 4, 5},  // none visible: no skipping
      {{1, 1, 1, 1, 1, 1}, 6, 6, 0, 0},  // no paging slot
      {{1, 1, 1, 1, 1, 1}, 0, 0, 1, 5}, {{0, 1, 0, 0, 0, 0}, 0, 1, 1, 1},
  };
  for (const PagingCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "fixed " << c.fixed << " from " << c.from);
    PageRecord table[6];
    ResetPageTable(table);
    for (int i = 0; i < 6; ++i) table[i].Visible = c.visible[i];
    int paging = CountPagingPages(table, c.fixed);
    EXPECT_EQ(NextPagingPageIn(table, c.fixed, paging, c.from), c.next);
    EXPECT_EQ(PrevPagingPageIn(table, c.fixed, paging, c.from), c.prev);
  }
}

TEST(PlanHitTest, FixedPagesByStoredHeightThenTheSlot) {
  const int heights[6] = {15, 0, 30, 48, 48, 48};
  TapHit hits[7];
  struct Case {
    int y, position, localY;
  } cases[] = {{0, 0, 0}, {14, 0, 14}, {15, 2, 0}, {44, 2, 29}, {45, -1, 0}, {300, -1, 255}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    ASSERT_EQ(PlanHitTest(heights, 3, c.y, hits), 1);
    EXPECT_EQ(hits[0].Position, c.position);
    EXPECT_EQ(hits[0].Y, c.localY);
  }
  EXPECT_EQ(PlanHitTest(heights, 3, -1, hits), 0);
  const int huge[6] = {INT_MAX, INT_MAX, INT_MAX, 0, 0, 0};
  ASSERT_EQ(PlanHitTest(huge, 3, 5, hits), 1);
  EXPECT_EQ(hits[0].Position, 0);
}

}  // namespace
