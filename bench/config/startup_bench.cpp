// Start-up of tvrcfg.exe to its first paint, against a reference: the tool's
// own window with every control its start-up creates, left empty
// (tool_startup_reference.exe). Each time runs from CreateProcess to the
// program's first wait for input, which comes after its window has been
// created and painted; each run is ended with the Cancel soft key. The three
// programs take turns in every round, each first in every third round, so a
// busy machine slows them alike.
//
// The third program, tvrcfg_steps.exe, is the tool linked with its start-up
// steps timed (startup_steps_timed.cpp): it writes when each start-up step ended (the
// performance counter, which every process of the machine shares), and the
// table gives each step's median time, the first from CreateProcess.
// Run: TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/tool_startup_bench.exe [runs]
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "support/files.h"
#include "support/timing.h"

using namespace testsupport;

namespace {

struct Run {
  double Ms = 0;       // to the first wait for input
  std::string Output;  // what the program wrote
  LONGLONG Start = 0;  // performance counter at CreateProcess
};

double CounterMs(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string ReadAll(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
  return text;
}

// Starts the program, times it to its first wait for input, and ends it
// with the Cancel soft key; with capture its standard output is kept.
bool RunOnce(const std::wstring& exe, bool capture, Run* run) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (capture) {
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  }
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  if (capture) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
  }
  PROCESS_INFORMATION process = {};
  std::wstring command = L"\"" + exe + L"\"";
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  BOOL started = CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, capture, 0, nullptr,
                                nullptr, &startup, &process);
  if (started) {
    WaitForInputIdle(process.hProcess, 30000);
    LARGE_INTEGER idle;
    QueryPerformanceCounter(&idle);
    run->Ms = CounterMs(idle.QuadPart - start.QuadPart);
    run->Start = start.QuadPart;
    HWND window = nullptr;
    for (int tries = 0; tries < 3000 && !window; ++tries) {
      window = FindWindowW(L"TVRCFG", L"Tovira");
      if (!window) Sleep(1);
    }
    if (window) PostMessageW(window, WM_COMMAND, 40001, 0);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    fwprintf(stderr, L"cannot start %ls (%lu)\n", exe.c_str(), GetLastError());
  }
  if (capture) {
    CloseHandle(writeEnd);
    run->Output = ReadAll(readEnd);
    CloseHandle(readEnd);
  }
  return started != FALSE;
}

// Each step's time in ms, in the order the program ended them: the first
// from CreateProcess, the last up to the first wait for input.
std::vector<std::pair<std::string, double>> StepTimes(const Run& run) {
  std::vector<std::pair<std::string, double>> steps;
  LONGLONG previous = run.Start;
  size_t at = 0;
  while (at < run.Output.size()) {
    size_t end = run.Output.find('\n', at);
    if (end == std::string::npos) end = run.Output.size();
    std::string line = run.Output.substr(at, end - at);
    at = end + 1;
    size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    LONGLONG counter = std::strtoll(line.c_str(), nullptr, 10);
    steps.push_back({line.substr(blank + 1), CounterMs(counter - previous)});
    previous = counter;
  }
  double marked = CounterMs(previous - run.Start);
  steps.push_back({"to the first wait for input", run.Ms - marked});
  return steps;
}

struct StepColumn {
  std::string Name;
  std::vector<double> Times;
};

// A step marked more than once in a run (one per list) counts as their sum.
void AddSteps(std::vector<StepColumn>* table, const Run& run) {
  std::vector<StepColumn> thisRun;
  for (const auto& step : StepTimes(run)) {
    StepColumn* column = nullptr;
    for (StepColumn& c : thisRun)
      if (c.Name == step.first) column = &c;
    if (column)
      column->Times[0] += step.second;
    else
      thisRun.push_back({step.first, {step.second}});
  }
  for (const StepColumn& step : thisRun) {
    StepColumn* column = nullptr;
    for (StepColumn& c : *table)
      if (c.Name == step.Name) column = &c;
    if (!column) {
      table->push_back({step.Name, {}});
      column = &table->back();
    }
    column->Times.push_back(step.Times[0]);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 15;
  if (runs < 1) runs = 1;
  const std::wstring tool = BinDir() + L"tvrcfg.exe";
  const std::wstring reference = BinDir() + L"tool_startup_reference.exe";
  const std::wstring steps = BinDir() + L"tvrcfg_steps.exe";
  std::vector<double> toolTimes, referenceTimes, stepsTimes;
  std::vector<StepColumn> table;
  for (int i = 0; i < runs; ++i) {
    // Each program goes first in every third round: the first start of a
    // round pays for what the others then find ready.
    for (int turn = 0; turn < 3; ++turn) {
      Run run;
      switch ((i + turn) % 3) {
        case 0:
          if (!RunOnce(reference, false, &run)) return 1;
          referenceTimes.push_back(run.Ms);
          break;
        case 1:
          if (!RunOnce(tool, false, &run)) return 1;
          toolTimes.push_back(run.Ms);
          break;
        default:
          if (!RunOnce(steps, true, &run)) return 1;
          stepsTimes.push_back(run.Ms);
          AddSteps(&table, run);
          break;
      }
    }
  }
  const double toolMedian = MedianOf(toolTimes);
  const double referenceMedian = MedianOf(referenceTimes);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  printf("start-up to first paint at %d dpi, medians of %d runs\n", dpi, runs);
  printf("  reference (empty window):  %7.1f ms\n", referenceMedian);
  printf("  tvrcfg.exe:                %7.1f ms\n", toolMedian);
  printf("  ratio tvrcfg / reference:  %7.2f\n",
         referenceMedian > 0 ? toolMedian / referenceMedian : 0);
  printf("\nwhere tvrcfg_steps.exe's %.1f ms go (median of each step):\n", MedianOf(stepsTimes));
  for (const StepColumn& column : table)
    printf("  %-48s %7.2f ms\n", column.Name.c_str(), MedianOf(column.Times));
  return 0;
}
