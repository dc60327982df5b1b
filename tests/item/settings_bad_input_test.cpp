// Stored values of the wrong type, size or length never reach the settings:
// each one leaves every slot at its default.
// tovira-test-dpi: 192
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "item/host/layout.h"
#include "item/host/paging.h"
#include "item/settings/item_settings.h"
#include "support/item_test_support.h"

using namespace itemtest;

namespace {

struct Value {
  const wchar_t* key;
  const wchar_t* name;
  bool text;
};

std::vector<Value> AllValues() {
  std::vector<Value> values;
  auto dwords = [&](const wchar_t* key, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* n : names) values.push_back({key, n, false});
  };
  auto texts = [&](const wchar_t* key, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* n : names) values.push_back({key, n, true});
  };
  dwords(L"", {L"FixedPageCount", L"MarginLeft", L"MarginTop", L"MarginRight", L"MarginBottom",
               L"TapType"});
  for (const wchar_t* key : {L"Wireless", L"Time", L"Date", L"Calendar", L"Launcher", L"SysInfo"})
    dwords(key, {L"Height", L"Order", L"Visible"});
  texts(L"Wireless", {L"FontName", L"OnClick"});
  dwords(L"Wireless", {L"FontSize", L"FontBold", L"FontColor", L"ClearType", L"ShowBT", L"ShowWF",
                       L"ShowCalls", L"ShowSMS", L"ShowEMails"});
  texts(L"Time", {L"FontName1", L"FontName2", L"OnClick"});
  dwords(L"Time",
         {L"FontSize1", L"FontBold1", L"FontColor1", L"ClearType1", L"FontSize2", L"FontBold2",
          L"FontColor2", L"ClearType2", L"TimeFormat", L"ShowAlarm", L"ShowDate"});
  texts(L"Date", {L"FontName1", L"FontName2", L"Format1", L"Format2", L"OnClick"});
  dwords(L"Date", {L"FontSize1", L"FontBold1", L"FontColor1", L"ClearType1", L"FontSize2",
                   L"FontBold2", L"FontColor2", L"ClearType2"});
  texts(L"Calendar", {L"FontName", L"FontNameWeekdays", L"OnClick"});
  dwords(L"Calendar", {L"FontSize", L"FontBold", L"Color", L"ClearType", L"FontSizeWeekdays",
                       L"FontBoldWeekdays", L"ColorWeekdays", L"ClearTypeWeekdays", L"ColorToday",
                       L"ColorSaturday", L"ColorSunday", L"ColorOther"});
  dwords(L"Launcher", {L"BigIcons", L"Align"});
  texts(L"SysInfo", {L"FontName", L"OnClick1", L"OnClick2"});
  dwords(L"SysInfo", {L"FontSize", L"FontBold", L"FontColor", L"ClearType", L"RamType",
                      L"PhoneType", L"CardType"});
  return values;
}

struct BadData {
  const char* what;
  DWORD type;
  std::vector<BYTE> bytes;
};

std::vector<BYTE> Bytes(const void* data, size_t size) {
  const BYTE* p = static_cast<const BYTE*>(data);
  return std::vector<BYTE>(p, p + size);
}

std::vector<BadData> BadNumbers() {
  DWORD five = 5;
  unsigned long long wide = 5;
  const wchar_t text[] = L"5";
  return {{"text", REG_SZ, Bytes(text, sizeof(text))},
          {"binary", REG_BINARY, Bytes(&five, 4)},
          {"two bytes", REG_DWORD, Bytes(&five, 2)},
          {"odd size", REG_DWORD, Bytes(&wide, 5)},
          {"eight bytes", REG_DWORD, Bytes(&wide, 8)},
          {"qword", REG_QWORD, Bytes(&wide, 8)},
          {"empty", REG_DWORD, {}}};
}

std::vector<BadData> BadTexts() {
  DWORD five = 5;
  std::wstring longText(300, L'q');
  std::wstring slotText(260, L'q');
  const wchar_t multi[] = L"a\0b\0";
  const wchar_t oddText[] = L"abc";
  return {{"number", REG_DWORD, Bytes(&five, 4)},
          {"binary", REG_BINARY, Bytes(L"abc", 8)},
          {"expandable", REG_EXPAND_SZ, Bytes(L"abc", 8)},
          {"multi", REG_MULTI_SZ, Bytes(multi, sizeof(multi))},
          {"odd size", REG_SZ, Bytes(oddText, 5)},
          {"too long", REG_SZ, Bytes(longText.c_str(), (longText.size() + 1) * 2)},
          {"too long, no terminator", REG_SZ, Bytes(longText.c_str(), longText.size() * 2)},
          {"slot-filling, no terminator", REG_SZ, Bytes(slotText.c_str(), slotText.size() * 2)}};
}

