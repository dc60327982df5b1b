// Reading one registry value defensively: a value missing, of another type
// or size, or a text without room for its terminator reads as absent and
// leaves the destination as it was.
#pragma once
#include <windows.h>

#include <cstddef>

// A REG_DWORD value name of root\path (of root itself when path is null or
// empty). True when read.
bool ReadRegistryDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* value);

// A REG_SZ or REG_EXPAND_SZ value (not expanded) of at most MAX_PATH
// characters as stored, taken up to its first terminator when that fits
// dst[cap]. True when read.
bool ReadRegistryText(HKEY root, const wchar_t* path, const wchar_t* name, wchar_t* dst,
                      size_t cap);
