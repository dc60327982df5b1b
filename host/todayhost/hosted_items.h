// The Today screen's contract with its items: the table of items loaded from
// the entries under an items key (a library's through ordinal 240, the
// shell's own as windows of its own), their unloading with
// WM_TODAYCUSTOM_CLEARCACHE, the height queries, the options dialog (ordinal
// 241) and the timer ticks. The screen is only the window and width handed in.
#pragma once
#include <windows.h>

#include "host/todayhost/item_entries.h"
#include "platform/today.h"

// Loads the entries the shell loads from HKLM\itemsKey as children of
// screen, each a zero-high strip width wide; a library's path lies under
// deviceRoot. Returns how many loaded.
int LoadItems(HWND screen, int width, const wchar_t* itemsKey, const wchar_t* deviceRoot);

// Tells each library's item it goes, destroys every item and frees the
// libraries.
void UnloadItems();

// Items, as they are loaded now; out of range gives null, 0 or -1.
int HostItemCount();
HWND HostItemWindow(int index);
const TODAYLISTITEM* HostItemRecord(int index);
const wchar_t* HostItemName(int index);
DWORD SelectabilityOf(int index);
bool HasItemOptions(int index);
int FindItemWindow(HWND window);
int FindItemNamed(const wchar_t* name);

// Each item's height as it last reported it (count HostItemCount()).
void ItemHeights(DWORD* heights);

// Asks every item its height (the shell's own are measured at the density);
// true when one changed.
bool AskItemHeights(int dpi);

// Runs item index's options dialog (template 500 with ordinal 241) owned by
// owner; one at a time.
void ShowItemOptions(int index, HWND owner);

// Sends each item count timer ticks (id 1), as its own timer would.
void TickItems(int count);
