// turnscreen.exe: turns the device screen, as a person turns a Pocket PC.
// Run inside the device's desktop: turnscreen landscape|portrait. The size
// follows the screen's density.
#include <windows.h>

#include "host/common/host_log.h"
#include "host/todayhost/display_turn.h"
#include "host/todayhost/screen_turn.h"
#include "host/todayhost/screen_window.h"

int wmain(int argc, wchar_t** argv) {
  bool landscape = false;
  if (argc != 2 || !ParseOrientation(argv[1], &landscape)) {
    HostLog(L"usage: turnscreen landscape|portrait");
    return 2;
  }
  int width = 0, height = 0, portraitWidth = 0, portraitHeight = 0;
  OrientedScreenSize(ScreenDensity(), landscape, &width, &height);
  OrientedScreenSize(ScreenDensity(), false, &portraitWidth, &portraitHeight);
  OfferPortraitScreen(portraitWidth, portraitHeight);
  DWORD start = GetTickCount();
  LONG result = TurnScreen(width, height);
  DWORD took = GetTickCount() - start;  // the display and every program following it
  if (result != DISP_CHANGE_SUCCESSFUL) {
    HostLog(L"turnscreen: the display refused %dx%d (%ld)", width, height, result);
    return 1;
  }
  HostLog(L"turnscreen: %dx%d in %lu ms", width, height, static_cast<unsigned long>(took));
  return 0;
}
