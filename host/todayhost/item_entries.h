// The Today shell's item entries (HKLM\Software\Microsoft\Today\Items\<name>)
// read defensively from the registry; which of them load and in which order
// are item_order's rules.
#pragma once
#include <windows.h>

#include "host/todayhost/item_order.h"

// Reads up to cap subkeys of root\key; a value that is missing, of a wrong
// type or size, or a text without room for its terminator keeps its default
// (type 0, enabled 0, order 0, dll empty). Returns the count read.
int ReadItemEntries(HKEY root, const wchar_t* key, ItemEntry* out, int cap);

// Reads the entries the shell loads, however many other subkeys come before
// them: up to cap loadable entries (IsLoadableEntry), ordered as
// SelectLoadableEntries.
int ReadLoadableEntries(HKEY root, const wchar_t* key, ItemEntry* out, int cap);
