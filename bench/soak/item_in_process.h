// What the programs running the item in their own process share: a simulated
// clock that steps by seconds and a stand-in shell window for the item to
// live in.
#pragma once
#include <windows.h>

#include "item/host/host_state.h"
#include "item/host/item_window.h"
#include "item/pages/time_source.h"
#include "item/settings/item_settings.h"

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
  WNDCLASSW shellClass = {};
  shellClass.lpfnWndProc = DefWindowProcW;
  shellClass.hInstance = ItemInstance;
  shellClass.lpszClassName = className;
  RegisterClassW(&shellClass);
  return CreateWindowExW(0, className, L"shell", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                         nullptr, nullptr, ItemInstance, nullptr);
}
