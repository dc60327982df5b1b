// ReadItemSettings: defaults first, then every key of the tree in turn, then
// the page table's order and paging count, then the launcher icons.
#include <windows.h>
// windows.h first: the shell and control headers build on it.
#include <commctrl.h>
#include <shellapi.h>

#include <climits>
#include <cwchar>

#include "item/settings/fonts.h"
#include "item/settings/item_settings.h"
#include "item/settings/page_table.h"
#include "item/settings/registry_read.h"

ItemSettingsRecord ItemSettings;

static void SetFont(FontSpec* spec, int size, int bold, COLORREF color) {
  CopyText(spec->FontName, TextSlot, L"Tahoma");
  spec->FontSize = size;
  spec->FontBold = bold;
  spec->FontColor = color;
  spec->ClearType = 1;
}

static int FontSizeInRange(int size) { return size < 1 ? 1 : size > 100 ? 100 : size; }

static void ResetDefaults(ItemSettingsRecord& s) {
  const COLORREF white = 0x00FFFFFF;
  s.FixedPageCount = 3;
  // The margins all follow the horizontal resolution.
  s.MarginLeft = ScaleLength(10, ScreenDpiX());
  s.MarginTop = ScaleLength(2, ScreenDpiX());
  s.MarginRight = ScaleLength(10, ScreenDpiX());
  s.MarginBottom = ScaleLength(2, ScreenDpiX());
  s.TapType = 1;

  WirelessSettings& w = s.Wireless;
  SetFont(&w.Font, 8, 0, white);
  w.ShowBT = w.ShowWF = w.ShowCalls = w.ShowSMS = w.ShowEMails = 1;
  CopyText(w.OnClick, TextSlot, L"Windows\\wrlsmgr.exe");
  w.Height = ScaleLength(15, ScreenDpiY());
  w.Order = 0;
  w.Visible = 1;

  TimeSettings& t = s.Time;
  SetFont(&t.Font1, 30, 1, white);
  SetFont(&t.Font2, 7, 0, white);
  t.TimeFormat = 2;
  t.ShowAlarm = 1;
  t.ShowDate = 0;
  CopyText(t.OnClick, TextSlot, L"Windows\\clock.exe");
  t.Height = ScaleLength(30, ScreenDpiY());
  t.Order = 1;
  t.Visible = 1;

  DateSettings& d = s.Date;
  SetFont(&d.Font1, 8, 1, white);
  SetFont(&d.Font2, 8, 1, white);
  CopyText(d.Format1, FormatSlot, L"");
  CopyText(d.Format2, FormatSlot, L"dddd");
  CopyText(d.OnClick, TextSlot, L"Windows\\clock.exe");
  d.Height = ScaleLength(15, ScreenDpiY());
  d.Order = 2;
  d.Visible = 1;

  CalendarSettings& c = s.Calendar;
  SetFont(&c.Font, 8, 0, white);
  SetFont(&c.FontWeekdays, 6, 0, 0x00808080);
  c.ColorToday = 0x0000FF00;
  c.ColorSaturday = 0x008080FF;
  c.ColorSunday = 0x008080FF;
  c.ColorOther = 0x00808080;
  CopyText(c.OnClick, TextSlot, L"Windows\\calendar.exe");
  c.Height = ScaleLength(48, ScreenDpiY());
  c.Order = 3;
  c.Visible = 1;

  // The launcher list is not reset here: a missing Launcher key leaves it as it was.
  LauncherSettings& l = s.Launcher;
  l.BigIcons = 1;
  l.Align = 0;
  l.Height = ScaleLength(48, ScreenDpiY());
  l.Order = 4;
  l.Visible = 1;

  SysInfoSettings& i = s.SysInfo;
  SetFont(&i.Font, 8, 0, white);
  i.RamType = i.PhoneType = i.CardType = 0;
  i.OnClick1[0] = i.OnClick2[0] = L'\0';
  i.Height = ScaleLength(48, ScreenDpiY());
  i.Order = 5;
  i.Visible = 1;

  s.StorageCardPath[0] = L'\0';
  ResetPageTable(s.PageTable);
  s.PagingCount = 0;
}

static void ReadPageCommon(HKEY key, int* height, int* order, int* visible) {
  ReadDwordValue(key, ValHeight, height);
  ReadDwordValue(key, ValOrder, order);
  ReadDwordValue(key, ValVisible, visible);
}

