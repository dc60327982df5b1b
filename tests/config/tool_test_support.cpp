// Helpers of the configuration tool's tests.
#include "tests/config/tool_test_support.h"

#include <commctrl.h>

#include "common/registry_names.h"
#include "config/model/config_model.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_window.h"

namespace {

int BroadcastsSeen = 0;

LRESULT CALLBACK CounterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WININICHANGE && wParam == 0xF2 && lParam == 0) ++BroadcastsSeen;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

BroadcastCounter::BroadcastCounter() {
  BroadcastsSeen = 0;
  Window = OpenWindow(L"ToolTestBroadcastCounter", L"counter", WS_OVERLAPPED, 10, 10, CounterProc);
}

BroadcastCounter::~BroadcastCounter() {
  if (Window) DestroyWindow(Window);
}

int BroadcastCounter::Count() const { return BroadcastsSeen; }

DeviceWorkArea::DeviceWorkArea(int topBar) : Area{0, topBar, Px(240), Py(320)}, Saved{} {
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &Saved, 0);
  EXPECT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &Area, 0)) << "error " << GetLastError();
}

DeviceWorkArea::~DeviceWorkArea() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &Saved, 0); }

void CleanRegistryTest::SetUp() {
  savedUser_ = TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey);
  savedMachine_ = TakeSnapshot(HKEY_LOCAL_MACHINE, TodayItemKey);
  DeleteTree(HKEY_CURRENT_USER, SettingsRootKey);
  DeleteTree(HKEY_LOCAL_MACHINE, TodayItemKey);
}

void CleanRegistryTest::TearDown() {
  RestoreSnapshot(HKEY_CURRENT_USER, SettingsRootKey, savedUser_);
  RestoreSnapshot(HKEY_LOCAL_MACHINE, TodayItemKey, savedMachine_);
}

void ToolWindowTest::SetUp() { CleanRegistryTest::SetUp(); }

void ToolWindowTest::StartWindow() {
  // A program starts with empty lists; LoadSettings leaves them alone when the
  // Launcher key is missing, so a test must not see the previous test's.
  ClearPaths(&Model.LauncherFiles);
  ClearPaths(&Model.LauncherFilesEdit);
  Model.CurrentFolder[0] = L'\0';
  window_ = StartTool(GetModuleHandleW(nullptr), SW_SHOW);
  ASSERT_NE(window_, nullptr) << "start-up failed, error " << GetLastError();
  PumpPending();
}

void ToolWindowTest::TearDown() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  PumpPending();
  UnregisterClassW(L"TVRCFG", GetModuleHandleW(nullptr));
  Ui = ToolWindow{};
  CleanRegistryTest::TearDown();
}

void ToolWindowTest::Command(int id) {
  SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  PumpPending();
}

void ToolWindowTest::Click(HWND button) {
  ASSERT_TRUE(IsWindowEnabled(button)) << "clicking a disabled button";
  ASSERT_TRUE(IsWindowVisible(button)) << "clicking a hidden button";
  SendMessageW(window_, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  PumpPending();
}

void ToolWindowTest::Select(HWND list, int row) {
  SelectRow(list, row);
  PumpPending();
}

void ToolWindowTest::DoubleTap(HWND list) {
  NMITEMACTIVATE activate = {};
  activate.hdr.hwndFrom = list;
  activate.hdr.code = NM_DBLCLK;
  activate.iItem = SelectedRow(list);
  SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&activate));
  PumpPending();
}

std::wstring ToolWindowTest::Text(HWND control) {
  wchar_t text[1024] = L"";
  GetWindowTextW(control, text, 1024);
  return text;
}

std::wstring ToolWindowTest::Cell(HWND list, int row, int column) {
  wchar_t text[300];
  RowText(list, row, column, text, 300);
  return text;
}

RECT ToolWindowTest::ClientRectOf(HWND control) {
  RECT rc = {};
  GetWindowRect(control, &rc);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool ToolWindowTest::Visible(HWND control) { return IsWindowVisible(control) != FALSE; }
bool ToolWindowTest::Enabled(HWND control) { return IsWindowEnabled(control) != FALSE; }
