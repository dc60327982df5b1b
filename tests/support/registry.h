// Registry values as the tests and benchmarks write, read, save and put back:
// raw values of any type and size, DWORDs and texts, whole subtrees, and the
// settings tree under HKEY_CURRENT_USER.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace testsupport {

// A value as stored: its type and bytes, or not there at all.
struct StoredValue {
  bool Present = false;
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;
  bool operator==(const StoredValue& o) const {
    return Present == o.Present && Type == o.Type && Data == o.Data;
  }
};
StoredValue StoredBytes(DWORD type, const void* data, size_t size);

// Writers create the key; a key that cannot be created is reported (see
// SetFailureReport) and false returned.
bool PutValue(HKEY root, const std::wstring& path, const std::wstring& name,
              const StoredValue& value);
bool PutRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
            DWORD size);
bool PutDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);
bool PutText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text);

StoredValue GetValue(HKEY root, const std::wstring& path, const std::wstring& name);
// The same in a key already open, for many values of one key.
void PutValue(HKEY key, const std::wstring& name, const StoredValue& value);
StoredValue GetValue(HKEY key, const std::wstring& name);
std::map<std::wstring, StoredValue> AllValues(HKEY root, const std::wstring& path);
// True for a REG_DWORD of exactly four bytes; *type gets the stored type.
bool GetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* value,
              DWORD* type = nullptr);
bool GetText(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* text);
bool ValueExists(HKEY root, const std::wstring& path, const wchar_t* name);
int ValueCount(HKEY root, const std::wstring& path);  // -1 when the key is missing
bool KeyExists(HKEY root, const std::wstring& path);
// The shortest leading part of the path that is missing; "" when the key exists.
std::wstring FirstMissingKey(HKEY root, const std::wstring& path);
// A new key that lives only in memory (REG_OPTION_VOLATILE), its missing
// parents stable: it takes values, but the registry refuses any stable key
// below it (ERROR_CHILD_MUST_BE_VOLATILE), a real refusal for a saver to meet.
// False, and reported, when the key exists already or cannot be made.
bool PutVolatileKey(HKEY root, const std::wstring& path);
void DeleteValue(HKEY root, const std::wstring& path, const wchar_t* name);
void DeleteTree(HKEY root, const std::wstring& path);  // the key itself too

// The settings tree under HKEY_CURRENT_USER: page "" is its root, else a page's key.
std::wstring PageKey(const wchar_t* page);
bool SetDword(const wchar_t* page, const wchar_t* name, DWORD value);
bool SetText(const wchar_t* page, const wchar_t* name, const std::wstring& text);
bool SetRaw(const wchar_t* page, const wchar_t* name, DWORD type, const void* data, DWORD size);
void WipeSettings();  // deletes the whole tree

// Every key (as "path\", not present) and value (as "path\name") below a path.
using RegistrySnapshot = std::map<std::wstring, StoredValue>;
RegistrySnapshot TakeSnapshot(HKEY root, const std::wstring& path);
// Replaces the subtree with the snapshot (an empty one: no key at all).
void RestoreSnapshot(HKEY root, const std::wstring& path, const RegistrySnapshot& snapshot);

// A subtree saved while it lives and put back exactly when it ends.
class SavedTree {
 public:
  SavedTree(HKEY root, std::wstring path);
  ~SavedTree();
  SavedTree(const SavedTree&) = delete;
  SavedTree& operator=(const SavedTree&) = delete;

 private:
  HKEY root_;
  std::wstring path_;
  RegistrySnapshot saved_;
};

// Single values saved (and, with clear, deleted) while it lives; at the end
// each is as it was: put back, or deleted again with the keys that were missing.
struct ValuePlace {
  HKEY Root;
  std::wstring Path;
  std::wstring Name;
};
class SavedValues {
 public:
  SavedValues(std::vector<ValuePlace> places, bool clear);
  ~SavedValues();
  SavedValues(const SavedValues&) = delete;
  SavedValues& operator=(const SavedValues&) = delete;

 private:
  struct Saved {
    ValuePlace Place;
    StoredValue Value;
    std::wstring MissingKey;
  };
  std::vector<Saved> saved_;
};

// Where a support failure goes: by default a line on stderr; a test program
// makes it a test failure (support/gtest_failures.cpp).
using FailureReport = void (*)(const std::string& message);
void SetFailureReport(FailureReport report);
void ReportFailure(const std::string& message);

}  // namespace testsupport
