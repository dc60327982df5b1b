// The Wireless page painter: operator on the left, counters and radio icons
// on the right of one line.
#pragma once
#include <windows.h>

#include "item/pages/system_state.h"
#include "item/pages/page_frame.h"
#include "item/settings/item_settings.h"

struct WirelessPaintInput {
  PageFrame frame;
  int dpiX;  // LOGPIXELSX of the screen: the gap after an icon is dpiX / 48
  const WirelessSettings* settings;
  const PhoneStateRecord* state;
  HBITMAP bt;
  HBITMAP wifi;
};

void PaintWireless(HDC dc, const WirelessPaintInput& in);

void PaintWirelessPage(HDC dc, const PageFrame& frame);
