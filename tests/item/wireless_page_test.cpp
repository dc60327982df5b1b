// The Wireless page from the platform's state registry to the painted line:
// counts, radio rules, the operator, icons from the right, and the repaint
// that a changed radio causes at the next tick.
#include "item/pages/wireless_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "draw_testing.h"
#include "item/draw/state_images.h"
#include "item/host/page_life.h"
#include "item/pages/sysinfo_page.h"
#include "item/pages/system_state.h"
#include "item/pages/time_source.h"
#include "wireless_device_state.h"

using namespace drawtest;

namespace {

const std::wstring Phone = L"System\\State\\Phone";
const std::wstring Sms = L"System\\State\\Messages\\sms\\Unread";
const std::wstring Email = L"System\\State\\Messages\\TotalEmail\\Unread";
const std::wstring Hardware = L"System\\State\\Hardware";

class WirelessState : public ::testing::Test {
 protected:
  DeviceStateSnapshot deviceState;  // before the scratch keys, so it restores last
  RegistryScratch registry;
  void SetUp() override { ResetPhoneState(); }
  void TearDown() override { ResetPhoneState(); }
  std::wstring Counters() const {
    wchar_t text[CounterSlot];
    BuildCounterText(
        {PhoneState.UnreadEMails, PhoneState.UnreadSMS, PhoneState.MissedCalls, 1, 1, 1}, text,
        CounterSlot);
    return text;
  }
};

TEST_F(WirelessState, CountsAndOperatorFromTheStateKeys) {
  registry.SetText(HKEY_LOCAL_MACHINE, Phone, L"Current Operator Name", L"Билайн");
  registry.SetDword(HKEY_CURRENT_USER, Phone, L"Missed Call Count", 3);
  registry.SetDword(HKEY_CURRENT_USER, Sms, L"Count", 0);
  registry.SetDword(HKEY_CURRENT_USER, Email, L"Count", 2);
  EXPECT_TRUE(RefreshSystemState());
  EXPECT_STREQ(PhoneState.Operator, L"Билайн");
  EXPECT_EQ(Counters(), L"@:2 calls:3 ");
  EXPECT_FALSE(RefreshSystemState());
  registry.SetDword(HKEY_CURRENT_USER, Sms, L"Count", 1);
  EXPECT_TRUE(RefreshSystemState());
  EXPECT_EQ(Counters(), L"@:2 sms:1 calls:3 ");
}

TEST_F(WirelessState, RadioValuesByTheirRules) {
  struct Case {
    DWORD bluetooth, wifi;
    int bluetoothOn, wifiOn;
  };
  const Case cases[] = {{8, 5, 0, 0}, {1, 4, 1, 1}, {0, 1, 0, 0}, {2, 0, 1, 1}};
  for (const Case& c : cases) {
    registry.SetDword(HKEY_LOCAL_MACHINE, Hardware, L"Bluetooth", c.bluetooth);
    registry.SetDword(HKEY_LOCAL_MACHINE, Hardware, L"Wifi", c.wifi);
    RefreshSystemState();
    EXPECT_EQ(PhoneState.BluetoothOn, c.bluetoothOn) << "Bluetooth " << c.bluetooth;
    EXPECT_EQ(PhoneState.WifiOn, c.wifiOn) << "Wifi " << c.wifi;
  }
  registry.Delete(HKEY_LOCAL_MACHINE, Hardware, L"Wifi");  // missing: off
  RefreshSystemState();
  EXPECT_EQ(PhoneState.WifiOn, 0);
}

TEST_F(WirelessState, ANegativeCountIsNotShown) {
  registry.SetDword(HKEY_CURRENT_USER, Sms, L"Count", 0x80000000u);
  registry.SetDword(HKEY_CURRENT_USER, Email, L"Count", 0xFFFFFFFFu);
  RefreshSystemState();
  EXPECT_LT(PhoneState.UnreadSMS, 0);
  EXPECT_EQ(Counters(), L"");
}

TEST_F(WirelessState, AMissingOperatorShowsThePhoneOffAndChangesOnlyOnce) {
  registry.Delete(HKEY_LOCAL_MACHINE, Phone, L"Current Operator Name");
  EXPECT_TRUE(RefreshSystemState());
  EXPECT_STREQ(PhoneState.Operator, L"Телефон выключен");
  for (int tick = 0; tick < 5; ++tick) EXPECT_FALSE(RefreshSystemState()) << "tick " << tick;
  registry.SetText(HKEY_LOCAL_MACHINE, Phone, L"Current Operator Name", L"MTS");
  EXPECT_TRUE(RefreshSystemState());
  registry.Delete(HKEY_LOCAL_MACHINE, Phone, L"Current Operator Name");
  EXPECT_TRUE(RefreshSystemState());
  EXPECT_STREQ(PhoneState.Operator, L"Телефон выключен");
}

TEST_F(WirelessState, ValuesOfTheWrongTypeOrSizeReadAsNothing) {
  registry.SetDword(HKEY_LOCAL_MACHINE, Phone, L"Current Operator Name", 42);
  registry.SetText(HKEY_CURRENT_USER, Phone, L"Missed Call Count", L"7");
  const unsigned char eight[8] = {5, 0, 0, 0, 0, 0, 0, 0};
  registry.SetBinary(HKEY_CURRENT_USER, Sms, L"Count", eight, sizeof(eight));
  registry.SetBinary(HKEY_LOCAL_MACHINE, Hardware, L"Bluetooth", eight, 2);
  RefreshSystemState();
  EXPECT_STREQ(PhoneState.Operator, L"Телефон выключен");
  EXPECT_EQ(PhoneState.MissedCalls, 0);
  EXPECT_EQ(PhoneState.UnreadSMS, 0);
  EXPECT_EQ(PhoneState.BluetoothOn, 0);
}

TEST_F(WirelessState, AnOperatorLongerThanItsBufferReadsAsNone) {
  registry.SetText(HKEY_LOCAL_MACHINE, Phone, L"Current Operator Name", std::wstring(200, L'x'));
  RefreshSystemState();
  EXPECT_STREQ(PhoneState.Operator, L"Телефон выключен");
  registry.SetText(HKEY_LOCAL_MACHINE, Phone, L"Current Operator Name", std::wstring(120, L'y'));
  RefreshSystemState();
  EXPECT_EQ(std::wcslen(PhoneState.Operator), 99u);  // cut to its slot
}

class WirelessPaint : public ::testing::Test {
 protected:
  static constexpr int Width = 240;
  static constexpr int Margin = 10;
  WirelessSettings settings = {};
  PhoneStateRecord state = {};
  HBITMAP bt = SolidImage(12, 10, RGB(0, 0, 255));
  HBITMAP wifi = SolidImage(10, 10, RGB(0, 255, 0));

