// Pure arithmetic of the Today screen: stacking the items by the heights they
// report, moving the keyboard selection, the shell's colours and the
// watermark gradient.
#pragma once
#include <windows.h>

// Tallest height the host gives one item; a wilder cyp is cut to this, so the
// running sum of tops cannot overflow.
constexpr int MaxItemHeight = 32767;

// tops[i] = sum of the (clamped) heights before item i. Returns the total.
int StackItems(const DWORD* heights, int count, int* tops);

// The selection after a step of delta (+1 down/right, -1 up/left) from
// current (-1 = nothing selected) over the items marked selectable: stepping
// past either end leaves nothing selected; from nothing, down picks the first
// selectable item and up the last.
int StepSelection(int current, int delta, const bool* selectable, int count);

// Colour the shell answers to TODAYM_GETCOLOR for a TODAYCOLOR_* id.
COLORREF TodayColor(DWORD id);

// Watermark gradient colour of row y of a screen hostHeight rows tall.
COLORREF WatermarkColorAt(int y, int hostHeight);
