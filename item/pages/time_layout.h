// Where the Time page puts its clock, date lines, alarm icon and next-alarm
// text, as a pure function of the page's inner box, the measured sizes and ShowDate.
#pragma once
#include <windows.h>

#include "item/draw/text.h"

struct TimeMeasures {
  int ClockWidth;     // width of "00:00" in the clock font
  SIZE Date1, Date2;  // the two date texts in their fonts
  SIZE Icon;          // the alarm image, 0 x 0 when not loaded
};

struct TimeLayout {
  RECT Clock;  // drawn with TextRightMiddle
  bool DrawDates;
  RECT Date1;
  UINT Date1Flags;
  RECT Date2;
  UINT Date2Flags;
  POINT Icon;      // top left of the alarm image
  RECT AlarmText;  // under the icon
  UINT AlarmTextFlags;
};

// box is the page's inner box (PageInnerBox). ShowDate 0 none, 1 left,
// 2 top, 3 right, 4 bottom; other values lay out as 0.
TimeLayout LayoutTimePage(const RECT& box, const TimeMeasures& m, int showDate);
