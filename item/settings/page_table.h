// The page table's pure steps: reset, sort by Order, count the paging pages.
#pragma once
#include "item/settings/item_settings.h"

// Kinds 1..6 in kind order, Order 0..5, visible, height 0.
void ResetPageTable(PageRecord* table);

// Ascending by Order with adjacent exchanges; equal Orders keep their sequence.
void SortPageTable(PageRecord* table);

// Visible records among positions fixedCount..5 (0 when fixedCount is 6).
int CountPagingPages(const PageRecord* table, int fixedCount);

// First position of that kind in the table, -1 if none.
int FindPageOfKindIn(const PageRecord* table, int kind);

// True when the page of that kind is in the table and visible.
bool PageVisible(int kind);

// A page's inner height with the top and bottom margins added, saturating.
int WithMargins(int height);

// The Height value the settings hold for that kind (-1 asks for the natural
// height); 0 outside 1..6.
int StoredHeightOfKind(int kind);
