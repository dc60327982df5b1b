// Pure text pieces of the Time page: the clock picture, the next-alarm text,
// and bounded copies into the fixed text slots.
#pragma once
#include <windows.h>

// The GetTimeFormat picture for a TimeFormat value; "" for values outside 0..3.
const wchar_t* TimePicture(int timeFormat);

// "HH:MM" of a FILETIME taken as it is (no zone conversion) into out;
// false and an empty text when the value is not a valid time.
bool FormatNextAlarm(const FILETIME& next, wchar_t* out, int capacity);

// Copies at most capacity - 1 units of source and terminates; returns true
// when the copy differs from what out held before.
bool StoreText(wchar_t* out, int capacity, const wchar_t* source);

// True when source, cut to capacity - 1 units, differs from stored.
bool TextDiffers(const wchar_t* stored, int capacity, const wchar_t* source);
