// Clock pictures, the next-alarm text and the text slots' bounded copies.
#include "item/pages/time_format.h"

#include <cwchar>

const wchar_t* TimePicture(int timeFormat) {
  switch (timeFormat) {
    case 0:
      return L"H:mm";
    case 1:
      return L"h:mm";
    case 2:
      return L"HH:mm";
    case 3:
      return L"hh:mm";
    default:
      return L"";
  }
}

bool FormatNextAlarm(const FILETIME& next, wchar_t* out, int capacity) {
  if (!out || capacity <= 0) return false;
  out[0] = L'\0';
  SYSTEMTIME time = {};
  if (!FileTimeToSystemTime(&next, &time)) return false;
  const int written = swprintf(out, static_cast<size_t>(capacity), L"%02d%ls%02d",
                               static_cast<int>(time.wHour), L":", static_cast<int>(time.wMinute));
  if (written < 0 || written >= capacity) {
    out[0] = L'\0';
    return false;
  }
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
