// The tool's shell: start-up, the soft-key bar, the three-level Cancel and
// the top-level OK, the single instance, and the layout at this density.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "common/registry_names.h"
#include "config/model/config_model.h"
#include "config/model/setting_rows.h"
#include "config/ui/resource_ids.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_window.h"
#include "platform/rotation.h"
#include "support/import_hook.h"
#include "tests/config/tool_test_support.h"
#include "tests/config/ui_test_pages.h"

namespace {

using ShellTest = ToolWindowTest;

// Every RegFlushKey the tool makes, each passed on to the real one, with
// what the Today shell had been told and what the last key a save writes
// held at that moment.
struct Flush {
  HKEY Root;
  int Broadcasts;
  int SysInfoValues;
};
std::vector<Flush> Flushes;
const BroadcastCounter* FlushCounter = nullptr;
const ImportHook* FlushHook = nullptr;

LONG WINAPI WatchedFlush(HKEY root) {
  Flushes.push_back({root, FlushCounter ? FlushCounter->Count() : -1,
                     ValueCount(HKEY_CURRENT_USER, PageKey(L"SysInfo"))});
  using FlushFunction = LONG(WINAPI*)(HKEY);
  return reinterpret_cast<FlushFunction>(FlushHook->Original())(root);
}

struct FlushWatch {
  explicit FlushWatch(const BroadcastCounter& counter) {
    FlushCounter = &counter;
    FlushHook = &Hook;
    // A flush of the test's own goes through the program's import like the
    // tool's, and makes sure the program imports RegFlushKey at all.
    Flushes.clear();
    RegFlushKey(HKEY_CURRENT_USER);
    Working = Hook.Installed() && Flushes.size() == 1;
    Flushes.clear();
  }
  ~FlushWatch() { FlushCounter = nullptr; }
  ImportHook Hook{"advapi32.dll", "RegFlushKey", reinterpret_cast<void*>(&WatchedFlush)};
  bool Working = false;
};

int FlushesOf(HKEY root) {
  int n = 0;
  for (const Flush& f : Flushes) n += f.Root == root;
  return n;
}

std::wstring BarText(HWND bar, int command) {
  wchar_t text[64] = L"";
  TBBUTTONINFOW info = {};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT;
  info.pszText = text;
  info.cchText = 64;
  SendMessageW(bar, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info));
  return text;
}

