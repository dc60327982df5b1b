// Loading and releasing the state images; which ones depends on the visible pages.
#include "item/draw/state_images.h"

#include <cwchar>

#include "item/draw/keyed_image.h"
#include "item/settings/item_settings.h"
#include "item/settings/page_table.h"
#include "platform/image.h"

StateImageSet StateImages = {};

namespace {

HBITMAP LoadOne(const wchar_t* directory, const wchar_t* base, int dpi) {
  wchar_t path[MAX_PATH];
  if (!StateImageFileName(directory, base, dpi, path, MAX_PATH)) return nullptr;
  return SHLoadImageFile(path);
}

void Release(HBITMAP& bitmap) {
  if (bitmap) DeleteObject(bitmap);
  bitmap = nullptr;
}

}  // namespace

bool StateImageFileName(const wchar_t* directory, const wchar_t* base, int dpi, wchar_t* out,
                        int capacity) {
  if (!out || capacity <= 0) return false;
  out[0] = L'\0';
  const int written = swprintf(out, static_cast<size_t>(capacity), L"%ls%ls%i%ls",
                               directory ? directory : L"", base ? base : L"", dpi, L".png");
  if (written < 0 || written >= capacity) {
    out[0] = L'\0';
    return false;
  }
  return true;
}

void LoadStateImages(HWND /*itemWindow*/) {
  // A second load (a re-created window) must not leak the first set.
  ReleaseStateImages();

  wchar_t directory[MAX_PATH];
  ItemDirectory(directory, MAX_PATH);
  // Without the library's folder a bare name would load from wherever the
  // shell happens to run: load nothing instead.
  if (!directory[0]) return;
  const int dpi = ScreenDpiY();

  if (PageVisible(PageKindWireless)) {
    StateImages.Bt = LoadOne(directory, L"bt", dpi);
    StateImages.Wifi = LoadOne(directory, L"wifi", dpi);
  }
  if (PageVisible(PageKindTime) && ItemSettings.Time.ShowAlarm != 0)
    StateImages.Alarm = LoadOne(directory, L"alarm", dpi);
  if (PageVisible(PageKindSysInfo)) {
    StateImages.Battery = LoadOne(directory, L"battery", dpi);
    StateImages.MemoryRam = LoadOne(directory, L"memory_ram", dpi);
    StateImages.MemoryPhone = LoadOne(directory, L"memory_phone", dpi);
    StateImages.MemoryCard = LoadOne(directory, L"memory_card", dpi);
  }
}

void ReleaseStateImages() {
  Release(StateImages.Bt);
  Release(StateImages.Wifi);
  Release(StateImages.Alarm);
  Release(StateImages.Battery);
  Release(StateImages.MemoryRam);
  Release(StateImages.MemoryPhone);
  Release(StateImages.MemoryCard);
}

int BatteryImageHeight() { return static_cast<int>(ImageSize(StateImages.Battery).cy); }
