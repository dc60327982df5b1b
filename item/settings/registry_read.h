// Defensive reads from an open registry key: a value that is missing, of
// another type, of the wrong size, or too long for its slot leaves the
// destination untouched, so the caller's default stays.
#pragma once
#include <windows.h>

#include "item/settings/bounded_text.h"
#include "item/settings/item_settings.h"

// A REG_DWORD of exactly 4 bytes, as a signed 32-bit number.
bool ReadDwordValue(HKEY key, const wchar_t* name, int* value);
inline bool ReadDwordValue(HKEY key, const wchar_t* name, COLORREF* value) {
  int v = 0;
  if (!ReadDwordValue(key, name, &v)) return false;
  *value = static_cast<COLORREF>(v);
  return true;
}

// The same from a key opened for the one read: root + path.
bool ReadDwordAt(HKEY root, const wchar_t* path, const wchar_t* name, int* value);

// A REG_SZ of at most capacity - 1 characters; copied terminated.
bool ReadTextValue(HKEY key, const wchar_t* name, wchar_t* text, int capacity);

// The five values of a font role: base names + suffix ("", "1", "2", "Weekdays").
// colorName is the colour's base name ("FontColor", or "Color" for the Calendar).
void ReadFontSpec(HKEY key, const wchar_t* suffix, const wchar_t* colorName, FontSpec* spec);
