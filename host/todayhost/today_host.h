// todayhost's window: the Today shell stand-in that loads the custom items of
// the registry beside its own (date line, messages, tasks), stacks their
// windows in a scrolled column, answers their requests (colour, watermark,
// selection), asks their heights every 2 s, moves the keyboard selection,
// follows a turn of the screen and reloads them on the WM_WININICHANGE 0xF2
// broadcast. The window owns the screen's record (today_screen) and routes;
// the items (hosted_items), the column (item_column), the selection
// (keyboard_selection), the menu (host_menu) and the background (watermark)
// each live in a room of their own and get their part of the record. The
// entries below are what embedders and tests use.
#pragma once
#include <windows.h>

#include "host/todayhost/host_menu.h"
#include "host/todayhost/host_options.h"
#include "host/todayhost/image_file.h"
#include "platform/today.h"

extern const wchar_t TodayHostClass[];  // window class of the host

// Registered message answered by the host window, for scripts and tests that
// watch it from outside: wParam selects what.
extern const wchar_t TodayHostQueryName[];
enum TodayHostQuery : WPARAM {
  QueryReloadCount = 0,  // reloads done since start
  QueryItemCount = 1,    // items loaded now
  QuerySelection = 2,    // selected item, -1 none
  QueryItemsHeight = 3,  // sum of the items' heights
};

constexpr UINT_PTR HeightPollTimer = 1;
constexpr UINT HeightPollPeriodMs = 2000;

// Creates and shows the host window with a client area of the options' size
// (or the device screen for the prefix's density), loads the items and asks
// their heights once. The working directory is the device root. Null on failure.
HWND CreateTodayHost(const HostOptions& options);

// Reloads done since the window was made.
int HostReloadCount();

// The items as they are loaded now; out of range gives null.
int HostItemCount();
HWND HostItemWindow(int index);
const TODAYLISTITEM* HostItemRecord(int index);

// The selected item, -1 none.
int HostSelection();

// The host's top-level loop dispatches through this: a reload or close asked
// for meanwhile, even inside a nested loop, is carried out here, once nothing
// of the items' code is on the stack. Nested loops dispatch as usual.
void DispatchTopLevel(const MSG& msg);
// What DispatchTopLevel does after the dispatch, for a top-level loop of an
// embedder's own.
void RunPendingHostWork();

// Asks every item for its height; re-lays them out when one changed (or when
// force is set). Returns true when the layout changed.
bool PollItemHeights(bool force);

// The keyboard: arrow keys move the selection or navigate inside the item.
void HostNavigate(UINT virtualKey);

// Sends each item count timer ticks (id 1), as its own timer would.
void TickHostItems(int count);
