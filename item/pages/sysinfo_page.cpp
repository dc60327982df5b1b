// SysInfo page: gathering the figures, rebuilding the texts, painting, taps.
#include "item/pages/sysinfo_page.h"

#include <climits>
#include <cwchar>

#include "item/draw/keyed_image.h"
#include "item/draw/state_images.h"
#include "item/draw/held_fonts.h"
#include "item/draw/text.h"
#include "item/pages/page_modules.h"
#include "item/settings/bounded_text.h"
#include "item/settings/page_table.h"
#include "item/settings/saturating.h"
#include "platform/power.h"

SysInfoTextsRecord SysInfoTexts;

namespace {

bool FiguresPinned = false;
SysInfoFigures PinnedFigures;

bool DiskFigures(const wchar_t* path, uint64_t* total, uint64_t* freeToCaller) {
  ULARGE_INTEGER available = {}, bytes = {}, totalFree = {};
  if (!GetDiskFreeSpaceExW(path, &available, &bytes, &totalFree)) return false;
  *total = bytes.QuadPart;
  *freeToCaller = available.QuadPart;
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
  bool changed = StoreText(stored->Battery, BatteryTextSlot, fresh.Battery);
  changed = StoreText(stored->Ram, MemoryTextSlot, fresh.Ram) || changed;
  changed = StoreText(stored->Phone, MemoryTextSlot, fresh.Phone) || changed;
  changed = StoreText(stored->Card, MemoryTextSlot, fresh.Card) || changed;
  return changed;
}

void ResetSysInfoTexts() { SysInfoTexts = SysInfoTextsRecord{}; }

bool RefreshSysInfoTexts() {
  SysInfoFigures figures = PinnedFigures;
  if (!FiguresPinned) GatherSysInfoFigures(ItemSettings.StorageCardPath, &figures);
  SysInfoTextsRecord fresh;
  const SysInfoSettings& s = ItemSettings.SysInfo;
  FormatSysInfoTexts(figures, s.RamType, s.PhoneType, s.CardType, &fresh);
  return StoreSysInfoTexts(&SysInfoTexts, fresh);
}

void PaintSysInfo(HDC dc, const SysInfoPaintInput& in) {
  const PageFrame& frame = in.frame;
  if (!dc || !in.font || !in.texts) return;
  HFONT font = TakeSpecFont(dc, *in.font);
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SetTextColor(dc, in.font->FontColor);

  const PageEdges edges = PageEdgesOf(frame);
  const long long left = edges.left, top = edges.top, bottom = edges.bottom;
  const long long columnWidth = (static_cast<long long>(frame.client.right) - frame.marginRight -
                                 frame.marginLeft - frame.client.left) /
                                SysInfoColumnCount;
  const wchar_t* texts[SysInfoColumnCount] = {in.texts->Battery, in.texts->Ram, in.texts->Phone,
                                              in.texts->Card};
  for (int k = 0; k < SysInfoColumnCount; ++k) {
    const long long columnLeft = left + k * columnWidth;
    long long imageHeight = 0;
    if (in.images[k]) {
      const SIZE size = ImageSize(in.images[k]);
      DrawKeyedImage(dc, in.images[k], ClampToCoordinate(columnLeft + (columnWidth - size.cx) / 2),
                     ClampToCoordinate(top));
      imageHeight = size.cy;
    }
    RECT box = {ClampToCoordinate(columnLeft), ClampToCoordinate(top + imageHeight),
                ClampToCoordinate(columnLeft + columnWidth), ClampToCoordinate(bottom)};
    DrawTextW(dc, texts[k], -1, &box, TextCentre);
  }

  if (previous) SelectObject(dc, previous);
  PutBackFont(font);
}

void PaintSysInfoPage(HDC dc, const PageFrame& frame) {
  SysInfoPaintInput in = {};
  in.frame = frame;
  in.font = &ItemSettings.SysInfo.Font;
  in.texts = &SysInfoTexts;
  in.images[BatteryColumn] = StateImages.Battery;
  in.images[RamColumn] = StateImages.MemoryRam;
  in.images[PhoneColumn] = StateImages.MemoryPhone;
  in.images[CardColumn] = StateImages.MemoryCard;
  PaintSysInfo(dc, in);
}

int SysInfoTapTarget(int x, int left, int right) {
  if (!(left < x && x < right)) return 0;
  long long quarter = (static_cast<long long>(right) - left) / 4;
  return x < left + quarter ? 1 : 2;
}

namespace {

void ResetSysInfoPage(HWND) { ResetSysInfoTexts(); }

// The card is measured where the file explorer says it is mounted.
void CreateSysInfoPage(HWND) {
  ReadStorageCardPath();
  RefreshSysInfoTexts();
}

// The texts are rebuilt only while the page is shown.
bool TickSysInfoPage(const TickMoment&) {
  return PageVisible(PageKindSysInfo) && RefreshSysInfoTexts();
}

// The text line under the battery image, the tallest of the four.
int SysInfoNaturalHeight(HDC dc, const RECT&) {
  return WithMargins(
      SaturatingAdd(MeasureLineHeight(dc, ItemSettings.SysInfo.Font), BatteryImageHeight()));
}

// The battery column starts one target, the three memory columns another.
void TapSysInfoPage(const PageFrame& frame, int x, int, bool allowed, wchar_t* target,
                    int capacity) {
  if (capacity > 0) target[0] = L'\0';
  if (!allowed) return;
  const long long left = static_cast<long long>(frame.client.left) + frame.marginLeft;
  const long long right = static_cast<long long>(frame.client.right) - frame.marginRight;
  // Margins beyond the int range leave no room to tap.
  if (left > INT_MAX || right < INT_MIN) return;
  const int column = SysInfoTapTarget(x, static_cast<int>(left), static_cast<int>(right));
  if (column == 1) CopyText(target, capacity, ItemSettings.SysInfo.OnClick1);
  if (column == 2) CopyText(target, capacity, ItemSettings.SysInfo.OnClick2);
}

}  // namespace

const PageModule SysInfoPageModule = {
    ResetSysInfoPage, CreateSysInfoPage, TickSysInfoPage, SysInfoNaturalHeight,
    PaintSysInfoPage, TapSysInfoPage,    nullptr,
};
