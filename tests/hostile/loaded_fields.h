// Checking a loaded settings record against the tree it was loaded from:
// where each value of the tree lands (its slot), every slot's value after an
// empty tree, and the check that each slot holds its well-formed stored value
// or its default. Shared by the item's and the tool's hostile tests.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "hostile/hostile_registry.h"
#include "support/text.h"

namespace hostile {

using testsupport::Narrow;

struct Slot {
  int* Number = nullptr;
  wchar_t* Text = nullptr;
};
using Slots = std::map<std::pair<std::wstring, std::wstring>, Slot>;

// Every slot's value after loading an empty tree.
struct Defaults {
  std::map<std::pair<std::wstring, std::wstring>, int> Numbers;
  std::map<std::pair<std::wstring, std::wstring>, std::wstring> Texts;
};

inline Defaults DefaultsOf(const Slots& slots) {
  Defaults d;
  for (const auto& entry : slots) {
    if (entry.second.Number) d.Numbers[entry.first] = *entry.second.Number;
    if (entry.second.Text) d.Texts[entry.first] = entry.second.Text;
  }
  return d;
}

// Printable ASCII, the rest as '?', for failure messages.
// Every value name of the tree: its slot holds the stored value when that is
// well formed for it (numbers held to their range), else its default.
inline void ExpectFieldsLoaded(const Tree& tree, const Defaults& defaults, const Slots& slots) {
  for (const ValueName& v : SettingsValues()) {
    SCOPED_TRACE(testing::Message() << "key '" << Narrow(v.Key) << "' value " << Narrow(v.Name));
    const Slot& slot = slots.at({v.Key, v.Name});
    const Stored& stored = tree.At(v.Key, v.Name);
    if (v.Holds == Kind::Number) {
      int expected = defaults.Numbers.at({v.Key, v.Name});
      NumberOf(stored, &expected);
      EXPECT_EQ(*slot.Number, Clamped(v.Range, expected))
          << "stored type " << stored.Type << ", " << stored.Data.size() << " bytes";
    } else {
      std::wstring expected = defaults.Texts.at({v.Key, v.Name});
      TextOf(stored, Capacity(v.Holds), &expected);
      EXPECT_TRUE(std::wstring(slot.Text) == expected)
          << "loaded '" << Narrow(slot.Text) << "' expected '" << Narrow(expected)
          << "'; stored type " << stored.Type << ", " << stored.Data.size() << " bytes";
    }
  }
}

}  // namespace hostile
