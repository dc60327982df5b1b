// Registry values of the tests and benchmarks; see the header.
#include "support/registry.h"

#include <cstdio>

#include "common/registry_names.h"

namespace testsupport {
namespace {

void PrintFailure(const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }
FailureReport Report = PrintFailure;

HKEY Create(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    ReportFailure("cannot create " + std::string(path.begin(), path.end()));
    return nullptr;
  }
  return key;
}

// The values of an open key, each as prefix + name.
void ValuesOf(HKEY key, const std::wstring& prefix, RegistrySnapshot* out) {
  DWORD count = 0, longestName = 0, longestData = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                   &longestData, nullptr, nullptr);
  std::vector<wchar_t> name(longestName + 2);
  std::vector<BYTE> data(longestData + 2);
  for (DWORD i = 0; i < count; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size) ==
        ERROR_SUCCESS)
      (*out)[prefix + std::wstring(name.data(), nameLength)] = StoredBytes(type, data.data(), size);
  }
}

void Walk(HKEY key, const std::wstring& prefix, RegistrySnapshot* out) {
  (*out)[prefix] = StoredValue{};
  ValuesOf(key, prefix, out);
  for (DWORD i = 0;; ++i) {
    wchar_t child[256];
    DWORD length = 256;
    if (RegEnumKeyExW(key, i, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    HKEY open;
    if (RegOpenKeyExW(key, child, 0, KEY_READ, &open) == ERROR_SUCCESS) {
      Walk(open, prefix + child + L"\\", out);
      RegCloseKey(open);
    }
  }
}

}  // namespace

void SetFailureReport(FailureReport report) { Report = report ? report : PrintFailure; }
void ReportFailure(const std::string& message) { Report(message); }

StoredValue StoredBytes(DWORD type, const void* data, size_t size) {
  StoredValue s;
  s.Present = true;
  s.Type = type;
  const BYTE* p = static_cast<const BYTE*>(data);
  s.Data.assign(p, p + size);
  return s;
}

bool PutValue(HKEY root, const std::wstring& path, const std::wstring& name,
              const StoredValue& value) {
  HKEY key = Create(root, path);
  if (!key) return false;
  PutValue(key, name, value);
  RegCloseKey(key);
  return true;
}

bool PutVolatileKey(HKEY root, const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  if (slash != std::wstring::npos) {
    HKEY parent = Create(root, path.substr(0, slash));
    if (!parent) return false;
    RegCloseKey(parent);
  }
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, &disposition) != ERROR_SUCCESS) {
    ReportFailure("cannot create the volatile key " + std::string(path.begin(), path.end()));
    return false;
  }
  RegCloseKey(key);
  if (disposition == REG_CREATED_NEW_KEY) return true;
  ReportFailure(std::string(path.begin(), path.end()) + " exists already");
  return false;
}

bool PutRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
            DWORD size) {
  return PutValue(root, path, name, StoredBytes(type, data, size));
}

bool PutDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
  return PutRaw(root, path, name, REG_DWORD, &value, sizeof(value));
}

bool PutText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
  return PutRaw(root, path, name, REG_SZ, text.c_str(),
                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void PutValue(HKEY key, const std::wstring& name, const StoredValue& value) {
  // Units of 0xFFFF after the data, so the platform never adds a terminator of its own.
  std::vector<BYTE> padded(value.Data);
  padded.resize(padded.size() + 4, 0xFF);
  RegSetValueExW(key, name.c_str(), 0, value.Type, padded.data(),
                 static_cast<DWORD>(value.Data.size()));
}

StoredValue GetValue(HKEY key, const std::wstring& name) {
  StoredValue s;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    s.Data.resize(size);
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, s.Data.data(), &size) ==
        ERROR_SUCCESS) {
      s.Present = true;
      s.Type = type;
      s.Data.resize(size);
    } else {
      s.Data.clear();
    }
  }
  return s;
}

StoredValue GetValue(HKEY root, const std::wstring& path, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return StoredValue{};
  StoredValue s = GetValue(key, name);
  RegCloseKey(key);
  return s;
}

