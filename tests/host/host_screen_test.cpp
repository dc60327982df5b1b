// The Today screen's moments on a device: the screen turns, the column of
// items grows taller than the screen and scrolls, and the platform's own
// items stand beside the custom ones. Probe items report what they hear.
#include <gtest/gtest.h>

#include "common/registry_names.h"
#include "host/todayhost/host_layout.h"
#include "host/todayhost/own_items.h"
#include "host/todayhost/display_turn.h"
#include "host/todayhost/screen_turn.h"
#include "host/todayhost/screen_window.h"
#include "host/todayhost/today_host.h"
#include "platform/rotation.h"
#include "support/screen.h"
#include "tests/host/host_test_support.h"

namespace {

using HostScreen = HostWindowTest;

SIZE ClientSize(HWND window) {
  RECT rc = {};
  GetClientRect(window, &rc);
  return {rc.right, rc.bottom};
}

// Gives the framed host a client area of width x height again.
void ResizeClient(HWND host, int width, int height) {
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(host, GWL_STYLE)),
                     GetMenu(host) != nullptr, 0);
  SetWindowPos(host, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  PumpPending();
}

int LastSizeWidth(const wchar_t* name) {
  int width = -1;
  for (const auto& e : ProbeEvents())
    if (e.code == ProbeSize && e.name == name) width = static_cast<int>(e.a);
  return width;
}

// A turn notice lays the items out at the turned screen's width and asks
// their heights at once; nothing is reloaded and the selection stays. Other
// setting changes leave the screen as it is. The framed screen stands on a
// landscape desktop, so it turns to landscape.
TEST_F(HostScreen, TurnNoticeRelaysTheItemsWithoutReloading) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
  ASSERT_TRUE(StartHost());
  PostMessageW(host_, WM_KEYDOWN, VK_DOWN, 0);
  PumpPending();
  ASSERT_EQ(HostSelection(), 0);
  const SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  ASSERT_GT(screen.cx, screen.cy);
  struct Notice {
    UINT message;
    WPARAM wParam;
    bool turns;
  } notices[] = {{WM_SETTINGCHANGE, 0, false},
                 {WM_SETTINGCHANGE, SPI_SETWORKAREA, false},
                 {WM_SETTINGCHANGE, SETTINGCHANGE_RESET, true},
                 {WM_DISPLAYCHANGE, 32, true}};
  for (const Notice& n : notices) {
    ResizeClient(host_, 240, 320);
    ClearProbeEvents();
    SendMessageW(host_, n.message, n.wParam, MAKELPARAM(screen.cx, screen.cy));
    SCOPED_TRACE(testing::Message() << "message " << n.message << " " << n.wParam);
    SIZE client = ClientSize(host_);
    EXPECT_EQ(client.cx, n.turns ? 320 : 240);
    EXPECT_EQ(client.cy, n.turns ? 240 : 320);
    EXPECT_EQ(PlaceOf(HostItemWindow(1)).right, client.cx) << "items as wide as the screen";
    // Asked at once, within the notice, not at the next poll.
    EXPECT_EQ(CountEvents(ProbeQueryHeight, L"Alpha"), n.turns ? 1 : 0) << DescribeEvents();
    EXPECT_EQ(CountEvents(ProbeQueryHeight, L"Bravo"), n.turns ? 1 : 0);
    if (n.turns) {
      EXPECT_EQ(LastSizeWidth(L"Bravo"), client.cx);
    }
    EXPECT_EQ(CountEvents(ProbeInit) + CountEvents(ProbeDestroy) + CountEvents(ProbeDetach), 0);
    EXPECT_EQ(HostSelection(), 0);
    EXPECT_EQ(CountEvents(ProbeLost), 0);
  }
}

