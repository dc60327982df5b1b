// Clears the platform's state values the Wireless and SysInfo tests depend on
// (a prefix that ran the Today host holds a lively device state) and puts
// back exactly what was there when the test ends.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class DeviceStateSnapshot {
 public:
  DeviceStateSnapshot() {
    const Place places[] = {
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
    };
    for (const Place& p : places) {
      Saved s{p, false, 0, {}};
      HKEY key;
      if (RegOpenKeyExW(p.root, p.path, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) ==
          ERROR_SUCCESS) {
        DWORD size = 0;
        if (RegQueryValueExW(key, p.name, nullptr, &s.type, nullptr, &size) == ERROR_SUCCESS) {
          s.data.resize(size);
          s.present = RegQueryValueExW(key, p.name, nullptr, &s.type, s.data.data(), &size) ==
                      ERROR_SUCCESS;
          RegDeleteValueW(key, p.name);
        }
        RegCloseKey(key);
      }
      saved_.push_back(s);
    }
  }
  ~DeviceStateSnapshot() {
    for (const Saved& s : saved_) {
      if (!s.present) continue;
      HKEY key;
      if (RegCreateKeyExW(s.place.root, s.place.path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        continue;
      RegSetValueExW(key, s.place.name, 0, s.type, s.data.data(),
                     static_cast<DWORD>(s.data.size()));
      RegCloseKey(key);
    }
  }
  DeviceStateSnapshot(const DeviceStateSnapshot&) = delete;
  DeviceStateSnapshot& operator=(const DeviceStateSnapshot&) = delete;

 private:
  struct Place {
    HKEY root;
    const wchar_t* path;
    const wchar_t* name;
  };
  struct Saved {
    Place place;
    bool present;
    DWORD type;
    std::vector<BYTE> data;
  };
  std::vector<Saved> saved_;
};
