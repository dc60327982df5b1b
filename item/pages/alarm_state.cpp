// ReadAlarmState: the platform's alarm keys, read defensively.
#include <cwchar>

#include "item/host/page_hooks.h"
#include "item/pages/time_format.h"
#include "item/pages/time_texts.h"
#include "item/settings/item_settings.h"

TimeDateTexts TimeTexts = {};

namespace {

constexpr const wchar_t* ClockKeyBase = L"Software\\Microsoft\\Clock\\";  // HKLM, + 0..2
constexpr const wchar_t* AlarmFlagsValue = L"AlarmFlags";
constexpr const wchar_t* AlarmsKey = L"System\\State\\Shell\\Alarms";  // HKCU
constexpr const wchar_t* NextValue = L"Next";
constexpr int AlarmKeyCount = 3;

// A DWORD value, only when it is stored as exactly four bytes of REG_DWORD.
bool ReadDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, value = 0, size = sizeof(value);
  const LONG status =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return false;
  *out = value;
  return true;
}

// An 8-byte FILETIME, stored as binary or as a QWORD.
bool ReadFileTime(HKEY root, const wchar_t* path, const wchar_t* name, FILETIME* out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  BYTE bytes[8] = {};
  DWORD size = sizeof(bytes);
  const LONG status = RegQueryValueExW(key, name, nullptr, &type, bytes, &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || size != sizeof(bytes) || (type != REG_BINARY && type != REG_QWORD))
    return false;
  out->dwLowDateTime =
      bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24;
  out->dwHighDateTime =
      bytes[4] | bytes[5] << 8 | bytes[6] << 16 | static_cast<DWORD>(bytes[7]) << 24;
  return true;
}

}  // namespace

void ResetTimeTexts() { TimeTexts = TimeDateTexts{}; }

void TimeTextsForWindow(HWND window) {
  if (TimeTexts.Window == window) return;
  ResetTimeTexts();
  TimeTexts.Window = window;
}

bool ReadAlarmState() {
  TimeTextsForWindow(ItemWindow);
  bool changed = false;

  int alarmOn = 0;
  for (int k = 0; k < AlarmKeyCount; ++k) {
    wchar_t path[64];
    swprintf(path, 64, L"%ls%i", ClockKeyBase, k);
    DWORD flags = 0;
    if (ReadDword(HKEY_LOCAL_MACHINE, path, AlarmFlagsValue, &flags) && flags != 0) alarmOn = 1;
  }
  if (alarmOn != TimeTexts.AlarmOn) {
    TimeTexts.AlarmOn = alarmOn;
    changed = true;
  }

  wchar_t next[NextAlarmSlot] = {};
  FILETIME stamp = {};
  if (ReadFileTime(HKEY_CURRENT_USER, AlarmsKey, NextValue, &stamp))
    FormatNextAlarm(stamp, next, NextAlarmSlot);
  if (TextDiffers(TimeTexts.NextAlarmText, NextAlarmSlot, next)) {
    StoreText(TimeTexts.NextAlarmText, NextAlarmSlot, next);
    changed = true;
  }
  return changed;
}
