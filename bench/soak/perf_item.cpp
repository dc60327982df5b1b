// Performance of the item's painting, in this process:
// - a full repaint of the item (all six pages shown) and a drag frame of the
//   paging slot (three fixed pages, the slot sliding), each against the same
//   drawing replayed from a recording of it with its fonts created once: the
//   price of the item's own layout and per-paint font creation;
// - an idle tick with all six pages shown, and the repaints of an idle
//   minute (60 ticks of a simulated clock, figures and device state still).
// Medians of many batches. 240 x 320 at 96 dpi, scaled with the prefix:
//   TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/perf_item.exe
//   TOVIRA_DPI=192 TOVIRA_BUILD=<build> scripts/wine-run <build>/bin/perf_item.exe
// The settings tree is put back as it was afterwards.
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/soak/soak_common.h"
#include "hostile/hostile_registry.h"
#include "item/host/host_state.h"
#include "item/host/item_window.h"
#include "item/host/page_hooks.h"
#include "item/host/paint.h"
#include "item/pages/sysinfo_page.h"
#include "item/pages/time_source.h"
#include "item/settings/item_settings.h"
#include "platform/today.h"

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM*, HWND parent);

namespace {

constexpr int Samples = 101;

void SetNumber(const wchar_t* key, const wchar_t* name, DWORD value) {
  hostile::Stored s;
  s.Present = true;
  s.Type = REG_DWORD;
  s.Data.assign(reinterpret_cast<BYTE*>(&value), reinterpret_cast<BYTE*>(&value) + 4);
  hostile::Put(HKEY_CURRENT_USER, hostile::SettingsPath(key), name, s);
}

void SetText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  hostile::Stored s;
  s.Present = true;
  s.Type = REG_SZ;
  const BYTE* p = reinterpret_cast<const BYTE*>(text.c_str());
  s.Data.assign(p, p + (text.size() + 1) * sizeof(wchar_t));
  hostile::Put(HKEY_CURRENT_USER, hostile::SettingsPath(key), name, s);
}

template <class Work>
double MedianMicroseconds(int perBatch, Work work) {
  std::vector<double> runs;
  for (int s = 0; s < Samples; ++s) {
    const double start = NowMicroseconds();
    for (int i = 0; i < perBatch; ++i) work();
    runs.push_back((NowMicroseconds() - start) / perBatch);
  }
  return MedianOf(runs);
}

// A recording of one paint, replayed with every font it creates made once.
struct Replay {
  HENHMETAFILE Picture = nullptr;
  RECT Frame = {};
  std::map<std::string, HFONT> Fonts;
  std::vector<HGDIOBJ> Cached;
};

bool IsCached(const Replay& r, HGDIOBJ object) {
  for (HGDIOBJ o : r.Cached)
    if (o == object) return true;
  return false;
}

int CALLBACK PlayRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles,
                        LPARAM context) {
  Replay& r = *reinterpret_cast<Replay*>(context);
  if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
    const auto* font = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
    const std::string key(reinterpret_cast<const char*>(&font->elfw.elfLogFont), sizeof(LOGFONTW));
    HFONT& made = r.Fonts[key];
    if (!made) {
      made = CreateFontIndirectW(&font->elfw.elfLogFont);
      r.Cached.push_back(made);
    }
    table->objectHandle[font->ihFont] = made;
    return 1;
  }
  if (record->iType == EMR_DELETEOBJECT) {
    const auto* del = reinterpret_cast<const EMRDELETEOBJECT*>(record);
    if (del->ihObject < static_cast<DWORD>(handles) && IsCached(r, table->objectHandle[del->ihObject])) {
      table->objectHandle[del->ihObject] = nullptr;
      return 1;
    }
  }
  PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
  return 1;
}

