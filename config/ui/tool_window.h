// The tool's main window: the start-up, the message loop and the window
// procedure, which routes each message to the dialog's lower files.
#pragma once
#include <windows.h>

#include "config/ui/tool_controls.h"

// Makes and shows the main window. Only one tool runs: when its window is
// already open that window is activated and null returned; null also when
// the window cannot be made.
HWND StartTool(HINSTANCE instance, int show);
int RunMessageLoop();
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The start-up's steps before the controls: the soft-key bar (its Cancel
// text set), then the common controls and the three fonts.
void CreateMenuBar(HWND window);
void PrepareControlsAndFonts();
// The main window's class (background white, the program's icon), with the
// window procedure given.
bool RegisterMainClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure);
// Shrinks the made window by the bar's height, as start-up does.
void MakeRoomForMenuBar(HWND window);
