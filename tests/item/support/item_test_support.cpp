// Implementation of the item tests' support; see the header.
#include "support/item_test_support.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/registry_names.h"

namespace itemtest {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    PumpPending();
    if (done()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return done();
    DWORD wait = timeoutMs - elapsed;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait < 20 ? wait : 20, QS_ALLINPUT);
  }
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

static std::wstring KeyPath(const wchar_t* subkey) {
  std::wstring path = SettingsRootKey;
  if (subkey && subkey[0]) path += std::wstring(L"\\") + subkey;
  return path;
}

void SetRaw(const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(subkey).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void SetDword(const wchar_t* subkey, const wchar_t* name, DWORD value) {
  SetRaw(subkey, name, REG_DWORD, &value, sizeof(value));
}

void SetText(const wchar_t* subkey, const wchar_t* name, const std::wstring& text) {
  SetRaw(subkey, name, REG_SZ, text.c_str(),
         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void WipeSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey); }

static int ScreenCaps(int index) {
  HDC dc = GetDC(nullptr);
  int value = GetDeviceCaps(dc, index);
  ReleaseDC(nullptr, dc);
  return value;
}
int DpiX() { return ScreenCaps(LOGPIXELSX); }
int DpiY() { return ScreenCaps(LOGPIXELSY); }

ScratchDir::ScratchDir(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() {
  // Double-terminated list for SHFileOperation, without the trailing backslash.
  std::wstring from = path_.substr(0, path_.size() - 1);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
}

std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

bool CopyFromBin(const wchar_t* binName, const std::wstring& to) {
  return CopyFileW((BinDir() + binName).c_str(), to.c_str(), FALSE) != 0;
}

ProbeLog::ProbeLog(const ScratchDir& dir) : path_(dir.File(L"probe.log")) {
  DeleteFileW(path_.c_str());
  SetEnvironmentVariableW(L"TOVIRA_PROBE_LOG", path_.c_str());
}

ProbeLog::~ProbeLog() { SetEnvironmentVariableW(L"TOVIRA_PROBE_LOG", nullptr); }

std::vector<std::wstring> ProbeLog::Lines() const {
  std::vector<std::wstring> lines;
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  size_t start = 0;
  for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = bytes.substr(start, end - start);
    int n = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &wide[0], n);
    lines.push_back(wide);
  }
  return lines;
}

bool ProbeLog::WaitForLines(size_t count, DWORD timeoutMs) const {
  return PumpUntil([&] { return Lines().size() >= count; }, timeoutMs);
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
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND CreateShellWindow(int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ShellProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"ToviraTestShell";
    registered = RegisterClassW(&wc) != 0;
  }
  shellLog = ShellLog{};
  // One shell for the whole program: a top-level window costs Wine seconds to come and go.
  static HWND shell = nullptr;
  if (!shell || !IsWindow(shell))
    shell = CreateWindowExW(0, L"ToviraTestShell", L"Today", WS_POPUP | WS_VISIBLE, 0, 0, width,
                            height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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
