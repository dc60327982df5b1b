// todayhost's log lines on standard output.
#include "host/todayhost/host_log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>

void HostLog(const wchar_t* format, ...) {
  wchar_t line[1024];
  va_list args;
  va_start(args, format);
  int n = vswprintf(line, 1022, format, args);
  va_end(args);
  if (n < 0) n = static_cast<int>(wcslen(line));  // truncated: keep what fits
  line[n] = L'\n';
  line[n + 1] = 0;
  char utf8[4096];
  int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof(utf8), nullptr, nullptr);
  if (bytes > 1) {
    fwrite(utf8, 1, static_cast<size_t>(bytes - 1), stdout);
    fflush(stdout);
  }
}
