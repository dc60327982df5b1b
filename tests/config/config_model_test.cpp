// The settings model against the real registry: what LoadSettings takes from
// a tree, what SaveSettings writes, and the broadcast that follows.
#include <climits>
#include <cstring>
#include <string>

#include "common/registry_names.h"
#include "config/model/config_model.h"
#include "config/model/text_util.h"
#include "tests/config/tool_test_support.h"
#include "support/text.h"

namespace {

using testsupport::Narrow;

const std::wstring Root = SettingsRootKey;

struct DwordCase {
  const wchar_t* Page;  // nullptr for the root
  const wchar_t* Name;
  int Expected;
};

std::wstring KeyOf(const wchar_t* page) { return page ? PageKey(page) : Root; }

void ExpectDword(const wchar_t* page, const wchar_t* name, int expected) {
  DWORD value = 0, type = 0;
  bool found = GetDword(HKEY_CURRENT_USER, KeyOf(page), name, &value, &type);
  EXPECT_TRUE(found) << "missing " << (page ? std::wstring(page) : L"root").c_str() << "\\"
                     << std::wstring(name).c_str() << " (type " << type << ")";
  if (found) {
    EXPECT_EQ(static_cast<int>(value), expected)
        << (page ? std::wstring(page) : std::wstring(L"root")).c_str() << "\\"
        << std::wstring(name).c_str();
  }
}

void ExpectText(const wchar_t* page, const wchar_t* name, const std::wstring& expected) {
  std::wstring text;
  ASSERT_TRUE(GetText(HKEY_CURRENT_USER, KeyOf(page), name, &text))
      << "missing text " << Narrow(page ? page : L"root") << "\\" << Narrow(name);
  EXPECT_EQ(Narrow(text), Narrow(expected)) << Narrow(name);
}

std::wstring ToolFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.rfind(L'\\') + 1);
}

class ModelTest : public CleanRegistryTest {
 protected:
  void Load() {
    Model.Instance = nullptr;
    LoadSettings();
  }
  void LoadAndSave() {
    Load();
    SaveSettings();
  }
};

