// The one geometry record of the page painters and taps.
#include "item/pages/page_frame.h"

#include "item/settings/item_settings.h"
#include "item/settings/saturating.h"

PageFrame FramePage(HWND itemWindow, int kind, int dx, int dy) {
  PageFrame frame = {};
  if (itemWindow) GetClientRect(itemWindow, &frame.client);
  const int position = FindPageOfKind(kind);
  frame.x = dx;
  frame.y = dy;
  frame.pageHeight = position >= 0 ? ItemSettings.PageTable[position].Height : 0;
  frame.marginLeft = ItemSettings.MarginLeft;
  frame.marginTop = ItemSettings.MarginTop;
  frame.marginRight = ItemSettings.MarginRight;
  frame.marginBottom = ItemSettings.MarginBottom;
  return frame;
}

PageEdges PageEdgesOf(const PageFrame& f) {
  PageEdges e;
  e.left = static_cast<long long>(f.client.left) + f.x + f.marginLeft;
  e.right = static_cast<long long>(f.client.right) + f.x - f.marginRight;
  e.top = static_cast<long long>(f.client.top) + f.y + f.marginTop;
  e.bottom = static_cast<long long>(f.client.top) + f.y + f.pageHeight - f.marginBottom;
  return e;
}

RECT PageInnerBox(const PageFrame& frame) {
  const PageEdges e = PageEdgesOf(frame);
  return RECT{ClampToInt(e.left), ClampToInt(e.top), ClampToInt(e.right), ClampToInt(e.bottom)};
}
