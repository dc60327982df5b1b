// The device's state written where the platform and its stand-ins read it.
#include "host/devicestate/device_state.h"

#include <cwchar>

#include "common/registry_names.h"
#include "host/common/registry_read.h"
#include "platform/device_facts.h"
#include "platform/power.h"
#include "platform/state_names.h"

namespace {

// Wi-Fi's value reads off at 1 and on at 4.
constexpr DWORD WifiOffValue = 1, WifiOnValue = 4;

constexpr const wchar_t* LauncherTargets[] = {L"Windows\\clock.exe", L"Windows\\calendar.exe",
                                              L"Windows\\wrlsmgr.exe",
                                              L"Program Files\\Tovira\\tvrcfg.exe"};

bool Put(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data,
         DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  bool ok =
      RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

bool PutDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD value) {
  return Put(root, path, name, REG_DWORD, &value, sizeof value);
}

bool PutText(HKEY root, const wchar_t* path, const wchar_t* name, const wchar_t* text) {
  return Put(root, path, name, REG_SZ, text,
             static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

bool DeleteValue(HKEY root, const wchar_t* path, const wchar_t* name) {
  LSTATUS status = RegDeleteKeyValueW(root, path, name);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool WritePhone(const DeviceState& s) {
  bool ok = true;
  if (s.hasOperator)
    ok &= s.operatorName[0]
              ? PutText(HKEY_LOCAL_MACHINE, PhoneStateKey, ValCurrentOperatorName, s.operatorName)
              : DeleteValue(HKEY_LOCAL_MACHINE, PhoneStateKey, ValCurrentOperatorName);
  if (s.hasCalls) ok &= PutDword(HKEY_CURRENT_USER, PhoneStateKey, ValMissedCallCount, s.calls);
  if (s.hasSms) ok &= PutDword(HKEY_CURRENT_USER, SmsUnreadKey, ValCount, s.sms);
  if (s.hasEmail) ok &= PutDword(HKEY_CURRENT_USER, EmailUnreadKey, ValCount, s.email);
  if (s.hasBluetooth)
    ok &= PutDword(HKEY_LOCAL_MACHINE, HardwareStateKey, ValBluetooth, s.bluetooth ? 1 : 0);
  if (s.hasWifi)
    ok &= PutDword(HKEY_LOCAL_MACHINE, HardwareStateKey, ValWifi,
                   s.wifi ? WifiOnValue : WifiOffValue);
  return ok;
}

bool WriteAlarm(const DeviceState& s) {
  if (!s.hasAlarm) return true;
  // The clock's first alarm stands for the device's one.
  wchar_t clock[64];
  swprintf(clock, 64, L"%ls0", ClockKeyBase);
  bool ok = PutDword(HKEY_LOCAL_MACHINE, clock, ValAlarmFlags, s.alarmOn ? 1 : 0);
  if (!s.alarmOn) return ok && DeleteValue(HKEY_CURRENT_USER, AlarmsKey, ValNextAlarm);
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME next = NextAlarmTime(now, s.alarmHour, s.alarmMinute);
  return ok && Put(HKEY_CURRENT_USER, AlarmsKey, ValNextAlarm, REG_BINARY, &next, sizeof next);
}

bool WritePower(DeviceState s) {
  if (!s.hasBattery && !s.hasCharging && !s.hasNoBattery) return true;
  StoredPower stored = {};
  stored.hasPercent = ReadRegistryDword(HKEY_CURRENT_USER, DevicePowerKey,
                                        DevicePowerBatteryLifePercent, &stored.percent);
  ReadRegistryDword(HKEY_CURRENT_USER, DevicePowerKey, DevicePowerBatteryFlag, &stored.flags);
  CompletePower(stored, &s);
  return PutDword(HKEY_CURRENT_USER, DevicePowerKey, DevicePowerACLineStatus, s.charging ? 1 : 0) &&
         PutDword(HKEY_CURRENT_USER, DevicePowerKey, DevicePowerBatteryFlag,
                  BatteryFlagOf(s.battery, s.charging, s.noBattery)) &&
         PutDword(HKEY_CURRENT_USER, DevicePowerKey, DevicePowerBatteryLifePercent, s.battery);
}

bool WriteOwnTodayItems() {
  bool ok = true;
  for (const PlatformTodayItem& e : PlatformTodayItems) {
    wchar_t path[MAX_PATH];
    swprintf(path, MAX_PATH, L"%ls\\%ls", TodayItemsKey, e.name);
    ok &= PutDword(HKEY_LOCAL_MACHINE, path, ValType, e.type);
    ok &= PutDword(HKEY_LOCAL_MACHINE, path, ValEnabled, 1);
    ok &= PutDword(HKEY_LOCAL_MACHINE, path, ValOrder, e.order);
    ok &= PutDword(HKEY_LOCAL_MACHINE, path, ValSelectability, 1);
  }
  return ok;
}

// A few shortcuts to the programs the device has, only while the user's
// launcher has none, so a user's own list stays.
bool WriteLauncherShortcuts(const wchar_t* deviceRoot) {
  wchar_t launcher[MAX_PATH], first[16];
  swprintf(launcher, MAX_PATH, L"%ls\\%ls", SettingsRootKey, PageKeyName(PageKindLauncher));
  swprintf(first, 16, L"%ls1", ValFileNamePrefix);
  if (RegGetValueW(HKEY_CURRENT_USER, launcher, first, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
      ERROR_SUCCESS)
    return true;
  bool ok = true;
  int n = 1;
  for (const wchar_t* target : LauncherTargets) {
    wchar_t file[MAX_PATH * 2], name[16];
    swprintf(file, MAX_PATH * 2, L"%ls\\%ls", deviceRoot, target);
    if (GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES) continue;
    swprintf(name, 16, L"%ls%d", ValFileNamePrefix, n++);
    ok &= PutText(HKEY_CURRENT_USER, launcher, name, target);
  }
  return ok;
}

}  // namespace

bool WriteDeviceState(const DeviceState& state, const wchar_t* deviceRoot) {
  bool ok = WritePhone(state) && WriteAlarm(state) && WritePower(state);
  // The file explorer names where a card is mounted, whether one is in or not.
  if (state.hasCard) {
    wchar_t card[MAX_PATH];
    swprintf(card, MAX_PATH, L"%ls\\", StorageCardFolder);
    ok = ok && PutText(HKEY_CURRENT_USER, FileExplorerKey, ValStorageCardPath, card);
  }
  if (state.lively) ok = ok && WriteOwnTodayItems() && WriteLauncherShortcuts(deviceRoot);
  return ok;
}
