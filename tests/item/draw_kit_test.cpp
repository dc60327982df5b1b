// The drawing kit: byte counts, keyed images drawn at their natural size,
// and which state images load for which visible pages.
// tovira-test-dpi: 192
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "draw_testing.h"
#include "item/draw/byte_size.h"
#include "item/draw/keyed_image.h"
#include "item/draw/state_images.h"

using namespace drawtest;

namespace {

std::wstring ByteSize(uint64_t bytes, const wchar_t* prefix) {
  wchar_t out[32];
  std::wmemset(out, L'#', 32);
  FormatByteSize(bytes, prefix, out, 32);
  return out;
}

// A 6 x 4 bitmap: key colour at (0, 0) and down the first column, two
// drawing colours elsewhere.
constexpr COLORREF Key = RGB(255, 0, 255);
constexpr COLORREF Ink1 = RGB(10, 200, 30);
constexpr COLORREF Ink2 = RGB(250, 250, 250);

COLORREF SamplePixel(int x, int y) {
  if (x == 0) return Key;
  if (x == 3 && y == 2) return Key;  // a hole inside the drawing
  return (x + y) % 2 ? Ink1 : Ink2;
}

HBITMAP MakeSample() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 6;
  info.bmiHeader.biHeight = -4;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<DWORD*>(bits);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const COLORREF c = SamplePixel(x, y);
      p[y * 6 + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
  return bitmap;
}

}  // namespace

TEST(FormatByteSize, EveryThreshold) {
  struct Case {
    uint64_t bytes;
    const wchar_t* prefix;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0, L"F:", L"F:0b"},
      {1024, L"U:", L"U:1024b"},
      {1025, L"F:", L"F:1Kb"},
      {1ull << 20, L"F:", L"F:1024Kb"},
      {(1ull << 20) + 1, L"F:", L"F:1Mb"},
      {1ull << 30, L"U:", L"U:1024Mb"},
      {(1ull << 30) + 1, L"U:", L"U:1Gb"},
      {5ull << 30, L"F:", L"F:5Gb"},
      {(1ull << 32) + 5, L"F:", L"F:4Gb"},  // high half set, low half tiny
      // High bits set: every bit of the gigabyte count survives.
      {0x8000000000000000ull, L"U:", L"U:8589934592Gb"},
      {0xFFFFFFFFFFFFFFFFull, L"", L"17179869183Gb"},
      {999, nullptr, L"999b"},
  };
  for (const Case& c : cases) EXPECT_EQ(ByteSize(c.bytes, c.prefix), c.text) << "bytes " << c.bytes;
}

TEST(FormatByteSize, StaysInsideItsBuffer) {
  wchar_t out[8];
  std::wmemset(out, L'#', 8);
  FormatByteSize(5ull << 30, L"prefix that is long", out, 6);
  EXPECT_EQ(out[5], L'\0') << "terminated at the end of the capacity";
  EXPECT_EQ(out[6], L'#') << "nothing written past the capacity";
  EXPECT_EQ(out[7], L'#');
}

TEST(DrawKeyedImage, KeyLeavesBackgroundRestDrawnAtNaturalSize) {
  HBITMAP sample = MakeSample();
  ASSERT_NE(sample, nullptr);
  const SIZE size = ImageSize(sample);
  EXPECT_EQ(size.cx, 6);
  EXPECT_EQ(size.cy, 4);

  constexpr COLORREF Back = RGB(20, 40, 90);
  Canvas canvas(20, 12, Back);
  DrawKeyedImage(canvas.dc(), sample, 5, 3);
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      const int sx = x - 5, sy = y - 3;
      const bool inside = sx >= 0 && sx < 6 && sy >= 0 && sy < 4;
      const COLORREF expected = inside && SamplePixel(sx, sy) != Key ? SamplePixel(sx, sy) : Back;
      ASSERT_EQ(canvas.At(x, y), expected) << "at (" << x << ", " << y << ")";
    }
  DeleteObject(sample);
}

TEST(DrawKeyedImage, NullImageDrawsNothing) {
  Canvas canvas(8, 8, RGB(1, 2, 3));
  DrawKeyedImage(canvas.dc(), nullptr, 0, 0);
  EXPECT_EQ(BoundsOf(canvas, [](COLORREF c) { return c != RGB(1, 2, 3); }).right, 0);
  const SIZE none = ImageSize(nullptr);
  EXPECT_EQ(none.cx, 0);
  EXPECT_EQ(none.cy, 0);
}

