// tvrsetup.dll: the four hooks the cabinet installer calls around installing
// and removing the package, and the library's entry point.
#include <windows.h>

#include <type_traits>

#include "platform/ce_setup.h"
#include "setup/today_entry.h"

static HINSTANCE SetupModule = nullptr;  // kept, though nothing needs it

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) SetupModule = instance;
  return TRUE;
}

extern "C" codeINSTALL_INIT Install_Init(HWND, BOOL fFirstCall, BOOL, LPCWSTR) {
  if (fFirstCall) {
    SwitchOffAndRefresh();
    // The package's registry section writes the entry afresh, without the
    // values the user changed in the old one.
    DeleteItemEntry();
  }
  return codeINSTALL_INIT_CONTINUE;
}

extern "C" codeINSTALL_EXIT Install_Exit(HWND, LPCWSTR, WORD, WORD, WORD, WORD, WORD) {
  // The shell loads the newly installed item.
  SendRefreshSignal();
  return codeINSTALL_EXIT_DONE;
}

extern "C" codeUNINSTALL_INIT Uninstall_Init(HWND, LPCWSTR) {
  SwitchOffAndRefresh();
  return codeUNINSTALL_INIT_CONTINUE;
}

extern "C" codeUNINSTALL_EXIT Uninstall_Exit(HWND) { return codeUNINSTALL_EXIT_DONE; }

// The installer looks the hooks up by name and calls them through its own
// pointer types.
static_assert(std::is_same<decltype(&Install_Init), pfnINSTALL_INIT>::value, szINSTALL_INIT);
static_assert(std::is_same<decltype(&Install_Exit), pfnINSTALL_EXIT>::value, szINSTALL_EXIT);
static_assert(std::is_same<decltype(&Uninstall_Init), pfnUNINSTALL_INIT>::value, szUNINSTALL_INIT);
static_assert(std::is_same<decltype(&Uninstall_Exit), pfnUNINSTALL_EXIT>::value, szUNINSTALL_EXIT);
