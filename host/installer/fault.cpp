// The one formatter of fault texts.
#include "host/installer/fault.h"

#include <cstdarg>
#include <cwchar>

bool Fail(Fault* fault, const wchar_t* format, ...) {
  wchar_t text[FaultCap];
  va_list args;
  va_start(args, format);
  if (vswprintf(text, FaultCap, format, args) < 0) text[FaultCap - 1] = L'\0';
  va_end(args);
  wcscpy(fault->text, text);
  return false;
}
