// The Pages tab: the page list with its check boxes and order, opening and
// accepting a page editor, and the Launcher editor's list of files.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "config/model/config_model.h"
#include "config/model/text_util.h"
#include "config/ui/file_chooser.h"
#include "config/ui/layout.h"
#include "config/ui/pages_tab.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_controls.h"
#include "config/ui/value_editor.h"
#include "config/ui/view.h"

namespace {

// While the list is filled its check states pass through unchecked; the
// at-least-one-visible rule must not fire on those.
bool FillingPageList = false;

void AddFileRow(HWND list, const wchar_t* path) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = RowCount(list);
  item.pszText = const_cast<wchar_t*>(FileNamePart(path));
  item.iImage = SystemIconIndex(path);
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void SetFileRow(HWND list, int row, const wchar_t* name, int image) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(name);
  item.iImage = image;
  SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void Deselect(HWND list, int row) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void UpdateLauncherButtons() {
  EnableRowButtons(SelectedRow(Ui.LauncherItemList), RowCount(Ui.LauncherItemList), true);
}

void UpdatePageButtons() {
  EnableRowButtons(SelectedRow(Ui.PageList), RowCount(Ui.PageList), false);
}

}  // namespace

void FillPageList() {
  FillingPageList = true;
  SendMessageW(Ui.PageList, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < Model.PageCount && i < PageKindCount; ++i) {
    const PageEntry& page = Model.Pages[i];
    InsertRow(Ui.PageList, page.Name, page.Kind, i, nullptr, page.Visible != 0);
  }
  FillingPageList = false;
  FitLastColumn(Ui.PageList, 0);
}

void OnPageListChanged(int item) {
  if (FillingPageList) return;
  if (Model.CurrentTab == TabPages && Model.EditedPage == NoPageEditor &&
      Model.EditorKind == EditorNone)
    UpdatePageButtons();
  int checked = 0;
  for (int i = 0; i < RowCount(Ui.PageList); ++i)
    if (RowChecked(Ui.PageList, i)) ++checked;
  if (checked == 0 && item >= 0) SetRowChecked(Ui.PageList, item, true);
}

void MovePage(int delta) {
  int from = SelectedRow(Ui.PageList);
  int to = from + delta;
  if (from < 0 || to < 0 || to >= RowCount(Ui.PageList)) return;
  int kindFrom = RowData(Ui.PageList, from);
  SetRowData(Ui.PageList, from, RowData(Ui.PageList, to));
  SetRowData(Ui.PageList, to, kindFrom);
  bool checkedFrom = RowChecked(Ui.PageList, from);
  bool checkedTo = RowChecked(Ui.PageList, to);
  SetRowChecked(Ui.PageList, from, true);
  SetRowChecked(Ui.PageList, to, true);
  SetRowChecked(Ui.PageList, from, checkedTo);
  SetRowChecked(Ui.PageList, to, checkedFrom);
  wchar_t nameFrom[PageNameSlot], nameTo[PageNameSlot];
  RowText(Ui.PageList, from, 0, nameFrom, PageNameSlot);
  RowText(Ui.PageList, to, 0, nameTo, PageNameSlot);
  SetRowText(Ui.PageList, from, 0, nameTo);
  SetRowText(Ui.PageList, to, 0, nameFrom);
  Deselect(Ui.PageList, from);
  SelectRow(Ui.PageList, to);
  UpdatePageButtons();
}

void OpenPageEditor(int row) {
  int kind = RowData(Ui.PageList, row);
  if (kind < PageKindWireless || kind > PageKindSysInfo) return;
  Model.EditedPage = kind - 1;
  CopySettings(&Model.EditCopy, &Model.Current);
  FillBeforeFirstShow(Ui.EditorLists[Model.EditedPage]);
  if (kind == PageKindLauncher) {
    FillBeforeFirstShow(Ui.LauncherItemList);
    SendMessageW(Ui.LauncherItemList, LVM_DELETEALLITEMS, 0, 0);
    CopyPaths(&Model.LauncherFilesEdit, &Model.LauncherFiles);
    for (int i = 0; i < PathCount(&Model.LauncherFilesEdit); ++i)
      AddFileRow(Ui.LauncherItemList, PathAt(&Model.LauncherFilesEdit, i));
    FitLastColumn(Ui.LauncherItemList, 0);
  }
  WriteRowTexts(Ui.EditorLists[Model.EditedPage], Model.EditedPage);
  RefreshView();
}

