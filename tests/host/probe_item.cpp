// A Today item for todayhost's tests: it reports every message of the item
// protocol to the test's sink window and answers what the sink tells it.
#include <windows.h>

#include <cwchar>
#include <type_traits>

#include "platform/today.h"
#include "tests/host/probe_protocol.h"

static HINSTANCE g_instance;
static wchar_t g_name[32] = L"?";
static bool g_selected;
static TODAYLISTITEM* g_record;
static const wchar_t ProbeClass[] = L"ToviraHostProbeItem";

static LRESULT Report(ProbeEventCode code, long long a = 0, long long b = 0) {
  HWND sink = FindWindowW(ProbeSinkClass, nullptr);
  if (!sink) return 0;
  ProbeEvent event = {};
  wcsncpy(event.name, g_name, 31);
  event.a = a;
  event.b = b;
  COPYDATASTRUCT data = {code, sizeof(event), &event};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(sink, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000,
                           &result))
    return 0;
  return static_cast<LRESULT>(result);
}

static void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (g_selected) {
    COLORREF c = static_cast<COLORREF>(
        SendMessageW(GetParent(hwnd), TODAYM_GETCOLOR, TODAYCOLOR_HIGHLIGHT, 0));
    SetBkColor(dc, c);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  } else {
    TODAYDRAWWATERMARKINFO info = {dc, rc, hwnd};
    SendMessageW(GetParent(hwnd), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
  }
  int third = (rc.bottom - rc.top) / 3;
  RECT band = {rc.left + 4, rc.top + third, rc.right - 4, rc.bottom - third};
  SetBkColor(dc, ProbeBandColor);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
  EndPaint(hwnd, &ps);
}

// A nested loop as the item's menu or drag runs one: whatever it dispatches,
// the item's code stays on the stack until it returns.
static void RunModalLoop() {
  Report(ProbeModalBegin);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == ProbeEndModal) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Report(ProbeModalEnd);
}

static LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      Report(ProbeColor, static_cast<long long>(SendMessageW(GetParent(hwnd), TODAYM_GETCOLOR,
                                                             TODAYCOLOR_HIGHLIGHT, 0)));
      return 0;
    case WM_DESTROY:
      Report(ProbeDestroy);
      return 0;
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      Report(ProbeTimer, static_cast<long long>(wParam));
      return 0;
    case ProbeRunModal:
      RunModalLoop();
      return 0;
    case WM_LBUTTONDOWN:
      Report(ProbeButtonDown, static_cast<short>(LOWORD(lParam)),
             static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONUP:
      Report(ProbeButtonUp, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_SIZE:
      Report(ProbeSize, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_TODAYCUSTOM_ACTION:
      Report(ProbeAction, static_cast<long long>(wParam));
      return 0;
    case WM_TODAYCUSTOM_CLEARCACHE:
      Report(ProbeClearCache, reinterpret_cast<TODAYLISTITEM*>(wParam) == g_record ? 1 : 0);
      return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE: {
      auto* record = reinterpret_cast<TODAYLISTITEM*>(wParam);
      if (!record) return FALSE;
      DWORD wanted = static_cast<DWORD>(Report(ProbeQueryHeight, record->cyp));
      if (wanted == record->cyp) return FALSE;
      record->cyp = wanted;
      return TRUE;
    }
    case WM_TODAYCUSTOM_RECEIVEDSELECTION:
      if (!Report(ProbeReceived, static_cast<long long>(wParam))) return FALSE;
      g_selected = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    case WM_TODAYCUSTOM_LOSTSELECTION:
      g_selected = false;
      Report(ProbeLost);
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    case WM_TODAYCUSTOM_USERNAVIGATION:
      return Report(ProbeNavigate, static_cast<long long>(wParam)) ? TRUE : FALSE;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM* record, HWND parent) {
  if (record) {
    wcsncpy(g_name, record->szName, 31);
    g_name[31] = 0;
  }
  g_record = record;
  Report(ProbeInit, record ? record->tlit : -1, record ? record->cyp : -1);
  g_selected = false;
  return CreateWindowExW(0, ProbeClass, L"probe", WS_CHILD | WS_VISIBLE, 0, 0,
                         GetSystemMetrics(SM_CXSCREEN), 0, parent, nullptr, g_instance, nullptr);
}

extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    Report(ProbeOptionsInit, static_cast<long long>(lParam));
    EndDialog(dialog, 7);
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = instance;
    wc.lpszClassName = ProbeClass;
    if (!RegisterClassW(&wc)) return FALSE;
    // Until the shell names the item, it goes by its file name.
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(instance, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
      const wchar_t* base = wcsrchr(path, L'\\');
      wcsncpy(g_name, base ? base + 1 : path, 31);
      g_name[31] = 0;
    }
    Report(ProbeAttach);
  } else if (reason == DLL_PROCESS_DETACH) {
    Report(ProbeDetach);
    UnregisterClassW(ProbeClass, instance);
  }
  return TRUE;
}

static_assert(std::is_same<decltype(&InitializeCustomItem), PFNCUSTOMINITIALIZEITEM>::value,
              "ordinal 240 is the shell's PFNCUSTOMINITIALIZEITEM");
static_assert(std::is_same<decltype(&CustomItemOptionsDlgProc), PFNCUSTOMOPTIONSDLGPROC>::value,
              "ordinal 241 is the shell's PFNCUSTOMOPTIONSDLGPROC");
