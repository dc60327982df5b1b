// The platform's own items of the Today screen as windows, which the shell
// draws itself beside the custom ones: the date line, the unread messages
// and the tasks. Each has an entry of its name among the items (a type other
// than custom) with "Enabled", "Order" and "Selectability", and is a child
// window of the screen whose window text is the line it shows. Their window
// class, the figures they read and their taps live here; what they show is
// own_item_lines.
#pragma once
#include <windows.h>

#include "host/todayhost/own_item_lines.h"

extern const wchar_t OwnItemClass[];

// Creates the item's window inside the screen, zero high until laid out.
HWND CreateOwnItem(OwnItemKind kind, HWND screen);

// Reads the figures the item shows (the date, the unread counts) and sets
// its line; true when the line changed, and then the item is repainted.
bool RefreshOwnItem(HWND item);
