// Performance of the item's painting, in this process:
// - a full repaint of the item (all six pages shown) and a drag frame of the
//   paging slot (three fixed pages, the slot sliding), each against the same
//   drawing replayed from a recording of it with its fonts created once, and
//   its images made once: the state images' transparent copies from bitmaps
//   made once, and the launcher's icons (which a metafile does not record)
//   drawn with the item's own icon handles. The difference is the price of the
//   item's own layout and per-paint font creation. The replay is checked to
//   draw the item's pixels;
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

#include "bench/soak/item_in_process.h"
#include "bench/soak/soak_common.h"
#include "item/host/host_state.h"
#include "item/host/item_window.h"
#include "item/host/page_life.h"
#include "item/host/paint.h"
#include "item/host/paging.h"
#include "item/pages/launcher_page.h"
#include "item/pages/sysinfo_page.h"
#include "item/pages/time_source.h"
#include "item/settings/item_settings.h"
#include "platform/today.h"

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM*, HWND parent);

namespace {

constexpr int Samples = 101;

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
// The records are played one by one straight onto the target, in its own
// units as the item drew them: EnumEnhMetaFile's mapping of the picture frame
// would put every text through a transformed, slower path of its own.
struct Replay {
  HENHMETAFILE Picture = nullptr;
  std::vector<BYTE> Records;
  std::vector<HGDIOBJ> Table;             // the records' object table
  std::map<const void*, HBITMAP> Images;  // a bitmap made once for each image record
  HDC ImageDc = nullptr;
  std::vector<POINT> LauncherOffsets;  // where the launcher page is drawn
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
  if (record->iType == EMR_EXTTEXTOUTW) {
    // The text at its recorded place, laid out by the font as the item's own
    // call did, not from the recording's per-character advances (a slower
    // path of its own under Wine).
    const auto* out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
    const EMRTEXT& text = out->emrtext;
    const auto* chars =
        reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text.offString);
    const RECT box = {text.rcl.left, text.rcl.top, text.rcl.right, text.rcl.bottom};
    ExtTextOutW(dc, text.ptlReference.x, text.ptlReference.y, text.fOptions, &box, chars,
                text.nChars, nullptr);
    return 1;
  }
  if (record->iType == EMR_TRANSPARENTBLT) {
    const auto* blt = reinterpret_cast<const EMRTRANSPARENTBLT*>(record);
    HBITMAP& image = r.Images[record];
    if (!image) {
      const BYTE* base = reinterpret_cast<const BYTE*>(record);
      const auto* info = reinterpret_cast<const BITMAPINFO*>(base + blt->offBmiSrc);
      // A DIB section, as the item's own state images are.
      void* bits = nullptr;
      image = CreateDIBSection(dc, info, blt->iUsageSrc, &bits, nullptr, 0);
      if (image && bits) std::memcpy(bits, base + blt->offBitsSrc, blt->cbBitsSrc);
      if (!r.ImageDc) r.ImageDc = CreateCompatibleDC(dc);
    }
    HGDIOBJ old = SelectObject(r.ImageDc, image);
    TransparentBlt(dc, blt->xDest, blt->yDest, blt->cxDest, blt->cyDest, r.ImageDc, blt->xSrc,
                   blt->ySrc, blt->cxSrc, blt->cySrc, blt->dwRop);
    SelectObject(r.ImageDc, old);
    return 1;
  }
  if (record->iType == EMR_DELETEOBJECT) {
    const auto* del = reinterpret_cast<const EMRDELETEOBJECT*>(record);
    if (del->ihObject < static_cast<DWORD>(handles) &&
        IsCached(r, table->objectHandle[del->ihObject])) {
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
  r->Records.resize(GetEnhMetaFileBits(r->Picture, 0, nullptr));
  GetEnhMetaFileBits(r->Picture, static_cast<UINT>(r->Records.size()), r->Records.data());
  const auto* header = reinterpret_cast<const ENHMETAHEADER*>(r->Records.data());
  r->Table.assign(header->nHandles + 1, nullptr);
}

// Where the paint puts the launcher page, as the item's paint pass places
// its pages: among the fixed ones, or in the paging slot, sliding or not.
std::vector<POINT> LauncherOffsets(int width) {
  std::vector<POINT> at;
  const auto isLauncher = [](int position) {
    return position >= 0 && position < PageKindCount &&
           ItemSettings.PageTable[position].PageKind == PageKindLauncher;
  };
  int y = 0;
  for (int i = 0; i < ItemSettings.FixedPageCount && i < PageKindCount; ++i) {
    if (isLauncher(i) && ItemSettings.PageTable[i].Visible) at.push_back({0, y});
    y += ItemSettings.PageTable[i].Height;
  }
  const DragState& d = Host.Drag;
  if (d.Dragging && d.Moved && ItemSettings.PagingCount > 1) {
    const SlideOffsets slide = SlideFor(d.CurrentX - d.StartX, width);
    const int neighbour =
        slide.NeighbourIsNext ? NextPagingPage(CurrentPage) : PrevPagingPage(CurrentPage);
    if (isLauncher(CurrentPage)) at.push_back({slide.CurrentDx, y});
    if (isLauncher(neighbour)) at.push_back({slide.NeighbourDx, y});
  } else if (ItemSettings.PagingCount > 0 && isLauncher(CurrentPage)) {
    at.push_back({0, y});
  }
  return at;
}

int CALLBACK CollectFont(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM out) {
  if (record->iType == EMR_EXTCREATEFONTINDIRECTW)
    reinterpret_cast<std::vector<LOGFONTW>*>(out)->push_back(
        reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont);
  return 1;
}

// The fonts one paint makes, as recorded; and their price alone: each made,
// selected, asked for the extent of "0" and deleted, as a painter does.
std::vector<LOGFONTW> RecordedFonts(HENHMETAFILE picture) {
  std::vector<LOGFONTW> fonts;
  EnumEnhMetaFile(nullptr, picture, CollectFont, &fonts, nullptr);
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

void Play(Replay* r, HDC dc) {
  const int saved = SaveDC(dc);
  auto* table = reinterpret_cast<HANDLETABLE*>(r->Table.data());
  const int handles = static_cast<int>(r->Table.size());
  for (size_t at = 0; at + sizeof(EMR) <= r->Records.size();) {
    const auto* record = reinterpret_cast<const ENHMETARECORD*>(r->Records.data() + at);
    if (record->iType == EMR_EOF || record->nSize < sizeof(EMR)) break;
    if (record->iType != EMR_HEADER)
      PlayRecord(dc, table, record, handles, reinterpret_cast<LPARAM>(r));
    at += record->nSize;
  }
  RestoreDC(dc, saved);
  for (size_t i = 1; i < r->Table.size(); ++i) {
    if (r->Table[i] && !IsCached(*r, r->Table[i])) DeleteObject(r->Table[i]);
    r->Table[i] = nullptr;
  }
  for (const POINT& at : r->LauncherOffsets)
    PaintLauncherPage(dc, PageFrame{{}, at.x, at.y, 0, 0, 0, 0, 0});
}

// How many pixels the replay draws differently from the item's own paint.
int PixelsApart(HWND item, Replay* r, HDC dc, HBITMAP bitmap, const RECT& client) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<DWORD> painted(static_cast<size_t>(client.right) * client.bottom);
  std::vector<DWORD> replayed(painted.size());
  PatBlt(dc, 0, 0, client.right, client.bottom, BLACKNESS);
  PaintItem(item, dc, client);
  GetDIBits(dc, bitmap, 0, client.bottom, painted.data(), &info, DIB_RGB_COLORS);
  PatBlt(dc, 0, 0, client.right, client.bottom, BLACKNESS);
  Play(r, dc);
  GetDIBits(dc, bitmap, 0, client.bottom, replayed.data(), &info, DIB_RGB_COLORS);
  int apart = 0;
  for (size_t i = 0; i < painted.size(); ++i) apart += painted[i] != replayed[i];
  return apart;
}

void Release(Replay* r) {
  for (HGDIOBJ o : r->Cached) DeleteObject(o);
  for (auto& image : r->Images) DeleteObject(image.second);
  if (r->ImageDc) DeleteDC(r->ImageDc);
  if (r->Picture) DeleteEnhMetaFile(r->Picture);
  *r = Replay{};
}

SYSTEMTIME Clock = {2026, 12, 1, 7, 9, 5, 30, 0};

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
  SavedTree saved(HKEY_CURRENT_USER, SettingsRootKey);
  const int dpi = ScreenDpiY();
  const int width = 240 * dpi / 96, height = 320 * dpi / 96;
  HWND shell = OpenShell(L"PerfShell", width, height);
  if (!shell) {
    std::fprintf(stderr, "cannot open the stand-in shell\n");
    return 1;
  }
  // Still figures: memory and disks do not wander while the minute passes.
  SysInfoFigures figures = {};
  GatherSysInfoFigures(L"", &figures);
  SetSysInfoFiguresOverride(&figures);
  SetClockOverride(&Clock);

  // All six pages shown, a launcher row with three icons.
  RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey);
  SetDword(L"", L"FixedPageCount", 6);
  const std::wstring self = BinDir() + L"perf_item.exe";
  for (int i = 1; i <= 3; ++i)
    SetText(L"Launcher", (L"FileName" + std::to_wstring(i)).c_str(), self);
  HWND item = CreateItemIn(shell, width, height);
  if (!item) return 1;

