// LoadSettings + SaveSettings alone, on a full settings tree, in process.
// A tree that was not there before the run is removed afterwards.
// Run: TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/tool_model_bench.exe [runs]
#include <cstdio>
#include <cwchar>

#include "bench/config/bench_support.h"
#include "config/model/config_model.h"

static bool KeyExists(HKEY root, const wchar_t* path) {
  HKEY key;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

int wmain(int argc, wchar_t** argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 500;
  bool hadTree = KeyExists(HKEY_CURRENT_USER, SettingsRootKey);
  bool hadEntry = KeyExists(HKEY_LOCAL_MACHINE, TodayItemKey);
  LoadSettings();
  for (int i = 0; i < 8; ++i) AppendPath(&Model.LauncherFiles, L"Windows\\Start Menu\\x.lnk");
  SaveSettings();  // a full tree, with a list of eight files
  std::vector<double> load, both;
  for (int i = 0; i < runs; ++i) {
    double start = NowMs();
    LoadSettings();
    double loaded = NowMs();
    SaveSettings();
    double saved = NowMs();
    load.push_back(loaded - start);
    both.push_back(saved - start);
  }
  printf("LoadSettings: median %.3f ms; LoadSettings + SaveSettings: median %.3f ms (%d runs)\n",
         Median(load), Median(both), runs);
  // RegDeleteTreeW removes the key with everything below it.
  if (!hadTree) RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey);
  if (!hadEntry) RegDeleteTreeW(HKEY_LOCAL_MACHINE, TodayItemKey);
  return 0;
}