TEST_F(ModelTest, EmptyTreeSavesEveryDefaultWithItsType) {
  LoadAndSave();
  // Margins and heights are n x dpi / 96: the same at 96 dpi, twice at 192.
  const DwordCase cases[] = {
      {nullptr, L"FixedPageCount", 3},
      {nullptr, L"MarginLeft", AtDpi(10, 20)},
      {nullptr, L"MarginTop", AtDpi(2, 4)},
      {nullptr, L"MarginRight", AtDpi(10, 20)},
      {nullptr, L"MarginBottom", AtDpi(2, 4)},
      {nullptr, L"TapType", 1},
      {L"Wireless", L"Height", AtDpi(15, 30)},
      {L"Wireless", L"FontSize", 8},
      {L"Wireless", L"FontBold", 0},
      {L"Wireless", L"FontColor", 0xFFFFFF},
      {L"Wireless", L"ClearType", 1},
      {L"Wireless", L"ShowBT", 1},
      {L"Wireless", L"ShowWF", 1},
      {L"Wireless", L"ShowCalls", 1},
      {L"Wireless", L"ShowSMS", 1},
      {L"Wireless", L"ShowEMails", 1},
      {L"Wireless", L"Order", 0},
      {L"Wireless", L"Visible", 1},
      {L"Time", L"Height", AtDpi(30, 60)},
      {L"Time", L"FontSize1", 30},
      {L"Time", L"FontBold1", 1},
      {L"Time", L"FontColor1", 0xFFFFFF},
      {L"Time", L"ClearType1", 1},
      {L"Time", L"FontSize2", 7},
      {L"Time", L"FontBold2", 0},
      {L"Time", L"FontColor2", 0xFFFFFF},
      {L"Time", L"ClearType2", 1},
      {L"Time", L"TimeFormat", 2},
      {L"Time", L"ShowAlarm", 1},
      {L"Time", L"ShowDate", 0},
      {L"Time", L"Order", 1},
      {L"Time", L"Visible", 1},
      {L"Date", L"Height", AtDpi(15, 30)},
      {L"Date", L"FontSize1", 8},
      {L"Date", L"FontBold1", 1},
      {L"Date", L"FontSize2", 8},
      {L"Date", L"FontBold2", 1},
      {L"Date", L"FontColor2", 0xFFFFFF},
      {L"Date", L"Order", 2},
      {L"Date", L"Visible", 1},
      {L"Calendar", L"Height", AtDpi(48, 96)},
      {L"Calendar", L"FontSize", 8},
      {L"Calendar", L"FontBold", 0},
      {L"Calendar", L"Color", 0xFFFFFF},
      {L"Calendar", L"ClearType", 1},
      {L"Calendar", L"FontSizeWeekdays", 6},
      {L"Calendar", L"FontBoldWeekdays", 0},
      {L"Calendar", L"ColorWeekdays", 0x808080},
      {L"Calendar", L"ClearTypeWeekdays", 1},
      {L"Calendar", L"ColorToday", 0x00FF00},
      {L"Calendar", L"ColorSaturday", 0x8080FF},
      {L"Calendar", L"ColorSunday", 0x8080FF},
      {L"Calendar", L"ColorOther", 0x808080},
      {L"Calendar", L"Order", 3},
      {L"Launcher", L"Height", AtDpi(48, 96)},
      {L"Launcher", L"BigIcons", 1},
      {L"Launcher", L"Align", 0},
      {L"Launcher", L"Order", 4},
      {L"Launcher", L"Visible", 1},
      {L"SysInfo", L"Height", AtDpi(48, 96)},
      {L"SysInfo", L"FontSize", 8},
      {L"SysInfo", L"FontBold", 0},
      {L"SysInfo", L"FontColor", 0xFFFFFF},
      {L"SysInfo", L"ClearType", 1},
      {L"SysInfo", L"RamType", 0},
      {L"SysInfo", L"PhoneType", 0},
      {L"SysInfo", L"CardType", 0},
      {L"SysInfo", L"Order", 5},
      {L"SysInfo", L"Visible", 1},
  };
  for (const DwordCase& c : cases) ExpectDword(c.Page, c.Name, c.Expected);

  ExpectText(L"Wireless", L"FontName", L"Tahoma");
  ExpectText(L"Wireless", L"OnClick", L"Windows\\wrlsmgr.exe");
  ExpectText(L"Time", L"FontName1", L"Tahoma");
  ExpectText(L"Time", L"FontName2", L"Tahoma");
  ExpectText(L"Time", L"OnClick", L"Windows\\clock.exe");
  ExpectText(L"Date", L"Format1", L"");
  ExpectText(L"Date", L"Format2", L"dddd");
  ExpectText(L"Date", L"OnClick", L"Windows\\clock.exe");
  ExpectText(L"Calendar", L"FontNameWeekdays", L"Tahoma");
  ExpectText(L"Calendar", L"OnClick", L"Windows\\calendar.exe");
  ExpectText(L"SysInfo", L"OnClick1", ToolFolder() + L"battery.lnk");
  ExpectText(L"SysInfo", L"OnClick2", ToolFolder() + L"memory.lnk");
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName1"));

  // The Today entry is created with "Enabled" 0 and nothing else.
  DWORD enabled = 7;
  EXPECT_TRUE(GetDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", &enabled));
  EXPECT_EQ(enabled, 0u);
  EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, TodayItemKey), 1);
  // Every text is written with its terminator: (length + 1) * 2 bytes.
  RegistrySnapshot saved = TakeSnapshot(HKEY_CURRENT_USER, Root);
  EXPECT_EQ(saved[L"Date\\Format2"].Data.size(), 10u);
  EXPECT_EQ(saved[L"Date\\Format2"].Type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(saved[L"Date\\Format1"].Data.size(), 2u);
}

struct ClampCase {
  int Stored;
  int Loaded;
};

