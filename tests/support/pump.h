// The one message pump of the tests and benchmarks: it always ends, at the
// latest when its deadline passes.
#pragma once
#include <windows.h>

#include <functional>

namespace testsupport {

// How the pump hands on one message: by default TranslateMessage and
// DispatchMessage; todayhost's tests give it the host's own top-level step.
using MessageStep = void (*)(const MSG&);
void SetPumpStep(MessageStep step);

// Dispatches this thread's messages until done() holds or timeoutMs passes;
// returns done(). A round takes at most 10000 messages, so a window that keeps
// posting to itself cannot hold the pump.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
void PumpPending();  // one round of what is queued, without waiting

}  // namespace testsupport
