// The screen window's measures and its following of the display.
#include "host/todayhost/screen_window.h"

#include "platform/device_facts.h"

SIZE ClientSizeOf(HWND window) {
  RECT rc = {};
  GetClientRect(window, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

int ScreenDensity() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : ScreenBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : ScreenBaseDpi;
}

void FitToScreen(HWND window, bool fullscreen) {
  int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  if (cx <= 0 || cy <= 0 || !IsWindow(window)) return;
  if (fullscreen) {
    SetWindowPos(window, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // A framed screen on a larger desktop turns with it: its sides swap when
  // it stands otherwise than the display.
  RECT rc;
  GetClientRect(window, &rc);
  if ((rc.right > rc.bottom) == (cx > cy) || rc.right == rc.bottom) return;
  RECT frame = {0, 0, rc.bottom, rc.right};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                     GetMenu(window) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}
