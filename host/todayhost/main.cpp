// todayhost.exe: the Today shell stand-in. With a display it is a window the
// size of a device screen; with --png it renders the screen once and exits.
#include <windows.h>

#include <cwchar>

#include "host/common/host_log.h"
#include "host/todayhost/host_options.h"
#include "host/todayhost/today_host.h"

namespace {

// Dispatches what is queued now; the headless run has no user to wait for.
void PumpPending() {
  MSG msg;
  for (int i = 0; i < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
    DispatchTopLevel(msg);
}

int RunHeadless(HWND host, const HostOptions& options) {
  PumpPending();
  TickHostItems(options.ticks);
  if (options.select >= 0 && options.select < HostItemCount()) {
    for (int i = 0; i <= options.select; ++i) HostNavigate(VK_DOWN);
  }
  for (int i = 0; i < options.swipe; ++i)
    for (int k = 0; k < HostItemCount(); ++k)
      SendMessageW(HostItemWindow(k), WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0);
  for (int i = 0; i > options.swipe; --i)
    for (int k = 0; k < HostItemCount(); ++k)
      SendMessageW(HostItemWindow(k), WM_TODAYCUSTOM_USERNAVIGATION, VK_LEFT, 0);
  PollItemHeights(false);
  PumpPending();
  wchar_t full[MAX_PATH];
  if (!GetFullPathNameW(options.png, MAX_PATH, full, nullptr))
    wcsncpy(full, options.png, MAX_PATH - 1), full[MAX_PATH - 1] = 0;
  bool ok = CaptureHostPng(host, full);
  if (ok)
    HostLog(L"todayhost: wrote %ls", full);
  else
    HostLog(L"todayhost: could not write %ls", full);
  DestroyWindow(host);
  PumpPending();
  return ok ? 0 : 1;
}

int RunInteractive() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchTopLevel(msg);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HostOptions options;
  wchar_t error[300];
  if (!ParseHostOptions(argc, argv, &options, error, 300)) {
    HostLog(L"todayhost: %ls", error);
    HostLog(L"%ls", HostUsage);
    return 2;
  }
  if (options.root[0] && !SetCurrentDirectoryW(options.root)) {
    HostLog(L"todayhost: no device root %ls", options.root);
    return 2;
  }
  HWND host = CreateTodayHost(options);
  if (!host) {
    HostLog(L"todayhost: cannot create the host window (error %lu)", GetLastError());
    return 1;
  }
  HostLog(L"todayhost: %d item(s)", HostItemCount());
  return options.png[0] ? RunHeadless(host, options) : RunInteractive();
}
