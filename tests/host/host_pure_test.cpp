// The host's arithmetic and parsing: command line, library paths, which
// entries load in which order, stacking, selection steps.
#include <gtest/gtest.h>

#include <climits>
#include <cwchar>

#include "host/todayhost/host_layout.h"
#include "host/todayhost/host_options.h"
#include "host/todayhost/item_entries.h"
#include "host/todayhost/own_items.h"
#include "host/todayhost/screen_turn.h"
#include "host/todayhost/scroll_view.h"
#include "host/todayhost/selection.h"
#include "host/todayhost/watermark.h"
#include "platform/rotation.h"
#include "platform/today.h"
#include "tests/host/host_test_support.h"

TEST(HostOptions, ParsesEachOption) {
  const wchar_t* argv[] = {L"todayhost", L"--size",   L"480x640", L"--root",  L"C:\\dev",
                           L"--png",     L"out.png",  L"--ticks", L"3",       L"--swipe",
                           L"-2",        L"--select", L"1",       L"--items", L"Software\\X"};
  HostOptions o;
  wchar_t error[200] = L"";
  ASSERT_TRUE(ParseHostOptions(15, argv, &o, error, 200)) << error;
  EXPECT_EQ(o.width, 480);
  EXPECT_EQ(o.height, 640);
  EXPECT_STREQ(o.root, L"C:\\dev");
  EXPECT_STREQ(o.png, L"out.png");
  EXPECT_EQ(o.ticks, 3);
  EXPECT_EQ(o.swipe, -2);
  EXPECT_EQ(o.select, 1);
  EXPECT_STREQ(o.itemsKey, L"Software\\X");
}

TEST(HostOptions, DefaultsAndRejects) {
  const wchar_t* none[] = {L"todayhost"};
  HostOptions o;
  wchar_t error[200] = L"";
  ASSERT_TRUE(ParseHostOptions(1, none, &o, error, 200));
  EXPECT_EQ(o.width, 0);
  EXPECT_STREQ(o.itemsKey, L"Software\\Microsoft\\Today\\Items");
  EXPECT_EQ(o.ticks, 1);
  EXPECT_EQ(o.select, -1);
  struct Case {
    const wchar_t* option;
    const wchar_t* value;
  } bad[] = {{L"--size", L"240"},     {L"--size", L"0x320"}, {L"--size", L"x320"},
             {L"--size", L"99999x2"}, {L"--ticks", L"-1"},   {L"--ticks", L"12a"},
             {L"--bogus", L"1"},      {L"--size", nullptr},  {L"--swipe", L"99999999999"}};
  for (const Case& c : bad) {
    const wchar_t* argv[] = {L"todayhost", c.option, c.value};
    EXPECT_FALSE(ParseHostOptions(c.value ? 3 : 2, argv, &o, error, 200))
        << c.option << L" " << (c.value ? c.value : L"(none)");
  }
}

// The screen's size when none is given: the portrait device screen.
TEST(HostOptions, DeviceScreenFollowsDensity) {
  int w = 0, h = 0;
  OrientedScreenSize(96, false, &w, &h);
  EXPECT_EQ(w, 240);
  EXPECT_EQ(h, 320);
  OrientedScreenSize(192, false, &w, &h);
  EXPECT_EQ(w, 480);
  EXPECT_EQ(h, 640);
  OrientedScreenSize(-5, false, &w, &h);
  EXPECT_EQ(w, 240);
}

