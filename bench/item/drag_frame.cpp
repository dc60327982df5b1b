// Where one frame of a drag spends its time: the item of perf_item's drag
// (three fixed pages, the paging slot sliding), each step of a frame alone.
// Medians of many batches, microseconds; then the frame painted with the
// drag's kept fonts and with fonts made afresh, compared pixel by pixel (and
// written as a BMP when a file is named); 240 x 320 at 96 dpi, scaled with
// the prefix:
//   scripts/wine-run build/bin/bench_drag_frame.exe
//   TOVIRA_DPI=192 scripts/wine-run build/bin/bench_drag_frame.exe [FILE.bmp]
// The settings tree is put back as it was afterwards.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/soak/item_in_process.h"
#include "bench/soak/soak_common.h"
#include "item/host/page_life.h"
#include "item/host/paint.h"
#include "item/host/paging.h"
#include "item/pages/page_modules.h"
#include "item/pages/sysinfo_page.h"
#include "platform/today.h"

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM*, HWND parent);

namespace {

constexpr int Samples = 101;
constexpr int Batch = 10;

template <class Work>
double Median(Work work) {
  std::vector<double> runs;
  for (int s = 0; s < Samples; ++s) {
    const double start = NowMicroseconds();
    for (int i = 0; i < Batch; ++i) work();
    runs.push_back((NowMicroseconds() - start) / Batch);
  }
  return MedianOf(runs);
}

const wchar_t* KindName(int position) {
  static const wchar_t* names[] = {L"?",        L"Wireless", L"Time",   L"Date",
                                   L"Calendar", L"Launcher", L"SysInfo"};
  const int kind = ItemSettings.PageTable[position].PageKind;
  return kind >= 1 && kind <= 6 ? names[kind] : names[0];
}

// The FontSpec of each font the painters of the frame make.
std::vector<const FontSpec*> FrameFontSpecs() {
  const ItemSettingsRecord& s = ItemSettings;
  static FontSpec bold;
  bold = s.Calendar.Font;
  bold.FontBold = 1;
  return {
      &s.Wireless.Font, &s.Time.Font1, &s.Time.Font2,    &s.Date.Font1, &s.Date.Font2,
      &s.Date.Font1,    &s.Date.Font2, &s.Calendar.Font, &bold,         &s.Calendar.FontWeekdays};
}

// Each of them made, selected, measured and deleted, as a painter does.
void MakeFrameFonts(HDC dc) {
  for (const FontSpec* spec : FrameFontSpecs()) {
    HFONT font = CreateSpecFont(dc, *spec);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32W(dc, L"0", 1, &size);
    SelectObject(dc, old);
    DeleteObject(font);
  }
}

void KeepFrameFonts(HDC dc, std::vector<HDC>* keepers, std::vector<HFONT>* kept) {
  for (const FontSpec* spec : FrameFontSpecs()) {
    HDC keeper = CreateCompatibleDC(dc);
    HFONT font = CreateSpecFont(dc, *spec);
    SelectObject(keeper, font);
    SIZE size;
    GetTextExtentPoint32W(keeper, L"0", 1, &size);
    keepers->push_back(keeper);
    kept->push_back(font);
  }
}

// The item painted into the canvas (cleared first), top row first.
std::vector<DWORD> PaintedPixels(HWND item, const WindowCanvas& canvas) {
  PatBlt(canvas.Dc, 0, 0, canvas.Client.right, canvas.Client.bottom, BLACKNESS);
  PaintItem(item, canvas.Dc, canvas.Client);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = canvas.Client.right;
  info.bmiHeader.biHeight = -canvas.Client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<size_t>(canvas.Client.right) * canvas.Client.bottom);
  GetDIBits(canvas.Dc, canvas.Bitmap, 0, canvas.Client.bottom, pixels.data(), &info,
            DIB_RGB_COLORS);
  return pixels;
}

// Those pixels as a 32-bit BMP file, to look at.
void SaveBitmap(const char* path, const WindowCanvas& canvas, const std::vector<DWORD>& pixels) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = canvas.Client.right;
  header.biHeight = -canvas.Client.bottom;
  header.biPlanes = 1;
  header.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + bytes;
  if (FILE* out = std::fopen(path, "wb")) {
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&header, sizeof(header), 1, out);
    std::fwrite(pixels.data(), bytes, 1, out);
    std::fclose(out);
  }
}

}  // namespace

