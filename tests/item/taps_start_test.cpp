// Pointer input on the real item, seen from outside: which program a press,
// drag, swipe or double tap starts (the probe records every start).
// tovira-test-dpi: 192
#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "common/registry_names.h"
#include "item/pages/launcher_layout.h"
#include "support/item_test_support.h"

using namespace itemtest;

namespace {

// Fixed: SysInfo (y 0..19), Launcher (y 20..67); the paging slot from y 68
// holds Wireless, Time, Date, Calendar in turn, each starting its own probe.
constexpr int SlotY = 68 + 10;
constexpr int Width = 240;

// Where the launcher puts thirteen large icons, left aligned, in an item of
// that width with the fixture's margins (y from the page top).
std::vector<RECT> LargeIconsAt(int width, int marginRight = 10) {
  LauncherGeometry g = {};
  g.clientRight = width;
  g.marginLeft = 10;
  g.marginTop = Px(2);
  g.marginRight = marginRight;
  g.iconWidth = GetSystemMetrics(SM_CXICON);
  g.iconHeight = GetSystemMetrics(SM_CYICON);
  std::vector<RECT> rects(13);
  LayoutLauncherRects(g, rects.data(), rects.size());
  return rects;
}

// The launcher page's natural height for those icons: rows x icon height + margins.
int LauncherHeightAt(int width) { return LargeIconsAt(width)[12].bottom + Px(2); }

// True when some pixel of the item inside r is not the shell's background.
bool PaintedIn(HWND item, const RECT& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (PixelOf(item, x, y) != ShellWatermark) return true;
  return false;
}

class TapsStart : public ::testing::Test {
 protected:
  SettingsScope scope;
  ScratchDir dir{L"tovira-taps"};
  ProbeLog probe{dir};
  HWND shell = nullptr;
  HWND item = nullptr;
  TODAYLISTITEM record = {};
  std::unique_ptr<ItemLibrary> library;

  void SetUp() override {
    shell = CreateShellWindow(Width, 320);
    SetDword(L"", L"FixedPageCount", 2);
    SetDword(L"", L"MarginLeft", 10);
    SetDword(L"", L"MarginRight", 10);
    const int orders[6] = {2, 3, 4, 5, 1, 0};
    const int heights[6] = {30, 30, 30, 30, 48, 20};
    for (int kind = 1; kind <= 6; ++kind) {
      SetDword(PageKeyName(kind), L"Order", orders[kind - 1]);
      SetDword(PageKeyName(kind), L"Height", heights[kind - 1]);
    }
    SetText(L"Wireless", L"OnClick", probe.Program(L"wireless.exe"));
    SetText(L"Time", L"OnClick", probe.Program(L"time.exe"));
    SetText(L"Date", L"OnClick", probe.Program(L"date.exe"));
    SetText(L"Calendar", L"OnClick", probe.Program(L"calendar.exe"));
    SetText(L"SysInfo", L"OnClick1", probe.Program(L"battery.exe"));
    SetText(L"SysInfo", L"OnClick2", probe.Program(L"memory.exe"));
    library = std::make_unique<ItemLibrary>(dir, false);
  }

  void TearDown() override {
    if (item) DestroyWindow(item);
    library.reset();
    PumpPending();
  }

  void Create(int width = Width) {
    if (item) DestroyWindow(item);
    record = TODAYLISTITEM{};
    item = CreateItem(*library, shell, width, &record);
    DWORD error = GetLastError();
    WNDCLASSW wc = {};
    ASSERT_NE(item, nullptr) << "library " << library->Module() << " error " << error << " class "
                             << GetClassInfoW(library->Module(), L"Tovira", &wc);
  }

  // Waits for that many starts, then gives their program names.
  std::vector<std::wstring> StartedNames(size_t count) {
    probe.WaitForLines(count);
    std::vector<std::wstring> names;
    for (const std::wstring& path : probe.Started())
      names.push_back(path.substr(path.find_last_of(L'\\') + 1));
    return names;
  }
  using Names = std::vector<std::wstring>;

  // Taps and waits for the start it makes, so that starts are seen in order.
  void TapAndWait(int x, int y) {
    size_t before = probe.Lines().size();
    Tap(item, x, y);
    probe.WaitForLines(before + 1);
  }

  void TapSysInfoRest() { Tap(item, 200, 5); }  // the sign that starts get through