TEST_F(ShellTest, StartsOnTheGeneralTabWithSoftKeys) {
  StartWindow();
  wchar_t cls[64];
  GetClassNameW(window_, cls, 64);
  EXPECT_STREQ(cls, L"TVRCFG");
  EXPECT_EQ(Text(window_), L"Tovira");
  EXPECT_EQ(Text(Ui.TitleLine), L"Tovira: Настройки");
  ASSERT_NE(Ui.MenuBar, nullptr);
  EXPECT_EQ(BarText(Ui.MenuBar, CMD_OK), L"OK");
  EXPECT_EQ(BarText(Ui.MenuBar, CMD_CANCEL), L"Отмена");
  RECT frame, bar;
  GetWindowRect(window_, &frame);
  GetWindowRect(Ui.MenuBar, &bar);
  EXPECT_EQ(bar.top, frame.bottom) << "the window leaves the bar's height below it";
  EXPECT_EQ(Model.CurrentTab, 0);
  EXPECT_TRUE(Visible(Ui.Tabs));
  EXPECT_TRUE(Visible(Ui.GeneralList));
  EXPECT_FALSE(Visible(Ui.PageList));
  EXPECT_FALSE(Visible(Ui.FileList));
  for (HWND b : {Ui.AddButton, Ui.EditButton, Ui.RemoveButton, Ui.UpButton, Ui.DownButton}) {
    EXPECT_TRUE(Visible(b));
    EXPECT_FALSE(Enabled(b));
  }
  EXPECT_EQ(SendMessageW(Ui.Tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  wchar_t sip[32];
  ASSERT_NE(Ui.SipPref, nullptr);
  GetClassNameW(Ui.SipPref, sip, 32);
  EXPECT_STREQ(sip, L"SIPPREF");
  EXPECT_FALSE(Visible(Ui.SipPref));
}

TEST_F(ShellTest, LayoutIsScaledForTheScreen) {
  StartWindow();
  RECT client;
  GetClientRect(window_, &client);
  RECT general = ClientRectOf(Ui.GeneralList);
  EXPECT_EQ(general.left, Px(8));
  EXPECT_EQ(general.top, Py(55));
  EXPECT_EQ(general.right - general.left, client.right - Px(16));
  EXPECT_EQ(general.bottom - general.top, client.bottom - Py(80));
  RECT title = ClientRectOf(Ui.TitleLine);
  EXPECT_EQ(title.top, Py(5));
  EXPECT_EQ(title.bottom - title.top, Py(18));
  RECT up = ClientRectOf(Ui.UpButton);
  EXPECT_EQ(up.left, client.right - Px(98));
  EXPECT_EQ(up.top, Py(30));
  EXPECT_EQ(up.right - up.left, Px(44));
  RECT tabs = ClientRectOf(Ui.Tabs);
  EXPECT_EQ(tabs.bottom, client.bottom);
  EXPECT_EQ(tabs.left, -Px(2));
  // The rule line is painted black across the window at y 23.
  HDC dc = GetDC(window_);
  EXPECT_EQ(GetPixel(dc, client.right / 2, Py(23)), RGB(0, 0, 0));
  ReleaseDC(window_, dc);
}

TEST_F(ShellTest, ResizingRefitsTheLists) {
  StartWindow();
  RECT frame;
  GetWindowRect(window_, &frame);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left - 40, frame.bottom - frame.top - 60,
               SWP_NOMOVE | SWP_NOZORDER);
  PumpPending();
  RECT client;
  GetClientRect(window_, &client);
  RECT general = ClientRectOf(Ui.GeneralList);
  EXPECT_EQ(general.right - general.left, client.right - Px(16));
  EXPECT_EQ(general.bottom - general.top, client.bottom - Py(80));
  RECT launcher = ClientRectOf(Ui.EditorLists[PageKindLauncher - 1]);
  EXPECT_EQ(launcher.top, client.bottom - Py(62));
  RECT bar;
  GetWindowRect(Ui.MenuBar, &bar);
  GetWindowRect(window_, &frame);
  EXPECT_EQ(bar.top, frame.bottom) << "the bar follows its window";
}

std::string RectText(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof(text), "(%ld,%ld)-(%ld,%ld) %ldx%ld", r.left, r.top, r.right, r.bottom,
                r.right - r.left, r.bottom - r.top);
  return text;
}

// The device gives a program the whole screen above its soft-key bar; the
// desktop's equivalent is the work area, here a device's screen below a task
// bar, and again after the work area changes.
TEST_F(ShellTest, CoversTheWorkAreaAboveItsSoftKeyBar) {
  DeviceWorkArea device(Py(26));
  StartWindow();
  ASSERT_NE(Ui.MenuBar, nullptr);
  auto expectCovers = [&](const RECT& area) {
    RECT frame, bar;
    GetWindowRect(window_, &frame);
    GetWindowRect(Ui.MenuBar, &bar);
    std::printf("work area %s: window %s, soft-key bar %s\n", RectText(area).c_str(),
                RectText(frame).c_str(), RectText(bar).c_str());
    EXPECT_GT(bar.bottom - bar.top, 0);
    EXPECT_EQ(RectText(bar), RectText({area.left, bar.top, area.right, area.bottom}));
    EXPECT_EQ(RectText(frame), RectText({area.left, area.top, area.right, bar.top}));
  };
  expectCovers(device.Area);
  RECT client;
  GetClientRect(window_, &client);
  device.Area.top = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &device.Area, 0));
  SendMessageW(window_, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  PumpPending();
  expectCovers(device.Area);
  RECT taller;
  GetClientRect(window_, &taller);
  EXPECT_EQ(taller.bottom, client.bottom + Py(26));
  EXPECT_EQ(ClientRectOf(Ui.Tabs).bottom, taller.bottom) << "WM_SIZE re-fits the tab strip";
  // The screen turns: the device's notice re-fits the window to the landscape screen.
  device.Area = {0, Py(26), Px(320), Py(240)};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &device.Area, 0));
  SendMessageW(window_, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
  PumpPending();
  expectCovers(device.Area);
  // A work area the turn left behind, off the screen, gives way to the monitor's.
  RECT stale = {0, 0, GetSystemMetrics(SM_CXSCREEN) + 80, Py(240)};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &stale, 0));
  SendMessageW(window_, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
  PumpPending();
  MONITORINFO monitor = {sizeof(monitor), {}, {}, 0};
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor));
  expectCovers(monitor.rcWork);
}

