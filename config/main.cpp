// tvrcfg.exe: the Tovira configuration tool's program entry.
#include <windows.h>

#include "config/ui/tool_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  if (!StartTool(instance, show)) return 0;  // another instance, or no window
  return RunMessageLoop();
}
