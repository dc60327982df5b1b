// The off-screen bitmap a paint draws into before its one copy to the screen.
// Made for each paint; while the item holds its canvas (a drag repaints the
// item at every pointer move) one of the window's size is kept for the next
// frame.
#pragma once
#include <windows.h>

struct Canvas {
  HDC Dc;
  HBITMAP Bitmap;
  HGDIOBJ Previous;  // the bitmap the memory DC was made with
  int Width;
  int Height;
};

// A canvas of that size, compatible with the window, as fresh as a new one:
// a kept canvas of another size is never taken. False if none can be made.
bool TakeCanvas(HWND window, int width, int height, Canvas* canvas);
// The paint is done with it: freed unless it is kept.
void PutBackCanvas(const Canvas& canvas);

// Canvases taken from now on are kept for the paints that follow.
void HoldCanvas();
// The kept canvas is freed; each paint makes its own again.
void ReleaseHeldCanvas();
