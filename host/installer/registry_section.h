// The package's registry section, written on installation and deleted on
// removal, each action told on standard output.
#pragma once
#include <windows.h>

#include "host/installer/setup_xml.h"

// Writes every value; a key or value that cannot be written is counted and
// skipped, as the device's installer does.
void WriteRegistrySection(const PackageDescription& package, WORD* failedKeys, WORD* failedValues);

// Deletes every key the section names, with everything in it, once each.
void DeleteRegistrySection(const PackageDescription& package);
