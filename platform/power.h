// GetSystemPowerStatusEx as Windows CE declares it. On the desktop the figures
// come from the simulated device's power key when it exists (so the Today host
// and tests can set a battery state), else from the desktop's own battery.
#pragma once
#include <windows.h>

typedef struct _SYSTEM_POWER_STATUS_EX {
  BYTE ACLineStatus;
  BYTE BatteryFlag;
  BYTE BatteryLifePercent;
  BYTE Reserved1;
  DWORD BatteryLifeTime;
  DWORD BatteryFullLifeTime;
  BYTE Reserved2;
  BYTE BackupBatteryFlag;
  BYTE BackupBatteryLifePercent;
  BYTE Reserved3;
  DWORD BackupBatteryLifeTime;
  DWORD BackupBatteryFullLifeTime;
} SYSTEM_POWER_STATUS_EX, *PSYSTEM_POWER_STATUS_EX, *LPSYSTEM_POWER_STATUS_EX;

// The BATTERY_FLAG_* and *_UNKNOWN constants come from winbase.h as on CE.

// The simulated device's power key (HKEY_CURRENT_USER) and its DWORD values:
// each figure is taken as stored (low byte for the byte fields); a missing
// value reads as "unknown". "Fail" non-zero makes the call fail.
constexpr const wchar_t* DevicePowerKey = L"Software\\Tovira Device\\Power";
constexpr const wchar_t* DevicePowerACLineStatus = L"ACLineStatus";
constexpr const wchar_t* DevicePowerBatteryFlag = L"BatteryFlag";
constexpr const wchar_t* DevicePowerBatteryLifePercent = L"BatteryLifePercent";
constexpr const wchar_t* DevicePowerFail = L"Fail";

BOOL WINAPI GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX status, BOOL update);