TEST(ItemLibraryPath, DeviceRootHoldsRelativeAndRootedPaths) {
  struct Case {
    const wchar_t* dll;
    const wchar_t* root;
    const wchar_t* expected;
  } cases[] = {
      {L"\\Program Files\\Tovira\\tovira.dll", L"Z:\\dev",
       L"Z:\\dev\\Program Files\\Tovira\\tovira.dll"},
      {L"Program Files\\Tovira\\tovira.dll", L"Z:\\dev\\",
       L"Z:\\dev\\Program Files\\Tovira\\tovira.dll"},
      {L"C:\\x\\item.dll", L"Z:\\dev", L"C:\\x\\item.dll"},
      {L"\\\\server\\share\\item.dll", L"Z:\\dev", L"\\\\server\\share\\item.dll"},
      {L"item.dll", L"", L"item.dll"},
  };
  for (const Case& c : cases) {
    wchar_t out[MAX_PATH];
    ASSERT_TRUE(ResolveItemLibrary(c.dll, c.root, out, MAX_PATH)) << c.dll;
    EXPECT_STREQ(out, c.expected);
  }
  wchar_t small[12];
  EXPECT_FALSE(ResolveItemLibrary(L"dir\\item.dll", L"Z:\\root", small, 12));
  EXPECT_EQ(wcslen(small), 11u);  // cut, but terminated
  wchar_t out[MAX_PATH];
  EXPECT_FALSE(ResolveItemLibrary(L"", L"Z:\\", out, MAX_PATH));
}

static ItemEntry Entry(const wchar_t* name, DWORD type, DWORD enabled, DWORD order,
                       const wchar_t* dll = L"x.dll") {
  ItemEntry e = {};
  wcsncpy(e.name, name, MAX_ITEMNAME - 1);
  wcsncpy(e.dll, dll, MAX_PATH - 1);
  e.type = type;
  e.enabled = enabled;
  e.order = order;
  return e;
}

TEST(ItemEntries, OnlyEnabledCustomItemsInOrder) {
  ItemEntry entries[] = {
      Entry(L"Late", 4, 1, 9),
      Entry(L"Owner", 0, 1, 0),
      Entry(L"Off", 4, 0, 1),
      Entry(L"beta", 4, 1, 3),
      Entry(L"Alpha", 4, 1, 3),
      Entry(L"First", 4, 1, 0),
      Entry(L"NoLibrary", 4, 1, 2, L""),
      Entry(L"Big", 4, 0xFFFFFFFF, 0xFFFFFFFF),
      // The shell's own items need no library; a custom entry of such a
      // name is still custom, and one switched off stays off.
      Entry(L"Tasks", 3, 1, 4, L""),
      Entry(L"Date", 4, 1, 1, L""),
      Entry(L"Messaging", 2, 0, 0, L""),
  };
  int n = SelectLoadableEntries(entries, 11);
  const wchar_t* expected[] = {L"First", L"Alpha", L"beta", L"Tasks", L"Late", L"Big"};
  ASSERT_EQ(n, 6);
  for (int i = 0; i < n; ++i) EXPECT_STREQ(entries[i].name, expected[i]) << "position " << i;
}

TEST(HostLayout, StacksByHeightAndCutsWildOnes) {
  DWORD heights[] = {30, 0, 50, 0xFFFFFFFF, 0x80000000, 10};
  int tops[6];
  int total = StackItems(heights, 6, tops);
  int expected[] = {0, 30, 30, 80, 80 + MaxItemHeight, 80 + 2 * MaxItemHeight};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(tops[i], expected[i]) << "item " << i;
  EXPECT_EQ(total, 90 + 2 * MaxItemHeight);
}

TEST(HostLayout, SelectionSteps) {
  const bool all[] = {true, true, true};
  const bool middleOff[] = {true, false, true};  // Selectability 0 in the middle
  const bool endsOff[] = {false, true, false};
  struct Case {
    int current, delta, count, expected;
    const bool* selectable;
  } cases[] = {{-1, 1, 3, 0, all},      {-1, -1, 3, 2, all},      {0, 1, 3, 1, all},
               {2, 1, 3, -1, all},      {0, -1, 3, -1, all},      {1, -1, 3, 0, all},
               {-1, 1, 0, -1, all},     {5, 1, 3, 0, all},        {1, 0, 3, 1, all},
               {0, 1, 3, 2, middleOff}, {2, -1, 3, 0, middleOff}, {-1, 1, 3, 1, endsOff},
               {-1, -1, 3, 1, endsOff}, {1, 1, 3, -1, endsOff}};
  for (const Case& c : cases)
    EXPECT_EQ(StepSelection(c.current, c.delta, c.selectable, c.count), c.expected)
        << "from " << c.current << " by " << c.delta << " of " << c.count
        << (c.selectable == all         ? ""
            : c.selectable == middleOff ? " middle off"
                                        : " ends off");
}

