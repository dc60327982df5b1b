// ListFolder of a folder of 5,000 files into the real file list, against the
// bare FindFirstFile / FindNextFile enumeration of the same folder. The
// listing includes the icons of one screen of rows (20).
// Run: TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/tool_listfolder_bench.exe [runs]
// The folder is made under %TEMP% and removed at the end.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "config/model/config_model.h"
#include "config/ui/file_chooser.h"
#include "config/ui/tool_window.h"
#include "support/timing.h"
#include "support/window.h"

using namespace testsupport;

constexpr int FileCount = 5000;

static int BareEnumeration(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"*.*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileW(search, &entry));
  FindClose(search);
  return count;
}

// Answers the list's icon requests as the tool's window does.
static LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == LVN_GETDISPINFOW) AnswerFileIcon(reinterpret_cast<NMLVDISPINFOW*>(header));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The icons of the rows a screen shows (the list asks for them on paint).
static void AskVisibleIcons(HWND list, int rows) {
  for (int i = 0; i < rows; ++i) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

int wmain(int argc, wchar_t** argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 11;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  SetCurrentDirectoryW(temp);  // stands for the device root
  const std::wstring folder = L"tvrbench5000\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const wchar_t* extensions[] = {L"exe", L"lnk", L"txt", L"png", L""};
  for (int i = 0; i < FileCount; ++i) {
    wchar_t name[64];
    const wchar_t* ext = extensions[i % 5];
    swprintf(name, 64, L"file%05d%ls%ls", (i * 7919) % FileCount, *ext ? L"." : L"", ext);
    HANDLE f =
        CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  }
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND parent = OpenWindow(L"ListFolderBench", L"", WS_OVERLAPPED, 400, 400, ParentProc);
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
  std::vector<double> listing, bare;
  int rows = 0, entries = 0;
  for (int i = 0; i < runs; ++i) {
    Model.CurrentFolder[0] = L'\0';  // so every run lists afresh
    double start = NowMs();
    ListFolder(list, folder.c_str(), L"file00042.txt");
    AskVisibleIcons(list, 20);
    listing.push_back(NowMs() - start);
    rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    start = NowMs();
    entries = BareEnumeration(folder);
    bare.push_back(NowMs() - start);
  }
  double l = MedianOf(listing), b = MedianOf(bare);
  printf(
      "ListFolder of %d rows: median %.1f ms; bare enumeration of %d entries: median %.2f ms; "
      "ratio %.0f (%d runs)\n",
      rows, l, entries, b, b > 0 ? l / b : 0.0, runs);
  DestroyWindow(parent);
  for (int i = 0; i < FileCount; ++i) {
    wchar_t name[64];
    const wchar_t* ext = extensions[i % 5];
    swprintf(name, 64, L"file%05d%ls%ls", (i * 7919) % FileCount, *ext ? L"." : L"", ext);
    DeleteFileW((folder + name).c_str());
  }
  RemoveDirectoryW(folder.c_str());
  return 0;
}
