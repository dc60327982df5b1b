// The file chooser of the value editor's file group: ListFolder, the row
// order, and the open button's navigation. Paths are written from the
// device root without a leading backslash; folders end in a backslash.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <type_traits>
#include <vector>

#include "config/model/config_model.h"
#include "config/model/text_util.h"
#include "config/ui/file_chooser.h"
#include "config/ui/layout.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_controls.h"

namespace {

constexpr wchar_t ParentName[] = L"..";
constexpr wchar_t FolderType[] = L"[DIR]";
constexpr int TypeSlot = 64;

// What the compare needs of each row, found by the row's item data (its
// position when added), so sorting never has to search the list.
struct FileRow {
  wchar_t Name[TextSlot];
  wchar_t Type[TypeSlot];
};
std::vector<FileRow> ListedRows;
// The folder of the listed rows, for their icons.
wchar_t ListedFolder[TextSlot];

void FoldLower(const wchar_t* source, wchar_t* folded, size_t capacity) {
  CopyText(folded, capacity, source);
  CharLowerBuffW(folded, static_cast<DWORD>(BoundedLength(folded, capacity)));
}

int CompareFolded(const wchar_t* a, const wchar_t* b) {
  wchar_t fa[TextSlot], fb[TextSlot];
  FoldLower(a, fa, TextSlot);
  FoldLower(b, fb, TextSlot);
  return wcscmp(fa, fb);  // code unit by code unit, unsigned on this platform
}

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM) {
  size_t count = ListedRows.size();
  if (static_cast<size_t>(first) >= count || static_cast<size_t>(second) >= count) return 0;
  const FileRow& a = ListedRows[first];
  const FileRow& b = ListedRows[second];
  if (wcscmp(a.Type, ParentName) == 0) return -1;
  if (wcscmp(b.Type, ParentName) == 0) return 1;
  bool aFolder = wcscmp(a.Type, FolderType) == 0;
  bool bFolder = wcscmp(b.Type, FolderType) == 0;
  if (aFolder != bFolder) return aFolder ? -1 : 1;
  int byType = CompareFolded(a.Type, b.Type);
  return byType != 0 ? byType : CompareFolded(a.Name, b.Name);
}
// The list view calls it back through a pointer passed as an LPARAM, which
// no compiler checks.
static_assert(std::is_same<decltype(&CompareRows), PFNLVCOMPARE>::value,
              "CompareRows is a list view comparison");

void TypeText(const WIN32_FIND_DATAW& entry, wchar_t* type, size_t capacity) {
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    CopyText(type, capacity, FolderType);
    return;
  }
  const wchar_t* dot = wcsrchr(entry.cFileName, L'.');
  CopyText(type, capacity, dot ? dot + 1 : L"");
}

void Collect(const wchar_t* name, const wchar_t* type) {
  FileRow row;
  CopyText(row.Name, name);
  CopyText(row.Type, type);
  ListedRows.push_back(row);
}

void Enumerate(const wchar_t* folder) {
  wchar_t pattern[TextSlot];
  if (!JoinPath(folder, L"*.*", pattern, TextSlot)) return;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(pattern, &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) continue;
    if (wcscmp(entry.cFileName, L".") == 0 || wcscmp(entry.cFileName, L"..") == 0) continue;
    wchar_t type[TypeSlot];
    TypeText(entry, type, TypeSlot);
    Collect(entry.cFileName, type);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

// Each row's icon index is asked of the shell when the list first needs
// that row's image (I_IMAGECALLBACK): a folder of thousands of entries is
// listed without thousands of icon look-ups up front, and a row shows the
// same icon either way.
void InsertRows(HWND list) {
  SendMessageW(list, LVM_SETITEMCOUNT, ListedRows.size(), 0);
  for (size_t i = 0; i < ListedRows.size(); ++i) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = ListedRows[i].Name;
    item.iImage = I_IMAGECALLBACK;
    item.lParam = static_cast<LPARAM>(i);
    int at =
        static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (at >= 0) SetRowText(list, at, 1, ListedRows[i].Type);
  }
}

