// CPU cost of the item's once-a-second refresh: an idle tick (nothing
// changed), a repainting tick (forced refresh plus a paint of the whole item
// into a memory DC), and the tick's registry reads alone, so the ratio of the
// tick to its unavoidable reads is known. The item is 240 x 320 pixels at
// 96 dpi, scaled with the prefix's density.
//   scripts/wine-run build/bin/bench_tick_cost.exe
//   TOVIRA_DPI=192 scripts/wine-run build/bin/bench_tick_cost.exe
// The platform's state keys are filled with typical values while it runs and
// removed again afterwards.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "item/host/item_window.h"
#include "item/host/page_life.h"
#include "item/pages/system_state.h"
#include "item/pages/time_texts.h"
#include "item/host/paint.h"
#include "item/pages/time_source.h"
#include "item/settings/item_settings.h"
#include "platform/today.h"

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM*, HWND parent);

namespace {

constexpr int Samples = 201;  // medians over this many batches

struct StateValue {
  HKEY root;
  const wchar_t* path;
  const wchar_t* name;
  DWORD type;
  DWORD number;
  const wchar_t* text;
};

// What a phone with one alarm set typically holds.
const StateValue Typical[] = {
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\0", L"AlarmFlags", REG_DWORD, 1, nullptr},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\1", L"AlarmFlags", REG_DWORD, 0, nullptr},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\2", L"AlarmFlags", REG_DWORD, 0, nullptr},
    {HKEY_CURRENT_USER, L"System\\State\\Shell\\Alarms", L"Next", REG_BINARY, 0, nullptr},
    {HKEY_LOCAL_MACHINE, L"System\\State\\Phone", L"Current Operator Name", REG_SZ, 0, L"Beeline"},
    {HKEY_CURRENT_USER, L"System\\State\\Phone", L"Missed Call Count", REG_DWORD, 2, nullptr},
    {HKEY_CURRENT_USER, L"System\\State\\Messages\\sms\\Unread", L"Count", REG_DWORD, 3, nullptr},
    {HKEY_CURRENT_USER, L"System\\State\\Messages\\TotalEmail\\Unread", L"Count", REG_DWORD, 1,
     nullptr},
    {HKEY_LOCAL_MACHINE, L"System\\State\\Hardware", L"Bluetooth", REG_DWORD, 9, nullptr},
    {HKEY_LOCAL_MACHINE, L"System\\State\\Hardware", L"Wifi", REG_DWORD, 2, nullptr},
};

// Keys this program created, deleted again at the end (deepest first).
std::vector<std::pair<HKEY, std::wstring>> Created;

void CreatePath(HKEY root, const std::wstring& path) {
  for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
    const std::wstring part = path.substr(0, end);
    HKEY key;
    if (RegOpenKeyExW(root, part.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
    } else if (RegCreateKeyExW(root, part.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                               nullptr) == ERROR_SUCCESS) {
      RegCloseKey(key);
      Created.emplace_back(root, part);
    }
    if (end == std::wstring::npos) break;
  }
}

