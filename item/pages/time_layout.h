// Where the Time page puts its clock, date lines, alarm icon and next-alarm
// text, as a pure function of the page box, the measured sizes and ShowDate.
#pragma once
#include <windows.h>

// DrawText flag words of the painters.
constexpr UINT TextLeft = 0x120;         // single line, no clip, left and top
constexpr UINT TextCentre = 0x121;       // single line, no clip, centred
constexpr UINT TextRight = 0x122;        // single line, no clip, right-aligned
constexpr UINT TextRightMiddle = 0x126;  // ... right-aligned, vertically centred

// The inner box of a page drawn at offset (dx, dy): client rectangle,
// page height and margins applied. Saturates instead of overflowing.
struct PageBox {
  int L, T, R, B;
};
PageBox PageBoxFor(const RECT& client, int dx, int dy, int pageHeight, int marginLeft,
                   int marginTop, int marginRight, int marginBottom);

struct TimeMeasures {
  int ClockWidth;     // W: width of "00:00" in the clock font
  SIZE Date1, Date2;  // (w1, h1), (w2, h2) of the two date texts
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

// ShowDate 0 none, 1 left, 2 top, 3 right, 4 bottom; other values lay out as 0.
TimeLayout LayoutTimePage(const PageBox& box, const TimeMeasures& m, int showDate);
