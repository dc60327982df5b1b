// The item window procedure routes each message to one small handler;
// messages it does not list are answered 0 without default processing.
#include "item/host/item_window.h"

#include <windowsx.h>

#include "item/host/action_key.h"
#include "item/host/host_state.h"
#include "item/host/layout.h"
#include "item/host/page_life.h"
#include "item/host/paging.h"
#include "item/host/paint.h"
#include "item/host/pointer.h"
#include "item/host/taps.h"
#include "item/pages/launcher_page.h"
#include "item/pages/system_state.h"
#include "item/settings/item_settings.h"
#include "platform/today.h"

HostState Host;
HWND ItemWindow = nullptr;

static int ClientWidth(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return client.right - client.left;
}

static LRESULT OnCreate(HWND window) {
  ItemWindow = window;
  ReadItemSettings();
  Host.HighlightColor = static_cast<COLORREF>(
      SendMessageW(GetParent(window), TODAYM_GETCOLOR, TODAYCOLOR_HIGHLIGHT, 0));
  CreatePages(window);
  // The heights are stored only now: natural heights count the battery image
  // and the launcher's rows, so the bands pages are painted and tapped in are
  // the heights the item reports.
  StorePageHeights();
  Host.LaidOutWidth = ClientWidth(window);
  CurrentPage = FirstPagingPage();
  Host.Drag = DragState{};
  Host.Selected = 0;
  Host.SettingsMenu = CreatePopupMenu();
  if (Host.SettingsMenu) AppendMenuW(Host.SettingsMenu, MF_STRING, SettingsCommand, L"Настройки");
  return 0;
}

static LRESULT OnDestroy(HWND window) {
  KillTimer(window, ItemTimerId);
  // The shell re-creates the item on every settings change: nothing may pile up.
  ReleaseDragFrames();
  ReleasePages();
  if (Host.SettingsMenu) DestroyMenu(Host.SettingsMenu);
  Host.SettingsMenu = nullptr;
  if (ItemWindow == window) ItemWindow = nullptr;
  return 0;
}

// The shell gives the item another width when the screen turns or its scroll
// bar comes or goes: the launcher's rows follow it, and with them the bands
// the pages are painted and tapped in. A new height or place alone changes
// nothing.
static LRESULT OnSize(HWND window) {
  const int width = ClientWidth(window);
  if (width == Host.LaidOutWidth) return 0;
  Host.LaidOutWidth = width;
  LayoutLauncher(window);
  StorePageHeights();
  InvalidateRect(window, nullptr, FALSE);
  return 0;
}

static LRESULT OnEraseBackground(HWND window, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  RequestWatermark(window, dc, client);
  return 1;
}

static LRESULT OnCommand(WPARAM wParam) {
  if (LOWORD(wParam) == SettingsCommand) StartConfigTool();
  return 0;
}

// The shell's readiness event is named once per query; nothing waits on it.
static void TouchShellReadyEvent() {
  HANDLE ready = OpenEventW(SYNCHRONIZE, FALSE, L"SYSTEM/ShellAPIReady");
  if (ready) CloseHandle(ready);
}

static LRESULT OnQueryRefreshCache(WPARAM wParam) {
  auto* item = reinterpret_cast<TODAYLISTITEM*>(wParam);
  if (!item) return FALSE;
  TouchShellReadyEvent();
  int height = ItemHeight();
  if (static_cast<DWORD>(height) == item->cyp) return FALSE;
  item->cyp = static_cast<DWORD>(height);
  RefreshTick(1);
  return TRUE;
}

static LRESULT OnSelection(HWND window, int selected) {
  Host.Selected = selected;
  InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}

static LRESULT OnUserNavigation(HWND window, WPARAM key) {
  if (key == VK_LEFT)
    CurrentPage = PrevPagingPage(CurrentPage);
  else if (key == VK_RIGHT)
    CurrentPage = NextPagingPage(CurrentPage);
  else
    return FALSE;  // the shell moves its selection on
  InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}

// The action key while the shell's selection is on the item; the item takes
// it, whether or not the page starts anything.
static LRESULT OnAction() {
  ActOnSlotPage();
  return TRUE;
}

bool IsNonClientMessage(UINT message) {
  return (message >= WM_NCCREATE && message <= WM_NCACTIVATE) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
         message == WM_NCMOUSEHOVER || message == WM_NCMOUSELEAVE;
}

LRESULT CALLBACK ItemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Pointer coordinates are signed: a drag may leave the window to the left or top.
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_DESTROY:
      return OnDestroy(window);
    case WM_PAINT:
      OnPaint(window);
      return 0;
    // Without default processing no WM_SIZE follows a WM_WINDOWPOSCHANGED:
    // the item takes its new size from either.
    case WM_WINDOWPOSCHANGED:
    case WM_SIZE:
      return OnSize(window);
    case WM_ERASEBKGND:
      return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:
      return OnCommand(wParam);
    case WM_TIMER:
      RefreshTick(0);
      return 0;
    case WM_LBUTTONDOWN:
      OnPointerDown(window, x, y);
      return 0;
    case WM_MOUSEMOVE:
      OnPointerMove(window, x, y);
      return 0;
    case WM_LBUTTONUP:
      OnPointerUp(window, x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnPointerDoubleClick(window, x, y);
      return 0;
    case WM_USER:
      ReadAnnouncedState();
      return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
      return OnQueryRefreshCache(wParam);
    case WM_TODAYCUSTOM_RECEIVEDSELECTION:
      return OnSelection(window, 1);
    case WM_TODAYCUSTOM_LOSTSELECTION:
      return OnSelection(window, 0);
    case WM_TODAYCUSTOM_USERNAVIGATION:
      return OnUserNavigation(window, wParam);
    case WM_TODAYCUSTOM_ACTION:
      return OnAction();
    default:
      break;
  }
  if (IsNonClientMessage(message)) return DefWindowProcW(window, message, wParam, lParam);
  return 0;
}

bool RegisterItemClass(HINSTANCE instance) {
  WNDCLASSW wc = {};
  wc.style = CS_DBLCLKS;  // a second quick tap arrives as a double-click
  wc.lpfnWndProc = ItemWindowProc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = ItemClassName;
  return RegisterClassW(&wc) != 0;
}

void UnregisterItemClass(HINSTANCE instance) { UnregisterClassW(ItemClassName, instance); }
