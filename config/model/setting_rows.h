// The rows of every settings list: name, editor kind, the setting each row
// edits, and the texts it shows. Kept apart from the windows so the value
// texts and the mapping to ToolSettings are checked directly.
#pragma once
#include <cstddef>

#include "config/model/tool_settings.h"
#include "config/model/value_text.h"

enum EditorKindValue : int {
  EditorNone = -1,  // also the yes/no toggle: no panel opens
  EditorToggle = -1,
  EditorFont = 1,
  EditorColor = 2,
  EditorFormat = 3,
  EditorChoice = 4,
  EditorNumber = 5,
  EditorMargins = 6,
  EditorNewFile = 7,
  EditorFile = 8,
};

enum class Field {
  TodayEnabled,
  FixedPageCount,
  Margins,
  TapType,
  Height,
  Font,   // the page's first (or only) font
  Font2,  // the second font (Time's alarm, Date's second, Calendar's weekdays)
  ShowBT,
  ShowWF,
  ShowCalls,
  ShowSMS,
  ShowEMails,
  TimeFormat,
  ShowAlarm,
  ShowDate,
  Format1,
  Format2,
  OnClick,
  OnClick1,
  OnClick2,
  ColorToday,
  ColorSaturday,
  ColorSunday,
  ColorOther,
  BigIcons,
  Align,
  RamType,
  PhoneType,
  CardType,
};

struct RowSpec {
  const wchar_t* Name;
  int Kind;
  Field Setting;
  const ChoiceSet* Choices;     // entries of the choice list
  const ChoiceSet* ValueTexts;  // texts in the value column (usually Choices)
};

struct RowTable {
  const RowSpec* Rows;
  int Count;
};

// The list index -1 is the General list; 0..5 the page editors by kind - 1.
constexpr int GeneralListIndex = -1;
RowTable RowsOfList(int list);
const RowSpec* RowOfList(int list, int row);  // nullptr outside the table

// Where a row's setting lives in a ToolSettings (or the enable flag).
int* IntSetting(ToolSettings* settings, int* todayEnabled, int list, Field field);
COLORREF* ColorSetting(ToolSettings* settings, Field field);
FontSpec* FontSetting(ToolSettings* settings, int list, Field field);
wchar_t* TextSetting(ToolSettings* settings, int list, Field field, size_t* capacity);

// The value text of a row; empty for a choice outside its list.
void RowValueText(const ToolSettings& settings, int todayEnabled, int list, int row, wchar_t* text,
                  size_t capacity);
