// The one place the item takes the current local time from. Tests and the
// host may pin it, so minutes and days can be driven without the machine clock.
#pragma once
#include <windows.h>

// Pins the clock to a time (copied), or, with null, returns it to the machine's.
void SetClockOverride(const SYSTEMTIME* time);

// The current local time: the pinned one, else GetLocalTime.
void ItemLocalTime(SYSTEMTIME* out);
