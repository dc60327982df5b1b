// The texts the refresh makes for the Time and Date pages: the clock in each
// TimeFormat, the Russian dates, and the alarm readings from the registry.
// tovira-test-dpi: 192
#include "item/pages/time_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "draw_testing.h"
#include "item/host/page_life.h"
#include "item/pages/time_format.h"
#include "item/pages/time_source.h"
#include "item/settings/bounded_text.h"
#include "support/text.h"

using namespace drawtest;

namespace {

using testsupport::Narrow;

const std::wstring ClockKey = L"Software\\Microsoft\\Clock\\";
const std::wstring AlarmsKey = L"System\\State\\Shell\\Alarms";

class TimeTextsTest : public ::testing::Test {
 protected:
  ItemStandIn item{240, 80};
  AlarmStateSnapshot deviceAlarms;  // before the scratch keys, so it restores last
  RegistryScratch registry;
  void SetUp() override { ResetSettingsToDefaults(); }
  void TearDown() override { SetClockOverride(nullptr); }
  void TickAt(const SYSTEMTIME& t, int force = 1) {
    SetClockOverride(&t);
    RefreshTick(force);
  }
  void SetNext(const SYSTEMTIME& t, DWORD type = REG_BINARY) {
    FILETIME ft = {};
    ASSERT_TRUE(SystemTimeToFileTime(&t, &ft));
    registry.SetBinary(HKEY_CURRENT_USER, AlarmsKey, L"Next", &ft, sizeof(ft), type);
  }
};

TEST_F(TimeTextsTest, ClockInEveryTimeFormat) {
  struct Case {
    int format, hour;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0, 9, L"9:05"}, {1, 9, L"9:05"},   {2, 9, L"09:05"}, {3, 9, L"09:05"},  {7, 9, L""},
      {-1, 9, L""},    {0, 21, L"21:05"}, {1, 21, L"9:05"}, {2, 21, L"21:05"}, {3, 21, L"09:05"},
  };
  for (const Case& c : cases) {
    ItemSettings.Time.TimeFormat = c.format;
    TickAt(At(2026, 12, 7, c.hour, 5, 30));
    EXPECT_EQ(std::wstring(TimeTexts.TimeText), c.text)
        << "TimeFormat " << c.format << " at " << c.hour << ":05";
  }
}

TEST_F(TimeTextsTest, DatesAreRussianLongDateAndWeekday) {
  // Monday, 7 December 2026, with the defaults: Format1 empty, Format2 "dddd".
  TickAt(At(2026, 12, 7, 9, 5, 0));
  const std::wstring date1 = TimeTexts.DateText1, date2 = TimeTexts.DateText2;
  EXPECT_NE(date1.find(L"7 декабря 2026"), std::wstring::npos) << Narrow(date1);
  EXPECT_EQ(date2, L"понедельник") << Narrow(date2);

  wchar_t longDate[260] = {};
  const SYSTEMTIME day = At(2026, 12, 7, 9, 5, 0);
  GetDateFormatW(0x800, DATE_LONGDATE, &day, nullptr, longDate, 260);
  EXPECT_EQ(date1, longDate) << "the locale's long date";
}

TEST_F(TimeTextsTest, DatePicturesAndOverlongDatesAreCut) {
  wcscpy(ItemSettings.Date.Format1, L"dd.MM.yyyy");
  wcscpy(ItemSettings.Date.Format2, L"ddd");
  TickAt(At(2026, 3, 1, 10, 0, 0));
  EXPECT_EQ(std::wstring(TimeTexts.DateText1), L"01.03.2026");
  wchar_t weekday[8] = {};
  wcscpy(weekday, TimeTexts.DateText2);
  CharLowerW(weekday);
  EXPECT_EQ(std::wstring(weekday), L"вс") << Narrow(TimeTexts.DateText2);

  // Nineteen weekday names are more than the 99 units a date text holds.
  std::wstring picture;
  for (int i = 0; i < 19; ++i) picture += L"dddd ";
  wcscpy(ItemSettings.Date.Format1, picture.c_str());
  TickAt(At(2026, 3, 4, 10, 0, 0));  // среда: 5 letters + a space each
  EXPECT_EQ(std::wstring(TimeTexts.DateText1).size(), 99u);
  EXPECT_EQ(std::wstring(TimeTexts.DateText1).substr(0, 6), L"среда ");
}

