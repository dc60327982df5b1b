// Start-up of tvrcfg.exe to its first paint: the time from CreateProcess to
// the program's first wait for input, which comes after its window has been
// created and painted. Each run is ended with the Cancel soft key.
// Run: TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/tool_startup_bench.exe [runs]
#include <cstdio>
#include <cwchar>
#include <string>

#include "support/files.h"
#include "support/timing.h"

using namespace testsupport;

int wmain(int argc, wchar_t** argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 15;
  const std::wstring exe = BinDir() + L"tvrcfg.exe";
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + exe + L"\"";
    double start = NowMs();
    if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      fprintf(stderr, "cannot start tvrcfg.exe (%lu)\n", GetLastError());
      return 1;
    }
    WaitForInputIdle(process.hProcess, 30000);
    double elapsed = NowMs() - start;
    HWND window = nullptr;
    for (int tries = 0; tries < 3000 && !window; ++tries) {
      window = FindWindowW(L"TVRCFG", L"Tovira");
      if (!window) Sleep(1);
    }
    if (window) PostMessageW(window, WM_COMMAND, 40001, 0);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    times.push_back(elapsed);
  }
  printf("tvrcfg start-up to first paint: median %.1f ms over %d runs\n", MedianOf(times), runs);
  return 0;
}
