// The soft keys (OK and Cancel on their three levels), the button row, and
// the lists' selection and double-tap rules.
#include <windows.h>

#include <commctrl.h>

#include "config/model/config_model.h"
#include "config/ui/editors.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_window.h"

namespace {

void Enable(HWND control, bool enabled) {
  if (control) EnableWindow(control, enabled ? TRUE : FALSE);
}

bool LauncherEditorOpen() { return Model.EditedPage == PageKindLauncher - 1; }

void RefreshAndInvalidate() {
  RefreshView();
  InvalidateMain();
}

}  // namespace

int ListIndexOf(HWND list) {
  if (!list) return -2;
  if (list == Ui.GeneralList) return GeneralListIndex;
  for (int i = 0; i < PageKindCount; ++i)
    if (list == Ui.EditorLists[i]) return i;
  return -2;
}

HWND CurrentSettingsList() {
  if (Model.CurrentTab == 0) return Ui.GeneralList;
  if (Model.EditedPage >= 0 && Model.EditedPage < PageKindCount)
    return Ui.EditorLists[Model.EditedPage];
  return nullptr;
}

void EditSelectedRow(HWND list) {
  int row = SelectedRow(list);
  if (row < 0) return;
  if (list == Ui.PageList) {
    if (Model.EditedPage == -1 && Model.CurrentTab == 1) OpenPageEditor(row);
    return;
  }
  if (list == Ui.LauncherItemList) {
    EditLauncherFile(row);
    return;
  }
  int listIndex = ListIndexOf(list);
  if (listIndex == -2) return;
  OpenValueEditor(listIndex, row);
}

void HandleOk(HWND window) {
  if (Model.EditorKind != -1) {
    if (LauncherEditorOpen() &&
        (Model.EditorKind == EditorNewFile || Model.EditorKind == EditorFile))
      CommitLauncherFile();
    else
      CommitValueEditor();
    Model.EditorKind = -1;
    RefreshAndInvalidate();
    return;
  }
  if (Model.EditedPage != -1) {
    CommitPageEditor();
    RefreshAndInvalidate();
    return;
  }
  RebuildPagesFromList();
  SaveSettings();
  NotifyTodayShell();
  SendMessageW(window, WM_CLOSE, 0, 0);
}

void HandleCancel(HWND window) {
  if (Model.EditorKind != -1) {
    Model.EditorKind = -1;  // the edit is dropped
  } else if (Model.EditedPage != -1) {
    Model.EditedPage = -1;  // EditCopy and the edited files are dropped
  } else {
    SendMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  RefreshAndInvalidate();
}

void OnListItemChanged(HWND list, const NMLISTVIEW* change) {
  if (!(change->uChanged & LVIF_STATE)) return;
  int selected = SelectedRow(list);
  if (list == Ui.PageList) {
    OnPageListChanged(change->iItem);
  } else if (list == Ui.LauncherItemList) {
    int count = RowCount(list);
    Enable(Ui.EditButton, selected >= 0);
    Enable(Ui.RemoveButton, selected >= 0);
    Enable(Ui.UpButton, selected > 0);
    Enable(Ui.DownButton, selected >= 0 && selected < count - 1);
  } else if (list == Ui.EditorLists[PageKindLauncher - 1]) {
    Enable(Ui.LauncherEditButton, selected >= 0);
  } else if (list == Ui.FileList) {
    Enable(Ui.OpenButton, selected >= 0);
  } else if (ListIndexOf(list) != -2 && list == CurrentSettingsList() && Model.EditorKind == -1) {
    Enable(Ui.EditButton, selected >= 0);
  }
}

void OnListDoubleTap(HWND, HWND list) {
  if (SelectedRow(list) < 0) return;
  if (list == Ui.FileList) {
    OpenSelectedFileRow();
    return;
  }
  EditSelectedRow(list);
}

void OnControlCommand(HWND, HWND control, UINT code) {
  if (code == EN_CHANGE) {
    for (HWND edit : Ui.ColorEdits)
      if (control == edit) InvalidateMain();  // the swatch follows every keystroke
    return;
  }
  if (code != BN_CLICKED) return;
  if (control == Ui.EditButton) {
    if (Model.CurrentTab == 1 && Model.EditedPage == -1)
      EditSelectedRow(Ui.PageList);
    else if (LauncherEditorOpen())
      EditSelectedRow(Ui.LauncherItemList);
    else
      EditSelectedRow(CurrentSettingsList());
  } else if (control == Ui.LauncherEditButton) {
    EditSelectedRow(Ui.EditorLists[PageKindLauncher - 1]);
  } else if (control == Ui.AddButton) {
    if (LauncherEditorOpen()) AddLauncherFile();
  } else if (control == Ui.RemoveButton) {
    if (LauncherEditorOpen()) RemoveLauncherFile();
  } else if (control == Ui.UpButton || control == Ui.DownButton) {
    int delta = control == Ui.UpButton ? -1 : 1;
    if (LauncherEditorOpen())
      MoveLauncherFile(delta);
    else if (Model.CurrentTab == 1 && Model.EditedPage == -1)
      MovePage(delta);
  } else if (control == Ui.OpenButton) {
    OpenSelectedFileRow();
  }
}