// A turn lays the items out as a reload in that orientation does, however
// their heights change with the width (a launcher fits more icons to a
// wider row), and the view keeps the item at its top: a column that fits
// the turned screen loses its bar; one scrolled to the bottom stays at the
// bottom with Bravo, the item at its top, in view.
TEST_F(HostScreen, TurnLaysOutAsAReloadAndKeepsTheTopItem) {
  struct Turn {
    SIZE from, to;
    DWORD alphaHeight, bravoNarrow, bravoWide;
    int wideFrom;  // the width from which Bravo is the wide height
    bool fromBottom;
    int scroll;  // after the turn and after a reload
    bool bar;
    int bravoTop;
  } turns[] = {{{240, 320}, {320, 240}, 20, 260, 200, 320, false, 0, false, 20},
               {{320, 240}, {240, 320}, 20, 400, 260, 260, true, 120, true, -100}};
  for (const Turn& t : turns) {
    SCOPED_TRACE(testing::Message() << "to " << t.to.cx << "x" << t.to.cy);
    StartProbeTest();
    WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
    WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
    WriteTestEntry(L"Charlie", ProbeCopy(L"probe_c.dll"), 4, 1, 3);
    SetProbeHeight(L"Alpha", t.alphaHeight);
    SetProbeHeight(L"Bravo", t.bravoNarrow);
    SetProbeWideHeight(L"Bravo", t.wideFrom, t.bravoWide);
    SetProbeHeight(L"Charlie", 20);
    ASSERT_TRUE(StartHost(false, t.from.cx, t.from.cy));
    HWND scrollBar = FindWindowExW(host_, nullptr, L"ScrollBar", nullptr);
    if (t.fromBottom) SendMessageW(host_, WM_VSCROLL, SB_BOTTOM, 0);
    ResizeClient(host_, t.to.cx, t.to.cy);
    for (int reload = 0; reload < 2; ++reload) {
      SCOPED_TRACE(reload ? "after a reload" : "after the turn");
      EXPECT_EQ(IsWindowVisible(scrollBar) != FALSE, t.bar);
      EXPECT_EQ(GetScrollPos(scrollBar, SB_CTL), t.bar ? t.scroll : 0);
      EXPECT_EQ(PlaceOf(HostItemWindow(1)).top, t.bravoTop);
      EXPECT_EQ(PlaceOf(HostItemWindow(0)).top, t.bravoTop - static_cast<int>(t.alphaHeight));
      if (!t.bar) {
        EXPECT_EQ(PlaceOf(HostItemWindow(2)).right, t.to.cx);
      }
      SendMessageW(host_, WM_WININICHANGE, ReloadBroadcastParam, 0);
      ASSERT_TRUE(PumpUntil([reload] { return HostReloadCount() == reload + 1; }, 5000));
    }
    DestroyWindow(host_);
    PumpPending();
  }
}

// The real turn: the desktop's display takes the turned size and a
// full-screen Today screen follows it, as on the device.
TEST_F(HostScreen, TurnedDisplayIsFollowedByTheFullScreen) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  SetProbeHeight(L"Alpha", 60);
  const SIZE before = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  ASSERT_TRUE(StartHost(true, before.cx, before.cy));
  int dpi = ScreenDensity();
  int portraitWidth = 0, portraitHeight = 0;
  OrientedScreenSize(dpi, false, &portraitWidth, &portraitHeight);
  ASSERT_TRUE(OfferPortraitScreen(portraitWidth, portraitHeight));
  const wchar_t desktops[] = L"Software\\Wine\\Explorer\\Desktops";
  // The device's screen is 240 x 320 at 96 dpi and 480 x 640 at 192.
  struct Turn {
    bool landscape;
    int width96, height96, width192, height192;
  } turns[] = {{true, 320, 240, 640, 480}, {false, 240, 320, 480, 640}};
  for (const Turn& t : turns) {
    int width = 0, height = 0;
    OrientedScreenSize(dpi, t.landscape, &width, &height);
    ClearProbeEvents();
    LONG result = TurnScreen(width, height);
    PumpPending();
    SCOPED_TRACE(testing::Message() << width << "x" << height);
    ASSERT_EQ(result, DISP_CHANGE_SUCCESSFUL);
    const int shownWidth = AtDpi(t.width96, t.width192);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), shownWidth);
    SIZE client = ClientSize(host_);
    EXPECT_EQ(client.cx, shownWidth);
    EXPECT_EQ(client.cy, AtDpi(t.height96, t.height192));
    EXPECT_EQ(PlaceOf(HostItemWindow(0)).right, shownWidth);
    EXPECT_GE(CountEvents(ProbeQueryHeight, L"Alpha"), 1);
    EXPECT_EQ(CountEvents(ProbeInit), 0);
  }
  EXPECT_EQ(TurnScreen(before.cx, before.cy), DISP_CHANGE_SUCCESSFUL);
  PumpPending();
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, desktops, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, L"Default");
    RegCloseKey(key);
  }
}

