// todayhost's window with probe items in this process: which entries load and
// in which order, the height protocol and re-layout, the keyboard selection,
// the options dialog, the watermark, and the reload broadcast.
#include <gtest/gtest.h>

#include "common/registry_names.h"
#include "host/todayhost/host_layout.h"
#include "host/todayhost/text_util.h"
#include "host/todayhost/today_host.h"
#include "host/todayhost/watermark.h"
#include "tests/host/host_test_support.h"

namespace {

using HostItems = HostWindowTest;

TEST_F(HostItems, LoadsEnabledCustomEntriesInOrder) {
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1, 0);
  WriteTestEntry(L"Off", ProbeCopy(L"probe_c.dll"), 4, 0, 0);
  WriteTestEntry(L"Owner", ProbeCopy(L"probe_d.dll"), 0, 1, 0);
  WriteTestEntry(L"Missing", ScratchDirectory() + L"\\none.dll", 4, 1, 0);
  ASSERT_TRUE(StartHost());
  ASSERT_EQ(HostItemCount(), 2) << DescribeEvents();
  EXPECT_STREQ(HostItemRecord(0)->szName, L"Alpha");
  EXPECT_STREQ(HostItemRecord(1)->szName, L"Bravo");
  // The disabled entry and the shell's own type were never loaded.
  EXPECT_EQ(CountEvents(ProbeAttach, L"probe_c.dll"), 0);
  EXPECT_EQ(CountEvents(ProbeAttach, L"probe_d.dll"), 0);
  std::vector<std::wstring> inits;
  for (const auto& e : ProbeEvents())
    if (e.code == ProbeInit) {
      inits.push_back(e.name);
      EXPECT_EQ(e.a, tlitCustom);
      EXPECT_EQ(e.b, 0);  // cyp starts at 0
    }
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[0], L"Alpha");
  EXPECT_EQ(inits[1], L"Bravo");
  const TODAYLISTITEM* bravo = HostItemRecord(1);
  EXPECT_EQ(bravo->dwOrder, 2u);
  EXPECT_TRUE(bravo->fOptions);
  EXPECT_FALSE(HostItemRecord(0)->fOptions);
  EXPECT_EQ(bravo->hwndCustom, HostItemWindow(1));
  EXPECT_EQ(GetParent(HostItemWindow(1)), host_);
  EXPECT_NE(bravo->hinstDLL, nullptr);
  EXPECT_EQ(std::wstring(bravo->szDLLPath), ScratchDirectory() + L"\\probe_b.dll");
  // Each item asked the host for the highlight colour when it was made.
  for (const auto& e : ProbeEvents()) {
    if (e.code == ProbeColor) {
      EXPECT_EQ(e.a, static_cast<long long>(RGB(0x31, 0x6A, 0xC5)));
    }
  }
}

TEST_F(HostItems, HeightsAskedAtOnceAndItemsRestacked) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
  SetProbeHeight(L"Alpha", 30);
  SetProbeHeight(L"Bravo", 50);
  ASSERT_TRUE(StartHost());
  // Asked at once after loading, without waiting for the poll.
  EXPECT_EQ(CountEvents(ProbeQueryHeight, L"Alpha"), 1);
  EXPECT_EQ(HostItemRecord(0)->cyp, 30u);
  RECT a = PlaceOf(HostItemWindow(0)), b = PlaceOf(HostItemWindow(1));
  EXPECT_EQ(a.top, 0);
  EXPECT_EQ(a.bottom, 30);
  EXPECT_EQ(a.right - a.left, 240);
  EXPECT_EQ(b.top, 30);
  EXPECT_EQ(b.bottom, 80);

  // The next poll passes the height the item stored last time.
  SetProbeHeight(L"Alpha", 45);
  ClearProbeEvents();
  SendMessageW(host_, WM_TIMER, HeightPollTimer, 0);
  ASSERT_EQ(CountEvents(ProbeQueryHeight, L"Alpha"), 1);
  EXPECT_EQ(ProbeEvents()[0].a, 30);
  b = PlaceOf(HostItemWindow(1));
  EXPECT_EQ(b.top, 45);
  EXPECT_EQ(b.bottom, 95);
  UINT query = RegisterWindowMessageW(TodayHostQueryName);
  EXPECT_EQ(SendMessageW(host_, query, QueryItemsHeight, 0), 95);

  // The poll timer runs by itself, about every two seconds.
  ClearProbeEvents();
  EXPECT_TRUE(PumpUntil([] { return CountEvents(ProbeQueryHeight, L"Bravo") > 0; }, 5000));
}

