// tvrinstall.exe: the installer stand-in.
//   tvrinstall install <cabinet file> <device root>
//   tvrinstall remove <device root> [<app name>]
#include <objbase.h>
#include <windows.h>

#include <cwchar>

#include "host/installer/installer.h"
#include "host/installer/report.h"

int wmain(int argc, wchar_t** argv) {
  // Shell links are written through COM.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int result = InstallerUsage;
  if (argc == 4 && wcscmp(argv[1], L"install") == 0) {
    result = InstallPackage(argv[2], argv[3]);
  } else if ((argc == 3 || argc == 4) && wcscmp(argv[1], L"remove") == 0) {
    result = RemovePackage(argv[2], argc == 4 ? argv[3] : L"Tovira");
  } else {
    ReportError(
        L"usage: tvrinstall install <cabinet file> <device root>\n"
        L"       tvrinstall remove <device root> [<app name>]");
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}
