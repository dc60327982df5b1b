// What the main window shows: the controls of the open editor or the current
// tab, the title line, the button row's states, and which settings list is
// which.
#pragma once
#include <windows.h>

// Shows the controls of the open value editor, else the page editor, else
// the current tab, and has the window painted again.
void RefreshView();
void InvalidateMain();
void SetTitle(const wchar_t* text);
void Enable(HWND control, bool enabled);
// The button row for the selected row (-1 none) of a list of count rows:
// "...", the arrows, and the remove button where the list's rows can go.
void EnableRowButtons(int selected, int count, bool removable);
// The controls shown for an open value editor of this kind.
void ShowEditorControls(int kind);
void HideEditorControls();

// What ListIndexOf gives for a handle that is no settings list.
constexpr int NoSettingsList = -2;
// The list index (setting_rows.h) of a settings list handle.
int ListIndexOf(HWND list);
// The settings list of a list index; null for none.
HWND SettingsListOf(int listIndex);
// The settings list the view shows now (General list or the open page
// editor's list), or null.
HWND CurrentSettingsList();