  // The shell's height query; true when the item asks for a new height.
  bool Query() {
    return SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&record),
                        0) != 0;
  }
};

TEST_F(TapsStart, TenPixelsOfTravelIsStillATapElevenIsNot) {
  Create();
  Drag(item, 100, 110, SlotY);
  probe.WaitForLines(1);
  Drag(item, 100, 111, SlotY);
  Drag(item, 100, 89, SlotY);
  TapSysInfoRest();
  EXPECT_EQ(StartedNames(2), (Names{L"wireless.exe", L"memory.exe"}));
}

TEST_F(TapsStart, ASwipeNeedsMoreThanAQuarterOfTheWidth) {
  Create();
  Drag(item, 100, 40, SlotY);  // 60: snaps back and, having moved, starts nothing
  TapAndWait(100, SlotY);
  Drag(item, 100, 39, SlotY);  // 61 to the left: the next page
  TapAndWait(100, SlotY);
  Drag(item, 100, 161, SlotY);  // 61 to the right: back again
  TapAndWait(100, SlotY);
  Drag(item, 100, 161, SlotY);  // and on round to the last one
  TapAndWait(100, SlotY);
  EXPECT_EQ(StartedNames(4),
            (Names{L"wireless.exe", L"time.exe", L"wireless.exe", L"calendar.exe"}));
}

TEST_F(TapsStart, AReleaseOffTheItemStartsNothing) {
  Create();
  const int below = static_cast<int>(record.cyp) + 150;
  struct Case {
    int downX, downY, upX, upY;
  } cases[] = {
      {60, SlotY, 60, below},                // straight down, past the item's bottom
      {60, 5, 60, -20},                      // straight up, above its top
      {3, SlotY, -4, SlotY},                 // 7 pixels off the left edge
      {Width - 3, SlotY, Width + 4, SlotY},  // 7 pixels off the right edge
  };
  for (const Case& c : cases) {
    SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(c.downX, c.downY));
    SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(c.upX, c.upY));
    SendMessageW(item, WM_LBUTTONUP, 0, PointAt(c.upX, c.upY));
  }
  TapSysInfoRest();
  EXPECT_EQ(StartedNames(1), (Names{L"memory.exe"}));
}

TEST_F(TapsStart, KeysPageLikeSwipes) {
  Create();
  SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0);
  SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0);
  TapAndWait(100, SlotY);
  SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_LEFT, 0);
  Tap(item, 100, SlotY);
  EXPECT_EQ(StartedNames(2), (Names{L"date.exe", L"time.exe"}));
}

TEST_F(TapsStart, ADragLeavingTheWindowToTheLeftIsALeftSwipe) {
  Create();
  Drag(item, 100, -100, SlotY);
  Tap(item, 100, SlotY);
  EXPECT_EQ(StartedNames(1), (Names{L"time.exe"}));
}

TEST_F(TapsStart, WithoutAPagingPageNoDragStarts) {
  SetDword(L"", L"FixedPageCount", 6);
  Create();
  // Wireless now lies at y 68..97: a press there, moved far, is still a tap.
  Drag(item, 20, 200, 70);
  EXPECT_EQ(StartedNames(1), (Names{L"wireless.exe"}));
}

TEST_F(TapsStart, AHiddenPageNeverOpensTheSlot) {
  // The slot opens on the first visible paging page: with one, a swipe lands
  // on it again; with none, a tap in the slot starts nothing.
  struct Case {
    std::vector<const wchar_t*> hidden;
    Names expected;
  } cases[] = {
      {{L"Time", L"Date", L"Calendar"}, {L"wireless.exe", L"wireless.exe"}},
      {{L"Wireless", L"Date", L"Calendar"}, {L"time.exe", L"time.exe"}},
      {{L"Wireless"}, {L"time.exe", L"date.exe"}},
      {{L"Wireless", L"Time", L"Date", L"Calendar"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.expected));
    DeleteFileW(probe.Path().c_str());
    for (const wchar_t* key : {L"Wireless", L"Time", L"Date", L"Calendar"})
      SetDword(key, L"Visible", 1);
    for (const wchar_t* key : c.hidden) SetDword(key, L"Visible", 0);
    Create();
    auto tapSlot = [&] { c.expected.empty() ? Tap(item, 100, SlotY) : TapAndWait(100, SlotY); };
    tapSlot();
    Drag(item, 100, 20, SlotY);
    tapSlot();
    TapSysInfoRest();
    Names expected = c.expected;
    expected.push_back(L"memory.exe");
    EXPECT_EQ(StartedNames(expected.size()), expected);
  }
}

