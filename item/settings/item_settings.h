// The item's settings: one static block holding every value of the settings
// tree, the page table built from it and the launcher list. Filled once per
// item window by ReadItemSettings; every page reads its values from here by
// their registry names.
#pragma once
#include <windows.h>

#include <vector>

#include "common/registry_names.h"

// The font of one text role, in the order the registry groups it.
struct FontSpec {
  wchar_t FontName[TextSlot];
  int FontSize;  // points
  int FontBold;  // flag
  COLORREF FontColor;
  int ClearType;  // flag
};

// One page of the page table; Height is the stored pixel height (0 when invisible).
struct PageRecord {
  int PageKind;
  int Order;
  int Visible;
  int Height;
};

// One shortcut of the Launcher page: its path, the shell's icon for it (owned)
// and where the Launcher layout placed it (x in window coordinates, y from the page top).
struct LauncherItem {
  wchar_t Path[TextSlot];
  HICON Icon;
  RECT Rect;
};

struct WirelessSettings {
  FontSpec Font;  // FontName, FontSize, FontBold, FontColor, ClearType
  int ShowBT;
  int ShowWF;
  int ShowCalls;
  int ShowSMS;
  int ShowEMails;
  wchar_t OnClick[TextSlot];
  int Height;  // as stored; -1 asks for the natural height
  int Order;
  int Visible;
};

struct TimeSettings {
  FontSpec Font1;  // the clock
  FontSpec Font2;  // the next-alarm text
  int TimeFormat;
  int ShowAlarm;
  int ShowDate;
  wchar_t OnClick[TextSlot];
  int Height;
  int Order;
  int Visible;
};

struct DateSettings {
  FontSpec Font1;
  FontSpec Font2;
  wchar_t Format1[FormatSlot];
  wchar_t Format2[FormatSlot];
  wchar_t OnClick[TextSlot];
  int Height;
  int Order;
  int Visible;
};

struct CalendarSettings {
  FontSpec Font;          // FontName, FontSize, FontBold, Color, ClearType
  FontSpec FontWeekdays;  // FontNameWeekdays, ..., ColorWeekdays, ClearTypeWeekdays
  COLORREF ColorToday;
  COLORREF ColorSaturday;
  COLORREF ColorSunday;
  COLORREF ColorOther;
  wchar_t OnClick[TextSlot];
  int Height;
  int Order;
  int Visible;
};

struct LauncherSettings {
  int BigIcons;
  int Align;
  int Height;
  int Order;
  int Visible;
  std::vector<LauncherItem> Items;  // FileName1, FileName2, ... in order
};

struct SysInfoSettings {
  FontSpec Font;
  int RamType;
  int PhoneType;
  int CardType;
  wchar_t OnClick1[TextSlot];
  wchar_t OnClick2[TextSlot];
  int Height;
  int Order;
  int Visible;
};

struct ItemSettingsRecord {
  // Root key.
  int FixedPageCount;  // 0..6
  int MarginLeft;
  int MarginTop;
  int MarginRight;
  int MarginBottom;
  int TapType;

  WirelessSettings Wireless;
  TimeSettings Time;
  DateSettings Date;
  CalendarSettings Calendar;
  LauncherSettings Launcher;
  SysInfoSettings SysInfo;

  wchar_t StorageCardPath[TextSlot];  // read at item creation

  // Sorted by Order after loading; positions below FixedPageCount are fixed.
  PageRecord PageTable[PageKindCount];
  int PagingCount;  // visible records among the paging positions
};

// The item's settings, in the library's static storage.
extern ItemSettingsRecord ItemSettings;

// Rebuilds ItemSettings from defaults and the registry: every key of the
// tree, the page table's order and paging count, the launcher icons. The
// page heights are the layout's to store (LoadItemSettings in the host).
void ReadItemSettings();

// Destroys the launcher icons the settings hold (a reload, or the window going).
void ReleaseLauncherIcons();

// Reads "StorageCardPath" into ItemSettings (item creation).
void ReadStorageCardPath();

// The library's own folder with its trailing backslash ("" if it does not fit).
void ItemDirectory(wchar_t* out, int capacity);

// First position of the page table holding that kind, -1 if none.
int FindPageOfKind(int kind);

// length x LOGPIXELSY / 96 of the screen, truncated; saturates instead of overflowing.
int ScaleByDpi(int length);

// Screen resolutions (a screen DC is obtained and released for each).
int ScreenDpiX();
int ScreenDpiY();

// The description of the FontSpec's font on that DC; false if the system
// font to start from cannot be read.
bool DescribeSpecFont(HDC dc, const FontSpec& spec, LOGFONTW* font);
// A font for the FontSpec on that DC; the caller deletes it. 0 if it cannot be made.
HFONT CreateSpecFont(HDC dc, const FontSpec& spec);

// Height of "0" in the FontSpec's font on that DC; every line height comes from it.
int MeasureLineHeight(HDC dc, const FontSpec& spec);
