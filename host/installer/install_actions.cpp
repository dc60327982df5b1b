// Installation and removal as the cabinet installer orders them:
// Install_Init, the record, files, registry section, Install_Exit;
// Uninstall_Init, files and keys, Uninstall_Exit. Everything that can be
// checked is checked before the first hook runs (install_plan.h); after it,
// only the host itself can fail.
#include "host/installer/install_actions.h"

#include <windows.h>

#include <cwchar>

#include "host/installer/cabinet_package.h"
#include "host/installer/file_names.h"
#include "host/installer/host_files.h"
#include "host/installer/install_plan.h"
#include "host/installer/registry_section.h"
#include "host/installer/report.h"
#include "host/installer/setup_library.h"
#include "host/installer/setup_xml.h"
#include "host/installer/shell_link.h"

namespace {

constexpr ULONGLONG ReleaseWaitMs = 5000;
constexpr DWORD ReleasePollMs = 50;
constexpr size_t FaultCap = 600;

// Large: static, as the installer holds one package at a time.
PackageDescription Package;
InstallPlan Plan;
PackagePaths Recorded;

// The first of the package's files that cannot be replaced now; -1 when
// every one can.
int FirstLockedFile(const PackagePaths& paths, DWORD* error) {
  for (int i = 0; i < paths.fileCount; ++i)
    if (!CanReplace(paths.files[i], error)) return i;
  return -1;
}

// Checks every file the package would replace (verb "replace") or remove
// before the first is touched. A shell may answer the reload signal after the
// signal has returned, so a library still held is given a bounded moment to
// be freed.
bool AllReplaceable(const PackagePaths& paths, const wchar_t* verb) {
  const ULONGLONG start = GetTickCount64();
  DWORD error = 0;
  int locked = FirstLockedFile(paths, &error);
  const int first = locked;
  while (locked >= 0 && GetTickCount64() - start < ReleaseWaitMs) {
    Sleep(ReleasePollMs);
    locked = FirstLockedFile(paths, &error);
  }
  if (locked < 0) {
    if (first >= 0)
      Report(L"  waited %llu ms for %ls to be released", GetTickCount64() - start,
             FileName(paths.files[first]));
    return true;
  }
  ReportError(L"cannot %ls %ls (error %lu: in use by a running program)", verb, paths.files[locked],
              error);
  return false;
}

// Keeps the description and the setup library where the removal finds them:
// the description under its own name, the library under the name it had.
bool SaveRecord(const InstallPlan& plan) {
  const wchar_t* folder = plan.paths.recordFolder;
  wchar_t target[PathCap];
  DeleteFlatFolder(folder);  // what an earlier installation kept
  if (!CreateFolders(plan.paths.deviceRoot, folder) ||
      !Join(folder, SetupXmlName, target, PathCap) || !CopyFileW(plan.setupXml, target, FALSE))
    return false;
  return !plan.setupLibrary[0] || (Join(folder, Package.setupDll, target, PathCap) &&
                                   CopyFileW(plan.setupLibrary, target, FALSE));
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
int CarryOut(const InstallPlan& plan, const SetupLibrary& lib) {
  const wchar_t* installDir = Package.installDir;
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
  if (!AllReplaceable(plan.paths, L"replace")) {
    // Install_Init has run: what it did stays, and is what the user must know.
    ReportError(
        L"stopped before any file was touched, but the setup library had already switched the "
        L"item off and deleted its Today entry. Close the program that holds the file "
        L"(a Today screen of another desktop, a debugger) and install again.");
    return InstallerStopped;
  }
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
  WriteRegistrySection(Package, &failedKeys, &failedValues);
  if (lib.installExit) {
    codeINSTALL_EXIT code = lib.installExit(nullptr, installDir, 0, 0, failedKeys, failedValues, 0);
    Report(L"  Install_Exit(failed: 0 folders, 0 files, %u keys, %u values, 0 shortcuts) = %d",
           failedKeys, failedValues, static_cast<int>(code));
  }
  Report(L"Installed %ls in %ls.", Package.appName, plan.paths.installFolder);
  return InstallerDone;
}

// Opens the record of appName under rootArg: its description into Package,
// its paths into paths, its setup library's path. False with the reason.
bool OpenRecord(const wchar_t* rootArg, const wchar_t* appName, PackagePaths* paths,
                wchar_t* setupPath, wchar_t* fault, size_t cap) {
  wchar_t deviceRoot[PathCap], device[PathCap], record[PathCap], description[PathCap];
  if (!FullPath(rootArg, deviceRoot, PathCap) || !IsFolder(deviceRoot)) {
    swprintf(fault, cap, L"no device root folder %ls", rootArg);
    return false;
  }
  if (!HostCanHoldName(appName) || !Join(AppRecordFolder, appName, device, PathCap) ||
      !DevicePathToHost(device, deviceRoot, record, PathCap) ||
      !Join(record, SetupXmlName, description, PathCap) || !IsFile(description)) {
    swprintf(fault, cap, L"%ls is not installed in %ls", appName, deviceRoot);
    return false;
  }
  wchar_t reason[400];
  if (!ReadSetupXml(description, &Package, reason, 400)) {
    swprintf(fault, cap, L"%ls: %ls", description, reason);
    return false;
  }
  setupPath[0] = L'\0';
  return MapPackagePaths(Package, deviceRoot, paths, fault, cap) &&
         (!Package.setupDll[0] || Join(paths->recordFolder, Package.setupDll, setupPath, PathCap));
}

// Removes what the record lists, between Uninstall_Init and Uninstall_Exit.
int RemoveListed(const PackagePaths& paths, const SetupLibrary& lib) {
  Report(L"Removing %ls from %ls", Package.appName, paths.deviceRoot);
  if (lib.uninstallInit) {
    codeUNINSTALL_INIT code = lib.uninstallInit(nullptr, Package.installDir);
    Report(L"  Uninstall_Init(\"%ls\") = %d", Package.installDir, static_cast<int>(code));
    if (code != codeUNINSTALL_INIT_CONTINUE) {
      Report(L"The setup library cancelled the removal.");
      return InstallerStopped;
    }
  }
  if (!AllReplaceable(paths, L"remove")) {
    ReportError(
        L"stopped: nothing was removed, but the setup library had already switched the "
        L"item off (\"Enabled\" 0). Close the program that holds the file (a Today "
        L"screen of another desktop, a debugger) and remove again.");
    return InstallerStopped;
  }
  for (int i = 0; i < paths.fileCount; ++i) {
    if (!IsFile(paths.files[i])) continue;
    if (!DeleteFileW(paths.files[i])) {
      ReportError(L"cannot remove %ls (error %lu); stopped, nothing more was changed",
                  paths.files[i], GetLastError());
      return InstallerStopped;
    }
    Report(L"  removed %ls", FileName(paths.files[i]));
  }
  // The files' folders go when the package emptied them.
  for (int i = 0; i < paths.fileCount; ++i) {
    wchar_t folder[PathCap];
    wcscpy(folder, paths.files[i]);
    wchar_t* slash = wcsrchr(folder, L'\\');
    if (slash) *slash = L'\0';
    RemoveDirectoryW(folder);
  }
  if (!RemoveDirectoryW(paths.installFolder) && IsFolder(paths.installFolder))
    Report(L"  kept %ls: not empty", paths.installFolder);
  DeleteRegistrySection(Package);
  if (lib.uninstallExit) {
    codeUNINSTALL_EXIT code = lib.uninstallExit(nullptr);
    Report(L"  Uninstall_Exit() = %d", static_cast<int>(code));
  }
  return InstallerDone;
}

}  // namespace

int InstallPackage(const wchar_t* cabinetArg, const wchar_t* rootArg) {
  wchar_t cabinetPath[PathCap], deviceRoot[PathCap];
  if (!FullPath(cabinetArg, cabinetPath, PathCap) || !IsFile(cabinetPath)) {
    ReportError(L"no cabinet file %ls", cabinetArg);
    return InstallerRefused;
  }
  if (!FullPath(rootArg, deviceRoot, PathCap) || !IsFolder(deviceRoot)) {
    ReportError(L"no device root folder %ls", rootArg);
    return InstallerRefused;
  }
  // The cabinet extracted and checked, the plan made and the setup library
  // loaded, all before the device is touched.
  OpenedCabinet cabinet{};
  SetupLibrary lib{};
  wchar_t fault[FaultCap] = L"";
  int result = InstallerRefused;
  if (OpenCabinet(cabinetPath, &Package, &cabinet, fault, FaultCap) &&
      BuildInstallPlan(cabinet, Package, deviceRoot, &Plan, fault, FaultCap) &&
      LoadSetupLibrary(Plan.setupLibrary, true, &lib, fault, FaultCap)) {
    Report(L"Installing %ls from %ls into %ls", Package.appName, cabinetPath, deviceRoot);
    result = CarryOut(Plan, lib);
  } else {
    ReportError(L"%ls: %ls; nothing was changed", cabinetPath, fault);
  }
  FreeSetupLibrary(&lib);
  CloseCabinet(&cabinet);
  return result;
}

int RemovePackage(const wchar_t* rootArg, const wchar_t* appName) {
  wchar_t setupPath[PathCap], fault[FaultCap] = L"";
  SetupLibrary lib{};
  int result = InstallerRefused;
  if (OpenRecord(rootArg, appName, &Recorded, setupPath, fault, FaultCap) &&
      LoadSetupLibrary(setupPath, false, &lib, fault, FaultCap)) {
    result = RemoveListed(Recorded, lib);
  } else {
    ReportError(L"%ls", fault);
  }
  FreeSetupLibrary(&lib);
  if (result == InstallerDone) {
    DeleteFlatFolder(Recorded.recordFolder);
    Report(L"Removed %ls.", Package.appName);
  }
  return result;
}