TEST(StateImageFileName, DirectoryBaseDpiPng) {
  wchar_t out[MAX_PATH];
  ASSERT_TRUE(StateImageFileName(L"C:\\Program Files\\Tovira\\", L"battery", 96, out, MAX_PATH));
  EXPECT_STREQ(out, L"C:\\Program Files\\Tovira\\battery96.png");
  // A name that does not fit is refused whole, never cut into another name.
  EXPECT_FALSE(StateImageFileName(L"C:\\dir\\", L"memory_card", 131, out, 20));
  EXPECT_STREQ(out, L"");
}

class StateImagesTest : public ::testing::Test {
 protected:
  ItemStandIn item{240, 80};
  void SetUp() override { ResetSettingsToDefaults(); }
  void TearDown() override { ReleaseStateImages(); }
  static void SetVisible(int kind, int visible) { RecordOf(kind)->Visible = visible; }
};

TEST_F(StateImagesTest, AllVisibleLoadsAllSevenAtScreenDensity) {
  LoadStateImages(item.get());
  const int side = 16 * ScreenDpiY() / 96;  // the art is drawn 16 px at 96 dpi
  const HBITMAP images[] = {StateImages.Bt,        StateImages.Wifi,      StateImages.Alarm,
                            StateImages.Battery,   StateImages.MemoryRam, StateImages.MemoryPhone,
                            StateImages.MemoryCard};
  for (HBITMAP image : images) {
    ASSERT_NE(image, nullptr) << "dpi " << ScreenDpiY();
    EXPECT_EQ(ImageSize(image).cx, side);
    EXPECT_EQ(ImageSize(image).cy, side);
  }
  EXPECT_EQ(BatteryImageHeight(), side);
}

TEST_F(StateImagesTest, OnlyVisiblePagesLoadTheirImages) {
  struct Case {
    int hiddenKind;
    int showAlarm;
    bool wireless, alarm, sysinfo;
  };
  const Case cases[] = {
      {PageKindWireless, 1, false, true, true},
      {PageKindTime, 1, true, false, true},
      {0, 0, true, false, true},  // ShowAlarm off: no alarm image
      {PageKindSysInfo, 1, true, true, false},
      {PageKindDate, 1, true, true, true},
  };
  for (const Case& c : cases) {
    ResetSettingsToDefaults();
    if (c.hiddenKind) SetVisible(c.hiddenKind, 0);
    ItemSettings.Time.ShowAlarm = c.showAlarm;
    LoadStateImages(item.get());
    SCOPED_TRACE(testing::Message()
                 << "hidden kind " << c.hiddenKind << " ShowAlarm " << c.showAlarm);
    EXPECT_EQ(StateImages.Bt != nullptr, c.wireless);
    EXPECT_EQ(StateImages.Wifi != nullptr, c.wireless);
    EXPECT_EQ(StateImages.Alarm != nullptr, c.alarm);
    for (HBITMAP image : {StateImages.Battery, StateImages.MemoryRam, StateImages.MemoryPhone,
                          StateImages.MemoryCard})
      EXPECT_EQ(image != nullptr, c.sysinfo);
    EXPECT_EQ(BatteryImageHeight() > 0, c.sysinfo);
    ReleaseStateImages();
  }
}

TEST_F(StateImagesTest, ReleaseDeletesTheBitmapsAndAReloadReplacesThem) {
  LoadStateImages(item.get());
  const HBITMAP first[] = {StateImages.Bt, StateImages.Alarm, StateImages.MemoryCard};
  LoadStateImages(item.get());  // a re-created window loads again
  const HBITMAP second[] = {StateImages.Bt, StateImages.Alarm, StateImages.MemoryCard};
  for (HBITMAP old : first) {
    bool reused = false;
    for (HBITMAP now : second) reused = reused || now == old;
    if (!reused) {
      EXPECT_EQ(GetObjectType(old), 0u) << "the first set was not deleted";
    }
  }
  ReleaseStateImages();
  for (HBITMAP old : second) EXPECT_EQ(GetObjectType(old), 0u);
  EXPECT_EQ(StateImages.Bt, nullptr);
  EXPECT_EQ(StateImages.MemoryCard, nullptr);
  EXPECT_EQ(BatteryImageHeight(), 0);
}
