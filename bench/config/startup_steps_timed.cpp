// The start-up benchmark's copy of the tool (tvrcfg_steps.exe) notes its
// start-up's steps: one line per step, the performance counter at its end
// and its name. Linked before the tool's library, it stands in for the
// program's own functions, which note nothing.
#include "config/ui/startup_steps.h"

#include <windows.h>

#include <cstdio>

namespace {

struct StepMark {
  const char* Step;
  LONGLONG Counter;
};

constexpr int MarkSlots = 64;
StepMark Marks[MarkSlots];
int MarkCount = 0;
bool Reported = false;

}  // namespace

void MarkStartupStep(const char* step) {
  if (Reported || MarkCount >= MarkSlots) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  Marks[MarkCount++] = {step, now.QuadPart};
}

void ReportStartupSteps() {
  if (Reported) return;
  Reported = true;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (!out || out == INVALID_HANDLE_VALUE) return;
  for (int i = 0; i < MarkCount; ++i) {
    char line[160];
    int length = snprintf(line, sizeof(line), "%lld %s\n", Marks[i].Counter, Marks[i].Step);
    if (length <= 0) continue;
    if (length >= static_cast<int>(sizeof(line))) length = sizeof(line) - 1;
    DWORD written = 0;
    WriteFile(out, line, static_cast<DWORD>(length), &written, nullptr);
  }
}
