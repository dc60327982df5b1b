// Row tables of the General list and the six page editors.
#include "config/model/setting_rows.h"

#include <cwchar>

#include "config/model/text_util.h"

namespace {

const RowSpec GeneralRows[] = {
    {L"Включить плагин", EditorToggle, Field::TodayEnabled, nullptr, nullptr},
    {L"Фикс. страниц", EditorNumber, Field::FixedPageCount, nullptr, nullptr},
    {L"Отступы", EditorMargins, Field::Margins, nullptr, nullptr},
    {L"Запуск со страниц", EditorChoice, Field::TapType, &TapTypeChoices, &TapTypeChoices},
};

const RowSpec WirelessRows[] = {
    {L"Высота беспр.связи", EditorNumber, Field::Height, nullptr, nullptr},
    {L"Шрифт беспр.связи", EditorFont, Field::Font, nullptr, nullptr},
    {L"Состояние BT", EditorToggle, Field::ShowBT, nullptr, nullptr},
    {L"Состояние WiFi", EditorToggle, Field::ShowWF, nullptr, nullptr},
    {L"Звонки", EditorToggle, Field::ShowCalls, nullptr, nullptr},
    {L"SMS", EditorToggle, Field::ShowSMS, nullptr, nullptr},
    {L"E-Mail", EditorToggle, Field::ShowEMails, nullptr, nullptr},
    {L"Тап", EditorFile, Field::OnClick, nullptr, nullptr},
};

const RowSpec TimeRows[] = {
    {L"Высота часов", EditorNumber, Field::Height, nullptr, nullptr},
    {L"Шрифт часов", EditorFont, Field::Font, nullptr, nullptr},
    {L"Формат времени", EditorChoice, Field::TimeFormat, &TimeFormatChoices, &TimeFormatChoices},
    {L"Будильник", EditorToggle, Field::ShowAlarm, nullptr, nullptr},
    {L"Шрифт будильника", EditorFont, Field::Font2, nullptr, nullptr},
    {L"Показать дату", EditorChoice, Field::ShowDate, &ShowDateChoices, &ShowDateChoices},
    {L"Тап", EditorFile, Field::OnClick, nullptr, nullptr},
};

const RowSpec DateRows[] = {
    {L"Высота даты", EditorNumber, Field::Height, nullptr, nullptr},
    {L"Шрифт даты 1", EditorFont, Field::Font, nullptr, nullptr},
    {L"Шрифт даты 2", EditorFont, Field::Font2, nullptr, nullptr},
    {L"Формат даты 1", EditorFormat, Field::Format1, nullptr, nullptr},
    {L"Формат даты 2", EditorFormat, Field::Format2, nullptr, nullptr},
    {L"Тап", EditorFile, Field::OnClick, nullptr, nullptr},
};

const RowSpec CalendarRows[] = {
    {L"Высота календаря", EditorNumber, Field::Height, nullptr, nullptr},
    {L"Шрифт календаря", EditorFont, Field::Font, nullptr, nullptr},
    {L"Шрифт дней недели", EditorFont, Field::Font2, nullptr, nullptr},
    {L"Цвет сегодня", EditorColor, Field::ColorToday, nullptr, nullptr},
    {L"Цвет субботы", EditorColor, Field::ColorSaturday, nullptr, nullptr},
    {L"Цвет воскресенья", EditorColor, Field::ColorSunday, nullptr, nullptr},
    {L"Цвет других дней", EditorColor, Field::ColorOther, nullptr, nullptr},
    {L"Тап", EditorFile, Field::OnClick, nullptr, nullptr},
};

const RowSpec LauncherRows[] = {
    {L"Высота", EditorNumber, Field::Height, nullptr, nullptr},
    {L"Иконки", EditorToggle, Field::BigIcons, nullptr, nullptr},
    {L"Выравнивание", EditorChoice, Field::Align, &AlignChoices, &AlignChoices},
};

const RowSpec SysInfoRows[] = {
    {L"Высота инфо", EditorNumber, Field::Height, nullptr, nullptr},
    {L"Шрифт инфо", EditorFont, Field::Font, nullptr, nullptr},
    {L"Память (ОЗУ)", EditorChoice, Field::RamType, &MemoryChoices, &MemoryValueTexts},
    {L"Место на телефоне", EditorChoice, Field::PhoneType, &MemoryChoices, &MemoryValueTexts},
    {L"Место на карте", EditorChoice, Field::CardType, &MemoryChoices, &MemoryValueTexts},
    {L"Тап (батарея)", EditorFile, Field::OnClick1, nullptr, nullptr},
    {L"Тап (память)", EditorFile, Field::OnClick2, nullptr, nullptr},
};

template <size_t N>
RowTable Table(const RowSpec (&rows)[N]) {
  return {rows, static_cast<int>(N)};
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
      return Table(CalendarRows);
    case PageKindLauncher - 1:
      return Table(LauncherRows);
    case PageKindSysInfo - 1:
      return Table(SysInfoRows);
    default:
      return {nullptr, 0};
  }
}

const RowSpec* RowOfList(int list, int row) {
  RowTable table = RowsOfList(list);
  return row >= 0 && row < table.Count ? &table.Rows[row] : nullptr;
}

