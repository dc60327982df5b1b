// Creation of every child control, once, when the main window is made (the
// views only show or hide them), and the re-fitting on WM_SIZE. Lengths are
// 96-dpi units through ScaleX / ScaleY.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <type_traits>

#include "config/model/config_model.h"
#include "config/model/setting_rows.h"
#include "config/ui/layout.h"
#include "config/ui/resource_ids.h"
#include "config/ui/settings_list.h"
#include "config/ui/startup_steps.h"
#include "config/ui/tool_controls.h"

ToolWindow Ui;

namespace {

const wchar_t* const MarginNames[MarginFieldCount] = {L"Слева", L"Сверху", L"Справа", L"Снизу"};
const wchar_t* const TabNames[TabCount] = {L"Общие", L"Страницы", L"О программе"};

struct ClientSize {
  int Width;
  int Height;
};

ClientSize Client(HWND window) {
  RECT rc = {};
  GetClientRect(window, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
           DWORD exStyle = 0) {
  return CreateWindowExW(exStyle, cls, text, WS_CHILD | style, x, y, w, h, Ui.Window, nullptr,
                         Ui.Instance, nullptr);
}

void SetFont(HWND control, HFONT font) {
  if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

HWND UpDownFor(HWND buddy, int low, int high) {
  HWND arrows =
      CreateWindowExW(0, UPDOWN_CLASSW, L"",
                      WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                      0, 0, 0, 0, Ui.Window, nullptr, Ui.Instance, nullptr);
  if (!arrows) return nullptr;
  SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageW(arrows, UDM_SETRANGE32, low, high);
  return arrows;
}

void AddColumns(HWND list, int count, int firstWidth) {
  for (int i = 0; i < count; ++i) {
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = firstWidth;
    column.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

HIMAGELIST SystemSmallIcons() {
  SHFILEINFOW info = {};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

// A list of files shown with the system's small icons (the list shares the
// system's image list, never destroys it): the Launcher's files and the
// chooser's folder.
HWND CreateFileList(int x, int y, int width, int height) {
  return CreateReportList(Ui.Window, x, y, width, height, LVS_SHAREIMAGELISTS,
                          LVS_EX_FULLROWSELECT);
}

void AttachSystemIcons(HWND list) {
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(SystemSmallIcons()));
}

void FitTabs(HWND window) {
  if (!Ui.Tabs) return;
  ClientSize c = Client(window);
  RECT item = {};
  int height = ScaleY(22);
  if (SendMessageW(Ui.Tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)))
    height = item.bottom - item.top + 2;
  MoveWindow(Ui.Tabs, -ScaleX(2), c.Height - height, c.Width + ScaleX(2), height, TRUE);
}

void CreateTitleAndTabs(ClientSize c) {
  Ui.TitleLine = Child(L"STATIC", L"Tovira: Настройки", WS_VISIBLE, ScaleY(5), ScaleY(5),
                       c.Width - ScaleX(10), ScaleY(18));
  SetFont(Ui.TitleLine, Ui.TitleFont);
  Ui.Tabs = Child(WC_TABCONTROLW, L"", WS_VISIBLE | WS_CLIPCHILDREN | TCS_BOTTOM, 0,
                  c.Height - ScaleY(22), c.Width, ScaleY(22));
  SendMessageW(Ui.Tabs, CCM_SETVERSION, 0x20C, 0);
  for (int i = 0; i < TabCount; ++i) {
    TCITEMW tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(TabNames[i]);
    SendMessageW(Ui.Tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
  }
  FitTabs(Ui.Window);
}

void CreateGeneralTab(ClientSize c) {
  Ui.GeneralList = CreateSettingsList(Ui.Window, ScaleX(8), ScaleY(55), c.Width - ScaleX(16),
                                      c.Height - ScaleY(80), true);
  AddColumns(Ui.GeneralList, 2, ScaleX(10) + c.Width / 2);
}

// The width of an editor list's name column is ours to choose: at some
// densities half the list cannot hold the longest Russian row name (128 dpi:
// "Высота беспр.связи"), so the column grows to hold its widest name.
// The names are measured in the list's own font (a null font), as they were
// when the rows came before the tool's font, so the column keeps its width.
void HoldNames(HWND list) {
  LRESULT given = SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0);
  HFONT drawn = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
  SendMessageW(list, WM_SETFONT, 0, FALSE);
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
  if (SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0) < given)
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, given);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(drawn), FALSE);
}

void CreatePagesTab(ClientSize c) {
  Ui.PageList =
      CreateReportList(Ui.Window, ScaleX(8), ScaleY(55), c.Width - ScaleX(16),
                       c.Height - ScaleY(80), 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  AddColumns(Ui.PageList, 1, c.Width - ScaleX(102));

  int width = c.Width - ScaleX(16);
  for (int kind = PageKindWireless; kind <= PageKindSysInfo; ++kind) {
    HWND list;
    if (kind == PageKindLauncher) {
      list = CreateSettingsList(Ui.Window, ScaleX(8), c.Height - ScaleY(62), c.Width - ScaleX(48),
                                ScaleY(58), false);
      AddColumns(list, 2, (c.Width - ScaleX(48)) / 2 - ScaleX(4));
    } else {
      list =
          CreateSettingsList(Ui.Window, ScaleX(8), ScaleY(55), width, c.Height - ScaleY(60), false);
      bool half = kind == PageKindCalendar || kind == PageKindSysInfo;
      AddColumns(list, 2, width / 2 - (half ? 0 : ScaleX(4)));
    }
    Ui.EditorLists[kind - 1] = list;
  }
  Ui.LauncherItemList = CreateFileList(ScaleX(8), ScaleY(55), width, c.Height - ScaleY(122));
  AddColumns(Ui.LauncherItemList, 1, width);
  Ui.LauncherEditButton = Child(L"BUTTON", L"...", WS_DISABLED, c.Width - ScaleX(38),
                                c.Height - ScaleY(62), ScaleX(30), ScaleY(20));
}

void CreateAboutTab(ClientSize c) {
  int centre = c.Width / 2;
  int iconWidth = GetSystemMetrics(SM_CXICON);
  Ui.About[0] = Child(L"STATIC", L"", SS_ICON, centre - ScaleX(58) - iconWidth, ScaleY(60),
                      iconWidth, GetSystemMetrics(SM_CYICON));
  const wchar_t* texts[3] = {L"Tovira v1.3.3", L"© 2026 Sorlin", L"tovira.sorlin.example"};
  for (int i = 0; i < 3; ++i)
    Ui.About[i + 1] = Child(L"STATIC", texts[i], 0, centre - ScaleX(50), ScaleY(60 + 20 * i),
                            ScaleX(150), ScaleY(18));
  SetFont(Ui.About[1], Ui.HeadingFont);
}

void CreateButtonRow(ClientSize c) {
  struct Spec {
    HWND* Handle;
    const wchar_t* Text;
    int X;
    int Width;
  } specs[] = {{&Ui.AddButton, L"+", ScaleX(8), ScaleX(30)},
               {&Ui.EditButton, L"...", ScaleX(40), ScaleX(30)},
               {&Ui.RemoveButton, L"\u2013", ScaleX(72), ScaleX(30)},
               {&Ui.UpButton, L"Вверх", c.Width - ScaleX(98), ScaleX(44)},
               {&Ui.DownButton, L"Вниз", c.Width - ScaleX(52), ScaleX(44)}};
  for (const Spec& s : specs)
    *s.Handle = Child(L"BUTTON", s.Text, WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON, s.X, ScaleY(30),
                      s.Width, ScaleY(20));
}

// The desktop calls back once per family and character set: each family is
// listed once, where it first came.
int CALLBACK EnumFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  HWND faces = reinterpret_cast<HWND>(list);
  LPARAM name = reinterpret_cast<LPARAM>(font->lfFaceName);
  if (SendMessageW(faces, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), name) == CB_ERR)
    SendMessageW(faces, CB_ADDSTRING, 0, name);
  return 1;
}
static_assert(std::is_same<decltype(&EnumFace), FONTENUMPROCW>::value,
              "EnumFace is called back by EnumFontFamiliesW");