  void SetUp() override {
    std::wcscpy(settings.Font.FontName, L"Tahoma");
    settings.Font.FontSize = 9;
    settings.Font.FontColor = RGB(255, 0, 0);
    settings.ShowBT = settings.ShowWF = settings.ShowCalls = settings.ShowSMS =
        settings.ShowEMails = 1;
    std::wcscpy(state.Operator, L"MTS");
    state.UnreadEMails = 2;
    state.MissedCalls = 3;
    state.BluetoothOn = state.WifiOn = 1;
  }
  void TearDown() override {
    DeleteObject(bt);
    DeleteObject(wifi);
  }
  void Paint(Canvas& canvas, HBITMAP btImage, HBITMAP wifiImage) {
    WirelessPaintInput in = {};
    in.frame.client = {0, 0, Width, canvas.height()};
    in.frame.pageHeight = canvas.height();
    in.frame.marginLeft = in.frame.marginRight = Margin;
    in.frame.marginTop = in.frame.marginBottom = 2;
    in.dpiX = 96;
    in.settings = &settings;
    in.state = &state;
    in.bt = btImage;
    in.wifi = wifiImage;
    PaintWireless(canvas.dc(), in);
  }
  // Right edge of the red text right of the middle (the counters).
  static int CountersRight(const Canvas& canvas) {
    int right = -1;
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = canvas.width() / 2; x < canvas.width(); ++x)
        if (Reddish(canvas.At(x, y)) && x > right) right = x;
    return right + 1;
  }
};

