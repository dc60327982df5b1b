// The real item in the host: todayhost loads tovira.dll from a device root,
// the item answers the height protocol, and the headless screen shows it.
#include <gtest/gtest.h>

#include "host/todayhost/host_layout.h"
#include "host/todayhost/image_file.h"
#include "host/todayhost/text_util.h"
#include "host/todayhost/today_host.h"
#include "host/todayhost/watermark.h"
#include "tests/host/host_test_support.h"

namespace {

class ToviraInHost : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = BinDir() + L"tovira.dll";
    if (GetFileAttributesW(library_.c_str()) == INVALID_FILE_ATTRIBUTES)
      GTEST_SKIP() << "no tovira.dll in the build";
    DeleteTestItems();
    std::wstring dir = ScratchDirectory() + L"\\Program Files\\Tovira";
    ProbeCopy(L"Program Files\\Tovira\\placeholder.dll");  // makes the folders
    ASSERT_TRUE(CopyFileW(library_.c_str(), (dir + L"\\tovira.dll").c_str(), FALSE));
    WriteTestEntry(L"Tovira", L"\\Program Files\\Tovira\\tovira.dll", 4, 1, 10);
  }
  void TearDown() override {
    if (host_ && IsWindow(host_)) DestroyWindow(host_);
    PumpPending();
    DeleteTestItems();
    DeleteScratch();
  }
  std::wstring library_;
  HWND host_ = nullptr;
};

TEST_F(ToviraInHost, AnswersTheHeightProtocolAndIsStacked) {
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(ScratchDirectory().c_str()));
  HostOptions options;
  DefaultHostOptions(&options);
  CopyText(options.itemsKey, 260, TestItemsKey);
  host_ = CreateTodayHost(options);
  SetCurrentDirectoryW(previous);
  ASSERT_TRUE(host_);
  ASSERT_EQ(HostItemCount(), 1);
  const TODAYLISTITEM* record = HostItemRecord(0);
  HWND item = HostItemWindow(0);
  wchar_t cls[32] = L"";
  GetClassNameW(item, cls, 32);
  EXPECT_STREQ(cls, L"Tovira");
  EXPECT_GT(record->cyp, 0u) << "the first query gives the item its height";
  RECT rc;
  GetClientRect(item, &rc);
  EXPECT_EQ(static_cast<DWORD>(rc.bottom), record->cyp);
  RECT screen;
  GetClientRect(host_, &screen);
  EXPECT_EQ(rc.right, screen.right) << "as wide as the screen";
  // Nothing changed: the next query is answered FALSE and keeps the height.
  TODAYLISTITEM copy = *record;
  EXPECT_EQ(
      SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&copy), 0),
      FALSE);
  EXPECT_EQ(copy.cyp, record->cyp);
}

TEST_F(ToviraInHost, HeadlessScreenShowsTheItem) {
  std::wstring png = ScratchDirectory() + L"\\today.png";
  std::wstring command = L"\"" + BinDir() + L"todayhost.exe\" --items " + TestItemsKey +
                         L" --size 240x320 --png \"" + png + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                             ScratchDirectory().c_str(), &si, &pi));
  bool ended =
      PumpUntil([&pi] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000);
  DWORD code = 99;
  if (!ended) TerminateProcess(pi.hProcess, 99);
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  ASSERT_EQ(code, 0u);

  int w = 0, h = 0;
  HBITMAP shot = LoadImageBitmap(png.c_str(), &w, &h);
  ASSERT_NE(shot, nullptr);
  ASSERT_EQ(w, 240);
  ASSERT_EQ(h, 320);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, shot);
  // The item's texts are whatever pixels are not the background at their place.
  int drawn = 0, lowest = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; x += 2)
      if (GetPixel(dc, x, y) != WatermarkColorAt(y, h)) {
        ++drawn;
        lowest = y;
      }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(shot);
  EXPECT_GT(drawn, 200) << "the item drew next to nothing";
  EXPECT_LT(lowest, h - 1) << "the background shows below the item";
}

}  // namespace
