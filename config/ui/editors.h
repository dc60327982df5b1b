// The value editor panel, the lists' selection rules and the buttons: what
// the main window routes to for notifications and control commands.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "config/model/setting_rows.h"

// What ListIndexOf gives for a handle that is no settings list.
constexpr int NoSettingsList = -2;
// The list index (setting_rows.h) of a settings list handle.
int ListIndexOf(HWND list);
// The settings list of a list index; null for none.
HWND SettingsListOf(int listIndex);
// The settings list the view shows now (General list or the open page
// editor's list), or null.
HWND CurrentSettingsList();

void EditSelectedRow(HWND list);
void OpenValueEditor(int listIndex, int row);
// OK on an open value editor: the panel's value into the model, the row's
// text renewed.
void CommitValueEditor();
// The file group filled for a path: the path edit, and its folder listed
// with the file selected.
void FillFile(const wchar_t* path);
// The text of an edit control, cut to the slot.
void ReadEdit(HWND edit, wchar_t* text, int capacity);

void PaintSwatch(HDC dc, bool fontRow);
void SwatchRect(bool fontRow, RECT* rect);

void OnListItemChanged(HWND list, const NMLISTVIEW* change);
void OnListDoubleTap(HWND window, HWND list);
void OnControlCommand(HWND window, HWND control, UINT code);

// The controls shown for an open value editor of this kind.
void ShowEditorControls(int kind);
void HideEditorControls();

// Page editors (Pages tab).
void OpenPageEditor(int row);
void CommitPageEditor();
void MovePage(int delta);
void FillPageList();
void RebuildPagesFromList();
void OnPageListChanged(int item);

// The Launcher editor's file list.
void EditLauncherFile(int row);
void AddLauncherFile();
void RemoveLauncherFile();
void MoveLauncherFile(int delta);
void CommitLauncherFile();

// The file chooser.
void ListFolder(HWND list, const wchar_t* folder, const wchar_t* name);
void OpenSelectedFileRow();
// The index of a file's icon in the system image list (0 when unknown).
int SystemIconIndex(const wchar_t* path);
// Gives the file list a row's icon when it first asks for it.
void AnswerFileIcon(NMLVDISPINFOW* request);
void BuildDateHelp(wchar_t* text, size_t capacity);
void BuildTimeHelp(wchar_t* text, size_t capacity);