int main(int argc, char** argv) {
  SavedTree saved(HKEY_CURRENT_USER, SettingsRootKey);
  const int dpi = ScreenDpiY();
  const int width = 240 * dpi / 96, height = 320 * dpi / 96;
  HWND shell = OpenShell(L"DragFrameShell", width, height);
  if (!shell) return 1;
  SysInfoFigures figures = {};
  GatherSysInfoFigures(L"", &figures);
  SetSysInfoFiguresOverride(&figures);
  SYSTEMTIME clock = {2026, 12, 1, 7, 9, 5, 30, 0};
  SetClockOverride(&clock);
  RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey);
  SetDword(L"", L"FixedPageCount", 3);
  const std::wstring self = BinDir() + L"bench_drag_frame.exe";
  for (int i = 1; i <= 3; ++i)
    SetText(L"Launcher", (L"FileName" + std::to_wstring(i)).c_str(), self);
  HWND item = InitializeCustomItem(nullptr, shell);
  if (!item) return 1;
  SetWindowPos(item, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  KillTimer(item, 1);
  RefreshTick(1);
  PumpPending();

  const WindowCanvas canvas(item);
  const RECT client = canvas.Client;
  const int y = client.bottom - 4;
  const int at = width / 2 - width / 5;
  SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(width / 2, y));
  SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at, y));
  int step = 0;
  auto move = [&] {
    SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at + (++step % 2 ? 1 : -1), y));
    ValidateRect(item, nullptr);
  };

  if (argc > 1 && std::atoi(argv[1]) > 0) {  // frames alone, for a profiler
    for (int i = std::atoi(argv[1]); i > 0; --i) {
      move();
      PaintItem(item, canvas.Dc, client);
    }
    return 0;
  }
  std::printf("drag frame of %d x %d at %d dpi, medians of %d batches (microseconds)\n", width,
              height, dpi, Samples);
  std::printf("  whole frame: move + WM_PAINT to the screen %9.1f\n", Median([&] {
                move();
                InvalidateRect(item, nullptr, FALSE);
                UpdateWindow(item);
              }));
  std::printf("  the move message alone                     %9.1f\n", Median(move));
  std::printf("  paint pass into a canvas (PaintItem)       %9.1f\n",
              Median([&] { PaintItem(item, canvas.Dc, client); }));
  std::printf("    the watermark request                    %9.1f\n",
              Median([&] { RequestWatermark(item, canvas.Dc, client); }));
  int top = 0;
  for (int i = 0; i < ItemSettings.FixedPageCount; ++i) {
    const int dy = top;
    std::printf("    fixed page %d, %-9ls                   %9.1f\n", i, KindName(i),
                Median([&] { PaintPageAt(item, canvas.Dc, i, 0, dy); }));
    top += ItemSettings.PageTable[i].Height;
  }
  const DragState& d = Host.Drag;
  const SlideOffsets slide = SlideFor(d.CurrentX - d.StartX, width);
  const int neighbour =
      slide.NeighbourIsNext ? NextPagingPage(CurrentPage) : PrevPagingPage(CurrentPage);
  std::printf("    sliding page, %-9ls                    %9.1f\n", KindName(CurrentPage),
              Median([&] { PaintPageAt(item, canvas.Dc, CurrentPage, slide.CurrentDx, top); }));
  std::printf("    its neighbour, %-9ls                   %9.1f\n", KindName(neighbour),
              Median([&] { PaintPageAt(item, canvas.Dc, neighbour, slide.NeighbourDx, top); }));
  std::printf("    the painters' font creations alone       %9.1f\n",
              Median([&] { MakeFrameFonts(canvas.Dc); }));
  {
    // Each of those fonts alive meanwhile in a DC of its own: what the paint
    // pass costs when the fonts it makes are found already made.
    std::vector<HDC> keepers;
    std::vector<HFONT> kept;
    KeepFrameFonts(canvas.Dc, &keepers, &kept);
    std::printf("    the paint pass, its fonts alive elsewhere  %9.1f\n",
                Median([&] { PaintItem(item, canvas.Dc, client); }));
    for (HDC keeper : keepers) DeleteDC(keeper);
    for (HFONT font : kept) DeleteObject(font);
  }
  std::printf("    a screen resolution asked (ScreenDpiY)   %9.1f\n",
              Median([&] { ScreenDpiY(); }));
  std::printf("  off-screen canvas made and freed           %9.1f\n", Median([&] {
                HDC windowDc = GetDC(item);
                HDC memory = CreateCompatibleDC(windowDc);
                HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
                ReleaseDC(item, windowDc);
                HGDIOBJ old = SelectObject(memory, bitmap);
                SelectObject(memory, old);
                DeleteObject(bitmap);
                DeleteDC(memory);
              }));
  std::printf("  the copy to the screen                     %9.1f\n", Median([&] {
                HDC windowDc = GetDC(item);
                BitBlt(windowDc, 0, 0, width, height, canvas.Dc, 0, 0, SRCCOPY);
                ReleaseDC(item, windowDc);
              }));
  // The frame as the drag's kept fonts paint it, against the same frame
  // painted with fonts made afresh.
  const std::vector<DWORD> kept = PaintedPixels(item, canvas);
  ReleaseDragFrames();
  const std::vector<DWORD> fresh = PaintedPixels(item, canvas);
  int apart = 0;
  for (size_t i = 0; i < kept.size(); ++i) apart += kept[i] != fresh[i];
  std::printf("  (a frame with the drag's kept fonts and one made afresh differ in %d pixels)\n",
              apart);
  if (argc > 1) SaveBitmap(argv[1], canvas, kept);
  SendMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(at, y));

  SetClockOverride(nullptr);
  SetSysInfoFiguresOverride(nullptr);
  DestroyWindow(item);
  DestroyWindow(shell);
  return 0;
}
