// turnscreen's own work: the display of this desktop turned, and the
// notice of it to every program, as a person turns a Pocket PC.
#pragma once
#include <windows.h>

// Wine's desktop offers its landscape sizes by itself, a portrait one only
// as its default size: this makes the device's portrait screen that default,
// so the display can turn back to it.
bool OfferPortraitScreen(int width, int height);

// Turns the display of this desktop to the given size and tells every
// top-level window, as the device does after a turn. Returns the
// ChangeDisplaySettingsEx result (DISP_CHANGE_SUCCESSFUL = 0).
LONG TurnScreen(int width, int height);
