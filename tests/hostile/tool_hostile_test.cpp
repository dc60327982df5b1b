// The configuration tool's model against hostile settings trees: each random
// tree is loaded (every field the stored value when well formed, else the
// default), saved (every value written well formed and equal to the model,
// names it does not own left alone) and loaded again to the same model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "config/model/config_model.h"
#include "hostile/hostile_registry.h"
#include "hostile/loaded_fields.h"

using namespace hostile;

namespace {

void AddFont(Slots& m, const wchar_t* key, const std::wstring& suffix, const wchar_t* colorName,
             FontSpec& f) {
  m[{key, L"FontName" + suffix}].Text = f.Name;
  m[{key, L"FontSize" + suffix}].Number = &f.Size;
  m[{key, L"FontBold" + suffix}].Number = &f.Bold;
  m[{key, colorName + suffix}].Number = reinterpret_cast<int*>(&f.Color);
  m[{key, L"ClearType" + suffix}].Number = &f.ClearType;
}

PageEntry* PageOfKind(int kind) {
  for (PageEntry& p : Model.Pages)
    if (p.Kind == kind) return &p;
  return nullptr;
}

// Where each value of the tree lands in the model (the pages as sorted now).
Slots ToolSlots() {
  ToolSettings& s = Model.Current;
  Slots m;
  auto number = [&](const wchar_t* key, const wchar_t* name, int* p) { m[{key, name}].Number = p; };
  auto text = [&](const wchar_t* key, const wchar_t* name, wchar_t* p) { m[{key, name}].Text = p; };
  auto color = [&](const wchar_t* key, const wchar_t* name, COLORREF* p) {
    m[{key, name}].Number = reinterpret_cast<int*>(p);
  };
  GeneralSettings& g = s.General;
  number(L"", L"FixedPageCount", &g.FixedPageCount);
  number(L"", L"MarginLeft", &g.MarginLeft);
  number(L"", L"MarginTop", &g.MarginTop);
  number(L"", L"MarginRight", &g.MarginRight);
  number(L"", L"MarginBottom", &g.MarginBottom);
  number(L"", L"TapType", &g.TapType);
  for (int kind = 1; kind <= PageKindCount; ++kind) {
    PageEntry* page = PageOfKind(kind);
    number(PageKeyNames[kind - 1], L"Order", &page->Order);
    number(PageKeyNames[kind - 1], L"Visible", &page->Visible);
  }
  WirelessSettings& w = s.Wireless;
  number(L"Wireless", L"Height", &w.Height);
  AddFont(m, L"Wireless", L"", L"FontColor", w.Font);
  number(L"Wireless", L"ShowBT", &w.ShowBT);
  number(L"Wireless", L"ShowWF", &w.ShowWF);
  number(L"Wireless", L"ShowCalls", &w.ShowCalls);
  number(L"Wireless", L"ShowSMS", &w.ShowSMS);
  number(L"Wireless", L"ShowEMails", &w.ShowEMails);
  text(L"Wireless", L"OnClick", w.OnClick);
  TimeSettings& t = s.Time;
  number(L"Time", L"Height", &t.Height);
  AddFont(m, L"Time", L"1", L"FontColor", t.Font1);
  AddFont(m, L"Time", L"2", L"FontColor", t.Font2);
  number(L"Time", L"TimeFormat", &t.TimeFormat);
  number(L"Time", L"ShowAlarm", &t.ShowAlarm);
  number(L"Time", L"ShowDate", &t.ShowDate);
  text(L"Time", L"OnClick", t.OnClick);
  DateSettings& d = s.Date;
  number(L"Date", L"Height", &d.Height);
  AddFont(m, L"Date", L"1", L"FontColor", d.Font1);
  AddFont(m, L"Date", L"2", L"FontColor", d.Font2);
  text(L"Date", L"Format1", d.Format1);
  text(L"Date", L"Format2", d.Format2);
  text(L"Date", L"OnClick", d.OnClick);
  CalendarSettings& c = s.Calendar;
  number(L"Calendar", L"Height", &c.Height);
  AddFont(m, L"Calendar", L"", L"Color", c.Font);
  AddFont(m, L"Calendar", L"Weekdays", L"Color", c.Weekdays);
  color(L"Calendar", L"ColorToday", &c.ColorToday);
  color(L"Calendar", L"ColorSaturday", &c.ColorSaturday);
  color(L"Calendar", L"ColorSunday", &c.ColorSunday);
  color(L"Calendar", L"ColorOther", &c.ColorOther);
  text(L"Calendar", L"OnClick", c.OnClick);
  LauncherSettings& l = s.Launcher;
  number(L"Launcher", L"Height", &l.Height);
  number(L"Launcher", L"BigIcons", &l.BigIcons);
  number(L"Launcher", L"Align", &l.Align);
  SysInfoSettings& i = s.SysInfo;
  number(L"SysInfo", L"Height", &i.Height);
  AddFont(m, L"SysInfo", L"", L"FontColor", i.Font);
  number(L"SysInfo", L"RamType", &i.RamType);
  number(L"SysInfo", L"PhoneType", &i.PhoneType);
  number(L"SysInfo", L"CardType", &i.CardType);
  text(L"SysInfo", L"OnClick1", i.OnClick1);
  text(L"SysInfo", L"OnClick2", i.OnClick2);
  return m;
}

Defaults LoadDefaults() {
  RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey);
  LoadSettings();
  return DefaultsOf(ToolSlots());
}

