// The Today screen's contract with its items: the table of items loaded from
// the entries under an items key (a library's through ordinal 240, the
// shell's own as windows of its own), their unloading with
// WM_TODAYCUSTOM_CLEARCACHE, the height queries, the options dialog (ordinal
// 241) and the timer ticks. The table is the screen's, handed in; the screen
// window is only the parent and width the items are made with.
#pragma once
#include <windows.h>

#include "host/todayhost/item_order.h"
#include "host/todayhost/own_item_lines.h"
#include "platform/today.h"

struct HostedItem {
  ItemEntry entry;
  OwnItemKind own;  // one of the shell's own items, or OwnNone for a library's
  wchar_t path[MAX_PATH];
  HMODULE module;
  TODAYLISTITEM record;
  HWND window;
  PFNCUSTOMOPTIONSDLGPROC optionsProc;
};

// The items loaded now, in the screen's order.
struct HostedItems {
  HostedItem items[MaxItemEntries];
  int count;
};

// Loads the entries the shell loads from HKLM\itemsKey as children of
// screen, each a zero-high strip width wide; a library's path lies under
// deviceRoot. Returns how many loaded.
int LoadItems(HostedItems* items, HWND screen, int width, const wchar_t* itemsKey,
              const wchar_t* deviceRoot);

// Tells each library's item it goes, destroys every item and frees the
// libraries.
void UnloadItems(HostedItems* items);

// One item, as loaded now; out of range gives null, 0 or -1.
HWND ItemWindow(const HostedItems& items, int index);
const TODAYLISTITEM* ItemRecord(const HostedItems& items, int index);
const wchar_t* ItemName(const HostedItems& items, int index);
DWORD SelectabilityOf(const HostedItems& items, int index);
bool HasItemOptions(const HostedItems& items, int index);
int FindItemWindow(const HostedItems& items, HWND window);
int FindItemNamed(const HostedItems& items, const wchar_t* name);

// Each item's height as it last reported it (count items.count).
void ItemHeights(const HostedItems& items, DWORD* heights);

// Asks every item its height (the shell's own are measured at the density);
// true when one changed.
bool AskItemHeights(HostedItems* items, int dpi);

// Runs item index's options dialog (template 500 with ordinal 241) owned by
// the screen window owner; one at a time.
void ShowItemOptions(HostedItems* items, int index, HWND owner);

// Sends each item count timer ticks (id 1), as its own timer would.
void TickItems(const HostedItems& items, int count);
