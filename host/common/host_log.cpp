// The stand-ins' console lines.
#include "host/common/host_log.h"

#include <cwchar>

void WriteLogLine(HANDLE out, LineEnds ends, const wchar_t* format, va_list args) {
  wchar_t line[LogLineChars + 1];
  int n = vswprintf(line, LogLineChars + 1, format, args);
  // Cut: some runtimes tell -1, others the length the whole line would have
  // had; either way what fits is kept.
  if (n < 0 || n > LogLineChars) {
    line[LogLineChars] = 0;
    n = static_cast<int>(wcslen(line));
  }
  // Room for every character as CR LF, and the line's own end.
  wchar_t text[2 * LogLineChars + 2];
  int length = 0;
  for (int i = 0; i <= n; ++i) {
    const bool end = i == n || line[i] == L'\n';
    if (end && ends == CrLfEnds) text[length++] = L'\r';
    text[length++] = end ? L'\n' : line[i];
  }
  char bytes[sizeof text * 2];
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text, length, bytes, sizeof bytes, nullptr, nullptr);
  DWORD written = 0;
  if (size > 0) WriteFile(out, bytes, static_cast<DWORD>(size), &written, nullptr);
}

void HostLog(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  WriteLogLine(GetStdHandle(STD_OUTPUT_HANDLE), CrLfEnds, format, args);
  va_end(args);
}
