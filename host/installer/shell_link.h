// The desktop's shortcut file (a shell link), which the shell under Wine
// starts; the device's text shortcuts are turned into these on installation.
#pragma once
#include <windows.h>

// Writes a shell link at linkPath to target with arguments, starting in
// workingDir. COM must be initialised on the thread. False on any failure.
bool WriteShellLink(const wchar_t* linkPath, const wchar_t* target, const wchar_t* arguments,
                    const wchar_t* workingDir);
