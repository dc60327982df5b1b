// Implementation of the item tests' support; see the header.
#include "support/item_test_support.h"

#include <windowsx.h>

namespace itemtest {

ProbeLog::ProbeLog(const ScratchDir& dir) : folder_(dir.Path()), path_(dir.File(L"probe.log")) {
  DeleteFileW(path_.c_str());
  SetEnvironmentVariableW(L"TOVIRA_PROBE_LOG", path_.c_str());
}

ProbeLog::~ProbeLog() { SetEnvironmentVariableW(L"TOVIRA_PROBE_LOG", nullptr); }

bool ProbeLog::WaitForLines(size_t count, DWORD timeoutMs) const {
  return PumpUntil([&] { return Lines().size() >= count; }, timeoutMs);
}

std::wstring ProbeLog::Program(const std::wstring& name) const {
  CopyFromBin(L"probe.exe", folder_ + name);
  return folder_ + name;
}

std::vector<std::wstring> ProbeLog::Started() const {
  std::vector<std::wstring> started;
  for (const std::wstring& line : Lines()) started.push_back(line.substr(0, line.find(L'|')));
  return started;
}

static ShellLog shellLog;
ShellLog& Shell() { return shellLog; }

static LRESULT CALLBACK ShellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TODAYM_GETCOLOR:
      ++shellLog.ColorRequests;
      shellLog.LastColorAsked = wParam;
      return wParam == TODAYCOLOR_HIGHLIGHT ? ShellHighlight : RGB(0, 0, 0);
    case TODAYM_DRAWWATERMARK: {
      ++shellLog.WatermarkRequests;
      auto* info = reinterpret_cast<TODAYDRAWWATERMARKINFO*>(lParam);
      if (!info) return FALSE;
      HBRUSH brush = CreateSolidBrush(ShellWatermark);
      FillRect(info->hdc, &info->rc, brush);
      DeleteObject(brush);
      return TRUE;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND CreateShellWindow(int width, int height) {
  shellLog = ShellLog{};
  // One shell for the whole program: a top-level window costs Wine seconds to come and go.
  static HWND shell = nullptr;
  if (!shell || !IsWindow(shell))
    shell = OpenWindow(L"ToviraTestShell", L"Today", WS_POPUP | WS_VISIBLE, width, height,
                       ShellProc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetWindowPos(shell, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  PumpPending();
  return shell;
}

ItemLibrary::ItemLibrary(const ScratchDir& dir, bool withTool) : dllPath_(dir.File(L"tovira.dll")) {
  CopyFromBin(L"tovira.dll", dllPath_);
  if (withTool) CopyFromBin(L"probe.exe", dir.File(L"tvrcfg.exe"));
  module_ = LoadLibraryW(dllPath_.c_str());
}

ItemLibrary::~ItemLibrary() {
  if (module_) FreeLibrary(module_);
}

PFNCUSTOMINITIALIZEITEM ItemLibrary::Initialize() const {
  return reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(
      reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(ORDINAL_INITIALIZEITEM))));
}

DLGPROC ItemLibrary::DialogProc() const {
  return reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(OptionsProc()));
}

PFNCUSTOMOPTIONSDLGPROC ItemLibrary::OptionsProc() const {
  return reinterpret_cast<PFNCUSTOMOPTIONSDLGPROC>(reinterpret_cast<void*>(
      GetProcAddress(module_, MAKEINTRESOURCEA(ORDINAL_OPTIONSDIALOGPROC))));
}

HWND CreateItem(const ItemLibrary& library, HWND shell, int width, TODAYLISTITEM* record) {
  PFNCUSTOMINITIALIZEITEM init = library.Initialize();
  if (!init) return nullptr;
  HWND item = init(record, shell);
  if (!item) return nullptr;
  // As the shell does: ask the height, then give the item its strip.
  SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(record), 0);
  SetWindowPos(item, nullptr, 0, 0, width, static_cast<int>(record->cyp), SWP_NOZORDER);
  PumpPending();
  return item;
}

LPARAM PointAt(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                    static_cast<WORD>(static_cast<short>(y)));
}

void Tap(HWND item, int x, int y) {
  SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(x, y));
  SendMessageW(item, WM_LBUTTONUP, 0, PointAt(x, y));
}

void Drag(HWND item, int fromX, int toX, int y) {
  SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(fromX, y));
  SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(toX, y));
  SendMessageW(item, WM_LBUTTONUP, 0, PointAt(toX, y));
}

COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

}  // namespace itemtest
