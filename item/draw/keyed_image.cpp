// DrawKeyedImage: a memory dc holds the bitmap while TransparentImage copies it.
#include "item/draw/keyed_image.h"

#include "platform/image.h"

SIZE ImageSize(HBITMAP bitmap) {
  SIZE size = {0, 0};
  BITMAP info = {};
  if (bitmap && GetObjectW(bitmap, sizeof(info), &info) == sizeof(info)) {
    size.cx = info.bmWidth;
    size.cy = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  }
  return size;
}

void DrawKeyedImage(HDC dc, HBITMAP bitmap, int x, int y) {
  if (!dc || !bitmap) return;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const SIZE size = ImageSize(bitmap);
  if (previous && size.cx > 0 && size.cy > 0) {
    const COLORREF key = GetPixel(memory, 0, 0);
    TransparentImage(dc, x, y, size.cx, size.cy, memory, 0, 0, size.cx, size.cy, key);
  }
  if (previous) SelectObject(memory, previous);
  DeleteDC(memory);
}
