// One helper per registry chore of the tool. Reads are defensive: a value of
// the wrong type or size, or a text too long for its slot (a text without
// terminator counts its every unit), reports failure and leaves the
// destination as it was.
#pragma once
#include <windows.h>

#include <cstddef>

bool ReadDword(HKEY key, const wchar_t* name, int* value);
bool ReadDword(HKEY key, const wchar_t* name, COLORREF* value);
bool ReadText(HKEY key, const wchar_t* name, wchar_t* text, size_t capacity);
template <size_t N>
bool ReadText(HKEY key, const wchar_t* name, wchar_t (&text)[N]) {
  return ReadText(key, name, text, N);
}

// Writers report whether the registry took the value; a text slot without
// its terminator is never written and counts as not taken.
bool WriteDword(HKEY key, const wchar_t* name, int value);
bool WriteDword(HKEY key, const wchar_t* name, COLORREF value);
bool WriteText(HKEY key, const wchar_t* name, const wchar_t* text, size_t capacity);
template <size_t N>
bool WriteText(HKEY key, const wchar_t* name, const wchar_t (&text)[N]) {
  return WriteText(key, name, text, N);
}

// "FileName" followed by the decimal index.
void FileValueName(int index, wchar_t* name, size_t capacity);

HKEY OpenForReading(HKEY root, const wchar_t* path);    // null when it fails
HKEY CreateForWriting(HKEY root, const wchar_t* path);  // null when it fails
