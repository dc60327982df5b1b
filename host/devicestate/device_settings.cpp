// The device-state settings as a person types them, checked one by one.
#include <cwchar>

#include "host/devicestate/device_state.h"

namespace {

void Reason(wchar_t* error, size_t cap, const wchar_t* format, const wchar_t* name,
            const wchar_t* value) {
  if (error && cap) swprintf(error, cap, format, name, value);
}

// Digits only, up to max.
bool ParseCount(const wchar_t* text, unsigned long long max, DWORD* out) {
  if (!*text) return false;
  unsigned long long n = 0;
  for (const wchar_t* p = text; *p; ++p) {
    if (*p < L'0' || *p > L'9') return false;
    n = n * 10 + static_cast<unsigned>(*p - L'0');
    if (n > max) return false;
  }
  *out = static_cast<DWORD>(n);
  return true;
}

bool ParseFlag(const wchar_t* text, bool* out) {
  if (wcscmp(text, L"0") != 0 && wcscmp(text, L"1") != 0) return false;
  *out = text[0] == L'1';
  return true;
}

// "HH:MM" (00:00 to 23:59) or "off".
bool ParseAlarm(const wchar_t* text, DeviceState* state) {
  if (wcscmp(text, L"off") == 0) {
    state->alarmOn = false;
    return true;
  }
  auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
  if (wcslen(text) != 5 || text[2] != L':' || !digit(text[0]) || !digit(text[1]) ||
      !digit(text[3]) || !digit(text[4]))
    return false;
  int hour = (text[0] - L'0') * 10 + (text[1] - L'0');
  int minute = (text[3] - L'0') * 10 + (text[4] - L'0');
  if (hour > 23 || minute > 59) return false;
  state->alarmOn = true;
  state->alarmHour = hour;
  state->alarmMinute = minute;
  return true;
}

struct CountSetting {
  const wchar_t* name;
  unsigned long long max;
  bool DeviceState::*has;
  DWORD DeviceState::*value;
};
const CountSetting Counts[] = {
    {L"sms", 0xFFFFFFFFull, &DeviceState::hasSms, &DeviceState::sms},
    {L"email", 0xFFFFFFFFull, &DeviceState::hasEmail, &DeviceState::email},
    {L"calls", 0xFFFFFFFFull, &DeviceState::hasCalls, &DeviceState::calls},
    {L"battery", 100, &DeviceState::hasBattery, &DeviceState::battery},
};

struct FlagSetting {
  const wchar_t* name;
  bool DeviceState::*has;
  bool DeviceState::*value;
};
const FlagSetting Flags[] = {
    {L"bt", &DeviceState::hasBluetooth, &DeviceState::bluetooth},
    {L"wifi", &DeviceState::hasWifi, &DeviceState::wifi},
    {L"charging", &DeviceState::hasCharging, &DeviceState::charging},
    {L"nobattery", &DeviceState::hasNoBattery, &DeviceState::noBattery},
    {L"card", &DeviceState::hasCard, &DeviceState::card},
};

}  // namespace

bool ParseDeviceSetting(const wchar_t* argument, DeviceState* state, wchar_t* error,
                        size_t errorCap) {
  if (wcscmp(argument, L"--lively") == 0) {
    state->lively = true;
    return true;
  }
  const wchar_t* equals = wcschr(argument, L'=');
  wchar_t name[32] = L"";
  size_t nameLength = equals ? static_cast<size_t>(equals - argument) : 0;
  if (!equals || nameLength == 0 || nameLength >= 32) {
    Reason(error, errorCap, L"unknown setting '%ls'%ls", argument, L"");
    return false;
  }
  wcsncpy(name, argument, nameLength);
  name[nameLength] = 0;
  const wchar_t* value = equals + 1;
  for (const CountSetting& c : Counts) {
    if (wcscmp(name, c.name) != 0) continue;
    if (!ParseCount(value, c.max, &(state->*c.value))) {
      Reason(error, errorCap,
             c.max == 100 ? L"%ls takes a percent from 0 to 100, not '%ls'"
                          : L"%ls takes a count from 0 to 4294967295, not '%ls'",
             name, value);
      return false;
    }
    state->*c.has = true;
    return true;
  }
  for (const FlagSetting& f : Flags) {
    if (wcscmp(name, f.name) != 0) continue;
    if (!ParseFlag(value, &(state->*f.value))) {
      Reason(error, errorCap, L"%ls takes 0 or 1, not '%ls'", name, value);
      return false;
    }
    state->*f.has = true;
    return true;
  }
  if (wcscmp(name, L"operator") == 0) {
    if (wcslen(value) >= OperatorTextSlot) {
      Reason(error, errorCap, L"%ls takes at most 127 characters, not '%ls'", name, value);
      return false;
    }
    wcscpy(state->operatorName, value);
    state->hasOperator = true;
    return true;
  }
  if (wcscmp(name, L"alarm") == 0) {
    if (!ParseAlarm(value, state)) {
      Reason(error, errorCap, L"%ls takes HH:MM or off, not '%ls'", name, value);
      return false;
    }
    state->hasAlarm = true;
    return true;
  }
  Reason(error, errorCap, L"unknown setting '%ls'%ls", argument, L"");
  return false;
}

void ApplyLivelyDefaults(DeviceState* s) {
  if (!s->lively) return;
  if (!s->hasOperator) wcscpy(s->operatorName, L"MTS RUS");
  if (!s->hasSms) s->sms = 3;
  if (!s->hasEmail) s->email = 2;
  if (!s->hasCalls) s->calls = 1;
  if (!s->hasBluetooth) s->bluetooth = true;
  if (!s->hasWifi) s->wifi = false;
  if (!s->hasAlarm) s->alarmOn = true, s->alarmHour = 7, s->alarmMinute = 30;
  if (!s->hasBattery) s->battery = 87;
  if (!s->hasCharging) s->charging = false;
  if (!s->hasNoBattery) s->noBattery = false;
  if (!s->hasCard) s->card = true;
  s->hasOperator = s->hasSms = s->hasEmail = s->hasCalls = s->hasBluetooth = s->hasWifi = true;
  s->hasAlarm = s->hasBattery = s->hasCharging = s->hasNoBattery = s->hasCard = true;
}

void CompletePower(const StoredPower& stored, DeviceState* s) {
  if (!s->hasBattery) s->battery = stored.hasPercent ? stored.percent : 100;
  if (!s->hasCharging) s->charging = (stored.flags & BATTERY_FLAG_CHARGING) != 0;
  if (!s->hasNoBattery) s->noBattery = (stored.flags & BATTERY_FLAG_NO_BATTERY) != 0;
}

DWORD BatteryFlagOf(DWORD percent, bool charging, bool noBattery) {
  if (noBattery) return BATTERY_FLAG_NO_BATTERY;
  if (charging) return BATTERY_FLAG_CHARGING;
  return percent < 34 ? BATTERY_FLAG_LOW : BATTERY_FLAG_HIGH;
}

FILETIME NextAlarmTime(const SYSTEMTIME& nowUtc, int hour, int minute) {
  SYSTEMTIME day = nowUtc;
  day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
  FILETIME midnight = {};
  SystemTimeToFileTime(&day, &midnight);
  ULARGE_INTEGER t;
  t.LowPart = midnight.dwLowDateTime;
  t.HighPart = midnight.dwHighDateTime;
  const unsigned long long minuteTicks = 600000000ull;  // 100 ns units
  t.QuadPart +=
      (24ull * 60 + static_cast<unsigned>(hour) * 60 + static_cast<unsigned>(minute)) * minuteTicks;
  return {t.LowPart, t.HighPart};
}