static void ReadRoot(HKEY key, ItemSettingsRecord& s) {
  ReadDwordValue(key, ValFixedPageCount, &s.FixedPageCount);
  s.FixedPageCount = s.FixedPageCount < 0 ? 0 : s.FixedPageCount > 6 ? 6 : s.FixedPageCount;
  ReadDwordValue(key, ValMarginLeft, &s.MarginLeft);
  ReadDwordValue(key, ValMarginTop, &s.MarginTop);
  ReadDwordValue(key, ValMarginRight, &s.MarginRight);
  ReadDwordValue(key, ValMarginBottom, &s.MarginBottom);
  ReadDwordValue(key, ValTapType, &s.TapType);
}

static void ReadWireless(HKEY key, WirelessSettings& w) {
  ReadFontSpec(key, L"", ValFontColor, &w.Font);  // used as read: no size limit here
  ReadDwordValue(key, ValShowBT, &w.ShowBT);
  ReadDwordValue(key, ValShowWF, &w.ShowWF);
  ReadDwordValue(key, ValShowCalls, &w.ShowCalls);
  ReadDwordValue(key, ValShowSMS, &w.ShowSMS);
  ReadDwordValue(key, ValShowEMails, &w.ShowEMails);
  ReadTextValue(key, ValOnClick, w.OnClick, TextSlot);
  ReadPageCommon(key, &w.Height, &w.Order, &w.Visible);
}

static void ReadTime(HKEY key, TimeSettings& t) {
  ReadFontSpec(key, L"1", ValFontColor, &t.Font1);
  ReadFontSpec(key, L"2", ValFontColor, &t.Font2);
  ReadDwordValue(key, ValTimeFormat, &t.TimeFormat);
  ReadDwordValue(key, ValShowAlarm, &t.ShowAlarm);
  ReadDwordValue(key, ValShowDate, &t.ShowDate);
  ReadTextValue(key, ValOnClick, t.OnClick, TextSlot);
  ReadPageCommon(key, &t.Height, &t.Order, &t.Visible);
  t.Font1.FontSize = FontSizeInRange(t.Font1.FontSize);
  t.Font2.FontSize = FontSizeInRange(t.Font2.FontSize);
}

static void ReadDate(HKEY key, DateSettings& d) {
  ReadFontSpec(key, L"1", ValFontColor, &d.Font1);
  ReadFontSpec(key, L"2", ValFontColor, &d.Font2);
  ReadTextValue(key, ValFormat1, d.Format1, FormatSlot);
  ReadTextValue(key, ValFormat2, d.Format2, FormatSlot);
  ReadTextValue(key, ValOnClick, d.OnClick, TextSlot);
  ReadPageCommon(key, &d.Height, &d.Order, &d.Visible);
  d.Font1.FontSize = FontSizeInRange(d.Font1.FontSize);
  d.Font2.FontSize = FontSizeInRange(d.Font2.FontSize);
}

static void ReadCalendar(HKEY key, CalendarSettings& c) {
  ReadFontSpec(key, L"", ValColor, &c.Font);
  ReadFontSpec(key, SuffixWeekdays, ValColor, &c.FontWeekdays);
  ReadDwordValue(key, ValColorToday, &c.ColorToday);
  ReadDwordValue(key, ValColorSaturday, &c.ColorSaturday);
  ReadDwordValue(key, ValColorSunday, &c.ColorSunday);
  ReadDwordValue(key, ValColorOther, &c.ColorOther);
  ReadTextValue(key, ValOnClick, c.OnClick, TextSlot);
  ReadPageCommon(key, &c.Height, &c.Order, &c.Visible);
  c.Font.FontSize = FontSizeInRange(c.Font.FontSize);
  c.FontWeekdays.FontSize = FontSizeInRange(c.FontWeekdays.FontSize);
}

void ReleaseLauncherIcons() {
  for (LauncherItem& item : ItemSettings.Launcher.Items) {
    if (item.Icon) DestroyIcon(item.Icon);
    item.Icon = nullptr;
  }
}

static void ReadLauncher(HKEY key, LauncherSettings& l) {
  ReadDwordValue(key, ValBigIcons, &l.BigIcons);
  ReadDwordValue(key, ValAlign, &l.Align);
  ReadPageCommon(key, &l.Height, &l.Order, &l.Visible);
  ReleaseLauncherIcons();
  l.Items.clear();
  // FileName1, FileName2, ... up to the first one missing or unreadable.
  for (int index = 1; index < INT_MAX; ++index) {
    wchar_t name[32];
    swprintf(name, 32, L"%ls%i", ValFileNamePrefix, index);
    LauncherItem item = {};
    if (!ReadTextValue(key, name, item.Path, TextSlot)) break;
    l.Items.push_back(item);
  }
}

