// A stand-in for one of the device's own programs (clock, calendar, wireless
// manager): a small window that says which program a tap started, and with
// which command line, so a tap on the item visibly starts something. As a
// program on the device it covers the screen above the soft keys, and
// follows the screen when it turns.
#include <windows.h>

#include <cwchar>

#include "platform/menubar.h"
#include "platform/rotation.h"

#ifndef STUB_FILE
#error "STUB_FILE (the device program's file name) must be defined"
#endif
#ifndef STUB_ROLE
#error "STUB_ROLE (what the device program is) must be defined"
#endif

namespace {

wchar_t g_text[1024];

void OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  InflateRect(&rc, -8, -8);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, g_text, -1, &rc, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

// The screen above the soft keys, the window's frame included, so its close
// box stays on the screen.
void FitAboveSoftKeys(HWND hwnd) {
  RECT area = FullScreenArea();
  MoveWindow(hwnd, area.left, area.top, area.right - area.left,
             area.bottom - area.top - SoftKeyBarHeight(), TRUE);
}

LRESULT CALLBACK StubProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      OnPaint(hwnd);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(hwnd);
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam == SETTINGCHANGE_RESET || wParam == SPI_SETWORKAREA) FitAboveSoftKeys(hwnd);
      return 0;
    case WM_DISPLAYCHANGE:
      FitAboveSoftKeys(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  swprintf(g_text, 1024, L"%ls\n\n%ls: the device's own program, standing in.\n\nStarted as:\n%ls",
           STUB_FILE, STUB_ROLE, GetCommandLineW());
  WNDCLASSW wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;  // the text wraps anew at every size
  wc.lpfnWndProc = StubProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));  // the program's own picture
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"ToviraDeviceStub";
  if (!RegisterClassW(&wc)) return 1;
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, STUB_FILE, WS_OVERLAPPEDWINDOW, 0, 0, 240, 200,
                              nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  FitAboveSoftKeys(hwnd);
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
