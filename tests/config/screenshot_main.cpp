// tool_screenshot.exe VIEW OUT.bmp: starts the tool's window in this
// process, opens VIEW ("general", "pages", "page" (the Wireless page's
// editor), "font" (a font editor) or "file" (the chooser of a new
// shortcut)), and writes the window and its soft-key bar as a BMP.
// Used by make_screenshots.sh for the README; not a test.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "config/model/config_model.h"
#include "config/ui/resource_ids.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_window.h"
#include "support/pump.h"

// Lets the window settle for that long.
static void Pump(DWORD ms) {
  testsupport::PumpUntil([] { return false; }, ms);
}

static void Click(HWND button) {
  SendMessageW(Ui.Window, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

static void ShowTab(int tab) {
  TabCtrl_SetCurSel(Ui.Tabs, tab);
  NMHDR change = {Ui.Tabs, 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(Ui.Window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
}

// Copies each window's own surface (the screen of a display without a
// compositor reads back black) into its place in the picture.
static void CopyWindow(HDC target, HWND window, const RECT& area) {
  RECT client;
  if (!window || !GetClientRect(window, &client)) return;
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  HDC source = GetDC(window);
  BitBlt(target, client.left - area.left, client.top - area.top, client.right - client.left,
         client.bottom - client.top, source, 0, 0, SRCCOPY);
  ReleaseDC(window, source);
}

static bool SaveBmp(const wchar_t* path, const RECT& area, HWND window, HWND bar) {
  int w = area.right - area.left, h = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  CopyWindow(memory, window, area);
  CopyWindow(memory, bar, area);
  GdiFlush();
  DWORD stride = ((w * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER file = {
      0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + stride * h),
      0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  FILE* out = _wfopen(path, L"wb");
  bool ok = out != nullptr;
  if (out) {
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info.bmiHeader, sizeof(BITMAPINFOHEADER), 1, out);
    fwrite(bits, stride, h, out);
    fclose(out);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  HWND window = StartTool(GetModuleHandleW(nullptr), SW_SHOW);
  if (!window) return 1;
  Pump(300);
  if (wcscmp(argv[1], L"font") == 0) {
    ShowTab(1);
    SelectRow(Ui.PageList, 1);  // "Часы"
    Click(Ui.EditButton);
    SelectRow(Ui.EditorLists[PageKindTime - 1], 1);
    Click(Ui.EditButton);
  } else if (wcscmp(argv[1], L"page") == 0) {
    ShowTab(1);
    SelectRow(Ui.PageList, 0);  // "Беспр. связь"
    Click(Ui.EditButton);
    SelectRow(Ui.EditorLists[PageKindWireless - 1], 1);
  } else if (wcscmp(argv[1], L"pages") == 0) {
    ShowTab(1);
    SelectRow(Ui.PageList, 2);
  } else if (wcscmp(argv[1], L"file") == 0) {
    ShowTab(1);
    SelectRow(Ui.PageList, 4);  // "Запуск"
    Click(Ui.EditButton);
    Click(Ui.AddButton);
  } else {
    SelectRow(Ui.GeneralList, 2);
  }
  Pump(500);
  // The client area and the bar below it: the desktop's caption is no part
  // of the program's screen.
  RECT frame, bar = {};
  GetClientRect(window, &frame);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&frame), 2);
  if (Ui.MenuBar) GetWindowRect(Ui.MenuBar, &bar);
  RECT area = {frame.left, frame.top, frame.right,
               bar.bottom > frame.bottom ? bar.bottom : frame.bottom};
  bool ok = SaveBmp(argv[2], area, window, Ui.MenuBar);
  DestroyWindow(window);
  return ok ? 0 : 1;
}
