// Entries of page_hooks.h whose module is not written yet: each does nothing,
// so the item runs with the pages it has. A module that defines an entry
// removes it from here.
#include "item/host/page_hooks.h"
#include "item/settings/item_settings.h"

void FillWeekdayNames() {}
void ReadSystemState() {}
void BuildSysInfoTexts() {}
void LayoutLauncher(HWND) {}

void ReleaseLauncherIcons() {}

void RefreshMonthGrid(const SYSTEMTIME&) {}
bool RefreshSystemState() { return false; }
bool RefreshSysInfoTexts() { return false; }

void PaintWirelessPage(HWND, HDC, int, int) {}
void PaintCalendarPage(HWND, HDC, int, int) {}
void PaintLauncherPage(HWND, HDC, int, int) {}
void PaintSysInfoPage(HWND, HDC, int, int) {}
