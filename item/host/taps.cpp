// Hit test, per-kind dispatch and the one routine that starts targets.
#include "item/host/taps.h"

#include <windows.h>
#include <shellapi.h>

#include <climits>
#include <cstdio>
#include <cwchar>

#include "item/host/paging.h"
#include "item/settings/item_settings.h"
#include "item/settings/registry_read.h"

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

int SysInfoTapTarget(int x, int left, int right) {
  if (!(left < x && x < right)) return 0;
  long long quarter = (static_cast<long long>(right) - left) / 4;
  return x < left + quarter ? 1 : 2;
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

static void TapLauncher(int x, int y) {
  // The path is copied out: the shell may pump messages while it starts the target.
  for (const LauncherItem& item : ItemSettings.Launcher.Items) {
    POINT point = {x, y};
    if (PtInRect(&item.Rect, point)) {
      wchar_t path[TextSlot];
      CopyText(path, TextSlot, item.Path);
      LaunchTarget(path);
      return;
    }
  }
}

static void TapSysInfo(int x, bool doubleTap) {
  if (!TapAllowed(doubleTap)) return;
  RECT client = {};
  if (ItemWindow) GetClientRect(ItemWindow, &client);
  const ItemSettingsRecord& s = ItemSettings;
  long long left = static_cast<long long>(client.left) + s.MarginLeft;
  long long right = static_cast<long long>(client.right) - s.MarginRight;
  // Margins beyond the int range leave no room to tap.
  if (left > INT_MAX || right < INT_MIN) return;
  int target = SysInfoTapTarget(x, static_cast<int>(left), static_cast<int>(right));
  if (target == 1) LaunchTarget(s.SysInfo.OnClick1);
  if (target == 2) LaunchTarget(s.SysInfo.OnClick2);
}

void DispatchTap(int position, int x, int y, bool doubleTap) {
  if (position < 0 || position >= PageKindCount) return;
  const ItemSettingsRecord& s = ItemSettings;
  switch (s.PageTable[position].PageKind) {
    case PageKindWireless:
      if (TapAllowed(doubleTap)) LaunchTarget(s.Wireless.OnClick);
      break;
    case PageKindTime:
      if (TapAllowed(doubleTap)) LaunchTarget(s.Time.OnClick);
      break;
    case PageKindDate:
      if (TapAllowed(doubleTap)) LaunchTarget(s.Date.OnClick);
      break;
    case PageKindCalendar:
      if (TapAllowed(doubleTap)) LaunchTarget(s.Calendar.OnClick);
      break;
    case PageKindLauncher:
      TapLauncher(x, y);  // every tap message on an icon starts it
      break;
    case PageKindSysInfo: TapSysInfo(x, doubleTap); break;
    default: break;
  }
}

static bool Readable(const wchar_t* path) {
  FILE* file = _wfopen(path, L"rb");
  if (!file) return false;
  fclose(file);
  return true;
}

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
