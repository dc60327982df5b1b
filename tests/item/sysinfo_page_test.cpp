// The SysInfo page: battery texts through the power stand-in, each column in
// its own display mode from the real platform, the card folder, the painted
// tovira-test-dpi: 192
// columns, and the repaint discipline of the whole item's refresh.
#include "item/pages/sysinfo_page.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "byte_sizes.h"
#include "draw_testing.h"
#include "item/host/page_life.h"
#include "item/pages/system_state.h"
#include "item/pages/time_source.h"
#include "platform/power.h"
#include "support/item_test_support.h"
#include "wireless_device_state.h"

using namespace drawtest;

namespace {

const std::wstring PowerKey = L"Software\\Tovira Device\\Power";

class SysInfoRefresh : public ::testing::Test {
 protected:
  DeviceStateSnapshot deviceState;  // before the scratch keys, so it restores last
  ItemStandIn item{240, 80};
  RegistryScratch registry;
  void SetUp() override {
    ResetSettingsToDefaults();
    ResetSysInfoTexts();
  }
  void TearDown() override {
    ResetSysInfoTexts();
    SetSysInfoFiguresOverride(nullptr);
  }
  void Battery(DWORD flag, DWORD percent) {
    registry.SetDword(HKEY_CURRENT_USER, PowerKey, L"BatteryFlag", flag);
    registry.SetDword(HKEY_CURRENT_USER, PowerKey, L"BatteryLifePercent", percent);
  }
};

bool StartsWith(const wchar_t* text, const wchar_t* prefix) {
  return std::wcsncmp(text, prefix, std::wcslen(prefix)) == 0;
}
bool EndsWith(const wchar_t* text, const wchar_t* suffix) {
  const size_t n = std::wcslen(text), m = std::wcslen(suffix);
  return n >= m && std::wcscmp(text + n - m, suffix) == 0;
}

TEST_F(SysInfoRefresh, BatteryTextsThroughThePowerCall) {
  struct Case {
    DWORD flag, percent;
    const wchar_t* text;
  };
  const Case cases[] = {{128, 255, L"--"}, {8, 40, L"=D~"}, {9, 57, L"57%"}, {1, 57, L"57%"}};
  for (const Case& c : cases) {
    Battery(c.flag, c.percent);
    RefreshSysInfoTexts();
    EXPECT_STREQ(SysInfoTexts.Battery, c.text) << "flag " << c.flag;
  }
  registry.SetDword(HKEY_CURRENT_USER, PowerKey, L"Fail", 1);
  EXPECT_TRUE(RefreshSysInfoTexts());
  EXPECT_STREQ(SysInfoTexts.Battery, L"");
}

TEST_F(SysInfoRefresh, ThePowerStandInReportsTheSimulatedBattery) {
  Battery(8, 77);
  registry.SetDword(HKEY_CURRENT_USER, PowerKey, L"ACLineStatus", 1);
  SYSTEM_POWER_STATUS_EX status = {};
  ASSERT_TRUE(GetSystemPowerStatusEx(&status, TRUE));
  EXPECT_EQ(status.ACLineStatus, 1);
  EXPECT_EQ(status.BatteryFlag, 8);
  EXPECT_EQ(status.BatteryLifePercent, 77);
  EXPECT_EQ(status.BackupBatteryFlag, BATTERY_FLAG_UNKNOWN);
  EXPECT_FALSE(GetSystemPowerStatusEx(nullptr, TRUE));
}

TEST_F(SysInfoRefresh, EachColumnFollowsItsOwnModeOnThePlatformsFigures) {
  itemtest::ScratchDir card{L"tovira-card"};
  struct Case {
    int ram, phone, cardType;
    const wchar_t *ramPrefix, *phonePrefix, *cardPrefix;
  };
  const Case cases[] = {{0, 0, 0, L"", L"", L""},
                        {1, 2, 0, L"U:", L"F:", L""},
                        {2, 0, 1, L"F:", L"", L"U:"},
                        {0, 1, 2, L"", L"U:", L"F:"}};
  std::wcscpy(ItemSettings.StorageCardPath, card.Path().c_str());
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "modes " << c.ram << c.phone << c.cardType);
    ItemSettings.SysInfo.RamType = c.ram;
    ItemSettings.SysInfo.PhoneType = c.phone;
    ItemSettings.SysInfo.CardType = c.cardType;
    RefreshSysInfoTexts();
    const wchar_t* texts[3] = {SysInfoTexts.Ram, SysInfoTexts.Phone, SysInfoTexts.Card};
    const wchar_t* prefixes[3] = {c.ramPrefix, c.phonePrefix, c.cardPrefix};
    for (int k = 0; k < 3; ++k) {
      const std::wstring text = texts[k];
      EXPECT_GT(text.size(), 1u) << "column " << k + 1;
      if (prefixes[k][0])
        EXPECT_TRUE(StartsWith(texts[k], prefixes[k]) && EndsWith(texts[k], L"b")) << text;
      else
        EXPECT_TRUE(EndsWith(texts[k], L"%")) << text;
    }
  }
}

