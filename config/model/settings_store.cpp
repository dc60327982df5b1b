// LoadSettings and SaveSettings: one walk over the row tables of the settings
// lists, key by key, handing each value a row keeps to a read or a write.
#include "config/model/config_model.h"

#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "config/model/registry_io.h"
#include "config/model/setting_rows.h"
#include "config/model/text_util.h"

namespace {

// One registry value of a row: a REG_SZ held in the Capacity units at Slot,
// or, without a capacity, a REG_DWORD held in the four bytes at Slot (an int
// or a COLORREF).
struct StoredValue {
  wchar_t Name[64];
  void* Slot;
  size_t Capacity;
  RowLimit Limit;
};

StoredValue Value(const wchar_t* name, const wchar_t* suffix, void* slot, size_t capacity = 0,
                  RowLimit limit = RowLimit::None) {
  StoredValue value = {{}, slot, capacity, limit};
  swprintf(value.Name, 64, L"%ls%ls", name, suffix);
  return value;
}

// What loading or saving does with one value of an open key.
using ValueStep = void (*)(HKEY key, const StoredValue& value);

void ReadValue(HKEY key, const StoredValue& value) {
  if (value.Capacity) {
    ReadText(key, value.Name, static_cast<wchar_t*>(value.Slot), value.Capacity);
    return;
  }
  int number = 0;
  std::memcpy(&number, value.Slot, sizeof(number));
  ReadDword(key, value.Name, &number);
  if (value.Limit == RowLimit::PageCount) number = Clamp(number, 0, Model.PageCount);
  if (value.Limit == RowLimit::FontSize) number = Clamp(number, 1, 100);
  std::memcpy(value.Slot, &number, sizeof(number));
}

// What the save under way has achieved so far.
SaveOutcome Outcome;

// One write or delete of the save.
void Tally(bool taken) {
  if (taken)
    Outcome.WroteAny = true;
  else
    Outcome.Complete = false;
}

void WriteValue(HKEY key, const StoredValue& value) {
  if (value.Capacity) {
    Tally(WriteText(key, value.Name, static_cast<const wchar_t*>(value.Slot), value.Capacity));
    return;
  }
  int number = 0;
  std::memcpy(&number, value.Slot, sizeof(number));
  Tally(WriteDword(key, value.Name, number));
}

// Hands step every value one row keeps, as its kind says (setting_rows.h).
void StepRow(HKEY key, const RowSpec& row, const wchar_t* fontColor, ValueStep step) {
  void* setting = RowSetting(&Model.Current, &Model.TodayItemEnabled, row);
  switch (row.Kind) {
    case EditorFont: {
      FontSpec* font = static_cast<FontSpec*>(setting);
      step(key, Value(ValFontName, row.Value, font->Name, TextSlot));
      step(key, Value(ValFontSize, row.Value, &font->Size, 0, row.Limit));
      step(key, Value(ValFontBold, row.Value, &font->Bold));
      step(key, Value(fontColor, row.Value, &font->Color));
      step(key, Value(ValClearType, row.Value, &font->ClearType));
      return;
    }
    case EditorMargins: {
      GeneralSettings* g = static_cast<GeneralSettings*>(setting);
      step(key, Value(ValMarginLeft, L"", &g->MarginLeft));
      step(key, Value(ValMarginTop, L"", &g->MarginTop));
      step(key, Value(ValMarginRight, L"", &g->MarginRight));
      step(key, Value(ValMarginBottom, L"", &g->MarginBottom));
      return;
    }
    case EditorFormat:
    case EditorFile: {
      size_t capacity = 0;
      wchar_t* text = TextSetting(&Model.Current, row, &capacity);
      step(key, Value(row.Value, L"", text, capacity));
      return;
    }
    default:
      step(key, Value(row.Value, L"", setting, 0, row.Limit));
      return;
  }
}

// The rows of a list kept in one key: those of the Today shell's entry, or
// all the others.
void StepRows(HKEY key, int list, bool todayEntry, ValueStep step) {
  RowTable table = RowsOfList(list);
  for (int i = 0; i < table.Count; ++i)
    if (table.Rows[i].InTodayEntry == todayEntry)
      StepRow(key, table.Rows[i], table.FontColor, step);
}

// The key a list's rows are kept in: the Today shell's entry of the item
// (local machine), the settings root for the General list, or the page's key.
HKEY RootOf(bool todayEntry) { return todayEntry ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

void KeyPath(int list, bool todayEntry, wchar_t (&path)[TextSlot]) {
  if (todayEntry)
    CopyText(path, TodayItemKey);
  else if (list == GeneralListIndex)
    CopyText(path, SettingsRootKey);
  else
    swprintf(path, TextSlot, L"%ls\\%ls", SettingsRootKey, PageKeyName(list + 1));
}

bool IsPageList(int list) { return list >= 0 && list < PageKindCount; }
bool IsLauncherList(int list) { return list == PageKindLauncher - 1; }

// Counts FileName1, FileName2, ... up to the first that cannot be read,
// appending each to list when one is given.
int ReadFileValues(HKEY key, PathList* list) {
  int count = 0;
  for (int n = 1; n < 0x7FFFFFFF; ++n) {
    wchar_t name[32];
    wchar_t path[TextSlot];
    FileValueName(n, name, 32);
    if (!ReadText(key, name, path)) break;
    if (list) AppendPath(list, path);
    count = n;
  }
  return count;
}

// The file values a save replaces: those that load now.
int StoredFileCount(const wchar_t* path) {
  HKEY reader = OpenForReading(HKEY_CURRENT_USER, path);
  if (!reader) return 0;
  int stored = ReadFileValues(reader, nullptr);
  RegCloseKey(reader);
  return stored;
}

// A value that is already missing counts as deleted.
void DeleteFileValue(HKEY key, int n) {
  wchar_t name[32];
  FileValueName(n, name, 32);
  LONG result = RegDeleteValueW(key, name);
  if (result != ERROR_FILE_NOT_FOUND) Tally(result == ERROR_SUCCESS);
}

// The new list goes over the old one first, so a write that fails keeps the
// old entry instead of a gap that would end the list there. Then the loaded
// entries past its end go, and always the one right after it: an entry kept
// behind a gap must not join the list once the gap is filled. Values further
// on stay as they are.
void ReplaceFileValues(HKEY key, int stored) {
  int count = PathCount(&Model.LauncherFiles);
  for (int i = 0; i < count; ++i) {
    wchar_t name[32];
    FileValueName(i + 1, name, 32);
    Tally(WriteText(key, name, PathAt(&Model.LauncherFiles, i), TextSlot));
  }
  for (int n = count + 1; n <= stored || n == count + 1; ++n) DeleteFileValue(key, n);
}

// Before sorting, the entry of kind k is the k-th entry of Pages.
void ReadPagePlace(HKEY key, int kind) {
  PageEntry& page = Model.Pages[kind - 1];
  ReadDword(key, ValOrder, &page.Order);
  ReadDword(key, ValVisible, &page.Visible);
}

void WritePagePlace(HKEY key, int kind) {
  for (int i = 0; i < Model.PageCount && i < PageKindCount; ++i) {
    if (Model.Pages[i].Kind != kind) continue;
    Tally(WriteDword(key, ValOrder, Model.Pages[i].Order));
    Tally(WriteDword(key, ValVisible, Model.Pages[i].Visible));
  }
}

// A key that does not open leaves its settings at their defaults.
void LoadKey(int list, bool todayEntry) {
  wchar_t path[TextSlot];
  KeyPath(list, todayEntry, path);
  HKEY key = OpenForReading(RootOf(todayEntry), path);
  if (!key) return;
  StepRows(key, list, todayEntry, ReadValue);
  if (IsPageList(list)) ReadPagePlace(key, list + 1);
  if (IsLauncherList(list)) {
    ClearPaths(&Model.LauncherFiles);
    ReadFileValues(key, &Model.LauncherFiles);
  }
  RegCloseKey(key);
}

// Every value is written, changed or not; a key that cannot be made fails
// the save, which goes on with the next key all the same.
void SaveKey(int list, bool todayEntry) {
  wchar_t path[TextSlot];
  KeyPath(list, todayEntry, path);
  int storedFiles = IsLauncherList(list) ? StoredFileCount(path) : 0;
  HKEY key = CreateForWriting(RootOf(todayEntry), path);
  if (!key) {
    Outcome.Complete = false;
    return;
  }
  StepRows(key, list, todayEntry, WriteValue);
  if (IsPageList(list)) WritePagePlace(key, list + 1);
  if (IsLauncherList(list)) ReplaceFileValues(key, storedFiles);
  RegCloseKey(key);
}

// The keys in the order they are loaded and saved: the Today shell's entry,
// the settings root, then the six pages by kind.
void ForEachKey(void (*visit)(int list, bool todayEntry)) {
  visit(GeneralListIndex, true);
  for (int list = GeneralListIndex; list < PageKindCount; ++list) visit(list, false);
}

}  // namespace

void LoadSettings() {
  ResetPages(Model.Pages);
  Model.TodayItemEnabled = 0;
  wchar_t folder[TextSlot];
  ProgramFolder(Model.Instance, folder, TextSlot);
  ScreenDensity dpi = ScreenDpi();
  PutDefaults(&Model.Current, dpi.X, dpi.Y, folder);
  ForEachKey(LoadKey);
  SortPagesByOrder(Model.Pages, Model.PageCount);
  CopySettings(&Model.EditCopy, &Model.Current);
}

SaveOutcome SaveSettings() {
  Outcome = {true, false};
  ForEachKey(SaveKey);
  // The device keeps its registry in memory and writes it to its store when
  // it likes: a reset before then brings the old settings back. The settings
  // live under both roots.
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
    if (RegFlushKey(root) != ERROR_SUCCESS) Outcome.Complete = false;
  return Outcome;
}
