// Where ListFolder's time goes, for a folder of 5,000 files: the bare
// enumeration, the list view's own price for inserting the same rows with
// their second column and for sorting them with a folded comparison, and
// the whole ListFolder. Medians of several runs.
//   TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/perf_listfolder.exe [runs]
// The folder is made under %TEMP% and removed at the end.
#include <windows.h>
// windows.h first: the control header builds on it.
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <type_traits>
#include <vector>

#include "bench/soak/soak_common.h"
#include "config/model/config_model.h"
#include "config/ui/file_chooser.h"
#include "config/ui/tool_window.h"

namespace {

constexpr int FileCount = 5000;
std::vector<std::wstring> Names;

int CALLBACK FoldedCompare(LPARAM a, LPARAM b, LPARAM) {
  wchar_t fa[MAX_PATH], fb[MAX_PATH];
  wcsncpy(fa, Names[a].c_str(), MAX_PATH - 1);
  wcsncpy(fb, Names[b].c_str(), MAX_PATH - 1);
  fa[MAX_PATH - 1] = fb[MAX_PATH - 1] = L'\0';
  CharLowerBuffW(fa, static_cast<DWORD>(wcslen(fa)));
  CharLowerBuffW(fb, static_cast<DWORD>(wcslen(fb)));
  return wcscmp(fa, fb);
}
static_assert(std::is_same<decltype(&FoldedCompare), PFNLVCOMPARE>::value,
              "FoldedCompare is a list view comparison");

void Enumerate(const std::wstring& folder) {
  Names.clear();
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"*.*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do Names.push_back(entry.cFileName);
  while (FindNextFileW(search, &entry));
  FindClose(search);
}

void InsertRows(HWND list) {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  SendMessageW(list, LVM_SETITEMCOUNT, Names.size(), 0);
  for (size_t i = 0; i < Names.size(); ++i) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = static_cast<int>(i);
    item.pszText = &Names[i][0];
    item.iImage = I_IMAGECALLBACK;
    item.lParam = static_cast<LPARAM>(i);
    const int at =
        static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMW sub = {};
    sub.iSubItem = 1;
    sub.pszText = const_cast<wchar_t*>(L"txt");
    SendMessageW(list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? _wtoi(argv[1]) : 7;
  ScratchDir scratch(L"tovira-perf-list");
  const std::wstring folder = scratch.Path();
  for (int i = 0; i < FileCount; ++i) {
    wchar_t name[64];
    swprintf(name, 64, L"file%05d.txt", (i * 7919) % FileCount);
    HANDLE f =
        CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  }
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 400, 400, nullptr, nullptr,
                                nullptr, nullptr);
  Ui.FolderLabel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 300, 20, parent, nullptr,
                                   nullptr, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | LVS_SHAREIMAGELISTS, 0,
                              20, 380, 360, parent, nullptr, nullptr, nullptr);
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  std::vector<double> bare, insert, sort, whole;
  for (int r = 0; r < runs; ++r) {
    double t = NowMicroseconds();
    Enumerate(folder);
    bare.push_back(NowMicroseconds() - t);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    t = NowMicroseconds();
    InsertRows(list);
    insert.push_back(NowMicroseconds() - t);
    t = NowMicroseconds();
    SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(FoldedCompare));
    sort.push_back(NowMicroseconds() - t);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    Model.CurrentFolder[0] = L'\0';
    t = NowMicroseconds();
    ListFolder(list, folder.c_str(), L"");
    whole.push_back(NowMicroseconds() - t);
  }
  const double b = MedianOf(bare) / 1000, i = MedianOf(insert) / 1000, s = MedianOf(sort) / 1000,
               w = MedianOf(whole) / 1000;
  std::printf("folder of %d files, medians of %d runs (ms)\n", FileCount, runs);
  std::printf("  bare enumeration                     %8.1f\n", b);
  std::printf("  list view: insert rows, 2 columns    %8.1f\n", i);
  std::printf("  list view: sort, folded comparison   %8.1f\n", s);
  std::printf("  floor: enumeration + insert + sort   %8.1f   ratio to bare %.1f\n", b + i + s,
              (b + i + s) / b);
  std::printf("  ListFolder                           %8.1f   ratio to bare %.1f, to floor %.2f\n",
              w, w / b, w / (b + i + s));
  DestroyWindow(parent);
  return 0;
}
