// Turning the display and telling every program.
#include "host/todayhost/display_turn.h"

#include <cwchar>

#include "platform/device_facts.h"
#include "platform/rotation.h"

bool OfferPortraitScreen(int width, int height) {
  wchar_t size[32];
  swprintf(size, 32, L"%dx%d", width, height);
  return RegSetKeyValueW(HKEY_CURRENT_USER, WineDesktopsKey, L"Default", REG_SZ, size,
                         static_cast<DWORD>((wcslen(size) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

LONG TurnScreen(int width, int height) {
  DEVMODEW mode = {};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
  if (result != DISP_CHANGE_SUCCESSFUL) return result;
  // The device follows a turn with this notice to every top-level window; a
  // hung one is not waited for.
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0, SMTO_ABORTIFHUNG,
                      2000, &answer);
  return result;
}
