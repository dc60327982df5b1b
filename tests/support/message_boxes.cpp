// Answers this thread's message boxes; see the header.
#include "support/message_boxes.h"

#include <cwchar>

namespace testsupport {
namespace {

BoxAnswerer* Current = nullptr;  // the one answerer a thread timer can reach

// A message box's text is the static control 0xFFFF, as on every Windows.
constexpr int BoxTextId = 0xFFFF;

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = L"";
  GetWindowTextW(window, text, 1024);
  return text;
}

bool IsBox(HWND window) {
  wchar_t cls[16] = L"";
  GetClassNameW(window, cls, 16);
  return wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window);
}

}  // namespace

BoxAnswerer::BoxAnswerer(DWORD timeoutMs) : timeoutMs_(timeoutMs) {
  Current = this;
  timer_ = SetTimer(nullptr, 0, 20, Tick);
}

BoxAnswerer::~BoxAnswerer() {
  if (timer_) KillTimer(nullptr, timer_);
  Current = nullptr;
}

void CALLBACK BoxAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (!Current) return;
  bool found = false;
  EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(&found));
  if (!found) Current->pressed_ = nullptr;  // a later box is a new one, whatever its handle
}

BOOL CALLBACK BoxAnswerer::Visit(HWND window, LPARAM found) {
  if (!IsBox(window)) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  Current->Answer(window);
  return TRUE;
}

void BoxAnswerer::Answer(HWND box) {
  if (box != pressed_) {
    SeenBox seen;
    seen.Caption = TextOf(box);
    seen.Text = TextOf(GetDlgItem(box, BoxTextId));
    seen.Owner = GetWindow(box, GW_OWNER);
    boxes_.push_back(seen);
    pressed_ = box;
    pressedAt_ = GetTickCount64();
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  } else if (GetTickCount64() - pressedAt_ > timeoutMs_) {
    boxes_.back().EndedByForce = true;
    EndDialog(box, IDOK);
  }
}

}  // namespace testsupport