void Record(Replay* r, HWND item, HDC reference, const RECT& client) {
  // The frame in 0.01 mm of the reference device, so the replay maps 1:1.
  const int mmW = GetDeviceCaps(reference, HORZSIZE), mmH = GetDeviceCaps(reference, VERTSIZE);
  const int pxW = GetDeviceCaps(reference, HORZRES), pxH = GetDeviceCaps(reference, VERTRES);
  RECT frame = {0, 0, client.right * mmW * 100 / pxW, client.bottom * mmH * 100 / pxH};
  HDC recorder = CreateEnhMetaFileW(reference, nullptr, &frame, nullptr);
  PaintItem(item, recorder, client);
  r->Picture = CloseEnhMetaFile(recorder);
  r->Frame = client;
}

// The fonts one paint makes, as recorded; and their price alone: each made,
// selected, asked for the extent of "0" and deleted, as a painter does.
std::vector<LOGFONTW> RecordedFonts(HENHMETAFILE picture) {
  std::vector<LOGFONTW> fonts;
  EnumEnhMetaFile(nullptr, picture,
                  [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM out) -> int {
                    if (record->iType == EMR_EXTCREATEFONTINDIRECTW)
                      reinterpret_cast<std::vector<LOGFONTW>*>(out)->push_back(
                          reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont);
                    return 1;
                  },
                  &fonts, nullptr);
  return fonts;
}

void MakeFonts(HDC dc, const std::vector<LOGFONTW>& fonts) {
  for (const LOGFONTW& f : fonts) {
    HFONT font = CreateFontIndirectW(&f);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32W(dc, L"0", 1, &size);
    SelectObject(dc, old);
    DeleteObject(font);
  }
}

void Play(Replay* r, HDC dc) { EnumEnhMetaFile(dc, r->Picture, PlayRecord, r, &r->Frame); }

void Release(Replay* r) {
  for (HGDIOBJ o : r->Cached) DeleteObject(o);
  if (r->Picture) DeleteEnhMetaFile(r->Picture);
  *r = Replay{};
}

SYSTEMTIME Clock = {2026, 12, 1, 7, 9, 5, 30, 0};

void AdvanceClock() {
  FILETIME f;
  SystemTimeToFileTime(&Clock, &f);
  ULARGE_INTEGER t;
  t.LowPart = f.dwLowDateTime;
  t.HighPart = f.dwHighDateTime;
  t.QuadPart += 10000000ULL;
  f.dwLowDateTime = t.LowPart;
  f.dwHighDateTime = t.HighPart;
  FileTimeToSystemTime(&f, &Clock);
  SetClockOverride(&Clock);
}

HWND CreateItemIn(HWND shell, int width, int height) {
  HWND item = InitializeCustomItem(nullptr, shell);
  if (!item) return nullptr;
  SetWindowPos(item, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  KillTimer(item, 1);
  RefreshTick(1);
  PumpPending();
  return item;
}

}  // namespace

