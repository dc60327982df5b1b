// One registry value, read defensively.
#include "host/common/registry_read.h"

#include <cwchar>

namespace {

// Queries name of root\path into data[size]; type and size as stored.
LONG Query(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* type, void* data,
           DWORD* size) {
  HKEY key = root;
  if (path && *path && RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return ERROR_FILE_NOT_FOUND;
  LONG rc = RegQueryValueExW(key, name, nullptr, type, static_cast<BYTE*>(data), size);
  if (key != root) RegCloseKey(key);
  return rc;
}

}  // namespace

bool ReadRegistryDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* value) {
  DWORD type = 0, data = 0, size = sizeof(data);
  if (Query(root, path, name, &type, &data, &size) != ERROR_SUCCESS || type != REG_DWORD ||
      size != sizeof(data))
    return false;
  *value = data;
  return true;
}

bool ReadRegistryText(HKEY root, const wchar_t* path, const wchar_t* name, wchar_t* dst,
                      size_t cap) {
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD type = 0, size = sizeof(buffer) - sizeof(wchar_t);
  if (!dst || cap == 0 || Query(root, path, name, &type, buffer, &size) != ERROR_SUCCESS)
    return false;
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || size % sizeof(wchar_t) != 0) return false;
  buffer[size / sizeof(wchar_t)] = 0;  // a text stored without terminator still ends here
  size_t length = wcslen(buffer);
  if (length >= cap) return false;
  wmemcpy(dst, buffer, length + 1);
  return true;
}
