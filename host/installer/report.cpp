// Console lines of the installer stand-in, as UTF-8, bounded, each ended with
// a line feed alone.
#include "host/installer/report.h"

#include <windows.h>

#include <cstdarg>

#include "host/common/host_log.h"

void Report(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  WriteLogLine(GetStdHandle(STD_OUTPUT_HANDLE), LfEnds, format, args);
  va_end(args);
}

void ReportError(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  WriteLogLine(GetStdHandle(STD_ERROR_HANDLE), LfEnds, format, args);
  va_end(args);
}
