// Turning the screen and following it.
#include "host/todayhost/screen_turn.h"

#include <cwchar>

#include "platform/rotation.h"

void OrientedScreenSize(int dpi, bool landscape, int* width, int* height) {
  if (dpi < 1 || dpi > 2000) dpi = 96;
  int shortSide = 240 * dpi / 96, longSide = 320 * dpi / 96;
  *width = landscape ? longSide : shortSide;
  *height = landscape ? shortSide : longSide;
}

int ScreenDensity() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

bool ParseOrientation(const wchar_t* text, bool* landscape) {
  if (!text) return false;
  if (wcscmp(text, L"landscape") == 0) {
    *landscape = true;
    return true;
  }
  if (wcscmp(text, L"portrait") == 0) {
    *landscape = false;
    return true;
  }
  return false;
}

bool IsScreenTurnNotice(UINT message, WPARAM wParam) {
  return message == WM_DISPLAYCHANGE ||
         (message == WM_SETTINGCHANGE && wParam == SETTINGCHANGE_RESET);
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

bool OfferPortraitScreen(int width, int height) {
  wchar_t size[32];
  swprintf(size, 32, L"%dx%d", width, height);
  return RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", L"Default",
                         REG_SZ, size,
                         static_cast<DWORD>((wcslen(size) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

LONG TurnScreen(int width, int height) {
  DEVMODEW mode = {};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
  if (result != DISP_CHANGE_SUCCESSFUL) return result;
  // The device follows a turn with this notice to every top-level window; a
  // hung one is not waited for.
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0, SMTO_ABORTIFHUNG,
                      2000, &answer);
  return result;
}
