// The Today shell stand-in: item loading, layout, selection and the host
// window procedure.
#include "host/todayhost/today_host.h"

#include <climits>

#include "common/registry_names.h"
#include "host/todayhost/host_layout.h"
#include "host/todayhost/host_log.h"
#include "host/todayhost/image_file.h"
#include "host/todayhost/item_entries.h"
#include "host/todayhost/own_items.h"
#include "host/todayhost/screen_turn.h"
#include "host/todayhost/scroll_view.h"
#include "host/todayhost/selection.h"
#include "host/todayhost/text_util.h"
#include "host/todayhost/watermark.h"

const wchar_t TodayHostClass[] = L"ToviraTodayHost";
const wchar_t TodayHostQueryName[] = L"ToviraTodayHostQuery";

namespace {

struct HostedItem {
  ItemEntry entry;
  OwnItemKind own;  // one of the shell's own items, or OwnNone for a library's
  wchar_t path[MAX_PATH];
  HMODULE module;
  TODAYLISTITEM record;
  HWND window;
  PFNCUSTOMOPTIONSDLGPROC optionsProc;
};

// Reloads and closing are carried out by the host's own top-level loop, never
// inside the broadcast (its sender may be one of the items) nor inside a
// nested loop (an item's menu, dialog or drag), where the item's code is still
// on the stack under the library they free. This message only wakes the loop.
constexpr UINT MsgWakeHost = WM_APP + 1;

HostedItem g_items[MaxItemEntries];
int g_itemCount;
HWND g_host;
HMENU g_itemsMenu;
int g_selected = -1;
int g_reloads;
bool g_wakePosted;
bool g_reloadPending;
bool g_closePending;
bool g_inOptions;
UINT g_queryMessage;
HostOptions g_options;
wchar_t g_deviceRoot[MAX_PATH];
PFNCUSTOMOPTIONSDLGPROC g_activeOptionsProc;
int g_scroll;      // rows of the column scrolled above the screen
int g_itemsWidth;  // the width the items were given last
SIZE g_screen;     // the screen the background was prepared for
HWND g_scrollBar;  // the screen's vertical bar, shown while the column is taller

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

// ---- Loading and unloading -------------------------------------------------

// The shell's own item: a window of the shell's, no library.
bool LoadOwnItem(const ItemEntry& entry, OwnItemKind kind, HostedItem* item) {
  item->own = kind;
  TODAYLISTITEM& r = item->record;
  CopyText(r.szName, MAX_ITEMNAME, entry.name);
  r.tlit = entry.type < tlitCustom ? static_cast<TODAYLISTITEMTYPE>(entry.type) : tlitNil;
  r.dwOrder = entry.order;
  r.fEnabled = TRUE;
  r.dwSelectability = entry.selectability;
  item->window = CreateOwnItem(kind, g_host);
  if (!item->window) {
    HostLog(L"todayhost: %ls: cannot make its window", entry.name);
    return false;
  }
  r.hwndCustom = item->window;
  SetWindowPos(item->window, nullptr, 0, 0, ClientWidth(), 0, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool LoadOneItem(const ItemEntry& entry, HostedItem* item) {
  *item = HostedItem{};
  item->entry = entry;
  if (OwnItemKind kind = OwnItemKindOf(entry.name, entry.type))
    return LoadOwnItem(entry, kind, item);
  if (!ResolveItemLibrary(entry.dll, g_deviceRoot, item->path, MAX_PATH)) {
    HostLog(L"todayhost: %ls: library path too long", entry.name);
    return false;
  }
  item->module = LoadLibraryW(item->path);
  if (!item->module) {
    HostLog(L"todayhost: %ls: cannot load %ls (error %lu)", entry.name, item->path, GetLastError());
    return false;
  }
  auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(reinterpret_cast<void*>(
      GetProcAddress(item->module, MAKEINTRESOURCEA(ORDINAL_INITIALIZEITEM))));
  item->optionsProc = reinterpret_cast<PFNCUSTOMOPTIONSDLGPROC>(reinterpret_cast<void*>(
      GetProcAddress(item->module, MAKEINTRESOURCEA(ORDINAL_OPTIONSDIALOGPROC))));
  TODAYLISTITEM& r = item->record;
  CopyText(r.szName, MAX_ITEMNAME, entry.name);
  r.tlit = tlitCustom;
  r.dwOrder = entry.order;
  r.cyp = 0;
  r.fEnabled = TRUE;
  r.fOptions = entry.options != 0;
  r.grfFlags = entry.flags;
  CopyText(r.szDLLPath, MAX_PATH, item->path);
  r.hinstDLL = item->module;
  r.dwSelectability = entry.selectability;
  if (init) item->window = init(&r, g_host);
  if (!item->window) {
    HostLog(L"todayhost: %ls: %ls", entry.name,
            init ? L"InitializeCustomItem made no window" : L"no export with ordinal 240");
    FreeLibrary(item->module);
    item->module = nullptr;
    return false;
  }
  r.hwndCustom = item->window;
  // Until the item tells its height it is a zero-high strip as wide as the screen.
  SetWindowPos(item->window, nullptr, 0, 0, ClientWidth(), 0, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void LoadItems() {
  ItemEntry entries[MaxItemEntries];
  int n = ReadLoadableEntries(HKEY_LOCAL_MACHINE, g_options.itemsKey, entries, MaxItemEntries);
  g_itemCount = 0;
  for (int i = 0; i < n; ++i)
    if (LoadOneItem(entries[i], &g_items[g_itemCount])) {
      if (!g_items[g_itemCount].own)
        HostLog(L"todayhost: loaded %ls from %ls", entries[i].name, g_items[g_itemCount].path);
      ++g_itemCount;
    }
  g_itemsWidth = ClientWidth();  // each was made this wide
}

void UnloadItems() {
  g_selected = -1;
  for (int i = 0; i < g_itemCount; ++i) {
    HostedItem& item = g_items[i];
    // A library's item hears that it goes, so it can drop what it cached.
    if (!item.own && item.window && IsWindow(item.window))
      SendMessageW(item.window, WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&item.record),
                   0);
    if (item.window && IsWindow(item.window)) DestroyWindow(item.window);
    if (item.module) FreeLibrary(item.module);
    item = HostedItem{};
  }
  g_itemCount = 0;
}

void ReloadItems() {
  g_reloadPending = false;
  UnloadItems();
  LoadItems();
  ++g_reloads;
  HostLog(L"todayhost: reload %d: %d item(s)", g_reloads, g_itemCount);
  PollItemHeights(true);
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

// ---- Layout -----------------------------------------------------------------

void ItemHeights(DWORD* heights) {
  for (int i = 0; i < g_itemCount; ++i) heights[i] = g_items[i].record.cyp;
}

// Stacks the items, scrolled, at the width the scroll bar leaves them. The
// bar is a control along the screen's right edge, beside the items.
void LayOutItems() {
  DWORD heights[MaxItemEntries];
  ItemHeights(heights);
  ColumnLayout column;
  LayOutColumn(heights, g_itemCount, ClientHeight(), g_scroll, &column);
  g_scroll = column.offset;
  int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  int width = ClientWidth() - (column.scrolls && g_scrollBar ? barWidth : 0);
  if (g_scrollBar) {
    if (column.scrolls) {
      SCROLLINFO bar = {sizeof(bar), SIF_RANGE | SIF_PAGE | SIF_POS, 0, column.total - 1, 0, 0, 0};
      bar.nPage = static_cast<UINT>(ClientHeight());
      bar.nPos = column.offset;
      SetScrollInfo(g_scrollBar, SB_CTL, &bar, TRUE);
      SetWindowPos(g_scrollBar, HWND_TOP, width, 0, barWidth, ClientHeight(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
      ShowWindow(g_scrollBar, SW_HIDE);
    }
  }
  for (int i = 0; i < g_itemCount; ++i) {
    int h = heights[i] > static_cast<DWORD>(MaxItemHeight) ? MaxItemHeight
                                                           : static_cast<int>(heights[i]);
    SetWindowPos(g_items[i].window, nullptr, 0, column.tops[i], width, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  g_itemsWidth = width;
  // Every item's background is the screen's at its place, which moved or
  // was stretched anew: all of them repaint, not only what a move exposed.
  RedrawWindow(g_host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Asks every item its height (the shell's own items are measured here);
// true when one changed.
bool AskItemHeights() {
  bool changed = false;
  int ownHeight = OwnItemHeight(ScreenDensity());
  for (int i = 0; i < g_itemCount; ++i) {
    HostedItem& item = g_items[i];
    if (item.own) {
      RefreshOwnItem(item.window);
      if (item.record.cyp != static_cast<DWORD>(ownHeight)) {
        item.record.cyp = static_cast<DWORD>(ownHeight);
        changed = true;
      }
    } else if (SendMessageW(item.window, WM_TODAYCUSTOM_QUERYREFRESHCACHE,
                            reinterpret_cast<WPARAM>(&item.record), 0)) {
      changed = true;
    }
  }
  return changed;
}

// Lays the items out until their width holds still: when the scroll bar
// comes or goes, the items get another width and are asked again at once.
void SettleLayout() {
  for (int round = 0; round < 3; ++round) {
    int before = g_itemsWidth;
    LayOutItems();
    if (g_itemsWidth == before || !AskItemHeights()) return;
  }
}

void ScrollTo(int offset) {
  if (offset == g_scroll) return;
  g_scroll = offset;
  LayOutItems();
}

// Scrolls the selected item into view.
void ShowSelection() {
  if (g_selected < 0 || g_selected >= g_itemCount) return;
  DWORD heights[MaxItemEntries];
  ItemHeights(heights);
  ColumnLayout column;
  LayOutColumn(heights, g_itemCount, ClientHeight(), g_scroll, &column);
  int top = column.tops[g_selected] + column.offset;
  int h = static_cast<int>(heights[g_selected] > static_cast<DWORD>(MaxItemHeight)
                               ? MaxItemHeight
                               : heights[g_selected]);
  ScrollTo(OffsetShowing(column.offset, top, h, ClientHeight(), column.maxOffset));
}

// ---- Selection ----------------------------------------------------------------

DWORD SelectabilityOf(int index) {
  return index >= 0 && index < g_itemCount ? g_items[index].entry.selectability : 0;
}

// The item repaints its background, highlighted or not, whatever its
// Selectability.
void Repaint(int index) {
  if (index >= 0 && index < g_itemCount) InvalidateRect(g_items[index].window, nullptr, TRUE);
}

void Deselect() {
  int old = g_selected;
  if (old < 0) return;
  g_selected = -1;
  if (SelectabilityOf(old) == SelectableWithMessages)
    SendMessageW(g_items[old].window, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
  Repaint(old);
}

bool OfferSelection(int index, void* key) {
  return SendMessageW(g_items[index].window, WM_TODAYCUSTOM_RECEIVEDSELECTION,
                      *static_cast<UINT*>(key), 0) != 0;
}

void MoveSelection(int direction, UINT vk) {
  DWORD selectability[MaxItemEntries];
  for (int i = 0; i < g_itemCount; ++i) selectability[i] = g_items[i].entry.selectability;
  int from = g_selected;
  Deselect();
  g_selected = PassSelection(from, direction, selectability, g_itemCount, OfferSelection, &vk);
  Repaint(g_selected);
  if (g_selected >= 0) {
    ShowSelection();
  } else {
    // Past the last selectable item the rest of the column comes into view.
    ScrollTo(direction > 0 ? INT_MAX / 2 : 0);
  }
}

// The action key: an item the shell selects itself gets a tap at (1, 1).
void ActOnSelection() {
  if (g_selected < 0) return;
  HWND window = g_items[g_selected].window;
  if (SelectabilityOf(g_selected) == SelectableWithMessages) {
    SendMessageW(window, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
  } else {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  }
}

// An item asks for the selection (after a tap, say): it has it, and is not
// told of it again.
LRESULT OnTookSelection(WPARAM wParam) {
  auto window = reinterpret_cast<HWND>(wParam);
  for (int i = 0; i < g_itemCount; ++i) {
    if (g_items[i].window != window || SelectabilityOf(i) == 0) continue;
    if (i != g_selected) {
      Deselect();
      g_selected = i;
      Repaint(i);
    }
    ShowSelection();
    return TRUE;
  }
  return FALSE;
}

// ---- Options dialog -------------------------------------------------------------

// The item's procedure answers BOOL; the dialog manager reads a pointer-sized
// result, so the answer is widened here rather than by a cast of the pointer.
INT_PTR CALLBACK OptionsDialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return g_activeOptionsProc ? g_activeOptionsProc(dialog, message, wParam, lParam) : FALSE;
}

// ---- Window procedure -------------------------------------------------------------

LRESULT OnDrawWatermark(LPARAM lParam) {
  auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
  if (!info || !info->hdc) return FALSE;
  // The item the shell selects itself gets its background highlighted.
  if (g_selected >= 0 && info->hwnd == g_items[g_selected].window &&
      SelectabilityOf(g_selected) == SelectableByShell) {
    COLORREF old = SetBkColor(info->hdc, TodayColor(TODAYCOLOR_HIGHLIGHT));
    ExtTextOutW(info->hdc, 0, 0, ETO_OPAQUE, &info->rc, nullptr, 0, nullptr);
    SetBkColor(info->hdc, old);
    return TRUE;
  }
  POINT origin = {0, 0};
  if (info->hwnd && IsWindow(info->hwnd)) MapWindowPoints(info->hwnd, g_host, &origin, 1);
  PaintWatermark(info->hdc, info->rc, origin.x, origin.y);
  return TRUE;
}

void OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc) PaintWatermark(dc, ps.rcPaint, 0, 0);
  EndPaint(hwnd, &ps);
}

void OnInitItemsMenu(HMENU menu) {
  if (menu != g_itemsMenu) return;
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  for (int i = 0; i < g_itemCount; ++i) {
    wchar_t label[MAX_ITEMNAME + 32];
    CopyText(label, MAX_ITEMNAME + 32, g_items[i].entry.name);
    AppendText(label, MAX_ITEMNAME + 32, L" options...");
    bool has = g_items[i].entry.options != 0 && g_items[i].optionsProc;
    AppendMenuW(menu, MF_STRING | (has ? 0 : MF_GRAYED), CmdItemOptions + i, label);
  }
  if (g_itemCount > 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, CmdReload, L"Reload items");
  AppendMenuW(menu, MF_STRING, CmdExit, L"Exit");
}

void OnCommand(WORD command) {
  if (command == CmdExit) {
    RequestClose();
  } else if (command == CmdReload) {
    RequestReload();
  } else if (command >= CmdItemOptions && command < CmdItemOptions + MaxItemEntries) {
    ShowItemOptions(command - CmdItemOptions);
  }
}

LRESULT OnQuery(WPARAM what) {
  switch (what) {
    case QueryReloadCount:
      return g_reloads;
    case QueryItemCount:
      return g_itemCount;
    case QuerySelection:
      return g_selected;
    case QueryItemsHeight: {
      DWORD heights[MaxItemEntries];
      int tops[MaxItemEntries];
      ItemHeights(heights);
      return StackItems(heights, g_itemCount, tops);
    }
    default:
      return -1;
  }
}

void OnDestroy(HWND hwnd) {
  KillTimer(hwnd, HeightPollTimer);
  if (g_itemsMenu && !GetMenu(hwnd)) DestroyMenu(g_itemsMenu);  // else it goes with the bar
  g_itemsMenu = nullptr;
  UnloadItems();
  ReleaseWatermark();
  g_scrollBar = nullptr;  // went with its parent
  g_host = nullptr;
  PostQuitMessage(0);
}

// The screen took another size (it turned): the background follows, the
// items are laid out at the new width and asked their heights at once. The
// scroll bar coming or going is no new screen.
void OnSize() {
  if (!g_host) return;
  SIZE screen = {ClientWidth(), ClientHeight()};
  if (screen.cx <= 0 || screen.cy <= 0) return;
  if (screen.cx == g_screen.cx && screen.cy == g_screen.cy) return;
  g_screen = screen;
  PrepareWatermark(screen.cx, screen.cy, g_options.watermark);
  LayOutItems();
  AskItemHeights();
  SettleLayout();
  ShowSelection();
  HostLog(L"todayhost: screen %ldx%ld", screen.cx, screen.cy);
}

void OnScrollBar(WPARAM wParam) {
  SCROLLINFO bar = {sizeof(bar), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(g_scrollBar, SB_CTL, &bar);
  int maxOffset = bar.nMax - static_cast<int>(bar.nPage) + 1;
  ScrollTo(OffsetAfterBar(LOWORD(wParam), bar.nTrackPos, g_scroll, 16 * ScreenDensity() / 96,
                          ClientHeight(), maxOffset));
  // The keys stay with the screen after the stylus let go of the bar.
  if (LOWORD(wParam) == SB_ENDSCROLL && GetFocus() == g_scrollBar) SetFocus(g_host);
}

// The items menu hangs in the window's menu bar, or, full screen, opens on a
// right click on the background.
HMENU CreateHostMenu(bool withBar) {
  g_itemsMenu = CreatePopupMenu();
  if (!withBar || !g_itemsMenu) return nullptr;
  HMENU bar = CreateMenu();
  if (bar)
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(g_itemsMenu), L"Items");
  return bar;
}

void OnContextMenu(HWND hwnd, LPARAM lParam) {
  if (!g_itemsMenu) return;
  POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) {  // from the keyboard: the window's corner
    at = {0, 0};
    ClientToScreen(hwnd, &at);
  }
  TrackPopupMenuEx(g_itemsMenu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, hwnd, nullptr);
}

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == g_queryMessage && g_queryMessage != 0) return OnQuery(wParam);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      PaintWatermark(reinterpret_cast<HDC>(wParam), rc, 0, 0);
      return 1;
    }
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
      HostNavigate(static_cast<UINT>(wParam));
      return 0;
    case WM_INITMENUPOPUP:
      OnInitItemsMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      RequestClose();
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(hwnd, lParam);
      return 0;
    case WM_SETTINGCHANGE:  // the same message as WM_WININICHANGE
      if (wParam == ReloadBroadcastParam) RequestReload();
      if (IsScreenTurnNotice(message, wParam)) FitToScreen(hwnd, g_options.fullscreen);
      return 0;
    case WM_DISPLAYCHANGE:
      FitToScreen(hwnd, g_options.fullscreen);
      return 0;
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_VSCROLL:
      OnScrollBar(wParam);
      return 0;
    case TODAYM_TOOKSELECTION:
      return OnTookSelection(wParam);
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

}  // namespace

// ---- Public entries -------------------------------------------------------------

HWND CreateTodayHost(const HostOptions& options) {
  g_options = options;
  if (!GetCurrentDirectoryW(MAX_PATH, g_deviceRoot)) g_deviceRoot[0] = 0;
  g_queryMessage = RegisterWindowMessageW(TodayHostQueryName);

  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc = {};
  if (!GetClassInfoW(instance, TodayHostClass, &wc)) {
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = TodayHostClass;
    if (!RegisterClassW(&wc)) return nullptr;
  }
  int width = options.width, height = options.height;
  if (width <= 0 || height <= 0) DeviceScreenSize(ScreenDensity(), &width, &height);
  if (!PrepareWatermark(width, height, options.watermark)) return nullptr;
  g_screen = {width, height};
  g_scroll = 0;

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
  g_scrollBar = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, 0, 0, 0, 0, g_host,
                                nullptr, instance, nullptr);
  // A menu bar that wraps takes more rows than AdjustWindowRect allowed for.
  RECT client;
  GetClientRect(g_host, &client);
  if (client.bottom != height || client.right != width)
    SetWindowPos(g_host, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                 frame.bottom - frame.top + height - client.bottom, SWP_NOZORDER | SWP_NOMOVE);
  ShowWindow(g_host, SW_SHOWNORMAL);
  UpdateWindow(g_host);
  g_reloads = 0;
  g_selected = -1;
  g_reloadPending = g_closePending = g_wakePosted = false;
  LoadItems();
  PollItemHeights(true);
  SetTimer(g_host, HeightPollTimer, HeightPollPeriodMs, nullptr);
  return g_host;
}

int HostItemCount() { return g_itemCount; }
HWND HostItemWindow(int i) { return i >= 0 && i < g_itemCount ? g_items[i].window : nullptr; }
const TODAYLISTITEM* HostItemRecord(int i) {
  return i >= 0 && i < g_itemCount ? &g_items[i].record : nullptr;
}
int HostSelection() { return g_selected; }
int HostReloadCount() { return g_reloads; }

bool PollItemHeights(bool force) {
  bool changed = AskItemHeights() || force;
  if (changed && g_host) SettleLayout();
  return changed;
}

void TickItems(int count) {
  for (int t = 0; t < count; ++t)
    for (int i = 0; i < g_itemCount; ++i) SendMessageW(g_items[i].window, WM_TIMER, 1, 0);
}

void HostNavigate(UINT vk) {
  if (vk == VK_RETURN) {
    ActOnSelection();
    return;
  }
  if (vk != VK_UP && vk != VK_DOWN && vk != VK_LEFT && vk != VK_RIGHT) return;
  // An item told of its selection has the first word on every arrow key;
  // only an up or down it leaves unhandled moves the selection on.
  if (SelectabilityOf(g_selected) == SelectableWithMessages &&
      !NavigationLeavesItem(
          vk, SendMessageW(g_items[g_selected].window, WM_TODAYCUSTOM_USERNAVIGATION, vk, 0) != 0))
    return;
  if (int direction = SelectionDirection(vk)) MoveSelection(direction, vk);
}

void ShowItemOptions(int index) {
  if (index < 0 || index >= g_itemCount || g_inOptions) return;
  HostedItem& item = g_items[index];
  if (!item.entry.options || !item.optionsProc) return;
  g_inOptions = true;
  g_activeOptionsProc = item.optionsProc;
  INT_PTR result = DialogBoxParamW(item.module, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), g_host,
                                   OptionsDialogThunk, reinterpret_cast<LPARAM>(&item.record));
  g_activeOptionsProc = nullptr;
  g_inOptions = false;
  HostLog(L"todayhost: %ls options closed (%ld)", item.entry.name, static_cast<long>(result));
}

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

bool CaptureHostPng(HWND host, const wchar_t* path) {
  RedrawWindow(host, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT rc;
  GetClientRect(host, &rc);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return false;
  // A cache DC without DCX_CLIPCHILDREN sees the items' pixels too.
  HDC windowDc = GetDCEx(host, nullptr, DCX_CACHE);
  if (!windowDc) return false;
  HDC memory = CreateCompatibleDC(windowDc);
  HBITMAP bitmap = CreateCompatibleBitmap(windowDc, w, h);
  bool ok = false;
  if (memory && bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, w, h, windowDc, 0, 0, SRCCOPY) != 0;
    SelectObject(memory, old);
  }
  ReleaseDC(host, windowDc);
  if (ok) ok = WriteBitmapPng(bitmap, path);
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  return ok;
}