TEST_F(SysInfoRefresh, WithoutAStorageCardTheCardTextIsEmpty) {
  std::wcscpy(ItemSettings.StorageCardPath, L"Z:\\no such card\\");
  ItemSettings.SysInfo.CardType = 2;
  RefreshSysInfoTexts();
  EXPECT_STREQ(SysInfoTexts.Card, L"");
  EXPECT_STRNE(SysInfoTexts.Phone, L"");
}

TEST_F(SysInfoRefresh, ChosenFiguresInMixedModes) {
  SysInfoFigures f = {};
  f.powerOk = true;
  f.batteryFlag = 1;
  f.batteryPercent = 57;
  f.memoryLoad = 40;
  f.totalPhysical = 64 * MiB;
  f.availablePhysical = 20 * MiB;
  f.phoneOk = true;
  f.phoneTotal = 4 * GiB;
  f.phoneFree = GiB;
  f.cardOk = true;
  f.cardTotal = 2 * GiB;
  f.cardFree = GiB;
  SysInfoTextsRecord texts;
  FormatSysInfoTexts(f, 2, 0, 1, &texts);
  EXPECT_STREQ(texts.Battery, L"57%");
  EXPECT_STREQ(texts.Ram, L"F:20Mb");
  EXPECT_STREQ(texts.Phone, L"75%");
  EXPECT_STREQ(texts.Card, L"U:1024Mb");
  f.cardOk = false;
  f.phoneTotal = 0;
  FormatSysInfoTexts(f, 0, 0, 1, &texts);
  EXPECT_STREQ(texts.Ram, L"40%");
  EXPECT_STREQ(texts.Phone, L"");  // no total, no percentage
  EXPECT_STREQ(texts.Card, L"");
}

TEST_F(SysInfoRefresh, OnlyADifferentTextCountsAsAChange) {
  SysInfoFigures f = {};
  f.powerOk = true;
  f.batteryPercent = 50;
  SetSysInfoFiguresOverride(&f);
  EXPECT_TRUE(RefreshSysInfoTexts());
  EXPECT_FALSE(RefreshSysInfoTexts());
  f.batteryPercent = 49;
  SetSysInfoFiguresOverride(&f);
  EXPECT_TRUE(RefreshSysInfoTexts());
  EXPECT_STREQ(SysInfoTexts.Battery, L"49%");
}

// Red pixels within columns [left, right).
RECT RedIn(const Canvas& canvas, int left, int right) {
  RECT box = {right, canvas.height(), left, 0};
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = left; x < right; ++x)
      if (Reddish(canvas.At(x, y))) {
        if (x < box.left) box.left = x;
        if (y < box.top) box.top = y;
        if (x + 1 > box.right) box.right = x + 1;
        if (y + 1 > box.bottom) box.bottom = y + 1;
      }
  return box;
}