// Every text of every view against the room its control gives it, on a
// device's screen: what a person would see cut off, wrapped or hidden
// behind scroll arrows.
class TextFitTest : public PageEditorTest {
 protected:
  struct Fit {
    std::string Where;
    int Needs;
    int Has;
  };
  std::vector<Fit> misfits_;
  Fit widest_;

  static std::string Utf8(const std::wstring& text) {
    char out[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out, sizeof(out), nullptr, nullptr);
    return out;
  }
  static SIZE Extent(HWND control, const std::wstring& text, UINT wrapWidth = 0) {
    HDC dc = GetDC(control);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    RECT r = {0, 0, static_cast<LONG>(wrapWidth), 0};
    DrawTextW(dc, text.c_str(), -1, &r,
              DT_CALCRECT | DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right - r.left, r.bottom - r.top};
  }
  // widest_ keeps the text that takes the largest share of its room.
  void Check(const std::string& view, const char* what, const std::wstring& text, int needs,
             int has, bool aText = true) {
    Fit fit = {view + ": " + what + " \"" + Utf8(text) + "\"", needs, has};
    if (needs > has) misfits_.push_back(fit);
    if (aText && (widest_.Has == 0 || needs * widest_.Has > widest_.Needs * has)) widest_ = fit;
  }
  static RECT Client(HWND control) {
    RECT r = {};
    GetClientRect(control, &r);
    return r;
  }
  void CheckStatic(const std::string& view, HWND control) {
    std::wstring text = Text(control);
    LONG style = GetWindowLongW(control, GWL_STYLE);
    if (text.empty() || (style & SS_TYPEMASK) == SS_ICON) return;
    if (control == Ui.FolderLabel) return;  // a folder path of any length, cut by design
    RECT room = Client(control);
    if (control == Ui.HelpText) {  // the one text that wraps by design
      Check(view, "help lines", text, Extent(control, text, room.right).cy, room.bottom);
      return;
    }
    SIZE size = Extent(control, text);
    Check(view, "label", text, size.cx, room.right);
    Check(view, "label height", text, size.cy, room.bottom, false);
  }
  void CheckButton(const std::string& view, HWND control) {
    std::wstring text = Text(control);
    LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    bool box = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX;
    int around = box ? Px(13) + Px(4) : 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
    Check(view, box ? "check box" : "button", text, Extent(control, text).cx + around,
          Client(control).right);
  }
  // A number field must show the widest value its arrows can reach.
  void CheckNumber(const std::string& view, HWND edit) {
    HWND arrows = nullptr;
    for (HWND c = GetWindow(window_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (reinterpret_cast<HWND>(SendMessageW(c, UDM_GETBUDDY, 0, 0)) == edit &&
          SendMessageW(c, UDM_GETBUDDY, 0, 0) != 0 && IsWindowVisible(c))
        arrows = c;
    if (!arrows) return;
    int low = 0, high = 0;
    SendMessageW(arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    std::wstring widest = std::to_wstring(high > -low ? high : low);
    RECT room = {};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    Check(view, "number", widest, Extent(edit, widest).cx, room.right - room.left);
  }
  void CheckCombo(const std::string& view, HWND combo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(combo, &info)) return;
    int room = info.rcItem.right - info.rcItem.left;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    int selected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    // Any choice may become the shown one; of the faces, the chosen one.
    for (int i = 0; i < count; ++i) {
      if (combo == Ui.FaceList && i != selected) continue;
      wchar_t text[LF_FACESIZE * 2] = L"";
      if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) >= LF_FACESIZE * 2) continue;
      SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      Check(view, "choice", text, Extent(combo, text).cx + 2, room);
    }
  }
  void CheckTabs(const std::string& view) {
    int count = TabCtrl_GetItemCount(Ui.Tabs);
    RECT last = {};
    TabCtrl_GetItemRect(Ui.Tabs, count - 1, &last);
    Check(view, "tab row", L"", last.right, Client(Ui.Tabs).right, false);
    HWND arrows = FindWindowExW(Ui.Tabs, nullptr, UPDOWN_CLASSW, nullptr);
    if (arrows && IsWindowVisible(arrows)) misfits_.push_back({view + ": tab scroll arrows", 1, 0});
  }
  void CheckList(const std::string& view, HWND list) {
    int columns = 0, total = 0;
    for (; columns < 8; ++columns) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH;
      if (!SendMessageW(list, LVM_GETCOLUMNW, columns, reinterpret_cast<LPARAM>(&column))) break;
      total += column.cx;
    }
    if (list == Ui.FileList) return;  // its rows are whatever the folder holds
    Check(view, "list columns", L"", total, Client(list).right, false);
    for (int row = 0; row < RowCount(list); ++row)
      for (int col = 0; col < columns; ++col) {
        std::wstring text = Cell(list, row, col);
        if (text.empty()) continue;
        RECT label = {LVIR_LABEL, col, 0, 0};
        SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&label));
        int needs = static_cast<int>(
            SendMessageW(list, LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(text.c_str())));
        // The list keeps a margin on both sides of each cell's text.
        Check(view, col ? "value" : "name", text, needs + 6, label.right - label.left);
      }
  }
  void CheckView(const std::string& view) {
    PumpPending();
    for (HWND c = GetWindow(window_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (!IsWindowVisible(c)) continue;
      wchar_t cls[64] = L"";
      GetClassNameW(c, cls, 64);
      if (_wcsicmp(cls, L"Static") == 0)
        CheckStatic(view, c);
      else if (_wcsicmp(cls, L"Button") == 0)
        CheckButton(view, c);
      else if (_wcsicmp(cls, L"Edit") == 0 && (GetWindowLongW(c, GWL_STYLE) & ES_NUMBER))
        CheckNumber(view, c);
      else if (_wcsicmp(cls, L"ComboBox") == 0)
        CheckCombo(view, c);
      else if (_wcsicmp(cls, WC_TABCONTROLW) == 0)
        CheckTabs(view);
      else if (_wcsicmp(cls, WC_LISTVIEWW) == 0)
        CheckList(view, c);
    }
    std::printf("widest in %s\n", widest_.Where.c_str());
    std::printf("  needs %d of %d px\n", widest_.Needs, widest_.Has);
    widest_ = Fit{};
  }
  // Opens every row of a list in turn: each panel is a view of its own; a
  // toggle flips twice and so stays as it was.
  void WalkRows(const std::string& view, HWND list, HWND editButton) {
    for (int row = 0; row < RowCount(list); ++row) {
      Select(list, row);
      Click(editButton);
      std::string name = view + " / " + Utf8(Cell(list, row, 0));
      if (Model.EditorKind == EditorNone) {  // a toggle opens no panel
        Click(editButton);
        continue;
      }
      CheckView(name);
      Command(CMD_CANCEL);
    }
  }
};

