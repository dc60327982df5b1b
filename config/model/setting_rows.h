// The rows of every settings list: the name and editor kind each row shows,
// where its setting lies in ToolSettings and under which registry value it
// is kept. The lists, the value editor and the loading and saving of the
// settings all walk these tables, so a new setting is one row.
#pragma once
#include <cstddef>

#include "config/model/tool_settings.h"
#include "config/model/value_text.h"

// What a row opens; the row keeps its kind as row data. The value editor
// panel is open while ConfigModel's EditorKind is anything but EditorNone.
enum EditorKindValue : int {
  EditorNone = -1,   // no value editor is open
  EditorToggle = 0,  // a yes/no row: flips in place and opens no panel
  EditorFont = 1,
  EditorColor = 2,
  EditorFormat = 3,
  EditorChoice = 4,
  EditorNumber = 5,
  EditorMargins = 6,
  EditorNewFile = 7,
  EditorFile = 8,
};

// The range a stored number is held to when it is loaded.
enum class RowLimit {
  None,       // taken as stored, as the item takes it
  PageCount,  // 0 to the number of pages
  FontSize,   // the size of the row's font, 1 to 100
};

// A row's kind also says how its setting is kept: a toggle, number, choice
// or colour as one REG_DWORD, a format or file as one REG_SZ, the margins as
// the four root values, a font as its five values named with Value as suffix.
struct RowSpec {
  const wchar_t* Name;
  int Kind;
  const wchar_t* Value;                // the registry value's name; a font's suffix
  size_t Member;                       // offsetof the setting in ToolSettings
  const ChoiceSet* Choices = nullptr;  // entries of the choice list
  // Texts in the value column: usually Choices; a toggle's off and on texts
  // (YesNoTexts when none).
  const ChoiceSet* ValueTexts = nullptr;
  RowLimit Limit = RowLimit::None;
  // The enable flag lives in the Today shell's entry of the item, outside
  // ToolSettings and outside the key of its list.
  bool InTodayEntry = false;
};

struct RowTable {
  const RowSpec* Rows;
  int Count;
  const wchar_t* FontColor;  // the colour value of the list's fonts, before the suffix
};

// The list index -1 is the General list; 0..5 the page editors by kind - 1.
constexpr int GeneralListIndex = -1;
RowTable RowsOfList(int list);
const RowSpec* RowOfList(int list, int row);  // nullptr outside the table

// Where a row's setting lies: in settings, or at todayEnabled for the row
// kept in the Today shell's entry. Each typed accessor gives nullptr for a
// row whose kind keeps another type of setting.
void* RowSetting(ToolSettings* settings, int* todayEnabled, const RowSpec& row);
int* IntSetting(ToolSettings* settings, int* todayEnabled, const RowSpec& row);
COLORREF* ColorSetting(ToolSettings* settings, const RowSpec& row);
FontSpec* FontSetting(ToolSettings* settings, const RowSpec& row);
wchar_t* TextSetting(ToolSettings* settings, const RowSpec& row, size_t* capacity);

// The value text of a row; empty for a choice outside its list.
void RowValueText(const ToolSettings& settings, int todayEnabled, int list, int row, wchar_t* text,
                  size_t capacity);
