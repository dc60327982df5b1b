// The Wireless page's pure rules: radio values, the operator text and the
// counter text, kept apart from the registry reads and the painter.
#pragma once
#include <cstddef>

constexpr int OperatorSlot = 100;  // 99 characters and the terminator
constexpr int CounterSlot = 64;    // three labels and three 10-digit numbers fit
constexpr const wchar_t* PhoneOffText = L"Телефон выключен";

// Bluetooth is on unless the value is missing, 0 or 8.
bool BluetoothOnFromValue(bool read, unsigned long value);
// Wi-Fi is on unless the value is missing, 1 or 5.
bool WifiOnFromValue(bool read, unsigned long value);

// Puts the text that shows for the operator read now (scratch, possibly
// empty) into the stored slot; a missing operator shows PhoneOffText.
// Returns true only when the shown text changed.
bool UpdateOperatorText(wchar_t (&stored)[OperatorSlot], const wchar_t* scratch);

struct CounterInput {
  int emails;
  int sms;
  int calls;
  int showEMails;
  int showSMS;
  int showCalls;
};

// "@:" e-mails, "sms:" SMS, "calls:" missed calls, each only when positive
// and shown, each followed by one space. Always terminated.
void BuildCounterText(const CounterInput& in, wchar_t* out, size_t capacity);

// The operator's name as drawn in room pixels: the whole name when it fits,
// else its longest start (without trailing blanks or half a surrogate pair)
// that fits with an ellipsis (U+2026) after it, or nothing when not even the
// ellipsis fits. extents[i] is the width of the first i + 1 of the name's
// length units. Always terminated; true when the name was cut.
bool FitOperatorName(const wchar_t* name, const int* extents, int length, int ellipsisWidth,
                     long long room, wchar_t* out, size_t capacity);
