// GetSystemPowerStatusEx stand-in: the simulated device's power key first,
// the desktop's GetSystemPowerStatus when the key is absent.
#include "platform/power.h"

namespace {

// A DWORD value of an open key, or the fallback when it is missing or malformed.
DWORD ReadPowerValue(HKEY key, const wchar_t* name, DWORD fallback) {
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    return fallback;
  return value;
}

void Unknown(SYSTEM_POWER_STATUS_EX* status) {
  ZeroMemory(status, sizeof(*status));
  status->ACLineStatus = 0xFF;
  status->BatteryFlag = BATTERY_FLAG_UNKNOWN;
  status->BatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
  status->BatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  status->BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
  status->BackupBatteryFlag = BATTERY_FLAG_UNKNOWN;
  status->BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
  status->BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  status->BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
}

}  // namespace

BOOL WINAPI GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX status, BOOL /*update*/) {
  if (!status) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Unknown(status);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, DevicePowerKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    const bool fail = ReadPowerValue(key, DevicePowerFail, 0) != 0;
    status->ACLineStatus = static_cast<BYTE>(ReadPowerValue(key, DevicePowerACLineStatus, 0xFF));
    status->BatteryFlag =
        static_cast<BYTE>(ReadPowerValue(key, DevicePowerBatteryFlag, BATTERY_FLAG_UNKNOWN));
    status->BatteryLifePercent = static_cast<BYTE>(
        ReadPowerValue(key, DevicePowerBatteryLifePercent, BATTERY_PERCENTAGE_UNKNOWN));
    RegCloseKey(key);
    if (fail) {
      Unknown(status);
      SetLastError(ERROR_NOT_SUPPORTED);
      return FALSE;
    }
    return TRUE;
  }
  SYSTEM_POWER_STATUS desktop{};
  if (!GetSystemPowerStatus(&desktop)) return FALSE;
  status->ACLineStatus = desktop.ACLineStatus;
  status->BatteryFlag = desktop.BatteryFlag;
  status->BatteryLifePercent = desktop.BatteryLifePercent;
  status->BatteryLifeTime = desktop.BatteryLifeTime;
  status->BatteryFullLifeTime = desktop.BatteryFullLifeTime;
  return TRUE;
}
