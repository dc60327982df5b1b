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

// Loads the images of the visible pages from the library's folder at the
// screen's density, releasing any set loaded before; once per item window.
void LoadStateImages(HWND itemWindow);
// Released when the item window goes, so the shell can re-create it often.
void ReleaseStateImages();

// Height of the "battery" state image, 0 while it is not loaded
// (the SysInfo page's natural height includes it).
int BatteryImageHeight();
