// The hostile settings generator shared by the item's and the tool's rounds:
// every value name of the settings tree, random registry values of any type,
// size and content written under them, the stored values read back raw, and
// the rule that says which stored value a field must take. The registry
// access itself is the shared one of support/registry.h.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/registry.h"

namespace hostile {

using namespace testsupport;

enum class Kind { Number, Text, Format };  // Format: the 100-unit date pictures
enum class Limit { None, FontSize, FixedPages };

// One value of the tree: its page key ("" the root), its name, what it holds.
struct ValueName {
  const wchar_t* Key;
  const wchar_t* Name;
  Kind Holds;
  Limit Range;
};
// Every named value of the settings tree (the Launcher's FileName list aside).
const std::vector<ValueName>& SettingsValues();

size_t Capacity(Kind kind);  // text slot in units, terminator included

using Stored = StoredValue;

// The field's rule: a REG_DWORD of exactly 4 bytes is taken as a signed number.
bool NumberOf(const Stored& value, int* number);
// A REG_SZ of even size within the slot whose text (up to its first
// terminator, or the whole data when it has none) leaves room for one.
bool TextOf(const Stored& value, size_t capacity, std::wstring* text);
int Clamped(Limit range, int value);

// Deterministic random choices (the engine's sequence is fixed by the standard).
class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  uint32_t Next() { return static_cast<uint32_t>(engine_()); }
  uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }
  bool Chance(int percent) { return Below(100) < static_cast<uint32_t>(percent); }

 private:
  std::mt19937 engine_;
};

std::wstring RandomText(Random& random, size_t length);
// A value meant for a field of that kind: well formed about half of the time.
Stored RandomValueFor(Random& random, Kind kind);
// Anything at all: any type, 0 .. 4 KiB, odd sizes, texts without terminator.
Stored RandomAnything(Random& random);

// One generated tree: what was written under each (key, name), read back raw.
struct Tree {
  std::map<std::pair<std::wstring, std::wstring>, Stored> Values;
  int FileNames = 0;  // FileName1 .. FileNames were written (some maybe malformed)
  const Stored& At(const wchar_t* key, const std::wstring& name) const;
};

struct TreeShape {
  int MaxFileNames = 24;     // the list's length is drawn up to this
  int FixedFileNames = -1;   // or exactly this many, all well formed except by chance
  bool TodayEntry = false;   // also the Today shell's "Enabled"
  bool StorageCard = false;  // also the platform's "StorageCardPath"
};
// Wipes the tree and writes a random one: every value name present or not,
// a FileName list, unknown extra names in every key.
Tree WriteRandomTree(Random& random, const TreeShape& shape);

}  // namespace hostile
