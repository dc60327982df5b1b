// The General tab through the real window: value texts, the toggle, the
// number, margin and choice editors, and OK taking typed values.
#include <windows.h>

#include <commctrl.h>

#include <climits>
#include <string>

#include "common/registry_names.h"
#include "config/model/config_model.h"
#include "config/model/setting_rows.h"
#include "config/ui/resource_ids.h"
#include "config/ui/settings_list.h"
#include "config/ui/tool_window.h"
#include "tests/config/tool_test_support.h"

namespace {

class GeneralTabTest : public ToolWindowTest {
 protected:
  void OpenRow(int row) {
    Select(Ui.GeneralList, row);
    Click(Ui.EditButton);
  }
  std::wstring Value(int row) { return Cell(Ui.GeneralList, row, 1); }
  void Range(HWND arrows, int* low, int* high) {
    SendMessageW(arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(low),
                 reinterpret_cast<LPARAM>(high));
  }
};

TEST_F(GeneralTabTest, FreshStartShowsTheDefaults) {
  StartWindow();
  ASSERT_EQ(RowCount(Ui.GeneralList), 4);
  const wchar_t* names[] = {L"Включить плагин", L"Фикс. страниц", L"Отступы", L"Запуск со страниц"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Cell(Ui.GeneralList, i, 0), names[i]);
  EXPECT_EQ(Value(0), L"нет");
  EXPECT_EQ(Value(1), L"3");
  std::wstring margins = std::to_wstring(Px(10)) + L"," + std::to_wstring(Px(2)) + L"," +
                         std::to_wstring(Px(10)) + L"," + std::to_wstring(Px(2));
  EXPECT_EQ(Value(2), margins);
  EXPECT_EQ(Value(3), L"тап");
  EXPECT_FALSE(Enabled(Ui.EditButton)) << "\"...\" needs a selected row";
  Select(Ui.GeneralList, 1);
  EXPECT_TRUE(Enabled(Ui.EditButton));
  EXPECT_FALSE(Enabled(Ui.AddButton));
  EXPECT_FALSE(Enabled(Ui.UpButton));
}

TEST_F(GeneralTabTest, LoadedValuesAreShown) {
  PutDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", 1);
  PutDword(HKEY_CURRENT_USER, SettingsRootKey, L"FixedPageCount", 5);
  PutDword(HKEY_CURRENT_USER, SettingsRootKey, L"MarginLeft", 1);
  PutDword(HKEY_CURRENT_USER, SettingsRootKey, L"MarginTop", 2);
  PutDword(HKEY_CURRENT_USER, SettingsRootKey, L"MarginRight", 3);
  PutDword(HKEY_CURRENT_USER, SettingsRootKey, L"MarginBottom", 4);
  PutDword(HKEY_CURRENT_USER, SettingsRootKey, L"TapType", 2);
  StartWindow();
  EXPECT_EQ(Value(0), L"да");
  EXPECT_EQ(Value(1), L"5");
  EXPECT_EQ(Value(2), L"1,2,3,4");
  EXPECT_EQ(Value(3), L"двойной тап");
}

TEST_F(GeneralTabTest, ToggleFlipsInPlaceTwice) {
  StartWindow();
  OpenRow(0);
  EXPECT_EQ(Model.EditorKind, -1) << "a toggle opens no panel";
  EXPECT_EQ(Value(0), L"да");
  EXPECT_EQ(Model.TodayItemEnabled, 1);
  DoubleTap(Ui.GeneralList);  // a double tap acts as "..."
  EXPECT_EQ(Value(0), L"нет");
  EXPECT_EQ(Model.TodayItemEnabled, 0);
  EXPECT_TRUE(Visible(Ui.GeneralList));
  EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled"))
      << "nothing reaches the Today entry before the top-level OK";
}

TEST_F(GeneralTabTest, NumberAndMarginEditorsHaveTheirRanges) {
  StartWindow();
  OpenRow(1);
  EXPECT_EQ(Model.EditorKind, EditorNumber);
  EXPECT_EQ(Text(Ui.RowNameLabel), L"Фикс. страниц");
  EXPECT_TRUE(Visible(Ui.MarginEdits[0]));
  EXPECT_FALSE(Visible(Ui.MarginEdits[1]));
  EXPECT_FALSE(Visible(Ui.Tabs));
  EXPECT_FALSE(Visible(Ui.EditButton));
  EXPECT_EQ(Text(Ui.MarginEdits[0]), L"3");
  int low = 99, high = 99;
  Range(Ui.MarginUpDowns[0], &low, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 6);
  Command(CMD_CANCEL);
  EXPECT_EQ(Model.EditorKind, -1);
  EXPECT_TRUE(Visible(Ui.GeneralList));
  OpenRow(2);
  EXPECT_EQ(Model.EditorKind, EditorMargins);
  Range(Ui.MarginUpDowns[0], &low, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 1000);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(Visible(Ui.MarginLabels[i]));
    Range(Ui.MarginUpDowns[i], &low, &high);
    EXPECT_EQ(high, 1000) << "margin " << i;
  }
  EXPECT_EQ(Text(Ui.MarginEdits[0]), std::to_wstring(Px(10)));
  EXPECT_EQ(Text(Ui.MarginEdits[1]), std::to_wstring(Px(2)));
}

