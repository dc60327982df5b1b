// The tool's shell: start-up, the soft-key bar, the three-level Cancel and
// the top-level OK, the single instance, and the layout at this density.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <string>

#include "common/registry_names.h"
#include "config/model/config_model.h"
#include "config/ui/resource_ids.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_window.h"
#include "tests/config/tool_test_support.h"

namespace {

using ShellTest = ToolWindowTest;

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

TEST_F(ShellTest, CancelAtTheTopLeavesTheRegistryAndSendsNothing) {
  PutDword(HKEY_CURRENT_USER, SettingsRootKey, L"FixedPageCount", 9);
  PutText(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName1", L"x.lnk");
  PutDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", 1);
  RegistrySnapshot user = TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey);
  RegistrySnapshot machine = TakeSnapshot(HKEY_LOCAL_MACHINE, TodayItemKey);
  BroadcastCounter counter;
  StartWindow();
  Select(Ui.GeneralList, 0);
  Click(Ui.EditButton);  // the toggle flips in the model only
  EXPECT_EQ(Model.TodayItemEnabled, 0);
  Command(CMD_CANCEL);
  EXPECT_FALSE(IsWindow(window_)) << "Cancel at the top level ends the tool";
  EXPECT_TRUE(TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey) == user);
  EXPECT_TRUE(TakeSnapshot(HKEY_LOCAL_MACHINE, TodayItemKey) == machine);
  EXPECT_EQ(counter.Count(), 0);
}

TEST_F(ShellTest, SoftKeyOnTheBarPostsItsCommand) {
  StartWindow();
  RECT bar;
  GetClientRect(Ui.MenuBar, &bar);
  // The right half of the bar is "Отмена": at the top level it closes.
  SendMessageW(Ui.MenuBar, WM_LBUTTONUP, 0, MAKELPARAM(bar.right * 3 / 4, bar.bottom / 2));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window_); }));
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
  EnumWindows(
      [](HWND hwnd, LPARAM count) -> BOOL {
        wchar_t cls[32];
        if (GetClassNameW(hwnd, cls, 32) && wcscmp(cls, L"TVRCFG") == 0)
          ++*reinterpret_cast<int*>(count);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
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
