// The host's walks over the page table at creation, on every tick and at destruction.
#include "item/host/page_life.h"

#include "item/draw/state_images.h"
#include "item/host/item_window.h"
#include "item/pages/page_modules.h"
#include "item/settings/item_settings.h"

void ResetPageStates(HWND itemWindow) {
  for (int kind = 1; kind <= PageKindCount; ++kind) {
    const PageModule* page = PageModuleOf(kind);
    if (page->Reset) page->Reset(itemWindow);
  }
}

void CreatePages(HWND itemWindow) {
  LoadStateImages(itemWindow);
  ResetPageStates(itemWindow);
  for (int kind = 1; kind <= PageKindCount; ++kind) {
    const PageModule* page = PageModuleOf(kind);
    if (page->Create) page->Create(itemWindow);
  }
}

void ReleasePages() {
  for (int kind = 1; kind <= PageKindCount; ++kind) {
    const PageModule* page = PageModuleOf(kind);
    if (page->Release) page->Release();
  }
  ReleaseStateImages();
}

void RefreshTick(int force) {
  TickMoment moment;
  TakeTickMoment(force, &moment);
  bool changed = false;
  for (int kind = 1; kind <= PageKindCount; ++kind) {
    const PageModule* page = PageModuleOf(kind);
    if (page->Tick) changed = page->Tick(moment) || changed;
  }
  if ((moment.NewMinute || changed) && ItemWindow) InvalidateRect(ItemWindow, nullptr, FALSE);
}