int* IntSetting(ToolSettings* s, int* todayEnabled, int list, Field field) {
  GeneralSettings& g = s->General;
  switch (field) {
    case Field::TodayEnabled:
      return todayEnabled;
    case Field::FixedPageCount:
      return &g.FixedPageCount;
    case Field::TapType:
      return &g.TapType;
    case Field::ShowBT:
      return &s->Wireless.ShowBT;
    case Field::ShowWF:
      return &s->Wireless.ShowWF;
    case Field::ShowCalls:
      return &s->Wireless.ShowCalls;
    case Field::ShowSMS:
      return &s->Wireless.ShowSMS;
    case Field::ShowEMails:
      return &s->Wireless.ShowEMails;
    case Field::TimeFormat:
      return &s->Time.TimeFormat;
    case Field::ShowAlarm:
      return &s->Time.ShowAlarm;
    case Field::ShowDate:
      return &s->Time.ShowDate;
    case Field::BigIcons:
      return &s->Launcher.BigIcons;
    case Field::Align:
      return &s->Launcher.Align;
    case Field::RamType:
      return &s->SysInfo.RamType;
    case Field::PhoneType:
      return &s->SysInfo.PhoneType;
    case Field::CardType:
      return &s->SysInfo.CardType;
    case Field::Height:
      switch (list + 1) {
        case PageKindWireless:
          return &s->Wireless.Height;
        case PageKindTime:
          return &s->Time.Height;
        case PageKindDate:
          return &s->Date.Height;
        case PageKindCalendar:
          return &s->Calendar.Height;
        case PageKindLauncher:
          return &s->Launcher.Height;
        case PageKindSysInfo:
          return &s->SysInfo.Height;
        default:
          return nullptr;
      }
    default:
      return nullptr;
  }
}

COLORREF* ColorSetting(ToolSettings* s, Field field) {
  switch (field) {
    case Field::ColorToday:
      return &s->Calendar.ColorToday;
    case Field::ColorSaturday:
      return &s->Calendar.ColorSaturday;
    case Field::ColorSunday:
      return &s->Calendar.ColorSunday;
    case Field::ColorOther:
      return &s->Calendar.ColorOther;
    default:
      return nullptr;
  }
}

FontSpec* FontSetting(ToolSettings* s, int list, Field field) {
  bool second = field == Field::Font2;
  if (field != Field::Font && !second) return nullptr;
  switch (list + 1) {
    case PageKindWireless:
      return second ? nullptr : &s->Wireless.Font;
    case PageKindTime:
      return second ? &s->Time.Font2 : &s->Time.Font1;
    case PageKindDate:
      return second ? &s->Date.Font2 : &s->Date.Font1;
    case PageKindCalendar:
      return second ? &s->Calendar.Weekdays : &s->Calendar.Font;
    case PageKindSysInfo:
      return second ? nullptr : &s->SysInfo.Font;
    default:
      return nullptr;
  }
}

wchar_t* TextSetting(ToolSettings* s, int list, Field field, size_t* capacity) {
  *capacity = TextSlot;
  switch (field) {
    case Field::Format1:
      *capacity = FormatSlot;
      return s->Date.Format1;
    case Field::Format2:
      *capacity = FormatSlot;
      return s->Date.Format2;
    case Field::OnClick1:
      return s->SysInfo.OnClick1;
    case Field::OnClick2:
      return s->SysInfo.OnClick2;
    case Field::OnClick:
      switch (list + 1) {
        case PageKindWireless:
          return s->Wireless.OnClick;
        case PageKindTime:
          return s->Time.OnClick;
        case PageKindDate:
          return s->Date.OnClick;
        case PageKindCalendar:
          return s->Calendar.OnClick;
        default:
          break;
      }
      break;
    default:
      break;
  }
  *capacity = 0;
  return nullptr;
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
  if (spec->Setting == Field::Margins) {
    const GeneralSettings& g = settings.General;
    MarginsText(g.MarginLeft, g.MarginTop, g.MarginRight, g.MarginBottom, text, capacity);
    return;
  }
  switch (spec->Kind) {
    case EditorToggle: {
      int* flag = IntSetting(&s, &enabled, list, spec->Setting);
      if (!flag) return;
      CopyText(text, capacity,
               spec->Setting == Field::BigIcons ? IconSizeText(*flag) : YesNoText(*flag));
      return;
    }
    case EditorNumber: {
      int* value = IntSetting(&s, &enabled, list, spec->Setting);
      if (value) NumberText(*value, text, capacity);
      return;
    }
    case EditorChoice: {
      int* value = IntSetting(&s, &enabled, list, spec->Setting);
      const wchar_t* label = value ? ChoiceLabel(*spec->ValueTexts, *value) : nullptr;
      if (label) CopyText(text, capacity, label);
      return;
    }
    case EditorFont: {
      FontSpec* font = FontSetting(&s, list, spec->Setting);
      if (font) FontDescription(*font, text, capacity);
      return;
    }
    case EditorColor: {
      COLORREF* value = ColorSetting(&s, spec->Setting);
      if (value) ColorText(*value, text, capacity);
      return;
    }
    case EditorFormat: {
      size_t slot = 0;
      wchar_t* format = TextSetting(&s, list, spec->Setting, &slot);
      if (format) CopyText(text, capacity, format);
      return;
    }
    case EditorFile: {
      size_t slot = 0;
      wchar_t* path = TextSetting(&s, list, spec->Setting, &slot);
      if (path) CopyText(text, capacity, FileNamePart(path));
      return;
    }
    default:
      return;
  }
}
