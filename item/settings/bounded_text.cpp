// Bounded copies into text slots.
#include "item/settings/bounded_text.h"

#include <cwchar>

bool CopyText(wchar_t* out, int capacity, const wchar_t* text) {
  return JoinText(out, capacity, text, L"");
}

bool JoinText(wchar_t* out, int capacity, const wchar_t* first, const wchar_t* second) {
  if (capacity < 1) return false;
  size_t a = wcslen(first);
  size_t b = wcslen(second);
  if (a + b > static_cast<size_t>(capacity) - 1) {
    out[0] = L'\0';
    return false;
  }
  wmemmove(out, first, a);
  wmemcpy(out + a, second, b);
  out[a + b] = L'\0';
  return true;
}

bool TextDiffers(const wchar_t* stored, int capacity, const wchar_t* source) {
  if (!stored || capacity <= 0) return false;
  if (!source) source = L"";
  const int limit = capacity - 1;
  for (int i = 0; i < limit; ++i) {
    if (stored[i] != source[i]) return true;
    if (source[i] == L'\0') return false;
  }
  return stored[limit] != L'\0';
}

bool StoreText(wchar_t* out, int capacity, const wchar_t* source) {
  if (!out || capacity <= 0) return false;
  if (!source) source = L"";
  const bool differs = TextDiffers(out, capacity, source);
  // The slot is cleared whole first, so no tail of a longer old text survives.
  wmemset(out, L'\0', static_cast<size_t>(capacity));
  for (int i = 0; i < capacity - 1 && source[i]; ++i) out[i] = source[i];
  return differs;
}
