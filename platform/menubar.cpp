// The soft-key bar on the desktop. On the device the bar is a window of its
// own along the screen's bottom edge that the program's window leaves room
// for; here it is an owned pop-up strip that follows its window's bottom
// edge, one soft key per template button, each posting its command.
#include "platform/menubar.h"

#include <cwchar>

#include "platform/rotation.h"
#include "platform/sipprefs.h"

namespace {

constexpr int MaxButtons = 4;
constexpr int MaxBars = 4;
constexpr int ButtonTextSlot = 64;
constexpr UINT_PTR FollowSubclassId = 0x4D42;

struct SoftKey {
  int Command;
  BYTE State;
  wchar_t Text[ButtonTextSlot];
};

struct MenuBarState {
  HWND Bar;
  HWND Owner;
  int Count;
  SoftKey Keys[MaxButtons];
};

MenuBarState Bars[MaxBars];

MenuBarState* FindBar(HWND bar) {
  for (auto& b : Bars)
    if (b.Bar && b.Bar == bar) return &b;
  return nullptr;
}

MenuBarState* FindByOwner(HWND owner) {
  for (auto& b : Bars)
    if (b.Bar && b.Owner == owner) return &b;
  return nullptr;
}

void CopyBounded(wchar_t* destination, size_t capacity, const wchar_t* source) {
  size_t n = 0;
  if (source)
    for (; n + 1 < capacity && source[n]; ++n) destination[n] = source[n];
  destination[n] = L'\0';
}

// Reads the template: menu id, button count, then seven words per button
// (image, command, state, style, string id, 0, sub-menu).
bool ParseTemplate(HINSTANCE instance, UINT id, MenuBarState* state) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!found) return false;
  DWORD size = SizeofResource(instance, found);
  HGLOBAL loaded = LoadResource(instance, found);
  const WORD* words = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
  if (!words || size < 2 * sizeof(WORD)) return false;
  size_t available = size / sizeof(WORD);
  int count = words[1];
  state->Count = 0;
  for (int i = 0; i < count && i < MaxButtons; ++i) {
    size_t at = 2 + static_cast<size_t>(i) * 7;
    if (at + 7 > available) break;
    SoftKey& key = state->Keys[state->Count++];
    key.Command = words[at + 1];
    key.State = static_cast<BYTE>(words[at + 2]);
    wchar_t text[ButtonTextSlot] = {};
    if (LoadStringW(instance, words[at + 4], text, ButtonTextSlot) <= 0) text[0] = L'\0';
    CopyBounded(key.Text, ButtonTextSlot, text);
  }
  return state->Count > 0;
}

