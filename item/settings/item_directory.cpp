// The item's own folder, where the tool, the state images and the default
// SysInfo shortcuts are installed beside the library.
#include <cwchar>

#include "item/settings/item_settings.h"
#include "item/settings/registry_read.h"

// The module this code was linked into: the library, or a test program.
static HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&OwnModule), &module);
  return module;
}

void ItemDirectory(wchar_t* out, int capacity) {
  if (capacity < 1) return;
  out[0] = L'\0';
  wchar_t path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameW(OwnModule(), path, MAX_PATH + 1);
  // A name the buffer cut short would give a wrong folder: take none.
  if (length == 0 || length > MAX_PATH) return;
  path[length] = L'\0';
  wchar_t* slash = wcsrchr(path, L'\\');
  if (!slash) return;
  slash[1] = L'\0';
  CopyText(out, capacity, path);
}
