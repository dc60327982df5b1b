// Device paths mapped into the device root, the device's shortcut text, and
// the UTF-8 text of small files.
#include "host/installer/device_path.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

#include "host/installer/file_names.h"

namespace {

bool Append(wchar_t* out, size_t cap, size_t* len, const wchar_t* text, size_t count) {
  if (count >= cap - *len) return false;
  wmemcpy(out + *len, text, count);
  *len += count;
  out[*len] = L'\0';
  return true;
}

void CopyBounded(wchar_t* slot, size_t cap, const wchar_t* text, size_t count) {
  if (count > cap - 1) count = cap - 1;
  wmemcpy(slot, text, count);
  slot[count] = L'\0';
}

}  // namespace

bool DevicePathToHost(const wchar_t* devicePath, const wchar_t* deviceRoot, wchar_t* out,
                      size_t cap) {
  if (cap == 0) return false;
  out[0] = L'\0';
  if (!DevicePathHoldable(devicePath)) return false;
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

bool ParseCeShortcut(const wchar_t* text, CeShortcut* out) {
  out->target[0] = out->arguments[0] = L'\0';
  const wchar_t* p = text;
  if (!iswdigit(*p)) return false;
  while (iswdigit(*p)) ++p;  // the count is not trusted: the line's end is
  if (*p++ != L'#') return false;
  const wchar_t* end = p;
  while (*end && *end != L'\r' && *end != L'\n') ++end;

  const wchar_t* target = p;
  const wchar_t* targetEnd;
  const wchar_t* rest;
  if (*p == L'"') {
    target = p + 1;
    targetEnd = target;
    while (targetEnd < end && *targetEnd != L'"') ++targetEnd;
    if (targetEnd == end) return false;  // unclosed quote
    rest = targetEnd + 1;
  } else {
    targetEnd = p;
    while (targetEnd < end && *targetEnd != L' ') ++targetEnd;
    rest = targetEnd;
  }
  size_t targetLen = static_cast<size_t>(targetEnd - target);
  if (targetLen == 0) return false;
  while (rest < end && *rest == L' ') ++rest;
  size_t argsLen = static_cast<size_t>(end - rest);
  while (argsLen > 0 && rest[argsLen - 1] == L' ') --argsLen;

  // A bare name is one of the device's own programs in \Windows.
  bool bare = wmemchr(target, L'\\', targetLen) == nullptr;
  const wchar_t* prefix = bare ? L"\\Windows\\" : L"";
  size_t prefixLen = wcslen(prefix);
  if (prefixLen + targetLen >= ShortcutSlot || argsLen >= ShortcutSlot) return false;
  CopyBounded(out->target, ShortcutSlot, prefix, prefixLen);
  CopyBounded(out->target + prefixLen, ShortcutSlot - prefixLen, target, targetLen);
  CopyBounded(out->arguments, ShortcutSlot, rest, argsLen);
  return true;
}

bool DecodeUtf8Text(const char* bytes, size_t size, wchar_t* out, size_t cap) {
  if (cap == 0) return false;
  out[0] = L'\0';
  if (size >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
      static_cast<unsigned char>(bytes[1]) == 0xBB &&
      static_cast<unsigned char>(bytes[2]) == 0xBF) {
    bytes += 3;
    size -= 3;
  }
  if (size == 0) return true;
  if (size > 0x7FFFFFFF || cap - 1 > 0x7FFFFFFF) return false;
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), out,
                              static_cast<int>(cap - 1));
  if (n <= 0) return false;
  out[n] = L'\0';
  return true;
}
