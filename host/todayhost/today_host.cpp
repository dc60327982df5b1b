// The Today shell stand-in's screen: the window, its creation, the routes of
// its messages to the rooms that do the work (items, column, selection,
// menu, background), and the top-level loop's reloads and closing.
#include "host/todayhost/today_host.h"

#include "common/registry_names.h"
#include "host/todayhost/host_layout.h"
#include "host/todayhost/host_log.h"
#include "host/todayhost/item_column.h"
#include "host/todayhost/screen_turn.h"
#include "host/todayhost/text_util.h"
#include "host/todayhost/watermark.h"

const wchar_t TodayHostClass[] = L"ToviraTodayHost";
const wchar_t TodayHostQueryName[] = L"ToviraTodayHostQuery";

namespace {

// Reloads and closing are carried out by the host's own top-level loop, never
// inside the broadcast (its sender may be one of the items) nor inside a
// nested loop (an item's menu, dialog or drag), where the item's code is still
// on the stack under the library they free. This message only wakes the loop.
constexpr UINT MsgWakeHost = WM_APP + 1;

HWND g_host;
int g_reloads;
bool g_wakePosted;
bool g_reloadPending;
bool g_closePending;
UINT g_queryMessage;
HostOptions g_options;
wchar_t g_deviceRoot[MAX_PATH];
SIZE g_screen;  // the screen the background was prepared for

int ClientWidth() {
  RECT rc = {};
  GetClientRect(g_host, &rc);
  return rc.right - rc.left;
}

int ClientHeight() {
  RECT rc = {};
  GetClientRect(g_host, &rc);
  return rc.bottom - rc.top;
}

void LoadScreenItems() {
  int width = ClientWidth();
  LoadItems(g_host, width, g_options.itemsKey, g_deviceRoot);
  NoteItemsWidth(width);  // each was made this wide
}

// The selection and the view stay with the items they were on, by entry
// name, when those are there again.
void ReloadItems() {
  g_reloadPending = false;
  wchar_t selected[MAX_ITEMNAME] = L"";
  if (HostSelection() >= 0) CopyText(selected, MAX_ITEMNAME, HostItemName(HostSelection()));
  HoldViewForReload();
  DropSelection();
  UnloadItems();
  LoadScreenItems();
  ++g_reloads;
  HostLog(L"todayhost: reload %d: %d item(s)", g_reloads, HostItemCount());
  RefreshColumn(g_host, true);
  RestoreHeldView(g_host);
  if (selected[0]) SelectAgain(FindItemNamed(selected));
  ShowSelection(g_host);
}

void WakeTopLoop() {
  if (!g_wakePosted) g_wakePosted = PostMessageW(g_host, MsgWakeHost, 0, 0) != 0;
}

void RequestReload() {
  g_reloadPending = true;
  WakeTopLoop();
}

void RequestClose() {
  g_closePending = true;
  WakeTopLoop();
}

// ---- Handlers ---------------------------------------------------------------

LRESULT OnDrawWatermark(LPARAM lParam) {
  auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
  if (!info || !info->hdc) return FALSE;
  POINT origin = {0, 0};
  if (info->hwnd && IsWindow(info->hwnd)) MapWindowPoints(info->hwnd, g_host, &origin, 1);
  // The item the shell selects itself gets its background highlighted.
  PaintItemBackground(info->hdc, info->rc, origin.x, origin.y, IsHighlightedByShell(info->hwnd));
  return TRUE;
}

void OnEraseBackground(HWND hwnd, HDC dc) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  PaintWatermark(dc, rc, 0, 0);
}

void OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc) PaintWatermark(dc, ps.rcPaint, 0, 0);
  EndPaint(hwnd, &ps);
}

void OnKeyDown(HWND hwnd, UINT vk) {
  if (vk == HostMenuKey)
    OpenHostMenu(hwnd, -1);
  else
    HostNavigate(vk);
}

void OnCommand(WORD command) {
  if (command == CmdExit) {
    RequestClose();
  } else if (command == CmdReload) {
    RequestReload();
  } else if (command >= CmdItemOptions && command < CmdItemOptions + MaxItemEntries) {
    ShowItemOptions(command - CmdItemOptions, g_host);
  }
}

void OnSettingChange(HWND hwnd, UINT message, WPARAM wParam) {
  if (message == WM_SETTINGCHANGE && wParam == ReloadBroadcastParam) RequestReload();
  if (IsScreenTurnNotice(message, wParam)) FitToScreen(hwnd, g_options.fullscreen);
}

LRESULT OnQuery(WPARAM what) {
  switch (what) {
    case QueryReloadCount:
      return g_reloads;
    case QueryItemCount:
      return HostItemCount();
    case QuerySelection:
      return HostSelection();
    case QueryItemsHeight: {
      DWORD heights[MaxItemEntries];
      int tops[MaxItemEntries];
      ItemHeights(heights);
      return StackItems(heights, HostItemCount(), tops);
    }
    default:
      return -1;
  }
}