TEST_F(ModelTest, FixedPageCountIsHeldToThePages) {
  const ClampCase cases[] = {{-5, 0}, {9, 6}, {0, 0}, {6, 6}, {INT_MIN, 0}, {INT_MAX, 6}};
  for (const ClampCase& c : cases) {
    PutDword(HKEY_CURRENT_USER, Root, L"FixedPageCount", static_cast<DWORD>(c.Stored));
    Load();
    EXPECT_EQ(Model.Current.General.FixedPageCount, c.Loaded) << "stored " << c.Stored;
  }
}

TEST_F(ModelTest, FontSizesAreClampedExceptWireless) {
  const ClampCase cases[] = {{0, 1}, {250, 100}, {-3, 1}, {55, 55}};
  for (const ClampCase& c : cases) {
    DWORD v = static_cast<DWORD>(c.Stored);
    PutDword(HKEY_CURRENT_USER, PageKey(L"Time"), L"FontSize1", v);
    PutDword(HKEY_CURRENT_USER, PageKey(L"Time"), L"FontSize2", v);
    PutDword(HKEY_CURRENT_USER, PageKey(L"Date"), L"FontSize1", v);
    PutDword(HKEY_CURRENT_USER, PageKey(L"Date"), L"FontSize2", v);
    PutDword(HKEY_CURRENT_USER, PageKey(L"Calendar"), L"FontSize", v);
    PutDword(HKEY_CURRENT_USER, PageKey(L"Calendar"), L"FontSizeWeekdays", v);
    PutDword(HKEY_CURRENT_USER, PageKey(L"SysInfo"), L"FontSize", v);
    PutDword(HKEY_CURRENT_USER, PageKey(L"Wireless"), L"FontSize", v);
    Load();
    const ToolSettings& s = Model.Current;
    for (int size : {s.Time.Font1.Size, s.Time.Font2.Size, s.Date.Font1.Size, s.Date.Font2.Size,
                     s.Calendar.Font.Size, s.Calendar.Weekdays.Size, s.SysInfo.Font.Size})
      EXPECT_EQ(size, c.Loaded) << "stored " << c.Stored;
    EXPECT_EQ(s.Wireless.Font.Size, c.Stored) << "the Wireless size is taken as stored";
  }
}

TEST_F(ModelTest, OddTreeIsSavedAsLoaded) {
  PutDword(HKEY_CURRENT_USER, Root, L"MarginLeft", 5000);
  PutDword(HKEY_CURRENT_USER, Root, L"MarginTop", static_cast<DWORD>(-7));
  PutDword(HKEY_CURRENT_USER, PageKey(L"Wireless"), L"FontSize", 0);
  PutDword(HKEY_CURRENT_USER, PageKey(L"Time"), L"Height", 0xFFFFFFFF);
  PutDword(HKEY_CURRENT_USER, PageKey(L"Calendar"), L"ColorToday", 0x12345678);
  PutDword(HKEY_CURRENT_USER, PageKey(L"SysInfo"), L"FontSize", 250);
  PutText(HKEY_CURRENT_USER, PageKey(L"Date"), L"Format1", std::wstring(120, L'd'));
  PutText(HKEY_CURRENT_USER, PageKey(L"Date"), L"Format2", std::wstring(99, L'M'));
  LoadAndSave();
  ExpectDword(nullptr, L"MarginLeft", 5000);
  ExpectDword(nullptr, L"MarginTop", -7);
  ExpectDword(L"Wireless", L"FontSize", 0);
  ExpectDword(L"Time", L"Height", -1);
  ExpectDword(L"Calendar", L"ColorToday", 0x12345678);
  ExpectDword(L"SysInfo", L"FontSize", 100);
  ExpectText(L"Date", L"Format1", L"");  // too long for its slot: the default
  ExpectText(L"Date", L"Format2", std::wstring(99, L'M'));
}

TEST_F(ModelTest, EqualOrdersKeepKindOrder) {
  const int orders[6] = {5, 5, 0, 0, 0, 0};
  for (int k = 0; k < 6; ++k)
    PutDword(HKEY_CURRENT_USER, PageKey(PageKeyNames[k]), L"Order", orders[k]);
  PutDword(HKEY_CURRENT_USER, PageKey(L"Calendar"), L"Visible", 0);
  Load();
  const int expected[6] = {3, 4, 5, 6, 1, 2};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Model.Pages[i].Kind, expected[i]) << "position " << i;
  EXPECT_EQ(Model.Pages[1].Visible, 0);
  EXPECT_STREQ(Model.Pages[1].Name, L"Календарь");
}

