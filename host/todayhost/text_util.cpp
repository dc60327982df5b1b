// Bounded UTF-16 copies for todayhost's fixed text slots.
#include "host/todayhost/text_util.h"

bool CopyText(wchar_t* dst, size_t cap, const wchar_t* src) {
  if (!dst || cap == 0) return false;
  dst[0] = 0;
  return AppendText(dst, cap, src);
}

bool AppendText(wchar_t* dst, size_t cap, const wchar_t* src) {
  if (!dst || cap == 0) return false;
  size_t n = 0;
  while (n < cap && dst[n]) ++n;
  if (n == cap) {
    dst[cap - 1] = 0;
    return false;
  }
  if (!src) return true;
  for (; *src; ++src) {
    if (n + 1 >= cap) {
      dst[n] = 0;
      return false;
    }
    dst[n++] = *src;
  }
  dst[n] = 0;
  return true;
}