void PlaceBelowOwner(MenuBarState* state) {
  RECT owner;
  if (!GetWindowRect(state->Owner, &owner)) return;
  RECT bar;
  GetWindowRect(state->Bar, &bar);
  SetWindowPos(state->Bar, nullptr, owner.left, owner.bottom, owner.right - owner.left,
               bar.bottom - bar.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK FollowOwner(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  if (message == WM_WINDOWPOSCHANGED) {
    if (MenuBarState* state = FindByOwner(hwnd)) PlaceBelowOwner(state);
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, FollowOwner, FollowSubclassId);
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void Paint(HWND hwnd, MenuBarState* state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  HBRUSH back = CreateSolidBrush(RGB(32, 48, 96));
  FillRect(dc, &rc, back);
  DeleteObject(back);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  int width = rc.right - rc.left;
  for (int i = 0; state && i < state->Count; ++i) {
    RECT key = {rc.left + width * i / state->Count, rc.top,
                rc.left + width * (i + 1) / state->Count, rc.bottom};
    SetTextColor(
        dc, (state->Keys[i].State & TBSTATE_ENABLED) ? RGB(255, 255, 255) : RGB(128, 128, 128));
    DrawTextW(dc, state->Keys[i].Text, -1, &key, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

int KeyOfCommand(MenuBarState* state, WPARAM command) {
  for (int i = 0; state && i < state->Count; ++i)
    if (state->Keys[i].Command == static_cast<int>(LOWORD(command))) return i;
  return -1;
}

LRESULT SetButtonInfo(HWND hwnd, MenuBarState* state, WPARAM command, TBBUTTONINFOW* info) {
  int index = KeyOfCommand(state, command);
  if (index < 0 || !info || info->cbSize < sizeof(TBBUTTONINFOW)) return 0;
  SoftKey& key = state->Keys[index];
  if (info->dwMask & TBIF_TEXT) CopyBounded(key.Text, ButtonTextSlot, info->pszText);
  if (info->dwMask & TBIF_COMMAND) key.Command = info->idCommand;
  if (info->dwMask & TBIF_STATE) key.State = info->fsState;
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT GetButtonInfo(MenuBarState* state, WPARAM command, TBBUTTONINFOW* info) {
  int index = KeyOfCommand(state, command);
  if (index < 0 || !info || info->cbSize < sizeof(TBBUTTONINFOW)) return -1;
  const SoftKey& key = state->Keys[index];
  if ((info->dwMask & TBIF_TEXT) && info->pszText && info->cchText > 0)
    CopyBounded(info->pszText, static_cast<size_t>(info->cchText), key.Text);
  if (info->dwMask & TBIF_COMMAND) info->idCommand = key.Command;
  if (info->dwMask & TBIF_STATE) info->fsState = key.State;
  return index;
}

void Click(HWND hwnd, MenuBarState* state, int x) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  int width = rc.right - rc.left;
  if (!state || state->Count == 0 || width <= 0 || x < 0 || x >= width) return;
  // A disabled owner has a modal box above it; on the device that box holds
  // the soft keys, so the program's own never reach the program meanwhile.
  if (!IsWindowEnabled(state->Owner)) return;
  const SoftKey& key = state->Keys[x * state->Count / width];
  if (key.State & TBSTATE_ENABLED)
    PostMessageW(state->Owner, WM_COMMAND, MAKEWPARAM(key.Command, 0),
                 reinterpret_cast<LPARAM>(hwnd));
}

LRESULT CALLBACK MenuBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MenuBarState* state = FindBar(hwnd);
  switch (message) {
    case WM_PAINT:
      Paint(hwnd, state);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a soft key never takes the focus from the program
    case WM_LBUTTONUP:
      Click(hwnd, state, static_cast<short>(LOWORD(lParam)));
      return 0;
    case TB_SETBUTTONINFOW:
      return SetButtonInfo(hwnd, state, wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam));
    case TB_GETBUTTONINFOW:
      return GetButtonInfo(state, wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam));
    case TB_BUTTONCOUNT:
      return state ? state->Count : 0;
    case WM_NCDESTROY:
      if (state) *state = MenuBarState{};
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterBarClass() {
  HINSTANCE self = GetModuleHandleW(nullptr);
  WNDCLASSW existing;
  if (GetClassInfoW(self, MENUBAR_CLASSNAME, &existing)) return true;
  WNDCLASSW wc = {};
  wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MenuBarProc;
  wc.hInstance = self;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = MENUBAR_CLASSNAME;
  return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  if (!info || info->cbSize < sizeof(SHMENUBARINFO) || !info->hwndParent) return FALSE;
  info->hwndMB = nullptr;
  MenuBarState* slot = nullptr;
  for (auto& b : Bars)
    if (!b.Bar) {
      slot = &b;
      break;
    }
  if (!slot || !RegisterBarClass()) return FALSE;
  MenuBarState parsed = {};
  HINSTANCE resources = info->hInstRes ? info->hInstRes : GetModuleHandleW(nullptr);
  if (!ParseTemplate(resources, info->nToolBarId, &parsed)) return FALSE;
  RECT owner;
  if (!GetWindowRect(info->hwndParent, &owner)) return FALSE;
  int height = SoftKeyBarHeight();
  HWND bar = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, MENUBAR_CLASSNAME, L"", WS_POPUP,
                             owner.left, owner.bottom - height, owner.right - owner.left, height,
                             info->hwndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!bar) return FALSE;
  parsed.Bar = bar;
  parsed.Owner = info->hwndParent;
  *slot = parsed;
  // Shown without activation: the strip never takes the focus, and Wine
  // then leaves it to itself instead of to a window manager.
  ShowWindow(bar, SW_SHOWNOACTIVATE);
  SetWindowSubclass(info->hwndParent, FollowOwner, FollowSubclassId, 0);
  info->hwndMB = bar;
  return TRUE;
}

BOOL SHInitExtraControls(void) { return RegisterSipPrefClass(GetModuleHandleW(nullptr)); }

BOOL SHHandleWMActivate(HWND, WPARAM, LPARAM, SHACTIVATEINFO* info, DWORD) {
  return info != nullptr;  // no input panel to show or hide on the desktop
}

BOOL SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM, SHACTIVATEINFO* info) {
  if (!info) return FALSE;
  // The work area changed, or the screen turned: a full-screen window
  // follows the screen as the device's does.
  if ((wParam == SPI_SETWORKAREA || wParam == SETTINGCHANGE_RESET) && IsWindow(hwnd)) {
    RECT area = FullScreenArea();
    MenuBarState* state = FindByOwner(hwnd);
    RECT bar = {};
    if (state) GetWindowRect(state->Bar, &bar);
    MoveWindow(hwnd, area.left, area.top, area.right - area.left,
               area.bottom - area.top - (bar.bottom - bar.top), TRUE);
  }
  return TRUE;
}

int SoftKeyBarHeight(void) {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return 26 * (dpi > 0 ? dpi : 96) / 96;
}

RECT FullScreenArea(void) {
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT area = {};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) || area.right <= area.left ||
      area.bottom <= area.top)
    return screen;
  // Wine keeps the work area a process read first across a turn of the
  // screen: one that no longer lies on the screen is taken from the monitor.
  if (area.left < 0 || area.top < 0 || area.right > screen.right || area.bottom > screen.bottom) {
    MONITORINFO monitor = {sizeof(monitor), {}, {}, 0};
    POINT origin = {0, 0};
    if (GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &monitor))
      return monitor.rcWork;
    return screen;
  }
  return area;
}
