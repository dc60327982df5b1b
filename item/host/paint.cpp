// Painting through an off-screen bitmap, so the Today background never shows
// half-painted pages.
#include "item/host/paint.h"

#include "item/draw/held_fonts.h"
#include "item/host/canvas.h"
#include "item/host/host_state.h"
#include "item/host/paging.h"
#include "item/pages/page_modules.h"
#include "item/settings/item_settings.h"
#include "item/settings/saturating.h"
#include "platform/today.h"

void PaintPageAt(HWND window, HDC dc, int position, int dx, int dy) {
  if (position < 0 || position >= PageKindCount) return;
  const int kind = ItemSettings.PageTable[position].PageKind;
  const PageModule* page = PageModuleOf(kind);
  if (page && page->Paint) page->Paint(dc, FramePage(window, kind, dx, dy));
}

SlideOffsets SlideFor(int dx, int width) {
  // The neighbour on the side the page moves away from slides in beside it.
  if (dx < 0) return SlideOffsets{dx, SaturatingAdd(dx, width), true};
  return SlideOffsets{dx, SaturatingSub(dx, width), false};
}

void PaintPages(HWND window, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  SetBkMode(dc, TRANSPARENT);
  const ItemSettingsRecord& s = ItemSettings;
  int y = 0;
  for (int i = 0; i < s.FixedPageCount && i < PageKindCount; ++i) {
    if (s.PageTable[i].Visible) PaintPageAt(window, dc, i, 0, y);
    y = SaturatingAdd(y, s.PageTable[i].Height);
  }
  const DragState& d = Host.Drag;
  if (d.Dragging && d.Moved && s.PagingCount > 1) {
    SlideOffsets slide = SlideFor(d.CurrentX - d.StartX, client.right - client.left);
    PaintPageAt(window, dc, CurrentPage, slide.CurrentDx, y);
    int neighbour =
        slide.NeighbourIsNext ? NextPagingPage(CurrentPage) : PrevPagingPage(CurrentPage);
    PaintPageAt(window, dc, neighbour, slide.NeighbourDx, y);
  } else if (s.PagingCount > 0 && CurrentPage >= 0 && CurrentPage < PageKindCount) {
    PaintPageAt(window, dc, CurrentPage, 0, y);
  }
}

void PaintBackground(HWND window, HDC dc, const RECT& client) {
  if (Host.Selected) {
    COLORREF previous = SetBkColor(dc, Host.HighlightColor);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
    return;
  }
  RequestWatermark(window, dc, client);
}

void RequestWatermark(HWND window, HDC dc, const RECT& rect) {
  TODAYDRAWWATERMARKINFO watermark = {};
  watermark.hdc = dc;
  watermark.rc = rect;
  watermark.hwnd = window;
  SendMessageW(GetParent(window), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&watermark));
}

void PaintItem(HWND window, HDC dc, const RECT& client) {
  PaintBackground(window, dc, client);
  PaintPages(window, dc);
}

void HoldDragFrames() {
  HoldFonts();
  HoldCanvas();
}

void ReleaseDragFrames() {
  ReleaseHeldFonts();
  ReleaseHeldCanvas();
}

void OnPaint(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  int width = client.right - client.left;
  int height = client.bottom - client.top;
  Canvas canvas = {};
  const bool painted = TakeCanvas(window, width, height, &canvas);
  if (painted) PaintItem(window, canvas.Dc, client);

  PAINTSTRUCT ps;
  HDC screen = BeginPaint(window, &ps);
  if (screen && painted)
    BitBlt(screen, client.left, client.top, width, height, canvas.Dc, 0, 0, SRCCOPY);
  EndPaint(window, &ps);
  if (painted) PutBackCanvas(canvas);
}
