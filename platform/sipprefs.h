// The soft input panel's "SIPPREF" control: on the device it raises the
// input panel when an edit of its parent gets the focus. The desktop has no
// panel to raise, so the class exists and its windows stay passive.
#pragma once
#include <windows.h>

#define WC_SIPPREF L"SIPPREF"

// Registers the class once per process; true when it is available.
BOOL RegisterSipPrefClass(HINSTANCE instance);