TEST_F(HostItems, ArrowKeysMoveSelectionAndNavigateInsideItems) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
  ASSERT_TRUE(StartHost());
  struct Step {
    UINT key;
    bool bravoHandles;      // Bravo's answer to USERNAVIGATION
    int selection;          // expected afterwards
    const wchar_t* events;  // expected probe events, in order
  } steps[] = {
      {VK_DOWN, false, 0, L"Alpha+"},
      {VK_DOWN, false, 1, L"Alpha?Alpha-Bravo+"},
      {VK_RIGHT, true, 1, L"Bravo?"},
      {VK_LEFT, true, 1, L"Bravo?"},
      // Left and right stay with the item even when it leaves them unhandled.
      {VK_RIGHT, false, 1, L"Bravo?"},
      {VK_LEFT, false, 1, L"Bravo?"},
      {VK_UP, false, 0, L"Bravo?Bravo-Alpha+"},
      {VK_LEFT, false, 0, L"Alpha?"},
      {VK_UP, false, -1, L"Alpha?Alpha-"},
      // With nothing selected the side keys do nothing; up picks the last item.
      {VK_RIGHT, false, -1, L""},
      {VK_UP, false, 1, L"Bravo+"},
  };
  for (const Step& s : steps) {
    SetProbeNavigationAnswer(L"Bravo", s.bravoHandles);
    ClearProbeEvents();
    PostMessageW(host_, WM_KEYDOWN, s.key, 0);
    PumpPending();
    std::wstring seen;
    for (const auto& e : ProbeEvents()) {
      if (e.code == ProbeReceived) {
        seen += e.name + L"+";
        EXPECT_EQ(e.a, static_cast<long long>(s.key)) << "selection comes with its key";
      }
      if (e.code == ProbeLost) seen += e.name + L"-";
      if (e.code == ProbeNavigate) {
        seen += e.name + L"?";
        EXPECT_EQ(e.a, static_cast<long long>(s.key));
      }
    }
    SCOPED_TRACE(testing::Message() << "key " << s.key << " expecting " << s.selection);
    EXPECT_EQ(seen, s.events);
    EXPECT_EQ(HostSelection(), s.selection);
  }
}

// The probe events of one key, as a short text: + received, - lost,
// ? navigation, ! action, v and ^ a tap's press and release at (1, 1).
std::wstring KeyEvents(UINT key) {
  std::wstring seen;
  for (const auto& e : ProbeEvents()) {
    switch (e.code) {
      case ProbeReceived:
        seen += e.name + L"+";
        EXPECT_EQ(e.a, static_cast<long long>(key)) << "selection comes with its key";
        break;
      case ProbeLost:
        seen += e.name + L"-";
        break;
      case ProbeNavigate:
        seen += e.name + L"?";
        break;
      case ProbeAction:
        seen += e.name + L"!";
        EXPECT_EQ(e.a, VK_RETURN);
        break;
      case ProbeButtonDown:
      case ProbeButtonUp:
        seen += e.name + (e.code == ProbeButtonDown ? L"v" : L"^");
        EXPECT_EQ(e.a, 1);
        EXPECT_EQ(e.b, 1);
        break;
      default:
        break;
    }
  }
  return seen;
}

struct KeyStep {
  UINT key;
  int selection;          // expected afterwards
  const wchar_t* events;  // expected probe events (KeyEvents)
};

void PressKeys(HWND host, const KeyStep* steps, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    ClearProbeEvents();
    PostMessageW(host, WM_KEYDOWN, steps[i].key, 0);
    PumpPending();
    SCOPED_TRACE(testing::Message() << "step " << i << ": key " << steps[i].key);
    EXPECT_EQ(KeyEvents(steps[i].key), steps[i].events);
    EXPECT_EQ(HostSelection(), steps[i].selection);
  }
}