TEST_F(TimeTextsTest, AlarmOnWhenAnyOfTheThreeClockKeysHasFlags) {
  struct Case {
    int key;
    DWORD flags;
    int on;
  };
  const Case cases[] = {{0, 0, 0}, {0, 1, 1}, {1, 4, 1}, {2, 0x80000000u, 1}, {3, 1, 0}};
  for (const Case& c : cases) {
    RegistryScratch scratch;
    scratch.SetDword(HKEY_LOCAL_MACHINE, ClockKey + std::to_wstring(c.key), L"AlarmFlags", c.flags);
    ReadAlarmState();
    EXPECT_EQ(TimeTexts.AlarmOn, c.on) << "key " << c.key << " flags " << c.flags;
  }
  // A text where a number belongs is not a readable flag.
  registry.SetText(HKEY_LOCAL_MACHINE, ClockKey + L"1", L"AlarmFlags", L"1");
  ReadAlarmState();
  EXPECT_EQ(TimeTexts.AlarmOn, 0);
}

TEST_F(TimeTextsTest, NextAlarmIsTheStoredClockTimeWithoutZoneShift) {
  SetNext(At(2026, 12, 8, 7, 30, 0));
  ReadAlarmState();
  EXPECT_STREQ(TimeTexts.NextAlarmText, L"07:30");

  SetNext(At(2026, 12, 8, 23, 59, 59), REG_QWORD);
  ReadAlarmState();
  EXPECT_STREQ(TimeTexts.NextAlarmText, L"23:59");

  const DWORD shortValue = 5;  // four bytes are no FILETIME
  registry.SetBinary(HKEY_CURRENT_USER, AlarmsKey, L"Next", &shortValue, sizeof(shortValue));
  ReadAlarmState();
  EXPECT_STREQ(TimeTexts.NextAlarmText, L"");

  const unsigned long long invalid = ~0ull;  // beyond what the platform converts
  registry.SetBinary(HKEY_CURRENT_USER, AlarmsKey, L"Next", &invalid, sizeof(invalid));
  ReadAlarmState();
  EXPECT_STREQ(TimeTexts.NextAlarmText, L"");

  registry.Delete(HKEY_CURRENT_USER, AlarmsKey, L"Next");
  SetNext(At(2026, 1, 1, 6, 0, 0));
  ReadAlarmState();
  registry.Delete(HKEY_CURRENT_USER, AlarmsKey, L"Next");
  ReadAlarmState();
  EXPECT_STREQ(TimeTexts.NextAlarmText, L"") << "a removed value empties the text";
}

TEST(TimeFormatPieces, PicturesAndBoundedTexts) {
  EXPECT_STREQ(TimePicture(0), L"H:mm");
  EXPECT_STREQ(TimePicture(1), L"h:mm");
  EXPECT_STREQ(TimePicture(2), L"HH:mm");
  EXPECT_STREQ(TimePicture(3), L"hh:mm");
  EXPECT_STREQ(TimePicture(4), L"");
  EXPECT_STREQ(TimePicture(-2147483647 - 1), L"");

  wchar_t slot[5];
  wmemset(slot, L'#', 5);
  slot[4] = 0;
  EXPECT_TRUE(StoreText(slot, 5, L"abcdefgh"));
  EXPECT_STREQ(slot, L"abcd");
  EXPECT_FALSE(StoreText(slot, 5, L"abcdXYZ")) << "equal once cut to the slot";
  EXPECT_FALSE(TextDiffers(slot, 5, L"abcdQ"));
  EXPECT_TRUE(TextDiffers(slot, 5, L"abc"));
  EXPECT_TRUE(StoreText(slot, 5, L"z"));
  EXPECT_EQ(slot[1], 0);
  EXPECT_EQ(slot[3], 0) << "the slot is cleared whole";
}

}  // namespace
