// Helpers of the configuration tool's tests.
#include "tests/config/tool_test_support.h"

#include <commctrl.h>

#include "common/registry_names.h"
#include "config/model/config_model.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_window.h"

namespace {

void Walk(HKEY key, const std::wstring& prefix, RegistrySnapshot* out) {
  (*out)[prefix] = StoredValue{0, {}};
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD nameLength = 16384;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      break;
    std::vector<BYTE> data(size);
    nameLength = 16384;
    RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
    data.resize(size);
    (*out)[prefix + name] = StoredValue{type, data};
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    HKEY child;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
      Walk(child, prefix + name + L"\\", out);
      RegCloseKey(child);
    }
  }
}

HKEY Create(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

int Dpi(int index) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int BroadcastsSeen = 0;

LRESULT CALLBACK CounterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WININICHANGE && wParam == 0xF2 && lParam == 0) ++BroadcastsSeen;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

RegistrySnapshot TakeSnapshot(HKEY root, const std::wstring& path) {
  RegistrySnapshot snapshot;
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return snapshot;
  Walk(key, L"", &snapshot);
  RegCloseKey(key);
  return snapshot;
}

void DeleteTree(HKEY root, const std::wstring& path) {
  RegDeleteTreeW(root, path.c_str());
  RegDeleteKeyW(root, path.c_str());
}

void RestoreSnapshot(HKEY root, const std::wstring& path, const RegistrySnapshot& snapshot) {
  DeleteTree(root, path);
  for (const auto& [name, value] : snapshot) {
    size_t slash = name.rfind(L'\\');
    std::wstring keyPath = slash == std::wstring::npos ? L"" : name.substr(0, slash);
    std::wstring valueName = slash == std::wstring::npos ? name : name.substr(slash + 1);
    HKEY key = Create(root, keyPath.empty() ? path : path + L"\\" + keyPath);
    if (!key) continue;
    if (!valueName.empty() || value.Type != 0)
      RegSetValueExW(key, valueName.c_str(), 0, value.Type, value.Data.data(),
                     static_cast<DWORD>(value.Data.size()));
    RegCloseKey(key);
  }
}

void PutRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
            DWORD size) {
  HKEY key = Create(root, path);
  ASSERT_NE(key, nullptr) << "cannot create " << std::string(path.begin(), path.end());
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void PutDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
  PutRaw(root, path, name, REG_DWORD, &value, sizeof(value));
}

void PutText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
  PutRaw(root, path, name, REG_SZ, text.c_str(),
         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool GetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* value, DWORD* type) {
  DWORD size = sizeof(*value);
  DWORD t = 0;
  LONG r = RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, &t, value, &size);
  if (type) *type = t;
  return r == ERROR_SUCCESS && t == REG_DWORD;
}

bool GetText(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* text) {
  wchar_t buffer[1024];
  DWORD size = sizeof(buffer);
  DWORD type = 0;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, &type, buffer, &size) != ERROR_SUCCESS)
    return false;
  *text = buffer;
  return true;
}

bool ValueExists(HKEY root, const std::wstring& path, const wchar_t* name) {
  return RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

int ValueCount(HKEY root, const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD values = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(values);
}

std::wstring PageKey(const wchar_t* page) { return std::wstring(SettingsRootKey) + L"\\" + page; }

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;  // the tool's own quit: the test goes on
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpPending() {
  PumpUntil([] { return true; }, 0);
}

BroadcastCounter::BroadcastCounter() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = CounterProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ToolTestBroadcastCounter";
  RegisterClassW(&wc);
  BroadcastsSeen = 0;
  Window = CreateWindowExW(0, wc.lpszClassName, L"counter", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

BroadcastCounter::~BroadcastCounter() {
  if (Window) DestroyWindow(Window);
}

int BroadcastCounter::Count() const { return BroadcastsSeen; }

int ScreenDpiX() { return Dpi(LOGPIXELSX); }
int ScreenDpiY() { return Dpi(LOGPIXELSY); }
int Px(int units) { return units * ScreenDpiX() / 96; }
int Py(int units) { return units * ScreenDpiY() / 96; }

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
  if (savedUser_.empty()) DeleteTree(HKEY_CURRENT_USER, SettingsRootKey);
  if (savedMachine_.empty()) DeleteTree(HKEY_LOCAL_MACHINE, TodayItemKey);
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
