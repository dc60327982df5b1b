// The Today shell stand-in's screen: the window and the one record of its
// state, its creation, the routes of its messages to the rooms that do the
// work (items, column, selection, menu, background), and the top-level
// loop's reloads and closing.
#include "host/todayhost/today_host.h"

#include "common/registry_names.h"
#include "host/common/host_log.h"
#include "host/todayhost/host_layout.h"
#include "host/todayhost/keyboard_selection.h"
#include "host/todayhost/screen_turn.h"
#include "host/todayhost/screen_window.h"
#include "host/todayhost/text_util.h"
#include "host/todayhost/today_screen.h"

const wchar_t TodayHostClass[] = L"ToviraTodayHost";
const wchar_t TodayHostQueryName[] = L"ToviraTodayHostQuery";

namespace {

// Reloads and closing are carried out by the host's own top-level loop, never
// inside the broadcast (its sender may be one of the items) nor inside a
// nested loop (an item's menu, dialog or drag), where the item's code is still
// on the stack under the library they free. This message only wakes the loop.
constexpr UINT MsgWakeHost = WM_APP + 1;

// The screen's state: this window's, one at a time.
TodayScreen g_screen;

void LoadScreenItems(TodayScreen* s) {
  int width = ClientSizeOf(s->window).cx;
  LoadItems(&s->items, s->window, width, s->options.itemsKey, s->deviceRoot);
  NoteItemsWidth(&s->column, width);  // each was made this wide
}

// The selection and the view stay with the items they were on, by entry
// name, when those are there again.
void ReloadItems(TodayScreen* s) {
  s->reloadPending = false;
  wchar_t selected[MAX_ITEMNAME] = L"";
  if (s->selected >= 0) CopyText(selected, MAX_ITEMNAME, ItemName(s->items, s->selected));
  HoldViewForReload(&s->column, s->items);
  s->selected = -1;
  UnloadItems(&s->items);
  LoadScreenItems(s);
  ++s->reloads;
  HostLog(L"todayhost: reload %d: %d item(s)", s->reloads, s->items.count);
  RefreshColumn(&s->column, &s->items, true);
  RestoreHeldView(&s->column, s->items);
  if (selected[0]) SelectAgain(&s->selected, s->items, FindItemNamed(s->items, selected));
  ShowSelection(s->selected, s->items, &s->column);
}

void WakeTopLoop(TodayScreen* s) {
  if (!s->wakePosted) s->wakePosted = PostMessageW(s->window, MsgWakeHost, 0, 0) != 0;
}

void RequestReload(TodayScreen* s) {
  s->reloadPending = true;
  WakeTopLoop(s);
}

void RequestClose(TodayScreen* s) {
  s->closePending = true;
  WakeTopLoop(s);
}

// ---- Handlers ---------------------------------------------------------------

LRESULT OnDrawWatermark(const TodayScreen& s, LPARAM lParam) {
  auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
  if (!info || !info->hdc) return FALSE;
  POINT origin = {0, 0};
  if (info->hwnd && IsWindow(info->hwnd)) MapWindowPoints(info->hwnd, s.window, &origin, 1);
  // The item the shell selects itself gets its background highlighted.
  PaintItemBackground(s.background, info->hdc, info->rc, origin.x, origin.y,
                      IsHighlightedByShell(s.selected, s.items, info->hwnd));
  return TRUE;
}

void OnEraseBackground(const TodayScreen& s, HWND hwnd, HDC dc) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  PaintWatermark(s.background, dc, rc, 0, 0);
}

void OnPaint(const TodayScreen& s, HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc) PaintWatermark(s.background, dc, ps.rcPaint, 0, 0);
  EndPaint(hwnd, &ps);
}

void OnKeyDown(TodayScreen* s, HWND hwnd, UINT vk) {
  if (vk == HostMenuKey)
    OpenHostMenu(s->itemsMenu, hwnd, -1);
  else
    NavigateSelection(&s->selected, s->items, &s->column, vk);
}

