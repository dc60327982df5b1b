// Path text, bounded; nothing here touches the file system.
#include "host/installer/host_paths.h"

#include <cwchar>

namespace {

bool Append(wchar_t* out, size_t cap, size_t* len, const wchar_t* text, size_t count) {
  if (count >= cap - *len) return false;
  wmemcpy(out + *len, text, count);
  *len += count;
  out[*len] = L'\0';
  return true;
}

}  // namespace

bool Join(const wchar_t* dir, const wchar_t* name, wchar_t* out, size_t cap) {
  size_t len = wcslen(dir);
  bool slash = len > 0 && dir[len - 1] != L'\\';
  int n = swprintf(out, cap, slash ? L"%ls\\%ls" : L"%ls%ls", dir, name);
  return n > 0 && static_cast<size_t>(n) < cap;
}

void FolderOf(const wchar_t* path, wchar_t* out) {
  const wchar_t* slash = wcsrchr(path, L'\\');
  size_t n = slash ? static_cast<size_t>(slash - path) : wcslen(path);
  if (n >= PathCap) n = PathCap - 1;
  wmemcpy(out, path, n);
  out[n] = L'\0';
}

const wchar_t* FileName(const wchar_t* path) {
  const wchar_t* slash = wcsrchr(path, L'\\');
  return slash ? slash + 1 : path;
}

bool InsideFolder(const wchar_t* path, const wchar_t* folder) {
  const size_t n = wcslen(folder);
  return _wcsnicmp(path, folder, n) == 0 && (path[n] == L'\0' || path[n] == L'\\');
}

bool FullPath(const wchar_t* in, wchar_t* out, size_t cap) {
  DWORD n = GetFullPathNameW(in, static_cast<DWORD>(cap), out, nullptr);
  if (n == 0 || n >= cap) return false;
  size_t len = wcslen(out);
  if (len > 3 && out[len - 1] == L'\\') out[len - 1] = L'\0';
  return true;
}

bool DevicePathToHost(const wchar_t* devicePath, const wchar_t* deviceRoot, wchar_t* out) {
  constexpr size_t cap = MAX_PATH;  // with the terminator: below MAX_PATH
  out[0] = L'\0';
  size_t len = 0;
  bool ok = Append(out, cap, &len, deviceRoot, wcslen(deviceRoot));
  // Part by part, one backslash before each: doubled ones fall away.
  for (const wchar_t* p = devicePath; ok && *p;) {
    const size_t part = wcscspn(p, L"\\");
    if (part > 0)
      ok = (len > 0 && out[len - 1] == L'\\' ? true : Append(out, cap, &len, L"\\", 1)) &&
           Append(out, cap, &len, p, part);
    p += part;
    if (*p) ++p;
  }
  if (!ok) out[0] = L'\0';  // nothing half-made
  return ok;
}