TEST_F(GeneralTabTest, OkStoresTheTypedPageCountUnclamped) {
  StartWindow();
  OpenRow(1);
  SetWindowTextW(Ui.MarginEdits[0], L"9");
  Command(CMD_OK);
  EXPECT_EQ(Model.EditorKind, -1);
  EXPECT_EQ(Model.Current.General.FixedPageCount, 9);
  EXPECT_EQ(Value(1), L"9");
  EXPECT_TRUE(Visible(Ui.GeneralList));
  BroadcastCounter counter;
  Command(CMD_OK);
  DWORD stored = 0;
  EXPECT_TRUE(GetDword(HKEY_CURRENT_USER, SettingsRootKey, L"FixedPageCount", &stored));
  EXPECT_EQ(stored, 9u);
  EXPECT_EQ(counter.Count(), 1);
}

TEST_F(GeneralTabTest, TypedNumbersStoreTheirLeadingDigits) {
  struct Case {
    const wchar_t* Typed;
    int Stored;
    const wchar_t* Shown;
  } cases[] = {{L"abc", 0, L"0"},
               {L"", 0, L"0"},
               {L"12abc", 12, L"12"},
               {L"007", 7, L"7"},
               {L"99999999999", INT_MAX, L"2147483647"},
               {L"-4", -4, L"-4"}};
  StartWindow();
  for (const Case& c : cases) {
    OpenRow(1);
    SetWindowTextW(Ui.MarginEdits[0], c.Typed);
    Command(CMD_OK);
    EXPECT_EQ(Model.Current.General.FixedPageCount, c.Stored)
        << "typed " << std::string(c.Typed, c.Typed + wcslen(c.Typed));
    EXPECT_EQ(Value(1), c.Shown) << "the row shows the number as stored";
  }
}

TEST_F(GeneralTabTest, MarginsShowAsOneText) {
  StartWindow();
  OpenRow(2);
  const wchar_t* typed[4] = {L"12", L"3", L"12", L"3"};
  for (int i = 0; i < 4; ++i) SetWindowTextW(Ui.MarginEdits[i], typed[i]);
  Command(CMD_OK);
  EXPECT_EQ(Value(2), L"12,3,12,3");
  const GeneralSettings& g = Model.Current.General;
  EXPECT_EQ(g.MarginLeft, 12);
  EXPECT_EQ(g.MarginTop, 3);
  EXPECT_EQ(g.MarginRight, 12);
  EXPECT_EQ(g.MarginBottom, 3);
}

TEST_F(GeneralTabTest, ChoiceListOffersTheTapLabels) {
  StartWindow();
  OpenRow(3);
  EXPECT_EQ(Model.EditorKind, EditorChoice);
  EXPECT_TRUE(Visible(Ui.ChoiceList));
  EXPECT_TRUE(Visible(Ui.HelpText));
  EXPECT_EQ(Text(Ui.HelpText), L"");
  ASSERT_EQ(SendMessageW(Ui.ChoiceList, CB_GETCOUNT, 0, 0), 3);
  const wchar_t* labels[3] = {L"нет", L"тап", L"двойной тап"};
  for (int i = 0; i < 3; ++i) {
    wchar_t text[64];
    SendMessageW(Ui.ChoiceList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, labels[i]);
  }
  EXPECT_EQ(SendMessageW(Ui.ChoiceList, CB_GETCURSEL, 0, 0), 1);
  SendMessageW(Ui.ChoiceList, CB_SETCURSEL, 2, 0);
  Command(CMD_OK);
  EXPECT_EQ(Model.Current.General.TapType, 2);
  EXPECT_EQ(Value(3), L"двойной тап");
  OpenRow(3);
  SendMessageW(Ui.ChoiceList, CB_SETCURSEL, 0, 0);
  Command(CMD_CANCEL);
  EXPECT_EQ(Model.Current.General.TapType, 2) << "Cancel drops the edit";
  EXPECT_EQ(Value(3), L"двойной тап");
}

}  // namespace
