// Where a page sits in the item window when it is painted: what every page
// painter starts from, kept in one record so tests can place a page freely.
#pragma once
#include <windows.h>

struct PageFrame {
  RECT client;     // the item window's client rectangle
  int x;           // horizontal offset of the page
  int y;           // vertical offset of the page
  int pageHeight;  // the page's stored height
  int marginLeft;
  int marginTop;
  int marginRight;
  int marginBottom;
};

// The frame of the page of `kind` in the item window, offset by dx, dy, from
// the loaded settings. False when there is no window or no such page.
bool FramePage(HWND itemWindow, int kind, int dx, int dy, PageFrame* frame);
