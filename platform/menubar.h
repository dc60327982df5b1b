// The Pocket PC soft-key bar (aygshell's SHCreateMenuBar and friends) for the
// desktop: an owned strip below its window, built from the RCDATA template.
#pragma once
#include <windows.h>

#include <commctrl.h>

typedef struct tagSHMENUBARINFO {
  DWORD cbSize;
  HWND hwndParent;
  DWORD dwFlags;
  UINT nToolBarId;
  HINSTANCE hInstRes;
  int nBmpId;
  int cBmpImages;
  HWND hwndMB;
  COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;
#ifndef _WIN64
static_assert(sizeof(SHMENUBARINFO) == 36, "the device's 32-bit SHMENUBARINFO");
#endif

typedef struct tagSHACTIVATEINFO {
  DWORD cbSize;
  HWND hwndLastFocus;
  UINT fSipUp : 1;
  UINT fSipOnDeactivation : 1;
  UINT fActive : 1;
  UINT fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIM_FLAGS 0x0001

// Builds the bar from RCDATA nToolBarId of hInstRes; fills hwndMB.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);
// Registers the extra controls, the "SIPPREF" class among them.
BOOL SHInitExtraControls(void);
BOOL SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info, DWORD flags);
// A change of the work area, or a turn of the screen (SETTINGCHANGE_RESET),
// re-fits a full-screen window above its bar.
BOOL SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);

// Where a full-screen program window goes: the work area, the screen less any
// task bar. The device gives a new top-level window the whole screen; the
// desktop's default position and size are three quarters of it.
RECT FullScreenArea(void);

// The soft-key bar's height at the screen's density: a program covers the
// screen above it.
int SoftKeyBarHeight(void);

// The bar's class name, so tests can find it.
#define MENUBAR_CLASSNAME L"menu_worker"
