// Shell links through IShellLinkW and IPersistFile.
#include "host/installer/shell_link.h"

#include <shlobj.h>

bool WriteShellLink(const wchar_t* linkPath, const wchar_t* target, const wchar_t* arguments,
                    const wchar_t* workingDir) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return false;
  bool ok = SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetArguments(arguments)) &&
            SUCCEEDED(link->SetWorkingDirectory(workingDir));
  IPersistFile* file = nullptr;
  if (ok && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    ok = SUCCEEDED(file->Save(linkPath, TRUE));
    file->Release();
  } else {
    ok = false;
  }
  link->Release();
  return ok;
}
