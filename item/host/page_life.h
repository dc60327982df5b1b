// The pages' life in the item window, by walks over the page table: made
// with the window, refreshed once a second, released when it goes.
#pragma once
#include <windows.h>

// Every page's per-window state back to empty.
void ResetPageStates(HWND itemWindow);

// The item window's creation, once the settings are loaded: the state images,
// then every page's state afresh, then every page's first readings.
void CreatePages(HWND itemWindow);

// The item window goes: what the pages and the drawing kit hold is freed, so
// the shell can re-create the item often without growth.
void ReleasePages();

// The once-a-second refresh; force recomputes every text and repaints. The
// item window is invalidated on a new minute or when a page reports a change.
void RefreshTick(int force);
