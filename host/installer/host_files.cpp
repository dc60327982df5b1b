// Host file chores of the installer stand-in, bounded and checked.
#include "host/installer/host_files.h"

#include <cwchar>

namespace {

constexpr ULONGLONG ReleaseWaitMs = 5000;
constexpr DWORD ReleasePollMs = 50;

// Calls visit with every level of folder below deviceRoot, shortest first;
// stops at the first false.
template <typename Visit>
bool ForEachLevel(const wchar_t* deviceRoot, const wchar_t* folder, Visit visit) {
  wchar_t partial[PathCap];
  const size_t start = wcslen(deviceRoot);
  const size_t len = wcslen(folder);
  if (len >= PathCap || len < start) return false;
  for (size_t i = start + 1; i <= len; ++i) {
    if (folder[i] != L'\\' && folder[i] != L'\0') continue;
    wmemcpy(partial, folder, i);
    partial[i] = L'\0';
    if (!visit(partial)) return false;
  }
  return true;
}

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

int FirstLockedFile(const wchar_t (*files)[PathCap], int count, DWORD* error) {
  for (int i = 0; i < count; ++i)
    if (!CanReplace(files[i], error)) return i;
  return -1;
}

}  // namespace

bool IsFolder(const wchar_t* path) {
  DWORD a = GetFileAttributesW(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const wchar_t* path) {
  DWORD a = GetFileAttributesW(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

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

bool FolderCanBeMade(const wchar_t* deviceRoot, const wchar_t* folder) {
  return ForEachLevel(deviceRoot, folder, [](const wchar_t* level) {
    return GetFileAttributesW(level) == INVALID_FILE_ATTRIBUTES || IsFolder(level);
  });
}

bool CreateFolders(const wchar_t* deviceRoot, const wchar_t* folder) {
  return ForEachLevel(deviceRoot, folder, [](const wchar_t* level) {
    return IsFolder(level) || CreateDirectoryW(level, nullptr);
  });
}

bool CreateParentFolders(const wchar_t* deviceRoot, const wchar_t* path) {
  wchar_t parent[PathCap];
  if (wcslen(path) >= PathCap) return false;
  FolderOf(path, parent);
  return CreateFolders(deviceRoot, parent);
}

bool MakeWorkFolder(wchar_t* out) {
  wchar_t temp[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  out[0] = L'\0';
  if (n == 0 || n > MAX_PATH) return false;
  for (int attempt = 0; attempt < 100; ++attempt) {
    int len = swprintf(out, PathCap, L"%lstvrinstall-%lu-%lu-%d", temp, GetCurrentProcessId(),
                       GetTickCount(), attempt);
    if (len > 0 && CreateDirectoryW(out, nullptr)) return true;
  }
  out[0] = L'\0';
  return false;
}

void DeleteFlatFolder(const wchar_t* folder) {
  wchar_t pattern[PathCap], path[PathCap];
  if (!Join(folder, L"*", pattern, PathCap)) return;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(pattern, &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      if (Join(folder, found.cFileName, path, PathCap)) DeleteFileW(path);
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  RemoveDirectoryW(folder);
}

bool WaitForRelease(const wchar_t (*files)[PathCap], int count, const wchar_t* verb, Fault* waited,
                    Fault* fault) {
  const ULONGLONG start = GetTickCount64();
  DWORD error = 0;
  int locked = FirstLockedFile(files, count, &error);
  const int first = locked;
  while (locked >= 0 && GetTickCount64() - start < ReleaseWaitMs) {
    Sleep(ReleasePollMs);
    locked = FirstLockedFile(files, count, &error);
  }
  waited->text[0] = L'\0';
  if (locked >= 0)
    return Fail(fault, L"cannot %ls %ls (error %lu: in use by a running program)", verb,
                files[locked], error);
  if (first >= 0)
    Fail(waited, L"waited %llu ms for %ls to be released", GetTickCount64() - start,
         FileName(files[first]));
  return true;
}
