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

// A length as counted on the screen at each density the tests run in (the
// device's 96 and 192 dpi): the one of the running prefix. Any other density
// has none, and an expectation of it fails.
inline int AtDpi(int at96, int at192) {
  const int dpi = DpiY();
  return dpi == 96 ? at96 : dpi == 192 ? at192 : -0x7EEEEEEE;
}

}  // namespace testsupport
