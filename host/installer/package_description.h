// The package description (package/tovira.inf): the cabinet wizard's .inf
// subset the installer stand-in reads, parsed into a plain record.
#pragma once
#include <windows.h>

#include <cstddef>

constexpr int PackageSlot = 260;
constexpr int MaxPackageFiles = 64;
constexpr int MaxPackageValues = 32;

struct PackageValue {
  HKEY root;            // HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or HKEY_CLASSES_ROOT
  wchar_t rootName[8];  // "HKLM", as written
  wchar_t subkey[PackageSlot];
  wchar_t name[PackageSlot];
  DWORD type;                 // REG_SZ or REG_DWORD
  wchar_t text[PackageSlot];  // REG_SZ data, %strings% expanded
  DWORD number;               // REG_DWORD data
};

struct PackageDescription {
  wchar_t appName[PackageSlot];
  wchar_t installDir[PackageSlot];  // device path, "\Program Files\Tovira"
  wchar_t setupDll[PackageSlot];    // file name in the package; empty = none
  int fileCount;
  wchar_t files[MaxPackageFiles][PackageSlot];  // plain file names, into installDir
  int valueCount;
  PackageValue values[MaxPackageValues];
};

// Parses the description's text. False with a one-line reason (naming the
// offending line) on anything it cannot honour exactly: an unknown string,
// an unsupported value type, a file name with a path, a field too long for
// its slot, too many files or values, a missing InstallDir.
bool ParsePackageDescription(const wchar_t* text, PackageDescription* out, wchar_t* error,
                             size_t errorCap);

// Turns the bytes of a description file (UTF-8, with or without a byte order
// mark) into text; false when they are not valid UTF-8.
bool DecodeDescriptionBytes(const char* bytes, size_t size, wchar_t* out, size_t cap);
