// The paging slot follows the finger: while a drag moves, the page is painted
// shifted by the travel and its neighbour slides in; seen in the item's pixels.
#include <gtest/gtest.h>

#include <vector>

#include "common/registry_names.h"
#include "support/item_test_support.h"

using namespace itemtest;

namespace {

constexpr int Width = 240;

// The item's client pixels, row by row.
std::vector<COLORREF> Capture(HWND window, int height, int width = Width) {
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(window);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(window, dc);
  return pixels;
}

class LayoutSlide : public ::testing::Test {
 protected:
  SettingsScope scope;
  ScratchDir dir{L"tovira-slide"};
  HWND shell = CreateShellWindow(Width, 320);
  TODAYLISTITEM record = {};

  void SetUp() override {
    // Every page pages; the Date page comes first, with texts that stay put.
    SetDword(L"", L"FixedPageCount", 0);
    SetDword(L"Date", L"Order", -1);
    SetText(L"Date", L"Format1", L"dd.MM.yyyy");
    SetText(L"Date", L"Format2", L"dddd");
  }
};

TEST_F(LayoutSlide, TheCurrentPageMovesWithTheFinger) {
  ItemLibrary library(dir, false);
  HWND item = CreateItem(library, shell, Width, &record);
  ASSERT_NE(item, nullptr);
  int height = static_cast<int>(record.cyp);
  UpdateWindow(item);
  std::vector<COLORREF> still = Capture(item, height);
  int painted = 0;
  for (COLORREF c : still) painted += c != ShellWatermark;
  ASSERT_GT(painted, 0) << "the Date page should show its texts";

  const int travel = 30;
  SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(120, 5));
  SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(120 - travel, 5));
  UpdateWindow(item);
  std::vector<COLORREF> moved = Capture(item, height);
  SendMessageW(item, WM_LBUTTONUP, 0, PointAt(120 - travel, 5));

  // Left of where the neighbour slides in, every pixel is the still one from 30 further right.
  int differing = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x + travel < Width - travel; ++x)
      differing += moved[y * Width + x] != still[y * Width + x + travel];
  EXPECT_EQ(differing, 0);
  EXPECT_NE(moved, still);

  // Released short of a swipe, the page snaps back.
  UpdateWindow(item);
  EXPECT_EQ(Capture(item, height), still);
  DestroyWindow(item);
}

TEST_F(LayoutSlide, AWidthGivenMidDragPaintsAsADragBegunAtIt) {
  // The shell widens the item (its scroll bar goes) while the finger drags:
  // the next frame is the one a drag begun at the new width paints.
  ItemLibrary library(dir, false);
  auto frameAfter = [&](int startWidth) {
    record = TODAYLISTITEM{};
    HWND item = CreateItem(library, shell, startWidth, &record);
    const int height = static_cast<int>(record.cyp);
    SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(120, 5));
    SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(80, 5));
    UpdateWindow(item);
    SetWindowPos(item, nullptr, 0, 0, Width, height, SWP_NOZORDER);
    SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(90, 5));
    UpdateWindow(item);
    std::vector<COLORREF> pixels = Capture(item, height);
    SendMessageW(item, WM_LBUTTONUP, 0, PointAt(90, 5));
    DestroyWindow(item);
    return pixels;
  };
  const std::vector<COLORREF> widened = frameAfter(180);
  EXPECT_EQ(widened, frameAfter(Width));
  EXPECT_NE(widened, std::vector<COLORREF>(widened.size(), ShellWatermark));
}

TEST_F(LayoutSlide, WithOnePagingPageNothingSlides) {
  for (int kind = 1; kind <= 6; ++kind)
    if (kind != PageKindDate) SetDword(PageKeyName(kind), L"Visible", 0);
  ItemLibrary library(dir, false);
  HWND item = CreateItem(library, shell, Width, &record);
  ASSERT_NE(item, nullptr);
  int height = static_cast<int>(record.cyp);
  UpdateWindow(item);
  std::vector<COLORREF> still = Capture(item, height);
  SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(120, 5));
  SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(60, 5));
  UpdateWindow(item);
  EXPECT_EQ(Capture(item, height), still);
  SendMessageW(item, WM_LBUTTONUP, 0, PointAt(60, 5));
  DestroyWindow(item);
}

}  // namespace
