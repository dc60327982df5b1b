// Page heights and the height the item asks of the Today shell.
#pragma once

// The item window's settings: read from the registry, then each page's
// height stored in the page table. ItemWindow must already be set: a natural
// height measures the window.
void LoadItemSettings();

// Each position's PageHeight into the page table, where the paint pass and
// the hit test place the pages by it.
void StorePageHeights();

// Height of the page at that position, computed afresh: 0 when invisible or
// out of range, the stored Height unless it is -1, else the natural height.
int PageHeight(int position);

// The kind's height from its fonts, margins, image and icons, measured on the
// item window's device context.
int NaturalHeight(int kind);

// Fixed pages summed, plus the tallest paging page, at least 20 x dpiY / 96.
int ItemHeight();

// Pure part, for any figures: heights[6] by position; sums saturate rather than wrap.
int ItemHeightOf(const int* heights, int fixedCount, int minimum);
