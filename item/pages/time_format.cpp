// Clock pictures and the next-alarm text.
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
