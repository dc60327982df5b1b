// Device paths ("\Program Files\Tovira\tovira.dll") inside the folder that
// stands for the device's root, and the device's text shortcut files.
#pragma once
#include <cstddef>

// Turns the bytes of a text file (UTF-8, with or without a byte order mark)
// into text; false when they are not valid UTF-8 or do not fit in cap.
bool DecodeUtf8Text(const char* bytes, size_t size, wchar_t* out, size_t cap);

// deviceRoot + devicePath, its parts joined by single backslashes. False when
// the result does not fit, or a part is one the host cannot hold
// (DevicePathHoldable: "..", a '/', a device name...).
bool DevicePathToHost(const wchar_t* devicePath, const wchar_t* deviceRoot, wchar_t* out,
                      size_t cap);

constexpr int ShortcutSlot = 260;

struct CeShortcut {
  wchar_t target[ShortcutSlot];     // device path of the program or document
  wchar_t arguments[ShortcutSlot];  // may be empty
};

// Parses the device's shortcut text: a decimal count, '#', then the command,
// the target in double quotes or up to the first space, then its arguments.
// A bare file name lies in \Windows, where the device looks for it.
bool ParseCeShortcut(const wchar_t* text, CeShortcut* out);
