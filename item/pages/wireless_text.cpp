// Pure rules of the Wireless page.
#include "item/pages/wireless_text.h"

#include <cwchar>

#include "item/settings/bounded_text.h"

bool BluetoothOnFromValue(bool read, unsigned long value) {
  return read && value != 0 && value != 8;
}

bool WifiOnFromValue(bool read, unsigned long value) { return read && value != 1 && value != 5; }

bool UpdateOperatorText(wchar_t (&stored)[OperatorSlot], const wchar_t* scratch) {
  // Compare what will be shown, so a phone without operator does not count
  // as a change on every tick.
  return StoreText(stored, OperatorSlot, (scratch && scratch[0]) ? scratch : PhoneOffText);
}

namespace {

void AppendCounter(wchar_t* out, size_t capacity, const wchar_t* label, int count) {
  const size_t used = std::wcslen(out);
  if (used + 1 >= capacity) return;
  std::swprintf(out + used, capacity - used, L"%ls%i ", label, count);
  out[capacity - 1] = L'\0';
}

}  // namespace

void BuildCounterText(const CounterInput& in, wchar_t* out, size_t capacity) {
  if (!out || capacity == 0) return;
  out[0] = L'\0';
  if (in.emails > 0 && in.showEMails) AppendCounter(out, capacity, L"@:", in.emails);
  if (in.sms > 0 && in.showSMS) AppendCounter(out, capacity, L"sms:", in.sms);
  if (in.calls > 0 && in.showCalls) AppendCounter(out, capacity, L"calls:", in.calls);
}

bool FitOperatorName(const wchar_t* name, const int* extents, int length, int ellipsisWidth,
                     long long room, wchar_t* out, size_t capacity) {
  if (!out || capacity == 0) return false;
  out[0] = L'\0';
  if (!name || !extents || length <= 0) return false;
  if (extents[length - 1] <= room) {
    CopyText(out, static_cast<int>(capacity), name);
    return false;
  }
  int kept = length - 1;
  while (kept > 0 && extents[kept - 1] + static_cast<long long>(ellipsisWidth) > room) --kept;
  if (kept == 0 && ellipsisWidth > room) return true;
  while (kept > 0 &&
         (name[kept - 1] == L' ' || (name[kept - 1] >= 0xD800 && name[kept - 1] <= 0xDBFF)))
    --kept;
  if (static_cast<size_t>(kept) + 2 > capacity) return true;
  std::wmemcpy(out, name, kept);
  out[kept] = L'\u2026';
  out[kept + 1] = L'\0';
  return true;
}
