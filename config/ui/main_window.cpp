// Start-up, message loop and the window procedure of MainWindow. The
// procedure only routes; each message has its small handler.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "config/model/config_model.h"
#include "config/model/text_util.h"
#include "config/ui/commands.h"
#include "config/ui/file_chooser.h"
#include "config/ui/layout.h"
#include "config/ui/pages_tab.h"
#include "config/ui/resource_ids.h"
#include "config/ui/startup_steps.h"
#include "config/ui/tool_window.h"
#include "config/ui/value_editor.h"
#include "config/ui/view.h"

namespace {

constexpr int NameSlot = 260;

// A font description holds no pointer or handle: the same 92 bytes on the
// device as on the desktop.
static_assert(sizeof(LOGFONTW) == 92, "LOGFONT does not depend on the data model");

HFONT FontFromSystem(int weight, int points) {
  LOGFONTW description = {};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(description), &description);
  description.lfWeight = weight;
  description.lfHeight = -(points * ScreenDpi().Y / 72);
  // The desktop's system font carries a fixed average width (the device's has
  // none); kept, it would stretch or squeeze every text of the tool.
  description.lfWidth = 0;
  return CreateFontIndirectW(&description);
}

}  // namespace

bool RegisterMainClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure) {
  WNDCLASSW wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = className;
  return RegisterClassW(&wc) != 0;
}

// The bar is a strip of its own below the window: leave room for it.
void MakeRoomForMenuBar(HWND window) {
  if (!Ui.MenuBar) return;
  RECT frame, bar;
  if (!GetWindowRect(window, &frame) || !GetWindowRect(Ui.MenuBar, &bar)) return;
  int bottom = frame.bottom - (bar.bottom - bar.top);
  MoveWindow(window, frame.left, frame.top, frame.right - frame.left, bottom - frame.top, FALSE);
}

void CreateMenuBar(HWND window) {
  SHMENUBARINFO info = {};
  info.cbSize = sizeof(info);
  info.hwndParent = window;
  info.nToolBarId = IDR_MENUBAR;
  info.hInstRes = Ui.Instance;
  Ui.MenuBar = SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
  if (!Ui.MenuBar) return;
  TBBUTTONINFOW button = {};
  button.cbSize = sizeof(button);
  button.dwMask = TBIF_TEXT | TBIF_COMMAND;
  button.idCommand = CMD_CANCEL;
  button.pszText = const_cast<wchar_t*>(L"Отмена");
  SendMessageW(Ui.MenuBar, TB_SETBUTTONINFOW, CMD_CANCEL, reinterpret_cast<LPARAM>(&button));
}

void PrepareControlsAndFonts() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                         ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Ui.HeadingFont = FontFromSystem(FW_BOLD, 10);
  Ui.TitleFont = FontFromSystem(FW_BOLD, 8);
  Ui.HelpFont = FontFromSystem(FW_NORMAL, 8);
}

