// The Today screen stand-in's own menu: each item's options, "Reload items"
// and "Exit". It hangs in the window's menu bar, or, full screen, opens on a
// right click on the background or on the keyboard's menu key. The menu is
// the screen's, handed in.
#pragma once
#include <windows.h>

#include "host/todayhost/hosted_items.h"

// Menu commands of the host window.
enum HostCommand : WORD {
  CmdExit = 1,
  CmdReload = 2,
  CmdItemOptions = 100,  // + item index
};

// The key that opens the menu from the keyboard: the application (menu) key,
// which the device's Today screen does not use.
constexpr UINT HostMenuKey = VK_APPS;

// Makes the menu into itemsMenu; with a bar, returns the menu bar that holds it.
HMENU CreateHostMenu(bool withBar, HMENU* itemsMenu);
// Destroys the menu unless it went with the window's bar.
void DestroyHostMenu(HMENU* itemsMenu, HWND screen);

// Fills the menu with the items loaded now, when it is the one opening.
void FillHostMenu(HMENU itemsMenu, HMENU opening, const HostedItems& items);

// Opens the menu at a screen point; at the screen's corner for a point of
// (-1, -1), as the keyboard's context-menu message carries.
void OpenHostMenu(HMENU itemsMenu, HWND screen, LPARAM at);
