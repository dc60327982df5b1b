// What the setup hooks do to the Today shell: switch the item off in its
// entry, delete the entry, and make the shell reload its items.
#pragma once
#include <windows.h>

// Per window, how long the reload broadcast waits for an answer. A window that
// has stopped pumping is skipped at once (SMTO_ABORTIFHUNG); this bounds the
// wait for one that is slow, so the installer never waits without end.
constexpr UINT RefreshSignalTimeoutMs = 3000;

// Writes "Enabled" = 0 into HKLM\...\Today\Items\Tovira. False (and nothing
// written) when the entry cannot be opened.
bool SwitchOffItem();

// Deletes the entry HKLM\...\Today\Items\Tovira with everything in it, when
// the parent key opens.
void DeleteItemEntry();

// WM_WININICHANGE 0xF2 to every top-level window; returns when each has
// answered, was found hung, or ran out of its time.
void SendRefreshSignal();

// Switch-off, then, only when the entry was there, the refresh signal.
void SwitchOffAndRefresh();