void OnCommand(TodayScreen* s, WORD command) {
  if (command == CmdExit) {
    RequestClose(s);
  } else if (command == CmdReload) {
    RequestReload(s);
  } else if (command >= CmdItemOptions && command < CmdItemOptions + MaxItemEntries) {
    ShowItemOptions(&s->items, command - CmdItemOptions, s->window);
  }
}

void OnSettingChange(TodayScreen* s, HWND hwnd, UINT message, WPARAM wParam) {
  if (message == WM_SETTINGCHANGE && wParam == ReloadBroadcastParam) RequestReload(s);
  if (IsScreenTurnNotice(message, wParam)) FitToScreen(hwnd, s->options.fullscreen);
}

LRESULT OnQuery(const TodayScreen& s, WPARAM what) {
  switch (what) {
    case QueryReloadCount:
      return s.reloads;
    case QueryItemCount:
      return s.items.count;
    case QuerySelection:
      return s.selected;
    case QueryItemsHeight: {
      DWORD heights[MaxItemEntries];
      int tops[MaxItemEntries];
      ItemHeights(s.items, heights);
      return StackItems(heights, s.items.count, tops);
    }
    default:
      return -1;
  }
}

void OnDestroy(TodayScreen* s, HWND hwnd) {
  KillTimer(hwnd, HeightPollTimer);
  DestroyHostMenu(&s->itemsMenu, hwnd);
  s->selected = -1;
  UnloadItems(&s->items);
  ReleaseWatermark(&s->background);
  ForgetColumnBar(&s->column);  // went with its parent
  s->window = nullptr;
  PostQuitMessage(0);
}

