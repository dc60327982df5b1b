// Row tables of the General list and the six page editors.
#include "config/model/setting_rows.h"

#include <cstddef>

#include "config/model/text_util.h"

namespace {

const RowSpec GeneralRows[] = {
    {L"Включить плагин", EditorToggle, ValEnabled, 0, nullptr, nullptr, RowLimit::None, true},
    {L"Фикс. страниц", EditorNumber, ValFixedPageCount,
     offsetof(ToolSettings, General.FixedPageCount), nullptr, nullptr, RowLimit::PageCount},
    {L"Отступы", EditorMargins, nullptr, offsetof(ToolSettings, General)},
    {L"Запуск со страниц", EditorChoice, ValTapType, offsetof(ToolSettings, General.TapType),
     &TapTypeChoices, &TapTypeChoices},
};

const RowSpec WirelessRows[] = {
    {L"Высота беспр.связи", EditorNumber, ValHeight, offsetof(ToolSettings, Wireless.Height)},
    {L"Шрифт беспр.связи", EditorFont, L"", offsetof(ToolSettings, Wireless.Font)},
    {L"Состояние BT", EditorToggle, ValShowBT, offsetof(ToolSettings, Wireless.ShowBT)},
    {L"Состояние WiFi", EditorToggle, ValShowWF, offsetof(ToolSettings, Wireless.ShowWF)},
    {L"Звонки", EditorToggle, ValShowCalls, offsetof(ToolSettings, Wireless.ShowCalls)},
    {L"SMS", EditorToggle, ValShowSMS, offsetof(ToolSettings, Wireless.ShowSMS)},
    {L"E-Mail", EditorToggle, ValShowEMails, offsetof(ToolSettings, Wireless.ShowEMails)},
    {L"Тап", EditorFile, ValOnClick, offsetof(ToolSettings, Wireless.OnClick)},
};

const RowSpec TimeRows[] = {
    {L"Высота часов", EditorNumber, ValHeight, offsetof(ToolSettings, Time.Height)},
    {L"Шрифт часов", EditorFont, L"1", offsetof(ToolSettings, Time.Font1), nullptr, nullptr,
     RowLimit::FontSize},
    {L"Формат времени", EditorChoice, ValTimeFormat, offsetof(ToolSettings, Time.TimeFormat),
     &TimeFormatChoices, &TimeFormatChoices},
    {L"Будильник", EditorToggle, ValShowAlarm, offsetof(ToolSettings, Time.ShowAlarm)},
    {L"Шрифт будильника", EditorFont, L"2", offsetof(ToolSettings, Time.Font2), nullptr, nullptr,
     RowLimit::FontSize},
    {L"Показать дату", EditorChoice, ValShowDate, offsetof(ToolSettings, Time.ShowDate),
     &ShowDateChoices, &ShowDateChoices},
    {L"Тап", EditorFile, ValOnClick, offsetof(ToolSettings, Time.OnClick)},
};

const RowSpec DateRows[] = {
    {L"Высота даты", EditorNumber, ValHeight, offsetof(ToolSettings, Date.Height)},
    {L"Шрифт даты 1", EditorFont, L"1", offsetof(ToolSettings, Date.Font1), nullptr, nullptr,
     RowLimit::FontSize},
    {L"Шрифт даты 2", EditorFont, L"2", offsetof(ToolSettings, Date.Font2), nullptr, nullptr,
     RowLimit::FontSize},
    {L"Формат даты 1", EditorFormat, ValFormat1, offsetof(ToolSettings, Date.Format1)},
    {L"Формат даты 2", EditorFormat, ValFormat2, offsetof(ToolSettings, Date.Format2)},
    {L"Тап", EditorFile, ValOnClick, offsetof(ToolSettings, Date.OnClick)},
};

const RowSpec CalendarRows[] = {
    {L"Высота календаря", EditorNumber, ValHeight, offsetof(ToolSettings, Calendar.Height)},
    {L"Шрифт календаря", EditorFont, L"", offsetof(ToolSettings, Calendar.Font), nullptr, nullptr,
     RowLimit::FontSize},
    {L"Шрифт дней недели", EditorFont, SuffixWeekdays, offsetof(ToolSettings, Calendar.Weekdays),
     nullptr, nullptr, RowLimit::FontSize},
    {L"Цвет сегодня", EditorColor, ValColorToday, offsetof(ToolSettings, Calendar.ColorToday)},
    {L"Цвет субботы", EditorColor, ValColorSaturday,
     offsetof(ToolSettings, Calendar.ColorSaturday)},
    {L"Цвет воскресенья", EditorColor, ValColorSunday,
     offsetof(ToolSettings, Calendar.ColorSunday)},
    {L"Цвет других дней", EditorColor, ValColorOther, offsetof(ToolSettings, Calendar.ColorOther)},
    {L"Тап", EditorFile, ValOnClick, offsetof(ToolSettings, Calendar.OnClick)},
};

const RowSpec LauncherRows[] = {
    {L"Высота", EditorNumber, ValHeight, offsetof(ToolSettings, Launcher.Height)},
    {L"Иконки", EditorToggle, ValBigIcons, offsetof(ToolSettings, Launcher.BigIcons), nullptr,
     &IconSizeTexts},
    {L"Выравнивание", EditorChoice, ValAlign, offsetof(ToolSettings, Launcher.Align), &AlignChoices,
     &AlignChoices},
};

const RowSpec SysInfoRows[] = {
    {L"Высота инфо", EditorNumber, ValHeight, offsetof(ToolSettings, SysInfo.Height)},
    {L"Шрифт инфо", EditorFont, L"", offsetof(ToolSettings, SysInfo.Font), nullptr, nullptr,
     RowLimit::FontSize},
    {L"Память (ОЗУ)", EditorChoice, ValRamType, offsetof(ToolSettings, SysInfo.RamType),
     &MemoryChoices, &MemoryValueTexts},
    {L"Место на телефоне", EditorChoice, ValPhoneType, offsetof(ToolSettings, SysInfo.PhoneType),
     &MemoryChoices, &MemoryValueTexts},
    {L"Место на карте", EditorChoice, ValCardType, offsetof(ToolSettings, SysInfo.CardType),
     &MemoryChoices, &MemoryValueTexts},
    {L"Тап (батарея)", EditorFile, ValOnClick1, offsetof(ToolSettings, SysInfo.OnClick1)},
    {L"Тап (память)", EditorFile, ValOnClick2, offsetof(ToolSettings, SysInfo.OnClick2)},
};

// The Calendar's font colours are stored as "Color" and "ColorWeekdays".
template <size_t N>
RowTable Table(const RowSpec (&rows)[N], const wchar_t* fontColor = ValFontColor) {
  return {rows, static_cast<int>(N), fontColor};
}

bool KeepsNumber(int kind) {
  return kind == EditorToggle || kind == EditorNumber || kind == EditorChoice;
}

}  // namespace