// Items taller than the screen: the bar shows and takes its strip from the
// items' width (they are asked their heights again at once); the keys scroll
// the selected item into view, and so does a tap on the bar.
TEST_F(HostScreen, TallColumnScrollsByKeysAndBar) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
  WriteTestEntry(L"Charlie", ProbeCopy(L"probe_c.dll"), 4, 1, 3);
  for (const wchar_t* name : {L"Alpha", L"Bravo", L"Charlie"}) SetProbeHeight(name, 150);
  ASSERT_TRUE(StartHost());
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  HWND scrollBar = FindWindowExW(host_, nullptr, L"ScrollBar", nullptr);
  ASSERT_NE(scrollBar, nullptr);
  EXPECT_TRUE(IsWindowVisible(scrollBar)) << "450 rows on 320";
  // The system's bar is 17 px wide at 96 dpi and 34 at 192: the items keep
  // 240 - 17 = 223 px, or 206.
  const int itemsWidth = AtDpi(223, 206);
  RECT barPlace = PlaceOf(scrollBar);
  EXPECT_EQ(barPlace.left, itemsWidth);
  EXPECT_EQ(barPlace.bottom, 320);
  EXPECT_EQ(PlaceOf(HostItemWindow(2)).right, itemsWidth);
  EXPECT_EQ(LastSizeWidth(L"Charlie"), itemsWidth);
  EXPECT_EQ(CountEvents(ProbeQueryHeight, L"Charlie"), 2) << "asked again at the narrower width";

  struct Step {
    UINT key;
    int selection, scroll, selectedTop;
  } steps[] = {{VK_DOWN, 0, 0, 0},  {VK_DOWN, 1, 0, 150}, {VK_DOWN, 2, 130, 170},
               {VK_UP, 1, 130, 20}, {VK_UP, 0, 0, 0},     {VK_UP, -1, 0, -1},
               {VK_UP, 2, 130, 170}};
  for (const Step& s : steps) {
    PostMessageW(host_, WM_KEYDOWN, s.key, 0);
    PumpPending();
    SCOPED_TRACE(testing::Message() << "key " << s.key << " to " << s.selection);
    EXPECT_EQ(HostSelection(), s.selection);
    EXPECT_EQ(GetScrollPos(scrollBar, SB_CTL), s.scroll);
    EXPECT_EQ(PlaceOf(HostItemWindow(0)).top, -s.scroll);
    if (s.selection >= 0) {
      EXPECT_EQ(PlaceOf(HostItemWindow(s.selection)).top, s.selectedTop);
    }
  }

  // The bar as the stylus drives it: a line, the top, then a real tap on its
  // track below the thumb, a page down.
  SendMessageW(host_, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(GetScrollPos(scrollBar, SB_CTL), 0);
  SendMessageW(host_, WM_VSCROLL, SB_LINEDOWN, 0);
  // A line is 16 px at 96 dpi, 32 at 192: Bravo moves up from 150.
  EXPECT_EQ(PlaceOf(HostItemWindow(1)).top, AtDpi(134, 118));
  SendMessageW(host_, WM_VSCROLL, SB_TOP, 0);
  SetForegroundWindow(host_);
  PumpPending();
  POINT client = {0, 0};
  ClientToScreen(host_, &client);
  ASSERT_TRUE(TapScreenAt({client.x + 240 - bar / 2, client.y + 320 - bar - 4}));
  EXPECT_TRUE(PumpUntil([scrollBar] { return GetScrollPos(scrollBar, SB_CTL) == 130; }, 3000))
      << "position " << GetScrollPos(scrollBar, SB_CTL);
  EXPECT_EQ(PlaceOf(HostItemWindow(2)).bottom, 320);

  // Shorter again: the bar goes and the items have the whole width.
  for (const wchar_t* name : {L"Alpha", L"Bravo", L"Charlie"}) SetProbeHeight(name, 60);
  SendMessageW(host_, WM_TIMER, HeightPollTimer, 0);
  EXPECT_FALSE(IsWindowVisible(scrollBar));
  EXPECT_EQ(PlaceOf(HostItemWindow(2)).right, 240);
  EXPECT_EQ(PlaceOf(HostItemWindow(0)).top, 0);
}