TEST_F(TextFitTest, EveryTextOfEveryViewFitsItsControl) {
  DeviceWorkArea device;
  StartWindow();
  CheckView("General");
  WalkRows("General", Ui.GeneralList, Ui.EditButton);
  ShowTab(2);
  CheckView("About");
  ShowTab(1);
  CheckView("Pages");
  for (int kind = PageKindWireless; kind <= PageKindSysInfo; ++kind) {
    OpenPage(kind);
    std::string page = Utf8(Text(Ui.TitleLine));
    bool launcher = kind == PageKindLauncher;
    if (launcher) Select(Ui.EditorLists[kind - 1], 0);
    CheckView(page);
    WalkRows(page, Ui.EditorLists[kind - 1], launcher ? Ui.LauncherEditButton : Ui.EditButton);
    if (launcher) {
      Click(Ui.AddButton);  // the file chooser of a new shortcut
      CheckView(page + " / +");
      Command(CMD_CANCEL);
    }
    Command(CMD_CANCEL);
  }
  for (const Fit& f : misfits_)
    ADD_FAILURE() << f.Where << " needs " << f.Needs << " px, has " << f.Has;
}

TEST_F(ShellTest, CancelAtTheTopLeavesTheRegistryAndSendsNothing) {
  PutDword(HKEY_CURRENT_USER, SettingsRootKey, L"FixedPageCount", 9);
  PutText(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName1", L"x.lnk");
  PutDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", 1);
  RegistrySnapshot user = TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey);
  RegistrySnapshot machine = TakeSnapshot(HKEY_LOCAL_MACHINE, TodayItemKey);
  BroadcastCounter counter;
  FlushWatch flushes(counter);
  ASSERT_TRUE(flushes.Working);
  StartWindow();
  Select(Ui.GeneralList, 0);
  Click(Ui.EditButton);  // the toggle flips in the model only
  EXPECT_EQ(Model.TodayItemEnabled, 0);
  Command(CMD_CANCEL);
  EXPECT_FALSE(IsWindow(window_)) << "Cancel at the top level ends the tool";
  EXPECT_TRUE(TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey) == user);
  EXPECT_TRUE(TakeSnapshot(HKEY_LOCAL_MACHINE, TodayItemKey) == machine);
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_TRUE(Flushes.empty());
}

