// Message boxes a test's code shows on this thread: while a BoxAnswerer
// lives, a thread timer, which a box's own modal loop dispatches, finds each
// box, keeps what it showed and presses its OK. A box still up after
// timeoutMs is ended all the same, so a test never hangs on one.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

struct SeenBox {
  std::wstring Caption;
  std::wstring Text;
  HWND Owner = nullptr;
  bool EndedByForce = false;  // its OK did not close it in time
};

class BoxAnswerer {
 public:
  explicit BoxAnswerer(DWORD timeoutMs = 5000);
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;
  const std::vector<SeenBox>& Boxes() const { return boxes_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK Visit(HWND window, LPARAM);
  void Answer(HWND box);

  UINT_PTR timer_ = 0;
  DWORD timeoutMs_;
  HWND pressed_ = nullptr;  // the box whose OK was pressed last
  ULONGLONG pressedAt_ = 0;
  std::vector<SeenBox> boxes_;
};

}  // namespace testsupport
