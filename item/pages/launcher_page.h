// The Launcher page: the shortcuts' icons in rows, each starting its target.
#pragma once
#include <windows.h>

#include "item/pages/page_frame.h"

// Places every LauncherItem's icon rectangle for the item window's width.
void LayoutLauncher(HWND itemWindow);

void PaintLauncherPage(HDC dc, const PageFrame& frame);
