// The screen's sizes and the notices of its turns.
#include "host/todayhost/screen_turn.h"

#include <cwchar>

#include "platform/device_facts.h"
#include "platform/rotation.h"

void OrientedScreenSize(int dpi, bool landscape, int* width, int* height) {
  if (dpi < 1 || dpi > 2000) dpi = ScreenBaseDpi;
  int shortSide = ScreenShortSide * dpi / ScreenBaseDpi;
  int longSide = ScreenLongSide * dpi / ScreenBaseDpi;
  *width = landscape ? longSide : shortSide;
  *height = landscape ? shortSide : longSide;
}

bool ParseOrientation(const wchar_t* text, bool* landscape) {
  if (!text) return false;
  if (wcscmp(text, LandscapeWord) == 0) {
    *landscape = true;
    return true;
  }
  if (wcscmp(text, PortraitWord) == 0) {
    *landscape = false;
    return true;
  }
  return false;
}

bool IsScreenTurnNotice(UINT message, WPARAM wParam) {
  return message == WM_DISPLAYCHANGE ||
         (message == WM_SETTINGCHANGE && wParam == SETTINGCHANGE_RESET);
}
