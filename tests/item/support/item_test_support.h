// Support for the item's tests: the shared pump, registry, folders and
// density (support/), the real tovira.dll loaded from a scratch folder inside
// a stand-in Today shell window, and the probe program whose log shows what
// the item started.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/today.h"
#include "support/files.h"
#include "support/pump.h"
#include "support/registry.h"
#include "support/screen.h"
#include "support/window.h"

namespace itemtest {

using namespace testsupport;

// Wipes the tree before and after each test: tests leave the registry as they found it.
class SettingsScope {
 public:
  SettingsScope() { WipeSettings(); }
  ~SettingsScope() { WipeSettings(); }
};

// The probe's log: every start appends "module path|command line".
class ProbeLog {
 public:
  explicit ProbeLog(const ScratchDir& dir);
  ~ProbeLog();
  std::vector<std::wstring> Lines() const { return ReadLines(path_); }
  bool WaitForLines(size_t count, DWORD timeoutMs = 15000) const;
  // The module paths of the started programs, in log order.
  std::vector<std::wstring> Started() const;
  // Copies the probe into the log's folder as that program; gives its path.
  std::wstring Program(const std::wstring& name) const;
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring folder_, path_;
};

// The stand-in Today shell: a top-level window that answers the item's two
// requests and counts them. One per program, resized and its log reset on each call.
struct ShellLog {
  int WatermarkRequests = 0;
  int ColorRequests = 0;
  WPARAM LastColorAsked = 0;
};
constexpr COLORREF ShellHighlight = RGB(0x20, 0x40, 0xC0);
constexpr COLORREF ShellWatermark = RGB(0x10, 0x80, 0x10);
HWND CreateShellWindow(int width, int height);
ShellLog& Shell();

// The real tovira.dll, copied into a folder and loaded from there.
class ItemLibrary {
 public:
  // withTool copies the probe beside the library as "tvrcfg.exe".
  ItemLibrary(const ScratchDir& dir, bool withTool);
  ~ItemLibrary();
  HMODULE Module() const { return module_; }
  PFNCUSTOMINITIALIZEITEM Initialize() const;
  PFNCUSTOMOPTIONSDLGPROC OptionsProc() const;
  DLGPROC DialogProc() const;  // the same, as DialogBoxParam takes it
  const std::wstring& DllPath() const { return dllPath_; }

 private:
  HMODULE module_ = nullptr;
  std::wstring dllPath_;
};

// Creates the item in the shell, sizes it to width x its reported height.
HWND CreateItem(const ItemLibrary& library, HWND shell, int width, TODAYLISTITEM* record);

// Pointer messages as the system sends them (client coordinates, signed).
LPARAM PointAt(int x, int y);
void Tap(HWND item, int x, int y);
void Drag(HWND item, int fromX, int toX, int y);

// The colour of a client pixel of a window after it painted.
COLORREF PixelOf(HWND window, int x, int y);

}  // namespace itemtest
