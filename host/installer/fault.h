// A fault as the installer's lower files return it: one line of text that
// names what is wrong, printed once, by the path that met it.
#pragma once
#include <cstddef>

constexpr size_t FaultCap = 600;

struct Fault {
  wchar_t text[FaultCap];
};

// Sets fault's text from format and its arguments (cut to FaultCap; an
// argument may be fault's own text) and returns false, so a check ends with
// `return Fail(fault, L"...", ...);`.
bool Fail(Fault* fault, const wchar_t* format, ...);
