// Command line of todayhost: screen size, device root, the items key, and the
// headless mode that writes the Today screen to a PNG and exits.
#pragma once
#include <windows.h>

struct HostOptions {
  int width;  // client size in device pixels; 0 = from the screen density
  int height;
  wchar_t root[MAX_PATH];       // device root; empty = the working directory
  wchar_t itemsKey[260];        // HKLM subkey holding the item entries
  wchar_t png[MAX_PATH];        // headless: write the screen here and exit
  wchar_t watermark[MAX_PATH];  // background image; empty = gradient
  int ticks;                    // headless: timer ticks given to each item
  int swipe;                    // headless: right (+) or left (-) navigations
  int select;                   // headless: item to select first, -1 none
  bool fullscreen;              // a borderless window at 0,0, as on the device
};

void DefaultHostOptions(HostOptions* options);

// "240x320" -> 240, 320. Each side 1..8192.
bool ParseScreenSize(const wchar_t* text, int* width, int* height);

// Parses argv[1..]; false on an unknown option or a bad value, with a
// one-line reason in error.
bool ParseHostOptions(int argc, const wchar_t* const* argv, HostOptions* options, wchar_t* error,
                      size_t errorCap);

extern const wchar_t HostUsage[];
