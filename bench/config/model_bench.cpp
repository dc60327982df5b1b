// LoadSettings + SaveSettings alone, on a full settings tree, in process.
// The settings tree and the Today entry are put back as they were afterwards.
// Run: TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/tool_model_bench.exe [runs]
#include <cstdio>
#include <cwchar>

#include "config/model/config_model.h"
#include "support/registry.h"
#include "support/timing.h"

using namespace testsupport;

int wmain(int argc, wchar_t** argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 500;
  const SavedTree tree(HKEY_CURRENT_USER, SettingsRootKey);
  const SavedTree entry(HKEY_LOCAL_MACHINE, TodayItemKey);
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
         MedianOf(load), MedianOf(both), runs);
  return 0;
}
