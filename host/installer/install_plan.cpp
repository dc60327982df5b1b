// The plans: the package's device paths mapped into the device root and
// checked against the host as it is now.
#include "host/installer/install_plan.h"

#include <cwchar>
#include <vector>

#include "host/installer/file_names.h"
#include "host/installer/host_files.h"

namespace {

// Where an installation keeps its _setup.xml and setup library for the
// removal: \Windows\AppMgr\<app name> on the device.
constexpr const wchar_t* AppRecordFolder = L"\\Windows\\AppMgr";

// The host path of name in appName's record folder (the folder itself when
// name is empty). False when it does not fit.
bool RecordPath(const wchar_t* deviceRoot, const wchar_t* appName, const wchar_t* name,
                wchar_t* out) {
  wchar_t device[PathCap];
  // A cut text tells its whole length here, so the length is checked too.
  const int n = swprintf(device, PathCap, L"%ls\\%ls\\%ls", AppRecordFolder, appName, name);
  return n > 0 && n < static_cast<int>(PathCap) && DevicePathToHost(device, deviceRoot, out);
}

// Every file the description names is in the cabinet (the description
// itself is none of them), and so is the setup library it names, as the
// cabinet's one file with the extension reserved for it.
bool FindSources(const CabinetListing& listing, const PackageDescription& package,
                 const wchar_t** setupSource, Fault* fault) {
  for (int i = 0; i < package.fileCount; ++i) {
    const PackageFile& f = package.files[i];
    if (!CabinetHolds(listing, f.source) || SameHostName(f.source, SetupXmlName))
      return Fail(fault, L"%ls names %ls (for %ls), which the cabinet lacks", SetupXmlName,
                  f.source, f.path);
  }
  int found = 0;
  *setupSource = nullptr;
  for (int i = 0; i < listing.count; ++i)
    if (HasExtension(listing.names[i], SetupDllExtension) && found++ == 0)
      *setupSource = listing.names[i];
  if (!package.setupDll[0] || found == 1) return true;
  return Fail(fault,
              found == 0 ? L"_setup.xml names the setup library %ls, which the cabinet lacks "
                           L"(no file *%ls)"
                         : L"_setup.xml names the setup library %ls, and the cabinet holds "
                           L"several files *%ls",
              package.setupDll, SetupDllExtension);
}

bool MapPackagePaths(const PackageDescription& package, const wchar_t* deviceRoot,
                     PackagePaths* out, Fault* fault) {
  *out = PackagePaths{};
  if (wcslen(deviceRoot) >= PathCap)
    return Fail(fault, L"the device root %ls is too long", deviceRoot);
  wcscpy(out->deviceRoot, deviceRoot);
  if (!DevicePathToHost(package.installDir, deviceRoot, out->installFolder))
    return Fail(fault, L"the install folder %ls does not fit in the device root",
                package.installDir);
  if (!RecordPath(deviceRoot, package.appName, L"", out->recordFolder))
    return Fail(fault, L"the record folder %ls\\%ls does not fit in the device root",
                AppRecordFolder, package.appName);
  for (int i = 0; i < package.fileCount; ++i) {
    if (!DevicePathToHost(package.files[i].path, deviceRoot, out->files[i]))
      return Fail(fault, L"%ls does not fit in the device root", package.files[i].path);
    for (int j = 0; j < i; ++j)
      if (_wcsicmp(out->files[j], out->files[i]) == 0)
        return Fail(fault, L"_setup.xml names %ls twice", package.files[i].path);
  }
  out->fileCount = package.fileCount;
  return true;
}

// The folders the installation makes, each checked against the host.
bool CheckFolders(const PackagePaths& paths, Fault* fault) {
  std::vector<const wchar_t*> folders = {paths.installFolder, paths.recordFolder};
  std::vector<std::vector<wchar_t>> parents(static_cast<size_t>(paths.fileCount),
                                            std::vector<wchar_t>(PathCap));
  for (int i = 0; i < paths.fileCount; ++i) {
    FolderOf(paths.files[i], parents[i].data());
    folders.push_back(parents[i].data());
  }
  for (const wchar_t* folder : folders) {
    if (!FolderCanBeMade(paths.deviceRoot, folder))
      return Fail(fault, L"the folder %ls cannot be made: a file stands in its way", folder);
    for (int i = 0; i < paths.fileCount; ++i)
      if (InsideFolder(folder, paths.files[i]))
        return Fail(fault, L"%ls would be both a file and a folder", paths.files[i]);
  }
  for (int i = 0; i < paths.fileCount; ++i)
    if (IsFolder(paths.files[i]))
      return Fail(fault, L"%ls is a folder on the device", paths.files[i]);
  return true;
}

bool PlanFile(const wchar_t* workFolder, const PackageFile& file, const wchar_t* deviceRoot,
              PlannedFile* out, Fault* fault) {
  *out = PlannedFile{};
  if (!Join(workFolder, file.source, out->source, PathCap) || !IsFile(out->source))
    return Fail(fault, L"the extracted %ls is missing", file.source);
  if (!ReadCeShortcut(out->source, FileName(file.path), &out->device)) return true;
  // The shell here starts only its own shortcut format, and only with an
  // absolute target: the device's shortcut becomes one into the device root.
  // Its target is the one device path no description gave: checked here.
  if (!DevicePathHoldable(out->device.target) ||
      !DevicePathToHost(out->device.target, deviceRoot, out->target))
    return Fail(fault, L"the shortcut %ls leads outside the device root", file.path);
  out->shortcut = true;
  return true;
}

}  // namespace

