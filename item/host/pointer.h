// Pointer input of the item window: press, drag, release, double tap. A
// double-click press starts a drag as a press does; its release, never
// moved, is the double tap and then the single tap.
#pragma once
#include <windows.h>

void OnPointerDown(HWND window, int x, int y);
void OnPointerMove(HWND window, int x, int y);
void OnPointerUp(HWND window, int x, int y);
void OnPointerDoubleClick(HWND window, int x, int y);

// More than this many pixels of horizontal travel make a press a drag.
constexpr int TapTravel = 10;
