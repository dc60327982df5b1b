// Pure text pieces of the Time page: the clock picture and the next-alarm text.
#pragma once
#include <windows.h>

// The GetTimeFormat picture for a TimeFormat value; "" for values outside 0..3.
const wchar_t* TimePicture(int timeFormat);

// "HH:MM" of a FILETIME taken as it is (no zone conversion) into out;
// false and an empty text when the value is not a valid time.
bool FormatNextAlarm(const FILETIME& next, wchar_t* out, int capacity);
