// The once-a-second refresh repaints only on change: counted as the ticks
// after which the item window holds an invalid region.
#include <gtest/gtest.h>

#include <string>

#include "draw_testing.h"
#include "item/host/page_life.h"
#include "item/pages/time_source.h"
#include "item/pages/time_texts.h"

using namespace drawtest;

namespace {

const std::wstring ClockKey0 = L"Software\\Microsoft\\Clock\\0";
const std::wstring AlarmsKey = L"System\\State\\Shell\\Alarms";

class TickTest : public ::testing::Test {
 protected:
  // One visible window for the whole suite: showing one is slow under Wine.
  static ItemStandIn* shared;
  static void SetUpTestSuite() { shared = new ItemStandIn(240, 80, true); }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
  }
  ItemStandIn& item = *shared;
  AlarmStateSnapshot deviceAlarms;  // before the scratch keys, so it restores last
  RegistryScratch registry;

  void SetUp() override {
    ItemWindow = item.get();
    ResetSettingsToDefaults();
    Tick(At(2026, 12, 7, 9, 5, 0), 1);
    item.TakeInvalidation();
  }
  void TearDown() override { SetClockOverride(nullptr); }

  // One tick at that time; true when it invalidated the window.
  bool Tick(const SYSTEMTIME& t, int force = 0) {
    SetClockOverride(&t);
    RefreshTick(force);
    return item.TakeInvalidation();
  }
  void SetNext(int hour, int minute) {
    const SYSTEMTIME t = At(2026, 12, 8, hour, minute, 0);
    FILETIME ft;
    SystemTimeToFileTime(&t, &ft);
    registry.SetBinary(HKEY_CURRENT_USER, AlarmsKey, L"Next", &ft, sizeof(ft));
  }
};

ItemStandIn* TickTest::shared = nullptr;

TEST_F(TickTest, SixtyTicksInOneMinuteRepaintNothingThenTheMinuteRepaintsOnce) {
  int repaints = 0;
  for (int second = 0; second < 60; ++second) repaints += Tick(At(2026, 12, 7, 9, 5, second));
  EXPECT_EQ(repaints, 0);
  EXPECT_TRUE(Tick(At(2026, 12, 7, 9, 6, 0)));
  EXPECT_STREQ(TimeTexts.TimeText, L"09:06");
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 6, 1)));
}

TEST_F(TickTest, AlarmAndNextAlarmChangesRepaintOnce) {
  registry.SetDword(HKEY_LOCAL_MACHINE, ClockKey0, L"AlarmFlags", 1);
  EXPECT_TRUE(Tick(At(2026, 12, 7, 9, 5, 10)));
  EXPECT_EQ(TimeTexts.AlarmOn, 1);
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 5, 11)));

  SetNext(7, 30);
  EXPECT_TRUE(Tick(At(2026, 12, 7, 9, 5, 12)));
  EXPECT_STREQ(TimeTexts.NextAlarmText, L"07:30");
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 5, 13)));
  SetNext(7, 30);  // rewritten unchanged: nothing to show
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 5, 14)));

  registry.SetDword(HKEY_LOCAL_MACHINE, ClockKey0, L"AlarmFlags", 0);
  EXPECT_TRUE(Tick(At(2026, 12, 7, 9, 5, 15)));
  EXPECT_EQ(TimeTexts.AlarmOn, 0);
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 5, 16)));
}

TEST_F(TickTest, ForcedRefreshRepaintsAtOnce) {
  EXPECT_TRUE(Tick(At(2026, 12, 7, 9, 5, 20), 1));
  EXPECT_TRUE(Tick(At(2026, 12, 7, 9, 5, 20), 1));
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 5, 21)));
}

TEST_F(TickTest, DatesFollowTheMinuteNotTheSecond) {
  Tick(At(2026, 12, 7, 23, 59, 0));
  EXPECT_STREQ(TimeTexts.DateText2, L"понедельник");
  EXPECT_FALSE(Tick(At(2026, 12, 7, 23, 59, 59)));
  EXPECT_TRUE(Tick(At(2026, 12, 8, 0, 0, 0)));
  EXPECT_STREQ(TimeTexts.DateText2, L"вторник");
}

TEST_F(TickTest, AnEmptyClockStillMovesTheDateAtMidnight) {
  ItemSettings.Time.TimeFormat = 7;  // no clock picture: the clock text stays empty
  Tick(At(2026, 12, 7, 23, 59, 0), 1);
  EXPECT_STREQ(TimeTexts.TimeText, L"");
  EXPECT_FALSE(Tick(At(2026, 12, 7, 23, 59, 30)));
  EXPECT_TRUE(Tick(At(2026, 12, 8, 0, 0, 0)));
  EXPECT_STREQ(TimeTexts.DateText2, L"вторник");
}

TEST_F(TickTest, ANewItemWindowStartsWithEmptyTexts) {
  registry.SetDword(HKEY_LOCAL_MACHINE, ClockKey0, L"AlarmFlags", 1);
  Tick(At(2026, 12, 7, 9, 5, 30));
  ASSERT_EQ(TimeTexts.AlarmOn, 1);
  {
    ItemStandIn second(240, 80, true);
    // The first tick of another window finds everything new and repaints it.
    const SYSTEMTIME t = At(2026, 12, 7, 9, 5, 31);
    SetClockOverride(&t);
    RefreshTick(0);
    EXPECT_TRUE(second.TakeInvalidation());
    EXPECT_EQ(TimeTexts.AlarmOn, 1);
    EXPECT_EQ(TimeTexts.Window, second.get());
    EXPECT_STREQ(TimeTexts.TimeText, L"09:05");
  }
}

}  // namespace
