// LayoutTimePage: the five ShowDate arrangements. Sums are taken in 64 bits
// and brought back into int range, so stored margins cannot overflow them.
#include "item/pages/time_layout.h"

#include "item/settings/saturating.h"

namespace {

RECT Rect(long long left, long long top, long long right, long long bottom) {
  return RECT{ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom)};
}

}  // namespace

TimeLayout LayoutTimePage(const RECT& box, const TimeMeasures& m, int showDate) {
  const long long left = box.left, top = box.top, right = box.right, bottom = box.bottom;
  const long long innerW = right - left;
  const long long clockW = m.ClockWidth;
  const long long w1 = m.Date1.cx, h1 = m.Date1.cy, w2 = m.Date2.cx, h2 = m.Date2.cy;
  const long long datesW = w1 > w2 ? w1 : w2;
  const long long datesH = h1 > h2 ? h1 : h2;
  const long long iconW = m.Icon.cx, iconH = m.Icon.cy;

  if (showDate < 0 || showDate > 4) showDate = 0;

  // Defaults: centred clock over the whole height, icon top right, alarm text
  // right-aligned across the page; the cases below change what differs.
  long long clockLeft = left + (innerW - clockW) / 2, clockTop = top, clockBottom = bottom;
  long long iconX = right - iconW, iconY = top;
  long long textLeft = left, textRight = right, textBottom = bottom;
  UINT textAlign = TextRight;

  TimeLayout out = {};
  out.DrawDates = showDate != 0;
  out.Date1Flags = TextLeft;
  out.Date2Flags = TextLeft;
  out.Date1 = Rect(left, top, right, bottom);
  out.Date2 = Rect(left, top + h1, right, bottom);

  switch (showDate) {
    case 1:  // dates at the left, clock centred in the rest
      clockLeft = left + datesW + (innerW - datesW - clockW) / 2;
      textLeft = left + datesW;
      break;
    case 2:  // dates on one line above the clock
      clockTop = top + datesH;
      out.Date2 = Rect(left, top, right, bottom);
      out.Date2Flags = TextRight;
      iconY = top + datesH;
      break;
    case 3:  // dates at the right, icon and alarm text move to the left
      clockLeft = left + (innerW - datesW - clockW) / 2;
      out.Date1Flags = TextRight;
      out.Date2Flags = TextRight;
      iconX = left;
      textRight = right - datesW;
      textAlign = TextLeft;
      break;
    case 4:  // dates on one line below the clock
      clockBottom = bottom - datesH;
      out.Date1 = Rect(left, bottom - h1, right, bottom);
      out.Date2 = Rect(left, bottom - h2, right, bottom);
      out.Date2Flags = TextRight;
      textBottom = bottom - datesH;
      break;
    default:
      break;
  }

  out.Clock = Rect(clockLeft, clockTop, clockLeft + clockW, clockBottom);
  out.Icon = POINT{ClampToInt(iconX), ClampToInt(iconY)};
  out.AlarmText = Rect(textLeft, iconY + iconH, textRight, textBottom);
  out.AlarmTextFlags = textAlign;
  return out;
}
