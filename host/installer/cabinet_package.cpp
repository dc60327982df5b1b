// Extraction into a work folder of the temporary directory, then the checks
// of the description against the extracted files.
#include "host/installer/cabinet_package.h"

#include <cwchar>

#include "host/installer/file_names.h"
#include "host/installer/host_files.h"

namespace {

bool MakeWorkFolder(wchar_t* out, size_t cap) {
  wchar_t temp[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) return false;
  for (int attempt = 0; attempt < 100; ++attempt) {
    int len = swprintf(out, cap, L"%lstvrinstall-%lu-%lu-%d", temp, GetCurrentProcessId(),
                       GetTickCount(), attempt);
    if (len > 0 && CreateDirectoryW(out, nullptr)) return true;
  }
  out[0] = L'\0';
  return false;
}

// The stored name of the setup library: the cabinet's one file with the
// extension reserved for it.
bool FindSetupSource(const CabinetListing& listing, const PackageDescription& package, wchar_t* out,
                     wchar_t* error, size_t cap) {
  out[0] = L'\0';
  int found = 0;
  for (int i = 0; i < listing.count; ++i) {
    if (!HasExtension(listing.names[i], SetupDllExtension)) continue;
    if (found++ == 0) wcscpy(out, listing.names[i]);
  }
  if (!package.setupDll[0]) return true;
  if (found == 1) return true;
  swprintf(error, cap,
           found == 0 ? L"_setup.xml names the setup library %ls, which the cabinet lacks "
                        L"(no file *%ls)"
                      : L"_setup.xml names the setup library %ls, and the cabinet holds several "
                        L"files *%ls",
           package.setupDll, SetupDllExtension);
  return false;
}

}  // namespace

bool OpenCabinet(const wchar_t* cabPath, PackageDescription* package, OpenedCabinet* out,
                 wchar_t* error, size_t cap) {
  *out = OpenedCabinet{};
  *package = PackageDescription{};
  if (!MakeWorkFolder(out->folder, MAX_PATH * 2)) {
    swprintf(error, cap, L"cannot make a work folder in the temporary directory");
    return false;
  }
  static CabinetListing listing;  // large: one cabinet is open at a time
  wchar_t reason[400];
  if (!ExtractCabinet(cabPath, out->folder, &listing, reason, 400)) {
    swprintf(error, cap, L"%ls", reason);
    return false;
  }
  if (!CabinetHolds(listing, SetupXmlName)) {
    swprintf(error, cap, L"the cabinet holds no %ls", SetupXmlName);
    return false;
  }
  wchar_t xml[MAX_PATH * 2];
  swprintf(xml, MAX_PATH * 2, L"%ls\\%ls", out->folder, SetupXmlName);
  if (!ReadSetupXml(xml, package, reason, 400)) {
    swprintf(error, cap, L"%ls: %ls", SetupXmlName, reason);
    return false;
  }
  for (int i = 0; i < package->fileCount; ++i) {
    const PackageFile& f = package->files[i];
    if (!CabinetHolds(listing, f.source) || SameHostName(f.source, SetupXmlName)) {
      swprintf(error, cap, L"%ls names %ls (for %ls), which the cabinet lacks", SetupXmlName,
               f.source, f.path);
      return false;
    }
  }
  return FindSetupSource(listing, *package, out->setupSource, error, cap);
}

void CloseCabinet(OpenedCabinet* cabinet) {
  if (cabinet->folder[0]) DeleteFlatFolder(cabinet->folder);
  *cabinet = OpenedCabinet{};
}
