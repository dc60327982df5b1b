// Shared by todayhost's tests: the sink window that hears the probe items,
// the private item entries and the probe library copies; the pump, registry
// and folder helpers are the shared ones of support/.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/pump.h"
#include "support/registry.h"
#include "support/window.h"
#include "tests/host/probe_protocol.h"

using namespace testsupport;

struct RecordedEvent {
  ProbeEventCode code;
  std::wstring name;
  long long a;
  long long b;
};

// The sink window lives for the whole test program.
void StartProbeSink();
std::vector<RecordedEvent>& ProbeEvents();
void ClearProbeEvents();
int CountEvents(ProbeEventCode code, const wchar_t* name = nullptr);
std::wstring DescribeEvents();  // for failure messages

// What the probes are told: the height each item reports (default 40) and its
// answer to USERNAVIGATION (default FALSE).
void SetProbeHeight(const wchar_t* name, DWORD height);
void SetProbeNavigationAnswer(const wchar_t* name, bool handled);
void ResetProbeAnswers();
// A test's start: the sink open, no test entries, no events, default answers.
void StartProbeTest();

// The shared pump hands each message to the host's top-level step.
// Item entries under HKLM in a key of the tests' own, removed by DeleteTestItems.
extern const wchar_t TestItemsRoot[];
extern const wchar_t TestItemsKey[];
void WriteTestEntry(const wchar_t* name, const std::wstring& dll, DWORD type, DWORD enabled,
                    DWORD order, DWORD options = 1);
void DeleteTestItems();

std::wstring ScratchDirectory();  // a private temporary folder (no trailing backslash)
// Copies the probe item library to ScratchDirectory()\relative (folders made).
std::wstring ProbeCopy(const std::wstring& relative);
void DeleteScratch();
