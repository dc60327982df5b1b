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
#include "support/registry.h"
#include "support/timing.h"
#include "bench/soak/item_in_process.h"

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

// A typical phone's state, written over what the prefix holds (main saves that
// and puts it back).
void WriteTypicalState() {
  SYSTEMTIME next = {2026, 12, 2, 8, 7, 30, 0, 0};
  FILETIME stamp;
  SystemTimeToFileTime(&next, &stamp);
  for (const StateValue& v : Typical) {
    if (v.type == REG_DWORD)
      testsupport::PutDword(v.root, v.path, v.name, v.number);
    else if (v.type == REG_BINARY)
      testsupport::PutRaw(v.root, v.path, v.name, REG_BINARY, &stamp, 8);
    else
      testsupport::PutText(v.root, v.path, v.name, v.text);
  }
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

// Mean time of one call over a batch, in microseconds.
template <class Work>
double BatchMicroseconds(int perBatch, Work& work) {
  const double start = testsupport::NowMicroseconds();
  for (int k = 0; k < perBatch; ++k) work();
  return (testsupport::NowMicroseconds() - start) / perBatch;
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

  std::vector<testsupport::ValuePlace> places;
  for (const StateValue& v : Typical) places.push_back({v.root, v.path, v.name});
  const testsupport::SavedValues saved(places, false);
  WriteTypicalState();
  HWND shell = OpenShell(L"BenchShell", width, height);
  if (!shell) {
    std::fprintf(stderr, "cannot register the item class\n");
    return 1;
  }
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

  const WindowCanvas canvas(item);
  HDC memory = canvas.Dc;
  const RECT& client = canvas.Client;
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
  using testsupport::MedianOf;
  const double idle = MedianOf(idleRuns), repaint = MedianOf(repaintRuns),
               paint = MedianOf(paintRuns), bare = MedianOf(bareRuns), own = MedianOf(ownRuns);

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

  SetClockOverride(nullptr);
  DestroyWindow(item);
  DestroyWindow(shell);
  return 0;
}
