// The soft keys, the button row, and the lists' selection and double-tap
// rules: what the main window routes to for commands and notifications.
#pragma once
#include <windows.h>

#include <commctrl.h>

void EditSelectedRow(HWND list);
// The OK and Cancel soft keys: each closes the innermost open view (value
// editor, page editor, window); OK keeps what it closes, at the top saving
// the settings.
void HandleOk(HWND window);
void HandleCancel(HWND window);

void OnListItemChanged(HWND list, const NMLISTVIEW* change);
void OnListDoubleTap(HWND window, HWND list);
void OnControlCommand(HWND window, HWND control, UINT code);
