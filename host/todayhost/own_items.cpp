// The platform's own Today items' windows: their figures, paint and taps.
#include "host/todayhost/own_items.h"

#include <shellapi.h>

#include <cwchar>

#include "host/common/registry_read.h"
#include "host/todayhost/screen_window.h"
#include "host/todayhost/text_util.h"
#include "platform/state_names.h"
#include "platform/today.h"

const wchar_t OwnItemClass[] = L"ToviraTodayOwnItem";

namespace {

// An unread count as the platform keeps it; 0 when missing or damaged.
DWORD ReadCount(const wchar_t* key) {
  DWORD value = 0;
  return ReadRegistryDword(HKEY_CURRENT_USER, key, ValCount, &value) ? value : 0;
}

void BuildLine(OwnItemKind kind, wchar_t* out, size_t cap) {
  out[0] = 0;
  switch (kind) {
    case OwnDate:
      if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, out,
                         static_cast<int>(cap)) <= 0)
        out[0] = 0;
      break;
    case OwnMessages:
      MessagesLine(ReadCount(SmsUnreadKey), ReadCount(EmailUnreadKey), out, cap);
      break;
    case OwnTasks:
      CopyText(out, cap, TasksLine);
      break;
    case OwnNone:
      break;
  }
}

// The background comes from the screen like any item's (highlighted while
// the shell has the selection on it); the line is drawn over it.
void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return;
  RECT rc;
  GetClientRect(hwnd, &rc);
  HWND screen = GetParent(hwnd);
  TODAYDRAWWATERMARKINFO info = {dc, rc, hwnd};
  SendMessageW(screen, TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
  wchar_t line[OwnLineSlot];
  GetWindowTextW(hwnd, line, OwnLineSlot);
  int dpi = ScreenDensity();
  bool date = GetWindowLongPtrW(hwnd, GWLP_USERDATA) == OwnDate;
  HFONT font = CreateFontW(-8 * dpi / 72, 0, 0, 0, date ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                           DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Tahoma");
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(
                       SendMessageW(screen, TODAYM_GETCOLOR, TODAYCOLOR_HIGHLIGHTEDTEXT, 0)));
  RECT text = rc;
  text.left += 8 * dpi / 96;
  DrawTextW(dc, line, -1, &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (old) SelectObject(dc, old);
  if (font) DeleteObject(font);
  EndPaint(hwnd, &ps);
}

// A tap on the date line opens the clock, as the device's does.
void OnTap(HWND hwnd) {
  if (GetWindowLongPtrW(hwnd, GWLP_USERDATA) != OwnDate) return;
  const wchar_t clock[] = L"Windows\\clock.exe";
  if (GetFileAttributesW(clock) == INVALID_FILE_ATTRIBUTES) return;
  ShellExecuteW(nullptr, nullptr, clock, nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CALLBACK OwnItemProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_LBUTTONUP:
      OnTap(hwnd);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

bool RegisterOwnItemClass(HINSTANCE instance) {
  WNDCLASSW wc = {};
  if (GetClassInfoW(instance, OwnItemClass, &wc)) return true;
  wc.lpfnWndProc = OwnItemProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = OwnItemClass;
  return RegisterClassW(&wc) != 0;
}

}  // namespace

HWND CreateOwnItem(OwnItemKind kind, HWND screen) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (kind == OwnNone || !RegisterOwnItemClass(instance)) return nullptr;
  HWND item = CreateWindowExW(0, OwnItemClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, screen,
                              nullptr, instance, nullptr);
  if (!item) return nullptr;
  SetWindowLongPtrW(item, GWLP_USERDATA, kind);
  RefreshOwnItem(item);
  return item;
}

bool RefreshOwnItem(HWND item) {
  auto kind = static_cast<OwnItemKind>(GetWindowLongPtrW(item, GWLP_USERDATA));
  wchar_t line[OwnLineSlot], shown[OwnLineSlot];
  BuildLine(kind, line, OwnLineSlot);
  GetWindowTextW(item, shown, OwnLineSlot);
  if (wcscmp(line, shown) == 0) return false;
  SetWindowTextW(item, line);
  InvalidateRect(item, nullptr, FALSE);
  return true;
}
