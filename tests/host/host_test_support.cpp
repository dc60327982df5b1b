// The sink window, pump, registry entries and scratch files of todayhost's tests.
#include "tests/host/host_test_support.h"

#include <shellapi.h>
#include <shlobj.h>

#include <map>

#include "host/todayhost/today_host.h"

namespace {

std::vector<RecordedEvent> g_events;
std::map<std::wstring, DWORD> g_heights;
std::map<std::wstring, bool> g_navigation;
HWND g_sink;

LRESULT OnCopyData(const COPYDATASTRUCT* data) {
  if (!data || data->cbData != sizeof(ProbeEvent) || !data->lpData) return 0;
  ProbeEvent event = *static_cast<const ProbeEvent*>(data->lpData);
  event.name[31] = 0;
  auto code = static_cast<ProbeEventCode>(data->dwData);
  g_events.push_back({code, event.name, event.a, event.b});
  if (code == ProbeQueryHeight) {
    auto it = g_heights.find(event.name);
    return it == g_heights.end() ? 40 : it->second;
  }
  if (code == ProbeNavigate) {
    auto it = g_navigation.find(event.name);
    return it != g_navigation.end() && it->second;
  }
  return 0;
}

LRESULT CALLBACK SinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void StartProbeSink() {
  if (g_sink) return;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = SinkProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = ProbeSinkClass;
  RegisterClassW(&wc);
  // A top-level (not message-only) window, so FindWindow finds it from another process.
  g_sink = CreateWindowExW(0, ProbeSinkClass, L"sink", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

std::vector<RecordedEvent>& ProbeEvents() { return g_events; }
void ClearProbeEvents() { g_events.clear(); }

int CountEvents(ProbeEventCode code, const wchar_t* name) {
  int n = 0;
  for (const auto& e : g_events)
    if (e.code == code && (!name || e.name == name)) ++n;
  return n;
}

std::wstring DescribeEvents() {
  std::wstring s;
  for (const auto& e : g_events)
    s += L"[" + std::to_wstring(e.code) + L" " + e.name + L" " + std::to_wstring(e.a) + L"] ";
  return s;
}

void SetProbeHeight(const wchar_t* name, DWORD height) { g_heights[name] = height; }
void SetProbeNavigationAnswer(const wchar_t* name, bool handled) { g_navigation[name] = handled; }
void ResetProbeAnswers() {
  g_heights.clear();
  g_navigation.clear();
}

void PumpPending() {
  MSG msg;
  // The test's pump is the host's top-level loop.
  for (int i = 0; i < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
    DispatchTopLevel(msg);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpPending();
    if (done()) return true;
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    DWORD wait = static_cast<DWORD>(deadline - now);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait < 50 ? wait : 50, QS_ALLINPUT);
  }
}

const wchar_t TestItemsRoot[] = L"Software\\ToviraHostTests";
const wchar_t TestItemsKey[] = L"Software\\ToviraHostTests\\Items";

void WriteTestEntry(const wchar_t* name, const std::wstring& dll, DWORD type, DWORD enabled,
                    DWORD order, DWORD options) {
  std::wstring path = std::wstring(TestItemsKey) + L"\\" + name;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key, L"DLL", 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                 static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t)));
  const DWORD flags = 0;
  RegSetValueExW(key, L"Type", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&type), 4);
  RegSetValueExW(key, L"Enabled", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enabled), 4);
  RegSetValueExW(key, L"Options", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&options), 4);
  RegSetValueExW(key, L"Order", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&order), 4);
  RegSetValueExW(key, L"Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), 4);
  RegCloseKey(key);
}

void DeleteTestItems() {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, TestItemsRoot);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, TestItemsRoot);
}

std::wstring BinDirectory() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s(path, n < MAX_PATH ? n : 0);
  size_t slash = s.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : s.substr(0, slash);
}

std::wstring ScratchDirectory() {
  wchar_t temp[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp, n < MAX_PATH ? n : 0) + L"tovira-host-tests-" +
                     std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring ProbeCopy(const std::wstring& relative) {
  std::wstring target = ScratchDirectory() + L"\\" + relative;
  size_t slash = target.find_last_of(L'\\');
  SHCreateDirectoryExW(nullptr, target.substr(0, slash).c_str(), nullptr);
  CopyFileW((BinDirectory() + L"\\host_probe_item.dll").c_str(), target.c_str(), FALSE);
  return target;
}

void DeleteScratch() {
  std::wstring dir = ScratchDirectory();
  std::wstring from = dir + L'\0';  // double-terminated for the shell
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}