// Without "Selectability" an item is never selected; with 1 the shell
// selects it without a word, highlights its background and turns the action
// key into a tap at (1, 1); with 2 it is told of everything.
TEST_F(HostItems, SelectabilityDecidesWhoIsSelectedAndTold) {
  WriteTestEntry(L"None", ProbeCopy(L"probe_n.dll"), 4, 1, 1, 1, NoSelectability);
  WriteTestEntry(L"Shell", ProbeCopy(L"probe_s.dll"), 4, 1, 2, 1, 1);
  WriteTestEntry(L"Told", ProbeCopy(L"probe_t.dll"), 4, 1, 3, 1, 2);
  WriteTestEntry(L"Zero", ProbeCopy(L"probe_z.dll"), 4, 1, 4, 1, 0);
  ASSERT_TRUE(StartHost());
  ASSERT_EQ(HostItemCount(), 4);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  auto background = [&](int index) {
    TODAYDRAWWATERMARKINFO info = {dc, {0, 0, 8, 8}, HostItemWindow(index)};
    SendMessageW(host_, TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
    return GetPixel(dc, 4, 4);
  };
  const COLORREF highlight = TodayColor(TODAYCOLOR_HIGHLIGHT);
  EXPECT_NE(background(1), highlight);
  const KeyStep steps[] = {
      {VK_DOWN, 1, L""},      {VK_RETURN, 1, L"ShellvShell^"}, {VK_RIGHT, 1, L""},
      {VK_DOWN, 2, L"Told+"}, {VK_RETURN, 2, L"Told!"},        {VK_DOWN, -1, L"Told?Told-"},
      {VK_UP, 2, L"Told+"},   {VK_UP, 1, L"Told?Told-"},
  };
  PressKeys(host_, steps, 3);
  EXPECT_EQ(background(1), highlight) << "the shell's selection shows in the watermark";
  EXPECT_NE(background(2), highlight);
  PressKeys(host_, steps + 3, 5);
  EXPECT_EQ(background(1), highlight);
  EXPECT_EQ(CountEvents(ProbeReceived, L"None") + CountEvents(ProbeReceived, L"Zero"), 0);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// An item that answers RECEIVEDSELECTION with FALSE passes the selection on
// to the next one in the key's direction.
TEST_F(HostItems, DeclinedSelectionPassesOnInTheKeysDirection) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
  WriteTestEntry(L"Charlie", ProbeCopy(L"probe_c.dll"), 4, 1, 3);
  ASSERT_TRUE(StartHost());
  SetProbeSelectionAnswer(L"Bravo", false);
  const KeyStep passing[] = {
      {VK_DOWN, 0, L"Alpha+"},
      {VK_DOWN, 2, L"Alpha?Alpha-Bravo+Charlie+"},
      {VK_UP, 0, L"Charlie?Charlie-Bravo+Alpha+"},
  };
  PressKeys(host_, passing, 3);
  SetProbeSelectionAnswer(L"Charlie", false);
  const KeyStep nobody[] = {{VK_DOWN, -1, L"Alpha?Alpha-Bravo+Charlie+"}};
  PressKeys(host_, nobody, 1);
}

// An item may take the selection itself (after a tap): it has it at once,
// the one before loses it, and it is not told again. One that is never
// selected cannot take it.
TEST_F(HostItems, ItemTakingTheSelectionHasIt) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
  WriteTestEntry(L"Zero", ProbeCopy(L"probe_z.dll"), 4, 1, 3, 1, 0);
  ASSERT_TRUE(StartHost());
  const KeyStep first[] = {{VK_DOWN, 0, L"Alpha+"}};
  PressKeys(host_, first, 1);
  ClearProbeEvents();
  PostMessageW(host_, TODAYM_TOOKSELECTION, reinterpret_cast<WPARAM>(HostItemWindow(1)), 0);
  PumpPending();
  EXPECT_EQ(HostSelection(), 1);
  EXPECT_EQ(KeyEvents(0), L"Alpha-");
  EXPECT_EQ(
      SendMessageW(host_, TODAYM_TOOKSELECTION, reinterpret_cast<WPARAM>(HostItemWindow(2)), 0),
      FALSE);
  EXPECT_EQ(SendMessageW(host_, TODAYM_TOOKSELECTION, reinterpret_cast<WPARAM>(host_), 0), FALSE);
  EXPECT_EQ(HostSelection(), 1);
  const KeyStep after[] = {{VK_DOWN, -1, L"Bravo?Bravo-"}};
  PressKeys(host_, after, 1);
}

