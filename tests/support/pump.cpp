// The bounded message pump; see the header.
#include "support/pump.h"

namespace testsupport {
namespace {

void PlainStep(const MSG& message) {
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

MessageStep Step = PlainStep;

}  // namespace

void SetPumpStep(MessageStep step) { Step = step ? step : PlainStep; }

void PumpPending() {
  MSG message;
  for (int i = 0; i < 10000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) Step(message);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpPending();
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return done();
    const ULONGLONG left = deadline - now;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left < 10 ? left : 10),
                              QS_ALLINPUT);
  }
}

}  // namespace testsupport
