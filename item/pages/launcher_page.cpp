// Launcher page: icon rectangles for the window's width, painting, taps.
#include "item/pages/launcher_page.h"

#include <climits>
#include <vector>

#include "item/pages/launcher_layout.h"
#include "item/pages/page_modules.h"
#include "item/settings/bounded_text.h"
#include "item/settings/item_settings.h"
#include "item/settings/page_table.h"
#include "item/settings/saturating.h"

namespace {

int IconWidth() {
  return GetSystemMetrics(ItemSettings.Launcher.BigIcons ? SM_CXICON : SM_CXSMICON);
}
int IconHeight() {
  return GetSystemMetrics(ItemSettings.Launcher.BigIcons ? SM_CYICON : SM_CYSMICON);
}

}  // namespace

// The icons' room in a client rectangle of the item window.
static LauncherGeometry GeometryOf(const RECT& client) {
  LauncherGeometry g = {};
  g.clientLeft = client.left;
  g.clientRight = client.right;
  g.marginLeft = ItemSettings.MarginLeft;
  g.marginTop = ItemSettings.MarginTop;
  g.marginRight = ItemSettings.MarginRight;
  g.iconWidth = IconWidth();
  g.iconHeight = IconHeight();
  g.align = ItemSettings.Launcher.Align;
  return g;
}

void LayoutLauncher(HWND itemWindow) {
  LauncherSettings& l = ItemSettings.Launcher;
  if (!itemWindow || l.Items.empty()) return;
  RECT client = {};
  GetClientRect(itemWindow, &client);
  std::vector<RECT> rects(l.Items.size());
  LayoutLauncherRects(GeometryOf(client), rects.data(), rects.size());
  for (size_t j = 0; j < rects.size(); ++j) l.Items[j].Rect = rects[j];
}

void PaintLauncherPage(HDC dc, const PageFrame& frame) {
  if (!dc) return;
  for (const LauncherItem& item : ItemSettings.Launcher.Items) {
    if (!item.Icon) continue;
    // Each icon at its own size: the shell gave it in the size BigIcons asked for.
    const long long x = static_cast<long long>(frame.x) + item.Rect.left;
    const long long y = static_cast<long long>(frame.y) + item.Rect.top;
    if (x < INT_MIN || x > INT_MAX || y < INT_MIN || y > INT_MAX) continue;
    DrawIconEx(dc, static_cast<int>(x), static_cast<int>(y), item.Icon, 0, 0, 0, nullptr,
               DI_NORMAL);
  }
}

namespace {

void CreateLauncherPage(HWND itemWindow) { LayoutLauncher(itemWindow); }

// The rows the layout makes for this width: every icon lies inside the page.
int LauncherNaturalHeight(HDC, const RECT& client) {
  const int rows = LauncherRowCount(GeometryOf(client), ItemSettings.Launcher.Items.size());
  return WithMargins(SaturatingMul(rows, IconHeight()));
}

// Every tap message on an icon starts it, whatever TapType says. The path is
// copied out: the shell may pump messages while it starts the target.
void TapLauncherPage(const PageFrame&, int x, int y, bool, wchar_t* target, int capacity) {
  if (capacity > 0) target[0] = L'\0';
  for (const LauncherItem& item : ItemSettings.Launcher.Items) {
    POINT point = {x, y};
    if (PtInRect(&item.Rect, point)) {
      CopyText(target, capacity, item.Path);
      return;
    }
  }
}

}  // namespace

const PageModule LauncherPageModule = {
    nullptr,         CreateLauncherPage,   nullptr, LauncherNaturalHeight, PaintLauncherPage,
    TapLauncherPage, ReleaseLauncherIcons,
};
