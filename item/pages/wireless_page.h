// The Wireless page painter: operator on the left, counters and radio icons
// on the right of one line.
#pragma once
#include <windows.h>

#include "item/pages/system_state.h"
#include "item/settings/item_settings.h"

struct WirelessPaintInput {
  RECT client;
  int x;
  int y;
  int pageHeight;
  int marginLeft;
  int marginTop;
  int marginRight;
  int marginBottom;
  int dpiX;  // LOGPIXELSX of the screen: the gap after an icon is dpiX / 48
  const WirelessSettings* settings;
  const PhoneStateRecord* state;
  HBITMAP bt;
  HBITMAP wifi;
};

void PaintWireless(HDC dc, const WirelessPaintInput& in);
