// FormatByteSize: the unit is picked from the low and high 32-bit halves.
#include "item/draw/byte_size.h"

#include <cwchar>

void FormatByteSize(uint64_t bytes, const wchar_t* prefix, wchar_t* out, int capacity) {
  if (!out || capacity <= 0) return;
  const uint32_t low = static_cast<uint32_t>(bytes);
  const uint32_t high = static_cast<uint32_t>(bytes >> 32);
  // The gigabyte count keeps all its bits: cut to 32 bits it would wrap
  // (2^62 bytes would read "0Gb").
  uint64_t number;
  const wchar_t* unit;
  if (high != 0 || low > 0x40000000u) {
    number = bytes >> 30;
    unit = L"Gb";
  } else if (low > 0x100000u) {
    number = low >> 20;
    unit = L"Mb";
  } else if (low > 1024u) {
    number = low >> 10;
    unit = L"Kb";
  } else {
    number = low;
    unit = L"b";
  }
  int written = swprintf(out, static_cast<size_t>(capacity), L"%ls%llu%ls", prefix ? prefix : L"",
                         static_cast<unsigned long long>(number), unit);
  if (written < 0) out[capacity - 1] = L'\0';
}
