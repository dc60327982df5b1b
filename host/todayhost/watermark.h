// The Today screen's background: a gradient or an image, prepared once at the
// screen's size and copied piecewise into whatever asks for it (the host's
// own background and each item's TODAYM_DRAWWATERMARK), and the screen's
// colours. The background is the screen's, handed in.
#pragma once
#include <windows.h>

// The background as prepared: a memory DC holding the screen-sized bitmap.
struct Background {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previousBitmap;  // the DC's own, put back before it goes
};

// Renders the background for a screen of width x height; image may be empty
// or unreadable, and the gradient is used.
bool PrepareWatermark(Background* background, int width, int height, const wchar_t* image);
void ReleaseWatermark(Background* background);

// Fills rc of dc with the background that lies at rc offset by (originX,
// originY) on the screen.
void PaintWatermark(const Background& background, HDC dc, const RECT& rc, int originX, int originY);

// Fills rc of dc as the background of an item: the highlight colour when
// the shell highlights the item itself, else the background that lies at rc
// offset by the item's place (originX, originY) on the screen.
void PaintItemBackground(const Background& background, HDC dc, const RECT& rc, int originX,
                         int originY, bool highlighted);

// Colour the shell answers to TODAYM_GETCOLOR for a TODAYCOLOR_* id.
COLORREF TodayColor(DWORD id);

// Watermark gradient colour of row y of a screen hostHeight rows tall.
COLORREF WatermarkColorAt(int y, int hostHeight);