TEST(HostLayout, ShellColoursAndGradientEnds) {
  EXPECT_EQ(TodayColor(TODAYCOLOR_HIGHLIGHT), RGB(0x31, 0x6A, 0xC5));
  EXPECT_EQ(TodayColor(TODAYCOLOR_HIGHLIGHTEDTEXT), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(WatermarkColorAt(0, 320), RGB(0x2B, 0x4F, 0x8E));
  EXPECT_EQ(WatermarkColorAt(319, 320), RGB(0x0B, 0x1A, 0x3A));
  EXPECT_EQ(WatermarkColorAt(-40, 320), WatermarkColorAt(0, 320));
  EXPECT_EQ(WatermarkColorAt(INT_MAX, 320), WatermarkColorAt(319, 320));
}

// Entries as the registry holds them, damaged in every way a value can be.
TEST(ItemEntries, ReadKeepsDefaultsForDamagedValues) {
  DeleteTestItems();
  WriteTestEntry(L"Good", L"a.dll", 4, 1, 7, 1);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(TestItemsKey) + L"\\Bad").c_str(), 0,
                            nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const wchar_t raw[] = {L'b', L'.', L'd', L'l', L'l'};  // stored without terminator
  RegSetValueExW(key, L"DLL", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), sizeof(raw));
  RegSetValueExW(key, L"Type", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"4"), 4);
  const BYTE wide[8] = {1, 0, 0, 0, 0, 0, 0, 1};
  RegSetValueExW(key, L"Enabled", 0, REG_BINARY, wide, 8);
  RegSetValueExW(key, L"Order", 0, REG_DWORD, wide, 2);  // odd size
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(TestItemsKey) + L"\\Long").c_str(), 0,
                            nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  std::wstring huge(MAX_PATH + 40, L'x');
  RegSetValueExW(key, L"DLL", 0, REG_SZ, reinterpret_cast<const BYTE*>(huge.c_str()),
                 static_cast<DWORD>((huge.size() + 1) * 2));
  RegCloseKey(key);
  WriteTestEntry(L"A name longer than the shell's thirty-two units", L"c.dll", 4, 1, 0);

  ItemEntry entries[MaxItemEntries];
  int n = ReadItemEntries(HKEY_LOCAL_MACHINE, TestItemsKey, entries, MaxItemEntries);
  DeleteTestItems();
  ASSERT_EQ(n, 3);
  const ItemEntry* bad = nullptr;
  const ItemEntry* good = nullptr;
  const ItemEntry* longer = nullptr;
  for (int i = 0; i < n; ++i) {
    if (wcscmp(entries[i].name, L"Bad") == 0) bad = &entries[i];
    if (wcscmp(entries[i].name, L"Good") == 0) good = &entries[i];
    if (wcscmp(entries[i].name, L"Long") == 0) longer = &entries[i];
  }
  ASSERT_TRUE(bad && good && longer);
  EXPECT_STREQ(good->dll, L"a.dll");
  EXPECT_EQ(good->order, 7u);
  EXPECT_EQ(good->type, 4u);
  EXPECT_STREQ(bad->dll, L"b.dll");
  EXPECT_EQ(bad->type, 0u);
  EXPECT_EQ(bad->enabled, 0u);
  EXPECT_EQ(bad->order, 0u);
  EXPECT_STREQ(longer->dll, L"");
  EXPECT_EQ(ReadItemEntries(HKEY_LOCAL_MACHINE, TestItemsKey, entries, MaxItemEntries), 0);
}

// The shell filters before it caps: an enabled entry after a full table of
// others still loads.
TEST(ItemEntries, LoadableEntryAfterManyOthersIsRead) {
  DeleteTestItems();
  for (int i = 0; i < MaxItemEntries + 3; ++i) {
    wchar_t name[16];
    swprintf(name, 16, L"Off%02d", i);
    WriteTestEntry(name, L"a.dll", 4, 0, 0);
  }
  WriteTestEntry(L"Zulu", L"z.dll", 4, 1, 0);
  ItemEntry entries[MaxItemEntries];
  int n = ReadLoadableEntries(HKEY_LOCAL_MACHINE, TestItemsKey, entries, MaxItemEntries);
  DeleteTestItems();
  ASSERT_EQ(n, 1);
  EXPECT_STREQ(entries[0].name, L"Zulu");
}

