// ReadAlarmState: the platform's alarm keys, read defensively.
#include <cwchar>

#include "item/pages/time_format.h"
#include "item/pages/time_texts.h"
#include "item/settings/bounded_text.h"
#include "item/settings/registry_read.h"
#include "platform/state_names.h"

namespace {

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

bool ReadAlarmState() {
  bool changed = false;

  int alarmOn = 0;
  for (int k = 0; k < AlarmKeyCount; ++k) {
    wchar_t path[64];
    swprintf(path, 64, L"%ls%i", ClockKeyBase, k);
    int flags = 0;
    if (ReadDwordAt(HKEY_LOCAL_MACHINE, path, ValAlarmFlags, &flags) && flags != 0) alarmOn = 1;
  }
  if (alarmOn != TimeTexts.AlarmOn) {
    TimeTexts.AlarmOn = alarmOn;
    changed = true;
  }

  wchar_t next[NextAlarmSlot] = {};
  FILETIME stamp = {};
  if (ReadFileTime(HKEY_CURRENT_USER, AlarmsKey, ValNextAlarm, &stamp))
    FormatNextAlarm(stamp, next, NextAlarmSlot);
  return StoreText(TimeTexts.NextAlarmText, NextAlarmSlot, next) || changed;
}
