// The page table, indexed by PageKind.
#include "item/pages/page_modules.h"

#include "common/registry_names.h"
#include "item/settings/bounded_text.h"

namespace {
const PageModule* const Modules[PageKindCount] = {
    &WirelessPageModule, &TimePageModule,     &DatePageModule,
    &CalendarPageModule, &LauncherPageModule, &SysInfoPageModule,
};
}  // namespace

const PageModule* PageModuleOf(int kind) {
  if (kind < 1 || kind > PageKindCount) return nullptr;
  return Modules[kind - 1];
}

void TapOnClick(const wchar_t* onClick, bool allowed, wchar_t* target, int capacity) {
  if (capacity > 0) target[0] = L'\0';
  if (allowed) CopyText(target, capacity, onClick);
}
