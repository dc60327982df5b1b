// The package's registry section, written on installation and deleted on
// removal, one value or key at a time so that the caller can tell each.
#pragma once
#include <windows.h>

#include "host/installer/setup_description.h"

// "HKLM", "HKCU" or "HKCR", as the installer's lines name a value's root.
const wchar_t* RegistryRootName(HKEY root);

// Writes one value of the section, its key made when missing. ERROR_SUCCESS,
// or the registry's error; *keyMade tells whether the key could be opened.
LONG WriteRegistryValue(const PackageValue& value, bool* keyMade);

// Whether values[i] is the first of the section to name its key, so that a
// removal deletes every key once.
bool FirstOfItsKey(const PackageDescription& package, int i);

// Deletes the key of values[i] with everything in it; whether it was there.
bool DeleteRegistryKey(const PackageValue& value);
