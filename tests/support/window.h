// Plain top-level windows of the tests and benchmarks: a sink for broadcasts
// and messages, a stand-in for the Today shell or for the item.
#pragma once
#include <windows.h>

namespace testsupport {

// Registers the class on first use (a second registration fails harmlessly)
// and opens a top-level window of it at (0, 0).
HWND OpenWindow(const wchar_t* className, const wchar_t* title, DWORD style, int width, int height,
                WNDPROC procedure = DefWindowProcW, HBRUSH background = nullptr);

}  // namespace testsupport