TEST(SysInfoPaint, FourColumnsEachTextUnderItsOwnImage) {
  FontSpec font = {};
  std::wcscpy(font.FontName, L"Tahoma");
  font.FontSize = 8;
  font.FontColor = RGB(255, 0, 0);
  SysInfoTextsRecord texts = {L"57%", L"F:20Mb", L"75%", L"U:1Gb"};
  // A screen as wide as the density's: at 192 dpi the texts are twice as wide.
  const int f = ScreenDpiY() >= 192 ? 2 : 1;
  HBITMAP images[4] = {SolidImage(16, 20, RGB(0, 0, 255)), SolidImage(10, 12, RGB(0, 0, 255)),
                       nullptr, SolidImage(20, 8, RGB(0, 0, 255))};
  Canvas canvas(240 * f, 48 * f, RGB(0, 0, 0));
  SysInfoPaintInput in = {};
  in.frame.client = {0, 0, 240 * f, 48 * f};
  in.frame.pageHeight = 48 * f;
  in.frame.marginLeft = in.frame.marginRight = 10 * f;
  in.frame.marginTop = 2;
  in.frame.marginBottom = 2;
  in.font = &font;
  in.texts = &texts;
  for (int k = 0; k < 4; ++k) in.images[k] = images[k];
  PaintSysInfo(canvas.dc(), in);

  // How far below a text's top its first ink lies in this face.
  Canvas probe(240 * f, 48 * f, RGB(0, 0, 0));
  HFONT probeFont = CreateSpecFont(probe.dc(), font);
  HGDIOBJ previous = SelectObject(probe.dc(), probeFont);
  SetTextColor(probe.dc(), font.FontColor);
  TextOutW(probe.dc(), 0, 0, L"57%F:20Mb75%U:1Gb", 17);
  SelectObject(probe.dc(), previous);
  DeleteObject(probeFont);
  const int inkDepth = RedIn(probe, 0, 240 * f).top;

  const int wc = (240 * f - 20 * f) / 4;  // 55 at 96 dpi
  const int widths[4] = {16, 10, 0, 20};
  const int heights[4] = {20, 12, 0, 8};
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const int left = 10 * f + k * wc;
    if (images[k]) {
      // Centred in its column, at the top margin.
      const int x = left + (wc - widths[k]) / 2;
      EXPECT_FALSE(Bluish(canvas.At(x - 1, 3)));
      EXPECT_TRUE(Bluish(canvas.At(x + 1, 3)));
      EXPECT_TRUE(Bluish(canvas.At(x + widths[k] - 1, 2 + heights[k] - 1)));
      EXPECT_FALSE(Bluish(canvas.At(x + widths[k], 3)));
      EXPECT_FALSE(Bluish(canvas.At(x + 1, 1)));
    }
    const RECT red = RedIn(canvas, left, left + wc);
    ASSERT_LT(red.left, red.right) << "column text missing";
    EXPECT_GE(red.top, 2 + heights[k]) << "text under its image";
    EXPECT_LE(red.top, 2 + heights[k] + inkDepth + 1) << "ink " << inkDepth << " below the top";
    // Centred: about as much room on either side.
    EXPECT_LE(std::abs((red.left - left) - (left + wc - red.right)), 3);
  }
  for (HBITMAP b : images)
    if (b) DeleteObject(b);
}

// The item's refresh with all six pages visible (the defaults) and a lively,
// unchanging state: counted as the ticks after which the window is invalid.
class AllPagesTick : public ::testing::Test {
 protected:
  DeviceStateSnapshot deviceState;  // before the scratch keys, so it restores last
  ItemStandIn item{240, 80};
  RegistryScratch registry;
  SysInfoFigures figures = {};