void WriteTypicalState() {
  SYSTEMTIME next = {2026, 12, 2, 8, 7, 30, 0, 0};
  FILETIME stamp;
  SystemTimeToFileTime(&next, &stamp);
  for (const StateValue& v : Typical) {
    CreatePath(v.root, v.path);
    HKEY key;
    if (RegOpenKeyExW(v.root, v.path, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
    if (v.type == REG_DWORD)
      RegSetValueExW(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.number), 4);
    else if (v.type == REG_BINARY)
      RegSetValueExW(key, v.name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&stamp), 8);
    else
      RegSetValueExW(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.text),
                     static_cast<DWORD>((wcslen(v.text) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
}

void RemoveTypicalState() {
  for (const StateValue& v : Typical) {
    HKEY key;
    if (RegOpenKeyExW(v.root, v.path, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueW(key, v.name);
      RegCloseKey(key);
    }
  }
  for (auto it = Created.rbegin(); it != Created.rend(); ++it)
    RegDeleteKeyW(it->first, it->second.c_str());
}

// The registry work of one tick as bare platform calls: each key opened,
// its values queried into fixed buffers, closed. The floor under any refresh.
void BareTickReads() {
  for (const StateValue& v : Typical) {
    HKEY key;
    if (RegOpenKeyExW(v.root, v.path, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    BYTE buffer[520];
    DWORD type = 0, size = sizeof(buffer);
    RegQueryValueExW(key, v.name, nullptr, &type, buffer, &size);
    RegCloseKey(key);
  }
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Mean time of one call over a batch, in microseconds.
template <class Work>
double BatchMicroseconds(int perBatch, Work& work) {
  const double start = Now();
  for (int k = 0; k < perBatch; ++k) work();
  return (Now() - start) * 1e6 / perBatch;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

int CountedInvalidations(HWND window, int ticks, void (*tick)()) {
  int count = 0;
  for (int i = 0; i < ticks; ++i) {
    tick();
    RECT r;
    if (GetUpdateRect(window, &r, FALSE)) ++count;
    ValidateRect(window, nullptr);
  }
  return count;
}

}  // namespace

int main() {
  const int dpi = ScreenDpiY();
  const int width = 240 * dpi / 96, height = 320 * dpi / 96;

  WriteTypicalState();
  ItemInstance = GetModuleHandleW(nullptr);
  if (!RegisterItemClass(ItemInstance)) {
    std::fprintf(stderr, "cannot register the item class\n");
    return 1;
  }
  WNDCLASSW shellClass = {};
  shellClass.lpfnWndProc = DefWindowProcW;
  shellClass.hInstance = ItemInstance;
  shellClass.lpszClassName = L"BenchShell";
  RegisterClassW(&shellClass);
  HWND shell = CreateWindowExW(0, L"BenchShell", L"shell", WS_POPUP | WS_VISIBLE, 0, 0, width,
                               height, nullptr, nullptr, ItemInstance, nullptr);
  HWND item = InitializeCustomItem(nullptr, shell);
  if (!item) {
    std::fprintf(stderr, "the item window was not created\n");
    return 1;
  }
  SetWindowPos(item, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  KillTimer(item, 1);  // the bench drives the ticks itself

  static SYSTEMTIME clock = {2026, 12, 1, 7, 9, 5, 0, 0};
  SetClockOverride(&clock);
  RefreshTick(1);
  ValidateRect(item, nullptr);

  // Idle: the seconds go by inside one minute and nothing else moves.
  auto idleTick = [] {
    clock.wSecond = static_cast<WORD>((clock.wSecond + 1) % 60);
    SetClockOverride(&clock);
    RefreshTick(0);
  };
  const int idleRepaints = CountedInvalidations(
      item, 59, +[] {
        clock.wSecond = static_cast<WORD>((clock.wSecond + 1) % 60);
        SetClockOverride(&clock);
        RefreshTick(0);
      });

  RECT client;
  GetClientRect(item, &client);
  HDC screen = GetDC(item);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(item, screen);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  auto repaintTick = [&] {
    RefreshTick(1);
    PaintItem(item, memory, client);
    ValidateRect(item, nullptr);
  };

  auto paintOnly = [&] { PaintItem(item, memory, client); };
  auto bareReads = [] { BareTickReads(); };
  auto ownReads = [] {
    ReadAlarmState();
    RefreshSystemState();
  };
  // The kinds take turns batch by batch, so a busy moment of the machine
  // weighs on all of them alike.
  std::vector<double> idleRuns, repaintRuns, paintRuns, bareRuns, ownRuns;
  for (int i = 0; i < Samples; ++i) {
    idleRuns.push_back(BatchMicroseconds(20, idleTick));
    repaintRuns.push_back(BatchMicroseconds(3, repaintTick));
    paintRuns.push_back(BatchMicroseconds(3, paintOnly));
    bareRuns.push_back(BatchMicroseconds(20, bareReads));
    ownRuns.push_back(BatchMicroseconds(20, ownReads));
  }
  const double idle = Median(idleRuns), repaint = Median(repaintRuns), paint = Median(paintRuns),
               bare = Median(bareRuns), own = Median(ownRuns);

  std::printf("item %d x %d at %d dpi, medians of %d batches (microseconds per call)\n", width,
              height, dpi, Samples);
  std::printf("  idle tick                        %9.1f\n", idle);
  std::printf("  repainting tick (refresh + paint)%9.1f\n", repaint);
  std::printf("    the paint alone                %9.1f\n", paint);
  std::printf("  tick's registry reads, bare      %9.1f\n", bare);
  std::printf("  tick's registry reads, item code %9.1f\n", own);
  std::printf("  ratio idle tick / bare reads     %9.2f\n", idle / bare);
  std::printf("  ratio repainting tick / bare     %9.2f\n", repaint / bare);
  std::printf("  repaints in 59 idle ticks        %9d\n", idleRepaints);

  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  SetClockOverride(nullptr);
  DestroyWindow(item);
  DestroyWindow(shell);
  RemoveTypicalState();
  return 0;
}
