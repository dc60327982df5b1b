// The Today shell's item protocol as the Windows Mobile SDK defines it
// (todaycmn.h): messages, colours, export ordinals and records.
#pragma once
#include <windows.h>

#define MAX_ITEMNAME 32

#define WM_TODAYCUSTOM_CLEARCACHE (WM_USER + 242)         // 0x4F2
#define WM_TODAYCUSTOM_QUERYREFRESHCACHE (WM_USER + 243)  // 0x4F3
#define WM_TODAYCUSTOM_RECEIVEDSELECTION (WM_USER + 244)  // 0x4F4
#define WM_TODAYCUSTOM_LOSTSELECTION (WM_USER + 245)      // 0x4F5
#define WM_TODAYCUSTOM_USERNAVIGATION (WM_USER + 246)     // 0x4F6
#define WM_TODAYCUSTOM_ACTION (WM_USER + 247)             // 0x4F7

#define TODAYM_GETCOLOR (WM_USER + 100)       // 0x464
#define TODAYM_DRAWWATERMARK (WM_USER + 101)  // 0x465
#define TODAYM_TOOKSELECTION (WM_USER + 102)  // 0x466

#define TODAYCOLOR_TEXT 0x10000004
#define TODAYCOLOR_HIGHLIGHT 0x10000022
#define TODAYCOLOR_HIGHLIGHTEDTEXT 0x10000023

#define ORDINAL_INITIALIZEITEM 240
#define ORDINAL_OPTIONSDIALOGPROC 241
#define IDD_TODAY_CUSTOM 500

typedef enum _TODAYLISTITEMTYPE {
  tlitOwnerInfo = 0,
  tlitAppointments,
  tlitMail,
  tlitTasks,
  tlitCustom,
  tlitNil
} TODAYLISTITEMTYPE;

typedef struct _TODAYLISTITEM {
  TCHAR szName[MAX_ITEMNAME];
  TODAYLISTITEMTYPE tlit;
  DWORD dwOrder;
  DWORD cyp;
  BOOL fEnabled;
  BOOL fOptions;
  DWORD grfFlags;
  TCHAR szDLLPath[MAX_PATH];
  HINSTANCE hinstDLL;
  HWND hwndCustom;
  BOOL fSizeOnDraw;
  BYTE* prgbCachedData;
  DWORD cbCachedData;
  DWORD dwSelectability;
} TODAYLISTITEM, *PTODAYLISTITEM;

typedef struct {
  HDC hdc;
  RECT rc;
  HWND hwnd;
} TODAYDRAWWATERMARKINFO;

// The field layouts as the device's 32-bit build lays them out.
#ifndef _WIN64
static_assert(sizeof(TODAYLISTITEM) == 632, "the device's 32-bit TODAYLISTITEM");
static_assert(sizeof(TODAYDRAWWATERMARKINFO) == 24, "the device's 32-bit TODAYDRAWWATERMARKINFO");
#endif

typedef HWND(WINAPI* PFNCUSTOMINITIALIZEITEM)(TODAYLISTITEM*, HWND);
typedef BOOL(WINAPI* PFNCUSTOMOPTIONSDLGPROC)(HWND, UINT, WPARAM, LPARAM);
