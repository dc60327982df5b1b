// The phone and radio part of the system state that the Wireless page shows:
// operator, unread counts, missed calls, Bluetooth and Wi-Fi. The alarm part
// is read by the alarm reader, which runs first on every read.
#pragma once
#include "item/pages/wireless_text.h"
#include "platform/state_names.h"

// The operator is read with a 260-byte buffer.
constexpr int OperatorReadSlot = 131;  // 260 bytes and a terminator of our own

// What the platform reports right now.
struct PhoneFigures {
  wchar_t Operator[OperatorReadSlot];  // empty when it cannot be read
  int MissedCalls;
  int UnreadSMS;
  int UnreadEMails;
  bool BluetoothOn;
  bool WifiOn;
};

// What the item shows; starts zeroed and empty with each item window.
struct PhoneStateRecord {
  wchar_t Operator[OperatorSlot];
  int MissedCalls;
  int UnreadSMS;
  int UnreadEMails;
  int BluetoothOn;
  int WifiOn;
};

extern PhoneStateRecord PhoneState;

// Reads the platform's state registry values; missing ones read as 0/off/empty.
void GatherPhoneFigures(PhoneFigures* figures);

// Stores the figures in the state; true when anything shown changed.
bool ApplyPhoneFigures(PhoneStateRecord* state, const PhoneFigures& figures);

// Empties the state and forgets an announced change (a new item window).
void ResetPhoneState();

// The state reader after the alarms: gathers and applies; true when anything
// shown changed.
bool RefreshSystemState();

// WM_USER: the platform announces a state change. The state is read at once
// without painting; what changed is kept for the next tick to repaint, since
// that tick's own read then finds nothing new.
void ReadAnnouncedState();
// True once after an announced change was read.
bool TakeAnnouncedStateChange();
