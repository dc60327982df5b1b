// Names and device paths as the host's file system will treat them: what it
// can hold, and when two names are one file. The one rule for every name the
// installer meets (stored in the cabinet, named by _setup.xml, an
// application's name) and for every separator, '\' and '/' alike.
#pragma once

// Whether name is one file name the host can hold as written: not empty,
// not made of dots only, without a trailing dot or space, a control
// character, a separator or one of <>:"|?*, and not a reserved device name
// (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9) with or without an extension.
bool HostCanHoldName(const wchar_t* name);

// Whether a and b name one file on the host: without regard to case, once
// trailing dots and spaces are trimmed.
bool SameHostName(const wchar_t* a, const wchar_t* b);

// Whether name ends in ext (".lnk"), without regard to case, after a stem.
bool HasExtension(const wchar_t* name, const wchar_t* ext);

// Whether path is a device path whose every part the host can hold: parts
// are separated by '\' only (a '/' would split a part on the host but not
// as written), empty parts from doubled or leading backslashes are allowed.
bool DevicePathHoldable(const wchar_t* path);