TEST_F(TapsStart, DoubleTapStartsByTapType) {
  // The double tap is the release of the double-click press: moved away
  // first (less than a swipe), that press taps nothing.
  struct Case {
    int tapType;
    size_t starts;
    int secondTravel;
  } cases[] = {{1, 2, 0}, {2, 1, 0}, {0, 0, 0}, {2, 0, 20}, {1, 1, 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tapType << ", second press moved " << c.secondTravel);
    DeleteFileW(probe.Path().c_str());
    SetDword(L"", L"TapType", c.tapType);
    Create();
    // The system's sequence for two quick taps: release, double-click, release.
    SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(100, SlotY));
    SendMessageW(item, WM_LBUTTONUP, 0, PointAt(100, SlotY));
    SendMessageW(item, WM_LBUTTONDBLCLK, MK_LBUTTON, PointAt(100, SlotY));
    if (c.secondTravel)
      SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(100 - c.secondTravel, SlotY));
    SendMessageW(item, WM_LBUTTONUP, 0, PointAt(100 - c.secondTravel, SlotY));
    probe.WaitForLines(c.starts);
    // A single tap with TapType 1 afterwards marks the end of this case's starts.
    SetDword(L"", L"TapType", 1);
    Create();
    TapSysInfoRest();
    Names expected(c.starts, L"wireless.exe");
    expected.push_back(L"memory.exe");
    EXPECT_EQ(StartedNames(expected.size()), expected);
  }
}

TEST_F(TapsStart, TheActionKeyIsASingleTapOnTheSlotsPage) {
  // Without fixed pages the slot holds, in turn: SysInfo, Launcher (with an
  // icon), Wireless, Time, Date, Calendar.
  SetText(L"Launcher", L"FileName1", probe.Program(L"icon.exe"));
  struct Case {
    int fixed, tapType, rights;
    const wchar_t* started;  // null: nothing
  } cases[] = {
      {0, 1, 0, L"memory.exe"}, {0, 1, 1, nullptr},     {0, 1, 2, L"wireless.exe"},
      {0, 1, 3, L"time.exe"},   {0, 1, 4, L"date.exe"}, {0, 1, 5, L"calendar.exe"},
      {0, 2, 2, nullptr},       {0, 0, 3, nullptr},     {0, 2, 0, nullptr},
      {6, 1, 0, nullptr},  // every page fixed: no slot, no page to act on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "fixed " << c.fixed << ", TapType " << c.tapType << ", page " << c.rights);
    DeleteFileW(probe.Path().c_str());
    SetDword(L"", L"FixedPageCount", c.fixed);
    SetDword(L"", L"TapType", c.tapType);
    Create();
    for (int i = 0; i < c.rights; ++i)
      SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0);
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0), TRUE);
    if (c.started) probe.WaitForLines(1);
    // SysInfo's right-hand part, tapped with TapType 1, closes the case.
    SetDword(L"", L"TapType", 1);
    Create();
    Tap(item, 200, 5);
    Names expected;
    if (c.started) expected.push_back(c.started);
    expected.push_back(L"memory.exe");
    EXPECT_EQ(StartedNames(expected.size()), expected);
  }
}

TEST_F(TapsStart, AQuickSecondFlickPagesToo) {
  // Two flicks from one point: the second press arrives as a double-click.
  struct Case {
    int firstDx, secondDx;
    const wchar_t* shown;  // what a tap on the slot starts afterwards
  } cases[] = {{-100, -100, L"date.exe"}, {-100, 100, L"wireless.exe"}, {-100, 0, L"time.exe"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.firstDx << ", " << c.secondDx);
    DeleteFileW(probe.Path().c_str());
    Create();
    Drag(item, 120, 120 + c.firstDx, SlotY);
    SendMessageW(item, WM_LBUTTONDBLCLK, MK_LBUTTON, PointAt(120, SlotY));
    SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(120 + c.secondDx, SlotY));
    SendMessageW(item, WM_LBUTTONUP, 0, PointAt(120 + c.secondDx, SlotY));
    Names expected(c.secondDx ? 0 : 1, c.shown);  // a press left in place taps (TapType 1)
    if (c.secondDx == 0) probe.WaitForLines(1);
    Tap(item, 120, SlotY);
    expected.push_back(c.shown);
    EXPECT_EQ(StartedNames(expected.size()), expected);
  }
}

