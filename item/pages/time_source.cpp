// The item's clock: the machine's local time unless pinned.
#include "item/pages/time_source.h"

namespace {
bool Pinned = false;
SYSTEMTIME PinnedTime = {};
}  // namespace

void SetClockOverride(const SYSTEMTIME* time) {
  Pinned = time != nullptr;
  if (time) PinnedTime = *time;
}

void ItemLocalTime(SYSTEMTIME* out) {
  if (!out) return;
  if (Pinned)
    *out = PinnedTime;
  else
    GetLocalTime(out);
}