// A missing Launcher key leaves the list as it was before loading.
std::vector<std::wstring> ExpectedFiles(const Tree& tree,
                                        const std::vector<std::wstring>& previous) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, PageKey(L"Launcher").c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return previous;
  RegCloseKey(key);
  std::vector<std::wstring> files;
  for (int n = 1; n <= tree.FileNames; ++n) {
    std::wstring text;
    if (!TextOf(tree.At(L"Launcher", L"FileName" + std::to_wstring(n)), TextSlot, &text)) break;
    files.push_back(text);
  }
  return files;
}

std::vector<std::wstring> Files() {
  std::vector<std::wstring> files;
  for (int i = 0; i < PathCount(&Model.LauncherFiles); ++i)
    files.push_back(PathAt(&Model.LauncherFiles, i));
  return files;
}

void ExpectLoaded(const Tree& tree, const Defaults& defaults,
                  const std::vector<std::wstring>& previous) {
  const Slots slots = ToolSlots();
  ExpectFieldsLoaded(tree, defaults, slots);
  int enabled = 0;
  NumberOf(tree.At(L"Today", ValEnabled), &enabled);
  EXPECT_EQ(Model.TodayItemEnabled, enabled);
  // Pages: kinds stably sorted by their Order.
  std::vector<int> kinds = {1, 2, 3, 4, 5, 6};
  std::stable_sort(kinds.begin(), kinds.end(),
                   [](int a, int b) { return PageOfKind(a)->Order < PageOfKind(b)->Order; });
  for (int p = 0; p < PageKindCount; ++p) EXPECT_EQ(Model.Pages[p].Kind, kinds[p]) << "entry " << p;
  const std::vector<std::wstring> files = ExpectedFiles(tree, previous);
  ASSERT_EQ(PathCount(&Model.LauncherFiles), static_cast<int>(files.size()));
  for (size_t i = 0; i < files.size(); ++i)
    EXPECT_TRUE(files[i] == PathAt(&Model.LauncherFiles, static_cast<int>(i)))
        << "FileName" << i + 1;
}

// A number written as the tool writes it: REG_DWORD of 4 bytes equal to the model.
void ExpectNumberWritten(const Stored& s, int value) {
  int stored = 0;
  EXPECT_TRUE(NumberOf(s, &stored)) << "type " << s.Type << ", " << s.Data.size() << " bytes";
  EXPECT_EQ(stored, value);
}

// A text written as the tool writes it: REG_SZ, (length + 1) x 2 bytes, terminated once.
void ExpectTextWritten(const Stored& s, const std::wstring& text) {
  EXPECT_EQ(s.Type, static_cast<DWORD>(REG_SZ));
  ASSERT_EQ(s.Data.size(), (text.size() + 1) * sizeof(wchar_t));
  std::wstring units(s.Data.size() / 2, L'\0');
  std::memcpy(&units[0], s.Data.data(), s.Data.size());
  EXPECT_TRUE(units.substr(0, text.size()) == text) << Narrow(units);
  EXPECT_EQ(units.back(), L'\0');
}

void ExpectSaved(const Tree& tree) {
  const Slots slots = ToolSlots();
  std::map<std::wstring, std::map<std::wstring, Stored>> now;
  for (int k = 0; k <= PageKindCount; ++k) {
    const wchar_t* key = k == 0 ? L"" : PageKeyNames[k - 1];
    now[key] = AllValues(HKEY_CURRENT_USER, PageKey(key));
  }
  for (const ValueName& v : SettingsValues()) {
    SCOPED_TRACE(testing::Message() << "saved '" << Narrow(v.Key) << "' " << Narrow(v.Name));
    const Slot& slot = slots.at({v.Key, v.Name});
    const Stored& s = now[v.Key][v.Name];
    if (v.Holds == Kind::Number)
      ExpectNumberWritten(s, *slot.Number);
    else
      ExpectTextWritten(s, slot.Text);
  }
  ExpectNumberWritten(GetValue(HKEY_LOCAL_MACHINE, TodayItemKey, ValEnabled),
                      Model.TodayItemEnabled);
  const int count = PathCount(&Model.LauncherFiles);
  for (int n = 1; n <= count; ++n) {
    SCOPED_TRACE(testing::Message() << "saved FileName" << n);
    ExpectTextWritten(now[L"Launcher"][L"FileName" + std::to_wstring(n)],
                      PathAt(&Model.LauncherFiles, n - 1));
  }
  // The stored list ends where the saved one does, whatever stood after it.
  const std::wstring end = L"FileName" + std::to_wstring(count + 1);
  EXPECT_FALSE(now[L"Launcher"][end].Present) << Narrow(end);
  // Names the tool does not write are left as they were, byte for byte.
  for (const auto& entry : tree.Values) {
    const std::wstring& key = entry.first.first;
    const std::wstring& name = entry.first.second;
    if (key == L"Today" || key == L"FileExplorer") continue;
    const bool owned =
        std::any_of(SettingsValues().begin(), SettingsValues().end(),
                    [&](const ValueName& v) { return key == v.Key && name == v.Name; });
    bool listed = false;
    if (key == L"Launcher" && name.compare(0, 8, L"FileName") == 0) {
      const int n = _wtoi(name.c_str() + 8);
      listed = (n >= 1 && n <= count) || name == end;
    }
    if (owned || listed) continue;
    EXPECT_TRUE(now[key][name] == entry.second) << "'" << Narrow(key) << "' " << Narrow(name);
  }
}