// The screen took another size (it turned): a menu left open closes, the
// background follows, the items are laid out at the new width and asked
// their heights at once. The scroll bar coming or going is no new screen.
void OnSize(TodayScreen* s) {
  if (!s->window) return;
  SIZE screen = ClientSizeOf(s->window);
  if (screen.cx <= 0 || screen.cy <= 0) return;
  if (screen.cx == s->backgroundSize.cx && screen.cy == s->backgroundSize.cy) return;
  s->backgroundSize = screen;
  EndMenu();
  PrepareWatermark(&s->background, screen.cx, screen.cy, s->options.watermark);
  FollowScreenSize(&s->column, &s->items);
  ShowSelection(s->selected, s->items, &s->column);
  HostLog(L"todayhost: screen %ldx%ld", screen.cx, screen.cy);
}

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TodayScreen* s = &g_screen;
  if (message == s->queryMessage && s->queryMessage != 0) return OnQuery(*s, wParam);
  switch (message) {
    case WM_ERASEBKGND:
      OnEraseBackground(*s, hwnd, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT:
      OnPaint(*s, hwnd);
      return 0;
    case TODAYM_GETCOLOR:
      return static_cast<LRESULT>(TodayColor(static_cast<DWORD>(wParam)));
    case TODAYM_DRAWWATERMARK:
      return OnDrawWatermark(*s, lParam);
    case WM_TIMER:
      if (wParam == HeightPollTimer) RefreshColumn(&s->column, &s->items, false);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(s, hwnd, static_cast<UINT>(wParam));
      return 0;
    case WM_INITMENUPOPUP:
      FillHostMenu(s->itemsMenu, reinterpret_cast<HMENU>(wParam), s->items);
      return 0;
    case WM_COMMAND:
      OnCommand(s, LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      RequestClose(s);
      return 0;
    case WM_CONTEXTMENU:
      OpenHostMenu(s->itemsMenu, hwnd, lParam);
      return 0;
    case WM_SETTINGCHANGE:  // the same message as WM_WININICHANGE
    case WM_DISPLAYCHANGE:
      OnSettingChange(s, hwnd, message, wParam);
      return 0;
    case WM_SIZE:
      OnSize(s);
      return 0;
    case WM_VSCROLL:
      OnColumnBar(&s->column, s->items, wParam);
      return 0;
    case TODAYM_TOOKSELECTION:
      return TakeSelection(&s->selected, s->items, &s->column, reinterpret_cast<HWND>(wParam))
                 ? TRUE
                 : FALSE;
    case MsgWakeHost:
      s->wakePosted = false;
      return 0;
    case WM_DESTROY:
      OnDestroy(s, hwnd);
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

// Makes the window of the screen's size (its client area exactly that, a
// wrapped menu bar included) and shows it.
HWND MakeScreenWindow(TodayScreen* s, HINSTANCE instance, int width, int height) {
  const DWORD style = s->options.fullscreen ? WS_POPUP | WS_CLIPCHILDREN
                                            : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                                  WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  HMENU menu = CreateHostMenu(!s->options.fullscreen, &s->itemsMenu);
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, style, menu != nullptr, 0);
  s->window = CreateWindowExW(0, TodayHostClass, L"Today", style, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, menu, instance, nullptr);
  if (!s->window) {
    if (menu) DestroyMenu(menu);
    return nullptr;
  }
  CreateColumnBar(&s->column, s->window);
  // A menu bar that wraps takes more rows than AdjustWindowRect allowed for.
  RECT client;
  GetClientRect(s->window, &client);
  if (client.bottom != height || client.right != width)
    SetWindowPos(s->window, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                 frame.bottom - frame.top + height - client.bottom, SWP_NOZORDER | SWP_NOMOVE);
  ShowWindow(s->window, SW_SHOWNORMAL);
  UpdateWindow(s->window);
  return s->window;
}

}  // namespace

// ---- Public entries -------------------------------------------------------------

HWND CreateTodayHost(const HostOptions& options) {
  TodayScreen* s = &g_screen;
  s->options = options;
  if (!GetCurrentDirectoryW(MAX_PATH, s->deviceRoot)) s->deviceRoot[0] = 0;
  s->queryMessage = RegisterWindowMessageW(TodayHostQueryName);

  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterHostClass(instance)) return nullptr;
  int width = options.width, height = options.height;
  if (width <= 0 || height <= 0) OrientedScreenSize(ScreenDensity(), false, &width, &height);
  if (!PrepareWatermark(&s->background, width, height, options.watermark)) return nullptr;
  s->backgroundSize = {width, height};
  if (!MakeScreenWindow(s, instance, width, height)) {
    ReleaseWatermark(&s->background);
    return nullptr;
  }
  s->reloads = 0;
  s->selected = -1;
  s->reloadPending = s->closePending = s->wakePosted = false;
  LoadScreenItems(s);
  PollItemHeights(true);
  SetTimer(s->window, HeightPollTimer, HeightPollPeriodMs, nullptr);
  return s->window;
}

int HostReloadCount() { return g_screen.reloads; }
int HostItemCount() { return g_screen.items.count; }
HWND HostItemWindow(int index) { return ItemWindow(g_screen.items, index); }
const TODAYLISTITEM* HostItemRecord(int index) { return ItemRecord(g_screen.items, index); }
int HostSelection() { return g_screen.selected; }

bool PollItemHeights(bool force) { return RefreshColumn(&g_screen.column, &g_screen.items, force); }

void HostNavigate(UINT vk) {
  NavigateSelection(&g_screen.selected, g_screen.items, &g_screen.column, vk);
}

void TickHostItems(int count) { TickItems(g_screen.items, count); }

void DispatchTopLevel(const MSG& msg) {
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  RunPendingHostWork();
}

void RunPendingHostWork() {
  TodayScreen* s = &g_screen;
  if (!s->window) return;
  if (s->closePending) {
    s->closePending = false;
    DestroyWindow(s->window);
  } else if (s->reloadPending) {
    ReloadItems(s);
  }
}
