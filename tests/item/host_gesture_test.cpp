// The tap-and-hold recogniser: its decision rule, and the real pointer
// (pressed through SendInput) held over a window.
#include <gtest/gtest.h>

#include "platform/gesture.h"
#include "support/item_test_support.h"

using namespace itemtest;

namespace {

TEST(JudgeGesture, HoldMoveAndRelease) {
  struct Case {
    bool down;
    int dx, dy;
    DWORD held;
    GestureStep step;
  } cases[] = {
      {false, 0, 0, 900, GestureStep::Cancel},
      {true, 5, -5, 499, GestureStep::Continue},
      {true, 0, -6, 100, GestureStep::Cancel},
      {true, -5, 5, 500, GestureStep::Hold},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.down << " " << c.dx << "," << c.dy << " " << c.held);
    EXPECT_EQ(JudgeGesture(c.down, c.dx, c.dy, c.held), c.step);
  }
}

class Gesture : public ::testing::Test {
 protected:
  HWND window = nullptr;
  void SetUp() override {
    window = CreateShellWindow(200, 200);
    ASSERT_NE(window, nullptr);
    POINT centre = {100, 100};
    ClientToScreen(window, &centre);
    SetCursorPos(centre.x, centre.y);
    PumpPending();
  }
  void TearDown() override {
    Press(false);
    PumpPending();
  }
  static void Press(bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
  }
  DWORD Recognise(int x, int y) {
    SHRGINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndClient = window;
    info.ptDown = POINT{x, y};
    info.dwFlags = SHRG_RETURNCMD;
    return SHRecognizeGesture(&info);
  }
};

TEST_F(Gesture, WithTheButtonUpItAnswersAtOnce) {
  DWORD start = GetTickCount();
  EXPECT_EQ(Recognise(100, 100), 0u);
  EXPECT_LT(GetTickCount() - start, GestureHoldMs);
}

TEST_F(Gesture, HeldStillItGivesTheContextMenu) {
  Press(true);
  PumpUntil([] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }, 2000);
  ASSERT_NE(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0) << "the pressed button should be seen";
  DWORD start = GetTickCount();
  EXPECT_EQ(Recognise(100, 100), static_cast<DWORD>(GN_CONTEXTMENU));
  EXPECT_GE(GetTickCount() - start, GestureHoldMs - 20);
}

TEST_F(Gesture, APointerAwayFromThePressAnswersAtOnce) {
  Press(true);
  PumpUntil([] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }, 2000);
  DWORD start = GetTickCount();
  EXPECT_EQ(Recognise(150, 100), 0u);
  EXPECT_LT(GetTickCount() - start, GestureHoldMs);
}

TEST_F(Gesture, ARecordOfTheWrongSizeIsRefused) {
  SHRGINFO info = {};
  info.cbSize = 4;
  info.hwndClient = window;
  EXPECT_EQ(SHRecognizeGesture(&info), 0u);
  EXPECT_EQ(SHRecognizeGesture(nullptr), 0u);
}

}  // namespace