std::map<std::wstring, StoredValue> AllValues(HKEY root, const std::wstring& path) {
  std::map<std::wstring, StoredValue> values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  ValuesOf(key, L"", &values);
  RegCloseKey(key);
  return values;
}

bool GetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* value, DWORD* type) {
  DWORD size = sizeof(*value);
  DWORD t = 0;
  const LONG r = RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, &t, value, &size);
  if (type) *type = t;
  return r == ERROR_SUCCESS && t == REG_DWORD && size == sizeof(*value);
}

bool GetText(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* text) {
  wchar_t buffer[1024];
  DWORD size = sizeof(buffer);
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS)
    return false;
  *text = buffer;
  return true;
}

bool ValueExists(HKEY root, const std::wstring& path, const wchar_t* name) {
  return RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

int ValueCount(HKEY root, const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD values = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(values);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring FirstMissingKey(HKEY root, const std::wstring& path) {
  for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
    const std::wstring part = path.substr(0, end);
    if (!KeyExists(root, part)) return part;
    if (end == std::wstring::npos) return L"";
  }
}

void DeleteValue(HKEY root, const std::wstring& path, const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, name);
  RegCloseKey(key);
}

void DeleteTree(HKEY root, const std::wstring& path) {
  RegDeleteTreeW(root, path.c_str());
  RegDeleteKeyW(root, path.c_str());
}

std::wstring PageKey(const wchar_t* page) {
  std::wstring path = SettingsRootKey;
  if (page && page[0]) path += std::wstring(L"\\") + page;
  return path;
}

bool SetDword(const wchar_t* page, const wchar_t* name, DWORD value) {
  return PutDword(HKEY_CURRENT_USER, PageKey(page), name, value);
}

bool SetText(const wchar_t* page, const wchar_t* name, const std::wstring& text) {
  return PutText(HKEY_CURRENT_USER, PageKey(page), name, text);
}

bool SetRaw(const wchar_t* page, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  return PutRaw(HKEY_CURRENT_USER, PageKey(page), name, type, data, size);
}

void WipeSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey); }

RegistrySnapshot TakeSnapshot(HKEY root, const std::wstring& path) {
  RegistrySnapshot snapshot;
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return snapshot;
  Walk(key, L"", &snapshot);
  RegCloseKey(key);
  return snapshot;
}

void RestoreSnapshot(HKEY root, const std::wstring& path, const RegistrySnapshot& snapshot) {
  DeleteTree(root, path);
  for (const auto& [name, value] : snapshot) {
    const size_t slash = name.rfind(L'\\');
    const std::wstring keyPath = slash == std::wstring::npos ? L"" : name.substr(0, slash);
    const std::wstring valueName = slash == std::wstring::npos ? name : name.substr(slash + 1);
    HKEY key = Create(root, keyPath.empty() ? path : path + L"\\" + keyPath);
    if (!key) continue;
    if (value.Present) PutValue(key, valueName, value);
    RegCloseKey(key);
  }
}

SavedTree::SavedTree(HKEY root, std::wstring path)
    : root_(root), path_(std::move(path)), saved_(TakeSnapshot(root_, path_)) {}

SavedTree::~SavedTree() { RestoreSnapshot(root_, path_, saved_); }

SavedValues::SavedValues(std::vector<ValuePlace> places, bool clear) {
  for (ValuePlace& place : places) {
    Saved s{place, GetValue(place.Root, place.Path, place.Name),
            FirstMissingKey(place.Root, place.Path)};
    if (clear) DeleteValue(place.Root, place.Path, place.Name.c_str());
    saved_.push_back(std::move(s));
  }
}

SavedValues::~SavedValues() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    const ValuePlace& p = it->Place;
    if (it->Value.Present) {
      PutValue(p.Root, p.Path, p.Name, it->Value);
      continue;
    }
    DeleteValue(p.Root, p.Path, p.Name.c_str());
    if (!it->MissingKey.empty()) DeleteTree(p.Root, it->MissingKey);
  }
}

}  // namespace testsupport