int wmain() {
  hostile::SavedTree saved(HKEY_CURRENT_USER, SettingsRootKey);
  const int dpi = ScreenDpiY();
  const int width = 240 * dpi / 96, height = 320 * dpi / 96;
  ItemInstance = GetModuleHandleW(nullptr);
  RegisterItemClass(ItemInstance);
  WNDCLASSW shellClass = {};
  shellClass.lpfnWndProc = DefWindowProcW;
  shellClass.hInstance = ItemInstance;
  shellClass.lpszClassName = L"PerfShell";
  RegisterClassW(&shellClass);
  HWND shell = CreateWindowExW(0, L"PerfShell", L"shell", WS_POPUP | WS_VISIBLE, 0, 0, width,
                               height, nullptr, nullptr, ItemInstance, nullptr);
  // Still figures: memory and disks do not wander while the minute passes.
  SysInfoFigures figures = {};
  GatherSysInfoFigures(L"", &figures);
  SetSysInfoFiguresOverride(&figures);
  SetClockOverride(&Clock);

  // All six pages shown, a launcher row with three icons.
  RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey);
  SetNumber(L"", L"FixedPageCount", 6);
  const std::wstring self = BinFolder() + L"perf_item.exe";
  for (int i = 1; i <= 3; ++i) SetText(L"Launcher", (L"FileName" + std::to_wstring(i)).c_str(), self);
  HWND item = CreateItemIn(shell, width, height);
  if (!item) return 1;

  RECT client;
  GetClientRect(item, &client);
  HDC screen = GetDC(item);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(item, screen);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);

  std::printf("item %d x %d at %d dpi, medians of %d batches (microseconds)\n", width, height, dpi,
              Samples);
  Replay full;
  Record(&full, item, memory, client);
  Play(&full, memory);  // makes its fonts once
  const double paint = MedianMicroseconds(10, [&] { PaintItem(item, memory, client); });
  const double replay = MedianMicroseconds(10, [&] { Play(&full, memory); });
  std::printf("  full repaint, six pages                %9.1f\n", paint);
  std::printf("    same drawing, fonts made once        %9.1f   ratio %.2f\n", replay, paint / replay);
  const std::vector<LOGFONTW> fonts = RecordedFonts(full.Picture);
  const double making = MedianMicroseconds(10, [&] { MakeFonts(memory, fonts); });
  std::printf("    its %2zu font creations alone          %9.1f\n", fonts.size(), making);
  Release(&full);

  // The idle minute: 60 ticks from hh:mm:30, one minute change among them.
  RefreshTick(1);
  ValidateRect(item, nullptr);
  int repaints = 0;
  for (int i = 0; i < 60; ++i) {
    AdvanceClock();
    SendMessageW(item, WM_TIMER, 1, 0);
    RECT r;
    if (GetUpdateRect(item, &r, FALSE)) ++repaints;
    ValidateRect(item, nullptr);
  }
  const double idle = MedianMicroseconds(20, [&] {
    Clock.wSecond = static_cast<WORD>(Clock.wSecond == 59 ? 1 : Clock.wSecond + 1);
    SetClockOverride(&Clock);
    RefreshTick(0);
    ValidateRect(item, nullptr);
  });
  std::printf("  idle tick, six pages shown             %9.1f\n", idle);
  std::printf("  repaints in an idle minute (60 ticks)  %9d\n", repaints);
  DestroyWindow(item);

  // The paging slot: three fixed pages, the slot dragged.
  SetNumber(L"", L"FixedPageCount", 3);
  item = CreateItemIn(shell, width, height);
  if (!item) return 1;
  GetClientRect(item, &client);
  const int y = client.bottom - 4;
  SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(width / 2, y));
  SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(width / 2 - width / 5, y));
  Replay drag;
  Record(&drag, item, memory, client);
  Play(&drag, memory);
  int step = 0;
  const double frame = MedianMicroseconds(10, [&] {
    // A pointer move and the paint it asks for, into the off-screen bitmap as WM_PAINT does.
    const int x = width / 2 - width / 5 + (++step % 2 ? 1 : -1);
    SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    PaintItem(item, memory, client);
    ValidateRect(item, nullptr);
  });
  const double dragReplay = MedianMicroseconds(10, [&] { Play(&drag, memory); });
  std::printf("  drag frame of the paging slot          %9.1f\n", frame);
  std::printf("    same drawing, fonts made once        %9.1f   ratio %.2f\n", dragReplay,
              frame / dragReplay);
  const std::vector<LOGFONTW> dragFonts = RecordedFonts(drag.Picture);
  const double dragMaking = MedianMicroseconds(10, [&] { MakeFonts(memory, dragFonts); });
  std::printf("    its %2zu font creations alone          %9.1f\n", dragFonts.size(), dragMaking);
  SendMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(width / 2 - width / 5, y));
  Release(&drag);

  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  SetClockOverride(nullptr);
  SetSysInfoFiguresOverride(nullptr);
  DestroyWindow(item);
  DestroyWindow(shell);
  return 0;
}
