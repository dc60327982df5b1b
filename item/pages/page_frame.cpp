#include "item/pages/page_frame.h"

#include "item/settings/item_settings.h"

bool FramePage(HWND itemWindow, int kind, int dx, int dy, PageFrame* frame) {
  const int position = FindPageOfKind(kind);
  if (!itemWindow || position < 0) return false;
  *frame = {};
  GetClientRect(itemWindow, &frame->client);
  frame->x = dx;
  frame->y = dy;
  frame->pageHeight = ItemSettings.PageTable[position].Height;
  frame->marginLeft = ItemSettings.MarginLeft;
  frame->marginTop = ItemSettings.MarginTop;
  frame->marginRight = ItemSettings.MarginRight;
  frame->marginBottom = ItemSettings.MarginBottom;
  return true;
}
