// The SysInfo page: the four column texts the refresh rebuilds, the figures
// they come from, and the painter of the four columns.
#pragma once
#include <windows.h>

#include <cstdint>

#include "item/pages/sysinfo_text.h"
#include "item/pages/page_frame.h"
#include "item/settings/item_settings.h"

// The four columns, left to right.
enum SysInfoColumn { BatteryColumn, RamColumn, PhoneColumn, CardColumn, SysInfoColumnCount };

struct SysInfoTextsRecord {
  wchar_t Battery[BatteryTextSlot];
  wchar_t Ram[MemoryTextSlot];
  wchar_t Phone[MemoryTextSlot];
  wchar_t Card[MemoryTextSlot];
};
extern SysInfoTextsRecord SysInfoTexts;

// What the platform reports right now.
struct SysInfoFigures {
  bool powerOk;
  unsigned char batteryFlag;
  unsigned char batteryPercent;
  unsigned long memoryLoad;
  uint64_t totalPhysical;
  uint64_t availablePhysical;
  bool phoneOk;
  uint64_t phoneTotal;
  uint64_t phoneFree;  // free to the caller
  bool cardOk;
  uint64_t cardTotal;
  uint64_t cardFree;
};

// Battery, memory and both storages; the card is measured at cardPath.
void GatherSysInfoFigures(const wchar_t* cardPath, SysInfoFigures* figures);

// Pins the figures the refresh uses (copied), or, with null, returns to the
// platform's. Tests and benchmarks use it to hold memory and disks still.
void SetSysInfoFiguresOverride(const SysInfoFigures* figures);

// The four texts for the figures in the given modes.
void FormatSysInfoTexts(const SysInfoFigures& f, int ramType, int phoneType, int cardType,
                        SysInfoTextsRecord* out);

// Stores each text that differs; true when any did.
bool StoreSysInfoTexts(SysInfoTextsRecord* stored, const SysInfoTextsRecord& fresh);

void ResetSysInfoTexts();

// Gathers the figures (or takes the pinned ones) and stores the texts that
// changed; true when any did.
bool RefreshSysInfoTexts();

struct SysInfoPaintInput {
  PageFrame frame;
  const FontSpec* font;
  const SysInfoTextsRecord* texts;
  HBITMAP images[SysInfoColumnCount];
};

void PaintSysInfo(HDC dc, const SysInfoPaintInput& in);
void PaintSysInfoPage(HDC dc, const PageFrame& frame);

// Which SysInfo target a tap at x starts: 1 the left quarter, 2 the rest, 0 on the margins.
int SysInfoTapTarget(int x, int left, int right);