  void SetUp() override {
    // The first window a process shows may take the launcher's show state.
    ShowWindow(item.get(), SW_SHOWNOACTIVATE);
    registry.SetText(HKEY_LOCAL_MACHINE, L"System\\State\\Phone", L"Current Operator Name", L"MTS");
    registry.SetDword(HKEY_CURRENT_USER, L"System\\State\\Messages\\sms\\Unread", L"Count", 2);
    registry.SetDword(HKEY_LOCAL_MACHINE, L"System\\State\\Hardware", L"Bluetooth", 1);
    registry.SetDword(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\0", L"AlarmFlags", 1);
    ResetSettingsToDefaults();
    for (const PageRecord& r : ItemSettings.PageTable) ASSERT_TRUE(r.Visible);
    figures.powerOk = true;
    figures.batteryFlag = 1;
    figures.batteryPercent = 80;
    figures.memoryLoad = 30;
    SetSysInfoFiguresOverride(&figures);
    Tick(At(2026, 12, 7, 9, 5, 0), 1);
    ASSERT_TRUE(IsWindowVisible(item.get()));
  }
  void TearDown() override {
    SetSysInfoFiguresOverride(nullptr);
    SetClockOverride(nullptr);
    ResetPhoneState();
    ResetSysInfoTexts();
  }
  bool Tick(const SYSTEMTIME& t, int force = 0) {
    SetClockOverride(&t);
    RefreshTick(force);
    return item.TakeInvalidation();
  }
};

TEST_F(AllPagesTick, AnIdleMinuteRepaintsOnce) {
  int repaints = 0;
  for (int second = 1; second < 60; ++second) repaints += Tick(At(2026, 12, 7, 9, 5, second));
  EXPECT_EQ(repaints, 0);
  EXPECT_TRUE(Tick(At(2026, 12, 7, 9, 6, 0)));
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 6, 1)));
}

TEST_F(AllPagesTick, ABatteryChangeRepaintsOnceAndOnlyWhileSysInfoIsVisible) {
  figures.batteryPercent = 79;
  SetSysInfoFiguresOverride(&figures);
  EXPECT_TRUE(Tick(At(2026, 12, 7, 9, 5, 1)));
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 5, 2)));

  ItemSettings.PageTable[FindPageOfKind(PageKindSysInfo)].Visible = 0;
  figures.batteryPercent = 78;
  SetSysInfoFiguresOverride(&figures);
  EXPECT_FALSE(Tick(At(2026, 12, 7, 9, 5, 3)));
  EXPECT_STREQ(SysInfoTexts.Battery, L"79%");
}

TEST_F(AllPagesTick, TheCardColumnEmptiesWhileTheCardIsOutAndFillsAgainWhenItIsBack) {
  // The card as the device mounts it: a folder of the device's root, named
  // relative to the working folder, measured afresh at every tick.
  itemtest::ScratchDir root{L"tovira-device"};
  const std::wstring card = root.File(L"Storage Card");
  const std::wstring aside = root.File(L"card out");
  ASSERT_TRUE(CreateDirectoryW(card.c_str(), nullptr));
  struct WorkingFolder {
    wchar_t previous[MAX_PATH] = {};
    explicit WorkingFolder(const std::wstring& path) {
      GetCurrentDirectoryW(MAX_PATH, previous);
      SetCurrentDirectoryW(path.c_str());
    }
    ~WorkingFolder() { SetCurrentDirectoryW(previous); }
  } inRoot(root.Path());
  std::wcscpy(ItemSettings.StorageCardPath, L"Storage Card\\");
  ItemSettings.SysInfo.CardType = 2;
  SetSysInfoFiguresOverride(nullptr);
  struct Step {
    const wchar_t* from;
    const wchar_t* to;
    bool shown;
  } steps[] = {{nullptr, nullptr, true},
               {card.c_str(), aside.c_str(), false},
               {aside.c_str(), card.c_str(), true},
               {card.c_str(), aside.c_str(), false}};
  int second = 1;
  for (const Step& s : steps) {
    SCOPED_TRACE(second);
    if (s.from) {
      ASSERT_TRUE(MoveFileW(s.from, s.to));
    }
    const std::wstring before = SysInfoTexts.Card;
    const bool repainted = Tick(At(2026, 12, 7, 9, 5, second++));
    EXPECT_TRUE(repainted || before == SysInfoTexts.Card) << "a new card text repaints";
    // Free bytes while the card is in, an empty column while it is out.
    EXPECT_EQ(std::wstring(SysInfoTexts.Card).rfind(L"F:", 0) == 0, s.shown) << SysInfoTexts.Card;
    EXPECT_TRUE(s.shown || SysInfoTexts.Card[0] == L'\0') << SysInfoTexts.Card;
  }
}

}  // namespace