void CreateFontAndColorGroups(ClientSize c) {
  int third = (c.Width - ScaleX(94)) / 3;
  Ui.FontLabel = Child(L"STATIC", L"Шрифт", 0, ScaleX(8), ScaleY(57), ScaleX(70), ScaleY(18));
  Ui.FaceList = Child(L"COMBOBOX", L"", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, ScaleX(78),
                      ScaleY(55), 2 * third, ScaleY(200));
  Ui.SizeEdit = Child(L"EDIT", L"8", WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                      ScaleX(78) + 2 * third + ScaleX(8), ScaleY(55), third, ScaleY(20));
  Ui.SizeUpDown = UpDownFor(Ui.SizeEdit, 1, 100);
  Ui.BoldCheck = Child(L"BUTTON", L"Жирный", WS_TABSTOP | BS_AUTOCHECKBOX, ScaleX(78), ScaleY(80),
                       ScaleX(70), ScaleY(20));
  Ui.ClearTypeCheck = Child(L"BUTTON", L"ClearType", WS_TABSTOP | BS_AUTOCHECKBOX, ScaleX(148),
                            ScaleY(80), ScaleX(84), ScaleY(20));
  Ui.ColorLabel = Child(L"STATIC", L"Цвет", 0, ScaleX(8), ScaleY(57), ScaleX(42), ScaleY(18));
  for (int i = 0; i < ColorFieldCount; ++i) {
    Ui.ColorEdits[i] = Child(L"EDIT", L"0", WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                             ScaleX(78) + i * (third + ScaleX(4)), ScaleY(55), third, ScaleY(20));
    Ui.ColorUpDowns[i] = UpDownFor(Ui.ColorEdits[i], 0, 255);
  }
}

