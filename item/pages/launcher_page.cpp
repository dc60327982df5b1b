// Launcher page: icon rectangles for the window's width, and painting.
#include <climits>
#include <vector>

#include "item/host/page_hooks.h"
#include "item/pages/launcher_layout.h"
#include "item/settings/item_settings.h"
#include "item/settings/saturating.h"

// The icons' room in the item window as it is now.
static LauncherGeometry GeometryOf(HWND itemWindow) {
  const LauncherSettings& l = ItemSettings.Launcher;
  RECT client = {};
  if (itemWindow) GetClientRect(itemWindow, &client);
  LauncherGeometry g = {};
  g.clientLeft = client.left;
  g.clientRight = client.right;
  g.marginLeft = ItemSettings.MarginLeft;
  g.marginTop = ItemSettings.MarginTop;
  g.marginRight = ItemSettings.MarginRight;
  g.iconWidth = GetSystemMetrics(l.BigIcons ? SM_CXICON : SM_CXSMICON);
  g.iconHeight = GetSystemMetrics(l.BigIcons ? SM_CYICON : SM_CYSMICON);
  g.align = l.Align;
  return g;
}

void LayoutLauncher(HWND itemWindow) {
  LauncherSettings& l = ItemSettings.Launcher;
  if (!itemWindow || l.Items.empty()) return;
  std::vector<RECT> rects(l.Items.size());
  LayoutLauncherRects(GeometryOf(itemWindow), rects.data(), rects.size());
  for (size_t j = 0; j < rects.size(); ++j) l.Items[j].Rect = rects[j];
}

int LauncherNaturalHeight(HWND itemWindow) {
  const LauncherGeometry g = GeometryOf(itemWindow);
  const int rows = LauncherRowCount(g, ItemSettings.Launcher.Items.size());
  return SaturatingAdd(SaturatingAdd(SaturatingMul(rows, g.iconHeight), ItemSettings.MarginTop),
                       ItemSettings.MarginBottom);
}

void PaintLauncherPage(HWND /*itemWindow*/, HDC dc, int dx, int dy) {
  if (!dc) return;
  for (const LauncherItem& item : ItemSettings.Launcher.Items) {
    if (!item.Icon) continue;
    // Each icon at its own size: the shell gave it in the size BigIcons asked for.
    const long long x = static_cast<long long>(dx) + item.Rect.left;
    const long long y = static_cast<long long>(dy) + item.Rect.top;
    if (x < INT_MIN || x > INT_MAX || y < INT_MIN || y > INT_MAX) continue;
    DrawIconEx(dc, static_cast<int>(x), static_cast<int>(y), item.Icon, 0, 0, 0, nullptr,
               DI_NORMAL);
  }
}

void ReleaseLauncherIcons() {
  for (LauncherItem& item : ItemSettings.Launcher.Items) {
    if (item.Icon) DestroyIcon(item.Icon);
    item.Icon = nullptr;
  }
}
