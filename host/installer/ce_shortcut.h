// The device's shortcut files: a line of text naming a program and its
// arguments, which the installer turns into the desktop's shell links.
#pragma once

constexpr int ShortcutSlot = 260;

struct CeShortcut {
  wchar_t target[ShortcutSlot];     // device path of the program or document
  wchar_t arguments[ShortcutSlot];  // may be empty
};

// Parses the device's shortcut text: a decimal count, '#', then the command,
// the target in double quotes or up to the first space, then its arguments.
// A bare file name lies in \Windows, where the device looks for it.
bool ParseCeShortcut(const wchar_t* text, CeShortcut* out);

// The shortcut in the file at path, installed as name: false when name does
// not end in ".lnk" or the file is not a device shortcut (UTF-8 text of up
// to 4 KiB that ParseCeShortcut takes).
bool ReadCeShortcut(const wchar_t* path, const wchar_t* name, CeShortcut* out);
