// The item against hostile settings trees: hundreds of random trees loaded in
// process, each field checked against the stored value or its default; the
// real tovira.dll created, asked, ticked, paged and painted over random trees;
// launcher lists of ten thousand entries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hostile/hostile_registry.h"
#include "hostile/loaded_fields.h"
#include "item/host/item_window.h"
#include "item/host/layout.h"
#include "item/host/paging.h"
#include "item/settings/item_settings.h"
#include "support/item_test_support.h"

using namespace hostile;

namespace {

void AddFont(Slots& m, const wchar_t* key, const std::wstring& suffix, const wchar_t* colorName,
             FontSpec& f) {
  m[{key, L"FontName" + suffix}].Text = f.FontName;
  m[{key, L"FontSize" + suffix}].Number = &f.FontSize;
  m[{key, L"FontBold" + suffix}].Number = &f.FontBold;
  m[{key, colorName + suffix}].Number = reinterpret_cast<int*>(&f.FontColor);
  m[{key, L"ClearType" + suffix}].Number = &f.ClearType;
}

Slots ItemSlots() {
  ItemSettingsRecord& s = ItemSettings;
  Slots m;
  auto number = [&](const wchar_t* key, const wchar_t* name, int* p) { m[{key, name}].Number = p; };
  auto text = [&](const wchar_t* key, const wchar_t* name, wchar_t* p) { m[{key, name}].Text = p; };
  auto color = [&](const wchar_t* key, const wchar_t* name, COLORREF* p) {
    m[{key, name}].Number = reinterpret_cast<int*>(p);
  };
  auto page = [&](const wchar_t* key, int* height, int* order, int* visible) {
    number(key, L"Height", height);
    number(key, L"Order", order);
    number(key, L"Visible", visible);
  };
  number(L"", L"FixedPageCount", &s.FixedPageCount);
  number(L"", L"MarginLeft", &s.MarginLeft);
  number(L"", L"MarginTop", &s.MarginTop);
  number(L"", L"MarginRight", &s.MarginRight);
  number(L"", L"MarginBottom", &s.MarginBottom);
  number(L"", L"TapType", &s.TapType);
  WirelessSettings& w = s.Wireless;
  AddFont(m, L"Wireless", L"", L"FontColor", w.Font);
  number(L"Wireless", L"ShowBT", &w.ShowBT);
  number(L"Wireless", L"ShowWF", &w.ShowWF);
  number(L"Wireless", L"ShowCalls", &w.ShowCalls);
  number(L"Wireless", L"ShowSMS", &w.ShowSMS);
  number(L"Wireless", L"ShowEMails", &w.ShowEMails);
  text(L"Wireless", L"OnClick", w.OnClick);
  page(L"Wireless", &w.Height, &w.Order, &w.Visible);
  TimeSettings& t = s.Time;
  AddFont(m, L"Time", L"1", L"FontColor", t.Font1);
  AddFont(m, L"Time", L"2", L"FontColor", t.Font2);
  number(L"Time", L"TimeFormat", &t.TimeFormat);
  number(L"Time", L"ShowAlarm", &t.ShowAlarm);
  number(L"Time", L"ShowDate", &t.ShowDate);
  text(L"Time", L"OnClick", t.OnClick);
  page(L"Time", &t.Height, &t.Order, &t.Visible);
  DateSettings& d = s.Date;
  AddFont(m, L"Date", L"1", L"FontColor", d.Font1);
  AddFont(m, L"Date", L"2", L"FontColor", d.Font2);
  text(L"Date", L"Format1", d.Format1);
  text(L"Date", L"Format2", d.Format2);
  text(L"Date", L"OnClick", d.OnClick);
  page(L"Date", &d.Height, &d.Order, &d.Visible);
  CalendarSettings& c = s.Calendar;
  AddFont(m, L"Calendar", L"", L"Color", c.Font);
  AddFont(m, L"Calendar", L"Weekdays", L"Color", c.FontWeekdays);
  color(L"Calendar", L"ColorToday", &c.ColorToday);
  color(L"Calendar", L"ColorSaturday", &c.ColorSaturday);
  color(L"Calendar", L"ColorSunday", &c.ColorSunday);
  color(L"Calendar", L"ColorOther", &c.ColorOther);
  text(L"Calendar", L"OnClick", c.OnClick);
  page(L"Calendar", &c.Height, &c.Order, &c.Visible);
  LauncherSettings& l = s.Launcher;
  number(L"Launcher", L"BigIcons", &l.BigIcons);
  number(L"Launcher", L"Align", &l.Align);
  page(L"Launcher", &l.Height, &l.Order, &l.Visible);
  SysInfoSettings& i = s.SysInfo;
  AddFont(m, L"SysInfo", L"", L"FontColor", i.Font);
  number(L"SysInfo", L"RamType", &i.RamType);
  number(L"SysInfo", L"PhoneType", &i.PhoneType);
  number(L"SysInfo", L"CardType", &i.CardType);
  text(L"SysInfo", L"OnClick1", i.OnClick1);
  text(L"SysInfo", L"OnClick2", i.OnClick2);
  page(L"SysInfo", &i.Height, &i.Order, &i.Visible);
  return m;
}

// Every value of an empty tree, as the pages show it. Lengths at 96 dpi and
// at 192: margins 10, 2, 10, 2 px, heights 15, 30, 15, 48, 48, 48 px.
Defaults ItemDefaults() {
  Defaults d;
  auto number = [&](const wchar_t* key, const wchar_t* name, int value) {
    d.Numbers[{key, name}] = value;
  };
  auto font = [&](const wchar_t* key, const std::wstring& suffix, const wchar_t* colorName,
                  int size, int bold, int color) {
    d.Texts[{key, L"FontName" + suffix}] = L"Tahoma";
    number(key, (L"FontSize" + suffix).c_str(), size);
    number(key, (L"FontBold" + suffix).c_str(), bold);
    number(key, (colorName + suffix).c_str(), color);
    number(key, (L"ClearType" + suffix).c_str(), 1);
  };
  auto page = [&](const wchar_t* key, int height96, int height192, int order) {
    number(key, L"Height", AtDpi(height96, height192));
    number(key, L"Order", order);
    number(key, L"Visible", 1);
  };
  number(L"", L"FixedPageCount", 3);
  number(L"", L"MarginLeft", AtDpi(10, 20));
  number(L"", L"MarginTop", AtDpi(2, 4));
  number(L"", L"MarginRight", AtDpi(10, 20));
  number(L"", L"MarginBottom", AtDpi(2, 4));
  number(L"", L"TapType", 1);
  font(L"Wireless", L"", L"FontColor", 8, 0, 0xFFFFFF);
  for (const wchar_t* show : {L"ShowBT", L"ShowWF", L"ShowCalls", L"ShowSMS", L"ShowEMails"})
    number(L"Wireless", show, 1);
  d.Texts[{L"Wireless", L"OnClick"}] = L"Windows\\wrlsmgr.exe";
  page(L"Wireless", 15, 30, 0);
  font(L"Time", L"1", L"FontColor", 30, 1, 0xFFFFFF);
  font(L"Time", L"2", L"FontColor", 7, 0, 0xFFFFFF);
  number(L"Time", L"TimeFormat", 2);
  number(L"Time", L"ShowAlarm", 1);
  number(L"Time", L"ShowDate", 0);
  d.Texts[{L"Time", L"OnClick"}] = L"Windows\\clock.exe";
  page(L"Time", 30, 60, 1);
  font(L"Date", L"1", L"FontColor", 8, 1, 0xFFFFFF);
  font(L"Date", L"2", L"FontColor", 8, 1, 0xFFFFFF);
  d.Texts[{L"Date", L"Format1"}] = L"";
  d.Texts[{L"Date", L"Format2"}] = L"dddd";
  d.Texts[{L"Date", L"OnClick"}] = L"Windows\\clock.exe";
  page(L"Date", 15, 30, 2);
  font(L"Calendar", L"", L"Color", 8, 0, 0xFFFFFF);
  font(L"Calendar", L"Weekdays", L"Color", 6, 0, 0x808080);
  number(L"Calendar", L"ColorToday", 0x00FF00);
  number(L"Calendar", L"ColorSaturday", 0x8080FF);
  number(L"Calendar", L"ColorSunday", 0x8080FF);
  number(L"Calendar", L"ColorOther", 0x808080);
  d.Texts[{L"Calendar", L"OnClick"}] = L"Windows\\calendar.exe";
  page(L"Calendar", 48, 96, 3);
  number(L"Launcher", L"BigIcons", 1);
  number(L"Launcher", L"Align", 0);
  page(L"Launcher", 48, 96, 4);
  font(L"SysInfo", L"", L"FontColor", 8, 0, 0xFFFFFF);
  for (const wchar_t* type : {L"RamType", L"PhoneType", L"CardType"}) number(L"SysInfo", type, 0);
  // The item's own folder: the item's code is part of this program.
  d.Texts[{L"SysInfo", L"OnClick1"}] = itemtest::BinDir() + L"battery.lnk";
  d.Texts[{L"SysInfo", L"OnClick2"}] = itemtest::BinDir() + L"memory.lnk";
  page(L"SysInfo", 48, 96, 5);
  return d;
}

// Pages stored with Height -1 take their natural height, which follows their
// fonts and the margins: pinned to these, the heights are known at 96 dpi,
// where this program runs. The line of "0" in Tahoma (ascent 2049 + descent
// 423 per 2048 em, em = points x 96 / 72): 6 pt 8 + 2 = 10, 7 pt 9 + 2 = 11,
// 8 pt 10 + 2 = 12, 20 pt 26 + 5 = 31, 30 pt 40 + 8 = 48; bold has the same
// lines. Margins 3 + 4 = 7.
void PinFontsAndMargins(Tree* tree) {
  struct Pin {
    const wchar_t* key;
    const wchar_t* name;
    int number;  // 0: the text "Tahoma"
  } pins[] = {{L"Wireless", L"FontName", 0}, {L"Wireless", L"FontSize", 6},
              {L"Time", L"FontName1", 0},    {L"Time", L"FontSize1", 30},
              {L"Date", L"FontName1", 0},    {L"Date", L"FontSize1", 7},
              {L"Date", L"FontName2", 0},    {L"Date", L"FontSize2", 20},
              {L"Calendar", L"FontName", 0}, {L"Calendar", L"FontSize", 8},
              {L"SysInfo", L"FontName", 0},  {L"SysInfo", L"FontSize", 8},
              {L"", L"MarginTop", 3},        {L"", L"MarginBottom", 4},
              {L"Launcher", L"FileName1", 1}};  // unreadable: no launcher icons
  for (const Pin& p : pins) {
    if (p.number)
      SetDword(p.key, p.name, static_cast<DWORD>(p.number));
    else
      SetText(p.key, p.name, L"Tahoma");
    tree->Values[{p.key, p.name}] = GetValue(HKEY_CURRENT_USER, PageKey(p.key), p.name);
  }
}
// By kind: Wireless 10 + 7; Time 48 + 7; Date the taller of 11 and 31, + 7;
// Calendar 7 x (12 - 2) + 7; Launcher no rows + 7; SysInfo 12 + 7 (the battery
// image is not loaded here).
const int PinnedNaturalHeights[7] = {0, 17, 55, 38, 77, 7, 19};

// Every field equals its well-formed stored value or its default; the page
// table, the paging count and the launcher list follow from them.
// previous: the launcher list before loading, kept when the Launcher key is missing.
// naturals: by kind, the heights of pages stored as -1; none while the fonts are random.
void ExpectLoaded(const Tree& tree, const Defaults& defaults,
                  const std::vector<std::wstring>& previous, const int* naturals) {
  auto slots = ItemSlots();
  ExpectFieldsLoaded(tree, defaults, slots);
  // The launcher list: FileName1.. up to the first that is missing or malformed.
  std::vector<std::wstring> files;
  HKEY key = nullptr;
  const bool launcherKey = RegOpenKeyExW(HKEY_CURRENT_USER, PageKey(L"Launcher").c_str(), 0,
                                         KEY_READ, &key) == ERROR_SUCCESS;
  if (launcherKey)
    RegCloseKey(key);
  else
    files = previous;
  for (int n = 1; launcherKey && n <= tree.FileNames; ++n) {
    std::wstring text;
    if (!TextOf(tree.At(L"Launcher", L"FileName" + std::to_wstring(n)), TextSlot, &text)) break;
    files.push_back(text);
  }
  const auto& items = ItemSettings.Launcher.Items;
  ASSERT_EQ(items.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i)
    EXPECT_TRUE(files[i] == items[i].Path) << "FileName" << i + 1;

  // The table: each kind once, ascending by Order, equal orders in kind
  // order; heights by visibility and Height.
  const ItemSettingsRecord& s = ItemSettings;
  std::vector<int> orders(7), visibles(7), heights(7);
  for (int k = 1; k <= 6; ++k) {
    orders[k] = *slots.at({PageKeyNames[k - 1], L"Order"}).Number;
    visibles[k] = *slots.at({PageKeyNames[k - 1], L"Visible"}).Number;
    heights[k] = *slots.at({PageKeyNames[k - 1], L"Height"}).Number;
  }
  bool seen[7] = {};
  int paging = 0;
  for (int p = 0; p < 6; ++p) {
    const PageRecord& r = s.PageTable[p];
    const int k = r.PageKind;
    ASSERT_TRUE(k >= 1 && k <= 6 && !seen[k]) << "position " << p << " kind " << k;
    seen[k] = true;
    if (p > 0) {
      const PageRecord& before = s.PageTable[p - 1];
      EXPECT_TRUE(before.Order < r.Order ||
                  (before.Order == r.Order && before.PageKind < r.PageKind))
          << "position " << p << ": kind " << before.PageKind << " order " << before.Order
          << " before kind " << k << " order " << r.Order;
    }
    EXPECT_EQ(r.Order, orders[k]) << "position " << p;
    EXPECT_EQ(r.Visible, visibles[k]) << "position " << p;
    if (!visibles[k] || heights[k] != -1) {
      EXPECT_EQ(r.Height, visibles[k] ? heights[k] : 0) << "position " << p;
    } else if (naturals) {
      EXPECT_EQ(r.Height, naturals[k]) << "position " << p << ", the natural height";
    }
    if (p >= s.FixedPageCount && visibles[k]) ++paging;
  }
  EXPECT_EQ(s.PagingCount, paging);
}

std::vector<std::wstring> LauncherPaths() {
  std::vector<std::wstring> paths;
  for (const LauncherItem& item : ItemSettings.Launcher.Items) paths.push_back(item.Path);
  return paths;
}

// What the rest of the item computes from the loaded numbers stays in range.
void ExpectUsable() {
  EXPECT_GE(ItemHeight(), AtDpi(20, 40));
  for (int p = -2; p <= 8; ++p) {
    const int next = NextPagingPage(p), prev = PrevPagingPage(p);
    EXPECT_TRUE(next >= 0 && next < 6) << "after " << p << ": " << next;
    EXPECT_TRUE(prev >= 0 && prev < 6) << "before " << p << ": " << prev;
  }
}

// The same tree again with its fonts and margins pinned, when it has a
// visible page stored as -1.
void ExpectPinnedNaturalHeights(Tree* tree, const Defaults& defaults) {
  const Slots slots = ItemSlots();
  bool natural = false;
  for (const wchar_t* key : PageKeyNames)
    natural |= *slots.at({key, L"Height"}).Number == -1 && *slots.at({key, L"Visible"}).Number;
  if (!natural) return;
  PinFontsAndMargins(tree);
  const std::vector<std::wstring> previous = LauncherPaths();
  LoadItemSettings();
  ExpectLoaded(*tree, defaults, previous, PinnedNaturalHeights);
}

class HostileItem : public ::testing::Test {
 protected:
  void SetUp() override { ItemWindow = nullptr; }
  SavedTree tree_{HKEY_CURRENT_USER, SettingsRootKey};
  SavedValues card_{{{HKEY_CURRENT_USER, FileExplorerKey, ValStorageCardPath}}, false};
};

TEST_F(HostileItem, RandomTreesLoadAsStoredOrDefault) {
  const Defaults defaults = ItemDefaults();
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    Random random(seed);
    TreeShape shape;
    shape.StorageCard = true;
    Tree tree = WriteRandomTree(random, shape);
    const std::vector<std::wstring> previous = LauncherPaths();
    LoadItemSettings();
    ReadStorageCardPath();
    ExpectLoaded(tree, defaults, previous, nullptr);
    std::wstring card;
    if (!TextOf(tree.At(L"FileExplorer", ValStorageCardPath), TextSlot, &card)) card.clear();
    EXPECT_TRUE(card == ItemSettings.StorageCardPath) << Narrow(ItemSettings.StorageCardPath);
    ExpectUsable();
    ExpectPinnedNaturalHeights(&tree, defaults);
    if (HasFailure()) break;  // one seed's story is enough to read
  }
}

