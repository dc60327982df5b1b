// Pure arithmetic of the Today screen's items: the height the host gives an
// item and the stack of items by the heights they report.
#pragma once
#include <windows.h>

// Tallest height the host gives one item; a wilder cyp is cut to this, so the
// running sum of tops cannot overflow.
constexpr int MaxItemHeight = 32767;

// The height an item that reported cyp is given.
int LimitedItemHeight(DWORD cyp);

// tops[i] = sum of the (limited) heights before item i. Returns the total.
int StackItems(const DWORD* heights, int count, int* tops);
