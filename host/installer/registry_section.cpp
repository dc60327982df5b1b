// Registry writes and deletes of the package's section.
#include "host/installer/registry_section.h"

#include <cwchar>

#include "host/installer/report.h"

namespace {

const wchar_t* RootName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
  if (root == HKEY_CURRENT_USER) return L"HKCU";
  return L"HKCR";
}

void Bump(WORD* count) {
  if (*count < 0xFFFF) ++*count;
}

}  // namespace

void WriteRegistrySection(const PackageDescription& package, WORD* failedKeys, WORD* failedValues) {
  for (int i = 0; i < package.valueCount; ++i) {
    const PackageValue& v = package.values[i];
    HKEY key = nullptr;
    if (RegCreateKeyExW(v.root, v.subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
      Bump(failedKeys);
      Report(L"  registry %ls\\%ls: cannot create the key", RootName(v.root), v.subkey);
      continue;
    }
    LONG rc;
    if (v.type == REG_DWORD) {
      rc = RegSetValueExW(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.number),
                          sizeof v.number);
      Report(L"  registry %ls\\%ls: %ls = %lu", RootName(v.root), v.subkey, v.name, v.number);
    } else {
      DWORD bytes = static_cast<DWORD>((wcslen(v.text) + 1) * sizeof(wchar_t));
      rc = RegSetValueExW(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.text), bytes);
      Report(L"  registry %ls\\%ls: %ls = \"%ls\"", RootName(v.root), v.subkey, v.name, v.text);
    }
    if (rc != ERROR_SUCCESS) {
      Bump(failedValues);
      Report(L"    failed (error %ld)", rc);
    }
    RegCloseKey(key);
  }
}

void DeleteRegistrySection(const PackageDescription& package) {
  for (int i = 0; i < package.valueCount; ++i) {
    const PackageValue& v = package.values[i];
    bool seen = false;  // one delete per key
    for (int j = 0; j < i; ++j)
      seen = seen ||
             (package.values[j].root == v.root && !_wcsicmp(package.values[j].subkey, v.subkey));
    if (seen) continue;
    LONG rc = RegDeleteTreeW(v.root, v.subkey);
    Report(L"  registry %ls\\%ls: %ls", RootName(v.root), v.subkey,
           rc == ERROR_SUCCESS ? L"deleted" : L"was not there");
  }
}
