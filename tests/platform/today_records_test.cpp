// The shell's records keep the SDK's field order, so an item built against
// them reads cyp where the shell wrote it.
#include <cstddef>

#include <gtest/gtest.h>

#include "platform/today.h"

TEST(TodayRecords, FieldOrderFollowsTheSdk) {
  EXPECT_EQ(offsetof(TODAYLISTITEM, szName), 0u);
  EXPECT_EQ(offsetof(TODAYLISTITEM, tlit), MAX_ITEMNAME * sizeof(TCHAR));
  EXPECT_LT(offsetof(TODAYLISTITEM, cyp), offsetof(TODAYLISTITEM, szDLLPath));
  EXPECT_LT(offsetof(TODAYLISTITEM, hwndCustom), offsetof(TODAYLISTITEM, dwSelectability));
  EXPECT_EQ(offsetof(TODAYDRAWWATERMARKINFO, hdc), 0u);
  EXPECT_EQ(offsetof(TODAYDRAWWATERMARKINFO, rc), sizeof(HDC));
}

TEST(TodayRecords, MessageNumbers) {
  EXPECT_EQ(TODAYM_GETCOLOR, 0x464);
  EXPECT_EQ(TODAYM_DRAWWATERMARK, 0x465);
  EXPECT_EQ(WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0x4F3);
  EXPECT_EQ(WM_TODAYCUSTOM_USERNAVIGATION, 0x4F6);
}