TEST_F(ShellTest, SoftKeyOnTheBarPostsItsCommand) {
  StartWindow();
  RECT bar;
  GetClientRect(Ui.MenuBar, &bar);
  // The right half of the bar is "Отмена": at the top level it closes.
  SendMessageW(Ui.MenuBar, WM_LBUTTONUP, 0, MAKELPARAM(bar.right * 3 / 4, bar.bottom / 2));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window_); }));
}

// While a message box of the tool is up its owner is disabled, and on the
// device the box has the soft keys: the tool's own do nothing meanwhile.
TEST_F(ShellTest, SoftKeyOfADisabledWindowDoesNothing) {
  StartWindow();
  RECT bar;
  GetClientRect(Ui.MenuBar, &bar);
  EnableWindow(window_, FALSE);
  SendMessageW(Ui.MenuBar, WM_LBUTTONUP, 0, MAKELPARAM(bar.right * 3 / 4, bar.bottom / 2));
  PumpPending();  // a posted command would be handled here
  EXPECT_TRUE(IsWindow(window_));
  EnableWindow(window_, TRUE);
}

TEST_F(ShellTest, TopLevelOkSavesBroadcastsAndCloses) {
  BroadcastCounter counter;
  StartWindow();
  Command(CMD_DIALOG_OK);  // the platform's OK takes the same way as the soft key
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(counter.Count(), 1);
  DWORD value = 0;
  EXPECT_TRUE(GetDword(HKEY_CURRENT_USER, SettingsRootKey, L"FixedPageCount", &value));
  EXPECT_EQ(value, 3u);
  EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, TodayItemKey), 1);
}

