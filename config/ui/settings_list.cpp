// Settings lists and row helpers over the list-view control.
#include "config/ui/settings_list.h"

#include <windows.h>

#include <commctrl.h>

#include "config/model/config_model.h"
#include "config/model/setting_rows.h"
#include "config/model/text_util.h"

HWND CreateReportList(HWND parent, int x, int y, int width, int height, DWORD style,
                      DWORD extendedStyle) {
  style |= WS_CHILD | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
           LVS_NOCOLUMNHEADER;
  HWND list = CreateWindowExW(
      0, WC_LISTVIEWW, L"", style, x, y, width, height, parent, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (list) SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extendedStyle, extendedStyle);
  return list;
}

HWND CreateSettingsList(HWND parent, int x, int y, int width, int height, bool visible) {
  return CreateReportList(parent, x, y, width, height, visible ? WS_VISIBLE : 0,
                          LVS_EX_FULLROWSELECT);
}

int InsertRow(HWND list, const wchar_t* name, int rowData, int index, const wchar_t* value,
              bool checked) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = RowCount(list);
  item.pszText = const_cast<wchar_t*>(name);
  item.iImage = rowData;
  item.lParam = index;
  int row =
      static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return row;
  SetRowText(list, row, 1, value);
  SetRowChecked(list, row, checked);
  return row;
}

int SelectedRow(HWND list) {
  int selected = -1;
  int count = RowCount(list);
  for (int i = 0; i < count; ++i)
    if (SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED) selected = i;
  return selected;
}

void SelectRow(HWND list, int row) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void SetRowText(HWND list, int row, int column, const wchar_t* text) {
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text ? text : L"");
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void RowText(HWND list, int row, int column, wchar_t* text, size_t capacity) {
  if (capacity == 0) return;
  text[0] = L'\0';
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = static_cast<int>(capacity);
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  text[capacity - 1] = L'\0';
}

int RowData(HWND list, int row) {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.iImage;
}

void SetRowData(HWND list, int row, int data) {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = data;
  SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

bool RowChecked(HWND list, int row) {
  // Only the unchecked image counts as hidden; no state image reads as shown.
  UINT state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
  return (state & LVIS_STATEIMAGEMASK) != INDEXTOSTATEIMAGEMASK(1);
}

void SetRowChecked(HWND list, int row, bool checked) {
  LVITEMW item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void FitLastColumn(HWND list, int column) {
  SendMessageW(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE_USEHEADER);
}

void FillRows(HWND list, int listIndex) {
  RowTable table = RowsOfList(listIndex);
  for (int i = 0; i < table.Count; ++i) {
    const RowSpec& spec = table.Rows[i];
    wchar_t value[TextSlot] = L"";
    if (listIndex == GeneralListIndex)
      RowValueText(Model.Current, Model.TodayItemEnabled, listIndex, i, value, TextSlot);
    else if (spec.ValueTexts == &MemoryValueTexts)
      CopyText(value, L"%");  // the memory rows show the first choice until opened
    InsertRow(list, spec.Name, spec.Kind, i, value, false);
  }
}

void WriteRowTexts(HWND list, int listIndex) {
  RowTable table = RowsOfList(listIndex);
  const ToolSettings& settings = listIndex == GeneralListIndex ? Model.Current : Model.EditCopy;
  for (int i = 0; i < table.Count; ++i) {
    wchar_t value[TextSlot];
    RowValueText(settings, Model.TodayItemEnabled, listIndex, i, value, TextSlot);
    SetRowText(list, i, 1, value);
  }
}
