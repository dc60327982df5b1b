// The action key on the selected item: a single tap on the page the paging
// slot shows, with no point to aim at.
#pragma once
#include "item/settings/item_settings.h"

// Starts what a single tap on the slot's page starts, when TapType lets a
// single tap start anything; nothing without a page in the slot.
void ActOnSlotPage();

// Pure: the target the action key starts on a page of that kind, its OnClick
// (SysInfo's OnClick2, the memory figures); null for the launcher, where no
// icon has the focus, and outside the kinds.
const wchar_t* ActionTargetOf(const ItemSettingsRecord& settings, int kind);
