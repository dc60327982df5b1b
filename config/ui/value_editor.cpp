// The value editor panel: opening a row (filling the panel from the model),
// taking the panel back on OK, and the colour swatch.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "config/model/config_model.h"
#include "config/model/setting_rows.h"
#include "config/model/text_util.h"
#include "config/ui/file_chooser.h"
#include "config/ui/format_help.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_controls.h"
#include "config/ui/value_editor.h"
#include "config/ui/view.h"

namespace {

constexpr int NumberTextSlot = 100;

void SetNumber(HWND edit, int value) {
  wchar_t text[16];
  NumberText(value, text, 16);
  SetWindowTextW(edit, text);
}

int ReadNumber(HWND edit) {
  wchar_t text[NumberTextSlot];
  ReadEdit(edit, text, NumberTextSlot);
  return ParseTypedNumber(text);
}

void SetArrowRange(HWND arrows, int low, int high) {
  SendMessageW(arrows, UDM_SETRANGE32, low, high);
}

ToolSettings* EditedSettings(int listIndex) {
  return listIndex == GeneralListIndex ? &Model.Current : &Model.EditCopy;
}

void FillColor(COLORREF color) {
  SetNumber(Ui.ColorEdits[0], GetRValue(color));
  SetNumber(Ui.ColorEdits[1], GetGValue(color));
  SetNumber(Ui.ColorEdits[2], GetBValue(color));
}

COLORREF ReadColor() {
  wchar_t text[NumberTextSlot];
  int channel[ColorFieldCount];
  for (int i = 0; i < ColorFieldCount; ++i) {
    ReadEdit(Ui.ColorEdits[i], text, NumberTextSlot);
    channel[i] = ParseColorChannel(text);
  }
  return RGB(channel[0], channel[1], channel[2]);
}

// The stored face itself when the list has it (ignoring case), else the first
// family it begins: "Arial" must not open on an "Arial Black" listed before it,
// or an untouched OK would store another face.
LRESULT FindFace(const wchar_t* name) {
  const WPARAM fromStart = static_cast<WPARAM>(-1);
  const LPARAM text = reinterpret_cast<LPARAM>(name);
  LRESULT found = SendMessageW(Ui.FaceList, CB_FINDSTRINGEXACT, fromStart, text);
  if (found == CB_ERR) found = SendMessageW(Ui.FaceList, CB_FINDSTRING, fromStart, text);
  return found;
}

void FillFont(const FontSpec& font) {
  LRESULT found = FindFace(font.Name);
  SendMessageW(Ui.FaceList, CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : found, 0);
  SetNumber(Ui.SizeEdit, font.Size);
  SendMessageW(Ui.BoldCheck, BM_SETCHECK, font.Bold ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(Ui.ClearTypeCheck, BM_SETCHECK, font.ClearType ? BST_CHECKED : BST_UNCHECKED, 0);
  FillColor(font.Color);
}

void ReadFont(FontSpec* font) {
  // With no face selected (a face that is not installed here) the stored
  // name stays, rather than being wiped by the empty list text.
  if (SendMessageW(Ui.FaceList, CB_GETCURSEL, 0, 0) != CB_ERR) {
    wchar_t face[TextSlot];
    ReadEdit(Ui.FaceList, face, TextSlot);
    CopyText(font->Name, face);
  }
  font->Size = ReadNumber(Ui.SizeEdit);
  font->Bold = SendMessageW(Ui.BoldCheck, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  font->ClearType = SendMessageW(Ui.ClearTypeCheck, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  font->Color = ReadColor();
}

void FillChoice(const RowSpec& spec, int value) {
  SendMessageW(Ui.ChoiceList, CB_RESETCONTENT, 0, 0);
  for (int i = 0; spec.Choices && i < spec.Choices->Count; ++i)
    SendMessageW(Ui.ChoiceList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(spec.Choices->Labels[i]));
  bool known = spec.Choices && ChoiceLabel(*spec.Choices, value);
  SendMessageW(Ui.ChoiceList, CB_SETCURSEL, known ? value : static_cast<WPARAM>(-1), 0);
  wchar_t help[TextSlot] = L"";
  if (spec.Choices == &TimeFormatChoices) BuildTimeHelp(help, TextSlot);
  SetWindowTextW(Ui.HelpText, help);
}

void Toggle(HWND list, int listIndex, int row, const RowSpec& spec) {
  int* flag = IntSetting(EditedSettings(listIndex), &Model.TodayItemEnabled, spec);
  if (!flag) return;
  *flag = *flag ? 0 : 1;
  wchar_t text[TextSlot];
  RowValueText(*EditedSettings(listIndex), Model.TodayItemEnabled, listIndex, row, text, TextSlot);
  SetRowText(list, row, 1, text);
}

}  // namespace

void ReadEdit(HWND edit, wchar_t* text, int capacity) {
  text[0] = L'\0';
  if (GetWindowTextW(edit, text, capacity) <= 0) text[0] = L'\0';
  text[capacity - 1] = L'\0';
}

void FillFile(const wchar_t* path) {
  SetWindowTextW(Ui.PathEdit, path);
  wchar_t folder[TextSlot];
  FolderPart(path, folder, TextSlot);
  ListFolder(Ui.FileList, folder, FileNamePart(path));
}

void OpenValueEditor(int listIndex, int row) {
  const RowSpec* spec = RowOfList(listIndex, row);
  if (!spec) return;
  ToolSettings* s = EditedSettings(listIndex);
  SetWindowTextW(Ui.RowNameLabel, spec->Name);
  if (spec->Kind == EditorToggle) {
    Model.EditorKind = EditorNone;
    Toggle(SettingsListOf(listIndex), listIndex, row, *spec);
    return;
  }
  Model.EditorKind = spec->Kind;
  switch (spec->Kind) {
    case EditorNumber: {
      int* value = IntSetting(s, &Model.TodayItemEnabled, *spec);
      bool pageCount = spec->Limit == RowLimit::PageCount;
      SetArrowRange(Ui.MarginUpDowns[0], pageCount ? 0 : -1, pageCount ? Model.PageCount : 1000);
      SetNumber(Ui.MarginEdits[0], value ? *value : 0);
      break;
    }
    case EditorMargins: {
      const GeneralSettings& g = s->General;
      SetArrowRange(Ui.MarginUpDowns[0], 0, 1000);
      int margins[MarginFieldCount] = {g.MarginLeft, g.MarginTop, g.MarginRight, g.MarginBottom};
      for (int i = 0; i < MarginFieldCount; ++i) SetNumber(Ui.MarginEdits[i], margins[i]);
      break;
    }
    case EditorFont:
      if (FontSpec* font = FontSetting(s, *spec)) FillFont(*font);
      break;
    case EditorColor:
      if (COLORREF* color = ColorSetting(s, *spec)) FillColor(*color);
      break;
    case EditorChoice: {
      int* value = IntSetting(s, &Model.TodayItemEnabled, *spec);
      FillChoice(*spec, value ? *value : -1);
      break;
    }
    case EditorFormat: {
      size_t capacity = 0;
      const wchar_t* format = TextSetting(s, *spec, &capacity);
      SetWindowTextW(Ui.FormatEdit, format ? format : L"");
      break;
    }
    case EditorFile: {
      size_t capacity = 0;
      const wchar_t* path = TextSetting(s, *spec, &capacity);
      FillFile(path ? path : L"");
      break;
    }
    default:
      break;
  }
  RefreshView();
}

void CommitValueEditor() {
  int listIndex = Model.CurrentTab == TabGeneral ? GeneralListIndex : Model.EditedPage;
  HWND list = SettingsListOf(listIndex);
  int row = list ? SelectedRow(list) : -1;
  const RowSpec* spec = RowOfList(listIndex, row);
  ToolSettings* s = EditedSettings(listIndex);
  wchar_t text[TextSlot] = L"";
  bool changed = spec != nullptr;
  switch (spec ? spec->Kind : EditorNone) {
    case EditorNumber: {
      int* value = IntSetting(s, &Model.TodayItemEnabled, *spec);
      ReadEdit(Ui.MarginEdits[0], text, NumberTextSlot);
      // The row shows the number as it is stored ("0" for no digits, "7" for
      // "007"), so what a person reads is what the item will get.
      const int number = ParseTypedNumber(text);
      if (value) *value = number;
      NumberText(number, text, TextSlot);
      break;
    }
    case EditorMargins: {
      GeneralSettings& g = s->General;
      int* margins[MarginFieldCount] = {&g.MarginLeft, &g.MarginTop, &g.MarginRight,
                                        &g.MarginBottom};
      for (int i = 0; i < MarginFieldCount; ++i) *margins[i] = ReadNumber(Ui.MarginEdits[i]);
      MarginsText(g.MarginLeft, g.MarginTop, g.MarginRight, g.MarginBottom, text, TextSlot);
      break;
    }
    case EditorChoice: {
      int* value = IntSetting(s, &Model.TodayItemEnabled, *spec);
      LRESULT index = SendMessageW(Ui.ChoiceList, CB_GETCURSEL, 0, 0);
      const wchar_t* label =
          index == CB_ERR ? nullptr : ChoiceLabel(*spec->ValueTexts, static_cast<int>(index));
      // No selection keeps the stored value; an index without a label is
      // stored but leaves the row's text as it was.
      if (value && index != CB_ERR) *value = static_cast<int>(index);
      changed = label != nullptr;
      if (label) CopyText(text, label);
      break;
    }
    case EditorFont: {
      FontSpec* font = FontSetting(s, *spec);
      if (font) {
        ReadFont(font);
        FontDescription(*font, text, TextSlot);
      }
      break;
    }
    case EditorColor: {
      COLORREF* color = ColorSetting(s, *spec);
      if (color) {
        *color = ReadColor();
        ColorText(*color, text, TextSlot);
      }
      break;
    }
    case EditorFormat: {
      size_t capacity = 0;
      wchar_t* format = TextSetting(s, *spec, &capacity);
      ReadEdit(Ui.FormatEdit, text, FormatSlot);
      if (format) CopyText(format, capacity, text);
      break;
    }
    case EditorFile: {
      size_t capacity = 0;
      wchar_t* path = TextSetting(s, *spec, &capacity);
      wchar_t typed[TextSlot];
      ReadEdit(Ui.PathEdit, typed, TextSlot);
      if (path) CopyText(path, capacity, typed);
      CopyText(text, FileNamePart(typed));
      break;
    }
    default:
      changed = false;
      break;
  }
  if (changed) SetRowText(list, row, 1, text);
}

void SwatchRect(bool fontRow, RECT* rect) {
  int top = ScaleY(fontRow ? 105 : 55);
  *rect = {ScaleX(50), top, ScaleX(70), top + ScaleY(20)};
}

void PaintSwatch(HDC dc, bool fontRow) {
  RECT rect;
  SwatchRect(fontRow, &rect);
  HBRUSH brush = CreateSolidBrush(ReadColor());
  HPEN pen = CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0));
  if (!brush || !pen) {
    if (brush) DeleteObject(brush);
    if (pen) DeleteObject(pen);
    return;
  }
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}