TEST_F(WirelessPaint, IconsFromTheRightThenTheCounters) {
  Canvas canvas(Width, 20, RGB(0, 0, 0));
  Paint(canvas, bt, wifi);
  const int R = Width - Margin;
  EXPECT_EQ(BoundsOf(canvas, Bluish).right, R);
  EXPECT_EQ(BoundsOf(canvas, Bluish).left, R - 12);
  EXPECT_EQ(BoundsOf(canvas, Bluish).top, 2);
  EXPECT_EQ(BoundsOf(canvas, Greenish).right, R - 12 - 2);
  EXPECT_EQ(BoundsOf(canvas, Greenish).left, R - 12 - 2 - 10);
  const int cursor = R - 12 - 2 - 10 - 2;
  EXPECT_LE(CountersRight(canvas), cursor);
  // Right-aligned at the cursor: the text's own trailing blank and side
  // bearing are the only gap.
  EXPECT_NEAR(CountersRight(canvas), cursor + 1 - InkGapRight(settings.Font, L"@:2 calls:3 "), 1)
      << "the trailing space is the only gap";
  EXPECT_LE(BoundsOf(canvas, Reddish).left, Margin + 1);  // the operator at the left
}

TEST_F(WirelessPaint, AMissingImageMovesTheCountersToTheMargin) {
  Canvas withBoth(Width, 20, RGB(0, 0, 0));
  Paint(withBoth, bt, wifi);
  Canvas noWifiImage(Width, 20, RGB(0, 0, 0));
  Paint(noWifiImage, bt, nullptr);
  EXPECT_EQ(BoundsOf(noWifiImage, Greenish).right, 0);
  EXPECT_EQ(CountersRight(noWifiImage) - CountersRight(withBoth), 12);
  Canvas noImages(Width, 20, RGB(0, 0, 0));
  Paint(noImages, nullptr, nullptr);
  EXPECT_EQ(CountersRight(noImages) - CountersRight(withBoth), 12 + 2 + 10 + 2);
}

TEST_F(WirelessPaint, RadiosOffOrHiddenDrawNoIcon) {
  state.WifiOn = 0;
  settings.ShowBT = 0;
  Canvas canvas(Width, 20, RGB(0, 0, 0));
  Paint(canvas, bt, wifi);
  EXPECT_EQ(BoundsOf(canvas, Bluish).right, 0);
  EXPECT_EQ(BoundsOf(canvas, Greenish).right, 0);
}

TEST_F(WirelessPaint, NothingToCountDrawsOnlyTheOperator) {
  state.UnreadEMails = state.MissedCalls = 0;
  state.UnreadSMS = -4;
  Canvas canvas(Width, 20, RGB(0, 0, 0));
  Paint(canvas, nullptr, nullptr);
  EXPECT_LT(BoundsOf(canvas, Reddish).right, Width / 2);
}

TEST_F(WirelessPaint, AnOperatorReachingTheCountersEndsInAnEllipsis) {
  state.UnreadEMails = 1400;
  state.UnreadSMS = 125;
  state.MissedCalls = 12;
  state.Operator[0] = L'\0';
  Canvas alone(Width, 20, RGB(0, 0, 0));
  Paint(alone, bt, wifi);
  const int countersLeft = BoundsOf(alone, Reddish).left;
  // A text as the platform draws it alone, in the page's font and place.
  auto drawn = [&](Canvas& canvas, const wchar_t* text) {
    HFONT font = CreateSpecFont(canvas.dc(), settings.Font);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    SetTextColor(canvas.dc(), settings.Font.FontColor);
    RECT box = {Margin, 2, Width - Margin, 20};
    DrawTextW(canvas.dc(), text, -1, &box, DT_SINGLELINE | DT_NOCLIP | DT_LEFT | DT_TOP);
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
  };
  Canvas dots(Width, 20, RGB(0, 0, 0));
  drawn(dots, L"\u2026");
  const RECT ellipsis = BoundsOf(dots, Reddish);
  const int dotsWidth = ellipsis.right - ellipsis.left;
  struct Case {
    const wchar_t* name;
    const wchar_t* drawnAs;  // null: cut, ending in the ellipsis
  } cases[] = {{L"MTS", L"MTS"}, {L"МегаФон Северо-Запад", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    std::wcscpy(state.Operator, c.name);
    Canvas both(Width, 20, RGB(0, 0, 0));
    Paint(both, bt, wifi);
    Canvas expected(Width, 20, RGB(0, 0, 0));
    if (c.drawnAs) drawn(expected, c.drawnAs);
    int covered = 0, differing = 0, nameRight = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < Width; ++x) {
        if (x >= countersLeft) covered += both.At(x, y) != alone.At(x, y);
        if (x < countersLeft && Reddish(both.At(x, y))) nameRight = std::max(nameRight, x + 1);
        if (x < countersLeft && c.drawnAs) differing += both.At(x, y) != expected.At(x, y);
      }
    EXPECT_EQ(covered, 0) << "no pixel of the counters or icons changes";
    EXPECT_EQ(differing, 0) << "a name that fits draws as it always did";
    if (c.drawnAs) continue;
    EXPECT_GT(nameRight - Margin, 3 * dotsWidth) << "letters before the ellipsis";
    int notDots = 0;
    for (int y = 0; y < 20; ++y)
      for (int dx = 0; dx < dotsWidth; ++dx)
        notDots += both.At(nameRight - dotsWidth + dx, y) != dots.At(ellipsis.left + dx, y);
    EXPECT_EQ(notDots, 0) << "the name ends in the ellipsis";
  }
}

