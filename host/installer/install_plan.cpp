// The install plan: the package's paths mapped into the device root and
// checked against the host as it is now.
#include "host/installer/install_plan.h"

#include <cwchar>
#include <vector>

#include "host/installer/file_names.h"

namespace {

bool Fail(wchar_t* fault, size_t cap, const wchar_t* format, const wchar_t* what) {
  swprintf(fault, cap, format, what);
  return false;
}

// Maps one device path; the result must be a path the host opens as written.
bool MapPath(const wchar_t* devicePath, const wchar_t* deviceRoot, wchar_t* out) {
  return DevicePathToHost(devicePath, deviceRoot, out, PathCap) && wcslen(out) < MAX_PATH;
}

// The folder holding path.
void ParentOf(const wchar_t* path, wchar_t* out) {
  wcscpy(out, path);
  wchar_t* slash = wcsrchr(out, L'\\');
  if (slash) *slash = L'\0';
}

// Whether folder is file or lies inside it.
bool InsideFile(const wchar_t* folder, const wchar_t* file) {
  const size_t n = wcslen(file);
  return _wcsnicmp(folder, file, n) == 0 && (folder[n] == L'\0' || folder[n] == L'\\');
}

// The device's text shortcut in a package file, if that is what it holds.
bool ReadCeShortcut(const wchar_t* path, const wchar_t* name, CeShortcut* shortcut) {
  std::vector<char> bytes;
  if (!HasExtension(name, L".lnk") || !ReadSmallFile(path, &bytes, 4096)) return false;
  wchar_t text[4097];
  return DecodeUtf8Text(bytes.data(), bytes.size(), text, 4097) && ParseCeShortcut(text, shortcut);
}

// The folders the installation makes, each checked against the host.
bool CheckFolders(const PackagePaths& paths, wchar_t* fault, size_t cap) {
  std::vector<const wchar_t*> folders = {paths.installFolder, paths.recordFolder};
  std::vector<std::vector<wchar_t>> parents(static_cast<size_t>(paths.fileCount),
                                            std::vector<wchar_t>(PathCap));
  for (int i = 0; i < paths.fileCount; ++i) {
    ParentOf(paths.files[i], parents[i].data());
    folders.push_back(parents[i].data());
  }
  for (const wchar_t* folder : folders) {
    if (!FolderCanBeMade(paths.deviceRoot, folder))
      return Fail(fault, cap, L"the folder %ls cannot be made: a file stands in its way", folder);
    for (int i = 0; i < paths.fileCount; ++i)
      if (InsideFile(folder, paths.files[i]))
        return Fail(fault, cap, L"%ls would be both a file and a folder", paths.files[i]);
  }
  for (int i = 0; i < paths.fileCount; ++i)
    if (IsFolder(paths.files[i]))
      return Fail(fault, cap, L"%ls is a folder on the device", paths.files[i]);
  return true;
}

bool PlanFile(const OpenedCabinet& cabinet, const PackageFile& file, const wchar_t* deviceRoot,
              PlannedFile* out, wchar_t* fault, size_t cap) {
  *out = PlannedFile{};
  if (!Join(cabinet.folder, file.source, out->source, PathCap) || !IsFile(out->source))
    return Fail(fault, cap, L"the extracted %ls is missing", file.source);
  if (!ReadCeShortcut(out->source, FileName(file.path), &out->device)) return true;
  // The shell here starts only its own shortcut format, and only with an
  // absolute target: the device's shortcut becomes one into the device root.
  if (!MapPath(out->device.target, deviceRoot, out->target))
    return Fail(fault, cap, L"the shortcut %ls leads outside the device root", file.path);
  out->shortcut = true;
  return true;
}

}  // namespace

bool MapPackagePaths(const PackageDescription& package, const wchar_t* deviceRoot,
                     PackagePaths* out, wchar_t* fault, size_t cap) {
  *out = PackagePaths{};
  wchar_t record[PathCap];
  if (wcslen(deviceRoot) >= PathCap || !Join(AppRecordFolder, package.appName, record, PathCap))
    return Fail(fault, cap, L"the device root %ls is too long", deviceRoot);
  wcscpy(out->deviceRoot, deviceRoot);
  if (!MapPath(package.installDir, deviceRoot, out->installFolder))
    return Fail(fault, cap, L"the install folder %ls does not fit in the device root",
                package.installDir);
  if (!MapPath(record, deviceRoot, out->recordFolder))
    return Fail(fault, cap, L"the record folder %ls does not fit in the device root", record);
  for (int i = 0; i < package.fileCount; ++i) {
    if (!MapPath(package.files[i].path, deviceRoot, out->files[i]))
      return Fail(fault, cap, L"%ls does not fit in the device root", package.files[i].path);
    for (int j = 0; j < i; ++j)
      if (_wcsicmp(out->files[j], out->files[i]) == 0)
        return Fail(fault, cap, L"_setup.xml names %ls twice", package.files[i].path);
  }
  out->fileCount = package.fileCount;
  return true;
}

bool BuildInstallPlan(const OpenedCabinet& cabinet, const PackageDescription& package,
                      const wchar_t* deviceRoot, InstallPlan* out, wchar_t* fault, size_t cap) {
  out->setupXml[0] = out->setupLibrary[0] = L'\0';
  if (!MapPackagePaths(package, deviceRoot, &out->paths, fault, cap) ||
      !CheckFolders(out->paths, fault, cap))
    return false;
  for (int i = 0; i < package.fileCount; ++i)
    if (!PlanFile(cabinet, package.files[i], deviceRoot, &out->files[i], fault, cap)) return false;
  wchar_t kept[PathCap];
  if (!Join(cabinet.folder, SetupXmlName, out->setupXml, PathCap) ||
      !Join(out->paths.recordFolder, package.setupDll, kept, PathCap) || wcslen(kept) >= MAX_PATH)
    return Fail(fault, cap, L"the record of %ls does not fit in the device root", package.appName);
  if (package.setupDll[0] && !Join(cabinet.folder, cabinet.setupSource, out->setupLibrary, PathCap))
    return Fail(fault, cap, L"the setup library %ls cannot be found", package.setupDll);
  out->previouslyInstalled = IsFolder(out->paths.recordFolder);
  return true;
}
