// Wireless page painting.
#include "item/pages/wireless_page.h"

#include "item/draw/keyed_image.h"
#include "item/draw/state_images.h"
#include "item/host/page_hooks.h"

namespace {

LONG Clamp(long long v) {
  return static_cast<LONG>(v < -0x3FFFFFFF ? -0x3FFFFFFF : v > 0x3FFFFFFF ? 0x3FFFFFFF : v);
}

// Draws an icon ending at the cursor and moves the cursor left past it and its gap.
void DrawRadioIcon(HDC dc, HBITMAP image, bool shown, long long* cursor, long long top, int dpiX) {
  if (!image || !shown) return;
  const SIZE size = ImageSize(image);
  DrawKeyedImage(dc, image, Clamp(*cursor - size.cx), Clamp(top));
  *cursor -= dpiX / 48 + static_cast<long long>(size.cx);
}

}  // namespace

void PaintWireless(HDC dc, const WirelessPaintInput& in) {
  const PageFrame& frame = in.frame;
  if (!dc || !in.settings || !in.state) return;
  const WirelessSettings& s = *in.settings;
  const PhoneStateRecord& state = *in.state;
  const long long left = static_cast<long long>(frame.client.left) + frame.x + frame.marginLeft;
  const long long right = static_cast<long long>(frame.client.right) + frame.x - frame.marginRight;
  const long long top = static_cast<long long>(frame.client.top) + frame.y + frame.marginTop;
  const long long bottom =
      static_cast<long long>(frame.client.top) + frame.y + frame.pageHeight - frame.marginBottom;

  HFONT font = CreateSpecFont(dc, s.Font);
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SetTextColor(dc, s.Font.FontColor);

  RECT box = {Clamp(left), Clamp(top), Clamp(right), Clamp(bottom)};
  DrawTextW(dc, state.Operator, -1, &box, DT_SINGLELINE | DT_NOCLIP | DT_LEFT | DT_TOP);

  long long cursor = right;
  DrawRadioIcon(dc, in.bt, state.BluetoothOn && s.ShowBT, &cursor, top, in.dpiX);
  DrawRadioIcon(dc, in.wifi, state.WifiOn && s.ShowWF, &cursor, top, in.dpiX);

  wchar_t counters[CounterSlot];
  BuildCounterText({state.UnreadEMails, state.UnreadSMS, state.MissedCalls, s.ShowEMails, s.ShowSMS,
                    s.ShowCalls},
                   counters, CounterSlot);
  if (counters[0]) {
    RECT counterBox = {Clamp(left), Clamp(top), Clamp(cursor), Clamp(bottom)};
    DrawTextW(dc, counters, -1, &counterBox, DT_SINGLELINE | DT_NOCLIP | DT_RIGHT);
  }

  if (previous) SelectObject(dc, previous);
  if (font) DeleteObject(font);
}

void PaintWirelessPage(HWND itemWindow, HDC dc, int dx, int dy) {
  WirelessPaintInput in = {};
  if (!FramePage(itemWindow, PageKindWireless, dx, dy, &in.frame)) return;
  in.dpiX = ScreenDpiX();
  in.settings = &ItemSettings.Wireless;
  in.state = &PhoneState;
  in.bt = StateImages.Bt;
  in.wifi = StateImages.Wifi;
  PaintWireless(dc, in);
}
