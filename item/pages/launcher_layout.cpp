// Icon rows of the Launcher page.
#include "item/pages/launcher_layout.h"

#include "item/settings/saturating.h"

namespace {

long long Origin(const LauncherGeometry& g) {
  return static_cast<long long>(g.marginLeft) + g.clientLeft;
}

long long Limit(const LauncherGeometry& g) {
  return static_cast<long long>(g.clientRight) - g.marginRight - g.clientLeft;
}

}  // namespace

int LauncherIconsPerRow(const LauncherGeometry& g) {
  // The largest k with x0 + k * iconW < limit; an icon of no width fits nowhere.
  if (g.iconWidth <= 0) return 0;
  const long long room = Limit(g) - Origin(g);
  if (room <= g.iconWidth) return 0;
  return ClampToInt((room - 1) / g.iconWidth);
}

int LauncherGap(const LauncherGeometry& g, int perRow) {
  if (perRow <= 1) return 0;
  const long long spare = static_cast<long long>(g.clientRight) -
                          static_cast<long long>(perRow) * g.iconWidth - g.marginRight -
                          g.marginLeft - g.clientLeft;
  const long long gap = spare / (perRow - 1);
  return gap < 0 ? 0 : ClampToInt(gap);
}

int LauncherRowStart(const LauncherGeometry& g, int perRow, int gap, long long itemsInRow) {
  const long long x0 = Origin(g);
  if (itemsInRow >= perRow) return ClampToInt(x0);
  const long long step = static_cast<long long>(g.iconWidth) + gap;
  const long long missing = perRow - itemsInRow;
  if (g.align == 1) return ClampToInt(x0 + missing / 2 * step);
  if (g.align == 2) return ClampToInt(x0 + missing * step);
  return ClampToInt(x0);
}

void LayoutLauncherRects(const LauncherGeometry& g, RECT* rects, size_t count) {
  if (!rects || count == 0) return;
  const int perRow = LauncherIconsPerRow(g);
  const int gap = LauncherGap(g, perRow);
  const long long limit = Limit(g);
  long long top = g.marginTop;
  long long x = LauncherRowStart(g, perRow, gap, static_cast<long long>(count));
  for (size_t j = 0; j < count; ++j) {
    rects[j] = {ClampToInt(x), ClampToInt(top), ClampToInt(x + g.iconWidth),
                ClampToInt(top + g.iconHeight)};
    if (x + 2LL * g.iconWidth > limit) {
      top += g.iconHeight;
      x = LauncherRowStart(g, perRow, gap, static_cast<long long>(count - j - 1));
    } else {
      x += static_cast<long long>(g.iconWidth) + gap;
    }
  }
}

int LauncherRows(int itemCount, int width, int iconWidth) {
  if (itemCount <= 0) return 0;
  // The smallest count of icons whose widths reach the row's width.
  long long perRow = 0;
  if (width > 0 && iconWidth > 0)
    perRow = (static_cast<long long>(width) + iconWidth - 1) / iconWidth;
  long long rows = perRow >= 1 ? 1 + itemCount / perRow : 1 + static_cast<long long>(itemCount);
  return ClampToInt(rows);
}
