// Where a page sits in the item window when it is painted or tapped: what
// every page starts from, kept in one record so tests can place a page freely.
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
// the loaded settings. Without a window the client rectangle is empty.
PageFrame FramePage(HWND itemWindow, int kind, int dx, int dy);

// The page's inner box (offsets, page height and margins applied), in 64 bits
// so that stored margins cannot overflow it.
struct PageEdges {
  long long left;
  long long top;
  long long right;
  long long bottom;
};
PageEdges PageEdgesOf(const PageFrame& frame);

// The same box brought into int range, saturating.
RECT PageInnerBox(const PageFrame& frame);
