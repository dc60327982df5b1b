// The hostile settings generator; see the header.
#include "hostile/hostile_registry.h"

#include <climits>
#include <cstring>

#include "common/registry_names.h"

namespace hostile {

const std::vector<ValueName>& SettingsValues() {
  static const std::vector<ValueName> values = [] {
    std::vector<ValueName> v;
    auto numbers = [&](const wchar_t* key, std::initializer_list<const wchar_t*> names) {
      for (const wchar_t* n : names) v.push_back({key, n, Kind::Number, Limit::None});
    };
    auto texts = [&](const wchar_t* key, std::initializer_list<const wchar_t*> names) {
      for (const wchar_t* n : names) v.push_back({key, n, Kind::Text, Limit::None});
    };
    auto sizes = [&](const wchar_t* key, std::initializer_list<const wchar_t*> names) {
      for (const wchar_t* n : names) v.push_back({key, n, Kind::Number, Limit::FontSize});
    };
    v.push_back({L"", L"FixedPageCount", Kind::Number, Limit::FixedPages});
    numbers(L"", {L"MarginLeft", L"MarginTop", L"MarginRight", L"MarginBottom", L"TapType"});
    for (const wchar_t* key : PageKeyNames) numbers(key, {L"Height", L"Order", L"Visible"});
    texts(L"Wireless", {L"FontName", L"OnClick"});
    // The Wireless font size is used as stored, without the 1..100 limit.
    numbers(L"Wireless", {L"FontSize", L"FontBold", L"FontColor", L"ClearType", L"ShowBT",
                          L"ShowWF", L"ShowCalls", L"ShowSMS", L"ShowEMails"});
    texts(L"Time", {L"FontName1", L"FontName2", L"OnClick"});
    sizes(L"Time", {L"FontSize1", L"FontSize2"});
    numbers(L"Time", {L"FontBold1", L"FontColor1", L"ClearType1", L"FontBold2", L"FontColor2",
                      L"ClearType2", L"TimeFormat", L"ShowAlarm", L"ShowDate"});
    texts(L"Date", {L"FontName1", L"FontName2", L"OnClick"});
    v.push_back({L"Date", L"Format1", Kind::Format, Limit::None});
    v.push_back({L"Date", L"Format2", Kind::Format, Limit::None});
    sizes(L"Date", {L"FontSize1", L"FontSize2"});
    numbers(L"Date", {L"FontBold1", L"FontColor1", L"ClearType1", L"FontBold2", L"FontColor2",
                      L"ClearType2"});
    texts(L"Calendar", {L"FontName", L"FontNameWeekdays", L"OnClick"});
    sizes(L"Calendar", {L"FontSize", L"FontSizeWeekdays"});
    numbers(L"Calendar",
            {L"FontBold", L"Color", L"ClearType", L"FontBoldWeekdays", L"ColorWeekdays",
             L"ClearTypeWeekdays", L"ColorToday", L"ColorSaturday", L"ColorSunday", L"ColorOther"});
    numbers(L"Launcher", {L"BigIcons", L"Align"});
    texts(L"SysInfo", {L"FontName", L"OnClick1", L"OnClick2"});
    sizes(L"SysInfo", {L"FontSize"});
    numbers(L"SysInfo",
            {L"FontBold", L"FontColor", L"ClearType", L"RamType", L"PhoneType", L"CardType"});
    return v;
  }();
  return values;
}

size_t Capacity(Kind kind) { return kind == Kind::Format ? FormatSlot : TextSlot; }

bool NumberOf(const Stored& value, int* number) {
  if (!value.Present || value.Type != REG_DWORD || value.Data.size() != 4) return false;
  uint32_t raw;
  std::memcpy(&raw, value.Data.data(), 4);
  *number = static_cast<int>(raw);
  return true;
}

bool TextOf(const Stored& value, size_t capacity, std::wstring* text) {
  if (!value.Present || value.Type != REG_SZ) return false;
  const size_t size = value.Data.size();
  if (size % 2 != 0 || size > capacity * 2) return false;
  std::wstring units(size / 2, L'\0');
  if (size) std::memcpy(&units[0], value.Data.data(), size);
  const size_t end = units.find(L'\0');
  std::wstring found = end == std::wstring::npos ? units : units.substr(0, end);
  if (found.size() > capacity - 1) return false;
  *text = found;
  return true;
}

int Clamped(Limit range, int value) {
  switch (range) {
    case Limit::FontSize:
      return value < 1 ? 1 : value > 100 ? 100 : value;
    case Limit::FixedPages:
      return value < 0 ? 0 : value > 6 ? 6 : value;
    case Limit::None:
      break;
  }
  return value;
}

std::wstring RandomText(Random& random, size_t length) {
  static const wchar_t plain[] = L"abcxyzABCXYZ0189 \\:._-%sdMyHhm";
  std::wstring text;
  for (size_t i = 0; i < length; ++i) {
    wchar_t c;
    switch (random.Below(8)) {
      case 0:
        c = static_cast<wchar_t>(0x410 + random.Below(0x40));
        break;  // Cyrillic
      case 1:
        c = static_cast<wchar_t>(1 + random.Below(0xFFFE));
        break;  // anything but 0
      default:
        c = plain[random.Below(sizeof(plain) / sizeof(plain[0]) - 1)];
        break;
    }
    text.push_back(c);
  }
  return text;
}

static Stored TextValue(const std::wstring& text, bool terminated, DWORD type = REG_SZ) {
  return StoredBytes(type, text.c_str(), (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
}

static int InterestingNumber(Random& random) {
  static const int numbers[] = {0,       1,       2,       3,           5,          6,
                                7,       8,       -1,      -2,          -5,         9,
                                100,     101,     250,     1000,        0xFFFF,     0x00FFFFFF,
                                1 << 20, INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1};
  if (random.Chance(30)) return static_cast<int>(random.Next());
  return numbers[random.Below(sizeof(numbers) / sizeof(numbers[0]))];
}

Stored RandomAnything(Random& random) {
  static const DWORD types[] = {REG_DWORD,    REG_SZ,    REG_EXPAND_SZ, REG_BINARY,
                                REG_MULTI_SZ, REG_QWORD, REG_NONE};
  const DWORD type = types[random.Below(7)];
  size_t size;
  switch (random.Below(5)) {
    case 0:
      size = random.Below(9);
      break;  // 0 .. 8, odd ones among them
    case 1:
      size = 510 + random.Below(24);
      break;  // around a 260-unit slot
    case 2:
      size = 190 + random.Below(24);
      break;  // around a 100-unit slot
    case 3:
      size = random.Below(4097);
      break;
    default:
      size = 2 * random.Below(300) + random.Below(2);
      break;
  }
  if (random.Chance(50)) {  // text-like content, terminated or not
    std::wstring text = RandomText(random, size / 2 + 1);
    if (random.Chance(50) && size >= 2) text[size / 2 - 1] = L'\0';
    return StoredBytes(type, text.c_str(), size);
  }
  std::vector<BYTE> bytes(size);
  for (BYTE& b : bytes) b = static_cast<BYTE>(random.Next());
  return StoredBytes(type, bytes.data(), size);
}

Stored RandomValueFor(Random& random, Kind kind) {
  if (kind == Kind::Number) {
    if (random.Chance(55)) {
      const int n = InterestingNumber(random);
      return StoredBytes(REG_DWORD, &n, 4);
    }
    return RandomAnything(random);
  }
  const size_t capacity = Capacity(kind);
  const uint32_t pick = random.Below(100);
  if (pick < 50) {  // fits the slot
    size_t length =
        random.Chance(15) ? capacity - 1 : random.Below(static_cast<uint32_t>(capacity));
    if (random.Chance(30)) length = random.Below(12);
    return TextValue(RandomText(random, length), !random.Chance(10));
  }
  if (pick < 70) {  // too long by a little or a lot, or slot-filling without terminator
    const size_t length = capacity + (random.Chance(30) ? 0 : random.Below(400));
    return TextValue(RandomText(random, length), length != capacity || random.Chance(30));
  }
  if (pick < 78) return TextValue(RandomText(random, random.Below(40)), true, REG_EXPAND_SZ);
  return RandomAnything(random);
}

const Stored& Tree::At(const wchar_t* key, const std::wstring& name) const {
  static const Stored missing;
  auto it = Values.find({key, name});
  return it == Values.end() ? missing : it->second;
}

// The tree's keys, each opened once while a tree is written.
class OpenKeys {
 public:
  ~OpenKeys() {
    for (auto& k : keys_) RegCloseKey(k.second);
  }
  HKEY For(const wchar_t* key) {
    HKEY& open = keys_[key];
    if (!open && RegCreateKeyExW(HKEY_CURRENT_USER, PageKey(key).c_str(), 0, nullptr, 0,
                                 KEY_READ | KEY_WRITE, nullptr, &open, nullptr) != ERROR_SUCCESS)
      open = nullptr;
    return open;
  }

 private:
  std::map<std::wstring, HKEY> keys_;
};

static void Record(Tree* tree, OpenKeys& keys, const wchar_t* key, const std::wstring& name,
                   const Stored& value) {
  HKEY open = keys.For(key);
  if (!open) return;
  PutValue(open, name, value);
  tree->Values[{key, name}] = GetValue(open, name);
}

Tree WriteRandomTree(Random& random, const TreeShape& shape) {
  RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRootKey);
  Tree tree;
  OpenKeys keys;
  // Now and then a whole key is missing: all of its values keep their defaults.
  std::map<std::wstring, bool> keyMissing;
  for (const wchar_t* key : PageKeyNames) keyMissing[key] = random.Chance(5);
  for (const ValueName& v : SettingsValues()) {
    if (keyMissing[v.Key] || random.Chance(12)) continue;
    Record(&tree, keys, v.Key, v.Name, RandomValueFor(random, v.Holds));
  }
  // The launcher list, now and then with a gap or an unreadable entry.
  const bool exact = shape.FixedFileNames >= 0;
  const int files =
      exact ? shape.FixedFileNames
            : static_cast<int>(random.Below(static_cast<uint32_t>(shape.MaxFileNames) + 1));
  if (!keyMissing[L"Launcher"] || exact) {
    for (int n = 1; n <= files; ++n) {
      Stored value;
      if (exact)
        value = TextValue(
            L"\\Windows\\Start Menu\\Programs\\Program " + std::to_wstring(n) + L".lnk", true);
      else
        value = random.Chance(8) ? RandomAnything(random) : RandomValueFor(random, Kind::Text);
      Record(&tree, keys, L"Launcher", L"FileName" + std::to_wstring(n), value);
    }
    tree.FileNames = files;
    if (random.Chance(30))  // beyond a gap: never part of the list
      Record(&tree, keys, L"Launcher", L"FileName" + std::to_wstring(files + 2),
             RandomValueFor(random, Kind::Text));
  }
  // Names nobody reads, in every key.
  for (int k = 0; k <= PageKindCount; ++k) {
    const wchar_t* key = k == 0 ? L"" : PageKeyNames[k - 1];
    if (k > 0 && keyMissing[key]) continue;
    const int extra = static_cast<int>(random.Below(6));
    for (int i = 0; i < extra; ++i)
      Record(&tree, keys, key,
             L"Zz" + std::to_wstring(i) + L"_" + RandomText(random, random.Below(30)),
             RandomAnything(random));
  }
  if (shape.TodayEntry) {
    PutValue(HKEY_LOCAL_MACHINE, TodayItemKey, ValEnabled, RandomValueFor(random, Kind::Number));
    tree.Values[{L"Today", ValEnabled}] = GetValue(HKEY_LOCAL_MACHINE, TodayItemKey, ValEnabled);
  }
  if (shape.StorageCard) {
    PutValue(HKEY_CURRENT_USER, FileExplorerKey, ValStorageCardPath,
             RandomValueFor(random, Kind::Text));
    tree.Values[{L"FileExplorer", ValStorageCardPath}] =
        GetValue(HKEY_CURRENT_USER, FileExplorerKey, ValStorageCardPath);
  }
  return tree;
}

}  // namespace hostile
