// The items on the Today screen: stacked in a column by the heights they
// report, scrolled, at the width the scroll bar leaves them, and the bar
// along the screen's right edge that scrolls them. The screen is the window
// handed in; the items are the ones loaded now.
#pragma once
#include <windows.h>

// Makes the screen's scroll bar (hidden until the column is taller) and
// starts the column at the top with the items as wide as the screen.
bool CreateColumnBar(HWND screen);
// The bar went with its screen.
void ForgetColumnBar();

// The items were (re)made this wide.
void NoteItemsWidth(int width);

// Asks every item its height; lays the column out again when one changed
// (or when force is set) until the items' width holds still. True when the
// layout changed.
bool RefreshColumn(HWND screen, bool force);

// The screen took another size: the items are laid out at its whole width
// and asked their heights, as after a reload, and the view keeps the item
// that was at its top.
void FollowScreenSize(HWND screen);

// Scrolls so the item at index is in view; the user moved the view.
void ShowColumnItem(HWND screen, int index);
// Scrolls to the column's end (direction > 0) or its top; the user moved it.
void ScrollColumnToEnd(HWND screen, int direction);
// A request of the scroll bar (WM_VSCROLL's wParam).
void OnColumnBar(HWND screen, WPARAM request);

// Across a reload the view is held by the item at its top (by entry name)
// until a reload finds it again or the user moves the view.
void HoldViewForReload();
void RestoreHeldView(HWND screen);
