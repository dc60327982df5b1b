// The Today screen's state in one record, owned by the screen's window
// (today_host) and handed to the rooms that read or change their part of it.
#pragma once
#include <windows.h>

#include "host/todayhost/host_options.h"
#include "host/todayhost/hosted_items.h"
#include "host/todayhost/item_column.h"
#include "host/todayhost/watermark.h"

struct TodayScreen {
  HWND window;  // null before it is made and after it went
  HostOptions options;
  wchar_t deviceRoot[MAX_PATH];
  HostedItems items;      // hosted_items
  int selected = -1;      // keyboard_selection: the selected item, -1 none
  ColumnView column;      // item_column
  Background background;  // watermark
  SIZE backgroundSize;    // the screen the background was prepared for
  HMENU itemsMenu;        // host_menu
  int reloads;            // reloads done since the window was made
  UINT queryMessage;      // TodayHostQueryName's message
  bool wakePosted;        // the top-level loop's wake is in the queue
  bool reloadPending;     // asked for; the top-level loop carries them out
  bool closePending;
};
