// The stand-ins' console lines: one line per event, UTF-8, written at once so
// scripts and tests can follow them.
#pragma once
#include <windows.h>

#include <cstdarg>

// The longest line, in characters before its end: a longer one is cut there.
constexpr int LogLineChars = 2045;

// Writes one formatted line to out as UTF-8, cut to LogLineChars characters,
// with end (L"\n" or L"\r\n") after it.
void WriteLogLine(HANDLE out, const wchar_t* end, const wchar_t* format, va_list args);

// One line on standard output, ended with CR LF as a console program's text
// output is.
void HostLog(const wchar_t* format, ...);
