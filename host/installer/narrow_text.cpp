// MultiByteToWideChar, bounded and strict.
#include "host/installer/narrow_text.h"

#include <windows.h>

bool NarrowToWide(const char* bytes, size_t size, unsigned codePage, wchar_t* out, size_t cap) {
  if (cap == 0) return false;
  out[0] = L'\0';
  if (size == 0) return true;
  if (size > 0x7FFFFFFF || cap - 1 > 0x7FFFFFFF) return false;
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size),
                                    out, static_cast<int>(cap - 1));
  if (n <= 0) {
    out[0] = L'\0';
    return false;
  }
  out[n] = L'\0';
  return true;
}

bool DecodeUtf8Text(const char* bytes, size_t size, wchar_t* out, size_t cap) {
  if (size >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
      static_cast<unsigned char>(bytes[1]) == 0xBB &&
      static_cast<unsigned char>(bytes[2]) == 0xBF) {
    bytes += 3;
    size -= 3;
  }
  return NarrowToWide(bytes, size, CP_UTF8, out, cap);
}
