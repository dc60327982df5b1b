// Shared by todayhost's tests: the sink window that hears the probe items,
// the private item entries and the probe library copies; the pump, registry
// and folder helpers are the shared ones of support/.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

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

// What the probes are told: the height each item reports (default 40), its
// answer to USERNAVIGATION (default FALSE) and to RECEIVEDSELECTION (default
// TRUE).
void SetProbeHeight(const wchar_t* name, DWORD height);
// From fromWidth on (the probe's last width), it reports wideHeight instead,
// as a launcher fits more icons to a row.
void SetProbeWideHeight(const wchar_t* name, int fromWidth, DWORD wideHeight);
void SetProbeNavigationAnswer(const wchar_t* name, bool handled);
void SetProbeSelectionAnswer(const wchar_t* name, bool accepts);
void ResetProbeAnswers();
// A test's start: the sink open, no test entries, no events, default answers.
void StartProbeTest();

// The shared pump hands each message to the host's top-level step.
// Item entries under HKLM in a key of the tests' own, removed by DeleteTestItems.
extern const wchar_t TestItemsRoot[];
extern const wchar_t TestItemsKey[];
// "Selectability" is written unless it is NoSelectability.
constexpr DWORD NoSelectability = 0xFFFFFFFF;
void WriteTestEntry(const wchar_t* name, const std::wstring& dll, DWORD type, DWORD enabled,
                    DWORD order, DWORD options = 1, DWORD selectability = 2);
void DeleteTestItems();

std::wstring ScratchDirectory();  // a private temporary folder (no trailing backslash)
// Copies the probe item library to ScratchDirectory()\relative (folders made).
std::wstring ProbeCopy(const std::wstring& relative);
void DeleteScratch();

// A real tap (press and release through the input queue) at a screen point;
// false when the input was not taken.
bool TapScreenAt(POINT screen);

// A test of the host window in this process, with probe items: the window
// is closed and the entries and scratch files removed after each test.
class HostWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The host on a 240 x 320 screen (framed), reading the tests' entries.
  HWND StartHost(bool fullscreen = false, int width = 240, int height = 320);
  // An item's rectangle in the host's client coordinates.
  static RECT PlaceOf(HWND item);
  HWND host_ = nullptr;
};
