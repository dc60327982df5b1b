// The background the host hands its items: a gradient by default, or an
// image file scaled to the screen; PNG files round-trip through the codecs.
#include <gtest/gtest.h>

#include "host/todayhost/host_layout.h"
#include "host/todayhost/image_file.h"
#include "host/todayhost/watermark.h"
#include "tests/host/host_test_support.h"

namespace {

struct MemoryCanvas {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  MemoryCanvas(int w, int h) {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
  }
  ~MemoryCanvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};

TEST(Watermark, GradientPiecesLieWhereTheyAreOnTheScreen) {
  Background background = {};
  ASSERT_TRUE(PrepareWatermark(&background, 240, 320, L""));
  MemoryCanvas canvas(10, 10);
  RECT rc = {0, 0, 10, 10};
  PaintWatermark(background, canvas.dc, rc, 100, 200);
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), WatermarkColorAt(200, 320));
  EXPECT_EQ(GetPixel(canvas.dc, 9, 9), WatermarkColorAt(209, 320));
  ReleaseWatermark(&background);
}

TEST(Watermark, ImageFileScaledToTheScreen) {
  // A 20x20 image, left half red and right half green, written through the PNG encoder.
  MemoryCanvas source(20, 20);
  RECT left = {0, 0, 10, 20}, right = {10, 0, 20, 20};
  SetBkColor(source.dc, RGB(200, 0, 0));
  ExtTextOutW(source.dc, 0, 0, ETO_OPAQUE, &left, nullptr, 0, nullptr);
  SetBkColor(source.dc, RGB(0, 150, 0));
  ExtTextOutW(source.dc, 0, 0, ETO_OPAQUE, &right, nullptr, 0, nullptr);
  SelectObject(source.dc, source.old);
  std::wstring png = ScratchDirectory() + L"\\mark.png";
  ASSERT_TRUE(WriteBitmapPng(source.bitmap, png.c_str()));
  SelectObject(source.dc, source.bitmap);

  Background background = {};
  ASSERT_TRUE(PrepareWatermark(&background, 240, 320, png.c_str()));
  MemoryCanvas canvas(240, 320);
  RECT rc = {0, 0, 240, 320};
  PaintWatermark(background, canvas.dc, rc, 0, 0);
  EXPECT_EQ(GetPixel(canvas.dc, 10, 160), RGB(200, 0, 0));
  EXPECT_EQ(GetPixel(canvas.dc, 230, 160), RGB(0, 150, 0));
  ReleaseWatermark(&background);

  // A file that is no image leaves the gradient.
  std::wstring junk = ScratchDirectory() + L"\\junk.png";
  HANDLE f = CreateFileW(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, "not a picture", 13, &written, nullptr);
  CloseHandle(f);
  ASSERT_TRUE(PrepareWatermark(&background, 240, 320, junk.c_str()));
  PaintWatermark(background, canvas.dc, rc, 0, 0);
  EXPECT_EQ(GetPixel(canvas.dc, 10, 160), WatermarkColorAt(160, 320));
  ReleaseWatermark(&background);
  DeleteScratch();
}

}  // namespace
