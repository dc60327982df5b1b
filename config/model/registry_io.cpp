// Registry helpers of the tool.
#include "config/model/registry_io.h"

#include <cwchar>

#include "common/registry_names.h"
#include "config/model/text_util.h"

bool ReadDword(HKEY key, const wchar_t* name, int* value) {
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

bool ReadDword(HKEY key, const wchar_t* name, COLORREF* value) {
  int v = 0;
  if (!ReadDword(key, name, &v)) return false;
  *value = static_cast<COLORREF>(v);
  return true;
}

bool ReadText(HKEY key, const wchar_t* name, wchar_t* text, size_t capacity) {
  // One unit more than the slot, so a text that fills the slot exactly
  // without its terminator is seen as too long rather than cut.
  wchar_t buffer[TextSlot + 1];
  if (capacity == 0 || capacity > TextSlot) return false;
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(capacity * sizeof(wchar_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS)
    return false;
  if (type != REG_SZ || size % sizeof(wchar_t) != 0) return false;
  size_t units = size / sizeof(wchar_t);
  size_t length = BoundedLength(buffer, units);
  // A text stored without its terminator is taken when it still leaves room
  // for one, as the item takes it; otherwise the tool would show and save
  // the default over a text the item shows.
  if (length > capacity - 1) return false;
  buffer[length] = L'\0';
  return CopyText(text, capacity, buffer);
}

bool WriteDword(HKEY key, const wchar_t* name, int value) {
  DWORD data = static_cast<DWORD>(value);
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof(data)) == ERROR_SUCCESS;
}

bool WriteDword(HKEY key, const wchar_t* name, COLORREF value) {
  return WriteDword(key, name, static_cast<int>(value));
}

bool WriteText(HKEY key, const wchar_t* name, const wchar_t* text, size_t capacity) {
  size_t length = BoundedLength(text, capacity);
  if (length >= capacity) return false;  // a slot without terminator is never written
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>((length + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void FileValueName(int index, wchar_t* name, size_t capacity) {
  swprintf(name, capacity, L"%ls%i", ValFileNamePrefix, index);
}

HKEY OpenForReading(HKEY root, const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

HKEY CreateForWriting(HKEY root, const wchar_t* path) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                      &disposition) != ERROR_SUCCESS)
    return nullptr;
  return key;
}
