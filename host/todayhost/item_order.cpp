// Which of the Today shell's item entries load, and in which order.
#include "host/todayhost/item_order.h"

#include <algorithm>
#include <cwchar>

#include "host/todayhost/own_item_lines.h"
#include "host/todayhost/text_util.h"

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