TEST(Selection, KeysThatLeaveAnItem) {
  struct Case {
    UINT key;
    bool handled;
    int direction;
    bool leaves;
  } cases[] = {{VK_DOWN, false, 1, true},   {VK_UP, false, -1, true},    {VK_DOWN, true, 1, false},
               {VK_LEFT, false, 0, false},  {VK_RIGHT, false, 0, false}, {VK_RIGHT, true, 0, false},
               {VK_RETURN, false, 0, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(SelectionDirection(c.key), c.direction) << "key " << c.key;
    EXPECT_EQ(NavigationLeavesItem(c.key, c.handled), c.leaves)
        << "key " << c.key << (c.handled ? " handled" : " unhandled");
  }
}

// Which items accept when offered the selection: bit i for item i.
static bool AcceptsByMask(int index, void* mask) {
  return (*static_cast<unsigned*>(mask) >> index & 1u) != 0;
}

TEST(Selection, PassesOnPastItemsThatDecline) {
  const DWORD told[] = {2, 2, 2, 2};
  const DWORD mixed[] = {0, 1, 2, 0};  // never, by the shell, told, never
  struct Case {
    const char* what;
    const DWORD* selectability;
    int current, direction;
    unsigned accepting;
    int expected;
  } cases[] = {
      {"all accept, down from none", told, -1, 1, 0xF, 0},
      {"all accept, up from none", told, -1, -1, 0xF, 3},
      {"next declines", told, 0, 1, 0xD, 2},
      {"all below decline", told, 1, 1, 0x3, -1},
      {"up past declining", told, 3, -1, 0x1, 0},
      {"no direction", told, 1, 0, 0xF, -1},
      {"shell's item takes it without being asked", mixed, -1, 1, 0x0, 1},
      {"told item declines, end reached", mixed, 1, 1, 0x0, -1},
      {"told item accepts", mixed, 1, 1, 0x4, 2},
      {"up skips never", mixed, -1, -1, 0x4, 2},
  };
  for (const Case& c : cases) {
    unsigned mask = c.accepting;
    EXPECT_EQ(PassSelection(c.current, c.direction, c.selectability, 4, AcceptsByMask, &mask),
              c.expected)
        << c.what;
  }
  unsigned none = 0;
  EXPECT_EQ(PassSelection(-1, 1, told, 0, AcceptsByMask, &none), -1) << "no items";
}

TEST(ScrollView, ColumnOffsetsAndBar) {
  const DWORD heights[] = {150, 150, 150};
  struct Case {
    int count, view, offset;
    bool scrolls;
    int maxOffset, kept, firstTop, lastTop;
  } cases[] = {
      {3, 320, 0, true, 130, 0, 0, 300},        {3, 320, 100, true, 130, 100, -100, 200},
      {3, 320, 500, true, 130, 130, -130, 170}, {3, 320, -20, true, 130, 0, 0, 300},
      {2, 320, 50, false, 0, 0, 0, 150},        {3, 450, 10, false, 0, 0, 0, 300},
      {3, 449, 10, true, 1, 1, -1, 299},
  };
  for (const Case& c : cases) {
    ColumnLayout column;
    LayOutColumn(heights, c.count, c.view, c.offset, &column);
    SCOPED_TRACE(testing::Message()
                 << c.count << " items on " << c.view << " rows at " << c.offset);
    EXPECT_EQ(column.scrolls, c.scrolls);
    EXPECT_EQ(column.maxOffset, c.maxOffset);
    EXPECT_EQ(column.offset, c.kept);
    EXPECT_EQ(column.tops[0], c.firstTop);
    EXPECT_EQ(column.tops[c.count - 1], c.lastTop);
  }
}

TEST(ScrollView, OffsetsThatShowAnItemOrFollowTheBar) {
  struct Show {
    int offset, top, height, expected;
  } shows[] = {
      {0, 0, 150, 0},   {0, 300, 150, 130}, {130, 0, 150, 0},    {50, 100, 150, 50},
      {0, 150, 150, 0}, {0, 160, 500, 130}, {100, 200, 50, 100},
  };
  for (const Show& c : shows)
    EXPECT_EQ(OffsetShowing(c.offset, c.top, c.height, 320, 130), c.expected)
        << "item at " << c.top << "+" << c.height << " from " << c.offset;
  struct Bar {
    int request, track, offset, expected;
  } bars[] = {
      {SB_LINEDOWN, 0, 0, 16}, {SB_LINEUP, 0, 10, 0},      {SB_PAGEDOWN, 0, 0, 130},
      {SB_PAGEUP, 0, 130, 0},  {SB_THUMBTRACK, 77, 0, 77}, {SB_THUMBPOSITION, 999, 0, 130},
      {SB_BOTTOM, 0, 3, 130},  {SB_TOP, 0, 99, 0},         {SB_ENDSCROLL, 0, 42, 42},
  };
  for (const Bar& c : bars)
    EXPECT_EQ(OffsetAfterBar(c.request, c.track, c.offset, 16, 320, 130), c.expected)
        << "request " << c.request << " from " << c.offset;
}

TEST(ScreenTurn, SizesAndNotices) {
  struct Size {
    int dpi;
    bool landscape;
    int width, height;
  } sizes[] = {{96, false, 240, 320}, {96, true, 320, 240},  {192, false, 480, 640},
               {192, true, 640, 480}, {131, true, 436, 327}, {0, true, 320, 240}};
  for (const Size& c : sizes) {
    int w = 0, h = 0;
    OrientedScreenSize(c.dpi, c.landscape, &w, &h);
    EXPECT_EQ(w, c.width) << c.dpi << (c.landscape ? " landscape" : " portrait");
    EXPECT_EQ(h, c.height) << c.dpi << (c.landscape ? " landscape" : " portrait");
  }
  bool landscape = false;
  EXPECT_TRUE(ParseOrientation(L"landscape", &landscape) && landscape);
  EXPECT_TRUE(ParseOrientation(L"portrait", &landscape) && !landscape);
  EXPECT_FALSE(ParseOrientation(L"Landscape", &landscape));
  EXPECT_FALSE(ParseOrientation(nullptr, &landscape));
  struct Notice {
    UINT message;
    WPARAM wParam;
    bool turn;
  } notices[] = {{WM_SETTINGCHANGE, SETTINGCHANGE_RESET, true},
                 {WM_DISPLAYCHANGE, 32, true},
                 {WM_SETTINGCHANGE, 0xF2, false},
                 {WM_SETTINGCHANGE, SPI_SETWORKAREA, false},
                 {WM_SIZE, SETTINGCHANGE_RESET, false}};
  for (const Notice& c : notices)
    EXPECT_EQ(IsScreenTurnNotice(c.message, c.wParam), c.turn)
        << "message " << c.message << " " << c.wParam;
}

TEST(OwnItems, NamesLinesAndHeight) {
  struct Kind {
    const wchar_t* name;
    DWORD type;
    OwnItemKind kind;
  } kinds[] = {{L"Date", 0, OwnDate},       {L"messaging", 2, OwnMessages},
               {L"Tasks", 3, OwnTasks},     {L"Tasks", tlitCustom, OwnNone},
               {L"Owner Info", 0, OwnNone}, {nullptr, 0, OwnNone}};
  for (const Kind& c : kinds)
    EXPECT_EQ(OwnItemKindOf(c.name, c.type), c.kind)
        << (c.name ? "named" : "unnamed") << " " << c.type;
  wchar_t line[64];
  MessagesLine(3, 2, line, 64);
  EXPECT_STREQ(line, L"Сообщения: SMS 3, эл. почта 2");
  MessagesLine(0, 0, line, 64);
  EXPECT_STREQ(line, L"Нет новых сообщений");
  MessagesLine(4000000000u, 1, line, 12);  // bounded
  EXPECT_EQ(wcslen(line), 11u);
  EXPECT_EQ(OwnItemHeight(96), 22);
  EXPECT_EQ(OwnItemHeight(192), 44);
  EXPECT_EQ(OwnItemHeight(-5), 22);
}
