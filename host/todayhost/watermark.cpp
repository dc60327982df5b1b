// The Today screen's background bitmap.
#include "host/todayhost/watermark.h"

#include "host/todayhost/host_layout.h"
#include "host/todayhost/image_file.h"

static HDC g_backgroundDc;
static HBITMAP g_background;
static HGDIOBJ g_previousBitmap;

static void PaintGradient(HDC dc, int width, int height) {
  COLORREF old = GetBkColor(dc);
  for (int y = 0; y < height; ++y) {
    RECT row = {0, y, width, y + 1};
    SetBkColor(dc, WatermarkColorAt(y, height));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
  }
  SetBkColor(dc, old);
}

static bool PaintImage(HDC dc, int width, int height, const wchar_t* path) {
  int iw = 0, ih = 0;
  HBITMAP image = LoadImageBitmap(path, &iw, &ih);
  if (!image) return false;
  HDC imageDc = CreateCompatibleDC(dc);
  bool ok = false;
  if (imageDc) {
    HGDIOBJ old = SelectObject(imageDc, image);
    SetStretchBltMode(dc, HALFTONE);
    ok = StretchBlt(dc, 0, 0, width, height, imageDc, 0, 0, iw, ih, SRCCOPY) != 0;
    SelectObject(imageDc, old);
    DeleteDC(imageDc);
  }
  DeleteObject(image);
  return ok;
}

bool PrepareWatermark(int width, int height, const wchar_t* image) {
  ReleaseWatermark();
  HDC screen = GetDC(nullptr);
  g_backgroundDc = CreateCompatibleDC(screen);
  g_background = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  if (!g_backgroundDc || !g_background) {
    ReleaseWatermark();
    return false;
  }
  g_previousBitmap = SelectObject(g_backgroundDc, g_background);
  if (!image || !*image || !PaintImage(g_backgroundDc, width, height, image))
    PaintGradient(g_backgroundDc, width, height);
  return true;
}

void ReleaseWatermark() {
  if (g_backgroundDc && g_previousBitmap) SelectObject(g_backgroundDc, g_previousBitmap);
  if (g_background) DeleteObject(g_background);
  if (g_backgroundDc) DeleteDC(g_backgroundDc);
  g_backgroundDc = nullptr;
  g_background = nullptr;
  g_previousBitmap = nullptr;
}

void PaintWatermark(HDC dc, const RECT& rc, int originX, int originY) {
  if (!dc || !g_backgroundDc) return;
  BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, g_backgroundDc,
         rc.left + originX, rc.top + originY, SRCCOPY);
}
