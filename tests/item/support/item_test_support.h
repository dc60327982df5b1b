// Support for the item's tests: a bounded message pump, the settings tree
// written and wiped through the real registry, the real tovira.dll loaded from
// a scratch folder inside a stand-in Today shell window, and the probe
// program whose log shows what the item started.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/today.h"

namespace itemtest {

// Pumps this thread's messages until done() holds or the deadline passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
void PumpPending();

// The settings tree under HKCU; subkey "" is the root, else a page's key name.
void SetDword(const wchar_t* subkey, const wchar_t* name, DWORD value);
void SetText(const wchar_t* subkey, const wchar_t* name, const std::wstring& text);
void SetRaw(const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data, DWORD size);
void WipeSettings();  // deletes the whole tree

// Wipes the tree before and after each test: tests leave the registry as they found it.
class SettingsScope {
 public:
  SettingsScope() { WipeSettings(); }
  ~SettingsScope() { WipeSettings(); }
};

// The screen's resolutions and the n x dpi / 96 rule of the defaults.
int DpiX();
int DpiY();
inline int ByDpiX(int n) { return n * DpiX() / 96; }
inline int ByDpiY(int n) { return n * DpiY() / 96; }

// A scratch folder under %TEMP%, removed with everything in it.
class ScratchDir {
 public:
  explicit ScratchDir(const std::wstring& name);
  ~ScratchDir();
  const std::wstring& Path() const { return path_; }  // with trailing backslash
  std::wstring File(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

// The build's bin folder (where this test program and tovira.dll live).
std::wstring BinDir();
bool CopyFromBin(const wchar_t* binName, const std::wstring& to);

// The probe's log: every start appends "module path|command line".
class ProbeLog {
 public:
  explicit ProbeLog(const ScratchDir& dir);
  ~ProbeLog();
  std::vector<std::wstring> Lines() const;
  bool WaitForLines(size_t count, DWORD timeoutMs = 15000) const;
  // The module paths of the started programs, in log order.
  std::vector<std::wstring> Started() const;
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
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
