// Page heights and the height the item asks of the Today shell.
#pragma once

// Height of the page at that position, computed afresh: 0 when invisible or
// out of range, the stored Height unless it is -1, else the natural height.
int PageHeight(int position);

// The kind's height from its fonts, margins, image and icons.
int NaturalHeight(int kind);

// Stores each position's PageHeight in the PageTable, where painting and the
// hit test take it from.
void StorePageHeights();

// Fixed pages summed, plus the tallest paging page, at least 20 x dpiY / 96.
int ItemHeight();

// Pure parts, for any figures.
// heights[6] by position; sums saturate rather than wrap.
int ItemHeightOf(const int* heights, int fixedCount, int minimum);
// 7 rows of (line height - 2 scaled) plus the margins.
int CalendarNaturalHeight(int lineHeight, int scaledTwo, int marginTop, int marginBottom);