TEST_F(HostItems, OptionsDialogRunsTheItemsProcedureWithItsRecord) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2, 0);
  ASSERT_TRUE(StartHost());
  SendMessageW(host_, WM_COMMAND, CmdItemOptions + 0, 0);
  ASSERT_EQ(CountEvents(ProbeOptionsInit, L"Alpha"), 1) << DescribeEvents();
  for (const auto& e : ProbeEvents()) {
    if (e.code == ProbeOptionsInit) {
      EXPECT_EQ(e.a, reinterpret_cast<long long>(HostItemRecord(0)));
    }
  }
  // An entry whose "Options" is 0 offers no dialog.
  SendMessageW(host_, WM_COMMAND, CmdItemOptions + 1, 0);
  EXPECT_EQ(CountEvents(ProbeOptionsInit, L"Bravo"), 0);
}

TEST_F(HostItems, WatermarkIsTheScreensBackgroundUnderTheItem) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2);
  SetProbeHeight(L"Alpha", 100);
  ASSERT_TRUE(StartHost());
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  TODAYDRAWWATERMARKINFO info = {dc, {0, 0, 20, 20}, HostItemWindow(1)};
  EXPECT_EQ(SendMessageW(host_, TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
  // Bravo sits 100 pixels down: its rows 0 and 19 are the screen's rows 100 and 119.
  EXPECT_EQ(GetPixel(dc, 5, 0), WatermarkColorAt(100, 320));
  EXPECT_EQ(GetPixel(dc, 5, 19), WatermarkColorAt(119, 320));
  EXPECT_EQ(SendMessageW(host_, TODAYM_DRAWWATERMARK, 0, 0), FALSE);  // no record: nothing
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(HostItems, ReloadBroadcastRecreatesItemsFromTheRegistry) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  ASSERT_TRUE(StartHost());
  HWND first = HostItemWindow(0);
  UINT query = RegisterWindowMessageW(TodayHostQueryName);
  EXPECT_EQ(SendMessageW(host_, query, QueryReloadCount, 0), 0);

  // Another setting change is not a reload.
  SendMessageW(host_, WM_WININICHANGE, 0, 0);
  PumpPending();
  EXPECT_EQ(HostReloadCount(), 0);

  ClearProbeEvents();
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 0);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, ReloadBroadcastParam, 0, SMTO_ABORTIFHUNG,
                      2000, &result);
  ASSERT_TRUE(PumpUntil([] { return HostReloadCount() == 1; }, 5000));
  EXPECT_FALSE(IsWindow(first));
  ASSERT_EQ(HostItemCount(), 2);
  EXPECT_STREQ(HostItemRecord(0)->szName, L"Bravo");  // the new entry's order comes first
  // The old item heard it was going (with its own record), its window went
  // before its library, the library was freed, then all loaded anew.
  std::wstring seen;
  for (const auto& e : ProbeEvents())
    if ((e.name == L"Alpha" || e.name == L"probe_a.dll") && e.code != ProbeSize)
      seen += std::to_wstring(e.code) + L" ";
  EXPECT_EQ(seen.substr(0, 15), L"15 4 2 1 3 12 5") << DescribeEvents();
  for (const auto& e : ProbeEvents()) {
    if (e.code == ProbeClearCache) {
      EXPECT_EQ(e.a, 1) << "CLEARCACHE carries the item's record";
    }
  }
  EXPECT_EQ(SendMessageW(host_, query, QueryReloadCount, 0), 1);
  EXPECT_EQ(SendMessageW(host_, query, QueryItemCount, 0), 2);

  // Switched off in the registry: the next reload drops it and frees its library.
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a2.dll"), 4, 0, 1);
  ClearProbeEvents();
  SendMessageW(host_, WM_WININICHANGE, ReloadBroadcastParam, 0);
  ASSERT_TRUE(PumpUntil([] { return HostReloadCount() == 2; }, 5000));
  EXPECT_EQ(HostItemCount(), 1);
  EXPECT_EQ(CountEvents(ProbeDetach, L"Alpha"), 1);
  EXPECT_EQ(CountEvents(ProbeInit, L"Alpha"), 0);
  EXPECT_EQ(GetModuleHandleW((ScratchDirectory() + L"\\probe_a.dll").c_str()), nullptr);
}