class WirelessTick : public ::testing::Test {
 protected:
  DeviceStateSnapshot deviceState;  // before the scratch keys, so it restores last
  ItemStandIn item{240, 120};
  RegistryScratch registry;
  HBITMAP wifi = SolidImage(10, 10, RGB(0, 255, 0));
  StateImageSet savedImages = StateImages;

  void SetUp() override {
    // The first window a process shows may take the launcher's show state.
    ShowWindow(item.get(), SW_SHOWNOACTIVATE);
    ResetSettingsToDefaults();
    ResetPhoneState();
    SysInfoFigures still = {};
    SetSysInfoFiguresOverride(&still);
    StateImages = StateImageSet{};
    StateImages.Wifi = wifi;
    Tick(0, 1);
  }
  void TearDown() override {
    StateImages = savedImages;
    DeleteObject(wifi);
    SetSysInfoFiguresOverride(nullptr);
    SetClockOverride(nullptr);
    ResetPhoneState();
  }
  bool Tick(int second, int force = 0) {
    const SYSTEMTIME t = At(2026, 12, 7, 9, 5, second);
    SetClockOverride(&t);
    RefreshTick(force);
    return item.TakeInvalidation();
  }
  bool WifiIconPainted() {
    Canvas canvas(240, 40, RGB(0, 0, 0));
    PaintWirelessPage(canvas.dc(), FramePage(item.get(), PageKindWireless, 0, 0));
    return BoundsOf(canvas, Greenish).right > 0;
  }
};

TEST_F(WirelessTick, SwitchingWifiOffRemovesItsIconAtTheNextTick) {
  registry.SetDword(HKEY_LOCAL_MACHINE, Hardware, L"Wifi", 4);
  EXPECT_TRUE(Tick(1));
  EXPECT_TRUE(WifiIconPainted());
  EXPECT_FALSE(Tick(2));
  registry.SetDword(HKEY_LOCAL_MACHINE, Hardware, L"Wifi", 5);
  EXPECT_TRUE(Tick(3));
  EXPECT_FALSE(WifiIconPainted());
}

TEST_F(WirelessTick, APhoneWithoutOperatorDoesNotRepaintEveryTick) {
  int repaints = 0;
  for (int second = 1; second < 60; ++second) repaints += Tick(second);
  EXPECT_EQ(repaints, 0);
  EXPECT_STREQ(PhoneState.Operator, L"Телефон выключен");
}

TEST_F(WirelessTick, ANewItemWindowReadsItsStateAfresh) {
  registry.SetDword(HKEY_LOCAL_MACHINE, Hardware, L"Wifi", 4);
  Tick(1);
  EXPECT_FALSE(RefreshSystemState());
  ItemStandIn second(240, 120);
  EXPECT_TRUE(RefreshSystemState()) << "the new window's state starts empty";
  EXPECT_EQ(PhoneState.WifiOn, 1);
  EXPECT_STREQ(PhoneState.Operator, L"Телефон выключен");
}

}  // namespace
