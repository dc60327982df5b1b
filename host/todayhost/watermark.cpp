// The Today screen's background bitmap and colours.
#include "host/todayhost/watermark.h"

#include "host/todayhost/image_file.h"
#include "platform/today.h"

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

bool PrepareWatermark(Background* b, int width, int height, const wchar_t* image) {
  ReleaseWatermark(b);
  HDC screen = GetDC(nullptr);
  b->dc = CreateCompatibleDC(screen);
  b->bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  if (!b->dc || !b->bitmap) {
    ReleaseWatermark(b);
    return false;
  }
  b->previousBitmap = SelectObject(b->dc, b->bitmap);
  if (!image || !*image || !PaintImage(b->dc, width, height, image))
    PaintGradient(b->dc, width, height);
  return true;
}

void ReleaseWatermark(Background* b) {
  if (b->dc && b->previousBitmap) SelectObject(b->dc, b->previousBitmap);
  if (b->bitmap) DeleteObject(b->bitmap);
  if (b->dc) DeleteDC(b->dc);
  *b = Background{};
}

void PaintWatermark(const Background& b, HDC dc, const RECT& rc, int originX, int originY) {
  if (!dc || !b.dc) return;
  BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, b.dc, rc.left + originX,
         rc.top + originY, SRCCOPY);
}

void PaintItemBackground(const Background& b, HDC dc, const RECT& rc, int originX, int originY,
                         bool highlighted) {
  if (!highlighted) {
    PaintWatermark(b, dc, rc, originX, originY);
    return;
  }
  COLORREF old = SetBkColor(dc, TodayColor(TODAYCOLOR_HIGHLIGHT));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

COLORREF TodayColor(DWORD id) {
  switch (id) {
    case TODAYCOLOR_HIGHLIGHT:
      return RGB(0x31, 0x6A, 0xC5);
    case TODAYCOLOR_HIGHLIGHTEDTEXT:
      return RGB(0xFF, 0xFF, 0xFF);
    case TODAYCOLOR_TEXT:
      return RGB(0x00, 0x00, 0x00);
    default:
      return RGB(0x00, 0x00, 0x00);
  }
}

// From a mid blue at the top to a night blue at the bottom: the item's default
// white texts stand out on it as on the stock theme.
COLORREF WatermarkColorAt(int y, int hostHeight) {
  if (hostHeight < 2) hostHeight = 2;
  if (y < 0) y = 0;
  if (y >= hostHeight) y = hostHeight - 1;
  const int top[3] = {0x2B, 0x4F, 0x8E}, bottom[3] = {0x0B, 0x1A, 0x3A};
  int c[3];
  for (int k = 0; k < 3; ++k) c[k] = top[k] + (bottom[k] - top[k]) * y / (hostHeight - 1);
  return RGB(c[0], c[1], c[2]);
}
