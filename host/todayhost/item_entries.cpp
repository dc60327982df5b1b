// Reading the Today shell's item entries.
#include "host/todayhost/item_entries.h"

#include "common/registry_names.h"
#include "host/common/registry_read.h"
#include "host/todayhost/text_util.h"

static void ReadEntry(HKEY entryKey, const wchar_t* name, ItemEntry* e) {
  *e = ItemEntry{};
  CopyText(e->name, MAX_ITEMNAME, name);
  ReadRegistryText(entryKey, nullptr, ValDLL, e->dll, MAX_PATH);
  ReadRegistryDword(entryKey, nullptr, ValType, &e->type);
  ReadRegistryDword(entryKey, nullptr, ValEnabled, &e->enabled);
  ReadRegistryDword(entryKey, nullptr, ValOptions, &e->options);
  ReadRegistryDword(entryKey, nullptr, ValOrder, &e->order);
  ReadRegistryDword(entryKey, nullptr, ValFlags, &e->flags);
  ReadRegistryDword(entryKey, nullptr, ValSelectability, &e->selectability);
}

// Reads subkeys until cap entries that pass keep() are stored.
static int ReadEntries(HKEY root, const wchar_t* key, ItemEntry* out, int cap,
                       bool (*keep)(const ItemEntry&)) {
  HKEY items = nullptr;
  if (RegOpenKeyExW(root, key, 0, KEY_READ, &items) != ERROR_SUCCESS) return 0;
  int count = 0;
  for (DWORD index = 0; count < cap; ++index) {
    wchar_t name[256];
    DWORD nameLen = 256;
    LONG rc = RegEnumKeyExW(items, index, name, &nameLen, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) continue;  // a name too long for the shell's record
    if (nameLen >= MAX_ITEMNAME) continue;
    HKEY entryKey = nullptr;
    if (RegOpenKeyExW(items, name, 0, KEY_READ, &entryKey) != ERROR_SUCCESS) continue;
    ReadEntry(entryKey, name, &out[count]);
    RegCloseKey(entryKey);
    if (keep(out[count])) ++count;
  }
  RegCloseKey(items);
  return count;
}

static bool KeepAny(const ItemEntry&) { return true; }

int ReadItemEntries(HKEY root, const wchar_t* key, ItemEntry* out, int cap) {
  return ReadEntries(root, key, out, cap, KeepAny);
}

int ReadLoadableEntries(HKEY root, const wchar_t* key, ItemEntry* out, int cap) {
  return SelectLoadableEntries(out, ReadEntries(root, key, out, cap, IsLoadableEntry));
}
