// How long todayhost takes to reload its items on the 0xF2 broadcast, and
// whether anything grows across reloads (GDI and USER objects, memory).
// Run by hand:  scripts/wine-run build/bin/todayhost_reload_bench.exe [reloads] [item.dll]
// The item defaults to tovira.dll beside the program; its entry lives in a
// key of the benchmark's own, removed at the end.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "common/registry_names.h"
#include "host/todayhost/text_util.h"
#include "host/todayhost/today_host.h"
#include "support/files.h"
#include "support/pump.h"
#include "support/registry.h"
#include "support/timing.h"

using namespace testsupport;

namespace {

const wchar_t BenchRoot[] = L"Software\\ToviraHostBench";
const wchar_t BenchItems[] = L"Software\\ToviraHostBench\\Items";

bool WriteEntry(const std::wstring& dll) {
  const std::wstring path = std::wstring(BenchItems) + L"\\Bench";
  return PutText(HKEY_LOCAL_MACHINE, path, ValDLL, dll) &&
         PutDword(HKEY_LOCAL_MACHINE, path, ValType, 4) &&
         PutDword(HKEY_LOCAL_MACHINE, path, ValEnabled, 1);
}

struct Usage {
  DWORD gdi, user;
  SIZE_T privateBytes;
};

Usage Measure() {
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  pmc.cb = sizeof(pmc);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                       sizeof(pmc));
  // Wine leaves PrivateUsage at 0; the page-file figure is the same quantity.
  SIZE_T privateBytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
  return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
          GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), privateBytes};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int reloads = argc > 1 ? _wtoi(argv[1]) : 200;
  if (reloads < 1) reloads = 1;
  std::wstring dll;
  if (argc > 2) {
    dll = argv[2];
  } else {
    dll = BinDir() + L"tovira.dll";
  }
  if (!WriteEntry(dll)) return 1;
  // The pump is the shell's top-level loop: the reload is carried out there.
  SetPumpStep(DispatchTopLevel);
  HostOptions options;
  DefaultHostOptions(&options);
  CopyText(options.itemsKey, 260, BenchItems);
  HWND host = CreateTodayHost(options);
  int result = 1;
  if (host && HostItemCount() == 1) {
    // A few reloads first, so caches that fill once do not count as growth.
    for (int i = 0; i < 5; ++i) {
      SendMessageW(host, WM_WININICHANGE, ReloadBroadcastParam, 0);
      PumpPending();
    }
    Usage before = Measure();
    const double start = NowMs();
    for (int i = 0; i < reloads; ++i) {
      SendMessageW(host, WM_WININICHANGE, ReloadBroadcastParam, 0);
      PumpPending();  // the reload runs from the queue, as in the shell's loop
    }
    const double ms = NowMs() - start;
    Usage after = Measure();
    printf("%d reloads of %ls: %.2f ms each (load, create, height query, destroy, free)\n", reloads,
           dll.c_str(), ms / reloads);
    // Wine answers GetGuiResources with 0: there only the memory figure tells.
    printf("GDI objects %lu -> %lu, USER objects %lu -> %lu, private memory %llu -> %llu KiB\n",
           before.gdi, after.gdi, before.user, after.user,
           static_cast<unsigned long long>(before.privateBytes / 1024),
           static_cast<unsigned long long>(after.privateBytes / 1024));
    result = HostItemCount() == 1 ? 0 : 1;
  } else {
    printf("the item did not load from %ls\n", dll.c_str());
  }
  if (host) DestroyWindow(host);
  PumpPending();
  DeleteTree(HKEY_LOCAL_MACHINE, BenchRoot);
  return result;
}
