// What the programs running the item in their own process share: a simulated
// clock that steps by seconds, a stand-in shell window for the item to live
// in and an off-screen canvas of the item's size.
#pragma once
#include <windows.h>

#include "item/host/host_state.h"
#include "item/host/item_window.h"
#include "item/pages/time_source.h"
#include "item/settings/item_settings.h"
#include "support/window.h"

// An off-screen bitmap of a window's client size, compatible with the window,
// selected into a memory DC to paint into.
struct WindowCanvas {
  explicit WindowCanvas(HWND window) {
    GetClientRect(window, &Client);
    HDC screen = GetDC(window);
    Dc = CreateCompatibleDC(screen);
    Bitmap = CreateCompatibleBitmap(screen, Client.right, Client.bottom);
    ReleaseDC(window, screen);
    Old = SelectObject(Dc, Bitmap);
  }
  ~WindowCanvas() {
    SelectObject(Dc, Old);
    DeleteObject(Bitmap);
    DeleteDC(Dc);
  }
  WindowCanvas(const WindowCanvas&) = delete;
  WindowCanvas& operator=(const WindowCanvas&) = delete;
  RECT Client = {};
  HDC Dc = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Old = nullptr;
};

// Moves the simulated clock on by one second and makes it the item's clock.
inline void AdvanceClock(SYSTEMTIME* clock) {
  FILETIME f;
  SystemTimeToFileTime(clock, &f);
  ULARGE_INTEGER t;
  t.LowPart = f.dwLowDateTime;
  t.HighPart = f.dwHighDateTime;
  t.QuadPart += 10000000ULL;  // one second
  f.dwLowDateTime = t.LowPart;
  f.dwHighDateTime = t.HighPart;
  FileTimeToSystemTime(&f, clock);
  SetClockOverride(clock);
}

// Registers the item's class in this process and opens a plain window of the
// given size to stand in for the Today shell.
inline HWND OpenShell(const wchar_t* className, int width, int height) {
  ItemInstance = GetModuleHandleW(nullptr);
  if (!RegisterItemClass(ItemInstance)) return nullptr;
  return testsupport::OpenWindow(className, L"shell", WS_POPUP | WS_VISIBLE, width, height);
}
