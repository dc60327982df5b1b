// Shared by the installer tests: the top-level sink window that counts the
// reload broadcasts and hears the test items, the Today entry's registry
// state, scratch folders and child programs; the pump, registry and file
// helpers are the shared ones of support/.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/pump.h"
#include "support/registry.h"
#include "support/window.h"

using namespace testsupport;

struct SinkEvent {
  enum Kind { Signal, Loaded, Unloaded } kind;
  int version;    // Loaded / Unloaded: the item's version
  WPARAM wParam;  // Signal: the broadcast's parameters
  LPARAM lParam;
  std::wstring state;  // Signal: what the test's observer saw at that moment
};

// The sink lives for the whole program; events are kept until cleared.
void StartSink();
std::vector<SinkEvent>& SinkEvents();
void ClearSinkEvents();
int CountSignals();
int CountEvents(SinkEvent::Kind kind, int version);
std::wstring DescribeEvents();  // for failure messages

// Called inside the sink when a reload broadcast arrives, while the sender
// still waits: its text is stored with the event. Empty: nothing recorded.
void SetSignalObserver(std::function<std::wstring()> observer);

// HKLM\Software\Microsoft\Today\Items\Tovira.
bool EntryExists();
bool ReadEntryDword(const wchar_t* name, DWORD* value);
std::wstring ReadEntryText(const wchar_t* name);
void WriteEntryDword(const wchar_t* name, DWORD value);
void WriteEntryText(const wchar_t* name, const wchar_t* text);
void DeleteEntry();
// "exists Enabled=0" / "missing": the entry as a line for event states.
std::wstring DescribeEntry();

std::wstring TestDataDirectory();  // the package description and shortcuts, copied by the build
std::wstring ScratchDirectory();   // private temporary folder, made on demand
bool CopyInto(const std::wstring& from, const std::wstring& to);

struct ProgramRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::wstring output;  // standard output and error together
  bool finished = false;
};
// Runs a program of bin/ with arguments in folder, pumping messages (so the
// sink answers broadcasts) until it ends or timeoutMs passes.
ProgramRun RunProgram(const std::wstring& exe, const std::wstring& arguments,
                      const std::wstring& folder, DWORD timeoutMs);
