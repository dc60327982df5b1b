// Installation and removal as the cabinet installer orders them:
// Install_Init, files, registry section, Install_Exit; Uninstall_Init,
// files and keys, Uninstall_Exit.
#include "host/installer/install_actions.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "host/installer/cabinet_package.h"
#include "host/installer/device_path.h"
#include "host/installer/report.h"
#include "host/installer/setup_xml.h"
#include "host/installer/shell_link.h"
#include "platform/ce_setup.h"

namespace {

constexpr size_t PathCap = MAX_PATH * 2;
constexpr ULONGLONG ReleaseWaitMs = 5000;
constexpr DWORD ReleasePollMs = 50;

PackageDescription Package;  // large: static, as the installer holds one at a time

struct SetupLibrary {
  HMODULE module;
  pfnINSTALL_INIT installInit;
  pfnINSTALL_EXIT installExit;
  pfnUNINSTALL_INIT uninstallInit;
  pfnUNINSTALL_EXIT uninstallExit;
};

struct FailureCounts {
  WORD folders, files, keys, values, shortcuts;
};

void Bump(WORD* count) {
  if (*count < 0xFFFF) ++*count;
}

bool Join(const wchar_t* dir, const wchar_t* name, wchar_t* out, size_t cap) {
  size_t len = wcslen(dir);
  bool slash = len > 0 && dir[len - 1] != L'\\';
  int n = swprintf(out, cap, slash ? L"%ls\\%ls" : L"%ls%ls", dir, name);
  return n > 0 && static_cast<size_t>(n) < cap;
}

// An absolute path without a trailing backslash (unless it is a drive root).
bool FullPath(const wchar_t* in, wchar_t* out, size_t cap) {
  DWORD n = GetFullPathNameW(in, static_cast<DWORD>(cap), out, nullptr);
  if (n == 0 || n >= cap) return false;
  size_t len = wcslen(out);
  if (len > 3 && out[len - 1] == L'\\') out[len - 1] = L'\0';
  return true;
}

bool IsFolder(const wchar_t* path) {
  DWORD a = GetFileAttributesW(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const wchar_t* path) {
  DWORD a = GetFileAttributesW(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

const wchar_t* FileName(const wchar_t* path) {
  const wchar_t* slash = wcsrchr(path, L'\\');
  return slash ? slash + 1 : path;
}

// Reads a small file whole; false when missing, unreadable or larger than cap.
bool ReadSmallFile(const wchar_t* path, std::vector<char>* bytes, DWORD cap) {
  HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(f, &size) && size.QuadPart <= cap;
  DWORD got = 0;
  if (ok) {
    bytes->resize(static_cast<size_t>(size.QuadPart));
    ok = bytes->empty() ||
         (ReadFile(f, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr) &&
          got == bytes->size());
  }
  CloseHandle(f);
  return ok;
}

bool LoadSetupLibrary(const wchar_t* path, SetupLibrary* lib) {
  *lib = SetupLibrary{};
  lib->module = LoadLibraryW(path);
  if (!lib->module) {
    ReportError(L"cannot load the setup library %ls (error %lu)", path, GetLastError());
    return false;
  }
  lib->installInit = reinterpret_cast<pfnINSTALL_INIT>(
      reinterpret_cast<void*>(GetProcAddress(lib->module, szINSTALL_INIT)));
  lib->installExit = reinterpret_cast<pfnINSTALL_EXIT>(
      reinterpret_cast<void*>(GetProcAddress(lib->module, szINSTALL_EXIT)));
  lib->uninstallInit = reinterpret_cast<pfnUNINSTALL_INIT>(
      reinterpret_cast<void*>(GetProcAddress(lib->module, szUNINSTALL_INIT)));
  lib->uninstallExit = reinterpret_cast<pfnUNINSTALL_EXIT>(
      reinterpret_cast<void*>(GetProcAddress(lib->module, szUNINSTALL_EXIT)));
  return true;
}

void FreeSetupLibrary(SetupLibrary* lib) {
  if (lib->module) FreeLibrary(lib->module);
  *lib = SetupLibrary{};
}

// Creates every missing level of path below the device root.
bool CreateFolders(const wchar_t* deviceRoot, const wchar_t* path) {
  wchar_t partial[PathCap];
  size_t start = wcslen(deviceRoot);
  size_t len = wcslen(path);
  if (len >= PathCap) return false;
  for (size_t i = start + 1; i <= len; ++i) {
    if (path[i] != L'\\' && path[i] != L'\0') continue;
    wmemcpy(partial, path, i);
    partial[i] = L'\0';
    if (!IsFolder(partial) && !CreateDirectoryW(partial, nullptr)) return false;
  }
  return true;
}

// The folder holding path, created below the device root when missing.
bool CreateParentFolders(const wchar_t* deviceRoot, const wchar_t* path) {
  wchar_t parent[PathCap];
  if (wcslen(path) >= PathCap) return false;
  wcscpy(parent, path);
  wchar_t* slash = wcsrchr(parent, L'\\');
  if (slash) *slash = L'\0';
  return CreateFolders(deviceRoot, parent);
}

// Whether an existing file could be overwritten or deleted now: a library
// that a process has loaded cannot.
bool CanReplace(const wchar_t* path, DWORD* error) {
  if (!IsFile(path)) return true;
  HANDLE f = CreateFileW(path, GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    return false;
  }
  CloseHandle(f);
  return true;
}

bool HasExtension(const wchar_t* name, const wchar_t* ext) {
  size_t n = wcslen(name), e = wcslen(ext);
  return n >= e && _wcsicmp(name + n - e, ext) == 0;
}

// The device's text shortcut in a package file, if that is what it holds.
bool ReadCeShortcut(const wchar_t* path, const wchar_t* name, CeShortcut* shortcut) {
  std::vector<char> bytes;
  if (!HasExtension(name, L".lnk") || !ReadSmallFile(path, &bytes, 4096)) return false;
  wchar_t text[4097];
  return DecodeUtf8Text(bytes.data(), bytes.size(), text, 4097) && ParseCeShortcut(text, shortcut);
}

const wchar_t* RootName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
  if (root == HKEY_CURRENT_USER) return L"HKCU";
  return L"HKCR";
}

void WriteRegistrySection(FailureCounts* failed) {
  for (int i = 0; i < Package.valueCount; ++i) {
    const PackageValue& v = Package.values[i];
    HKEY key = nullptr;
    if (RegCreateKeyExW(v.root, v.subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
      Bump(&failed->keys);
      Report(L"  registry %ls\\%ls: cannot create the key", RootName(v.root), v.subkey);
      continue;
    }
    LONG rc;
    if (v.type == REG_DWORD) {
      rc = RegSetValueExW(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.number),
                          sizeof v.number);
      Report(L"  registry %ls\\%ls: %ls = %lu", RootName(v.root), v.subkey, v.name, v.number);
    } else {
      DWORD bytes = static_cast<DWORD>((wcslen(v.text) + 1) * sizeof(wchar_t));
      rc = RegSetValueExW(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.text), bytes);
      Report(L"  registry %ls\\%ls: %ls = \"%ls\"", RootName(v.root), v.subkey, v.name, v.text);
    }
    if (rc != ERROR_SUCCESS) {
      Bump(&failed->values);
      Report(L"    failed (error %ld)", rc);
    }
    RegCloseKey(key);
  }
}

bool RecordFolder(const wchar_t* deviceRoot, const wchar_t* appName, wchar_t* out, size_t cap) {
  wchar_t device[PathCap];
  int n = swprintf(device, PathCap, L"%ls\\%ls", AppRecordFolder, appName);
  return n > 0 && appName[0] && DevicePathToHost(device, deviceRoot, out, cap);
}

// Keeps the description and the setup library where the removal finds them:
// the description under its own name, the library under the name it had.
bool SaveRecord(const wchar_t* deviceRoot, const OpenedCabinet& cabinet) {
  wchar_t folder[PathCap], target[PathCap], source[PathCap];
  if (!RecordFolder(deviceRoot, Package.appName, folder, PathCap)) return false;
  DeleteFlatFolder(folder);  // what an earlier installation kept
  if (!CreateFolders(deviceRoot, folder) || !Join(cabinet.folder, SetupXmlName, source, PathCap) ||
      !Join(folder, SetupXmlName, target, PathCap) || !CopyFileW(source, target, FALSE))
    return false;
  if (!Package.setupDll[0]) return true;
  return Join(cabinet.folder, cabinet.setupSource, source, PathCap) &&
         Join(folder, Package.setupDll, target, PathCap) && CopyFileW(source, target, FALSE);
}

bool HostPath(const wchar_t* deviceRoot, int file, wchar_t* out) {
  return DevicePathToHost(Package.files[file].path, deviceRoot, out, PathCap);
}

// The first file of the package that cannot be replaced now; -1 when every
// one can.
int FirstLockedFile(const wchar_t* deviceRoot, DWORD* error) {
  for (int i = 0; i < Package.fileCount; ++i) {
    wchar_t dest[PathCap];
    if (!HostPath(deviceRoot, i, dest) || !CanReplace(dest, error)) return i;
  }
  return -1;
}

// Checks every file the package would replace (verb "replace") or remove
// before the first is touched. A shell may answer the reload signal after the
// signal has returned, so a library still held is given a bounded moment to
// be freed.
bool AllReplaceable(const wchar_t* deviceRoot, const wchar_t* verb) {
  const ULONGLONG start = GetTickCount64();
  DWORD error = 0;
  int locked = FirstLockedFile(deviceRoot, &error);
  const int first = locked;
  while (locked >= 0 && GetTickCount64() - start < ReleaseWaitMs) {
    Sleep(ReleasePollMs);
    locked = FirstLockedFile(deviceRoot, &error);
  }
  if (locked < 0) {
    if (first >= 0)
      Report(L"  waited %llu ms for %ls to be released", GetTickCount64() - start,
             FileName(Package.files[first].path));
    return true;
  }
  wchar_t dest[PathCap] = L"";
  HostPath(deviceRoot, locked, dest);
  ReportError(L"cannot %ls %ls (error %lu: in use by a running program)", verb, dest, error);
  return false;
}

enum class CopyOutcome { Copied, Absent, Failed };

CopyOutcome InstallFile(const OpenedCabinet& cabinet, const wchar_t* deviceRoot, int file,
                        FailureCounts* failed) {
  const PackageFile& f = Package.files[file];
  const wchar_t* name = FileName(f.path);
  wchar_t source[PathCap], dest[PathCap];
  if (!Join(cabinet.folder, f.source, source, PathCap) || !HostPath(deviceRoot, file, dest))
    return CopyOutcome::Failed;
  if (!CreateParentFolders(deviceRoot, dest)) {
    Bump(&failed->folders);
    Report(L"  skipped %ls: its folder cannot be made", name);
    return CopyOutcome::Absent;
  }
  CeShortcut shortcut;
  if (ReadCeShortcut(source, name, &shortcut)) {
    // The shell here starts only its own shortcut format, and only with an
    // absolute target: the device's shortcut becomes one into the device root.
    wchar_t target[PathCap];
    if (!DevicePathToHost(shortcut.target, deviceRoot, target, PathCap) ||
        !WriteShellLink(dest, target, shortcut.arguments, deviceRoot)) {
      Bump(&failed->shortcuts);
      Report(L"  shortcut %ls: cannot be written", name);
      return CopyOutcome::Absent;
    }
    Report(L"  shortcut %ls -> %ls %ls", name, shortcut.target, shortcut.arguments);
    return CopyOutcome::Copied;
  }
  if (!CopyFileW(source, dest, FALSE)) {
    ReportError(
        L"cannot replace %ls (error %lu); stopped: the files before it were copied, the "
        L"Today entry stays deleted until an installation finishes; install again.",
        dest, GetLastError());
    return CopyOutcome::Failed;
  }
  Report(L"  copied %ls", name);
  return CopyOutcome::Copied;
}

// Install_Init, the files, the registry section, the record and Install_Exit,
// from a cabinet opened and checked already.
int InstallOpened(const OpenedCabinet& cabinet, const wchar_t* deviceRoot) {
  wchar_t installFolder[PathCap], setupPath[PathCap], record[PathCap];
  if (!DevicePathToHost(Package.installDir, deviceRoot, installFolder, PathCap) ||
      !RecordFolder(deviceRoot, Package.appName, record, PathCap)) {
    ReportError(L"install folder %ls does not fit in the device root", Package.installDir);
    return InstallerRefused;
  }
  for (int i = 0; i < Package.fileCount; ++i) {
    if (!HostPath(deviceRoot, i, setupPath)) {
      ReportError(L"%ls does not fit in the device root", Package.files[i].path);
      return InstallerRefused;
    }
  }
  const bool previously = IsFolder(record);

  SetupLibrary lib{};
  if (Package.setupDll[0]) {
    if (!Join(cabinet.folder, cabinet.setupSource, setupPath, PathCap) ||
        !LoadSetupLibrary(setupPath, &lib))
      return InstallerRefused;
    if (!lib.installInit || !lib.installExit) {
      ReportError(L"%ls lacks Install_Init or Install_Exit", Package.setupDll);
      FreeSetupLibrary(&lib);
      return InstallerRefused;
    }
  }
  if (lib.installInit) {
    codeINSTALL_INIT code =
        lib.installInit(nullptr, TRUE, previously ? TRUE : FALSE, Package.installDir);
    Report(L"  Install_Init(first call, %ls, \"%ls\") = %d",
           previously ? L"previously installed" : L"not installed before", Package.installDir,
           static_cast<int>(code));
    if (code != codeINSTALL_INIT_CONTINUE) {
      Report(L"The setup library cancelled the installation.");
      FreeSetupLibrary(&lib);
      return InstallerStopped;
    }
  }

  FailureCounts failed{};
  if (!CreateFolders(deviceRoot, installFolder)) {
    ReportError(L"cannot create %ls; stopped, nothing more was changed", installFolder);
    FreeSetupLibrary(&lib);
    return InstallerStopped;
  }
  if (!AllReplaceable(deviceRoot, L"replace")) {
    // Install_Init has run: what it did stays, and is what the user must know.
    ReportError(
        L"stopped before any file was touched, but the setup library had already switched the "
        L"item off and deleted its Today entry. Close the program that holds the file "
        L"(a Today screen of another desktop, a debugger) and install again.");
    FreeSetupLibrary(&lib);
    return InstallerStopped;
  }
  for (int i = 0; i < Package.fileCount; ++i) {
    if (InstallFile(cabinet, deviceRoot, i, &failed) == CopyOutcome::Failed) {
      FreeSetupLibrary(&lib);
      return InstallerStopped;
    }
  }
  WriteRegistrySection(&failed);
  if (!SaveRecord(deviceRoot, cabinet))
    Report(L"  warning: could not keep the removal record in %ls", record);

  if (lib.installExit) {
    codeINSTALL_EXIT code =
        lib.installExit(nullptr, Package.installDir, failed.folders, failed.files, failed.keys,
                        failed.values, failed.shortcuts);
    Report(L"  Install_Exit(failed: %u folders, %u files, %u keys, %u values, %u shortcuts) = %d",
           failed.folders, failed.files, failed.keys, failed.values, failed.shortcuts,
           static_cast<int>(code));
  }
  FreeSetupLibrary(&lib);
  Report(L"Installed %ls in %ls.", Package.appName, installFolder);
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
  // The whole cabinet is extracted and checked before the device is touched.
  OpenedCabinet cabinet;
  wchar_t error[600];
  if (!OpenCabinet(cabinetPath, &Package, &cabinet, error, 600)) {
    ReportError(L"%ls: %ls; nothing was changed", cabinetPath, error);
    CloseCabinet(&cabinet);
    return InstallerRefused;
  }
  Report(L"Installing %ls from %ls into %ls", Package.appName, cabinetPath, deviceRoot);
  int result = InstallOpened(cabinet, deviceRoot);
  CloseCabinet(&cabinet);
  return result;
}

int RemovePackage(const wchar_t* rootArg, const wchar_t* appName) {
  wchar_t deviceRoot[PathCap], record[PathCap], description[PathCap];
  wchar_t installFolder[PathCap], setupPath[PathCap], path[PathCap];
  if (!FullPath(rootArg, deviceRoot, PathCap) || !IsFolder(deviceRoot)) {
    ReportError(L"no device root folder %ls", rootArg);
    return InstallerRefused;
  }
  if (!RecordFolder(deviceRoot, appName, record, PathCap) ||
      !Join(record, SetupXmlName, description, PathCap) || !IsFile(description)) {
    ReportError(L"%ls is not installed in %ls", appName, deviceRoot);
    return InstallerRefused;
  }
  wchar_t error[600];
  if (!ReadSetupXml(description, &Package, error, 600)) {
    ReportError(L"%ls: %ls", description, error);
    return InstallerRefused;
  }
  if (!DevicePathToHost(Package.installDir, deviceRoot, installFolder, PathCap))
    return InstallerRefused;
  Report(L"Removing %ls from %ls", Package.appName, deviceRoot);

  SetupLibrary lib{};
  if (Package.setupDll[0] &&
      (!Join(record, Package.setupDll, setupPath, PathCap) || !LoadSetupLibrary(setupPath, &lib)))
    return InstallerRefused;
  if (lib.uninstallInit) {
    codeUNINSTALL_INIT code = lib.uninstallInit(nullptr, Package.installDir);
    Report(L"  Uninstall_Init(\"%ls\") = %d", Package.installDir, static_cast<int>(code));
    if (code != codeUNINSTALL_INIT_CONTINUE) {
      Report(L"The setup library cancelled the removal.");
      FreeSetupLibrary(&lib);
      return InstallerStopped;
    }
  }
  if (!AllReplaceable(deviceRoot, L"remove")) {
    ReportError(
        L"stopped: nothing was removed, but the setup library had already switched the "
        L"item off (\"Enabled\" 0). Close the program that holds the file (a Today "
        L"screen of another desktop, a debugger) and remove again.");
    FreeSetupLibrary(&lib);
    return InstallerStopped;
  }
  for (int i = 0; i < Package.fileCount; ++i) {
    if (!HostPath(deviceRoot, i, path) || !IsFile(path)) continue;
    if (!DeleteFileW(path)) {
      ReportError(L"cannot remove %ls (error %lu); stopped, nothing more was changed", path,
                  GetLastError());
      FreeSetupLibrary(&lib);
      return InstallerStopped;
    }
    Report(L"  removed %ls", FileName(Package.files[i].path));
  }
  // The files' folders go when the package emptied them.
  for (int i = 0; i < Package.fileCount; ++i) {
    wchar_t* slash = HostPath(deviceRoot, i, path) ? wcsrchr(path, L'\\') : nullptr;
    if (!slash) continue;
    *slash = L'\0';
    RemoveDirectoryW(path);
  }
  if (!RemoveDirectoryW(installFolder) && IsFolder(installFolder))
    Report(L"  kept %ls: not empty", installFolder);
  for (int i = 0; i < Package.valueCount; ++i) {
    const PackageValue& v = Package.values[i];
    bool seen = false;  // one delete per key
    for (int j = 0; j < i; ++j)
      seen = seen ||
             (Package.values[j].root == v.root && !_wcsicmp(Package.values[j].subkey, v.subkey));
    if (seen) continue;
    LONG rc = RegDeleteTreeW(v.root, v.subkey);
    Report(L"  registry %ls\\%ls: %ls", RootName(v.root), v.subkey,
           rc == ERROR_SUCCESS ? L"deleted" : L"was not there");
  }
  if (lib.uninstallExit) {
    codeUNINSTALL_EXIT code = lib.uninstallExit(nullptr);
    Report(L"  Uninstall_Exit() = %d", static_cast<int>(code));
  }
  FreeSetupLibrary(&lib);
  DeleteFlatFolder(record);
  Report(L"Removed %ls.", Package.appName);
  return InstallerDone;
}