std::wstring TextOf(HWND window) {
  wchar_t text[128] = L"";
  GetWindowTextW(window, text, 128);
  return text;
}

class OwnItemsScreen : public HostWindowTest {
 protected:
  void TearDown() override {
    DeleteTree(HKEY_CURRENT_USER, L"System\\State\\Messages");
    HostWindowTest::TearDown();
  }
  static void SetUnread(DWORD sms, DWORD email) {
    PutDword(HKEY_CURRENT_USER, L"System\\State\\Messages\\sms\\Unread", L"Count", sms);
    PutDword(HKEY_CURRENT_USER, L"System\\State\\Messages\\TotalEmail\\Unread", L"Count", email);
  }
};

// The date line, the messages and the tasks in their own order among the
// custom items, one row each, their lines drawn from the device's state;
// the selection moves through them as through any item.
TEST_F(OwnItemsScreen, StandBesideTheCustomItemsAndAloneWithoutThem) {
  SetUnread(3, 2);
  WriteTestEntry(L"Date", L"", 0, 1, 0, 0, 1);
  WriteTestEntry(L"Messaging", L"", 2, 1, 5, 0, 1);
  WriteTestEntry(L"Tasks", L"", 3, 1, 20, 0, NoSelectability);
  WriteTestEntry(L"Owner", L"", 0, 1, 1, 0, 1);  // not one the stand-in draws
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 10);
  ASSERT_TRUE(StartHost());
  ASSERT_EQ(HostItemCount(), 4) << DescribeEvents();
  const int row = AtDpi(22, 44);  // one line of the shell's own items
  wchar_t date[64] = L"";
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, 64);
  struct Shown {
    const wchar_t* name;
    const wchar_t* line;  // null: the probe
    int top;
  } shown[] = {{L"Date", date, 0},
               {L"Messaging", L"Сообщения: SMS 3, эл. почта 2", row},
               {L"Alpha", nullptr, 2 * row},
               {L"Tasks", L"Нет активных задач", 2 * row + 40}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(testing::Message() << "item " << i);
    EXPECT_STREQ(HostItemRecord(i)->szName, shown[i].name);
    RECT place = PlaceOf(HostItemWindow(i));
    EXPECT_EQ(place.top, shown[i].top);
    EXPECT_EQ(place.right, 240);
    if (!shown[i].line) continue;
    wchar_t cls[64] = L"";
    GetClassNameW(HostItemWindow(i), cls, 64);
    EXPECT_STREQ(cls, OwnItemClass);
    EXPECT_EQ(place.bottom - place.top, row);
    EXPECT_EQ(TextOf(HostItemWindow(i)), shown[i].line);
  }
  // The counts change on the device: the next poll shows it.
  SetUnread(0, 0);
  SendMessageW(host_, WM_TIMER, HeightPollTimer, 0);
  EXPECT_EQ(TextOf(HostItemWindow(1)), L"Нет новых сообщений");
  // Down through the date and messages (the shell's to select), Tovira's
  // probe, and past the tasks, which are never selected.
  const int selections[] = {0, 1, 2, -1};
  for (int expected : selections) {
    PostMessageW(host_, WM_KEYDOWN, VK_DOWN, 0);
    PumpPending();
    EXPECT_EQ(HostSelection(), expected);
  }
  EXPECT_EQ(CountEvents(ProbeReceived, L"Alpha"), 1);

  // With the custom item switched off the screen shows the shell's own alone.
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a2.dll"), 4, 0, 10);
  SendMessageW(host_, WM_WININICHANGE, 0xF2, 0);
  ASSERT_TRUE(PumpUntil([] { return HostReloadCount() == 1; }, 5000));
  ASSERT_EQ(HostItemCount(), 3);
  EXPECT_EQ(PlaceOf(HostItemWindow(2)).top, 2 * row);
  EXPECT_EQ(TextOf(HostItemWindow(2)), L"Нет активных задач");
}

}  // namespace
