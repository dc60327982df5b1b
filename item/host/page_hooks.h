// The places where the drawing kit and the page modules plug into the item
// window's life: its creation, its destruction, the once-a-second tick and
// the paint pass. Each module defines its own entries; until a module exists
// its entries are defined as doing nothing in page_hooks_pending.cpp.
#pragma once
#include <windows.h>

// Creation sequence, in the order the item window calls them.
void LoadStateImages(HWND itemWindow);  // drawing kit
void FillWeekdayNames();                // calendar page
void ReadSystemState();                 // wireless page
void BuildSysInfoTexts();               // sysinfo page
void LayoutLauncher(HWND itemWindow);   // launcher page

// Released when the item window goes, so the shell can re-create it often.
void ReleaseStateImages();
void ReleaseLauncherIcons();

// Height of the "battery" state image, 0 while it is not loaded
// (the sysinfo page's natural height includes it).
int BatteryImageHeight();

// The launcher's natural height: the rows its layout makes in the item
// window as it is now, and the margins.
int LauncherNaturalHeight(HWND itemWindow);

// The once-a-second refresh; force recomputes every text and repaints.
void RefreshTick(int force);

// The steps of the refresh that belong to other pages, called by RefreshTick
// in its order; each returns true when something its page shows changed.
void RefreshMonthGrid(const SYSTEMTIME& today);  // calendar page: new minute or forced
bool ReadAlarmState();                           // time page: first part of the state reader
bool RefreshSystemState();   // wireless page: the state reader after the alarms
bool RefreshSysInfoTexts();  // sysinfo page: its texts, while a SysInfo page is visible

// WM_USER: the platform announces a state change. The state is read at once
// without painting; what changed is kept for the next tick to repaint, since
// that tick's own read then finds nothing new.
void ReadAnnouncedState();        // wireless page
bool TakeAnnouncedStateChange();  // wireless page: true once after a change was read

// Page painters: item window, device context, horizontal and vertical offset.
// Each reads its own height from its PageRecord.
void PaintWirelessPage(HWND itemWindow, HDC dc, int dx, int dy);
void PaintTimePage(HWND itemWindow, HDC dc, int dx, int dy);
void PaintDatePage(HWND itemWindow, HDC dc, int dx, int dy);
void PaintCalendarPage(HWND itemWindow, HDC dc, int dx, int dy);
void PaintLauncherPage(HWND itemWindow, HDC dc, int dx, int dy);
void PaintSysInfoPage(HWND itemWindow, HDC dc, int dx, int dy);
