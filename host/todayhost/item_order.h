// The Today shell's item entries as plain records, and the pure rules of
// which of them the shell loads, in which order, and where each item's
// library lies under the device root.
#pragma once
#include <windows.h>

#include <cstddef>

#include "platform/today.h"

constexpr int MaxItemEntries = 32;

struct ItemEntry {
  wchar_t name[MAX_ITEMNAME];
  wchar_t dll[MAX_PATH];
  DWORD type;  // 4 = custom item
  DWORD enabled;
  DWORD options;
  DWORD order;
  DWORD flags;
  DWORD selectability;  // 0 (absent) never selected, 1 by the shell alone, 2 told of it
};

// Whether the shell loads the entry: enabled, and either custom (type 4)
// naming a library or one of the shell's own items.
bool IsLoadableEntry(const ItemEntry& entry);

// Keeps, in place, the entries the shell loads (IsLoadableEntry), ordered by
// "Order" and then by name; returns how many are kept.
int SelectLoadableEntries(ItemEntry* entries, int count);

// The library path of an entry: a drive path ("C:\...") or a network path
// ("\\server\...") is taken as it is; anything else, with or without a leading
// backslash, lies inside the device root. False when it does not fit.
bool ResolveItemLibrary(const wchar_t* dll, const wchar_t* deviceRoot, wchar_t* out, size_t cap);