void OnDestroy(HWND hwnd) {
  KillTimer(hwnd, HeightPollTimer);
  DestroyHostMenu(hwnd);
  DropSelection();
  UnloadItems();
  ReleaseWatermark();
  ForgetColumnBar();  // went with its parent
  g_host = nullptr;
  PostQuitMessage(0);
}

// The screen took another size (it turned): a menu left open closes, the
// background follows, the items are laid out at the new width and asked
// their heights at once. The scroll bar coming or going is no new screen.
void OnSize() {
  if (!g_host) return;
  SIZE screen = {ClientWidth(), ClientHeight()};
  if (screen.cx <= 0 || screen.cy <= 0) return;
  if (screen.cx == g_screen.cx && screen.cy == g_screen.cy) return;
  g_screen = screen;
  EndMenu();
  PrepareWatermark(screen.cx, screen.cy, g_options.watermark);
  FollowScreenSize(g_host);
  ShowSelection(g_host);
  HostLog(L"todayhost: screen %ldx%ld", screen.cx, screen.cy);
}

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == g_queryMessage && g_queryMessage != 0) return OnQuery(wParam);
  switch (message) {
    case WM_ERASEBKGND:
      OnEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT:
      OnPaint(hwnd);
      return 0;
    case TODAYM_GETCOLOR:
      return static_cast<LRESULT>(TodayColor(static_cast<DWORD>(wParam)));
    case TODAYM_DRAWWATERMARK:
      return OnDrawWatermark(lParam);
    case WM_TIMER:
      if (wParam == HeightPollTimer) PollItemHeights(false);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(hwnd, static_cast<UINT>(wParam));
      return 0;
    case WM_INITMENUPOPUP:
      FillHostMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      RequestClose();
      return 0;
    case WM_CONTEXTMENU:
      OpenHostMenu(hwnd, lParam);
      return 0;
    case WM_SETTINGCHANGE:  // the same message as WM_WININICHANGE
    case WM_DISPLAYCHANGE:
      OnSettingChange(hwnd, message, wParam);
      return 0;
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_VSCROLL:
      OnColumnBar(hwnd, wParam);
      return 0;
    case TODAYM_TOOKSELECTION:
      return TakeSelection(hwnd, reinterpret_cast<HWND>(wParam)) ? TRUE : FALSE;
    case MsgWakeHost:
      g_wakePosted = false;
      return 0;
    case WM_DESTROY:
      OnDestroy(hwnd);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

bool RegisterHostClass(HINSTANCE instance) {
  WNDCLASSW wc = {};
  if (GetClassInfoW(instance, TodayHostClass, &wc)) return true;
  wc.lpfnWndProc = HostWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = TodayHostClass;
  return RegisterClassW(&wc) != 0;
}

}  // namespace

// ---- Public entries -------------------------------------------------------------

HWND CreateTodayHost(const HostOptions& options) {
  g_options = options;
  if (!GetCurrentDirectoryW(MAX_PATH, g_deviceRoot)) g_deviceRoot[0] = 0;
  g_queryMessage = RegisterWindowMessageW(TodayHostQueryName);

  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterHostClass(instance)) return nullptr;
  int width = options.width, height = options.height;
  if (width <= 0 || height <= 0) DeviceScreenSize(ScreenDensity(), &width, &height);
  if (!PrepareWatermark(width, height, options.watermark)) return nullptr;
  g_screen = {width, height};

  const DWORD style = options.fullscreen ? WS_POPUP | WS_CLIPCHILDREN
                                         : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                               WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  HMENU menu = CreateHostMenu(!options.fullscreen);
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, style, menu != nullptr, 0);
  g_host = CreateWindowExW(0, TodayHostClass, L"Today", style, 0, 0, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, menu, instance, nullptr);
  if (!g_host) {
    if (menu) DestroyMenu(menu);
    ReleaseWatermark();
    return nullptr;
  }
  CreateColumnBar(g_host);
  // A menu bar that wraps takes more rows than AdjustWindowRect allowed for.
  RECT client;
  GetClientRect(g_host, &client);
  if (client.bottom != height || client.right != width)
    SetWindowPos(g_host, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                 frame.bottom - frame.top + height - client.bottom, SWP_NOZORDER | SWP_NOMOVE);
  ShowWindow(g_host, SW_SHOWNORMAL);
  UpdateWindow(g_host);
  g_reloads = 0;
  DropSelection();
  g_reloadPending = g_closePending = g_wakePosted = false;
  LoadScreenItems();
  PollItemHeights(true);
  SetTimer(g_host, HeightPollTimer, HeightPollPeriodMs, nullptr);
  return g_host;
}

int HostReloadCount() { return g_reloads; }

bool PollItemHeights(bool force) { return RefreshColumn(g_host, force); }

void HostNavigate(UINT vk) { NavigateSelection(g_host, vk); }

void DispatchTopLevel(const MSG& msg) {
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  RunPendingHostWork();
}

void RunPendingHostWork() {
  if (!g_host) return;
  if (g_closePending) {
    g_closePending = false;
    DestroyWindow(g_host);
  } else if (g_reloadPending) {
    ReloadItems();
  }
}
