// From a tap's position to the started target.
#pragma once

// Finds the page under (x, y) and hands it the tap.
void HitTestTap(int x, int y, bool doubleTap);
// Taps the page at that position; x in window coordinates, y from the page top.
void DispatchTap(int position, int x, int y, bool doubleTap);
// Starts the path, in quotes, through the shell; nothing for an empty or unreadable path.
void LaunchTarget(const wchar_t* path);
// Starts "tvrcfg.exe" from the item's folder, when it is there.
void StartConfigTool();

// Pure geometry.
struct TapHit {
  int Position;  // -1 for the paging slot's current page
  int Y;         // relative to the page's top
};
// The dispatches HitTestTap makes for a tap at height y; returns their count (at most 7).
int PlanHitTest(const int* storedHeights, int fixedCount, int y, TapHit* hits);
