// Texts of the SysInfo columns from chosen figures, every display mode.
#include "item/pages/sysinfo_text.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "byte_sizes.h"

namespace {

TEST(SysInfoText, Battery) {
  struct Case {
    bool ok;
    unsigned char flag, percent;
    const wchar_t* text;
  };
  const Case cases[] = {
      {true, 128, 255, L"--"}, {true, 8, 40, L"=D~"},   {true, 9, 57, L"57%"},
      {true, 1, 57, L"57%"},   {true, 255, 255, L"--"}, {false, 8, 40, L""},
      {true, 1, 100, L"100%"}, {true, 1, 101, L"--"},   {true, 1, 255, L"--"},
  };
  for (const Case& c : cases) {
    wchar_t out[BatteryTextSlot];
    std::wmemset(out, L'#', BatteryTextSlot);
    FormatBatteryText(c.ok, c.flag, c.percent, out, BatteryTextSlot);
    EXPECT_EQ(std::wstring(out), c.text) << "flag " << int(c.flag) << " ok " << c.ok;
  }
}

TEST(SysInfoText, RamModes) {
  struct Case {
    int mode;
    unsigned long load;
    uint64_t total, available;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0, 63, 64 * MiB, 20 * MiB, L"63%"},
      {1, 63, 64 * MiB, 20 * MiB, L"U:44Mb"},
      {2, 63, 64 * MiB, 20 * MiB, L"F:20Mb"},
      {3, 63, 64 * MiB, 20 * MiB, L""},
      {-1, 63, 64 * MiB, 20 * MiB, L""},
      {1, 0, 10, 20, L"U:0b"},  // more available than total: nothing used
  };
  for (const Case& c : cases) {
    wchar_t out[MemoryTextSlot];
    FormatRamText(c.mode, c.load, c.total, c.available, out, MemoryTextSlot);
    EXPECT_EQ(std::wstring(out), c.text) << "mode " << c.mode;
  }
}

TEST(SysInfoText, StorageModes) {
  struct Case {
    int mode;
    uint64_t total, free;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0, 4 * GiB, 3 * GiB, L"25%"},
      {0, 3, 1, L"66%"},  // truncated
      {0, 0, 0, L""},     // no total: no percentage
      {0, ~0ull, 0, L"100%"},
      // Beyond 2^57 used x 100 no longer fits in 64 bits: still exact, still truncated.
      {0, ~0ull, 1ull << 63, L"49%"},
      {0, ~0ull, 1, L"99%"},
      {0, ~0ull, ~0ull / 3, L"66%"},
      {0, 1ull << 60, 1, L"99%"},
      {0, 1ull << 58, 1ull << 56, L"75%"},
      {0, 3ull << 62, 1ull << 62, L"66%"},
      {0, 3ull << 57, 1ull << 57, L"66%"},
      {0, 1000000000000000000ull, 990000000000000001ull, L"0%"},
      {0, 1000000000000000000ull, 990000000000000000ull, L"1%"},
      {0, 1000000000000000000ull, 10000000000000000ull, L"99%"},
      {0, 100, 200, L"0%"},
      {1, 2 * GiB, GiB, L"U:1024Mb"},  // exactly 1 GiB used: thresholds are strict
      {1, 2 * GiB + 1, GiB, L"U:1Gb"},
      {2, 2 * GiB, 20 * MiB, L"F:20Mb"},
      {2, 0, 0, L"F:0b"},
      {5, 2 * GiB, GiB, L""},
  };
  for (const Case& c : cases) {
    wchar_t out[MemoryTextSlot];
    FormatStorageText(c.mode, c.total, c.free, out, MemoryTextSlot);
    EXPECT_EQ(std::wstring(out), c.text) << "mode " << c.mode << " total " << c.total;
  }
}

TEST(SysInfoText, SmallBuffersStayTerminated) {
  wchar_t out[4];
  std::wmemset(out, L'#', 4);
  FormatStorageText(0, 3, 1, out, 3);
  EXPECT_EQ(out[2], L'\0');
  EXPECT_EQ(out[3], L'#');
  FormatBatteryText(true, 9, 100, out, 3);
  EXPECT_EQ(out[2], L'\0');
}

}  // namespace
