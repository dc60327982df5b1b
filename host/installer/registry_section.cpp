// Registry writes and deletes of the package's section.
#include "host/installer/registry_section.h"

#include <cwchar>

const wchar_t* RegistryRootName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
  if (root == HKEY_CURRENT_USER) return L"HKCU";
  return L"HKCR";
}

LONG WriteRegistryValue(const PackageValue& v, bool* keyMade) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(v.root, v.subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                            nullptr, &key, nullptr);
  *keyMade = rc == ERROR_SUCCESS;
  if (!*keyMade) return rc;
  if (v.type == REG_DWORD) {
    rc = RegSetValueExW(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.number),
                        sizeof v.number);
  } else {
    DWORD bytes = static_cast<DWORD>((wcslen(v.text) + 1) * sizeof(wchar_t));
    rc = RegSetValueExW(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.text), bytes);
  }
  RegCloseKey(key);
  return rc;
}

bool FirstOfItsKey(const PackageDescription& package, int i) {
  const PackageValue& v = package.values[i];
  for (int j = 0; j < i; ++j)
    if (package.values[j].root == v.root && !_wcsicmp(package.values[j].subkey, v.subkey))
      return false;
  return true;
}

bool DeleteRegistryKey(const PackageValue& value) {
  return RegDeleteTreeW(value.root, value.subkey) == ERROR_SUCCESS;
}
