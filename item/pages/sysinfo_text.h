// The SysInfo page's texts from the figures the platform reports: battery,
// RAM and the two storages, in the display modes 0 (percent), 1 (used), 2 (free).
#pragma once
#include <cstdint>

constexpr int BatteryTextSlot = 11;  // 10 characters and the terminator
constexpr int MemoryTextSlot = 21;   // 20 characters and the terminator

// ok false (the power call failed) gives an empty text; no battery "--",
// charging "=D~", anything else the percentage.
void FormatBatteryText(bool ok, unsigned char flag, unsigned char percent, wchar_t* out,
                       int capacity);

// RAM: mode 0 the memory load in percent, 1 "U:" used, 2 "F:" available.
void FormatRamText(int mode, unsigned long memoryLoad, uint64_t totalPhysical,
                   uint64_t availablePhysical, wchar_t* out, int capacity);

// A storage: mode 0 percent used, 1 "U:" used, 2 "F:" free to the caller.
// A total of 0 has no percentage: the text is empty then.
void FormatStorageText(int mode, uint64_t total, uint64_t freeToCaller, wchar_t* out, int capacity);
