// ConfigModel and the load and save passes over the settings tree.
#include "config/model/config_model.h"

#include <cstring>
#include <cwchar>

#include "config/model/registry_io.h"
#include "config/model/text_util.h"

ConfigModel Model = {PageKindCount, -1, {}, -1, nullptr, 0, 0, {}, {}, {}, {}, {}};

const wchar_t* const PageDisplayNames[PageKindCount] = {L"Беспр. связь", L"Часы",   L"Дата",
                                                        L"Календарь",    L"Запуск", L"Информация"};

namespace {

// A program's static model starts with the initial page table.
struct InitialPages {
  InitialPages() { ResetPages(Model.Pages); }
} initialPages;

int ScreenDensity(int index) {
  HDC screen = GetDC(nullptr);
  int density = screen ? GetDeviceCaps(screen, index) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return density > 0 ? density : 96;
}

int Scale(int value, int dpi) { return static_cast<int>(static_cast<long long>(value) * dpi / 96); }

void PutFont(FontSpec* font, int size, int bold, COLORREF color) {
  CopyText(font->Name, L"Tahoma");
  font->Size = size;
  font->Bold = bold;
  font->Color = color;
  font->ClearType = 1;
}

// "%s%s" of folder and name; a folder too long for the slot gives an empty
// default, never a cut path.
void JoinDefault(wchar_t (&slot)[TextSlot], const wchar_t* folder, const wchar_t* name) {
  slot[0] = L'\0';
  if (BoundedLength(folder, TextSlot) + BoundedLength(name, TextSlot) >= TextSlot) return;
  swprintf(slot, TextSlot, L"%ls%ls", folder, name);
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

void ClampFontSize(FontSpec* font) { font->Size = Clamp(font->Size, 1, 100); }

// Reads the five values of a font whose names end in suffix; the colour's
// name is colorName + suffix (FontColor, or Color for the Calendar).
void ReadFontValues(HKEY key, FontSpec* font, const wchar_t* suffix, const wchar_t* colorName) {
  wchar_t name[64];
  swprintf(name, 64, L"%ls%ls", ValFontSize, suffix);
  ReadDword(key, name, &font->Size);
  swprintf(name, 64, L"%ls%ls", ValFontBold, suffix);
  ReadDword(key, name, &font->Bold);
  swprintf(name, 64, L"%ls%ls", colorName, suffix);
  ReadDword(key, name, &font->Color);
  swprintf(name, 64, L"%ls%ls", ValClearType, suffix);
  ReadDword(key, name, &font->ClearType);
}

void WriteFontValues(HKEY key, const FontSpec& font, const wchar_t* suffix,
                     const wchar_t* colorName) {
  wchar_t name[64];
  swprintf(name, 64, L"%ls%ls", ValFontSize, suffix);
  WriteDword(key, name, font.Size);
  swprintf(name, 64, L"%ls%ls", ValFontBold, suffix);
  WriteDword(key, name, font.Bold);
  swprintf(name, 64, L"%ls%ls", colorName, suffix);
  WriteDword(key, name, font.Color);
  swprintf(name, 64, L"%ls%ls", ValClearType, suffix);
  WriteDword(key, name, font.ClearType);
}

void ReadFontName(HKEY key, FontSpec* font, const wchar_t* suffix) {
  wchar_t name[64];
  swprintf(name, 64, L"%ls%ls", ValFontName, suffix);
  ReadText(key, name, font->Name);
}

void WriteFontName(HKEY key, const FontSpec& font, const wchar_t* suffix) {
  wchar_t name[64];
  swprintf(name, 64, L"%ls%ls", ValFontName, suffix);
  WriteText(key, name, font.Name);
}

// Before sorting, the entry of kind k is the k-th entry of Pages.
void ReadOrderVisible(HKEY key, int kind) {
  PageEntry& page = Model.Pages[kind - 1];
  ReadDword(key, ValOrder, &page.Order);
  ReadDword(key, ValVisible, &page.Visible);
}

void WriteOrderVisible(HKEY key, int kind) {
  for (int i = 0; i < Model.PageCount && i < PageKindCount; ++i) {
    if (Model.Pages[i].Kind != kind) continue;
    WriteDword(key, ValOrder, Model.Pages[i].Order);
    WriteDword(key, ValVisible, Model.Pages[i].Visible);
  }
}

void LoadTodayEntry() {
  HKEY key = OpenForReading(HKEY_LOCAL_MACHINE, TodayItemKey);
  if (!key) return;
  ReadDword(key, ValEnabled, &Model.TodayItemEnabled);
  RegCloseKey(key);
}

void LoadGeneral(GeneralSettings* g) {
  HKEY key = OpenForReading(HKEY_CURRENT_USER, SettingsRootKey);
  if (!key) return;
  ReadDword(key, ValFixedPageCount, &g->FixedPageCount);
  g->FixedPageCount = Clamp(g->FixedPageCount, 0, Model.PageCount);
  ReadDword(key, ValMarginLeft, &g->MarginLeft);
  ReadDword(key, ValMarginTop, &g->MarginTop);
  ReadDword(key, ValMarginRight, &g->MarginRight);
  ReadDword(key, ValMarginBottom, &g->MarginBottom);
  ReadDword(key, ValTapType, &g->TapType);
  RegCloseKey(key);
}

void LoadWireless(WirelessSettings* w) {
  HKEY key = OpenPageKey(PageKindWireless);
  if (!key) return;
  ReadFontName(key, &w->Font, L"");
  ReadText(key, ValOnClick, w->OnClick);
  ReadFontValues(key, &w->Font, L"", ValFontColor);
  ReadDword(key, ValHeight, &w->Height);
  ReadDword(key, ValShowBT, &w->ShowBT);
  ReadDword(key, ValShowWF, &w->ShowWF);
  ReadDword(key, ValShowCalls, &w->ShowCalls);
  ReadDword(key, ValShowSMS, &w->ShowSMS);
  ReadDword(key, ValShowEMails, &w->ShowEMails);
  ReadOrderVisible(key, PageKindWireless);  // the item takes this size as stored
  RegCloseKey(key);
}

void LoadTime(TimeSettings* t) {
  HKEY key = OpenPageKey(PageKindTime);
  if (!key) return;
  ReadFontName(key, &t->Font1, L"1");
  ReadFontName(key, &t->Font2, L"2");
  ReadText(key, ValOnClick, t->OnClick);
  ReadFontValues(key, &t->Font1, L"1", ValFontColor);
  ReadFontValues(key, &t->Font2, L"2", ValFontColor);
  ReadDword(key, ValTimeFormat, &t->TimeFormat);
  ReadDword(key, ValShowAlarm, &t->ShowAlarm);
  ReadDword(key, ValShowDate, &t->ShowDate);
  ClampFontSize(&t->Font1);
  ClampFontSize(&t->Font2);
  ReadDword(key, ValHeight, &t->Height);
  ReadOrderVisible(key, PageKindTime);
  RegCloseKey(key);
}

void LoadDate(DateSettings* d) {
  HKEY key = OpenPageKey(PageKindDate);
  if (!key) return;
  ReadFontName(key, &d->Font1, L"1");
  ReadFontName(key, &d->Font2, L"2");
  ReadText(key, ValFormat1, d->Format1);
  ReadText(key, ValFormat2, d->Format2);
  ReadText(key, ValOnClick, d->OnClick);
  ReadFontValues(key, &d->Font1, L"1", ValFontColor);
  ReadFontValues(key, &d->Font2, L"2", ValFontColor);
  ClampFontSize(&d->Font1);
  ClampFontSize(&d->Font2);
  ReadDword(key, ValHeight, &d->Height);
  ReadOrderVisible(key, PageKindDate);
  RegCloseKey(key);
}

void LoadCalendar(CalendarSettings* c) {
  HKEY key = OpenPageKey(PageKindCalendar);
  if (!key) return;
  ReadFontName(key, &c->Font, L"");
  ReadFontName(key, &c->Weekdays, SuffixWeekdays);
  ReadText(key, ValOnClick, c->OnClick);
  ReadFontValues(key, &c->Font, L"", ValColor);
  ReadFontValues(key, &c->Weekdays, SuffixWeekdays, ValColor);
  ReadDword(key, ValColorToday, &c->ColorToday);
  ReadDword(key, ValColorSaturday, &c->ColorSaturday);
  ReadDword(key, ValColorSunday, &c->ColorSunday);
  ReadDword(key, ValColorOther, &c->ColorOther);
  ClampFontSize(&c->Font);
  ClampFontSize(&c->Weekdays);
  ReadDword(key, ValHeight, &c->Height);
  ReadOrderVisible(key, PageKindCalendar);
  RegCloseKey(key);
}

// Counts FileName1, FileName2, ... up to the first that cannot be read,
// appending each to list when one is given.
int ReadFileValues(HKEY key, PathList* list) {
  int count = 0;
  for (int n = 1; n < 0x7FFFFFFF; ++n) {
    wchar_t name[32];
    wchar_t path[TextSlot];
    FileValueName(n, name, 32);
    if (!ReadText(key, name, path)) break;
    if (list) AppendPath(list, path);
    count = n;
  }
  return count;
}

void LoadLauncher(LauncherSettings* l) {
  HKEY key = OpenPageKey(PageKindLauncher);
  if (!key) return;
  ReadDword(key, ValBigIcons, &l->BigIcons);
  ReadDword(key, ValAlign, &l->Align);
  ReadDword(key, ValHeight, &l->Height);
  ReadOrderVisible(key, PageKindLauncher);
  ClearPaths(&Model.LauncherFiles);
  ReadFileValues(key, &Model.LauncherFiles);
  RegCloseKey(key);
}

void LoadSysInfo(SysInfoSettings* s) {
  HKEY key = OpenPageKey(PageKindSysInfo);
  if (!key) return;
  ReadFontName(key, &s->Font, L"");
  ReadText(key, ValOnClick1, s->OnClick1);
  ReadText(key, ValOnClick2, s->OnClick2);
  ReadFontValues(key, &s->Font, L"", ValFontColor);
  ClampFontSize(&s->Font);
  ReadDword(key, ValRamType, &s->RamType);
  ReadDword(key, ValPhoneType, &s->PhoneType);
  ReadDword(key, ValCardType, &s->CardType);
  ReadDword(key, ValHeight, &s->Height);
  ReadOrderVisible(key, PageKindSysInfo);
  RegCloseKey(key);
}

void SaveTodayEntry() {
  HKEY key = CreateForWriting(HKEY_LOCAL_MACHINE, TodayItemKey);
  if (!key) return;
  WriteDword(key, ValEnabled, Model.TodayItemEnabled);
  RegCloseKey(key);
}

void SaveGeneral(const GeneralSettings& g) {
  HKEY key = CreateForWriting(HKEY_CURRENT_USER, SettingsRootKey);
  if (!key) return;
  WriteDword(key, ValFixedPageCount, g.FixedPageCount);
  WriteDword(key, ValMarginLeft, g.MarginLeft);
  WriteDword(key, ValMarginTop, g.MarginTop);
  WriteDword(key, ValMarginRight, g.MarginRight);
  WriteDword(key, ValMarginBottom, g.MarginBottom);
  WriteDword(key, ValTapType, g.TapType);
  RegCloseKey(key);
}

void SaveWireless(const WirelessSettings& w) {
  HKEY key = CreatePageKey(PageKindWireless);
  if (!key) return;
  WriteFontName(key, w.Font, L"");
  WriteText(key, ValOnClick, w.OnClick);
  WriteFontValues(key, w.Font, L"", ValFontColor);
  WriteDword(key, ValHeight, w.Height);
  WriteDword(key, ValShowBT, w.ShowBT);
  WriteDword(key, ValShowWF, w.ShowWF);
  WriteDword(key, ValShowCalls, w.ShowCalls);
  WriteDword(key, ValShowSMS, w.ShowSMS);
  WriteDword(key, ValShowEMails, w.ShowEMails);
  WriteOrderVisible(key, PageKindWireless);
  RegCloseKey(key);
}

void SaveTime(const TimeSettings& t) {
  HKEY key = CreatePageKey(PageKindTime);
  if (!key) return;
  WriteFontName(key, t.Font1, L"1");
  WriteFontName(key, t.Font2, L"2");
  WriteText(key, ValOnClick, t.OnClick);
  WriteFontValues(key, t.Font1, L"1", ValFontColor);
  WriteFontValues(key, t.Font2, L"2", ValFontColor);
  WriteDword(key, ValTimeFormat, t.TimeFormat);
  WriteDword(key, ValShowAlarm, t.ShowAlarm);
  WriteDword(key, ValShowDate, t.ShowDate);
  WriteDword(key, ValHeight, t.Height);
  WriteOrderVisible(key, PageKindTime);
  RegCloseKey(key);
}

void SaveDate(const DateSettings& d) {
  HKEY key = CreatePageKey(PageKindDate);
  if (!key) return;
  WriteFontName(key, d.Font1, L"1");
  WriteFontName(key, d.Font2, L"2");
  WriteText(key, ValFormat1, d.Format1);
  WriteText(key, ValFormat2, d.Format2);
  WriteText(key, ValOnClick, d.OnClick);
  WriteFontValues(key, d.Font1, L"1", ValFontColor);
  WriteFontValues(key, d.Font2, L"2", ValFontColor);
  WriteDword(key, ValHeight, d.Height);
  WriteOrderVisible(key, PageKindDate);
  RegCloseKey(key);
}

void SaveCalendar(const CalendarSettings& c) {
  HKEY key = CreatePageKey(PageKindCalendar);
  if (!key) return;
  WriteFontName(key, c.Font, L"");
  WriteFontName(key, c.Weekdays, SuffixWeekdays);
  WriteText(key, ValOnClick, c.OnClick);
  WriteFontValues(key, c.Font, L"", ValColor);
  WriteFontValues(key, c.Weekdays, SuffixWeekdays, ValColor);
  WriteDword(key, ValColorToday, c.ColorToday);
  WriteDword(key, ValColorSaturday, c.ColorSaturday);
  WriteDword(key, ValColorSunday, c.ColorSunday);
  WriteDword(key, ValColorOther, c.ColorOther);
  WriteDword(key, ValHeight, c.Height);
  WriteOrderVisible(key, PageKindCalendar);
  RegCloseKey(key);
}

void SaveLauncher(const LauncherSettings& l) {
  int stored = 0;
  HKEY reader = OpenPageKey(PageKindLauncher);
  if (reader) {
    stored = ReadFileValues(reader, nullptr);
    RegCloseKey(reader);
  }
  HKEY key = CreatePageKey(PageKindLauncher);
  if (!key) return;
  WriteDword(key, ValBigIcons, l.BigIcons);
  WriteDword(key, ValAlign, l.Align);
  WriteDword(key, ValHeight, l.Height);
  WriteOrderVisible(key, PageKindLauncher);
  wchar_t name[32];
  for (int n = 1; n <= stored; ++n) {
    FileValueName(n, name, 32);
    RegDeleteValueW(key, name);
  }
  for (int i = 0; i < PathCount(&Model.LauncherFiles); ++i) {
    FileValueName(i + 1, name, 32);
    WriteText(key, name, PathAt(&Model.LauncherFiles, i), TextSlot);
  }
  RegCloseKey(key);
}

void SaveSysInfo(const SysInfoSettings& s) {
  HKEY key = CreatePageKey(PageKindSysInfo);
  if (!key) return;
  WriteFontName(key, s.Font, L"");
  WriteText(key, ValOnClick1, s.OnClick1);
  WriteText(key, ValOnClick2, s.OnClick2);
  WriteFontValues(key, s.Font, L"", ValFontColor);
  WriteDword(key, ValRamType, s.RamType);
  WriteDword(key, ValPhoneType, s.PhoneType);
  WriteDword(key, ValCardType, s.CardType);
  WriteDword(key, ValHeight, s.Height);
  WriteOrderVisible(key, PageKindSysInfo);
  RegCloseKey(key);
}

}  // namespace

int ScaleX(int value) { return Scale(value, ScreenDensity(LOGPIXELSX)); }
int ScaleY(int value) { return Scale(value, ScreenDensity(LOGPIXELSY)); }

void ResetPages(PageEntry* pages) {
  for (int i = 0; i < PageKindCount; ++i) {
    pages[i].Kind = i + 1;
    pages[i].Order = i;
    pages[i].Visible = 1;
    CopyText(pages[i].Name, PageDisplayNames[i]);
  }
}

void CopySettings(ToolSettings* destination, const ToolSettings* source) {
  if (destination != source) std::memcpy(destination, source, sizeof(ToolSettings));
}

void PutDefaults(ToolSettings* s, int dpiX, int dpiY, const wchar_t* folder) {
  std::memset(s, 0, sizeof(*s));
  s->General = {3, Scale(10, dpiX), Scale(2, dpiX), Scale(10, dpiX), Scale(2, dpiX), 1};

  WirelessSettings& w = s->Wireless;
  w.Height = Scale(15, dpiY);
  PutFont(&w.Font, 8, 0, 0xFFFFFF);
  w.ShowBT = w.ShowWF = w.ShowCalls = w.ShowSMS = w.ShowEMails = 1;
  CopyText(w.OnClick, L"Windows\\wrlsmgr.exe");

  TimeSettings& t = s->Time;
  t.Height = Scale(30, dpiY);
  PutFont(&t.Font1, 30, 1, 0xFFFFFF);
  t.TimeFormat = 2;
  t.ShowAlarm = 1;
  PutFont(&t.Font2, 7, 0, 0xFFFFFF);
  t.ShowDate = 0;
  CopyText(t.OnClick, L"Windows\\clock.exe");

  DateSettings& d = s->Date;
  d.Height = Scale(15, dpiY);
  PutFont(&d.Font1, 8, 1, 0xFFFFFF);
  PutFont(&d.Font2, 8, 1, 0xFFFFFF);
  CopyText(d.Format1, L"");
  CopyText(d.Format2, L"dddd");
  CopyText(d.OnClick, L"Windows\\clock.exe");

  CalendarSettings& c = s->Calendar;
  c.Height = Scale(48, dpiY);
  PutFont(&c.Font, 8, 0, 0xFFFFFF);
  PutFont(&c.Weekdays, 6, 0, 0x808080);
  c.ColorToday = 0x00FF00;
  c.ColorSaturday = 0x8080FF;
  c.ColorSunday = 0x8080FF;
  c.ColorOther = 0x808080;
  CopyText(c.OnClick, L"Windows\\calendar.exe");

  s->Launcher = {Scale(48, dpiY), 1, 0};

  SysInfoSettings& si = s->SysInfo;
  si.Height = Scale(48, dpiY);
  PutFont(&si.Font, 8, 0, 0xFFFFFF);
  si.RamType = si.PhoneType = si.CardType = 0;
  JoinDefault(si.OnClick1, folder, L"battery.lnk");
  JoinDefault(si.OnClick2, folder, L"memory.lnk");
}

void SortPagesByOrder(PageEntry* pages, int count) {
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (int i = 0; i + 1 < count; ++i) {
      if (pages[i].Order > pages[i + 1].Order) {
        PageEntry held = pages[i];
        pages[i] = pages[i + 1];
        pages[i + 1] = held;
        exchanged = true;
      }
    }
  }
}

