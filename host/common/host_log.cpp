// The stand-ins' log lines.
#include "host/common/host_log.h"

#include <windows.h>

#include <cwchar>

void WriteLogLine(FILE* stream, const wchar_t* format, va_list args) {
  wchar_t line[1024];
  int n = vswprintf(line, 1022, format, args);
  // Cut: some runtimes tell -1, others the length the whole line would have
  // had; either way what fits is kept, and the line end still has its room.
  if (n < 0 || n > 1021) {
    line[1021] = 0;
    n = static_cast<int>(wcslen(line));
  }
  line[n] = L'\n';
  line[n + 1] = 0;
  char utf8[4096];
  int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof(utf8), nullptr, nullptr);
  if (bytes > 1) {
    fwrite(utf8, 1, static_cast<size_t>(bytes - 1), stream);
    fflush(stream);
  }
}

void HostLog(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  WriteLogLine(stdout, format, args);
  va_end(args);
}
