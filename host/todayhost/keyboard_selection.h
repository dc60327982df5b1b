// The Today screen's keyboard selection: which item has it (the screen's
// selected index, -1 none, handed in), the messages that tell an item of it
// and of the keys, and the action key. The column scrolls the selected item
// into view.
#pragma once
#include <windows.h>

#include "host/todayhost/hosted_items.h"
#include "host/todayhost/item_column.h"

// The item at index has the selection again after a reload, when it takes
// it: one the shell selects itself always does, one told of it (with no
// key) when it answers so.
void SelectAgain(int* selected, const HostedItems& items, int index);

// The arrow keys move the selection or navigate inside the selected item;
// the action key acts on it.
void NavigateSelection(int* selected, const HostedItems& items, ColumnView* column,
                       UINT virtualKey);

// An item asks for the selection (after a tap, say): it has it, and is not
// told of it again. False when the window is no selectable item.
bool TakeSelection(int* selected, const HostedItems& items, ColumnView* column, HWND item);

// Whether the shell paints the item's background highlighted: it is
// selected and selected by the shell itself.
bool IsHighlightedByShell(int selected, const HostedItems& items, HWND item);

// Scrolls the selected item into view.
void ShowSelection(int selected, const HostedItems& items, ColumnView* column);
