// A removal, top to bottom: the plan from the record the installation kept →
// the setup library loaded from it → Uninstall_Init → the files, their
// folders, the registry section → Uninstall_Exit → the record deleted → the
// report.
#include <windows.h>

#include <memory>

#include "host/installer/host_files.h"
#include "host/installer/install_plan.h"
#include "host/installer/installer.h"
#include "host/installer/registry_section.h"
#include "host/installer/report.h"
#include "host/installer/setup_library.h"

namespace {

// A file held by another program after Uninstall_Init has run.
constexpr wchar_t HeldAfterUninstallInit[] =
    L"stopped: nothing was removed, but the setup library had already switched the "
    L"item off (\"Enabled\" 0). Close the program that holds the file (a Today "
    L"screen of another desktop, a debugger) and remove again.";

// Deletes every key the section names, with everything in it, once each.
void DeleteRegistrySection(const PackageDescription& package) {
  for (int i = 0; i < package.valueCount; ++i) {
    const PackageValue& v = package.values[i];
    if (!FirstOfItsKey(package, i)) continue;
    const bool deleted = DeleteRegistryKey(v);
    Report(L"  registry %ls\\%ls: %ls", RegistryRootName(v.root), v.subkey,
           deleted ? L"deleted" : L"was not there");
  }
}

// Removes what the record lists, between Uninstall_Init and Uninstall_Exit.
int RemoveListed(const RemovalPlan& plan, const SetupLibrary& lib) {
  const PackageDescription& package = plan.package;
  const PackagePaths& paths = plan.paths;
  Fault waited{}, fault{};
  Report(L"Removing %ls from %ls", package.appName, paths.deviceRoot);
  if (lib.uninstallInit) {
    codeUNINSTALL_INIT code = lib.uninstallInit(nullptr, package.installDir);
    Report(L"  Uninstall_Init(\"%ls\") = %d", package.installDir, static_cast<int>(code));
    if (code != codeUNINSTALL_INIT_CONTINUE) {
      Report(L"The setup library cancelled the removal.");
      return InstallerStopped;
    }
  }
  if (!WaitForRelease(paths.files, paths.fileCount, L"remove", &waited, &fault)) {
    ReportError(L"%ls\n%ls", fault.text, HeldAfterUninstallInit);
    return InstallerStopped;
  }
  if (waited.text[0]) Report(L"  %ls", waited.text);
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
    FolderOf(paths.files[i], folder);
    RemoveDirectoryW(folder);
  }
  if (!RemoveDirectoryW(paths.installFolder) && IsFolder(paths.installFolder))
    Report(L"  kept %ls: not empty", paths.installFolder);
  DeleteRegistrySection(package);
  if (lib.uninstallExit) {
    codeUNINSTALL_EXIT code = lib.uninstallExit(nullptr);
    Report(L"  Uninstall_Exit() = %d", static_cast<int>(code));
  }
  return InstallerDone;
}

}  // namespace

int RemovePackage(const wchar_t* rootArg, const wchar_t* appName) {
  auto plan = std::make_unique<RemovalPlan>();
  Fault fault{};
  SetupLibrary lib{};
  int result = InstallerRefused;
  if (PlanRemoval(rootArg, appName, plan.get(), &fault) &&
      LoadSetupLibrary(plan->setupLibrary, false, &lib, &fault)) {
    result = RemoveListed(*plan, lib);
  } else {
    ReportError(L"%ls", fault.text);
  }
  FreeSetupLibrary(&lib);
  if (result == InstallerDone) {
    DeleteFlatFolder(plan->paths.recordFolder);
    Report(L"Removed %ls.", plan->package.appName);
  }
  return result;
}
