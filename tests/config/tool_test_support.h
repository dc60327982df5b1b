// Helpers of the configuration tool's tests: registry snapshots and clean
// trees, a bounded message pump, a counter of the reload broadcast, and a
// fixture that starts the tool's real window in this process.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

struct StoredValue {
  DWORD Type;
  std::vector<BYTE> Data;
  bool operator==(const StoredValue& o) const { return Type == o.Type && Data == o.Data; }
};
// Every key (as "path\") and value (as "path\name") below a root path.
using RegistrySnapshot = std::map<std::wstring, StoredValue>;

RegistrySnapshot TakeSnapshot(HKEY root, const std::wstring& path);
void RestoreSnapshot(HKEY root, const std::wstring& path, const RegistrySnapshot& snapshot);
void DeleteTree(HKEY root, const std::wstring& path);

void PutDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);
void PutText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text);
void PutRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
            DWORD size);
bool GetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* value,
              DWORD* type = nullptr);
bool GetText(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* text);
bool ValueExists(HKEY root, const std::wstring& path, const wchar_t* name);
int ValueCount(HKEY root, const std::wstring& path);

std::wstring PageKey(const wchar_t* page);  // Software\Sorlin\Tovira\<page>

// Pumps this thread's messages until done() or the deadline; true if done.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
void PumpPending();

// A top-level window of the test that counts the Today shell's reload.
struct BroadcastCounter {
  BroadcastCounter();
  ~BroadcastCounter();
  int Count() const;
  HWND Window = nullptr;
};

int ScreenDpiX();
int ScreenDpiY();
int Px(int units);  // horizontal 96-dpi units to pixels at this screen
int Py(int units);

// While it lives, the work area is a device's screen (240x320 at 96 dpi,
// scaled to this density) below a task bar of topBar pixels: the tool takes
// the work area as its full screen.
struct DeviceWorkArea {
  explicit DeviceWorkArea(int topBar = 0);
  ~DeviceWorkArea();
  RECT Area;
  RECT Saved;
};

// Keeps the settings tree and the Today entry as they were around a test,
// each test starting from none of both.
class CleanRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  RegistrySnapshot savedUser_;
  RegistrySnapshot savedMachine_;
};

// Starts the tool's window in this process (start-up steps 1 to 7).
class ToolWindowTest : public CleanRegistryTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  void StartWindow();
  void Command(int id);
  void Click(HWND button);
  void Select(HWND list, int row);
  void DoubleTap(HWND list);
  std::wstring Text(HWND control);
  std::wstring Cell(HWND list, int row, int column);
  RECT ClientRectOf(HWND control);  // in the main window's client coordinates
  bool Visible(HWND control);
  bool Enabled(HWND control);
  HWND window_ = nullptr;
};
