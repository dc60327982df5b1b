// Endurance: the real todayhost window, in this process, reloading the real
// tovira.dll on the 0xF2 broadcast a thousand times. Private bytes, handles
// and GDI/USER objects at start, after 50 reloads and at the end.
//   TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/soak_reload.exe [reloads [library [cold]]]
// Another library of the build (the host tests' host_probe_item.dll) may stand in
// for tovira.dll, to tell the item's own growth from the loader's.
// The system libraries the item imports and the host does not (comctl32,
// shell32, msimg32) are kept loaded for the run, as they are in the device's
// shell process; otherwise every reload loads and frees them with the item,
// and Wine keeps about a quarter KiB each time. "cold" as the third argument
// leaves them to come and go with the item.
// The item entry is written under a key of its own and removed afterwards.
#include <cstdio>
#include <cwchar>
#include <initializer_list>

#include "bench/soak/soak_common.h"
#include "bench/soak/soak_counters.h"
#include "host/todayhost/today_host.h"

static const wchar_t ItemsKey[] = L"Software\\Microsoft\\Today\\SoakItems";

static void WriteEntry(const std::wstring& dll) {
  const std::wstring path = std::wstring(ItemsKey) + L"\\Tovira";
  PutText(HKEY_LOCAL_MACHINE, path, L"DLL", dll);
  PutDword(HKEY_LOCAL_MACHINE, path, L"Type", 4);
  PutDword(HKEY_LOCAL_MACHINE, path, L"Enabled", 1);
  for (const wchar_t* name : {L"Options", L"Order", L"Flags"})
    PutDword(HKEY_LOCAL_MACHINE, path, name, 0);
}

int wmain(int argc, wchar_t** argv) {
  const int reloads = argc > 1 ? _wtoi(argv[1]) : 1000;
  const std::wstring library = argc > 2 ? argv[2] : L"tovira.dll";
  const bool cold = argc > 3 && wcscmp(argv[3], L"cold") == 0;
  if (!cold) {
    for (const wchar_t* system : {L"comctl32.dll", L"shell32.dll", L"msimg32.dll"})
      LoadLibraryW(system);
  }
  ScratchDir root(L"tovira-soak-reload");
  const std::wstring folder = root.Path() + L"Program Files\\Tovira\\";
  CreateDirectoryW((root.Path() + L"Program Files").c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  if (!CopyFileW((BinDir() + library).c_str(), (folder + L"tovira.dll").c_str(), FALSE)) {
    std::fprintf(stderr, "no %ls beside this program\n", library.c_str());
    return 1;
  }
  WriteEntry(L"\\Program Files\\Tovira\\tovira.dll");

  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(root.Path().c_str());
  // The pump is the shell's top-level loop: the reload is carried out there.
  SetPumpStep(DispatchTopLevel);
  HostOptions options;
  DefaultHostOptions(&options);
  wcsncpy(options.itemsKey, ItemsKey, 259);
  HWND host = CreateTodayHost(options);
  SetCurrentDirectoryW(previous);
  if (!host || HostItemCount() != 1) {
    std::fprintf(stderr, "the host did not load the item\n");
    return 1;
  }
  PumpPending();
  std::printf("todayhost reloading %ls %d times (0xF2 broadcast to the host window)%s\n",
              library.c_str(), reloads, cold ? ", system libraries coming and going with it" : "");
  const ProcessFigures start = TakeFigures();
  PrintFigures("start", start);
  ProcessFigures warm = start;
  bool lost = false;
  const double began = NowMicroseconds();
  for (int i = 1; i <= reloads && !lost; ++i) {
    const int before = HostReloadCount();
    SendMessageW(host, WM_WININICHANGE, 0xF2, 0);
    lost = !PumpUntil([&] { return HostReloadCount() > before && HostItemCount() == 1; }, 10000);
    // The shell paints the new item once, as it would after a reload.
    RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (i == 50) PrintFigures("after 50 reloads", warm = TakeFigures());
  }
  const double seconds = (NowMicroseconds() - began) / 1e6;
  if (lost) std::printf("  a reload did not complete within 10 s\n");
  const ProcessFigures end = TakeFigures();
  PrintFigures("end", end);
  std::printf("  %.1f s in all, %.2f ms a reload\n", seconds, seconds * 1000.0 / reloads);
  const bool ok = PrintGrowth(warm, end);
  DestroyWindow(host);
  PumpPending();
  DeleteTree(HKEY_LOCAL_MACHINE, ItemsKey);
  return ok && !lost ? 0 : 2;
}
