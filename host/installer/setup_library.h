// The package's setup library, loaded with the hooks the installer will call.
#pragma once
#include <windows.h>

#include <cstddef>

#include "host/installer/fault.h"
#include "platform/ce_setup.h"

struct SetupLibrary {
  HMODULE module;  // null: the package has none
  pfnINSTALL_INIT installInit;
  pfnINSTALL_EXIT installExit;
  pfnUNINSTALL_INIT uninstallInit;
  pfnUNINSTALL_EXIT uninstallExit;
};

// Loads the library at path (an empty path: none, which is no fault). With
// needInstallHooks, a library lacking Install_Init or Install_Exit is a
// fault. False with the fault; nothing stays loaded then.
bool LoadSetupLibrary(const wchar_t* path, bool needInstallHooks, SetupLibrary* lib, Fault* fault);

// Frees what LoadSetupLibrary loaded; the one place a setup library is freed.
void FreeSetupLibrary(SetupLibrary* lib);
