// The sink window, registry entries and scratch files of todayhost's tests.
#include "tests/host/host_test_support.h"

#include <shellapi.h>
#include <shlobj.h>

#include <map>

#include "host/todayhost/text_util.h"
#include "host/todayhost/today_host.h"

namespace {

std::vector<RecordedEvent> g_events;
std::map<std::wstring, DWORD> g_heights;
std::map<std::wstring, std::pair<int, DWORD>> g_wideHeights;
std::map<std::wstring, long long> g_widths;  // each probe's last width
std::map<std::wstring, bool> g_navigation;
std::map<std::wstring, bool> g_accepts;
HWND g_sink;

// The test's pump is the host's top-level loop.
const bool HostPump = (SetPumpStep(DispatchTopLevel), true);

LRESULT OnCopyData(const COPYDATASTRUCT* data) {
  if (!data || data->cbData != sizeof(ProbeEvent) || !data->lpData) return 0;
  ProbeEvent event = *static_cast<const ProbeEvent*>(data->lpData);
  event.name[31] = 0;
  auto code = static_cast<ProbeEventCode>(data->dwData);
  g_events.push_back({code, event.name, event.a, event.b});
  if (code == ProbeSize) g_widths[event.name] = event.a;
  if (code == ProbeQueryHeight) {
    auto wide = g_wideHeights.find(event.name);
    if (wide != g_wideHeights.end() && g_widths[event.name] >= wide->second.first)
      return wide->second.second;
    auto it = g_heights.find(event.name);
    return it == g_heights.end() ? 40 : it->second;
  }
  if (code == ProbeNavigate) {
    auto it = g_navigation.find(event.name);
    return it != g_navigation.end() && it->second;
  }
  if (code == ProbeReceived) {
    auto it = g_accepts.find(event.name);
    return it == g_accepts.end() || it->second;
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
  // A top-level (not message-only) window, so FindWindow finds it from another process.
  g_sink = OpenWindow(ProbeSinkClass, L"sink", WS_POPUP, 1, 1, SinkProc);
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
void SetProbeWideHeight(const wchar_t* name, int fromWidth, DWORD wideHeight) {
  g_wideHeights[name] = {fromWidth, wideHeight};
}
void SetProbeNavigationAnswer(const wchar_t* name, bool handled) { g_navigation[name] = handled; }
void SetProbeSelectionAnswer(const wchar_t* name, bool accepts) { g_accepts[name] = accepts; }
void ResetProbeAnswers() {
  g_heights.clear();
  g_wideHeights.clear();
  g_widths.clear();
  g_navigation.clear();
  g_accepts.clear();
}

void StartProbeTest() {
  StartProbeSink();
  DeleteTestItems();
  ResetProbeAnswers();
  ClearProbeEvents();
}

const wchar_t TestItemsRoot[] = L"Software\\ToviraHostTests";
const wchar_t TestItemsKey[] = L"Software\\ToviraHostTests\\Items";

void WriteTestEntry(const wchar_t* name, const std::wstring& dll, DWORD type, DWORD enabled,
                    DWORD order, DWORD options, DWORD selectability) {
  const std::wstring path = std::wstring(TestItemsKey) + L"\\" + name;
  PutText(HKEY_LOCAL_MACHINE, path, L"DLL", dll);
  PutDword(HKEY_LOCAL_MACHINE, path, L"Type", type);
  PutDword(HKEY_LOCAL_MACHINE, path, L"Enabled", enabled);
  PutDword(HKEY_LOCAL_MACHINE, path, L"Options", options);
  PutDword(HKEY_LOCAL_MACHINE, path, L"Order", order);
  PutDword(HKEY_LOCAL_MACHINE, path, L"Flags", 0);
  if (selectability != NoSelectability)
    PutDword(HKEY_LOCAL_MACHINE, path, L"Selectability", selectability);
}

void DeleteTestItems() { DeleteTree(HKEY_LOCAL_MACHINE, TestItemsRoot); }

std::wstring ScratchDirectory() {
  std::wstring path = ScratchPath(L"tovira-host-tests");
  path.pop_back();  // callers add "\\name"
  return path;
}

std::wstring ProbeCopy(const std::wstring& relative) {
  std::wstring target = ScratchDirectory() + L"\\" + relative;
  size_t slash = target.find_last_of(L'\\');
  SHCreateDirectoryExW(nullptr, target.substr(0, slash).c_str(), nullptr);
  CopyFileW((BinDir() + L"host_probe_item.dll").c_str(), target.c_str(), FALSE);
  return target;
}

void DeleteScratch() { DeleteFolder(ScratchDirectory()); }

void HostWindowTest::SetUp() { StartProbeTest(); }

void HostWindowTest::TearDown() {
  if (host_ && IsWindow(host_)) DestroyWindow(host_);
  PumpPending();
  DeleteTestItems();
  DeleteScratch();
}

HWND HostWindowTest::StartHost(bool fullscreen, int width, int height) {
  HostOptions options;
  DefaultHostOptions(&options);
  CopyText(options.itemsKey, 260, TestItemsKey);
  options.width = width;
  options.height = height;
  options.fullscreen = fullscreen;
  host_ = CreateTodayHost(options);
  return host_;
}

RECT HostWindowTest::PlaceOf(HWND item) {
  RECT rc = {};
  GetWindowRect(item, &rc);
  MapWindowPoints(nullptr, GetParent(item), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool TapScreenAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  // The press and release carry their point, so a late pointer motion of the
  // display cannot move them elsewhere.
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  INPUT input[2] = {};
  for (INPUT& i : input) {
    i.type = INPUT_MOUSE;
    i.mi.dx = (screen.x * 65536 + cx - 1) / cx;
    i.mi.dy = (screen.y * 65536 + cy - 1) / cy;
  }
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  return SendInput(2, input, sizeof(INPUT)) == 2;
}
