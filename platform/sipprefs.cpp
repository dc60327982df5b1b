// The "SIPPREF" window class: nothing to raise on the desktop.
#include "platform/sipprefs.h"

static LRESULT CALLBACK SipPrefProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

BOOL RegisterSipPrefClass(HINSTANCE instance) {
  if (!instance) instance = GetModuleHandleW(nullptr);
  WNDCLASSW existing;
  if (GetClassInfoW(instance, WC_SIPPREF, &existing)) return TRUE;
  WNDCLASSW wc = {};
  wc.style = CS_GLOBALCLASS;  // found whatever instance a dialog or window names
  wc.lpfnWndProc = SipPrefProc;
  wc.hInstance = instance;
  wc.lpszClassName = WC_SIPPREF;
  return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
