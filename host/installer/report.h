// What the installer stand-in tells its user: one line per action on
// standard output, the reason it stopped on standard error (UTF-8 both).
#pragma once

void Report(const wchar_t* format, ...);
void ReportError(const wchar_t* format, ...);
