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

// Places the icons in order, a row at a time, telling place(j, rect) where
// each goes; returns the rows used. The layout and the page's height both
// walk this one rule, so every icon lies inside the height the page asks for.
template <typename Place>
static long long WalkIcons(const LauncherGeometry& g, size_t count, Place place) {
  if (count == 0) return 0;
  const int perRow = LauncherIconsPerRow(g);
  const int gap = LauncherGap(g, perRow);
  const long long limit = Limit(g);
  long long rows = 1;
  long long top = g.marginTop;
  long long x = LauncherRowStart(g, perRow, gap, static_cast<long long>(count));
  for (size_t j = 0; j < count; ++j) {
    place(j, RECT{ClampToInt(x), ClampToInt(top), ClampToInt(x + g.iconWidth),
                  ClampToInt(top + g.iconHeight)});
    if (j + 1 == count) break;
    if (x + 2LL * g.iconWidth > limit) {
      top += g.iconHeight;
      ++rows;
      x = LauncherRowStart(g, perRow, gap, static_cast<long long>(count - j - 1));
    } else {
      x += static_cast<long long>(g.iconWidth) + gap;
    }
  }
  return rows;
}

void LayoutLauncherRects(const LauncherGeometry& g, RECT* rects, size_t count) {
  if (!rects) return;
  WalkIcons(g, count, [rects](size_t j, const RECT& rect) { rects[j] = rect; });
}

int LauncherRowCount(const LauncherGeometry& g, size_t count) {
  return ClampToInt(WalkIcons(g, count, [](size_t, const RECT&) {}));
}
