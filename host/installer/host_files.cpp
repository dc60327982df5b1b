// Host file chores of the installer stand-in, bounded and checked.
#include "host/installer/host_files.h"

#include <cwchar>

namespace {

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

}  // namespace

bool Join(const wchar_t* dir, const wchar_t* name, wchar_t* out, size_t cap) {
  size_t len = wcslen(dir);
  bool slash = len > 0 && dir[len - 1] != L'\\';
  int n = swprintf(out, cap, slash ? L"%ls\\%ls" : L"%ls%ls", dir, name);
  return n > 0 && static_cast<size_t>(n) < cap;
}

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
  wcscpy(parent, path);
  wchar_t* slash = wcsrchr(parent, L'\\');
  if (slash) *slash = L'\0';
  return CreateFolders(deviceRoot, parent);
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
