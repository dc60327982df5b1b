// The screen's density and the n x dpi / 96 rule of sizes given at 96 dpi.
#pragma once
#include <windows.h>

namespace testsupport {

inline int ScreenCaps(int index) {
  HDC screen = GetDC(nullptr);
  const int value = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return value;
}
inline int DpiX() { return ScreenCaps(LOGPIXELSX); }
inline int DpiY() { return ScreenCaps(LOGPIXELSY); }
inline int Px(int units) { return units * DpiX() / 96; }  // horizontal
inline int Py(int units) { return units * DpiY() / 96; }  // vertical

}  // namespace testsupport