class HostileTool : public ::testing::Test {
 protected:
  void SetUp() override { Model.Instance = GetModuleHandleW(nullptr); }
  SavedTree tree_{HKEY_CURRENT_USER, SettingsRootKey};
  SavedTree entry_{HKEY_LOCAL_MACHINE, TodayItemKey};
};

void Round(uint32_t seed, const TreeShape& shape, const Defaults& defaults) {
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  Random random(seed);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, TodayItemKey);
  const Tree tree = WriteRandomTree(random, shape);
  const std::vector<std::wstring> previous = Files();
  LoadSettings();
  ExpectLoaded(tree, defaults, previous);
  SaveSettings();
  ExpectSaved(tree);
  // What was saved loads back to the same model.
  const ToolSettings saved = Model.Current;
  PageEntry pages[PageKindCount];
  std::memcpy(pages, Model.Pages, sizeof(pages));
  const PathList files = Model.LauncherFiles;
  LoadSettings();
  EXPECT_EQ(std::memcmp(&saved, &Model.Current, sizeof(saved)), 0);
  for (int p = 0; p < PageKindCount; ++p) {
    EXPECT_EQ(pages[p].Kind, Model.Pages[p].Kind) << "entry " << p;
    EXPECT_EQ(pages[p].Order, Model.Pages[p].Order) << "entry " << p;
    EXPECT_EQ(pages[p].Visible, Model.Pages[p].Visible) << "entry " << p;
  }
  ASSERT_EQ(PathCount(&files), PathCount(&Model.LauncherFiles));
  for (int i = 0; i < PathCount(&files); ++i)
    EXPECT_STREQ(PathAt(&files, i), PathAt(&Model.LauncherFiles, i));
}

TEST_F(HostileTool, RandomTreesLoadSaveAndReload) {
  const Defaults defaults = LoadDefaults();
  TreeShape shape;
  shape.TodayEntry = true;
  for (uint32_t seed = 1; seed <= 300 && !HasFailure(); ++seed) Round(seed, shape, defaults);
}

TEST_F(HostileTool, TenThousandFileNamesLoadAndSaveWhole) {
  const Defaults defaults = LoadDefaults();
  TreeShape shape;
  shape.TodayEntry = true;
  shape.FixedFileNames = 10000;
  for (uint32_t seed : {7001u, 7002u}) Round(seed, shape, defaults);
}

// Texts stored without their terminator: the tool takes them as the item
// does (whole, when a terminator still fits), and saves them terminated.
TEST_F(HostileTool, TextsWithoutTerminatorLoadAsTheItemLoadsThem) {
  struct Case {
    const char* what;
    std::wstring text;
    size_t units;  // stored units, no terminator among them
    const wchar_t* loaded;
  };
  const std::wstring full(259, L'f'), over(260, L'o');
  const Case cases[] = {{"short", L"abc", 3, L"abc"},
                        {"empty, no bytes", L"", 0, L""},
                        {"filling all but the terminator", full, 259, full.c_str()},
                        {"filling the slot", over, 260, L"Windows\\calendar.exe"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey);
    const Stored s = StoredBytes(REG_SZ, c.text.data(), c.units * sizeof(wchar_t));
    PutValue(HKEY_CURRENT_USER, PageKey(L"Calendar"), ValOnClick, s);
    PutValue(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName1", s);
    LoadSettings();
    EXPECT_TRUE(std::wstring(Model.Current.Calendar.OnClick) == c.loaded)
        << Narrow(Model.Current.Calendar.OnClick);
    const bool listed = c.units < TextSlot;
    ASSERT_EQ(PathCount(&Model.LauncherFiles), listed ? 1 : 0);
    SaveSettings();
    ExpectTextWritten(GetValue(HKEY_CURRENT_USER, PageKey(L"Calendar"), ValOnClick), c.loaded);
    if (listed)
      ExpectTextWritten(GetValue(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName1"),
                        c.text.substr(0, c.units));
  }
}

}  // namespace
