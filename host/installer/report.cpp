// Console lines of the installer stand-in, as UTF-8, bounded.
#include "host/installer/report.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

namespace {

void WriteLine(DWORD stream, const wchar_t* format, va_list args) {
  wchar_t line[2048];
  int n = vswprintf(line, 2046, format, args);
  if (n < 0) {  // cut to the buffer: a path longer than a line is still told
    line[2045] = L'\0';
    n = static_cast<int>(wcslen(line));
  }
  line[n++] = L'\n';
  char bytes[sizeof line * 2];
  int size = WideCharToMultiByte(CP_UTF8, 0, line, n, bytes, sizeof bytes, nullptr, nullptr);
  DWORD written = 0;
  if (size > 0) WriteFile(GetStdHandle(stream), bytes, static_cast<DWORD>(size), &written, nullptr);
}

}  // namespace

void Report(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  WriteLine(STD_OUTPUT_HANDLE, format, args);
  va_end(args);
}

void ReportError(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  WriteLine(STD_ERROR_HANDLE, format, args);
  va_end(args);
}
