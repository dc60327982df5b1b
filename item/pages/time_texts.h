// The texts the refresh keeps for the Time and Date pages, and the alarm
// readings; they start empty with each item window and follow the clock.
#pragma once
#include <windows.h>

constexpr int TimeTextSlot = 100;
constexpr int DateTextSlot = 100;
constexpr int NextAlarmSlot = 10;

struct TimeDateTexts {
  wchar_t TimeText[TimeTextSlot];
  wchar_t DateText1[DateTextSlot];
  wchar_t DateText2[DateTextSlot];
  wchar_t NextAlarmText[NextAlarmSlot];  // "HH:MM" or empty
  int AlarmOn;                           // at least one alarm enabled
  SYSTEMTIME LastMinute;                 // the minute the texts were made for
  HWND Window;                           // the item window they were made for
};

extern TimeDateTexts TimeTexts;

// Empties every text and reading (a new item window starts from nothing).
void ResetTimeTexts();

// The texts belong to one item window: meeting another one empties them.
// The refresh and the alarm reader call it first.
void TimeTextsForWindow(HWND window);

// ReadAlarmState (item/host/page_hooks.h) fills AlarmOn and NextAlarmText.
