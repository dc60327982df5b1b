// The Today screen's keyboard selection: which item has it, the messages
// that tell an item of it and of the keys, and the action key. The column
// scrolls the selected item into view on the screen handed in.
#pragma once
#include <windows.h>

// The selected item, -1 none.
int HostSelection();

// Nothing selected and nobody told: the items are going.
void DropSelection();

// The item at index has the selection again after a reload, when it takes
// it: one the shell selects itself always does, one told of it (with no
// key) when it answers so.
void SelectAgain(int index);

// The arrow keys move the selection or navigate inside the selected item;
// the action key acts on it.
void NavigateSelection(HWND screen, UINT virtualKey);

// An item asks for the selection (after a tap, say): it has it, and is not
// told of it again. False when the window is no selectable item.
bool TakeSelection(HWND screen, HWND item);

// Whether the shell paints the item's background highlighted: it is
// selected and selected by the shell itself.
bool IsHighlightedByShell(HWND item);

// Scrolls the selected item into view.
void ShowSelection(HWND screen);
