// An installation, top to bottom: the cabinet file read once into memory →
// its tables and blocks checked → extracted from those bytes (FDI) into a
// work folder → _setup.xml read (its form, then its content) → the plan →
// the setup library loaded; then, only if all of that holds, Install_Init →
// the record, the files, the registry section → Install_Exit → the report.
// After Install_Init only the host itself can fail.
#include <windows.h>

#include <cwchar>
#include <memory>
#include <vector>

#include "host/installer/cabinet_check.h"
#include "host/installer/cabinet_extract.h"
#include "host/installer/host_files.h"
#include "host/installer/install_plan.h"
#include "host/installer/installer.h"
#include "host/installer/registry_section.h"
#include "host/installer/report.h"
#include "host/installer/setup_library.h"
#include "host/installer/shell_link.h"

namespace {

// The largest cabinet an installation takes.
constexpr DWORD MaxCabinetBytes = 64 * 1024 * 1024;

// A file held by another program after Install_Init has run: what the hook
// did stays, and is what the user must know.
constexpr wchar_t HeldAfterInstallInit[] =
    L"stopped before any file was touched, but the setup library had already switched the "
    L"item off and deleted its Today entry. Close the program that holds the file "
    L"(a Today screen of another desktop, a debugger) and install again.";

// One installation's records; large, so they live on the heap.
struct Installation {
  CabinetListing listing;
  PackageDescription package;
  InstallPlan plan;
  wchar_t workFolder[PathCap];  // empty until made
  SetupLibrary lib;
};

// Everything that can be checked, before the device is touched.
bool Prepare(const wchar_t* cabinetPath, const wchar_t* deviceRoot, Installation* in,
             Fault* fault) {
  std::vector<char> file;
  if (!ReadSmallFile(cabinetPath, &file, MaxCabinetBytes))
    return Fail(fault, L"cannot read the cabinet, or it is larger than %lu bytes",
                static_cast<unsigned long>(MaxCabinetBytes));
  // From here on the cabinet is these bytes, and only these.
  const auto* image = reinterpret_cast<const unsigned char*>(file.data());
  if (!CheckCabinetImage(image, file.size(), &in->listing, fault)) return false;
  if (!MakeWorkFolder(in->workFolder))
    return Fail(fault, L"cannot make a work folder in the temporary directory");
  if (!ExtractCabinet(image, file.size(), in->listing, in->workFolder, fault)) return false;
  if (!CabinetHolds(in->listing, SetupXmlName))
    return Fail(fault, L"the cabinet holds no %ls", SetupXmlName);
  wchar_t xml[PathCap];
  if (!Join(in->workFolder, SetupXmlName, xml, PathCap) || !ReadSetupXml(xml, &in->package, fault))
    return Fail(fault, L"%ls: %ls", SetupXmlName, fault->text);
  return PlanInstallation(in->listing, in->package, in->workFolder, deviceRoot, &in->plan, fault) &&
         LoadSetupLibrary(in->plan.setupLibrary, true, &in->lib, fault);
}

void Bump(WORD* count) {
  if (*count < 0xFFFF) ++*count;
}

// Writes every value; a key or value that cannot be written is counted and
// skipped, as the device's installer does.
void WriteRegistrySection(const PackageDescription& package, WORD* failedKeys, WORD* failedValues) {
  for (int i = 0; i < package.valueCount; ++i) {
    const PackageValue& v = package.values[i];
    const wchar_t* root = RegistryRootName(v.root);
    bool keyMade = false;
    const LONG rc = WriteRegistryValue(v, &keyMade);
    if (!keyMade) {
      Bump(failedKeys);
      Report(L"  registry %ls\\%ls: cannot create the key", root, v.subkey);
      continue;
    }
    if (v.type == REG_DWORD)
      Report(L"  registry %ls\\%ls: %ls = %lu", root, v.subkey, v.name, v.number);
    else
      Report(L"  registry %ls\\%ls: %ls = \"%ls\"", root, v.subkey, v.name, v.text);
    if (rc != ERROR_SUCCESS) {
      Bump(failedValues);
      Report(L"    failed (error %ld)", rc);
    }
  }
}

// Keeps the description and the setup library where the removal finds them.
bool SaveRecord(const InstallPlan& plan) {
  DeleteFlatFolder(plan.paths.recordFolder);  // what an earlier installation kept
  return CreateFolders(plan.paths.deviceRoot, plan.paths.recordFolder) &&
         CopyFileW(plan.setupXml, plan.keptSetupXml, FALSE) &&
         (!plan.setupLibrary[0] || CopyFileW(plan.setupLibrary, plan.keptSetupLibrary, FALSE));
}

// Writes one file of the plan: a shell link for a device shortcut, a copy
// otherwise. False when the host refuses.
bool InstallFile(const InstallPlan& plan, int i) {
  const PlannedFile& f = plan.files[i];
  const wchar_t* dest = plan.paths.files[i];
  if (!CreateParentFolders(plan.paths.deviceRoot, dest)) return false;
  if (f.shortcut) {
    if (!WriteShellLink(dest, f.target, f.device.arguments, plan.paths.deviceRoot)) return false;
    Report(L"  shortcut %ls -> %ls %ls", FileName(dest), f.device.target, f.device.arguments);
    return true;
  }
  if (!CopyFileW(f.source, dest, FALSE)) return false;
  Report(L"  copied %ls", FileName(dest));
  return true;
}

// The plan carried out, from Install_Init to Install_Exit.
int CarryOut(const PackageDescription& package, const InstallPlan& plan, const SetupLibrary& lib) {
  const wchar_t* installDir = package.installDir;
  if (lib.installInit) {
    codeINSTALL_INIT code =
        lib.installInit(nullptr, TRUE, plan.previouslyInstalled ? TRUE : FALSE, installDir);
    Report(L"  Install_Init(first call, %ls, \"%ls\") = %d",
           plan.previouslyInstalled ? L"previously installed" : L"not installed before", installDir,
           static_cast<int>(code));
    if (code != codeINSTALL_INIT_CONTINUE) {
      Report(L"The setup library cancelled the installation.");
      return InstallerStopped;
    }
  }
  if (!CreateFolders(plan.paths.deviceRoot, plan.paths.installFolder)) {
    ReportError(L"cannot create %ls (error %lu); stopped, nothing more was changed",
                plan.paths.installFolder, GetLastError());
    return InstallerStopped;
  }
  Fault waited{}, fault{};
  if (!WaitForRelease(plan.paths.files, plan.paths.fileCount, L"replace", &waited, &fault)) {
    ReportError(L"%ls\n%ls", fault.text, HeldAfterInstallInit);
    return InstallerStopped;
  }
  if (waited.text[0]) Report(L"  %ls", waited.text);
  // The record first: whatever is written after it, remove takes off.
  if (!SaveRecord(plan)) {
    ReportError(
        L"cannot keep the removal record in %ls (error %lu); stopped before any file "
        L"was touched; the Today entry stays deleted: install again.",
        plan.paths.recordFolder, GetLastError());
    return InstallerStopped;
  }
  for (int i = 0; i < plan.paths.fileCount; ++i) {
    if (!InstallFile(plan, i)) {
      ReportError(
          L"cannot write %ls (error %lu); stopped after %d of %d files, each named "
          L"above. They are in the removal record, so remove takes them off; the Today "
          L"entry stays deleted until an installation finishes: install again.",
          plan.paths.files[i], GetLastError(), i, plan.paths.fileCount);
      return InstallerStopped;
    }
  }
  WORD failedKeys = 0, failedValues = 0;
  WriteRegistrySection(package, &failedKeys, &failedValues);
  if (lib.installExit) {
    codeINSTALL_EXIT code = lib.installExit(nullptr, installDir, 0, 0, failedKeys, failedValues, 0);
    Report(L"  Install_Exit(failed: 0 folders, 0 files, %u keys, %u values, 0 shortcuts) = %d",
           failedKeys, failedValues, static_cast<int>(code));
  }
  Report(L"Installed %ls in %ls.", package.appName, plan.paths.installFolder);
  return InstallerDone;
}

}  // namespace

int InstallPackage(const wchar_t* cabinetArg, const wchar_t* rootArg) {
  wchar_t cabinetPath[PathCap], deviceRoot[PathCap];
  Fault fault{};
  if (!FullPath(cabinetArg, cabinetPath, PathCap) || !IsFile(cabinetPath)) {
    ReportError(L"no cabinet file %ls", cabinetArg);
    return InstallerRefused;
  }
  if (!OpenDeviceRoot(rootArg, deviceRoot, &fault)) {
    ReportError(L"%ls", fault.text);
    return InstallerRefused;
  }
  auto in = std::make_unique<Installation>();
  int result = InstallerRefused;
  if (Prepare(cabinetPath, deviceRoot, in.get(), &fault)) {
    Report(L"Installing %ls from %ls into %ls", in->package.appName, cabinetPath, deviceRoot);
    result = CarryOut(in->package, in->plan, in->lib);
  } else {
    ReportError(L"%ls: %ls; nothing was changed", cabinetPath, fault.text);
  }
  FreeSetupLibrary(&in->lib);
  if (in->workFolder[0]) DeleteFlatFolder(in->workFolder);
  return result;
}
