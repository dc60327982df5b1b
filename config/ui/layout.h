// The main window's child controls: made once, filled for the first screen,
// filled further just before first shown, and re-fitted to the window's size.
#pragma once
#include <windows.h>

// Every child control at its place and in its font, but empty: no rows, no
// icons, no font faces.
void CreateControls(HWND window);
// The controls made, and the General tab's rows filled.
void CreateContents(HWND window);
// The font group's list of the font families installed.
void FillFaceList();
// What the first screen does not show is filled just before a person first
// gets to it, once: a page editor's rows, the system's icons of the two file
// lists, the About tab's icon. Anything else, or a second time, does nothing.
void FillBeforeFirstShow(HWND control);
void LayoutForSize(HWND window);
