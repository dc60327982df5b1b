// Hit test, the dispatch to the page's tap and the one routine that starts targets.
#include "item/host/taps.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

#include "item/host/item_window.h"
#include "item/host/paging.h"
#include "item/pages/page_modules.h"
#include "item/settings/bounded_text.h"
#include "item/settings/item_settings.h"

int PlanHitTest(const int* storedHeights, int fixedCount, int y, TapHit* hits) {
  int count = 0;
  long long top = 0;
  for (int i = 0; i < fixedCount && i < PageKindCount; ++i) {
    if (top <= y && y < top + storedHeights[i])
      hits[count++] = TapHit{i, static_cast<int>(y - top)};
    top += storedHeights[i];
  }
  if (y >= top) hits[count++] = TapHit{-1, static_cast<int>(y - top)};
  return count;
}

void HitTestTap(int x, int y, bool doubleTap) {
  int heights[PageKindCount];
  for (int i = 0; i < PageKindCount; ++i) heights[i] = ItemSettings.PageTable[i].Height;
  TapHit hits[PageKindCount + 1];
  int count = PlanHitTest(heights, ItemSettings.FixedPageCount, y, hits);
  for (int i = 0; i < count; ++i) {
    // An empty paging slot shows nothing, so a tap there starts nothing.
    if (hits[i].Position < 0 && ItemSettings.PagingCount <= 0) continue;
    DispatchTap(hits[i].Position < 0 ? CurrentPage : hits[i].Position, x, hits[i].Y, doubleTap);
  }
}

void DispatchTap(int position, int x, int y, bool doubleTap) {
  if (position < 0 || position >= PageKindCount) return;
  const int kind = ItemSettings.PageTable[position].PageKind;
  const PageModule* page = PageModuleOf(kind);
  if (!page || !page->Tap) return;
  wchar_t target[TextSlot];
  page->Tap(FramePage(ItemWindow, kind, 0, 0), x, y, TapAllowed(doubleTap), target, TextSlot);
  LaunchTarget(target);
}

static bool Readable(const wchar_t* path) {
  FILE* file = _wfopen(path, L"rb");
  if (!file) return false;
  fclose(file);
  return true;
}

#ifndef _WIN64
static_assert(sizeof(SHELLEXECUTEINFOW) == 60, "the device's 32-bit SHELLEXECUTEINFO");
#endif

void LaunchTarget(const wchar_t* path) {
  if (!path || !path[0] || !Readable(path)) return;
  wchar_t command[TextSlot + 2];
  if (swprintf(command, TextSlot + 2, L"%ls%ls%ls", L"\"", path, L"\"") < 0) return;
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = command;
  info.nShow = SW_SHOWNORMAL;
  // Started programs are never waited for; the handle is of no use.
  if (ShellExecuteExW(&info) && info.hProcess) CloseHandle(info.hProcess);
}

void StartConfigTool() {
  wchar_t directory[TextSlot];
  wchar_t path[TextSlot];
  ItemDirectory(directory, TextSlot);
  if (!directory[0] || !JoinText(path, TextSlot, directory, L"tvrcfg.exe")) return;
  LaunchTarget(path);
}
