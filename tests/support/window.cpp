// Plain top-level windows; see the header.
#include "support/window.h"

namespace testsupport {

HWND OpenWindow(const wchar_t* className, const wchar_t* title, DWORD style, int width, int height,
                WNDPROC procedure, HBRUSH background) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  RegisterClassW(&wc);
  return CreateWindowExW(0, className, title, style, 0, 0, width, height, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

}  // namespace testsupport