namespace {

LRESULT OnCreate(HWND hwnd) {
  Ui.Window = hwnd;
  // A window starts on the General tab with no editor open.
  Model.CurrentTab = TabGeneral;
  Model.EditedPage = NoPageEditor;
  Model.EditorKind = EditorNone;
  MarkStartupStep("window frame");
  CreateMenuBar(hwnd);
  Ui.Activation = {};
  Ui.Activation.cbSize = sizeof(Ui.Activation);
  MarkStartupStep("menu bar");
  LoadSettings();
  MarkStartupStep("settings");
  PrepareControlsAndFonts();
  MarkStartupStep("common controls and fonts");
  // The first screen's contents, the page list (the top-level OK reads it)
  // and the face list; the rest waits until first shown.
  CreateContents(hwnd);
  FillPageList();
  MarkStartupStep("page list rows");
  FillFaceList();
  MarkStartupStep("font face list");
  return 0;
}

void OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  RECT rule = {client.left, ScaleY(23), client.right, ScaleY(24)};
  FillRect(dc, &rule, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (IsWindowVisible(Ui.ColorLabel) &&
      (Model.EditorKind == EditorFont || Model.EditorKind == EditorColor))
    PaintSwatch(dc, Model.EditorKind == EditorFont);
  EndPaint(hwnd, &ps);
}

// The device answers a static nobody colours with its static colour, which on
// a Pocket PC is the window's own white; the desktop's is the button face. So
// every label and check box (the buttons that ask for a static's colours) is
// answered as the device would, and the two coloured statics differ only in
// their text colour. Edits and combo boxes that ask keep the default.
bool DrawsOnWindowWhite(HWND control) {
  wchar_t cls[16] = L"";
  GetClassNameW(control, cls, 16);
  return lstrcmpiW(cls, L"Static") == 0 || lstrcmpiW(cls, L"Button") == 0;
}

LRESULT OnCtlColorStatic(HWND hwnd, HDC dc, HWND control) {
  int textColor = COLOR_WINDOWTEXT;
  if (control == Ui.TitleLine)
    textColor = COLOR_HIGHLIGHT;
  else if (control == Ui.HelpText)
    textColor = COLOR_GRAYTEXT;
  else if (!DrawsOnWindowWhite(control))
    return DefWindowProcW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
  SetTextColor(dc, GetSysColor(textColor));
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT OnNotify(HWND hwnd, NMHDR* header) {
  if (header->hwndFrom == Ui.Tabs && header->code == TCN_SELCHANGE) {
    Model.CurrentTab = static_cast<int>(SendMessageW(Ui.Tabs, TCM_GETCURSEL, 0, 0));
    RefreshView();
    return 0;
  }
  if (header->code == LVN_ITEMCHANGED) {
    OnListItemChanged(header->hwndFrom, reinterpret_cast<NMLISTVIEW*>(header));
    return 0;
  }
  if (header->hwndFrom == Ui.FileList && header->code == LVN_GETDISPINFOW) {
    AnswerFileIcon(reinterpret_cast<NMLVDISPINFOW*>(header));
    return 0;
  }
  if (header->code == NM_DBLCLK) {
    OnListDoubleTap(hwnd, header->hwndFrom);
    return 0;
  }
  return 0;
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case CMD_OK:
    case CMD_DIALOG_OK:
      HandleOk(hwnd);
      return 0;
    case CMD_CANCEL:
      HandleCancel(hwnd);
      return 0;
  }
  LRESULT result = DefWindowProcW(hwnd, WM_COMMAND, wParam, lParam);
  if (lParam) OnControlCommand(hwnd, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
  return result;
}

void OnDestroy() {
  if (Ui.MenuBar) DestroyWindow(Ui.MenuBar);
  Ui.MenuBar = nullptr;
  PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(hwnd);
    case WM_SIZE:
      LayoutForSize(hwnd);
      return 0;
    case WM_ACTIVATE:
      SHHandleWMActivate(hwnd, wParam, lParam, &Ui.Activation, 0);
      return DefWindowProcW(hwnd, message, wParam, lParam);  // desktop focus handling
    case WM_SETTINGCHANGE:
      SHHandleWMSettingChange(hwnd, wParam, lParam, &Ui.Activation);
      return 0;
    case WM_PAINT:
      OnPaint(hwnd);
      return 0;
    case WM_NOTIFY:
      return OnNotify(hwnd, reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      return OnCommand(hwnd, wParam, lParam);
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(hwnd, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HWND StartTool(HINSTANCE instance, int show) {
  MarkStartupStep("program loaded");
  Ui.Instance = instance;
  Model.Instance = instance;
  SHInitExtraControls();
  MarkStartupStep("extra controls");
  wchar_t title[NameSlot] = {};
  wchar_t className[NameSlot] = {};
  if (LoadStringW(instance, IDS_TITLE, title, NameSlot) <= 0) return nullptr;
  if (LoadStringW(instance, IDS_CLASS, className, NameSlot) <= 0) return nullptr;
  if (HWND running = FindWindowW(className, title)) {
    // The device's form is the handle with its low bit set; the desktop
    // refuses that handle, so its last active pop-up is asked for instead.
    HWND popup = GetLastActivePopup(running);
    SetForegroundWindow(popup ? popup : running);
    return nullptr;
  }
  MarkStartupStep("strings, running instance");
  if (!RegisterMainClass(instance, className, MainWindowProc)) return nullptr;
  MarkStartupStep("window class");
  // The device's default place of a program window is the whole screen; the
  // desktop's would be three quarters of it.
  RECT area = FullScreenArea();
  HWND window =
      CreateWindowExW(0, className, title, WS_VISIBLE, area.left, area.top, area.right - area.left,
                      area.bottom - area.top, nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  MarkStartupStep("window created");
  MakeRoomForMenuBar(window);
  MarkStartupStep("room for the menu bar");
  ShowWindow(window, show);
  MarkStartupStep("shown");
  UpdateWindow(window);
  MarkStartupStep("painted");
  ReportStartupSteps();
  return window;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
