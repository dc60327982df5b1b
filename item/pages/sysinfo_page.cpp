// SysInfo page: gathering the figures, rebuilding the texts, painting.
#include "item/pages/sysinfo_page.h"

#include <cwchar>

#include "item/draw/keyed_image.h"
#include "item/draw/state_images.h"
#include "item/host/page_hooks.h"
#include "platform/power.h"

SysInfoTextsRecord SysInfoTexts;

namespace {

bool FiguresPinned = false;
SysInfoFigures PinnedFigures;

LONG Clamp(long long v) {
  return static_cast<LONG>(v < -0x3FFFFFFF ? -0x3FFFFFFF : v > 0x3FFFFFFF ? 0x3FFFFFFF : v);
}

bool DiskFigures(const wchar_t* path, uint64_t* total, uint64_t* freeToCaller) {
  ULARGE_INTEGER available = {}, bytes = {}, totalFree = {};
  if (!GetDiskFreeSpaceExW(path, &available, &bytes, &totalFree)) return false;
  *total = bytes.QuadPart;
  *freeToCaller = available.QuadPart;
  return true;
}

template <int N>
bool StoreText(wchar_t (&stored)[N], const wchar_t (&fresh)[N]) {
  stored[N - 1] = L'\0';
  if (std::wcsncmp(stored, fresh, N) == 0) return false;
  std::wmemset(stored, L'\0', N);
  std::wcsncpy(stored, fresh, N - 1);
  return true;
}

}  // namespace

void SetSysInfoFiguresOverride(const SysInfoFigures* figures) {
  FiguresPinned = figures != nullptr;
  PinnedFigures = figures ? *figures : SysInfoFigures{};
}

void GatherSysInfoFigures(const wchar_t* cardPath, SysInfoFigures* f) {
  if (!f) return;
  *f = SysInfoFigures{};
  SYSTEM_POWER_STATUS_EX power = {};
  f->powerOk = GetSystemPowerStatusEx(&power, TRUE) != FALSE;
  f->batteryFlag = power.BatteryFlag;
  f->batteryPercent = power.BatteryLifePercent;
  MEMORYSTATUS memory = {};
  memory.dwLength = sizeof(memory);
  GlobalMemoryStatus(&memory);
  f->memoryLoad = memory.dwMemoryLoad;
  f->totalPhysical = memory.dwTotalPhys;
  f->availablePhysical = memory.dwAvailPhys;
  f->phoneOk = DiskFigures(nullptr, &f->phoneTotal, &f->phoneFree);
  f->cardOk = cardPath && DiskFigures(cardPath, &f->cardTotal, &f->cardFree);
}

void FormatSysInfoTexts(const SysInfoFigures& f, int ramType, int phoneType, int cardType,
                        SysInfoTextsRecord* out) {
  if (!out) return;
  *out = SysInfoTextsRecord{};
  FormatBatteryText(f.powerOk, f.batteryFlag, f.batteryPercent, out->Battery, BatteryTextSlot);
  FormatRamText(ramType, f.memoryLoad, f.totalPhysical, f.availablePhysical, out->Ram,
                MemoryTextSlot);
  if (f.phoneOk)
    FormatStorageText(phoneType, f.phoneTotal, f.phoneFree, out->Phone, MemoryTextSlot);
  if (f.cardOk) FormatStorageText(cardType, f.cardTotal, f.cardFree, out->Card, MemoryTextSlot);
}

bool StoreSysInfoTexts(SysInfoTextsRecord* stored, const SysInfoTextsRecord& fresh) {
  if (!stored) return false;
  bool changed = StoreText(stored->Battery, fresh.Battery);
  changed = StoreText(stored->Ram, fresh.Ram) || changed;
  changed = StoreText(stored->Phone, fresh.Phone) || changed;
  changed = StoreText(stored->Card, fresh.Card) || changed;
  return changed;
}

void ResetSysInfoTexts() { SysInfoTexts = SysInfoTextsRecord{}; }

bool RefreshSysInfoTexts() {
  // The texts belong to one item window; a re-created one starts empty.
  static HWND textsWindow = nullptr;
  if (textsWindow != ItemWindow) {
    ResetSysInfoTexts();
    textsWindow = ItemWindow;
  }
  SysInfoFigures figures = PinnedFigures;
  if (!FiguresPinned) GatherSysInfoFigures(ItemSettings.StorageCardPath, &figures);
  SysInfoTextsRecord fresh;
  const SysInfoSettings& s = ItemSettings.SysInfo;
  FormatSysInfoTexts(figures, s.RamType, s.PhoneType, s.CardType, &fresh);
  return StoreSysInfoTexts(&SysInfoTexts, fresh);
}

void BuildSysInfoTexts() { RefreshSysInfoTexts(); }

void PaintSysInfo(HDC dc, const SysInfoPaintInput& in) {
  const PageFrame& frame = in.frame;
  if (!dc || !in.font || !in.texts) return;
  HFONT font = CreateSpecFont(dc, *in.font);
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SetTextColor(dc, in.font->FontColor);

  const long long left = static_cast<long long>(frame.client.left) + frame.x + frame.marginLeft;
  const long long top = static_cast<long long>(frame.client.top) + frame.y + frame.marginTop;
  const long long bottom =
      static_cast<long long>(frame.client.top) + frame.y + frame.pageHeight - frame.marginBottom;
  const long long columnWidth = (static_cast<long long>(frame.client.right) - frame.marginRight -
                                 frame.marginLeft - frame.client.left) /
                                4;
  const wchar_t* texts[4] = {in.texts->Battery, in.texts->Ram, in.texts->Phone, in.texts->Card};
  for (int k = 0; k < 4; ++k) {
    const long long columnLeft = left + k * columnWidth;
    long long imageHeight = 0;
    if (in.images[k]) {
      const SIZE size = ImageSize(in.images[k]);
      DrawKeyedImage(dc, in.images[k], Clamp(columnLeft + (columnWidth - size.cx) / 2), Clamp(top));
      imageHeight = size.cy;
    }
    RECT box = {Clamp(columnLeft), Clamp(top + imageHeight), Clamp(columnLeft + columnWidth),
                Clamp(bottom)};
    DrawTextW(dc, texts[k], -1, &box, DT_SINGLELINE | DT_NOCLIP | DT_CENTER);
  }

  if (previous) SelectObject(dc, previous);
  if (font) DeleteObject(font);
}

void PaintSysInfoPage(HWND itemWindow, HDC dc, int dx, int dy) {
  SysInfoPaintInput in = {};
  if (!FramePage(itemWindow, PageKindSysInfo, dx, dy, &in.frame)) return;
  in.font = &ItemSettings.SysInfo.Font;
  in.texts = &SysInfoTexts;
  in.images[0] = StateImages.Battery;
  in.images[1] = StateImages.MemoryRam;
  in.images[2] = StateImages.MemoryPhone;
  in.images[3] = StateImages.MemoryCard;
  PaintSysInfo(dc, in);
}
