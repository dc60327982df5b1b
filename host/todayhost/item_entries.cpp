// Reading and choosing the Today shell's item entries.
#include "host/todayhost/item_entries.h"

#include <algorithm>
#include <cwchar>

#include "common/registry_names.h"
#include "host/todayhost/own_items.h"
#include "host/todayhost/text_util.h"

static void ReadDword(HKEY key, const wchar_t* name, DWORD* value) {
  DWORD type = 0, data = 0, size = sizeof(data);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof(data))
    *value = data;
}

// A text value that fits its slot with its terminator; anything else keeps dst.
static void ReadText(HKEY key, const wchar_t* name, wchar_t* dst, size_t cap) {
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD type = 0, size = sizeof(buffer) - sizeof(wchar_t);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS)
    return;
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || size % sizeof(wchar_t) != 0) return;
  size_t units = size / sizeof(wchar_t);
  buffer[units] = 0;  // a text stored without terminator still ends here
  if (wcslen(buffer) >= cap) return;
  CopyText(dst, cap, buffer);
}

static void ReadEntry(HKEY entryKey, const wchar_t* name, ItemEntry* e) {
  *e = ItemEntry{};
  CopyText(e->name, MAX_ITEMNAME, name);
  ReadText(entryKey, ValDLL, e->dll, MAX_PATH);
  ReadDword(entryKey, ValType, &e->type);
  ReadDword(entryKey, ValEnabled, &e->enabled);
  ReadDword(entryKey, ValOptions, &e->options);
  ReadDword(entryKey, ValOrder, &e->order);
  ReadDword(entryKey, ValFlags, &e->flags);
  ReadDword(entryKey, L"Selectability", &e->selectability);
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

bool IsLoadableEntry(const ItemEntry& e) {
  if (e.enabled == 0) return false;
  return e.type == tlitCustom ? e.dll[0] != 0 : OwnItemKindOf(e.name, e.type) != OwnNone;
}

int SelectLoadableEntries(ItemEntry* entries, int count) {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    if (IsLoadableEntry(entries[i])) entries[kept++] = entries[i];
  }
  std::stable_sort(entries, entries + kept, [](const ItemEntry& a, const ItemEntry& b) {
    if (a.order != b.order) return a.order < b.order;
    return _wcsicmp(a.name, b.name) < 0;
  });
  return kept;
}

static bool IsHostAbsolute(const wchar_t* path) {
  bool drive = ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
               path[1] == L':';
  bool network = path[0] == L'\\' && path[1] == L'\\';
  return drive || network;
}

bool ResolveItemLibrary(const wchar_t* dll, const wchar_t* deviceRoot, wchar_t* out, size_t cap) {
  if (!out || cap == 0) return false;
  out[0] = 0;
  if (!dll || !*dll) return false;
  if (IsHostAbsolute(dll) || !deviceRoot || !*deviceRoot) return CopyText(out, cap, dll);
  while (*dll == L'\\' || *dll == L'/') ++dll;  // "\Program Files\..." is the device's root
  if (!CopyText(out, cap, deviceRoot)) return false;
  size_t n = wcslen(out);
  if (n > 0 && out[n - 1] != L'\\' && out[n - 1] != L'/' && !AppendText(out, cap, L"\\"))
    return false;
  return AppendText(out, cap, dll);
}
