// The simulated device's state as scripts/device-state.sh names it
// (operator=, sms=, battery=, ...): each setting checked and turned into a
// record, and the record written where the platform and the power stand-in
// read it.
#pragma once
#include <windows.h>

#include <cstddef>

constexpr int OperatorTextSlot = 128;

// The settings named so far; a figure is written only when its has... is set.
struct DeviceState {
  bool hasOperator, hasSms, hasEmail, hasCalls, hasBluetooth, hasWifi, hasAlarm;
  bool hasBattery, hasCharging, hasNoBattery, hasCard;
  wchar_t operatorName[OperatorTextSlot];  // empty: the phone is off
  DWORD sms, email, calls;
  bool bluetooth, wifi;
  bool alarmOn;
  int alarmHour, alarmMinute;
  DWORD battery;  // percent
  bool charging, noBattery, card;
  bool lively;  // the fresh device's state for whatever is not named
};

// Takes one "name=value" argument (or "--lively") into state; false for an
// unknown name or a value out of its range, with a one-line reason naming it.
bool ParseDeviceSetting(const wchar_t* argument, DeviceState* state, wchar_t* error,
                        size_t errorCap);

// With --lively, the fresh device's figures for every one not named.
void ApplyLivelyDefaults(DeviceState* state);

// The battery's three stored values hang together: the ones not named are
// taken from what is stored (charging and no battery from its flags).
struct StoredPower {
  bool hasPercent;
  DWORD percent;
  DWORD flags;
};
void CompletePower(const StoredPower& stored, DeviceState* state);

// The power stand-in's "BatteryFlag": 128 no battery, 8 charging, 2 low
// (below 34 %), 1 high.
DWORD BatteryFlagOf(DWORD percent, bool charging, bool noBattery);

// The next alarm as the platform stores it: a FILETIME of the day after
// today (UTC) at hour:minute, shown as stored, without a zone.
FILETIME NextAlarmTime(const SYSTEMTIME& nowUtc, int hour, int minute);

// Writes every figure named into the registry; the launcher's shortcuts
// (with --lively, only while the settings have none) are the stand-in
// programs found under deviceRoot. False when a write failed.
bool WriteDeviceState(const DeviceState& state, const wchar_t* deviceRoot);
