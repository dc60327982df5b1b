// The off-screen canvas, kept across the frames of a drag.
#include "item/host/canvas.h"

namespace {

Canvas Kept = {};
bool Holding = false;

void Free(const Canvas& canvas) {
  if (canvas.Previous) SelectObject(canvas.Dc, canvas.Previous);
  if (canvas.Bitmap) DeleteObject(canvas.Bitmap);
  if (canvas.Dc) DeleteDC(canvas.Dc);
}

bool Make(HWND window, int width, int height, Canvas* canvas) {
  *canvas = Canvas{nullptr, nullptr, nullptr, width, height};
  if (HDC windowDc = GetDC(window)) {
    canvas->Dc = CreateCompatibleDC(windowDc);
    canvas->Bitmap =
        CreateCompatibleBitmap(windowDc, width > 0 ? width : 1, height > 0 ? height : 1);
    ReleaseDC(window, windowDc);
  }
  if (canvas->Dc && canvas->Bitmap) canvas->Previous = SelectObject(canvas->Dc, canvas->Bitmap);
  if (canvas->Previous) return true;
  Free(*canvas);
  *canvas = Canvas{};
  return false;
}

}  // namespace

bool TakeCanvas(HWND window, int width, int height, Canvas* canvas) {
  if (Kept.Dc && Kept.Width == width && Kept.Height == height) {
    // A new bitmap starts black: the last frame must not show through
    // where the background leaves the canvas as it was.
    PatBlt(Kept.Dc, 0, 0, width, height, BLACKNESS);
    *canvas = Kept;
    return true;
  }
  // One made for another size (the shell gave the item a new width) goes.
  Free(Kept);
  Kept = Canvas{};
  if (!Make(window, width, height, canvas)) return false;
  if (Holding) Kept = *canvas;
  return true;
}

void PutBackCanvas(const Canvas& canvas) {
  if (canvas.Dc && canvas.Dc == Kept.Dc) return;
  Free(canvas);
}

void HoldCanvas() { Holding = true; }

void ReleaseHeldCanvas() {
  Free(Kept);
  Kept = Canvas{};
  Holding = false;
}
