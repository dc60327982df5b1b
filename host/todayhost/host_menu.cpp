// The Today screen stand-in's own menu.
#include "host/todayhost/host_menu.h"

#include "host/todayhost/text_util.h"

HMENU CreateHostMenu(bool withBar, HMENU* itemsMenu) {
  *itemsMenu = CreatePopupMenu();
  if (!withBar || !*itemsMenu) return nullptr;
  HMENU bar = CreateMenu();
  if (bar) AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(*itemsMenu), L"Items");
  return bar;
}

void DestroyHostMenu(HMENU* itemsMenu, HWND screen) {
  if (*itemsMenu && !GetMenu(screen)) DestroyMenu(*itemsMenu);  // else it goes with the bar
  *itemsMenu = nullptr;
}

void FillHostMenu(HMENU itemsMenu, HMENU menu, const HostedItems& items) {
  if (!menu || menu != itemsMenu) return;
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  for (int i = 0; i < items.count; ++i) {
    wchar_t label[MAX_ITEMNAME + 32];
    CopyText(label, MAX_ITEMNAME + 32, ItemName(items, i));
    AppendText(label, MAX_ITEMNAME + 32, L" options...");
    AppendMenuW(menu, MF_STRING | (HasItemOptions(items, i) ? 0 : MF_GRAYED), CmdItemOptions + i,
                label);
  }
  if (items.count > 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, CmdReload, L"Reload items");
  AppendMenuW(menu, MF_STRING, CmdExit, L"Exit");
}

void OpenHostMenu(HMENU itemsMenu, HWND screen, LPARAM lParam) {
  if (!itemsMenu) return;
  POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) {  // from the keyboard: the window's corner
    at = {0, 0};
    ClientToScreen(screen, &at);
  }
  TrackPopupMenuEx(itemsMenu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, screen, nullptr);
}
