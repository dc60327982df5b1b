// Radio rules, operator text and counter text of the Wireless page.
#include "item/pages/wireless_text.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

TEST(WirelessRules, RadioValues) {
  struct Case {
    bool read;
    unsigned long value;
    bool bt, wifi;
  };
  const Case cases[] = {
      {true, 0, false, true}, {true, 1, true, false}, {true, 4, true, true},
      {true, 5, true, false}, {true, 8, false, true}, {false, 4, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BluetoothOnFromValue(c.read, c.value), c.bt) << "value " << c.value;
    EXPECT_EQ(WifiOnFromValue(c.read, c.value), c.wifi) << "value " << c.value;
  }
}

TEST(WirelessRules, CounterText) {
  struct Case {
    CounterInput in;
    const wchar_t* text;
  };
  const Case cases[] = {
      {{2, 0, 3, 1, 1, 1}, L"@:2 calls:3 "},
      {{2, 5, 3, 1, 1, 1}, L"@:2 sms:5 calls:3 "},
      {{2, 5, 3, 0, 1, 0}, L"sms:5 "},
      {{-1, INT_MIN, 0, 1, 1, 1}, L""},
      {{INT_MAX, INT_MAX, INT_MAX, 1, 1, 1}, L"@:2147483647 sms:2147483647 calls:2147483647 "},
  };
  for (const Case& c : cases) {
    wchar_t out[CounterSlot];
    BuildCounterText(c.in, out, CounterSlot);
    EXPECT_EQ(std::wstring(out), std::wstring(c.text));
  }
}

TEST(WirelessRules, CounterTextStaysInItsBuffer) {
  wchar_t out[8];
  std::wmemset(out, L'#', 8);
  BuildCounterText({123456, 7, 8, 1, 1, 1}, out, 6);
  EXPECT_EQ(out[5], L'\0');
  EXPECT_EQ(out[6], L'#');
}

TEST(WirelessRules, MissingOperatorReadsAsPhoneOffAndChangesOnce) {
  wchar_t stored[OperatorSlot] = {};
  EXPECT_TRUE(UpdateOperatorText(stored, L""));
  EXPECT_STREQ(stored, L"Телефон выключен");
  EXPECT_FALSE(UpdateOperatorText(stored, L""));  // the display is the same
  EXPECT_FALSE(UpdateOperatorText(stored, nullptr));
  EXPECT_TRUE(UpdateOperatorText(stored, L"MTS"));
  EXPECT_STREQ(stored, L"MTS");
  EXPECT_FALSE(UpdateOperatorText(stored, L"MTS"));
  EXPECT_TRUE(UpdateOperatorText(stored, L""));
  EXPECT_STREQ(stored, L"Телефон выключен");
}

TEST(WirelessRules, LongOperatorIsCutTo99) {
  wchar_t stored[OperatorSlot] = {};
  const std::wstring longName(128, L'x');
  EXPECT_TRUE(UpdateOperatorText(stored, longName.c_str()));
  EXPECT_EQ(std::wcslen(stored), 99u);
  EXPECT_FALSE(UpdateOperatorText(stored, longName.c_str()));
}
