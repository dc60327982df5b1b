// todayhost's log: one line per event on standard output, UTF-8, flushed at
// once so scripts and tests can follow it.
#pragma once

void HostLog(const wchar_t* format, ...);
