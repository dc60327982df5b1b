// Bounded UTF-16 text helpers: every copy into a fixed slot is cut to the slot
// and terminated.
#pragma once
#include <cstddef>

// Copies at most capacity - 1 units of source and terminates; returns false
// when source did not fit (the slot then holds the cut text).
bool CopyText(wchar_t* destination, size_t capacity, const wchar_t* source);
// Like CopyText, but a source that does not fit leaves destination untouched.
bool CopyTextWhole(wchar_t* destination, size_t capacity, const wchar_t* source);
// Appends source after destination's text, cutting at the slot's end.
bool AppendText(wchar_t* destination, size_t capacity, const wchar_t* source);
// Joins folder and name into path; a path that would not fit is refused and
// path left as it was.
bool JoinPath(const wchar_t* folder, const wchar_t* name, wchar_t* path, size_t capacity);
// Length of a text that may lack a terminator inside capacity units.
size_t BoundedLength(const wchar_t* text, size_t capacity);

template <size_t N>
bool CopyText(wchar_t (&destination)[N], const wchar_t* source) {
  return CopyText(destination, N, source);
}
