// Wireless page painting, and the Wireless page's record in the page table.
#include "item/pages/wireless_page.h"

#include "item/draw/keyed_image.h"
#include "item/draw/state_images.h"
#include "item/draw/held_fonts.h"
#include "item/draw/text.h"
#include "item/pages/page_modules.h"
#include "item/settings/page_table.h"
#include "item/settings/saturating.h"

namespace {

// Draws an icon ending at the cursor and moves the cursor left past it and its gap.
void DrawRadioIcon(HDC dc, HBITMAP image, bool shown, long long* cursor, long long top, int dpiX) {
  if (!image || !shown) return;
  const SIZE size = ImageSize(image);
  DrawKeyedImage(dc, image, ClampToCoordinate(*cursor - size.cx), ClampToCoordinate(top));
  *cursor -= dpiX / 48 + static_cast<long long>(size.cx);
}

}  // namespace

void PaintWireless(HDC dc, const WirelessPaintInput& in) {
  const PageFrame& frame = in.frame;
  if (!dc || !in.settings || !in.state) return;
  const WirelessSettings& s = *in.settings;
  const PhoneStateRecord& state = *in.state;
  const PageEdges edges = PageEdgesOf(frame);
  const long long left = edges.left, right = edges.right, top = edges.top, bottom = edges.bottom;

  HFONT font = TakeSpecFont(dc, s.Font);
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SetTextColor(dc, s.Font.FontColor);

  RECT box = {ClampToCoordinate(left), ClampToCoordinate(top), ClampToCoordinate(right),
              ClampToCoordinate(bottom)};
  DrawTextW(dc, state.Operator, -1, &box, TextLeft);

  long long cursor = right;
  DrawRadioIcon(dc, in.bt, state.BluetoothOn && s.ShowBT, &cursor, top, in.dpiX);
  DrawRadioIcon(dc, in.wifi, state.WifiOn && s.ShowWF, &cursor, top, in.dpiX);

  wchar_t counters[CounterSlot];
  BuildCounterText({state.UnreadEMails, state.UnreadSMS, state.MissedCalls, s.ShowEMails, s.ShowSMS,
                    s.ShowCalls},
                   counters, CounterSlot);
  if (counters[0]) {
    RECT counterBox = {ClampToCoordinate(left), ClampToCoordinate(top), ClampToCoordinate(cursor),
                       ClampToCoordinate(bottom)};
    DrawTextW(dc, counters, -1, &counterBox, TextRight);
  }

  if (previous) SelectObject(dc, previous);
  PutBackFont(font);
}

void PaintWirelessPage(HDC dc, const PageFrame& frame) {
  WirelessPaintInput in = {};
  in.frame = frame;
  // The paint's DC has the screen's resolution; asking the DC spares every
  // frame of a drag a round trip for a screen DC.
  in.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  in.settings = &ItemSettings.Wireless;
  in.state = &PhoneState;
  in.bt = StateImages.Bt;
  in.wifi = StateImages.Wifi;
  PaintWireless(dc, in);
}

namespace {

void ResetWirelessPage(HWND) { ResetPhoneState(); }
void CreateWirelessPage(HWND) { RefreshSystemState(); }

// The state reader after the alarms, and a change the platform announced
// since the last tick.
bool TickWirelessPage(const TickMoment&) {
  const bool changed = RefreshSystemState();
  return TakeAnnouncedStateChange() || changed;
}

int WirelessNaturalHeight(HDC dc, const RECT&) {
  return WithMargins(MeasureLineHeight(dc, ItemSettings.Wireless.Font));
}

void TapWirelessPage(const PageFrame&, int, int, bool allowed, wchar_t* target, int capacity) {
  TapOnClick(ItemSettings.Wireless.OnClick, allowed, target, capacity);
}

}  // namespace

const PageModule WirelessPageModule = {
    ResetWirelessPage, CreateWirelessPage, TickWirelessPage, WirelessNaturalHeight,
    PaintWirelessPage, TapWirelessPage,    nullptr,
};