  const WindowCanvas canvas(item);
  HDC memory = canvas.Dc;
  HBITMAP bitmap = canvas.Bitmap;
  RECT client = canvas.Client;

  std::printf("item %d x %d at %d dpi, medians of %d batches (microseconds)\n", width, height, dpi,
              Samples);
  Replay full;
  Record(&full, item, memory, client);
  full.LauncherOffsets = LauncherOffsets(client.right - client.left);
  std::printf("  (the replays below draw %d of the item's pixels differently)\n",
              PixelsApart(item, &full, memory, bitmap, client));
  const double paint = MedianMicroseconds(10, [&] { PaintItem(item, memory, client); });
  const double replay = MedianMicroseconds(10, [&] { Play(&full, memory); });
  std::printf("  full repaint, six pages                %9.1f\n", paint);
  std::printf("    same drawing, fonts made once        %9.1f   ratio %.2f\n", replay,
              paint / replay);
  const std::vector<LOGFONTW> fonts = RecordedFonts(full.Picture);
  const double making = MedianMicroseconds(10, [&] { MakeFonts(memory, fonts); });
  std::printf("    its %2zu font creations alone          %9.1f\n", fonts.size(), making);
  Release(&full);

  // The idle minute: 60 ticks from hh:mm:30, one minute change among them.
  RefreshTick(1);
  ValidateRect(item, nullptr);
  int repaints = 0;
  for (int i = 0; i < 60; ++i) {
    AdvanceClock(&Clock);
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
  SetDword(L"", L"FixedPageCount", 3);
  item = CreateItemIn(shell, width, height);
  if (!item) return 1;
  GetClientRect(item, &client);
  const int y = client.bottom - 4;
  SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(width / 2, y));
  SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(width / 2 - width / 5, y));
  Replay drag;
  Record(&drag, item, memory, client);
  drag.LauncherOffsets = LauncherOffsets(client.right - client.left);
  std::printf("  (the drag replay draws %d of the item's pixels differently)\n",
              PixelsApart(item, &drag, memory, bitmap, client));
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

  SetClockOverride(nullptr);
  SetSysInfoFiguresOverride(nullptr);
  DestroyWindow(item);
  DestroyWindow(shell);
  return 0;
}
