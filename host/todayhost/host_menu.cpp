// The Today screen stand-in's own menu.
#include "host/todayhost/host_menu.h"

#include "host/todayhost/hosted_items.h"
#include "host/todayhost/text_util.h"

namespace {

HMENU g_itemsMenu;

}  // namespace

HMENU CreateHostMenu(bool withBar) {
  g_itemsMenu = CreatePopupMenu();
  if (!withBar || !g_itemsMenu) return nullptr;
  HMENU bar = CreateMenu();
  if (bar)
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(g_itemsMenu), L"Items");
  return bar;
}

void DestroyHostMenu(HWND screen) {
  if (g_itemsMenu && !GetMenu(screen)) DestroyMenu(g_itemsMenu);  // else it goes with the bar
  g_itemsMenu = nullptr;
}

void FillHostMenu(HMENU menu) {
  if (!menu || menu != g_itemsMenu) return;
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  for (int i = 0; i < HostItemCount(); ++i) {
    wchar_t label[MAX_ITEMNAME + 32];
    CopyText(label, MAX_ITEMNAME + 32, HostItemName(i));
    AppendText(label, MAX_ITEMNAME + 32, L" options...");
    AppendMenuW(menu, MF_STRING | (HasItemOptions(i) ? 0 : MF_GRAYED), CmdItemOptions + i, label);
  }
  if (HostItemCount() > 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, CmdReload, L"Reload items");
  AppendMenuW(menu, MF_STRING, CmdExit, L"Exit");
}

void OpenHostMenu(HWND screen, LPARAM lParam) {
  if (!g_itemsMenu) return;
  POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) {  // from the keyboard: the window's corner
    at = {0, 0};
    ClientToScreen(screen, &at);
  }
  TrackPopupMenuEx(g_itemsMenu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, screen, nullptr);
}
