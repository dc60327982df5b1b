// Steps the page-editor tests share: switch tabs and open editors the way a
// user does, through the list selection and the "..." button.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "config/model/config_model.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_window.h"
#include "tests/config/tool_test_support.h"

class PageEditorTest : public ToolWindowTest {
 protected:
  void ShowTab(int tab) {
    TabCtrl_SetCurSel(Ui.Tabs, tab);
    NMHDR change = {Ui.Tabs, 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    PumpPending();
  }
  int RowOfKind(int kind) {
    for (int i = 0; i < RowCount(Ui.PageList); ++i)
      if (RowData(Ui.PageList, i) == kind) return i;
    return -1;
  }
  void OpenPage(int kind) {
    ShowTab(1);
    Select(Ui.PageList, RowOfKind(kind));
    Click(Ui.EditButton);
  }
  void OpenEditorRow(int kind, int row) {
    HWND list = Ui.EditorLists[kind - 1];
    Select(list, row);
    Click(kind == PageKindLauncher ? Ui.LauncherEditButton : Ui.EditButton);
  }
  COLORREF PixelAt(int x, int y) {
    UpdateWindow(window_);
    HDC dc = GetDC(window_);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window_, dc);
    return c;
  }
};
