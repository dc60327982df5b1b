// ConfigModel: its static state, the defaults, the screen density, the order
// of the pages and the reload broadcast.
#include "config/model/config_model.h"

#include <cstring>
#include <cwchar>

#include "config/model/text_util.h"

ConfigModel Model;

const wchar_t* const PageDisplayNames[PageKindCount] = {L"Беспр. связь", L"Часы",   L"Дата",
                                                        L"Календарь",    L"Запуск", L"Информация"};

namespace {

// A program's static model starts with the initial page table.
struct InitialPages {
  InitialPages() { ResetPages(Model.Pages); }
} initialPages;

int ReadDensity(HDC screen, int index) {
  int density = screen ? GetDeviceCaps(screen, index) : 96;
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
  if (!JoinPath(folder, name, slot, TextSlot)) slot[0] = L'\0';
}

}  // namespace

ScreenDensity ScreenDpi() {
  static const ScreenDensity density = [] {
    HDC screen = GetDC(nullptr);
    ScreenDensity read = {ReadDensity(screen, LOGPIXELSX), ReadDensity(screen, LOGPIXELSY)};
    if (screen) ReleaseDC(nullptr, screen);
    return read;
  }();
  return density;
}

int ScaleX(int value) { return Scale(value, ScreenDpi().X); }
int ScaleY(int value) { return Scale(value, ScreenDpi().Y); }

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

void NotifyTodayShell() {
  // A posted broadcast is refused on desktop Windows; a send that gives up
  // on a hung window keeps the tool from waiting on the shell all the same.
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, ReloadBroadcastParam, 0, SMTO_ABORTIFHUNG,
                      500, &result);
}