TEST_F(ModelTest, LauncherGapEndsTheListAndSavingLeavesTheRest) {
  std::wstring key = PageKey(L"Launcher");
  PutText(HKEY_CURRENT_USER, key, L"FileName1", L"a.lnk");
  PutText(HKEY_CURRENT_USER, key, L"FileName2", L"b.lnk");
  PutText(HKEY_CURRENT_USER, key, L"FileName4", L"d.lnk");
  Load();
  ASSERT_EQ(PathCount(&Model.LauncherFiles), 2);
  EXPECT_STREQ(PathAt(&Model.LauncherFiles, 1), L"b.lnk");
  ClearPaths(&Model.LauncherFiles);
  AppendPath(&Model.LauncherFiles, L"z.lnk");
  SaveSettings();
  ExpectText(L"Launcher", L"FileName1", L"z.lnk");
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, L"FileName2"));
  ExpectText(L"Launcher", L"FileName4", L"d.lnk");
}

// Filling a gap must not bring back an entry that sat behind it: the value
// right after the saved list always goes, those further on stay.
TEST_F(ModelTest, ListGrowingIntoAGapEndsWhereTheListEnds) {
  std::wstring key = PageKey(L"Launcher");
  PutText(HKEY_CURRENT_USER, key, L"FileName1", L"a.lnk");
  PutText(HKEY_CURRENT_USER, key, L"FileName2", L"b.lnk");
  PutText(HKEY_CURRENT_USER, key, L"FileName4", L"d.lnk");
  PutText(HKEY_CURRENT_USER, key, L"FileName6", L"f.lnk");
  Load();
  ASSERT_EQ(PathCount(&Model.LauncherFiles), 2);
  AppendPath(&Model.LauncherFiles, L"c.lnk");
  SaveSettings();
  ExpectText(L"Launcher", L"FileName1", L"a.lnk");
  ExpectText(L"Launcher", L"FileName2", L"b.lnk");
  ExpectText(L"Launcher", L"FileName3", L"c.lnk");
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, L"FileName4"));
  ExpectText(L"Launcher", L"FileName6", L"f.lnk");
  Load();
  EXPECT_EQ(PathCount(&Model.LauncherFiles), 3) << "the item shows what the person chose";
}

TEST_F(ModelTest, ShrinkingListLeavesExactlyItsFiles) {
  std::wstring key = PageKey(L"Launcher");
  for (int i = 1; i <= 5; ++i)
    PutText(HKEY_CURRENT_USER, key, (L"FileName" + std::to_wstring(i)).c_str(),
            L"f" + std::to_wstring(i));
  Load();
  ASSERT_EQ(PathCount(&Model.LauncherFiles), 5);
  RemovePathAt(&Model.LauncherFiles, 0);
  RemovePathAt(&Model.LauncherFiles, 3);
  SaveSettings();
  ExpectText(L"Launcher", L"FileName1", L"f2");
  ExpectText(L"Launcher", L"FileName2", L"f3");
  ExpectText(L"Launcher", L"FileName3", L"f4");
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, L"FileName4"));
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, L"FileName5"));
}

TEST_F(ModelTest, UnreadableValuesKeepTheirDefaults) {
  std::wstring key = PageKey(L"Wireless");
  BYTE two[2] = {1, 0};
  PutRaw(HKEY_CURRENT_USER, key, L"ShowBT", REG_DWORD, two, 2);  // short DWORD
  PutText(HKEY_CURRENT_USER, key, L"ShowWF", L"0");              // a text where a number goes
  DWORD number = 5;
  PutRaw(HKEY_CURRENT_USER, key, L"FontName", REG_DWORD, &number, 4);  // a number for a text
  std::wstring open(260, L'o');  // fills the slot with no terminator
  PutRaw(HKEY_CURRENT_USER, key, L"OnClick", REG_SZ, open.data(), 260 * sizeof(wchar_t));
  std::wstring full(259, L'x');  // exactly fills the slot: taken
  PutText(HKEY_CURRENT_USER, PageKey(L"Time"), L"OnClick", full);
  PutText(HKEY_CURRENT_USER, PageKey(L"Date"), L"OnClick", std::wstring(260, L'y'));
  Load();
  const WirelessSettings& w = Model.Current.Wireless;
  EXPECT_EQ(w.ShowBT, 1);
  EXPECT_EQ(w.ShowWF, 1);
  EXPECT_STREQ(w.Font.Name, L"Tahoma");
  EXPECT_STREQ(w.OnClick, L"Windows\\wrlsmgr.exe");
  EXPECT_EQ(std::wstring(Model.Current.Time.OnClick), full);
  EXPECT_STREQ(Model.Current.Date.OnClick, L"Windows\\clock.exe");
}

