// LoadLibrary and the four setup hooks, looked up by name.
#include "host/installer/setup_library.h"

namespace {

template <typename Hook>
Hook Find(HMODULE module, const char* name) {
  return reinterpret_cast<Hook>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool LoadSetupLibrary(const wchar_t* path, bool needInstallHooks, SetupLibrary* lib, Fault* fault) {
  *lib = SetupLibrary{};
  if (!path[0]) return true;
  lib->module = LoadLibraryW(path);
  if (!lib->module)
    return Fail(fault, L"cannot load the setup library %ls (error %lu)", path, GetLastError());
  lib->installInit = Find<pfnINSTALL_INIT>(lib->module, szINSTALL_INIT);
  lib->installExit = Find<pfnINSTALL_EXIT>(lib->module, szINSTALL_EXIT);
  lib->uninstallInit = Find<pfnUNINSTALL_INIT>(lib->module, szUNINSTALL_INIT);
  lib->uninstallExit = Find<pfnUNINSTALL_EXIT>(lib->module, szUNINSTALL_EXIT);
  if (needInstallHooks && (!lib->installInit || !lib->installExit)) {
    FreeSetupLibrary(lib);
    return Fail(fault, L"the setup library %ls lacks Install_Init or Install_Exit", path);
  }
  return true;
}

void FreeSetupLibrary(SetupLibrary* lib) {
  if (lib->module) FreeLibrary(lib->module);
  *lib = SetupLibrary{};
}
