// Bounded UTF-16 text helpers.
#include "config/model/text_util.h"

#include <cwchar>

size_t BoundedLength(const wchar_t* text, size_t capacity) {
  if (!text) return 0;
  size_t n = 0;
  while (n < capacity && text[n] != L'\0') ++n;
  return n;
}

bool CopyText(wchar_t* destination, size_t capacity, const wchar_t* source) {
  if (!destination || capacity == 0) return false;
  if (!source) source = L"";
  size_t n = 0;
  while (n + 1 < capacity && source[n] != L'\0') {
    destination[n] = source[n];
    ++n;
  }
  destination[n] = L'\0';
  return source[n] == L'\0';
}

bool CopyTextWhole(wchar_t* destination, size_t capacity, const wchar_t* source) {
  if (!destination || capacity == 0) return false;
  if (!source) source = L"";
  if (BoundedLength(source, capacity) >= capacity) return false;
  return CopyText(destination, capacity, source);
}

bool AppendText(wchar_t* destination, size_t capacity, const wchar_t* source) {
  if (!destination || capacity == 0) return false;
  size_t used = BoundedLength(destination, capacity);
  if (used >= capacity) {  // no terminator: make one rather than run past
    destination[capacity - 1] = L'\0';
    return false;
  }
  return CopyText(destination + used, capacity - used, source);
}

bool JoinPath(const wchar_t* folder, const wchar_t* name, wchar_t* path, size_t capacity) {
  size_t f = BoundedLength(folder, capacity);
  size_t n = BoundedLength(name, capacity);
  if (f + n >= capacity) return false;
  CopyText(path, capacity, folder);
  AppendText(path, capacity, name);
  return true;
}
