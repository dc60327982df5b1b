// RefreshView: which controls show for the open editor (value editor, else
// page editor) or, with none open, the current tab; the title line; and
// which settings list is which.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "config/model/config_model.h"
#include "config/model/setting_rows.h"
#include "config/model/text_util.h"
#include "config/ui/format_help.h"
#include "config/ui/layout.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_controls.h"
#include "config/ui/view.h"

namespace {

void Show(HWND control, bool visible = true) {
  if (!control) return;
  if (visible) FillBeforeFirstShow(control);
  ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

void ShowButtonRow() {
  Show(Ui.AddButton);
  Show(Ui.EditButton);
  Show(Ui.RemoveButton);
  Show(Ui.UpButton);
  Show(Ui.DownButton);
}

void HideEverything() {
  HWND tabControls[] = {
      Ui.Tabs,      Ui.GeneralList, Ui.PageList,     Ui.LauncherItemList, Ui.LauncherEditButton,
      Ui.AddButton, Ui.EditButton,  Ui.RemoveButton, Ui.UpButton,         Ui.DownButton};
  for (HWND control : tabControls) Show(control, false);
  for (HWND list : Ui.EditorLists) Show(list, false);
  for (HWND control : Ui.About) Show(control, false);
  HideEditorControls();
  HWND buttons[] = {Ui.AddButton, Ui.EditButton, Ui.RemoveButton,
                    Ui.UpButton,  Ui.DownButton, Ui.LauncherEditButton};
  for (HWND button : buttons) Enable(button, false);
}

// The colour group sits under the font group for a font row.
void PlaceColorGroup(bool fontRow) {
  RECT client;
  GetClientRect(Ui.Window, &client);
  int third = (client.right - ScaleX(94)) / 3;
  int y = ScaleY(fontRow ? 105 : 55);
  SetWindowPos(Ui.ColorLabel, nullptr, ScaleX(8), y + ScaleY(2), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  for (int i = 0; i < ColorFieldCount; ++i) {
    // The arrows take their room from the edit again when re-attached.
    SetWindowPos(Ui.ColorEdits[i], nullptr, ScaleX(78) + i * (third + ScaleX(4)), y, third,
                 ScaleY(20), SWP_NOZORDER);
    SendMessageW(Ui.ColorUpDowns[i], UDM_SETBUDDY, reinterpret_cast<WPARAM>(Ui.ColorEdits[i]), 0);
  }
}

void ShowColorGroup(bool fontRow) {
  PlaceColorGroup(fontRow);
  Show(Ui.ColorLabel);
  for (int i = 0; i < ColorFieldCount; ++i) {
    Show(Ui.ColorEdits[i]);
    Show(Ui.ColorUpDowns[i]);
  }
}

void ShowPageEditor() {
  wchar_t name[TextSlot];
  int row = SelectedRow(Ui.PageList);
  RowText(Ui.PageList, row, 0, name, TextSlot);
  wchar_t title[TextSlot] = L"Tovira: Настройки - ";
  AppendText(title, TextSlot, name);
  SetTitle(title);
  ShowButtonRow();
  if (Model.EditedPage == PageKindLauncher - 1) {
    Show(Ui.LauncherItemList);
    Show(Ui.EditorLists[Model.EditedPage]);
    Show(Ui.LauncherEditButton);
    Enable(Ui.AddButton, true);
    EnableRowButtons(SelectedRow(Ui.LauncherItemList), RowCount(Ui.LauncherItemList), true);
    Enable(Ui.LauncherEditButton, SelectedRow(Ui.EditorLists[Model.EditedPage]) >= 0);
    return;
  }
  if (Model.EditedPage >= 0 && Model.EditedPage < PageKindCount) {
    HWND list = Ui.EditorLists[Model.EditedPage];
    Show(list);
    Enable(Ui.EditButton, SelectedRow(list) >= 0);
  }
}

void ShowCurrentView() {
  HideEverything();
  if (Model.EditorKind != EditorNone) {
    ShowEditorControls(Model.EditorKind);
    return;
  }
  switch (Model.CurrentTab) {
    case TabGeneral:
      SetTitle(L"Tovira: Настройки");
      Show(Ui.Tabs);
      Show(Ui.GeneralList);
      ShowButtonRow();
      Enable(Ui.EditButton, SelectedRow(Ui.GeneralList) >= 0);
      break;
    case TabPages:
      if (Model.EditedPage != NoPageEditor) {
        ShowPageEditor();
        break;
      }
      SetTitle(L"Tovira: Настройки");
      Show(Ui.Tabs);
      Show(Ui.PageList);
      ShowButtonRow();
      EnableRowButtons(SelectedRow(Ui.PageList), RowCount(Ui.PageList), false);
      break;
    case TabAbout:
      SetTitle(L"Tovira: О программе");
      Show(Ui.Tabs);
      for (HWND control : Ui.About) Show(control);
      break;
    default:
      break;
  }
}

}  // namespace

void Enable(HWND control, bool enabled) {
  if (control) EnableWindow(control, enabled ? TRUE : FALSE);
}

void EnableRowButtons(int selected, int count, bool removable) {
  Enable(Ui.EditButton, selected >= 0);
  if (removable) Enable(Ui.RemoveButton, selected >= 0);
  Enable(Ui.UpButton, selected > 0);
  Enable(Ui.DownButton, selected >= 0 && selected < count - 1);
}

void HideEditorControls() {
  HWND panel[] = {Ui.RowNameLabel, Ui.FormatEdit, Ui.HelpText,   Ui.ChoiceList,  Ui.FontLabel,
                  Ui.FaceList,     Ui.SizeEdit,   Ui.SizeUpDown, Ui.BoldCheck,   Ui.ClearTypeCheck,
                  Ui.ColorLabel,   Ui.PathEdit,   Ui.OpenButton, Ui.FolderLabel, Ui.FileList};
  for (HWND control : panel) Show(control, false);
  for (int i = 0; i < ColorFieldCount; ++i) {
    Show(Ui.ColorEdits[i], false);
    Show(Ui.ColorUpDowns[i], false);
  }
  for (int i = 0; i < MarginFieldCount; ++i) {
    Show(Ui.MarginLabels[i], false);
    Show(Ui.MarginEdits[i], false);
    Show(Ui.MarginUpDowns[i], false);
  }
}

void ShowEditorControls(int kind) {
  bool fileKind = kind == EditorNewFile || kind == EditorFile;
  Show(Ui.RowNameLabel, !fileKind);
  switch (kind) {
    case EditorFont:
      Show(Ui.FontLabel);
      Show(Ui.FaceList);
      Show(Ui.SizeEdit);
      Show(Ui.SizeUpDown);
      Show(Ui.BoldCheck);
      Show(Ui.ClearTypeCheck);
      ShowColorGroup(true);
      break;
    case EditorColor:
      ShowColorGroup(false);
      break;
    case EditorFormat: {
      wchar_t help[300];
      BuildDateHelp(help, 300);
      SetWindowTextW(Ui.HelpText, help);
      Show(Ui.FormatEdit);
      Show(Ui.HelpText);
      break;
    }
    case EditorChoice:
      Show(Ui.ChoiceList);
      Show(Ui.HelpText);
      break;
    case EditorNumber:
      Show(Ui.MarginEdits[0]);
      Show(Ui.MarginUpDowns[0]);
      break;
    case EditorMargins:
      for (int i = 0; i < MarginFieldCount; ++i) {
        Show(Ui.MarginLabels[i]);
        Show(Ui.MarginEdits[i]);
        Show(Ui.MarginUpDowns[i]);
      }
      break;
    case EditorNewFile:
    case EditorFile:
      Show(Ui.FolderLabel);
      Show(Ui.PathEdit);
      Show(Ui.OpenButton);
      Show(Ui.FileList);
      Enable(Ui.OpenButton, SelectedRow(Ui.FileList) >= 0);
      break;
    default:
      break;
  }
}

void RefreshView() {
  ShowCurrentView();
  InvalidateMain();
}

void InvalidateMain() {
  if (Ui.Window) InvalidateRect(Ui.Window, nullptr, TRUE);
}

void SetTitle(const wchar_t* text) { SetWindowTextW(Ui.TitleLine, text); }

int ListIndexOf(HWND list) {
  if (!list) return NoSettingsList;
  if (list == Ui.GeneralList) return GeneralListIndex;
  for (int i = 0; i < PageKindCount; ++i)
    if (list == Ui.EditorLists[i]) return i;
  return NoSettingsList;
}

HWND SettingsListOf(int listIndex) {
  if (listIndex == GeneralListIndex) return Ui.GeneralList;
  return listIndex >= 0 && listIndex < PageKindCount ? Ui.EditorLists[listIndex] : nullptr;
}

HWND CurrentSettingsList() {
  if (Model.CurrentTab == TabGeneral) return Ui.GeneralList;
  return Model.EditedPage == NoPageEditor ? nullptr : SettingsListOf(Model.EditedPage);
}
