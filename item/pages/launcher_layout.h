// The Launcher page's icon placement: pure arithmetic on the
// client rectangle, the margins, the icon size and the alignment.
#pragma once
#include <windows.h>

#include <cstddef>

struct LauncherGeometry {
  int clientLeft;
  int clientRight;
  int marginLeft;
  int marginTop;
  int marginRight;
  int iconWidth;
  int iconHeight;
  int align;  // 0 left (and any unknown value), 1 centred, 2 right
};

// Icons that fit in one row, and the gap between them.
int LauncherIconsPerRow(const LauncherGeometry& g);
int LauncherGap(const LauncherGeometry& g, int perRow);
// Left edge of a row holding the given number of icons.
int LauncherRowStart(const LauncherGeometry& g, int perRow, int gap, long long itemsInRow);

// Rectangles in page coordinates (x as the window's, y from the page top).
void LayoutLauncherRects(const LauncherGeometry& g, RECT* rects, size_t count);

// Rows of icons for n items on a row of width w with icons iconWidth wide:
// 0 for no item; otherwise one more than n divided by the smallest count of
// icons whose widths reach w, or n + 1 rows when no icon fits.
int LauncherRows(int itemCount, int width, int iconWidth);