TEST_F(HostileItem, TenThousandFileNamesLoadWhole) {
  const Defaults defaults = ItemDefaults();
  for (uint32_t seed : {7001u, 7002u}) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    Random random(seed);
    TreeShape shape;
    shape.FixedFileNames = 10000;
    Tree tree = WriteRandomTree(random, shape);
    LoadItemSettings();
    ExpectLoaded(tree, defaults, {}, nullptr);
    ExpectUsable();
    ExpectPinnedNaturalHeights(&tree, defaults);
  }
}

// The real library, as the Today shell uses it, over random trees.
TEST_F(HostileItem, RealItemLivesThroughRandomTrees) {
  itemtest::ScratchDir dir(L"tovira-hostile");
  itemtest::ItemLibrary library(dir, false);
  ASSERT_NE(library.Module(), nullptr);
  const int width = itemtest::Px(240);
  HWND shell = itemtest::CreateShellWindow(width, itemtest::Py(320));
  for (uint32_t seed = 1001; seed <= 1040; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    Random random(seed);
    TreeShape shape;
    shape.StorageCard = true;
    shape.MaxFileNames = seed % 10 == 0 ? 400 : 24;
    WriteRandomTree(random, shape);
    TODAYLISTITEM record = {};
    HWND item = itemtest::CreateItem(library, shell, width, &record);
    ASSERT_NE(item, nullptr);
    EXPECT_GE(static_cast<int>(record.cyp), AtDpi(20, 40));
    // A second question with the same answer changes nothing.
    EXPECT_EQ(
        SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&record), 0),
        FALSE);
    SendMessageW(item, WM_TODAYCUSTOM_RECEIVEDSELECTION, 0, 0);
    for (int step = 0; step < 8; ++step) {
      SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, step % 3 ? VK_RIGHT : VK_LEFT, 0);
      SendMessageW(item, WM_TIMER, 1, 0);
      RedrawWindow(item, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    SendMessageW(item, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
    itemtest::PumpPending();
    EXPECT_TRUE(IsWindow(item));
    DestroyWindow(item);
    itemtest::PumpPending();
  }
}

}  // namespace
