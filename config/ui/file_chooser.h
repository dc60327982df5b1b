// The file chooser of the value editor's file group.
#pragma once
#include <windows.h>

#include <commctrl.h>

// Lists a folder (written from the device root, ending in a backslash; empty
// for the root) into the list, with the row of that name selected. The
// folder listed last is not listed again.
void ListFolder(HWND list, const wchar_t* folder, const wchar_t* name);
// The open button: a folder row lists that folder, ".." its parent, a file
// row becomes the path.
void OpenSelectedFileRow();
// The index of a file's icon in the system image list (0 when unknown).
int SystemIconIndex(const wchar_t* path);
// Gives the file list a row's icon when it first asks for it.
void AnswerFileIcon(NMLVDISPINFOW* request);
