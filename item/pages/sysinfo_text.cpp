// Texts of the SysInfo page's four columns.
#include "item/pages/sysinfo_text.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "item/draw/byte_size.h"

namespace {

bool Clear(wchar_t* out, int capacity) {
  if (!out || capacity <= 0) return false;
  std::wmemset(out, L'\0', static_cast<size_t>(capacity));
  return true;
}

void Percent(long long value, wchar_t* out, int capacity) {
  std::swprintf(out, static_cast<size_t>(capacity), L"%lli%ls", value, L"%");
  out[capacity - 1] = L'\0';
}

// floor(part x 100 / whole) for part <= whole, exact for any 64-bit figures
// and without wider arithmetic: binary long division of part x 100, one bit
// of 100 at a time, with every intermediate remainder below whole.
long long PercentOf(uint64_t part, uint64_t whole) {
  if (part >= whole) return 100;
  long long quotient = 0;
  uint64_t remainder = 0;  // < whole throughout
  for (int bit = 6; bit >= 0; --bit) {
    quotient *= 2;
    if (remainder >= whole - remainder) {  // 2 x remainder >= whole
      remainder -= whole - remainder;
      ++quotient;
    } else {
      remainder += remainder;
    }
    if ((100 >> bit) & 1) {
      if (remainder >= whole - part) {  // remainder + part >= whole
        remainder -= whole - part;
        ++quotient;
      } else {
        remainder += part;
      }
    }
  }
  return quotient;
}

}  // namespace

void FormatBatteryText(bool ok, unsigned char flag, unsigned char percent, wchar_t* out,
                       int capacity) {
  if (!Clear(out, capacity) || !ok) return;
  if (flag == BATTERY_FLAG_NO_BATTERY)
    std::swprintf(out, static_cast<size_t>(capacity), L"--");
  else if (flag == BATTERY_FLAG_CHARGING)
    std::swprintf(out, static_cast<size_t>(capacity), L"=D~");
  else if (percent > 100)
    // The platform says 255 while it does not know the charge (a driver
    // still starting, a dock): no figure to show, as with no battery.
    std::swprintf(out, static_cast<size_t>(capacity), L"--");
  else
    Percent(percent, out, capacity);
  out[capacity - 1] = L'\0';
}

void FormatRamText(int mode, unsigned long memoryLoad, uint64_t totalPhysical,
                   uint64_t availablePhysical, wchar_t* out, int capacity) {
  if (!Clear(out, capacity)) return;
  const uint64_t used = totalPhysical > availablePhysical ? totalPhysical - availablePhysical : 0;
  switch (mode) {
    case 0:
      Percent(static_cast<long long>(memoryLoad), out, capacity);
      break;
    case 1:
      FormatByteSize(used, L"U:", out, capacity);
      break;
    case 2:
      FormatByteSize(availablePhysical, L"F:", out, capacity);
      break;
    default:
      break;
  }
}

void FormatStorageText(int mode, uint64_t total, uint64_t freeToCaller, wchar_t* out,
                       int capacity) {
  if (!Clear(out, capacity)) return;
  // A quota can report more free space than the disk holds: nothing is used then.
  const uint64_t used = total > freeToCaller ? total - freeToCaller : 0;
  switch (mode) {
    case 0:
      if (total != 0) Percent(PercentOf(used, total), out, capacity);
      break;
    case 1:
      FormatByteSize(used, L"U:", out, capacity);
      break;
    case 2:
      FormatByteSize(freeToCaller, L"F:", out, capacity);
      break;
    default:
      break;
  }
}
