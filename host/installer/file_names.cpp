// The host's rules for file names, as pure functions.
#include "host/installer/file_names.h"

#include <cwchar>
#include <cwctype>

namespace {

constexpr size_t NameCap = 260;

// The length of name once trailing dots and spaces are trimmed.
size_t TrimmedLength(const wchar_t* name) {
  size_t n = wcslen(name);
  while (n > 0 && (name[n - 1] == L'.' || name[n - 1] == L' ')) --n;
  return n;
}

bool IsReservedDeviceName(const wchar_t* name) {
  size_t stem = wcscspn(name, L".");
  while (stem > 0 && name[stem - 1] == L' ') --stem;
  static const wchar_t* const plain[] = {L"CON", L"PRN", L"AUX", L"NUL"};
  for (const wchar_t* device : plain)
    if (stem == 3 && _wcsnicmp(name, device, 3) == 0) return true;
  if (stem != 4 || name[3] < L'1' || name[3] > L'9') return false;
  return _wcsnicmp(name, L"COM", 3) == 0 || _wcsnicmp(name, L"LPT", 3) == 0;
}

}  // namespace

bool HostCanHoldName(const wchar_t* name) {
  const size_t n = wcslen(name);
  if (n == 0 || n >= NameCap || TrimmedLength(name) != n) return false;
  if (wcsspn(name, L".") == n) return false;  // ".", "..", "..."
  for (const wchar_t* p = name; *p; ++p)
    if (*p < 0x20 || *p == 0x7F || wcschr(L"\\/<>:\"|?*", *p)) return false;
  return !IsReservedDeviceName(name);
}

bool SameHostName(const wchar_t* a, const wchar_t* b) {
  const size_t n = TrimmedLength(a);
  return n == TrimmedLength(b) && _wcsnicmp(a, b, n) == 0;
}

bool HasExtension(const wchar_t* name, const wchar_t* ext) {
  const size_t n = wcslen(name), e = wcslen(ext);
  return n > e && _wcsicmp(name + n - e, ext) == 0;
}

bool DevicePathHoldable(const wchar_t* path) {
  wchar_t part[NameCap];
  for (const wchar_t* p = path;;) {
    const size_t len = wcscspn(p, L"\\");
    if (len >= NameCap) return false;
    wmemcpy(part, p, len);
    part[len] = L'\0';
    if (len > 0 && !HostCanHoldName(part)) return false;
    if (p[len] == L'\0') return true;
    p += len + 1;
  }
}