RowTable RowsOfList(int list) {
  switch (list) {
    case GeneralListIndex:
      return Table(GeneralRows);
    case PageKindWireless - 1:
      return Table(WirelessRows);
    case PageKindTime - 1:
      return Table(TimeRows);
    case PageKindDate - 1:
      return Table(DateRows);
    case PageKindCalendar - 1:
      return Table(CalendarRows, ValColor);
    case PageKindLauncher - 1:
      return Table(LauncherRows);
    case PageKindSysInfo - 1:
      return Table(SysInfoRows);
    default:
      return {nullptr, 0, ValFontColor};
  }
}

const RowSpec* RowOfList(int list, int row) {
  RowTable table = RowsOfList(list);
  return row >= 0 && row < table.Count ? &table.Rows[row] : nullptr;
}

void* RowSetting(ToolSettings* settings, int* todayEnabled, const RowSpec& row) {
  if (row.InTodayEntry) return todayEnabled;
  return reinterpret_cast<char*>(settings) + row.Member;
}

int* IntSetting(ToolSettings* settings, int* todayEnabled, const RowSpec& row) {
  if (!KeepsNumber(row.Kind)) return nullptr;
  return static_cast<int*>(RowSetting(settings, todayEnabled, row));
}

COLORREF* ColorSetting(ToolSettings* settings, const RowSpec& row) {
  if (row.Kind != EditorColor) return nullptr;
  return static_cast<COLORREF*>(RowSetting(settings, nullptr, row));
}

FontSpec* FontSetting(ToolSettings* settings, const RowSpec& row) {
  if (row.Kind != EditorFont) return nullptr;
  return static_cast<FontSpec*>(RowSetting(settings, nullptr, row));
}

wchar_t* TextSetting(ToolSettings* settings, const RowSpec& row, size_t* capacity) {
  *capacity = row.Kind == EditorFormat ? FormatSlot : row.Kind == EditorFile ? TextSlot : 0;
  if (*capacity == 0) return nullptr;
  return static_cast<wchar_t*>(RowSetting(settings, nullptr, row));
}

void RowValueText(const ToolSettings& settings, int todayEnabled, int list, int row, wchar_t* text,
                  size_t capacity) {
  if (capacity == 0) return;
  text[0] = L'\0';
  const RowSpec* spec = RowOfList(list, row);
  if (!spec) return;
  // The accessors hand out writable slots; reading through a copy keeps the
  // caller's settings untouched.
  ToolSettings& s = const_cast<ToolSettings&>(settings);
  int enabled = todayEnabled;
  switch (spec->Kind) {
    case EditorToggle: {
      int flag = *IntSetting(&s, &enabled, *spec);
      CopyText(text, capacity,
               ChoiceLabel(spec->ValueTexts ? *spec->ValueTexts : YesNoTexts, flag ? 1 : 0));
      return;
    }
    case EditorNumber:
      NumberText(*IntSetting(&s, &enabled, *spec), text, capacity);
      return;
    case EditorChoice: {
      const wchar_t* label = ChoiceLabel(*spec->ValueTexts, *IntSetting(&s, &enabled, *spec));
      if (label) CopyText(text, capacity, label);
      return;
    }
    case EditorMargins: {
      const GeneralSettings& g = settings.General;
      MarginsText(g.MarginLeft, g.MarginTop, g.MarginRight, g.MarginBottom, text, capacity);
      return;
    }
    case EditorFont:
      FontDescription(*FontSetting(&s, *spec), text, capacity);
      return;
    case EditorColor:
      ColorText(*ColorSetting(&s, *spec), text, capacity);
      return;
    case EditorFormat: {
      size_t slot = 0;
      CopyText(text, capacity, TextSetting(&s, *spec, &slot));
      return;
    }
    case EditorFile: {
      size_t slot = 0;
      CopyText(text, capacity, FileNamePart(TextSetting(&s, *spec, &slot)));
      return;
    }
    default:
      return;
  }
}