// A reload keeps the selection on the item it was on, by entry name, and
// the view where it was: an item told of its selection hears it again (with
// no key); one no longer there leaves nothing selected.
TEST_F(HostItems, ReloadKeepsTheSelectionAndTheView) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b.dll"), 4, 1, 2, 1, 1);
  WriteTestEntry(L"Charlie", ProbeCopy(L"probe_c.dll"), 4, 1, 3);
  for (const wchar_t* name : {L"Alpha", L"Bravo", L"Charlie"}) SetProbeHeight(name, 150);
  ASSERT_TRUE(StartHost());
  HWND scrollBar = FindWindowExW(host_, nullptr, L"ScrollBar", nullptr);
  struct Reload {
    std::vector<UINT> keys;
    bool bravoOff;
    int selection, scroll, charlieTold;
  } reloads[] = {{{VK_DOWN, VK_DOWN, VK_DOWN}, false, 2, 130, 1},
                 {{VK_UP}, false, 1, 130, 0},
                 {{}, true, -1, 0, 0}};
  int count = 0;
  for (const Reload& r : reloads) {
    SCOPED_TRACE(testing::Message() << "reload " << count + 1);
    for (UINT key : r.keys) SendMessageW(host_, WM_KEYDOWN, key, 0);
    if (r.bravoOff) WriteTestEntry(L"Bravo", ProbeCopy(L"probe_b2.dll"), 4, 0, 2);
    ClearProbeEvents();
    SendMessageW(host_, WM_WININICHANGE, ReloadBroadcastParam, 0);
    ASSERT_TRUE(PumpUntil([count] { return HostReloadCount() == count + 1; }, 5000));
    ++count;
    EXPECT_EQ(HostSelection(), r.selection);
    EXPECT_EQ(IsWindowVisible(scrollBar) ? GetScrollPos(scrollBar, SB_CTL) : 0, r.scroll);
    EXPECT_EQ(PlaceOf(HostItemWindow(0)).top, -r.scroll);
    EXPECT_EQ(CountEvents(ProbeReceived, L"Charlie"), r.charlieTold) << DescribeEvents();
  }
}

TEST_F(HostItems, LibraryPathsLieInsideTheDeviceRoot) {
  ProbeCopy(L"Program Files\\Probe\\probe_r.dll");
  WriteTestEntry(L"Rooted", L"\\Program Files\\Probe\\probe_r.dll", 4, 1, 0);
  WriteTestEntry(L"Relative", L"Program Files\\Probe\\probe_r.dll", 4, 1, 1);
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(ScratchDirectory().c_str()));
  HWND host = StartHost();
  SetCurrentDirectoryW(previous);
  ASSERT_TRUE(host);
  ASSERT_EQ(HostItemCount(), 2) << DescribeEvents();
  EXPECT_EQ(std::wstring(HostItemRecord(0)->szDLLPath),
            ScratchDirectory() + L"\\Program Files\\Probe\\probe_r.dll");
}

TEST_F(HostItems, PointerInputReachesTheItemWindow) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  SetProbeHeight(L"Alpha", 60);
  ASSERT_TRUE(StartHost());
  SetForegroundWindow(host_);
  // The host places the item once it has answered its height: aim after that.
  ASSERT_TRUE(PumpUntil([] {
    RECT r;
    return GetClientRect(HostItemWindow(0), &r) && r.bottom == 60;
  })) << DescribeEvents();
  POINT at = {50, 20};
  ClientToScreen(HostItemWindow(0), &at);
  ASSERT_TRUE(TapScreenAt(at));
  ASSERT_TRUE(PumpUntil([] { return CountEvents(ProbeButtonDown) > 0; }, 3000))
      << DescribeEvents() << " window at the point " << WindowFromPoint(at) << ", item "
      << HostItemWindow(0) << ", host " << host_;
  for (const auto& e : ProbeEvents())
    if (e.code == ProbeButtonDown) {
      EXPECT_EQ(e.a, 50);
      EXPECT_EQ(e.b, 20);
    }
}

}  // namespace
