// The two-column settings lists (name, value) and the row helpers every list
// of the tool uses.
#pragma once
#include <windows.h>

#include <cstddef>

// Every list of the tool: a report without header, one row selectable, rows
// selected whole; style and extendedStyle add to that.
HWND CreateReportList(HWND parent, int x, int y, int width, int height, DWORD style,
                      DWORD extendedStyle);
HWND CreateSettingsList(HWND parent, int x, int y, int width, int height, bool visible);
// Appends a row: name, row data (in the image field), its index as parameter,
// the second column's text, and the check state asked for.
int InsertRow(HWND list, const wchar_t* name, int rowData, int index, const wchar_t* value,
              bool checked);
// The last row with the selected bit, -1 when none.
int SelectedRow(HWND list);
void SelectRow(HWND list, int row);
void SetRowText(HWND list, int row, int column, const wchar_t* text);
void RowText(HWND list, int row, int column, wchar_t* text, size_t capacity);
int RowData(HWND list, int row);
void SetRowData(HWND list, int row, int data);
int RowCount(HWND list);
bool RowChecked(HWND list, int row);
void SetRowChecked(HWND list, int row, bool checked);
// Fills the list's rows (list index as in setting_rows.h) from the settings.
void FillRows(HWND list, int listIndex);
void WriteRowTexts(HWND list, int listIndex);
void FitLastColumn(HWND list, int column);