void CommitPageEditor() {
  CopySettings(&Model.Current, &Model.EditCopy);
  if (Model.EditedPage == PageKindLauncher - 1)
    CopyPaths(&Model.LauncherFiles, &Model.LauncherFilesEdit);
  Model.EditedPage = NoPageEditor;
}

void RebuildPagesFromList() {
  for (int i = 0; i < PageKindCount; ++i) Model.Pages[i] = {0, i, 0, L""};
  int rows = RowCount(Ui.PageList);
  for (int i = 0; i < rows && i < PageKindCount; ++i) {
    PageEntry& page = Model.Pages[i];
    wchar_t name[TextSlot];
    RowText(Ui.PageList, i, 0, name, TextSlot);
    page.Kind = RowData(Ui.PageList, i);
    CopyText(page.Name, name);
    page.Order = i;
    page.Visible = RowChecked(Ui.PageList, i) ? 1 : 0;
  }
}

void EditLauncherFile(int row) {
  if (row < 0 || row >= PathCount(&Model.LauncherFilesEdit)) return;
  Model.EditorKind = EditorFile;
  FillFile(PathAt(&Model.LauncherFilesEdit, row));
  RefreshView();
}

void AddLauncherFile() {
  Model.EditorKind = EditorNewFile;
  SetWindowTextW(Ui.PathEdit, L"");
  ListFolder(Ui.FileList, Model.CurrentFolder, L"");
  // The folder shown last is not listed again, so its old selection goes.
  Deselect(Ui.FileList, -1);
  RefreshView();
}

void CommitLauncherFile() {
  wchar_t path[TextSlot];
  ReadEdit(Ui.PathEdit, path, TextSlot);
  if (Model.EditorKind == EditorNewFile) {
    AppendPath(&Model.LauncherFilesEdit, path);
    AddFileRow(Ui.LauncherItemList, path);
    SelectRow(Ui.LauncherItemList, RowCount(Ui.LauncherItemList) - 1);
    FitLastColumn(Ui.LauncherItemList, 0);
    return;
  }
  // Replacing needs a selected row that is a file of the list.
  int row = SelectedRow(Ui.LauncherItemList);
  if (!ReplacePathAt(&Model.LauncherFilesEdit, row, path)) return;
  SetFileRow(Ui.LauncherItemList, row, FileNamePart(path), SystemIconIndex(path));
}

void RemoveLauncherFile() {
  int row = SelectedRow(Ui.LauncherItemList);
  if (!RemovePathAt(&Model.LauncherFilesEdit, row)) return;
  SendMessageW(Ui.LauncherItemList, LVM_DELETEITEM, row, 0);
  FitLastColumn(Ui.LauncherItemList, 0);
  UpdateLauncherButtons();
}

void MoveLauncherFile(int delta) {
  int from = SelectedRow(Ui.LauncherItemList);
  int to = from + delta;
  if (!SwapPaths(&Model.LauncherFilesEdit, from, to)) return;
  int imageFrom = RowData(Ui.LauncherItemList, from);
  int imageTo = RowData(Ui.LauncherItemList, to);
  wchar_t nameFrom[TextSlot], nameTo[TextSlot];
  RowText(Ui.LauncherItemList, from, 0, nameFrom, TextSlot);
  RowText(Ui.LauncherItemList, to, 0, nameTo, TextSlot);
  SetFileRow(Ui.LauncherItemList, from, nameTo, imageTo);
  SetFileRow(Ui.LauncherItemList, to, nameFrom, imageFrom);
  Deselect(Ui.LauncherItemList, from);
  SelectRow(Ui.LauncherItemList, to);
  UpdateLauncherButtons();
}