TEST_F(TapsStart, SysInfoSplitsAtTheQuarter) {
  Create();
  // L = 10, R = 230: the left quarter ends before x = 10 + 220 / 4 = 65.
  TapAndWait(64, 5);
  TapAndWait(65, 5);
  Tap(item, 10, 5);   // on the margin
  Tap(item, 230, 5);  // on the margin
  Tap(item, 11, 5);
  EXPECT_EQ(StartedNames(3), (Names{L"battery.exe", L"memory.exe", L"battery.exe"}));
}

TEST_F(TapsStart, ANaturalHeightKeepsEachPageInItsOwnBand) {
  // SysInfo's natural height counts the battery image beside the library:
  // its last row is still SysInfo, and the launcher below starts after it.
  wchar_t battery[32];
  swprintf(battery, 32, L"battery%i.png", DpiY());
  ASSERT_TRUE(CopyFromBin(battery, dir.File(battery)));
  SetDword(L"SysInfo", L"Height", 0xFFFFFFFF);
  Create();
  const int sysInfo = static_cast<int>(record.cyp) - 48 - 30;  // launcher, tallest slot page
  TapAndWait(200, sysInfo - 1);
  Tap(item, 100, sysInfo + 48 + 5);
  EXPECT_EQ(StartedNames(2), (Names{L"memory.exe", L"wireless.exe"}));
}

TEST_F(TapsStart, ANaturalLauncherHeightHoldsEveryRowOfIcons) {
  // Thirteen icons with 220 pixels of room: the last one alone in a row the
  // page's height must count, above the paging slot.
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  SetDword(L"", L"MarginRight", static_cast<DWORD>(screen - 230));
  SetDword(L"Launcher", L"Height", 0xFFFFFFFF);
  SetDword(L"Launcher", L"Align", 0);
  const std::wstring icon = probe.Program(L"icon.exe");
  for (int i = 1; i <= 12; ++i)
    SetText(L"Launcher", (L"FileName" + std::to_wstring(i)).c_str(), icon);
  SetText(L"Launcher", L"FileName13", probe.Program(L"last.exe"));
  record = TODAYLISTITEM{};
  item = CreateItem(*library, shell, screen, &record);
  ASSERT_NE(item, nullptr);
  const std::vector<RECT> rects = LargeIconsAt(screen, screen - 230);
  ASSERT_GT(rects[12].top, rects[0].top) << "the icons must take more than one row";
  // SysInfo 0..19, the launcher from 20, the tallest slot page (30) below it.
  const int launcher = static_cast<int>(record.cyp) - 20 - 30;
  EXPECT_EQ(launcher, rects[12].bottom + Px(2)) << "rows x icon height + margins";
  TapAndWait((rects[12].left + rects[12].right) / 2, 20 + (rects[12].top + rects[12].bottom) / 2);
  Tap(item, 100, 20 + launcher + 5);
  EXPECT_EQ(StartedNames(2), (Names{L"last.exe", L"wireless.exe"}));
}

