// CPU cost of the Calendar, Wireless, SysInfo and Launcher pages: each painter
// into a 240 x 320 memory DC (what every pointer move costs while a page is
// dragged), and the two readers the refresh runs every second (the phone and
// radio state, the SysInfo figures and texts). Medians over many batches.
//   scripts/wine-run build/bin/bench_pages_paint.exe
//   TOVIRA_DPI=192 scripts/wine-run build/bin/bench_pages_paint.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <vector>

#include "item/host/item_window.h"
#include "item/host/layout.h"
#include "item/pages/launcher_page.h"
#include "item/pages/calendar_page.h"
#include "item/pages/page_frame.h"
#include "item/pages/sysinfo_page.h"
#include "item/pages/system_state.h"
#include "item/pages/time_texts.h"
#include "item/pages/wireless_page.h"
#include "item/settings/item_settings.h"
#include "support/screen.h"
#include "support/timing.h"
#include "support/window.h"

namespace {

constexpr int Samples = 101;
constexpr int Batch = 20;

// Median microseconds of one call.
double Measure(const std::function<void()>& work) {
  std::vector<double> times;
  for (int s = 0; s < Samples; ++s) {
    const double start = testsupport::NowMicroseconds();
    for (int i = 0; i < Batch; ++i) work();
    times.push_back((testsupport::NowMicroseconds() - start) / Batch);
  }
  return testsupport::MedianOf(times);
}

}  // namespace

int main() {
  const int dpi = testsupport::DpiY();
  const int width = 240 * dpi / 96, height = 320 * dpi / 96;
  HWND window = testsupport::OpenWindow(L"ToviraPagesBench", L"bench", WS_POPUP, width, height);
  if (!window) return 1;
  ItemWindow = window;
  LoadItemSettings();  // the defaults, as an empty settings tree gives them
  FillWeekdayNames();
  SYSTEMTIME today;
  GetLocalTime(&today);
  RefreshMonthGrid(today);
  ReadAlarmState();
  RefreshSystemState();
  RefreshSysInfoTexts();
  for (int i = 0; i < 8; ++i) {  // a row of shortcuts with the system's application icon
    LauncherItem shortcut = {};
    std::swprintf(shortcut.Path, TextSlot, L"Windows\\program%d.exe", i);
    shortcut.Icon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    ItemSettings.Launcher.Items.push_back(shortcut);
  }
  LayoutLauncher(window);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SetBkMode(dc, TRANSPARENT);

  std::printf("Pages at %d dpi, %dx%d, microseconds per call (median of %d x %d)\n", dpi, width,
              height, Samples, Batch);
  std::printf("  PaintCalendarPage   %8.1f\n",
              Measure([&] { PaintCalendarPage(dc, FramePage(window, PageKindCalendar, 0, 0)); }));
  std::printf("  PaintWirelessPage   %8.1f\n",
              Measure([&] { PaintWirelessPage(dc, FramePage(window, PageKindWireless, 0, 0)); }));
  std::printf("  PaintSysInfoPage    %8.1f\n",
              Measure([&] { PaintSysInfoPage(dc, FramePage(window, PageKindSysInfo, 0, 0)); }));
  std::printf("  PaintLauncherPage   %8.1f\n",
              Measure([&] { PaintLauncherPage(dc, FramePage(window, PageKindLauncher, 0, 0)); }));
  std::printf("  RefreshSystemState  %8.1f\n", Measure([] { RefreshSystemState(); }));
  std::printf("  RefreshSysInfoTexts %8.1f\n", Measure([] { RefreshSysInfoTexts(); }));

  ReleaseLauncherIcons();
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ItemWindow = nullptr;
  DestroyWindow(window);
  return 0;
}
