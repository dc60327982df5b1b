// The stand-ins' console lines.
#include "host/common/host_log.h"

#include <cwchar>

void WriteLogLine(HANDLE out, const wchar_t* end, const wchar_t* format, va_list args) {
  wchar_t line[LogLineChars + 3];
  int n = vswprintf(line, LogLineChars + 1, format, args);
  // Cut: some runtimes tell -1, others the length the whole line would have
  // had; either way what fits is kept, and the line end still has its room.
  if (n < 0 || n > LogLineChars) {
    line[LogLineChars] = 0;
    n = static_cast<int>(wcslen(line));
  }
  for (const wchar_t* e = end; *e && n < LogLineChars + 2; ++e) line[n++] = *e;
  char bytes[sizeof line * 2];
  const int size = WideCharToMultiByte(CP_UTF8, 0, line, n, bytes, sizeof bytes, nullptr, nullptr);
  DWORD written = 0;
  if (size > 0) WriteFile(out, bytes, static_cast<DWORD>(size), &written, nullptr);
}

void HostLog(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  WriteLogLine(GetStdHandle(STD_OUTPUT_HANDLE), L"\r\n", format, args);
  va_end(args);
}
