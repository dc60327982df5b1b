// todayhost.exe as the run command uses it, watched from outside: the
// headless PNG of the screen, and the reload counter of a running host.
#include <gtest/gtest.h>

#include "host/todayhost/host_layout.h"
#include "host/todayhost/image_file.h"
#include "host/todayhost/today_host.h"
#include "host/todayhost/watermark.h"
#include "tests/host/host_test_support.h"

namespace {

class HostProgram : public ::testing::Test {
 protected:
  void SetUp() override { StartProbeTest(); }
  void TearDown() override {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(process_.hProcess, 9);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    DeleteTestItems();
    DeleteScratch();
  }
  bool Start(const std::wstring& arguments) {
    std::wstring command =
        L"\"" + BinDir() + L"todayhost.exe\" --items " + TestItemsKey + L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    return CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                          ScratchDirectory().c_str(), &si, &process_) != 0;
  }
  // Waits for the host to end while answering its items' reports.
  DWORD WaitExit(DWORD timeoutMs) {
    HANDLE process = process_.hProcess;
    if (!PumpUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; },
                   timeoutMs))
      return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
  }
  PROCESS_INFORMATION process_ = {};
};

TEST_F(HostProgram, HeadlessRunWritesTheScreenAsPng) {
  WriteTestEntry(L"Alpha", L"Program Files\\Probe\\probe_a.dll", 4, 1, 1);
  ProbeCopy(L"Program Files\\Probe\\probe_a.dll");
  SetProbeHeight(L"Alpha", 60);
  std::wstring png = ScratchDirectory() + L"\\today.png";
  ASSERT_TRUE(Start(L"--size 240x320 --ticks 2 --png \"" + png + L"\""));
  ASSERT_EQ(WaitExit(60000), 0u) << DescribeEvents();
  EXPECT_EQ(CountEvents(ProbeTimer, L"Alpha"), 2);
  EXPECT_GE(CountEvents(ProbeQueryHeight, L"Alpha"), 1);
  EXPECT_EQ(CountEvents(ProbeDetach, L"Alpha"), 1);  // unloaded on the way out

  int w = 0, h = 0;
  HBITMAP shot = LoadImageBitmap(png.c_str(), &w, &h);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(w, 240);
  EXPECT_EQ(h, 320);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, shot);
  // The item's band across the middle of its 60 rows; the gradient below it,
  // and the gradient drawn for the item too, at its place on the screen.
  EXPECT_EQ(GetPixel(dc, 120, 30), ProbeBandColor);
  EXPECT_EQ(GetPixel(dc, 120, 200), WatermarkColorAt(200, 320));
  EXPECT_EQ(GetPixel(dc, 1, 5), WatermarkColorAt(5, 320));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(shot);
}

TEST_F(HostProgram, RunningHostCountsItsReloads) {
  WriteTestEntry(L"Alpha", ProbeCopy(L"probe_a.dll"), 4, 1, 1);
  ASSERT_TRUE(Start(L"--size 240x320"));
  HWND host = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&host] {
        host = FindWindowW(TodayHostClass, nullptr);
        return host != nullptr && CountEvents(ProbeQueryHeight, L"Alpha") > 0;
      },
      30000));
  UINT query = RegisterWindowMessageW(TodayHostQueryName);
  EXPECT_EQ(SendMessageW(host, query, QueryItemCount, 0), 1);
  EXPECT_EQ(SendMessageW(host, query, QueryReloadCount, 0), 0);
  for (int round = 1; round <= 3; ++round) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0xF2, 0, SMTO_ABORTIFHUNG, 2000, &result);
    ASSERT_TRUE(PumpUntil(
        [host, query, round] { return SendMessageW(host, query, QueryReloadCount, 0) == round; },
        10000))
        << "round " << round;
  }
  EXPECT_EQ(CountEvents(ProbeInit, L"Alpha"), 4);
  EXPECT_EQ(CountEvents(ProbeDestroy, L"Alpha"), 3);
  PostMessageW(host, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitExit(20000), 0u);
}

// A reload asked for while the item's own loop runs (its menu, a drag) must
// wait until that loop has returned: freeing the library under it would
// return into unmapped code.
TEST_F(HostProgram, ReloadDuringTheItemsOwnLoopWaitsForIt) {
  std::wstring dll = ProbeCopy(L"probe_a.dll");
  WriteTestEntry(L"Alpha", dll, 4, 1, 1);
  ASSERT_TRUE(Start(L"--size 240x320"));
  HWND host = nullptr, item = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        host = FindWindowW(TodayHostClass, nullptr);
        item = host ? FindWindowExW(host, nullptr, L"ToviraHostProbeItem", nullptr) : nullptr;
        return item != nullptr && CountEvents(ProbeQueryHeight, L"Alpha") > 0;
      },
      30000));
  PostMessageW(item, ProbeRunModal, 0, 0);
  ASSERT_TRUE(PumpUntil([] { return CountEvents(ProbeModalBegin, L"Alpha") > 0; }, 10000));
  // Switched off and told to reload, as an uninstallation does; then the loop ends.
  WriteTestEntry(L"Alpha", dll, 4, 0, 1);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0xF2, 0, SMTO_ABORTIFHUNG, 2000, &result);
  PostMessageW(item, ProbeEndModal, 0, 0);
  UINT query = RegisterWindowMessageW(TodayHostQueryName);
  HANDLE process = process_.hProcess;
  bool reloaded = PumpUntil(
      [&] {
        return WaitForSingleObject(process, 0) == WAIT_OBJECT_0 ||
               SendMessageW(host, query, QueryReloadCount, 0) == 1;
      },
      10000);
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  ASSERT_EQ(code, static_cast<DWORD>(STILL_ACTIVE)) << std::hex << "host ended with 0x" << code;
  ASSERT_TRUE(reloaded) << DescribeEvents();
  EXPECT_EQ(SendMessageW(host, query, QueryItemCount, 0), 0);
  // The loop came back into the item's code before its window and library went.
  std::wstring order;
  for (const auto& e : ProbeEvents())
    if (e.code == ProbeModalEnd || e.code == ProbeDestroy || e.code == ProbeDetach)
      order += std::to_wstring(e.code) + L" ";
  EXPECT_EQ(order, L"14 4 2 ") << DescribeEvents();
  PostMessageW(host, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitExit(20000), 0u);
}

}  // namespace
