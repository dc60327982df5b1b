// A Today item for the installer tests, built as two versions: it tells the
// test's sink when its library is loaded and freed, and shows its version
// as its window's text, so a test sees which one the host runs.
#include <windows.h>

#include <type_traits>

#include "platform/today.h"
#include "tests/setup/setup_probe.h"

namespace {

HINSTANCE Module = nullptr;
int Version = SETUP_ITEM_VERSION;

void Tell(ULONG_PTR code) {
  HWND sink = FindWindowW(SetupSinkClass, nullptr);
  if (!sink) return;
  COPYDATASTRUCT data{code, sizeof Version, &Version};
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(sink, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 2000,
                      &answer);
}

LRESULT CALLBACK ItemProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TODAYCUSTOM_QUERYREFRESHCACHE) {
    auto* item = reinterpret_cast<TODAYLISTITEM*>(wParam);
    if (!item || item->cyp == 20) return FALSE;
    item->cyp = 20;
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Module = instance;
    Tell(SetupItemLoaded);
  } else if (reason == DLL_PROCESS_DETACH) {
    UnregisterClassW(SetupItemClass, Module);
    Tell(SetupItemUnloaded);
  }
  return TRUE;
}

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM*, HWND parent) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ItemProc;
  wc.hInstance = Module;
  wc.lpszClassName = SetupItemClass;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);  // already registered by an earlier window: fine
  wchar_t text[16];
  wsprintfW(text, L"v%d", Version);
  return CreateWindowExW(0, SetupItemClass, text, WS_CHILD | WS_VISIBLE, 0, 0, 240, 20, parent,
                         nullptr, Module, nullptr);
}

extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

static_assert(std::is_same<decltype(&InitializeCustomItem), PFNCUSTOMINITIALIZEITEM>::value,
              "ordinal 240 is the shell's PFNCUSTOMINITIALIZEITEM");
static_assert(std::is_same<decltype(&CustomItemOptionsDlgProc), PFNCUSTOMOPTIONSDLGPROC>::value,
              "ordinal 241 is the shell's PFNCUSTOMOPTIONSDLGPROC");
