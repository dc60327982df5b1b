// The screen turning between portrait and landscape: the device's sizes, the
// notices a turn sends, and the screen window following the turned screen.
#pragma once
#include <windows.h>

// The device screen of a density in either orientation: QVGA (240 x 320
// portrait, 320 x 240 landscape) scaled by the density.
void OrientedScreenSize(int dpi, bool landscape, int* width, int* height);

// The screen's density (vertical pixels per inch), 96 when unknown.
int ScreenDensity();

// "landscape" or "portrait"; false for anything else.
bool ParseOrientation(const wchar_t* text, bool* landscape);

// Whether a message tells the windows that the screen turned: the device's
// WM_SETTINGCHANGE with SETTINGCHANGE_RESET, or WM_DISPLAYCHANGE, which the
// desktop sends when its size changes.
bool IsScreenTurnNotice(UINT message, WPARAM wParam);

// Sizes the screen window to the screen as it is now: a full-screen window
// covers it; a framed one (a device screen shown on a larger desktop) swaps
// its sides when it stands otherwise than the display. The window then gets
// WM_SIZE as on the device.
void FitToScreen(HWND window, bool fullscreen);

// Wine's desktop offers its landscape sizes by itself, a portrait one only
// as its default size: this makes the device's portrait screen that default,
// so the display can turn back to it.
bool OfferPortraitScreen(int width, int height);

// Turns the display of this desktop to the given size and tells every
// top-level window, as the device does after a turn. Returns the
// ChangeDisplaySettingsEx result (DISP_CHANGE_SUCCESSFUL = 0).
LONG TurnScreen(int width, int height);
