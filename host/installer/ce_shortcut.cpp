// The device's shortcut text, parsed as the device's shell reads it.
#include "host/installer/ce_shortcut.h"

#include <cwchar>
#include <cwctype>
#include <vector>

#include "host/installer/file_names.h"
#include "host/installer/host_files.h"
#include "host/installer/narrow_text.h"

namespace {

constexpr DWORD MaxShortcutBytes = 4096;

void CopyBounded(wchar_t* slot, size_t cap, const wchar_t* text, size_t count) {
  if (count > cap - 1) count = cap - 1;
  wmemcpy(slot, text, count);
  slot[count] = L'\0';
}

}  // namespace

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

bool ReadCeShortcut(const wchar_t* path, const wchar_t* name, CeShortcut* out) {
  std::vector<char> bytes;
  if (!HasExtension(name, L".lnk") || !ReadSmallFile(path, &bytes, MaxShortcutBytes)) return false;
  wchar_t text[MaxShortcutBytes + 1];
  return DecodeUtf8Text(bytes.data(), bytes.size(), text, MaxShortcutBytes + 1) &&
         ParseCeShortcut(text, out);
}
