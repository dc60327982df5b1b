// The state images (PNG files beside the item library, one per screen density),
// loaded once per item window for the pages that show them.
#pragma once
#include <windows.h>

// Seven bitmap handles, each null when its file was not loaded.
struct StateImageSet {
  HBITMAP Bt;
  HBITMAP Wifi;
  HBITMAP Alarm;
  HBITMAP Battery;
  HBITMAP MemoryRam;
  HBITMAP MemoryPhone;
  HBITMAP MemoryCard;
};

extern StateImageSet StateImages;

// directory + base + dpi + ".png" into out; false (out empty) when it does not fit,
// so a cut name never loads some other file.
bool StateImageFileName(const wchar_t* directory, const wchar_t* base, int dpi, wchar_t* out,
                        int capacity);

// LoadStateImages, ReleaseStateImages and BatteryImageHeight are the item
// window's entries (item/host/page_hooks.h).
