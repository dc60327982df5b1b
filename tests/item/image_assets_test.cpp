// The platform's image calls (PNG decoding, keyed copies) and the state
// images the build renders: every base name at every density, the key colour
// at (0, 0), and both dark and light ink so they read on any watermark.
#include <gtest/gtest.h>

#include <string>

#include "draw_testing.h"
#include "platform/image.h"

using namespace drawtest;

namespace {

std::wstring BinDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  return dir.substr(0, dir.rfind(L'\\') + 1);
}

constexpr COLORREF Key = RGB(255, 0, 255);

int Luma(COLORREF c) { return (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10; }

}  // namespace

TEST(StateImageFiles, EveryBaseAtEveryDensity) {
  const wchar_t* bases[] = {L"bt",         L"wifi",         L"alarm",      L"battery",
                            L"memory_ram", L"memory_phone", L"memory_card"};
  struct Density {
    int dpi, side;
  };
  const Density densities[] = {{96, 16}, {128, 21}, {131, 22}, {192, 32}};
  for (const wchar_t* base : bases)
    for (const Density& d : densities) {
      const std::wstring file = BinDirectory() + base + std::to_wstring(d.dpi) + L".png";
      SCOPED_TRACE(std::string(file.begin(), file.end()));
      HBITMAP image = SHLoadImageFile(file.c_str());
      ASSERT_NE(image, nullptr);
      BITMAP info = {};
      GetObjectW(image, sizeof(info), &info);
      EXPECT_EQ(info.bmWidth, d.side);
      EXPECT_EQ(std::abs(info.bmHeight), d.side);

      Canvas canvas(d.side, d.side, RGB(0, 0, 0));
      HDC memory = CreateCompatibleDC(canvas.dc());
      HGDIOBJ old = SelectObject(memory, image);
      BitBlt(canvas.dc(), 0, 0, d.side, d.side, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);

      EXPECT_EQ(canvas.At(0, 0), Key) << "the key colour is taken from (0, 0)";
      int keyed = 0, dark = 0, light = 0;
      for (int y = 0; y < d.side; ++y)
        for (int x = 0; x < d.side; ++x) {
          const COLORREF c = canvas.At(x, y);
          if (c == Key) {
            ++keyed;
            continue;
          }
          if (Luma(c) < 60) ++dark;
          if (Luma(c) > 150) ++light;
        }
      const int area = d.side * d.side;
      EXPECT_GT(keyed, area / 10) << "the shape leaves background around it";
      EXPECT_LT(keyed, area * 9 / 10) << "something is drawn";
      EXPECT_GT(dark, d.side) << "a dark outline for light watermarks";
      EXPECT_GT(light, d.side / 2) << "light ink for dark watermarks";
      DeleteObject(image);
    }
}

TEST(SHLoadImageFile, MissingOrUndecodableFileGivesNull) {
  EXPECT_EQ(SHLoadImageFile((BinDirectory() + L"no_such_image96.png").c_str()), nullptr);
  EXPECT_EQ(SHLoadImageFile(L""), nullptr);
  EXPECT_EQ(SHLoadImageFile(nullptr), nullptr);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(SHLoadImageFile(self), nullptr) << "a program is no image";
}

TEST(TransparentImage, BitmapOrDcSourceSkipsTheKey) {
  HBITMAP image = SHLoadImageFile((BinDirectory() + L"alarm96.png").c_str());
  ASSERT_NE(image, nullptr);
  constexpr COLORREF Back = RGB(0, 90, 0);
  Canvas fromBitmap(40, 20, Back), fromDc(40, 20, Back);
  EXPECT_TRUE(TransparentImage(fromBitmap.dc(), 4, 2, 16, 16, image, 0, 0, 16, 16, Key));
  HDC memory = CreateCompatibleDC(fromDc.dc());
  HGDIOBJ old = SelectObject(memory, image);
  EXPECT_TRUE(TransparentImage(fromDc.dc(), 4, 2, 16, 16, memory, 0, 0, 16, 16, Key));
  int drawn = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      ASSERT_EQ(fromBitmap.At(x, y), fromDc.At(x, y)) << x << "," << y;
      const bool inside = x >= 4 && x < 20 && y >= 2 && y < 18;
      const COLORREF source = inside ? GetPixel(memory, x - 4, y - 2) : Key;
      ASSERT_EQ(fromDc.At(x, y), source == Key ? Back : source) << x << "," << y;
      drawn += fromDc.At(x, y) != Back;
    }
  EXPECT_GT(drawn, 50);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(image);
  EXPECT_FALSE(TransparentImage(nullptr, 0, 0, 1, 1, nullptr, 0, 0, 1, 1, Key));
}
