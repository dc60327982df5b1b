// The stand-ins' console lines: one line per event, UTF-8, written at once so
// scripts and tests can follow them.
#pragma once
#include <windows.h>

#include <cstdarg>

// The longest line, in characters before its end: a longer one is cut there.
constexpr int LogLineChars = 2045;

// How a line's ends are written: a line feed alone, or CR LF as a console
// program's text output writes every line end, those inside the line too.
enum LineEnds { LfEnds, CrLfEnds };

// Writes one formatted line to out as UTF-8, cut to LogLineChars characters,
// with its end after it.
void WriteLogLine(HANDLE out, LineEnds ends, const wchar_t* format, va_list args);

// One line on standard output, its line ends CR LF.
void HostLog(const wchar_t* format, ...);
