// The stand-ins' log: one line per event, UTF-8, flushed at once so scripts
// and tests can follow it.
#pragma once
#include <cstdarg>
#include <cstdio>

// Writes one formatted line to stream (cut to 1021 characters, a line end
// added; a stream in text mode ends it with CR LF) and flushes it.
void WriteLogLine(FILE* stream, const wchar_t* format, va_list args);

// One line on standard output.
void HostLog(const wchar_t* format, ...);
