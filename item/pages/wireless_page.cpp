// Wireless page painting, and the Wireless page's record in the page table.
#include "item/pages/wireless_page.h"

#include <cwchar>

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

// Width of a text in the dc's font.
long long WidthOf(HDC dc, const wchar_t* text, int length) {
  SIZE size = {0, 0};
  if (length > 0 && !GetTextExtentPoint32W(dc, text, length, &size)) return 0;
  return size.cx;
}

// The pixels the operator's name may take from the left edge: up to a
// space's width before the counters, or before the icons when there are no
// counters, or up to the right edge when neither is shown.
long long OperatorRoom(HDC dc, long long left, long long right, long long cursor,
                       const wchar_t* counters) {
  long long end = cursor - WidthOf(dc, counters, static_cast<int>(std::wcslen(counters)));
  if (end < right) end -= WidthOf(dc, L" ", 1);
  return end - left;
}

// The name as drawn in room pixels of the dc's font (wireless_text.h).
void FitName(HDC dc, const wchar_t* operatorText, long long room, wchar_t (&name)[OperatorSlot]) {
  const int length = static_cast<int>(wcsnlen(operatorText, OperatorSlot - 1));
  int extents[OperatorSlot] = {};
  SIZE whole = {0, 0};
  if (length > 0 && !GetTextExtentExPointW(dc, operatorText, length, 0, nullptr, extents, &whole)) {
    name[0] = L'\0';
    return;
  }
  const long long ellipsis = WidthOf(dc, L"\u2026", 1);
  FitOperatorName(operatorText, extents, length, static_cast<int>(ellipsis), room, name,
                  OperatorSlot);
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

  long long cursor = right;
  DrawRadioIcon(dc, in.bt, state.BluetoothOn && s.ShowBT, &cursor, top, in.dpiX);
  DrawRadioIcon(dc, in.wifi, state.WifiOn && s.ShowWF, &cursor, top, in.dpiX);

  wchar_t counters[CounterSlot];
  BuildCounterText({state.UnreadEMails, state.UnreadSMS, state.MissedCalls, s.ShowEMails, s.ShowSMS,
                    s.ShowCalls},
                   counters, CounterSlot);

  wchar_t name[OperatorSlot];
  FitName(dc, state.Operator, OperatorRoom(dc, left, right, cursor, counters), name);
  RECT box = {ClampToCoordinate(left), ClampToCoordinate(top), ClampToCoordinate(right),
              ClampToCoordinate(bottom)};
  DrawTextW(dc, name, -1, &box, TextLeft);

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
