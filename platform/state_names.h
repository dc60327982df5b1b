// Where the platform keeps the state the Today screen shows: its own keys and
// values under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, as Windows Mobile
// names them. The item reads them; the device stand-ins write them.
#pragma once

constexpr const wchar_t* PhoneStateKey = L"System\\State\\Phone";            // HKLM and HKCU
constexpr const wchar_t* ValCurrentOperatorName = L"Current Operator Name";  // HKLM
constexpr const wchar_t* ValMissedCallCount = L"Missed Call Count";          // HKCU
constexpr const wchar_t* SmsUnreadKey = L"System\\State\\Messages\\sms\\Unread";
constexpr const wchar_t* EmailUnreadKey = L"System\\State\\Messages\\TotalEmail\\Unread";
constexpr const wchar_t* ValCount = L"Count";
constexpr const wchar_t* HardwareStateKey = L"System\\State\\Hardware";  // HKLM
constexpr const wchar_t* ValBluetooth = L"Bluetooth";
constexpr const wchar_t* ValWifi = L"Wifi";

// The clock's alarms: HKLM keys ClockKeyBase + 0..AlarmKeyCount-1, each with
// its flags; the next alarm's moment as an 8-byte FILETIME under HKCU.
constexpr const wchar_t* ClockKeyBase = L"Software\\Microsoft\\Clock\\";
constexpr int AlarmKeyCount = 3;
constexpr const wchar_t* ValAlarmFlags = L"AlarmFlags";
constexpr const wchar_t* AlarmsKey = L"System\\State\\Shell\\Alarms";
constexpr const wchar_t* ValNextAlarm = L"Next";
