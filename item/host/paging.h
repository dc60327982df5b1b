// Which page the paging slot shows next, and the pointer decisions that
// depend only on numbers: swipe distance and which taps start a target.
#pragma once
#include "item/settings/item_settings.h"

// Position of the page the paging slot shows, in the library's static storage.
extern int CurrentPage;

// On the loaded page table.
int FirstPagingPage();  // what the slot shows when the item window is made
int NextPagingPage(int position);
int PrevPagingPage(int position);
bool IsSwipe(int dx);             // against the item window's width
bool TapAllowed(bool doubleTap);  // by TapType

// Pure forms.
int FirstPagingPageIn(const PageRecord* table, int fixedCount, int pagingCount);
int NextPagingPageIn(const PageRecord* table, int fixedCount, int pagingCount, int position);
int PrevPagingPageIn(const PageRecord* table, int fixedCount, int pagingCount, int position);
bool IsSwipeFor(int dx, int width);
bool TapAllowedFor(int tapType, bool doubleTap);
