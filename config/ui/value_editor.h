// The value editor panel: a row opened into the panel, the panel taken back
// on OK, and the colour swatch.
#pragma once
#include <windows.h>

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