TEST_F(ModelTest, TodayEntryEnabledIsReadAndWritten) {
  PutDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", 1);
  PutText(HKEY_LOCAL_MACHINE, TodayItemKey, L"DLL", L"tovira.dll");
  Load();
  EXPECT_EQ(Model.TodayItemEnabled, 1);
  Model.TodayItemEnabled = 0;
  SaveSettings();
  DWORD enabled = 9;
  EXPECT_TRUE(GetDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", &enabled));
  EXPECT_EQ(enabled, 0u);
  std::wstring dll;
  EXPECT_TRUE(GetText(HKEY_LOCAL_MACHINE, TodayItemKey, L"DLL", &dll)) << "other values stay";
}

TEST_F(ModelTest, CopySettingsMakesEqualRecords) {
  Load();
  Model.EditCopy.Time.Font2.Size = 77;
  CopyText(Model.EditCopy.Date.Format2, L"MMMM");
  CopySettings(&Model.Current, &Model.EditCopy);
  EXPECT_EQ(std::memcmp(&Model.Current, &Model.EditCopy, sizeof(ToolSettings)), 0);
  EXPECT_EQ(Model.Current.Time.Font2.Size, 77);
}

TEST_F(ModelTest, NotifyTodayShellReachesTopLevelWindows) {
  BroadcastCounter counter;
  ASSERT_NE(counter.Window, nullptr);
  NotifyTodayShell();
  EXPECT_EQ(counter.Count(), 1);
}

TEST(ToolScale, FollowsTheScreenDensity) {
  // A length of 96-dpi units: as it is at 96 dpi, twice at 192.
  struct Case {
    int value, at96, at192;
  } cases[] = {{0, 0, 0}, {1, 1, 2}, {2, 2, 4}, {10, 10, 20}, {55, 55, 110}, {1000, 1000, 2000}};
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleX(c.value), AtDpi(c.at96, c.at192)) << c.value;
    EXPECT_EQ(ScaleY(c.value), AtDpi(c.at96, c.at192)) << c.value;
  }
}

}  // namespace

namespace {

// The SysInfo targets join the tool's folder and a file name; a folder that
// leaves no room for the name gives an empty target rather than a cut one.
TEST(ToolDefaults, SysInfoTargetsNeverCutTheFolder) {
  ToolSettings s;
  std::wstring folder(248, L'f');  // 248 + "battery.lnk" = 259 units: fits
  PutDefaults(&s, 96, 96, folder.c_str());
  EXPECT_EQ(std::wstring(s.SysInfo.OnClick1), folder + L"battery.lnk");
  folder += L'g';  // 249: "battery.lnk" no longer fits, "memory.lnk" still does
  PutDefaults(&s, 96, 96, folder.c_str());
  EXPECT_STREQ(s.SysInfo.OnClick1, L"");
  EXPECT_EQ(std::wstring(s.SysInfo.OnClick2), folder + L"memory.lnk");
  PutDefaults(&s, 192, 144, L"");
  EXPECT_EQ(s.General.MarginLeft, 20);
  EXPECT_EQ(s.General.MarginTop, 4) << "the margins follow the horizontal density";
  EXPECT_EQ(s.Time.Height, 45);
  EXPECT_STREQ(s.SysInfo.OnClick1, L"battery.lnk");
}

}  // namespace