bool OpenDeviceRoot(const wchar_t* rootArg, wchar_t* out, Fault* fault) {
  if (!FullPath(rootArg, out, PathCap) || !IsFolder(out))
    return Fail(fault, L"no device root folder %ls", rootArg);
  return true;
}

bool PlanInstallation(const CabinetListing& listing, const PackageDescription& package,
                      const wchar_t* workFolder, const wchar_t* deviceRoot, InstallPlan* out,
                      Fault* fault) {
  const wchar_t* setupSource = nullptr;
  if (!FindSources(listing, package, &setupSource, fault) ||
      !MapPackagePaths(package, deviceRoot, &out->paths, fault) || !CheckFolders(out->paths, fault))
    return false;
  for (int i = 0; i < package.fileCount; ++i)
    if (!PlanFile(workFolder, package.files[i], deviceRoot, &out->files[i], fault)) return false;
  out->setupLibrary[0] = out->keptSetupLibrary[0] = L'\0';
  if (!Join(workFolder, SetupXmlName, out->setupXml, PathCap) ||
      !RecordPath(deviceRoot, package.appName, SetupXmlName, out->keptSetupXml) ||
      (package.setupDll[0] &&
       !RecordPath(deviceRoot, package.appName, package.setupDll, out->keptSetupLibrary)))
    return Fail(fault, L"the record of %ls does not fit in the device root", package.appName);
  if (package.setupDll[0] && !Join(workFolder, setupSource, out->setupLibrary, PathCap))
    return Fail(fault, L"the setup library %ls cannot be found", package.setupDll);
  out->previouslyInstalled = IsFolder(out->paths.recordFolder);
  return true;
}

bool PlanRemoval(const wchar_t* rootArg, const wchar_t* appName, RemovalPlan* out, Fault* fault) {
  wchar_t deviceRoot[PathCap], description[PathCap];
  if (!OpenDeviceRoot(rootArg, deviceRoot, fault)) return false;
  if (!HostCanHoldName(appName) || !RecordPath(deviceRoot, appName, SetupXmlName, description) ||
      !IsFile(description))
    return Fail(fault, L"%ls is not installed in %ls", appName, deviceRoot);
  if (!ReadSetupXml(description, &out->package, fault))
    return Fail(fault, L"%ls: %ls", description, fault->text);
  const PackageDescription& package = out->package;
  out->setupLibrary[0] = L'\0';
  return MapPackagePaths(package, deviceRoot, &out->paths, fault) &&
         (!package.setupDll[0] ||
          RecordPath(deviceRoot, package.appName, package.setupDll, out->setupLibrary) ||
          Fail(fault, L"the record of %ls does not fit in the device root", package.appName));
}
