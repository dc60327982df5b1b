// What the Today shell calls: the library entry, and the item's two exports
// (ordinal 240 creates the item window, 241 runs the options dialog).
#include <windows.h>

#include <type_traits>

#include "item/host/host_state.h"
#include "item/host/item_window.h"
#include "item/host/taps.h"
#include "platform/today.h"

HINSTANCE ItemInstance = nullptr;

// The C++ runtime linked into this library allocates, when the library loads,
// a reserve of about 73 KiB from which it builds exceptions when memory runs
// out, and nothing frees it when the library is unloaded. The shell unloads
// and reloads items on every settings change, so each reload would keep one
// more reserve. This is the runtime's own routine for giving it back; it is
// called only when the library is freed, not when the process ends.
namespace __gnu_cxx {
void __freeres() noexcept;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    ItemInstance = instance;
    UnregisterItemClass(instance);
    if (!RegisterItemClass(instance)) return FALSE;
    ItemWindow = nullptr;
  } else if (reason == DLL_PROCESS_DETACH) {
    UnregisterItemClass(instance);
    ItemInstance = nullptr;
    if (!reserved) __gnu_cxx::__freeres();
  }
  return TRUE;
}

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM*, HWND parent) {
  HWND window = CreateWindowExW(0, ItemClassName, L"Tovira", WS_CHILD | WS_VISIBLE, CW_USEDEFAULT,
                                CW_USEDEFAULT, GetSystemMetrics(SM_CXSCREEN), 0, parent, nullptr,
                                ItemInstance, nullptr);
  if (!window) return nullptr;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ItemWindowProc));
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  Host.TimerId = SetTimer(window, ItemTimerId, ItemTimerPeriod, nullptr);
  return window;
}

extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    StartConfigTool();
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  if (message == WM_COMMAND) {
    WORD command = LOWORD(wParam);
    if (command == IDOK || command == IDCANCEL) EndDialog(dialog, command);
    return TRUE;
  }
  return FALSE;
}

// The shell calls both through pointers of its own types, found by ordinal:
// a signature or calling convention of another kind would go unnoticed.
static_assert(std::is_same<decltype(&InitializeCustomItem), PFNCUSTOMINITIALIZEITEM>::value,
              "ordinal 240 is the shell's PFNCUSTOMINITIALIZEITEM");
static_assert(std::is_same<decltype(&CustomItemOptionsDlgProc), PFNCUSTOMOPTIONSDLGPROC>::value,
              "ordinal 241 is the shell's PFNCUSTOMOPTIONSDLGPROC");
// Set through SetWindowLongPtr, as an integer.
static_assert(std::is_same<decltype(&ItemWindowProc), WNDPROC>::value,
              "ItemWindowProc is a window procedure");