TEST_F(TapsStart, TheLauncherFollowsTheWindowsWidth) {
  // Launcher (natural height) then Time, fixed; Wireless first in the slot.
  // The shell first gives the item 240 pixels, then a turned screen's 320 or
  // the 200 a scroll bar leaves: the icons' rows, the bands below them, the
  // height and the picture follow the new width.
  shell = CreateShellWindow(Px(320), Px(320));
  const int orders[6] = {2, 1, 4, 5, 0, 3};
  for (int kind = 1; kind <= 6; ++kind) SetDword(PageKeyName(kind), L"Order", orders[kind - 1]);
  SetDword(L"Launcher", L"Height", 0xFFFFFFFF);
  SetDword(L"Launcher", L"Align", 0);
  for (int i = 1; i <= 13; ++i) {
    const std::wstring n = std::to_wstring(i);
    SetText(L"Launcher", (L"FileName" + n).c_str(), probe.Program(L"icon" + n + L".exe"));
  }
  struct Case {
    int width;
    int icon;  // 1..13, or 0 for Time's band under the launcher
    const wchar_t* started;
  } cases[] = {
      {320, 10, L"icon10.exe"},
      {320, 0, L"time.exe"},
      {200, 6, L"icon6.exe"},
      {200, 13, L"icon13.exe"},
  };
  const int before = LauncherHeightAt(Px(240));
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " px, icon " << c.icon);
    DeleteFileW(probe.Path().c_str());
    Create(Px(240));
    Query();  // the shell's next poll: the height of the 240 pixels
    ASSERT_EQ(record.cyp, static_cast<DWORD>(before + 30 + 30)) << "launcher, Time, the slot";
    const int width = Px(c.width);
    const std::vector<RECT> rects = LargeIconsAt(width);
    const int launcher = LauncherHeightAt(width);
    // As the shell does: the new width, then the height it asks for.
    SetWindowPos(item, nullptr, 0, 0, width, static_cast<int>(record.cyp), SWP_NOZORDER);
    EXPECT_EQ(Query(), launcher != before);
    EXPECT_EQ(record.cyp, static_cast<DWORD>(launcher + 30 + 30));
    SetWindowPos(item, nullptr, 0, 0, width, static_cast<int>(record.cyp), SWP_NOZORDER);
    UpdateWindow(item);
    PumpPending();
    if (c.icon > 0) {
      const RECT& r = rects[c.icon - 1];
      EXPECT_TRUE(PaintedIn(item, r)) << "the icon is drawn where it is tapped";
      Tap(item, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    } else {
      Tap(item, width / 2, launcher + 15);
    }
    probe.WaitForLines(1);
    Tap(item, width / 2, launcher + 30 + 15);  // the slot's Wireless, to close the case
    EXPECT_EQ(StartedNames(2), (Names{c.started, L"wireless.exe"}));
  }
}

TEST_F(TapsStart, APathWithSpacesIsStartedThroughItsQuotes) {
  CreateDirectoryW(dir.File(L"my tools").c_str(), nullptr);
  std::wstring spaced = probe.Program(L"my tools\\clock probe.exe");
  SetText(L"Wireless", L"OnClick", spaced);
  Create();
  Tap(item, 100, SlotY);
  ASSERT_TRUE(probe.WaitForLines(1));
  EXPECT_EQ(probe.Started()[0], spaced);
  EXPECT_NE(probe.Lines()[0].find(L"\"" + spaced + L"\""), std::wstring::npos) << probe.Lines()[0];
}

TEST_F(TapsStart, AMissingTargetStartsNothing) {
  SetText(L"Wireless", L"OnClick", dir.File(L"missing.exe"));
  SetText(L"Time", L"OnClick", L"");
  Create();
  Tap(item, 100, SlotY);
  SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0);
  Tap(item, 100, SlotY);
  TapSysInfoRest();
  EXPECT_EQ(StartedNames(1), (Names{L"memory.exe"}));
}

TEST_F(TapsStart, ARelativePathIsFoundFromTheWorkingFolder) {
  CreateDirectoryW(dir.File(L"Windows").c_str(), nullptr);
  probe.Program(L"Windows\\clock.exe");
  SetText(L"Wireless", L"OnClick", L"Windows\\clock.exe");
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(dir.Path().c_str());
  Create();
  Tap(item, 100, SlotY);
  bool started = probe.WaitForLines(1);
  SetCurrentDirectoryW(previous);
  ASSERT_TRUE(started);
  EXPECT_EQ(probe.Started()[0], dir.File(L"Windows\\clock.exe"));
}

TEST_F(TapsStart, EveryTapMessageOnALauncherIconStartsIt) {
  SetText(L"Launcher", L"FileName1", probe.Program(L"icon.exe"));
  SetDword(L"Launcher", L"Align", 0);
  SetDword(L"", L"TapType", 0);  // icons do not ask TapType
  Create();
  // Where the launcher layout puts the first icon (y from the page top).
  const RECT rect = LargeIconsAt(Width)[0];
  int x = (rect.left + rect.right) / 2;
  int y = 20 + (rect.top + rect.bottom) / 2;
  SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(x, y));
  SendMessageW(item, WM_LBUTTONUP, 0, PointAt(x, y));
  SendMessageW(item, WM_LBUTTONDBLCLK, MK_LBUTTON, PointAt(x, y));
  SendMessageW(item, WM_LBUTTONUP, 0, PointAt(x, y));
  EXPECT_EQ(StartedNames(3), (Names{L"icon.exe", L"icon.exe", L"icon.exe"}));
}

}  // namespace
