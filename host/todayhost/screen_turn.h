// The screen turning between portrait and landscape, as pure rules: the
// device's sizes, the orientation's words and the notices a turn sends.
#pragma once
#include <windows.h>

// The device screen of a density in either orientation: QVGA (240 x 320
// portrait, 320 x 240 landscape) scaled by the density.
void OrientedScreenSize(int dpi, bool landscape, int* width, int* height);

// "landscape" or "portrait"; false for anything else.
bool ParseOrientation(const wchar_t* text, bool* landscape);

// Whether a message tells the windows that the screen turned: the device's
// WM_SETTINGCHANGE with SETTINGCHANGE_RESET, or WM_DISPLAYCHANGE, which the
// desktop sends when its size changes.
bool IsScreenTurnNotice(UINT message, WPARAM wParam);
