// The screen window's measures as the platform gives them (its client size,
// the screen's density) and its following of a turned display.
#pragma once
#include <windows.h>

// The client area's width and height.
SIZE ClientSizeOf(HWND window);

// The screen's density (vertical pixels per inch), 96 when unknown.
int ScreenDensity();

// Sizes the screen window to the screen as it is now: a full-screen window
// covers it; a framed one (a device screen shown on a larger desktop) swaps
// its sides when it stands otherwise than the display. The window then gets
// WM_SIZE as on the device.
void FitToScreen(HWND window, bool fullscreen);
