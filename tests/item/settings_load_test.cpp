// LoadItemSettings through the real registry: defaults of an empty tree,
// range limits, ordering, the launcher list and the natural heights.
// Runs at 96 dpi and again in the 192-dpi prefix; each expectation gives the
// pixels of both.
// tovira-test-dpi: 192
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "item/host/item_window.h"
#include "item/host/layout.h"
#include "item/settings/item_settings.h"
#include "support/item_test_support.h"

using namespace itemtest;

namespace {

class SettingsLoad : public ::testing::Test {
 protected:
  SettingsScope scope;
  void SetUp() override { ItemWindow = nullptr; }
};

std::vector<int> KindsInOrder() {
  std::vector<int> kinds;
  for (const PageRecord& r : ItemSettings.PageTable) kinds.push_back(r.PageKind);
  return kinds;
}

// The line of "0" in Tahoma (regular or bold alike: ascent 2049 + descent 423
// per 2048 em), em = points x dpi / 72 truncated, each part rounded:
// 8 pt: 10 + 2 = 12 px at 96 dpi, 21 + 4 = 25 at 192;
// 20 pt: 26 + 5 = 31 px at 96 dpi, 53 + 11 = 64 at 192.

TEST_F(SettingsLoad, EmptyTreeGivesTheDefaults) {
  LoadItemSettings();
  const ItemSettingsRecord& s = ItemSettings;
  EXPECT_EQ(KindsInOrder(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  for (const PageRecord& r : s.PageTable) EXPECT_EQ(r.Visible, 1) << "kind " << r.PageKind;
  EXPECT_EQ(s.FixedPageCount, 3);
  EXPECT_EQ(s.PagingCount, 3);
  EXPECT_EQ(s.MarginLeft, AtDpi(10, 20));
  EXPECT_EQ(s.MarginTop, AtDpi(2, 4));
  EXPECT_EQ(s.MarginRight, AtDpi(10, 20));
  EXPECT_EQ(s.MarginBottom, AtDpi(2, 4));
  EXPECT_EQ(s.TapType, 1);
  const int heights[][2] = {{15, 30}, {30, 60}, {15, 30}, {48, 96}, {48, 96}, {48, 96}};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(s.PageTable[i].Height, AtDpi(heights[i][0], heights[i][1])) << "position " << i;
  EXPECT_EQ(ItemHeight(), AtDpi(108, 216));  // fixed 15 + 30 + 15, paging 48

  EXPECT_STREQ(s.Wireless.Font.FontName, L"Tahoma");
  EXPECT_EQ(s.Wireless.Font.FontSize, 8);
  EXPECT_EQ(s.Wireless.Font.FontColor, 0x00FFFFFFu);
  EXPECT_EQ(s.Wireless.Font.ClearType, 1);
  EXPECT_STREQ(s.Wireless.OnClick, L"Windows\\wrlsmgr.exe");
  EXPECT_EQ(s.Time.Font1.FontSize, 30);
  EXPECT_EQ(s.Time.Font1.FontBold, 1);
  EXPECT_EQ(s.Time.Font2.FontSize, 7);
  EXPECT_EQ(s.Time.TimeFormat, 2);
  EXPECT_EQ(s.Time.ShowAlarm, 1);
  EXPECT_EQ(s.Time.ShowDate, 0);
  EXPECT_STREQ(s.Time.OnClick, L"Windows\\clock.exe");
  EXPECT_STREQ(s.Date.Format1, L"");
  EXPECT_STREQ(s.Date.Format2, L"dddd");
  EXPECT_EQ(s.Date.Font2.FontBold, 1);
  EXPECT_EQ(s.Calendar.FontWeekdays.FontSize, 6);
  EXPECT_EQ(s.Calendar.FontWeekdays.FontColor, 0x00808080u);
  EXPECT_EQ(s.Calendar.ColorToday, 0x0000FF00u);
  EXPECT_EQ(s.Calendar.ColorSaturday, 0x008080FFu);
  EXPECT_EQ(s.Calendar.ColorSunday, 0x008080FFu);
  EXPECT_EQ(s.Calendar.ColorOther, 0x00808080u);
  EXPECT_STREQ(s.Calendar.OnClick, L"Windows\\calendar.exe");
  EXPECT_EQ(s.Launcher.BigIcons, 1);
  EXPECT_EQ(s.Launcher.Align, 0);
  EXPECT_TRUE(s.Launcher.Items.empty());
  EXPECT_EQ(s.SysInfo.RamType, 0);
  EXPECT_EQ(std::wstring(s.SysInfo.OnClick1), BinDir() + L"battery.lnk");
  EXPECT_EQ(std::wstring(s.SysInfo.OnClick2), BinDir() + L"memory.lnk");
}

TEST_F(SettingsLoad, FixedPageCountIsHeldToItsRange) {
  struct Case {
    int stored, fixed, paging;
  } cases[] = {{-5, 0, 6},      {9, 6, 0},       {0, 0, 6}, {6, 6, 0},
               {INT_MIN, 0, 6}, {INT_MAX, 6, 0}, {2, 2, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    SetDword(L"", L"FixedPageCount", static_cast<DWORD>(c.stored));
    LoadItemSettings();
    EXPECT_EQ(ItemSettings.FixedPageCount, c.fixed);
    EXPECT_EQ(ItemSettings.PagingCount, c.paging);
  }
  // Everything paging: the item is as tall as the tallest page.
  SetDword(L"", L"FixedPageCount", static_cast<DWORD>(-5));
  LoadItemSettings();
  EXPECT_EQ(ItemHeight(), AtDpi(48, 96));
}

TEST_F(SettingsLoad, EqualOrdersKeepKindOrder) {
  const int orders[] = {5, 5, 0, 0, 0, 0};
  for (int kind = 1; kind <= 6; ++kind) SetDword(PageKeyName(kind), L"Order", orders[kind - 1]);
  LoadItemSettings();
  EXPECT_EQ(KindsInOrder(), (std::vector<int>{3, 4, 5, 6, 1, 2}));
  // Heights travel with their records.
  EXPECT_EQ(ItemSettings.PageTable[4].Height, AtDpi(15, 30));
  EXPECT_EQ(ItemSettings.PageTable[5].Height, AtDpi(30, 60));
}

TEST_F(SettingsLoad, NegativeAndHugeOrdersSort) {
  const int orders[] = {INT_MAX, INT_MIN, 0, -1, 1, INT_MAX};
  for (int kind = 1; kind <= 6; ++kind)
    SetDword(PageKeyName(kind), L"Order", static_cast<DWORD>(orders[kind - 1]));
  LoadItemSettings();
  EXPECT_EQ(KindsInOrder(), (std::vector<int>{2, 4, 3, 5, 1, 6}));
}

TEST_F(SettingsLoad, LauncherListStopsAtTheFirstGap) {
  SetText(L"Launcher", L"FileName1", L"\\Windows\\a.lnk");
  SetText(L"Launcher", L"FileName2", L"");
  SetText(L"Launcher", L"FileName4", L"\\Windows\\d.lnk");
  LoadItemSettings();
  ASSERT_EQ(ItemSettings.Launcher.Items.size(), 2u);
  EXPECT_STREQ(ItemSettings.Launcher.Items[0].Path, L"\\Windows\\a.lnk");
  EXPECT_STREQ(ItemSettings.Launcher.Items[1].Path, L"");
  EXPECT_EQ(ItemSettings.Launcher.Items[1].Icon, nullptr);

  // An unreadable entry ends the list as a missing one does.
  SetDword(L"Launcher", L"FileName2", 7);
  LoadItemSettings();
  EXPECT_EQ(ItemSettings.Launcher.Items.size(), 1u);
}

TEST_F(SettingsLoad, LauncherItemsOfRealFilesGetIcons) {
  std::wstring self = BinDir() + L"item_settings_tests.exe";
  SetText(L"Launcher", L"FileName1", self);
  SetDword(L"Launcher", L"BigIcons", 0);
  LoadItemSettings();
  ASSERT_EQ(ItemSettings.Launcher.Items.size(), 1u);
  HICON icon = ItemSettings.Launcher.Items[0].Icon;
  ASSERT_NE(icon, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP bitmap = {};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  // A second load replaces the icon without keeping the old one alive.
  LoadItemSettings();
  EXPECT_FALSE(GetIconInfo(icon, &info)) << "the earlier icon should have been destroyed";
}

TEST_F(SettingsLoad, FontSizesAreHeldExceptWireless) {
  struct Case {
    const wchar_t* key;
    const wchar_t* name;
    int stored, expected;
    const int* field;
  } cases[] = {
      {L"SysInfo", L"FontSize", 0, 1, &ItemSettings.SysInfo.Font.FontSize},
      {L"SysInfo", L"FontSize", 250, 100, &ItemSettings.SysInfo.Font.FontSize},
      {L"Time", L"FontSize1", -7, 1, &ItemSettings.Time.Font1.FontSize},
      {L"Time", L"FontSize2", 100, 100, &ItemSettings.Time.Font2.FontSize},
      {L"Date", L"FontSize1", 101, 100, &ItemSettings.Date.Font1.FontSize},
      {L"Date", L"FontSize2", 1, 1, &ItemSettings.Date.Font2.FontSize},
      {L"Calendar", L"FontSize", INT_MIN, 1, &ItemSettings.Calendar.Font.FontSize},
      {L"Calendar", L"FontSizeWeekdays", INT_MAX, 100,
       &ItemSettings.Calendar.FontWeekdays.FontSize},
      {L"Wireless", L"FontSize", 0, 0, &ItemSettings.Wireless.Font.FontSize},
      {L"Wireless", L"FontSize", 1000, 1000, &ItemSettings.Wireless.Font.FontSize},
      {L"Wireless", L"FontSize", -3, -3, &ItemSettings.Wireless.Font.FontSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " stored " << c.stored);
    SetDword(c.key, c.name, static_cast<DWORD>(c.stored));
    LoadItemSettings();
    EXPECT_EQ(*c.field, c.expected);
  }
}

TEST_F(SettingsLoad, FormatTextsFitTheirHundredUnitSlot) {
  struct Case {
    size_t length;
    bool taken;
  } cases[] = {{0, true}, {99, true}, {100, false}, {120, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    std::wstring text(c.length, L'd');
    SetText(L"Date", L"Format1", text);
    SetText(L"Date", L"Format2", text);
    LoadItemSettings();
    EXPECT_EQ(std::wstring(ItemSettings.Date.Format1), c.taken ? text : L"");
    EXPECT_EQ(std::wstring(ItemSettings.Date.Format2), c.taken ? text : L"dddd");
  }
}

TEST_F(SettingsLoad, TextsUpTo259CharactersAreTaken) {
  SetText(L"Time", L"OnClick", std::wstring(259, L'x'));
  SetText(L"Calendar", L"OnClick", std::wstring(260, L'x'));
  SetText(L"", L"Unused", L"x");
  LoadItemSettings();
  EXPECT_EQ(std::wstring(ItemSettings.Time.OnClick), std::wstring(259, L'x'));
  EXPECT_STREQ(ItemSettings.Calendar.OnClick, L"Windows\\calendar.exe");
}

TEST_F(SettingsLoad, MinusOneHeightIsTheNaturalHeight) {
  SetDword(L"Wireless", L"Height", 0xFFFFFFFF);
  SetDword(L"Date", L"Height", 0xFFFFFFFF);
  SetDword(L"Date", L"FontSize2", 20);
  SetDword(L"Date", L"FontBold2", 0);
  // Margins of their own, so a natural height cannot pass for a default one.
  SetDword(L"", L"MarginTop", 7);
  SetDword(L"", L"MarginBottom", 5);
  LoadItemSettings();
  EXPECT_EQ(ItemSettings.PageTable[0].Height, AtDpi(24, 37));  // 8 pt: 12 + 7 + 5, 25 + 12
  // The taller of 8 pt bold and 20 pt: 31 + 12, 64 + 12.
  EXPECT_EQ(ItemSettings.PageTable[2].Height, AtDpi(43, 76));
  EXPECT_EQ(ItemSettings.PageTable[1].Height, AtDpi(30, 60));
}

TEST_F(SettingsLoad, CalendarNaturalHeightIsSevenRows) {
  SetDword(L"Calendar", L"Height", 0xFFFFFFFF);
  SetDword(L"", L"MarginTop", 3);
  SetDword(L"", L"MarginBottom", 4);
  LoadItemSettings();
  // Seven rows of the 8-pt line less 2 px (4 at 192 dpi), and the margins:
  // 7 x (12 - 2) + 3 + 4 = 77; 7 x (25 - 4) + 7 = 154.
  EXPECT_EQ(ItemSettings.PageTable[3].Height, AtDpi(77, 154));
}

TEST_F(SettingsLoad, ZeroHeightAndInvisiblePagesKeepTheirPlaces) {
  SetDword(L"Time", L"Height", 0);
  SetDword(L"Date", L"Visible", 0);
  SetDword(L"Date", L"Height", 40);
  LoadItemSettings();
  EXPECT_EQ(KindsInOrder(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ItemSettings.PageTable[1].Visible, 1);
  EXPECT_EQ(ItemSettings.PageTable[1].Height, 0);
  EXPECT_EQ(ItemSettings.PageTable[2].Visible, 0);
  EXPECT_EQ(ItemSettings.PageTable[2].Height, 0);
  EXPECT_EQ(ItemHeight(), AtDpi(63, 126));  // Wireless 15, Time and Date 0, paging 48
}

TEST_F(SettingsLoad, InvisiblePagingPagesAreNotCounted) {
  SetDword(L"Launcher", L"Visible", 0);
  SetDword(L"SysInfo", L"Visible", 2);  // any non-zero value is on
  LoadItemSettings();
  EXPECT_EQ(ItemSettings.PagingCount, 2);
  EXPECT_EQ(ItemSettings.PageTable[5].Height, AtDpi(48, 96));
}

TEST_F(SettingsLoad, HugeHeightsDoNotOverflowTheItemHeight) {
  for (int kind = 1; kind <= 6; ++kind) SetDword(PageKeyName(kind), L"Height", 0x7FFFFFFF);
  LoadItemSettings();
  EXPECT_EQ(ItemHeight(), INT_MAX);
  SetDword(L"", L"FixedPageCount", 0);
  LoadItemSettings();
  EXPECT_EQ(ItemHeight(), INT_MAX);
  // Negative heights are taken as stored; the item still reports its minimum.
  for (int kind = 1; kind <= 6; ++kind)
    SetDword(PageKeyName(kind), L"Height", static_cast<DWORD>(INT_MIN));
  SetDword(L"", L"FixedPageCount", 6);
  LoadItemSettings();
  EXPECT_EQ(ItemHeight(), AtDpi(20, 40));
}

TEST_F(SettingsLoad, HugeFontAndMarginsKeepNaturalHeightsInRange) {
  SetDword(L"Wireless", L"FontSize", 1u << 30);
  SetDword(L"Wireless", L"Height", 0xFFFFFFFF);
  SetDword(L"Calendar", L"Height", 0xFFFFFFFF);
  SetDword(L"", L"MarginTop", 0x7FFFFFFF);
  SetDword(L"", L"MarginBottom", 0x7FFFFFFF);
  LoadItemSettings();
  EXPECT_EQ(ItemSettings.PageTable[0].Height, INT_MAX);
  EXPECT_EQ(ItemSettings.PageTable[3].Height, INT_MAX);
  SetDword(L"", L"MarginTop", 0x80000000);
  SetDword(L"", L"MarginBottom", 0x80000000);
  LoadItemSettings();
  EXPECT_EQ(ItemSettings.PageTable[0].Height, INT_MIN);
}

TEST_F(SettingsLoad, StorageCardPathIsReadWhenAsked) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, FileExplorerKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, &disposition),
            ERROR_SUCCESS);
  const wchar_t card[] = L"Storage Card";
  RegSetValueExW(key, L"StorageCardPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(card),
                 sizeof(card));
  LoadItemSettings();
  EXPECT_STREQ(ItemSettings.StorageCardPath, L"");
  ReadStorageCardPath();
  EXPECT_STREQ(ItemSettings.StorageCardPath, L"Storage Card");
  RegDeleteValueW(key, L"StorageCardPath");
  RegCloseKey(key);
  if (disposition == REG_CREATED_NEW_KEY) RegDeleteTreeW(HKEY_CURRENT_USER, FileExplorerKey);
}

}  // namespace
