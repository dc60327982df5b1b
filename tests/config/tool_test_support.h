// Helpers of the configuration tool's tests: clean settings trees, a counter
// of the reload broadcast, a device's work area and a fixture that starts the
// tool's real window in this process; the pump, registry and density helpers
// are the shared ones of support/.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/pump.h"
#include "support/registry.h"
#include "support/screen.h"
#include "support/window.h"

using namespace testsupport;

// A top-level window of the test that counts the Today shell's reload.
struct BroadcastCounter {
  BroadcastCounter();
  ~BroadcastCounter();
  int Count() const;
  HWND Window = nullptr;
};

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
