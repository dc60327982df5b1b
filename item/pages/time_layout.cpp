// LayoutTimePage: the five ShowDate arrangements. Sums are taken in 64 bits
// and brought back into int range, so stored margins cannot overflow them.
#include "item/pages/time_layout.h"

#include "item/settings/saturating.h"

namespace {

int Fit(long long v) { return ClampToInt(v); }

RECT Rect(long long left, long long top, long long right, long long bottom) {
  return RECT{Fit(left), Fit(top), Fit(right), Fit(bottom)};
}

}  // namespace

PageBox PageBoxFor(const RECT& client, int dx, int dy, int pageHeight, int marginLeft,
                   int marginTop, int marginRight, int marginBottom) {
  PageBox box;
  box.L = Fit(static_cast<long long>(client.left) + dx + marginLeft);
  box.R = Fit(static_cast<long long>(client.right) + dx - marginRight);
  box.T = Fit(static_cast<long long>(client.top) + dy + marginTop);
  box.B = Fit(static_cast<long long>(client.top) + dy + pageHeight - marginBottom);
  return box;
}

TimeLayout LayoutTimePage(const PageBox& box, const TimeMeasures& m, int showDate) {
  const long long L = box.L, T = box.T, R = box.R, B = box.B;
  const long long innerW = R - L;
  const long long W = m.ClockWidth;
  const long long w1 = m.Date1.cx, h1 = m.Date1.cy, w2 = m.Date2.cx, h2 = m.Date2.cy;
  const long long Dw = w1 > w2 ? w1 : w2;
  const long long Dh = h1 > h2 ? h1 : h2;
  const long long iconW = m.Icon.cx, iconH = m.Icon.cy;

  if (showDate < 0 || showDate > 4) showDate = 0;

  // Defaults: centred clock over the whole height, icon top right, alarm text
  // right-aligned across the page; the cases below change what differs.
  long long clockLeft = L + (innerW - W) / 2, clockTop = T, clockBottom = B;
  long long iconX = R - iconW, iconY = T;
  long long textLeft = L, textRight = R, textBottom = B;
  UINT textAlign = TextRight;

  TimeLayout out = {};
  out.DrawDates = showDate != 0;
  out.Date1Flags = TextLeft;
  out.Date2Flags = TextLeft;
  out.Date1 = Rect(L, T, R, B);
  out.Date2 = Rect(L, T + h1, R, B);

  switch (showDate) {
    case 1:  // dates at the left, clock centred in the rest
      clockLeft = L + Dw + (innerW - Dw - W) / 2;
      textLeft = L + Dw;
      break;
    case 2:  // dates on one line above the clock
      clockTop = T + Dh;
      out.Date2 = Rect(L, T, R, B);
      out.Date2Flags = TextRight;
      iconY = T + Dh;
      break;
    case 3:  // dates at the right, icon and alarm text move to the left
      clockLeft = L + (innerW - Dw - W) / 2;
      out.Date1Flags = TextRight;
      out.Date2Flags = TextRight;
      iconX = L;
      textRight = R - Dw;
      textAlign = TextLeft;
      break;
    case 4:  // dates on one line below the clock
      clockBottom = B - Dh;
      out.Date1 = Rect(L, B - h1, R, B);
      out.Date2 = Rect(L, B - h2, R, B);
      out.Date2Flags = TextRight;
      textBottom = B - Dh;
      break;
    default:
      break;
  }

  out.Clock = Rect(clockLeft, clockTop, clockLeft + W, clockBottom);
  out.Icon = POINT{Fit(iconX), Fit(iconY)};
  out.AlarmText = Rect(textLeft, iconY + iconH, textRight, textBottom);
  out.AlarmTextFlags = textAlign;
  return out;
}
