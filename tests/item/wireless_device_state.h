// Clears the platform's state values the Wireless and SysInfo tests depend on
// (a prefix that ran the Today host holds a lively device state) and puts
// back exactly what was there when the test ends.
#pragma once
#include <windows.h>

#include "support/registry.h"

class DeviceStateSnapshot : public testsupport::SavedValues {
 public:
  DeviceStateSnapshot()
      : SavedValues(
            {
                {HKEY_LOCAL_MACHINE, L"System\\State\\Phone", L"Current Operator Name"},
                {HKEY_CURRENT_USER, L"System\\State\\Phone", L"Missed Call Count"},
                {HKEY_CURRENT_USER, L"System\\State\\Messages\\sms\\Unread", L"Count"},
                {HKEY_CURRENT_USER, L"System\\State\\Messages\\TotalEmail\\Unread", L"Count"},
                {HKEY_LOCAL_MACHINE, L"System\\State\\Hardware", L"Bluetooth"},
                {HKEY_LOCAL_MACHINE, L"System\\State\\Hardware", L"Wifi"},
                {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\0", L"AlarmFlags"},
                {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\1", L"AlarmFlags"},
                {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\2", L"AlarmFlags"},
                {HKEY_CURRENT_USER, L"System\\State\\Shell\\Alarms", L"Next"},
                {HKEY_CURRENT_USER, L"Software\\Tovira Device\\Power", L"ACLineStatus"},
                {HKEY_CURRENT_USER, L"Software\\Tovira Device\\Power", L"BatteryFlag"},
                {HKEY_CURRENT_USER, L"Software\\Tovira Device\\Power", L"BatteryLifePercent"},
                {HKEY_CURRENT_USER, L"Software\\Tovira Device\\Power", L"Fail"},
            },
            true) {}
};
