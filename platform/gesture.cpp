// Tap-and-hold recognition on desktop Windows: the pointer is watched, not
// its messages, so the press's own messages stay queued for the window when
// the gesture turns out to be a plain tap.
#include "platform/gesture.h"

#include <cstdlib>

GestureStep JudgeGesture(bool buttonDown, int dx, int dy, DWORD heldMs) {
  if (!buttonDown) return GestureStep::Cancel;
  if (std::abs(dx) > GestureTolerance || std::abs(dy) > GestureTolerance)
    return GestureStep::Cancel;
  return heldMs >= GestureHoldMs ? GestureStep::Hold : GestureStep::Continue;
}

static bool LeftButtonDown() {
  // With the buttons swapped the physical left button reports as VK_RBUTTON.
  int key = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return (GetAsyncKeyState(key) & 0x8000) != 0;
}

DWORD WINAPI SHRecognizeGesture(SHRGINFO* info) {
  if (!info || info->cbSize < sizeof(SHRGINFO) || !IsWindow(info->hwndClient)) return 0;
  POINT down = info->ptDown;
  ClientToScreen(info->hwndClient, &down);
  DWORD start = GetTickCount();
  for (;;) {
    POINT now = down;
    GetCursorPos(&now);
    DWORD held = GetTickCount() - start;
    switch (JudgeGesture(LeftButtonDown(), now.x - down.x, now.y - down.y, held)) {
      case GestureStep::Cancel:
        return 0;
      case GestureStep::Hold:
        return GN_CONTEXTMENU;
      case GestureStep::Continue:
        break;
    }
    // Wake on any input (a move or the release) or after a short while; nothing is removed.
    DWORD left = GestureHoldMs - held;
    GetQueueStatus(QS_INPUT);  // what is queued already does not wake the wait again
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 20 ? left : 20, QS_INPUT);
  }
}
