// The platform's own items of the Today screen, which the shell draws itself
// beside the custom ones: the date line, the unread messages and the tasks.
// Each has an entry of its name among the items (a type other than custom)
// with "Enabled", "Order" and "Selectability", and is a child window of the
// screen whose window text is the line it shows.
#pragma once
#include <windows.h>

#include <cstddef>

enum OwnItemKind : int { OwnNone = 0, OwnDate = 1, OwnMessages = 2, OwnTasks = 3 };

// The kind an entry of this name and type stands for; a custom entry (type
// 4) is never one of them, whatever its name.
OwnItemKind OwnItemKindOf(const wchar_t* name, DWORD type);

// The messages line for these unread counts.
void MessagesLine(DWORD sms, DWORD email, wchar_t* out, size_t cap);

// One row of text with its margins, at the screen's density.
int OwnItemHeight(int dpi);

extern const wchar_t OwnItemClass[];

// Creates the item's window inside the screen, zero high until laid out.
HWND CreateOwnItem(OwnItemKind kind, HWND screen);

// Reads the figures the item shows (the date, the unread counts) and sets
// its line; true when the line changed, and then the item is repainted.
bool RefreshOwnItem(HWND item);