void ProgramFolder(HINSTANCE instance, wchar_t* folder, size_t capacity) {
  wchar_t path[TextSlot] = {};
  DWORD length = GetModuleFileNameW(instance, path, TextSlot);
  if (length == 0 || length >= TextSlot) path[0] = L'\0';
  wchar_t* slash = wcsrchr(path, L'\\');
  if (slash)
    slash[1] = L'\0';
  else
    path[0] = L'\0';
  if (!CopyTextWhole(folder, capacity, path)) CopyText(folder, capacity, L"");
}

void LoadSettings() {
  ResetPages(Model.Pages);
  Model.TodayItemEnabled = 0;
  HDC screen = GetDC(nullptr);
  int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  wchar_t folder[TextSlot];
  ProgramFolder(Model.Instance, folder, TextSlot);
  PutDefaults(&Model.Current, dpiX > 0 ? dpiX : 96, dpiY > 0 ? dpiY : 96, folder);

  LoadTodayEntry();
  ToolSettings& s = Model.Current;
  LoadGeneral(&s.General);
  LoadWireless(&s.Wireless);
  LoadTime(&s.Time);
  LoadDate(&s.Date);
  LoadCalendar(&s.Calendar);
  LoadLauncher(&s.Launcher);
  LoadSysInfo(&s.SysInfo);
  SortPagesByOrder(Model.Pages, Model.PageCount);
  CopySettings(&Model.EditCopy, &Model.Current);
}

void SaveSettings() {
  const ToolSettings& s = Model.Current;
  SaveTodayEntry();
  SaveGeneral(s.General);
  SaveWireless(s.Wireless);
  SaveTime(s.Time);
  SaveDate(s.Date);
  SaveCalendar(s.Calendar);
  SaveLauncher(s.Launcher);
  SaveSysInfo(s.SysInfo);
}

void NotifyTodayShell() {
  // A posted broadcast is refused on desktop Windows; a send that gives up
  // on a hung window keeps the tool from waiting on the shell all the same.
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, ReloadBroadcastParam, 0, SMTO_ABORTIFHUNG,
                      500, &result);
}
