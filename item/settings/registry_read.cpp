// Registry reads that never overflow a slot nor trust a stored length.
#include "item/settings/registry_read.h"

#include <cwchar>

bool ReadDwordValue(HKEY key, const wchar_t* name, int* value) {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
      ERROR_SUCCESS)
    return false;
  if (type != REG_DWORD || size != sizeof(data)) return false;
  *value = static_cast<int>(data);
  return true;
}

bool ReadDwordAt(HKEY root, const wchar_t* path, const wchar_t* name, int* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const bool read = ReadDwordValue(key, name, value);
  RegCloseKey(key);
  return read;
}

bool ReadTextValue(HKEY key, const wchar_t* name, wchar_t* text, int capacity) {
  if (capacity < 1 || capacity > TextSlot) return false;
  // One unit more than the slot, so a slot-filling text without terminator is seen whole.
  wchar_t buffer[TextSlot + 1] = {};
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(capacity * sizeof(wchar_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS)
    return false;  // missing, or longer than the slot (ERROR_MORE_DATA)
  if (type != REG_SZ || size % sizeof(wchar_t) != 0) return false;
  int units = static_cast<int>(size / sizeof(wchar_t));
  int length = 0;
  while (length < units && buffer[length] != L'\0') ++length;
  // A text stored without its terminator is taken when it still leaves room for one.
  if (length > capacity - 1) return false;
  wmemcpy(text, buffer, length);
  text[length] = L'\0';
  return true;
}

void ReadFontSpec(HKEY key, const wchar_t* suffix, const wchar_t* colorName, FontSpec* spec) {
  wchar_t name[64];
  swprintf(name, 64, L"%ls%ls", ValFontName, suffix);
  ReadTextValue(key, name, spec->FontName, TextSlot);
  swprintf(name, 64, L"%ls%ls", ValFontSize, suffix);
  ReadDwordValue(key, name, &spec->FontSize);
  swprintf(name, 64, L"%ls%ls", ValFontBold, suffix);
  ReadDwordValue(key, name, &spec->FontBold);
  swprintf(name, 64, L"%ls%ls", colorName, suffix);
  ReadDwordValue(key, name, &spec->FontColor);
  swprintf(name, 64, L"%ls%ls", ValClearType, suffix);
  ReadDwordValue(key, name, &spec->ClearType);
}
