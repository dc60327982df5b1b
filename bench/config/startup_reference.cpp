// tool_startup_reference.exe: what the start-up benchmark compares tvrcfg.exe
// with. The tool's own top-level window (class, title, place, window
// procedure), its soft-key bar and every control its start-up creates, at
// the same places with the same styles and fonts, but empty: no settings
// loaded, no list rows, no font faces, no icons. Started and timed by
// tool_startup_bench.exe; ends, like the tool, on the Cancel soft key.
#include <windows.h>

#include "config/model/config_model.h"
#include "config/ui/layout.h"
#include "config/ui/tool_window.h"

namespace {

// The tool's window in every message but its creation.
LRESULT CALLBACK ReferenceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_CREATE) return MainWindowProc(hwnd, message, wParam, lParam);
  Ui.Window = hwnd;
  CreateMenuBar(hwnd);
  Ui.Activation = {};
  Ui.Activation.cbSize = sizeof(Ui.Activation);
  PrepareControlsAndFonts();
  CreateControls(hwnd);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  Ui.Instance = instance;
  Model.Instance = instance;
  SHInitExtraControls();
  if (!RegisterMainClass(instance, L"TVRCFG", ReferenceProc)) return 0;
  RECT area = FullScreenArea();
  HWND window = CreateWindowExW(0, L"TVRCFG", L"Tovira", WS_VISIBLE, area.left, area.top,
                                area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 0;
  MakeRoomForMenuBar(window);
  ShowWindow(window, show);
  UpdateWindow(window);
  return RunMessageLoop();
}
