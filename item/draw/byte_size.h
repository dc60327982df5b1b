// Byte counts as the SysInfo page shows them: prefix, number, unit.
#pragma once
#include <cstdint>

// Writes prefix + number + unit ("b", "Kb", "Mb", "Gb"; powers of 1024, each
// threshold a strict greater-than, division truncating) into out, bounded by
// capacity and always terminated. A null prefix counts as empty.
void FormatByteSize(uint64_t bytes, const wchar_t* prefix, wchar_t* out, int capacity);
