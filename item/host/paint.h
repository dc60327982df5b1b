// The paint pass: background, then each shown page at its offsets.
#pragma once
#include <windows.h>

// The whole item into dc (the off-screen bitmap), for the client rectangle.
void PaintItem(HWND window, HDC dc, const RECT& client);
// The Today background or, while selected, the highlight fill.
void PaintBackground(HWND window, HDC dc, const RECT& client);
// Asks the Today shell to draw its background (the watermark) into rect of dc.
void RequestWatermark(HWND window, HDC dc, const RECT& rect);
// Every shown page: the fixed ones stacked, then the paging slot.
void PaintPages(HWND window, HDC dc);
// The painter of the record at that position; nothing outside 0..5.
void PaintPageAt(HWND window, HDC dc, int position, int dx, int dy);
// Offsets of the pages in the paging slot while a drag slides it.
struct SlideOffsets {
  int CurrentDx;
  int NeighbourDx;
  bool NeighbourIsNext;
};
SlideOffsets SlideFor(int dx, int width);
// While a drag slides the paging slot every pointer move repaints the item:
// its frames keep their fonts and their off-screen bitmap from one to the
// next, until the drag ends or the window goes.
void HoldDragFrames();
void ReleaseDragFrames();
// WM_PAINT: paints off-screen and copies it to the window in one go.
void OnPaint(HWND window);