static void ReadSysInfo(HKEY key, SysInfoSettings& i) {
  ReadFontSpec(key, L"", ValFontColor, &i.Font);
  ReadDwordValue(key, ValRamType, &i.RamType);
  ReadDwordValue(key, ValPhoneType, &i.PhoneType);
  ReadDwordValue(key, ValCardType, &i.CardType);
  ReadTextValue(key, ValOnClick1, i.OnClick1, TextSlot);
  ReadTextValue(key, ValOnClick2, i.OnClick2, TextSlot);
  ReadPageCommon(key, &i.Height, &i.Order, &i.Visible);
  i.Font.FontSize = FontSizeInRange(i.Font.FontSize);
}

// Opens one key of the tree for reading; a key that cannot be opened keeps its defaults.
template <typename Reader>
static void ReadKey(const wchar_t* subkey, Reader read) {
  wchar_t path[TextSlot];
  if (subkey[0])
    swprintf(path, TextSlot, L"%ls\\%ls", SettingsRootKey, subkey);
  else
    CopyText(path, TextSlot, SettingsRootKey);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  read(key);
  RegCloseKey(key);
}

#ifndef _WIN64
static_assert(sizeof(SHFILEINFOW) == 692, "the device's 32-bit SHFILEINFO");
#endif

static void FetchLauncherIcons(LauncherSettings& l) {
  for (LauncherItem& item : l.Items) {
    if (!item.Path[0]) continue;
    SHFILEINFOW info = {};
    UINT flags = SHGFI_ICON | (l.BigIcons ? 0 : SHGFI_SMALLICON);
    SHGetFileInfoW(item.Path, 0, &info, sizeof(info), flags);
    // An icon still held from an earlier window is not leaked when replaced.
    if (item.Icon && item.Icon != info.hIcon) DestroyIcon(item.Icon);
    item.Icon = info.hIcon;
  }
}

void ReadItemSettings() {
  ItemSettingsRecord& s = ItemSettings;
  ResetDefaults(s);

  wchar_t directory[TextSlot];
  ItemDirectory(directory, TextSlot);
  JoinText(s.SysInfo.OnClick1, TextSlot, directory, L"battery.lnk");
  JoinText(s.SysInfo.OnClick2, TextSlot, directory, L"memory.lnk");

  ReadKey(L"", [&](HKEY key) { ReadRoot(key, s); });
  ReadKey(PageKeyName(PageKindWireless), [&](HKEY key) { ReadWireless(key, s.Wireless); });
  ReadKey(PageKeyName(PageKindTime), [&](HKEY key) { ReadTime(key, s.Time); });
  ReadKey(PageKeyName(PageKindDate), [&](HKEY key) { ReadDate(key, s.Date); });
  ReadKey(PageKeyName(PageKindCalendar), [&](HKEY key) { ReadCalendar(key, s.Calendar); });
  ReadKey(PageKeyName(PageKindLauncher), [&](HKEY key) { ReadLauncher(key, s.Launcher); });
  ReadKey(PageKeyName(PageKindSysInfo), [&](HKEY key) { ReadSysInfo(key, s.SysInfo); });

  // The table still in kind order: each record takes its page's Order and Visible.
  const int orders[PageKindCount] = {s.Wireless.Order, s.Time.Order,     s.Date.Order,
                                     s.Calendar.Order, s.Launcher.Order, s.SysInfo.Order};
  const int visibles[PageKindCount] = {s.Wireless.Visible, s.Time.Visible,     s.Date.Visible,
                                       s.Calendar.Visible, s.Launcher.Visible, s.SysInfo.Visible};
  for (int i = 0; i < PageKindCount; ++i) {
    s.PageTable[i].Order = orders[i];
    s.PageTable[i].Visible = visibles[i];
  }
  SortPageTable(s.PageTable);
  s.PagingCount = CountPagingPages(s.PageTable, s.FixedPageCount);

  InitCommonControls();
  FetchLauncherIcons(s.Launcher);
}

void ReadStorageCardPath() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, FileExplorerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  ReadTextValue(key, ValStorageCardPath, ItemSettings.StorageCardPath, TextSlot);
  RegCloseKey(key);
}
