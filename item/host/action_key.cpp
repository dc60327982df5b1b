// The action key: the slot's page started as a single tap would start it.
#include "item/host/action_key.h"

#include "item/host/paging.h"
#include "item/host/taps.h"

const wchar_t* ActionTargetOf(const ItemSettingsRecord& settings, int kind) {
  switch (kind) {
    case PageKindWireless:
      return settings.Wireless.OnClick;
    case PageKindTime:
      return settings.Time.OnClick;
    case PageKindDate:
      return settings.Date.OnClick;
    case PageKindCalendar:
      return settings.Calendar.OnClick;
    case PageKindSysInfo:
      return settings.SysInfo.OnClick2;
    default:
      return nullptr;
  }
}

void ActOnSlotPage() {
  const int position = CurrentPage;
  if (ItemSettings.PagingCount <= 0 || position < ItemSettings.FixedPageCount || position < 0 ||
      position >= PageKindCount)
    return;
  if (!TapAllowed(false)) return;
  LaunchTarget(ActionTargetOf(ItemSettings, ItemSettings.PageTable[position].PageKind));
}