void CreatePanel(ClientSize c) {
  int width = c.Width - ScaleX(16);
  Ui.RowNameLabel =
      Child(L"STATIC", L"", SS_LEFTNOWORDWRAP, ScaleX(8), ScaleY(30), width, ScaleY(18));
  Ui.FormatEdit = Child(L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, ScaleX(8),
                        ScaleY(55), width, ScaleY(20));
  SendMessageW(Ui.FormatEdit, EM_LIMITTEXT, FormatSlot - 1, 0);
  Ui.HelpText = Child(L"STATIC", L"", SS_LEFT, ScaleX(8), ScaleY(80), width, c.Height - ScaleY(85));
  SetFont(Ui.HelpText, Ui.HelpFont);
  Ui.ChoiceList = Child(L"COMBOBOX", L"", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, ScaleX(58),
                        ScaleY(55), c.Width - ScaleX(116), ScaleY(100));
  CreateFontAndColorGroups(c);
  int third = (c.Width - ScaleX(94)) / 3;
  for (int i = 0; i < MarginFieldCount; ++i) {
    Ui.MarginLabels[i] =
        Child(L"STATIC", MarginNames[i], 0, ScaleX(8), ScaleY(57 + 25 * i), ScaleX(45), ScaleY(18));
    Ui.MarginEdits[i] = Child(L"EDIT", L"0", WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                              ScaleX(58), ScaleY(55 + 25 * i), third * 3 / 2, ScaleY(20));
    Ui.MarginUpDowns[i] = UpDownFor(Ui.MarginEdits[i], 0, 1000);
  }
  Ui.PathEdit = Child(L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, ScaleX(8), ScaleY(55),
                      c.Width - ScaleX(44), ScaleY(20));
  SendMessageW(Ui.PathEdit, EM_LIMITTEXT, TextSlot - 1, 0);
  Ui.OpenButton = Child(L"BUTTON", L"...", WS_TABSTOP | WS_DISABLED, c.Width - ScaleX(28),
                        ScaleY(55), ScaleX(20), ScaleY(20));
  Ui.FolderLabel =
      Child(L"STATIC", L"", SS_LEFTNOWORDWRAP, ScaleX(8), ScaleY(30), width, ScaleY(18));
  Ui.FileList = CreateFileList(ScaleX(8), ScaleY(80), width, c.Height - ScaleY(80));
  AddColumns(Ui.FileList, 2, width * 2 / 3);
}

