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

namespace {

const wchar_t BenchRoot[] = L"Software\\ToviraHostBench";
const wchar_t BenchItems[] = L"Software\\ToviraHostBench\\Items";

bool WriteEntry(const std::wstring& dll) {
  HKEY key = nullptr;
  std::wstring path = std::wstring(BenchItems) + L"\\Bench";
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const DWORD four = 4, one = 1;
  RegSetValueExW(key, ValDLL, 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                 static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t)));
  RegSetValueExW(key, ValType, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&four), 4);
  RegSetValueExW(key, ValEnabled, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
  RegCloseKey(key);
  return true;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
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
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    dll.assign(self, n < MAX_PATH ? n : 0);
    dll = dll.substr(0, dll.find_last_of(L'\\') + 1) + L"tovira.dll";
  }
  if (!WriteEntry(dll)) return 1;
  HostOptions options;
  DefaultHostOptions(&options);
  CopyText(options.itemsKey, 260, BenchItems);
  HWND host = CreateTodayHost(options);
  int result = 1;
  if (host && HostItemCount() == 1) {
    // A few reloads first, so caches that fill once do not count as growth.
    for (int i = 0; i < 5; ++i) {
      SendMessageW(host, WM_WININICHANGE, ReloadBroadcastParam, 0);
      Pump();
    }
    Usage before = Measure();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < reloads; ++i) {
      SendMessageW(host, WM_WININICHANGE, ReloadBroadcastParam, 0);
      Pump();  // the reload runs from the queue, as in the shell's loop
    }
    QueryPerformanceCounter(&end);
    Usage after = Measure();
    double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                static_cast<double>(frequency.QuadPart);
    printf("%d reloads of %ls: %.2f ms each (load, create, height query, destroy, free)\n",
           reloads, dll.c_str(), ms / reloads);
    // Wine answers GetGuiResources with 0: there only the memory figure tells.
    printf("GDI objects %lu -> %lu, USER objects %lu -> %lu, private memory %zu -> %zu KiB\n",
           before.gdi, after.gdi, before.user, after.user, before.privateBytes / 1024,
           after.privateBytes / 1024);
    result = HostItemCount() == 1 ? 0 : 1;
  } else {
    printf("the item did not load from %ls\n", dll.c_str());
  }
  if (host) DestroyWindow(host);
  Pump();
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, BenchRoot);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, BenchRoot);
  return result;
}
