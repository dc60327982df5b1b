// Endurance of the item in this process, with all six pages shown at once:
// 100,000 ticks (a simulated clock one second apart), 10,000 full paints
// through WM_PAINT, and 1,000 taps that start a probe target. Private bytes,
// handles and GDI/USER objects at start, after the warm-up and at the end.
//   TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/soak_item.exe [ticks paints starts]
// The settings tree is put back as it was afterwards.
#include <cstdio>
#include <cwchar>
#include <string>

#include "bench/soak/item_in_process.h"
#include "bench/soak/soak_common.h"
#include "bench/soak/soak_counters.h"
#include "item/host/item_window.h"
#include "item/host/page_life.h"
#include "item/pages/time_source.h"
#include "item/settings/item_settings.h"
#include "platform/today.h"

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM*, HWND parent);

namespace {

SYSTEMTIME Clock = {2026, 12, 1, 7, 9, 5, 0, 0};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int ticks = argc > 1 ? _wtoi(argv[1]) : 100000;
  const int paints = argc > 2 ? _wtoi(argv[2]) : 10000;
  const int starts = argc > 3 ? _wtoi(argv[3]) : 1000;
  SavedTree saved(HKEY_CURRENT_USER, SettingsRootKey);
  ScratchDir scratch(L"tovira-soak-item");
  const std::wstring target = scratch.Path() + L"target.exe";
  const std::wstring log = scratch.Path() + L"probe.log";
  if (!CopyFileW((BinDir() + L"probe.exe").c_str(), target.c_str(), FALSE)) {
    std::fprintf(stderr, "no probe.exe beside this program\n");
    return 1;
  }
  SetEnvironmentVariableW(L"TOVIRA_PROBE_LOG", log.c_str());

  // All six pages stacked; the Time page first, its tap starting the probe;
  // three launcher shortcuts with icons.
  RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey);
  SetDword(L"", L"FixedPageCount", 6);
  SetDword(L"Time", L"Order", static_cast<DWORD>(-1));
  SetText(L"Time", L"OnClick", target);
  for (int i = 1; i <= 3; ++i)
    SetText(L"Launcher", (L"FileName" + std::to_wstring(i)).c_str(), target);

  const int dpi = ScreenDpiY();
  const int width = 240 * dpi / 96, height = 320 * dpi / 96;
  HWND shell = OpenShell(L"SoakShell", width, height);
  if (!shell) {
    std::fprintf(stderr, "cannot open the stand-in shell\n");
    return 1;
  }
  SetClockOverride(&Clock);
  HWND item = InitializeCustomItem(nullptr, shell);
  if (!item) {
    std::fprintf(stderr, "the item window was not created\n");
    return 1;
  }
  SetWindowPos(item, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  KillTimer(item, 1);  // the ticks are driven here
  PumpPending();
  int result = 0;

  std::printf("item %d x %d at %d dpi, all six pages shown\n", width, height, dpi);
  std::printf("%d ticks (one simulated second apart, painting what they invalidate)\n", ticks);
  ProcessFigures start = TakeFigures(), warm = start;
  PrintFigures("start", start);
  double began = NowMicroseconds();
  for (int i = 1; i <= ticks; ++i) {
    AdvanceClock(&Clock);
    SendMessageW(item, WM_TIMER, 1, 0);
    UpdateWindow(item);
    if (i == ticks / 20) PrintFigures("after warm-up (5 %)", warm = TakeFigures());
  }
  std::printf("  %.1f s in all\n", (NowMicroseconds() - began) / 1e6);
  PrintFigures("end", TakeFigures());
  if (!PrintGrowth(warm, TakeFigures())) result = 2;

  std::printf("%d full paints (WM_PAINT of the whole item)\n", paints);
  start = warm = TakeFigures();
  PrintFigures("start", start);
  began = NowMicroseconds();
  for (int i = 1; i <= paints; ++i) {
    RedrawWindow(item, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (i == paints / 20) PrintFigures("after warm-up (5 %)", warm = TakeFigures());
  }
  std::printf("  %.1f s in all\n", (NowMicroseconds() - began) / 1e6);
  PrintFigures("end", TakeFigures());
  if (!PrintGrowth(warm, TakeFigures())) result = 2;

  std::printf("%d taps starting a probe target\n", starts);
  start = warm = TakeFigures();
  PrintFigures("start", start);
  began = NowMicroseconds();
  int missing = 0;
  for (int i = 1; i <= starts; ++i) {
    const LPARAM at = MAKELPARAM(width / 2, 2);
    SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(item, WM_LBUTTONUP, 0, at);
    // One target at a time: wait for its line, so the machine is not flooded.
    if (!PumpUntil([&] { return ReadLines(log).size() >= static_cast<size_t>(i - missing); },
                   10000))
      ++missing;
    if (i == starts / 20) PrintFigures("after warm-up (5 %)", warm = TakeFigures());
  }
  std::printf("  %.1f s in all, %d of %d starts seen\n", (NowMicroseconds() - began) / 1e6,
              starts - missing, starts);
  PrintFigures("end", TakeFigures());
  if (!PrintGrowth(warm, TakeFigures()) || missing) result = 2;

  SetClockOverride(nullptr);
  DestroyWindow(item);
  DestroyWindow(shell);
  PumpPending();
  SetEnvironmentVariableW(L"TOVIRA_PROBE_LOG", nullptr);
  Sleep(500);  // the last probe may still hold its log open
  return result;
}