// Zeroes every plain slot, so two loads compare byte for byte.
void ClearSettings() {
  ItemSettingsRecord& s = ItemSettings;
  s.FixedPageCount = s.MarginLeft = s.MarginTop = s.MarginRight = s.MarginBottom = s.TapType = 0;
  std::memset(&s.Wireless, 0, sizeof(s.Wireless));
  std::memset(&s.Time, 0, sizeof(s.Time));
  std::memset(&s.Date, 0, sizeof(s.Date));
  std::memset(&s.Calendar, 0, sizeof(s.Calendar));
  std::memset(&s.SysInfo, 0, sizeof(s.SysInfo));
  std::memset(s.StorageCardPath, 0, sizeof(s.StorageCardPath));
  std::memset(s.PageTable, 0, sizeof(s.PageTable));
  s.Launcher.BigIcons = s.Launcher.Align = s.Launcher.Height = s.Launcher.Order =
      s.Launcher.Visible = 0;
}

struct Snapshot {
  int root[6];
  WirelessSettings wireless;
  TimeSettings time;
  DateSettings date;
  CalendarSettings calendar;
  SysInfoSettings sysinfo;
  int launcher[5];
  size_t launcherItems;
  PageRecord table[6];
  int paging;
};

Snapshot Take() {
  ClearSettings();
  LoadItemSettings();
  const ItemSettingsRecord& s = ItemSettings;
  Snapshot shot;
  std::memset(&shot, 0, sizeof(shot));
  int root[6] = {s.FixedPageCount, s.MarginLeft,   s.MarginTop,
                 s.MarginRight,    s.MarginBottom, s.TapType};
  std::memcpy(shot.root, root, sizeof(root));
  shot.wireless = s.Wireless;
  shot.time = s.Time;
  shot.date = s.Date;
  shot.calendar = s.Calendar;
  shot.sysinfo = s.SysInfo;
  int launcher[5] = {s.Launcher.BigIcons, s.Launcher.Align, s.Launcher.Height, s.Launcher.Order,
                     s.Launcher.Visible};
  std::memcpy(shot.launcher, launcher, sizeof(launcher));
  shot.launcherItems = s.Launcher.Items.size();
  std::memcpy(shot.table, s.PageTable, sizeof(shot.table));
  shot.paging = s.PagingCount;
  return shot;
}

class SettingsBadInput : public ::testing::Test {
 protected:
  SettingsScope scope;
};

TEST_F(SettingsBadInput, EveryValueKeepsItsDefaultAgainstEveryBadForm) {
  Snapshot defaults = Take();
  for (const Value& v : AllValues()) {
    for (const BadData& bad : v.text ? BadTexts() : BadNumbers()) {
      SCOPED_TRACE(testing::Message()
                   << "key '" << v.key << "' value " << v.name << ": " << bad.what);
      WipeSettings();
      SetRaw(v.key, v.name, bad.type, bad.bytes.data(), static_cast<DWORD>(bad.bytes.size()));
      Snapshot loaded = Take();
      EXPECT_EQ(std::memcmp(&loaded, &defaults, sizeof(Snapshot)), 0);
    }
  }
}

TEST_F(SettingsBadInput, ShortTextWithoutTerminatorIsTakenAndTerminated) {
  const wchar_t text[] = {L'a', L'b', L'c'};
  SetRaw(L"Wireless", L"OnClick", REG_SZ, text, sizeof(text));
  ClearSettings();
  LoadItemSettings();
  EXPECT_STREQ(ItemSettings.Wireless.OnClick, L"abc");
}

TEST_F(SettingsBadInput, ExtremeNumbersEverywhereCrashNothing) {
  for (DWORD extreme : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0u}) {
    SCOPED_TRACE(extreme);
    WipeSettings();
    for (const Value& v : AllValues())
      if (!v.text) SetDword(v.key, v.name, extreme);
    LoadItemSettings();
    EXPECT_GE(ItemHeight(), Py(20));
    for (int kind = 1; kind <= 6; ++kind) NaturalHeight(kind);
    for (int p = -1; p <= 7; ++p) {
      int next = NextPagingPage(p);
      int prev = PrevPagingPage(p);
      EXPECT_TRUE(next >= 0 && next < 6) << next;
      EXPECT_TRUE(prev >= 0 && prev < 6) << prev;
    }
  }
}

}  // namespace
