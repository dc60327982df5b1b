// The cabinet's setup description, _setup.xml: the device's provisioning XML
// (a wap-provisioningdoc with the "Install", "FileOperation" and "Registry"
// characteristics), its content read into a plain record. The one place
// where every name and device path it gives is checked against the host's
// rules; what comes after takes them as checked.
#pragma once
#include <windows.h>

#include <cstddef>

#include "host/installer/fault.h"

constexpr int PackageSlot = 260;
constexpr int MaxPackageFiles = 64;
constexpr int MaxPackageValues = 32;

// The description's name inside the cabinet, and the extension the cabinet
// gives its setup library's stored name.
constexpr const wchar_t* SetupXmlName = L"_setup.xml";
constexpr const wchar_t* SetupDllExtension = L".999";

struct PackageFile {
  wchar_t path[PackageSlot];    // device path, "\Program Files\Tovira\tovira.dll"
  wchar_t source[PackageSlot];  // its name in the cabinet, "TOVIRA.001"
};

struct PackageValue {
  HKEY root;  // HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or HKEY_CLASSES_ROOT
  wchar_t subkey[PackageSlot];
  wchar_t name[PackageSlot];
  DWORD type;                 // REG_SZ or REG_DWORD
  wchar_t text[PackageSlot];  // REG_SZ data, translated as the document says
  DWORD number;               // REG_DWORD data
};

struct PackageDescription {
  wchar_t appName[PackageSlot];
  wchar_t installDir[PackageSlot];  // device path, "\Program Files\Tovira"
  wchar_t setupDll[PackageSlot];    // the setup library's file name; empty = none
  int fileCount;
  PackageFile files[MaxPackageFiles];
  int valueCount;
  PackageValue values[MaxPackageValues];
};

// Reads the description at path (xml_form.h, then its content). False with
// the fault on a document that is not well formed (with its line and column)
// and on anything it cannot honour exactly: another root, an unknown
// characteristic or data type, an "InstallPhase" other than "install", an
// unknown %CE% string, a name or folder the host cannot hold, a file name
// with a path, an integer outside the signed 32-bit range, a field too long
// for its slot, too many files or values, a missing AppName or InstallDir.
bool ReadSetupXml(const wchar_t* path, PackageDescription* out, Fault* fault);