void FillEditorList(HWND list, int listIndex) {
  FillRows(list, listIndex);
  HoldNames(list);
  FitLastColumn(list, 1);
}

void ShowAboutIcon() {
  HICON icon = LoadIconW(Ui.Instance, MAKEINTRESOURCEW(IDI_PROGRAM));
  if (Ui.About[0] && icon)
    SendMessageW(Ui.About[0], STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

// Controls without a font of their own would take the desktop's bold system
// font; the device draws them in its normal one, which the help font is.
BOOL CALLBACK UseNormalFont(HWND control, LPARAM) {
  if (control != Ui.TitleLine && control != Ui.About[1] && control != Ui.HelpText)
    SetFont(control, Ui.HelpFont);
  return TRUE;
}
static_assert(std::is_same<decltype(&UseNormalFont), WNDENUMPROC>::value,
              "UseNormalFont is called back by EnumChildWindows");

}  // namespace

void CreateControls(HWND window) {
  Ui.Window = window;
  ClientSize c = Client(window);
  CreateTitleAndTabs(c);
  CreateGeneralTab(c);
  CreatePagesTab(c);
  CreateAboutTab(c);
  CreateButtonRow(c);
  CreatePanel(c);
  Ui.SipPref = Child(L"SIPPREF", L"", 0, 0, 0, 0, 0);
  EnumChildWindows(window, UseNormalFont, 0);
  FitTabs(window);  // the tab row's height follows its font
}

void CreateContents(HWND window) {
  CreateControls(window);
  MarkStartupStep("controls");
  FillRows(Ui.GeneralList, GeneralListIndex);
  FitLastColumn(Ui.GeneralList, 1);
  MarkStartupStep("General rows");
}

void FillFaceList() {
  HDC screen = GetDC(nullptr);
  if (screen && Ui.FaceList) {
    EnumFontFamiliesW(screen, nullptr, EnumFace, reinterpret_cast<LPARAM>(Ui.FaceList));
  }
  if (screen) ReleaseDC(nullptr, screen);
}

void FillBeforeFirstShow(HWND control) {
  if (!control) return;
  if (control == Ui.About[0]) {
    if (!SendMessageW(control, STM_GETICON, 0, 0)) ShowAboutIcon();
    return;
  }
  if (control == Ui.LauncherItemList || control == Ui.FileList) {
    if (!SendMessageW(control, LVM_GETIMAGELIST, LVSIL_SMALL, 0)) AttachSystemIcons(control);
    return;
  }
  for (int i = 0; i < PageKindCount; ++i)
    if (control == Ui.EditorLists[i] && RowCount(control) == 0) FillEditorList(control, i);
}

void LayoutForSize(HWND window) {
  if (!Ui.Tabs) return;
  FitTabs(window);
  ClientSize c = Client(window);
  auto size = [](HWND control, int w, int h) {
    if (control) SetWindowPos(control, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
  };
  int width = c.Width - ScaleX(16);
  size(Ui.GeneralList, width, c.Height - ScaleY(80));
  size(Ui.PageList, width, c.Height - ScaleY(80));
  for (int kind = PageKindWireless; kind <= PageKindSysInfo; ++kind)
    if (kind != PageKindLauncher) size(Ui.EditorLists[kind - 1], width, c.Height - ScaleY(60));
  size(Ui.LauncherItemList, width, c.Height - ScaleY(122));
  size(Ui.FileList, width, c.Height - ScaleY(80));
  size(Ui.HelpText, width, c.Height - ScaleY(85));
  MoveWindow(Ui.EditorLists[PageKindLauncher - 1], ScaleX(8), c.Height - ScaleY(62),
             c.Width - ScaleX(48), ScaleY(58), TRUE);
  SetWindowPos(Ui.LauncherEditButton, nullptr, c.Width - ScaleX(38), c.Height - ScaleY(62), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
}
