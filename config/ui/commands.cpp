// The soft keys (OK and Cancel close the innermost open view: the value
// editor, else the page editor, else the window, which OK closes only once
// the settings are saved), the button row, and the lists' selection and
// double-tap rules.
#include <windows.h>

#include <commctrl.h>

#include "config/model/config_model.h"
#include "config/ui/commands.h"
#include "config/ui/file_chooser.h"
#include "config/ui/pages_tab.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_controls.h"
#include "config/ui/value_editor.h"
#include "config/ui/view.h"

namespace {

bool LauncherEditorOpen() { return Model.EditedPage == PageKindLauncher - 1; }

// Only a save that reached the registry whole ends the tool; otherwise the
// person learns it here and keeps every edit for another try. The lines are
// broken by hand: a desktop's message box wraps at a width of its own, wider
// than a device's screen.
void ShowSaveFailure(HWND window) {
  MessageBoxW(window,
              L"Настройки не сохранены.\n"
              L"Изменения остались\n"
              L"в программе: OK сохранит\n"
              L"их ещё раз, «Отмена»\n"
              L"закроет программу\n"
              L"без сохранения.",
              L"Tovira", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void EditSelectedRow(HWND list) {
  int row = SelectedRow(list);
  if (row < 0) return;
  if (list == Ui.PageList) {
    if (Model.EditedPage == NoPageEditor && Model.CurrentTab == TabPages) OpenPageEditor(row);
    return;
  }
  if (list == Ui.LauncherItemList) {
    EditLauncherFile(row);
    return;
  }
  int listIndex = ListIndexOf(list);
  if (listIndex == NoSettingsList) return;
  OpenValueEditor(listIndex, row);
}

void HandleOk(HWND window) {
  if (Model.EditorKind != EditorNone) {
    if (LauncherEditorOpen() &&
        (Model.EditorKind == EditorNewFile || Model.EditorKind == EditorFile))
      CommitLauncherFile();
    else
      CommitValueEditor();
    Model.EditorKind = EditorNone;
    RefreshView();
    return;
  }
  if (Model.EditedPage != NoPageEditor) {
    CommitPageEditor();
    RefreshView();
    return;
  }
  RebuildPagesFromList();
  SaveOutcome saved = SaveSettings();
  if (saved.WroteAny) NotifyTodayShell();  // the screen shows what is stored now
  if (!saved.Complete) {
    ShowSaveFailure(window);
    return;
  }
  SendMessageW(window, WM_CLOSE, 0, 0);
}

void HandleCancel(HWND window) {
  if (Model.EditorKind != EditorNone) {
    Model.EditorKind = EditorNone;  // the edit is dropped
  } else if (Model.EditedPage != NoPageEditor) {
    Model.EditedPage = NoPageEditor;  // EditCopy and the edited files are dropped
  } else {
    SendMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  RefreshView();
}

void OnListItemChanged(HWND list, const NMLISTVIEW* change) {
  if (!(change->uChanged & LVIF_STATE)) return;
  int selected = SelectedRow(list);
  if (list == Ui.PageList) {
    OnPageListChanged(change->iItem);
  } else if (list == Ui.LauncherItemList) {
    EnableRowButtons(selected, RowCount(list), true);
  } else if (list == Ui.EditorLists[PageKindLauncher - 1]) {
    Enable(Ui.LauncherEditButton, selected >= 0);
  } else if (list == Ui.FileList) {
    Enable(Ui.OpenButton, selected >= 0);
  } else if (ListIndexOf(list) != NoSettingsList && list == CurrentSettingsList() &&
             Model.EditorKind == EditorNone) {
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
    if (Model.CurrentTab == TabPages && Model.EditedPage == NoPageEditor)
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
    else if (Model.CurrentTab == TabPages && Model.EditedPage == NoPageEditor)
      MovePage(delta);
  } else if (control == Ui.OpenButton) {
    OpenSelectedFileRow();
  }
}
