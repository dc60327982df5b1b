// The texts the refresh keeps for the Time and Date pages, and the alarm
// readings; they start empty with each item window and follow the clock.
#pragma once
#include <windows.h>

constexpr int TimeTextSlot = 100;
constexpr int DateTextSlot = 100;
constexpr int NextAlarmSlot = 10;
// The platform's formatting calls write up to this many units; the slots are smaller.
constexpr int FormatScratch = 260;

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

// Empties every text and reading: a new item window starts from nothing.
void ResetTimeTexts(HWND itemWindow);

// What one refresh starts from: the time, and whether the texts that follow
// the minute (clock, dates, month grid) are made again.
struct TickMoment {
  SYSTEMTIME Now;
  bool NewMinute;                // forced, or the clock text or the minute moved on
  wchar_t Clock[FormatScratch];  // the clock text for Now, in the Time page's picture
};
void TakeTickMoment(int force, TickMoment* moment);

// The first part of the state reader: the alarm flags and the next alarm
// into TimeTexts; true when either changed.
bool ReadAlarmState();

// The refresh's share of the Time and Date pages on a new minute: the clock
// text and its minute, and the two date texts.
void StoreClockText(const TickMoment& moment);
void FormatDateTexts(const TickMoment& moment);