// The device writes its registry to its store lazily: a save is flushed,
// under both roots once each, after its last write and before the Today
// shell is told to show it.
TEST_F(ShellTest, TopLevelOkFlushesBothRootsAfterItsLastWriteThenBroadcasts) {
  BroadcastCounter counter;
  FlushWatch flushes(counter);
  ASSERT_TRUE(flushes.Working);
  StartWindow();
  Command(CMD_OK);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(counter.Count(), 1);
  EXPECT_EQ(FlushesOf(HKEY_CURRENT_USER), 1);
  EXPECT_EQ(FlushesOf(HKEY_LOCAL_MACHINE), 1);
  EXPECT_EQ(Flushes.size(), 2u);
  int lastKeyValues = ValueCount(HKEY_CURRENT_USER, PageKey(L"SysInfo"));
  EXPECT_GT(lastKeyValues, 0);
  for (const Flush& f : Flushes) {
    EXPECT_EQ(f.Broadcasts, 0) << "flushed before the shell is told";
    EXPECT_EQ(f.SysInfoValues, lastKeyValues) << "flushed after the last write";
  }
}

TEST_F(ShellTest, AboutTabShowsOnlyItsStaticsAndGivesTheListBack) {
  StartWindow();
  Select(Ui.GeneralList, 2);
  TabCtrl_SetCurSel(Ui.Tabs, 2);
  NMHDR change = {Ui.Tabs, 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(Text(Ui.TitleLine), L"Tovira: О программе");
  for (HWND s : Ui.About) EXPECT_TRUE(Visible(s));
  EXPECT_EQ(Text(Ui.About[1]), L"Tovira v1.3.3");
  EXPECT_NE(SendMessageW(Ui.About[0], STM_GETICON, 0, 0), 0);
  EXPECT_TRUE(Visible(Ui.Tabs));
  EXPECT_FALSE(Visible(Ui.GeneralList));
  EXPECT_FALSE(Visible(Ui.EditButton));
  TabCtrl_SetCurSel(Ui.Tabs, 0);
  SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
  EXPECT_TRUE(Visible(Ui.GeneralList));
  EXPECT_EQ(SelectedRow(Ui.GeneralList), 2);
  EXPECT_TRUE(Enabled(Ui.EditButton));
  for (HWND s : Ui.About) EXPECT_FALSE(Visible(s));
}

BOOL CALLBACK CountToolWindow(HWND hwnd, LPARAM count) {
  wchar_t cls[32];
  if (GetClassNameW(hwnd, cls, 32) && wcscmp(cls, L"TVRCFG") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// A second start finds the first window, activates it and ends with 0.
TEST_F(CleanRegistryTest, SecondStartActivatesTheFirstAndExits) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe = path;
  exe = exe.substr(0, exe.rfind(L'\\') + 1) + L"tvrcfg.exe";
  auto start = [&](PROCESS_INFORMATION* process) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring command = L"\"" + exe + L"\"";
    return CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, process) != FALSE;
  };
  PROCESS_INFORMATION first = {}, second = {};
  ASSERT_TRUE(start(&first)) << "error " << GetLastError();
  HWND running = nullptr;
  ASSERT_TRUE(
      PumpUntil([&] { return (running = FindWindowW(L"TVRCFG", L"Tovira")) != nullptr; }, 20000));
  ASSERT_TRUE(start(&second));
  EXPECT_EQ(WaitForSingleObject(second.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(second.hProcess, &code);
  EXPECT_EQ(code, 0u);
  int windows = 0;
  EnumWindows(CountToolWindow, reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(windows, 1);
  PostMessageW(running, WM_COMMAND, MAKEWPARAM(CMD_CANCEL, 0), 0);
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 20000), WAIT_OBJECT_0);
  GetExitCodeProcess(first.hProcess, &code);
  EXPECT_EQ(code, 0u);
  for (PROCESS_INFORMATION* p : {&first, &second}) {
    CloseHandle(p->hThread);
    CloseHandle(p->hProcess);
  }
}

}  // namespace