void SelectByName(HWND list, const wchar_t* name) {
  if (name[0] == L'\0') return;  // no row has an empty name
  wchar_t wanted[TextSlot];
  FoldLower(name, wanted, TextSlot);
  int count = RowCount(list);
  for (int i = 0; i < count; ++i) {
    wchar_t text[TextSlot];
    RowText(list, i, 0, text, TextSlot);
    wchar_t folded[TextSlot];
    FoldLower(text, folded, TextSlot);
    if (wcscmp(folded, wanted) != 0) continue;
    SelectRow(list, i);
    SendMessageW(list, LVM_ENSUREVISIBLE, i, FALSE);
    return;
  }
}

}  // namespace

#ifndef _WIN64
static_assert(sizeof(SHFILEINFOW) == 692, "the device's 32-bit SHFILEINFO");
#endif

int SystemIconIndex(const wchar_t* path) {
  SHFILEINFOW info = {};
  if (!SHGetFileInfoW(path, 0, &info, sizeof(info), SHGFI_SYSICONINDEX)) return 0;
  return info.iIcon;
}

void ListFolder(HWND list, const wchar_t* folder, const wchar_t* name) {
  bool shown = folder[0] != L'\0' && wcscmp(folder, Model.CurrentFolder) == 0;
  if (!shown) {
    // A folder too long for the slot cannot be listed or remembered.
    if (BoundedLength(folder, TextSlot) >= TextSlot) return;
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    wchar_t label[TextSlot + 1] = L"\\";
    AppendText(label, TextSlot + 1, folder);
    SetWindowTextW(Ui.FolderLabel, label);
    FillBeforeFirstShow(list);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    ListedRows.clear();
    CopyText(ListedFolder, folder);
    if (folder[0] != L'\0') Collect(ParentName, ParentName);
    Enumerate(folder);
    InsertRows(list);
    SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareRows));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    CopyText(Model.CurrentFolder, folder);
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
  }
  SelectByName(list, name);
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
}

void AnswerFileIcon(NMLVDISPINFOW* request) {
  LVITEMW& item = request->item;
  if (!(item.mask & LVIF_IMAGE)) return;
  size_t row = static_cast<size_t>(item.lParam);
  if (row >= ListedRows.size()) return;
  // The parent row shows the icon of the folder itself.
  wchar_t path[TextSlot];
  bool parent = wcscmp(ListedRows[row].Type, ParentName) == 0;
  if (parent)
    CopyText(path, ListedFolder);
  else if (!JoinPath(ListedFolder, ListedRows[row].Name, path, TextSlot))
    path[0] = L'\0';
  item.iImage = path[0] ? SystemIconIndex(path) : 0;
  item.mask |= LVIF_DI_SETITEM;  // asked once per row
}

void OpenSelectedFileRow() {
  int row = SelectedRow(Ui.FileList);
  if (row < 0) return;
  wchar_t name[TextSlot];
  RowText(Ui.FileList, row, 0, name, TextSlot);
  if (wcscmp(name, ParentName) == 0) {
    wchar_t parent[TextSlot], left[TextSlot];
    ParentFolder(Model.CurrentFolder, parent, TextSlot);
    // The folder just left: the current folder's last component.
    CopyText(left, Model.CurrentFolder);
    size_t length = BoundedLength(left, TextSlot);
    if (length > 0) left[length - 1] = L'\0';
    wchar_t leftName[TextSlot];
    CopyText(leftName, FileNamePart(left));
    ListFolder(Ui.FileList, parent, leftName);
    return;
  }
  wchar_t joined[TextSlot];
  if (!JoinPath(Model.CurrentFolder, name, joined, TextSlot)) return;
  DWORD attributes = GetFileAttributesW(joined);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    wchar_t folder[TextSlot];
    if (!JoinPath(joined, L"\\", folder, TextSlot)) return;
    ListFolder(Ui.FileList, folder, ParentName);
    return;
  }
  SetWindowTextW(Ui.PathEdit, joined);
}
