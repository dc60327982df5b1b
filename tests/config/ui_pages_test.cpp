// The Pages tab and the page editors through the real window: check boxes,
// moving pages, the editors' OK and Cancel, the Launcher's files, and the
// top-level OK writing order and visibility, or keeping them for another try
// when the registry refuses the save.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "common/registry_names.h"
#include "config/model/setting_rows.h"
#include "config/ui/file_chooser.h"
#include "config/ui/resource_ids.h"
#include "support/files.h"
#include "support/message_boxes.h"
#include "tests/config/ui_test_pages.h"

namespace {

class PagesTabTest : public PageEditorTest {
 protected:
  void HideAllBut(int shownKind) {
    for (int k = 1; k <= 6; ++k)
      if (k != shownKind) PutDword(HKEY_CURRENT_USER, PageKey(PageKeyNames[k - 1]), L"Visible", 0);
  }
  std::wstring Name(int row) { return Cell(Ui.PageList, row, 0); }
  // The Pages tab as a user arranges it: "Информация" moved to the top,
  // "Дата" unticked.
  void ArrangePages() {
    ShowTab(1);
    Select(Ui.PageList, 5);
    for (int i = 0; i < 5; ++i) Click(Ui.UpButton);
    SetRowChecked(Ui.PageList, RowOfKind(PageKindDate), false);
    PumpPending();
  }
  // What a save of that arrangement leaves in each page's key.
  void ExpectArrangedPagesStored() {
    const wchar_t* order[6] = {L"SysInfo", L"Wireless", L"Time", L"Date", L"Calendar", L"Launcher"};
    for (int i = 0; i < 6; ++i) {
      DWORD stored = 99, visible = 99;
      std::string page(order[i], order[i] + wcslen(order[i]));
      EXPECT_TRUE(GetDword(HKEY_CURRENT_USER, PageKey(order[i]), L"Order", &stored)) << page;
      EXPECT_EQ(stored, static_cast<DWORD>(i)) << page;
      EXPECT_TRUE(GetDword(HKEY_CURRENT_USER, PageKey(order[i]), L"Visible", &visible)) << page;
      EXPECT_EQ(visible, i == 3 ? 0u : 1u) << page;
    }
  }
};

TEST_F(PagesTabTest, ListShowsThePagesInOrderWithTheirChecks) {
  PutDword(HKEY_CURRENT_USER, PageKey(L"Date"), L"Visible", 0);
  PutDword(HKEY_CURRENT_USER, PageKey(L"Wireless"), L"Order", 9);
  StartWindow();
  ShowTab(1);
  EXPECT_TRUE(Visible(Ui.PageList));
  EXPECT_FALSE(Visible(Ui.GeneralList));
  ASSERT_EQ(RowCount(Ui.PageList), 6);
  const wchar_t* names[6] = {L"Часы",   L"Дата",       L"Календарь",
                             L"Запуск", L"Информация", L"Беспр. связь"};
  const int kinds[6] = {2, 3, 4, 5, 6, 1};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(Name(i), names[i]) << "row " << i;
    EXPECT_EQ(RowData(Ui.PageList, i), kinds[i]) << "row " << i;
    EXPECT_EQ(RowChecked(Ui.PageList, i), i != 1) << "row " << i;
  }
}

TEST_F(PagesTabTest, UncheckingTheOnlyCheckedPageChecksItAgain) {
  HideAllBut(PageKindCalendar);
  StartWindow();
  ShowTab(1);
  int row = RowOfKind(PageKindCalendar);
  ASSERT_TRUE(RowChecked(Ui.PageList, row));
  SetRowChecked(Ui.PageList, row, false);
  PumpPending();
  EXPECT_TRUE(RowChecked(Ui.PageList, row));
  SetRowChecked(Ui.PageList, 0, true);
  SetRowChecked(Ui.PageList, row, false);
  PumpPending();
  EXPECT_FALSE(RowChecked(Ui.PageList, row)) << "with another page shown it may go";
}

TEST_F(PagesTabTest, UpAndDownFollowTheSelection) {
  StartWindow();
  ShowTab(1);
  EXPECT_FALSE(Enabled(Ui.UpButton));
  EXPECT_FALSE(Enabled(Ui.DownButton));
  EXPECT_FALSE(Enabled(Ui.EditButton));
  struct Case {
    int Row;
    bool Up;
    bool Down;
  } cases[] = {{0, false, true}, {3, true, true}, {5, true, false}};
  for (const Case& c : cases) {
    Select(Ui.PageList, c.Row);
    EXPECT_EQ(Enabled(Ui.UpButton), c.Up) << "row " << c.Row;
    EXPECT_EQ(Enabled(Ui.DownButton), c.Down) << "row " << c.Row;
    EXPECT_TRUE(Enabled(Ui.EditButton));
  }
  EXPECT_FALSE(Enabled(Ui.AddButton));
  EXPECT_FALSE(Enabled(Ui.RemoveButton));
}

TEST_F(PagesTabTest, MovingAPageKeepsEachPagesCheck) {
  PutDword(HKEY_CURRENT_USER, PageKey(L"Time"), L"Visible", 0);
  StartWindow();
  ShowTab(1);
  Select(Ui.PageList, 0);
  Click(Ui.DownButton);
  EXPECT_EQ(Name(0), L"Часы");
  EXPECT_FALSE(RowChecked(Ui.PageList, 0));
  EXPECT_EQ(RowData(Ui.PageList, 0), PageKindTime);
  EXPECT_EQ(Name(1), L"Беспр. связь");
  EXPECT_TRUE(RowChecked(Ui.PageList, 1));
  EXPECT_EQ(RowData(Ui.PageList, 1), PageKindWireless);
  EXPECT_EQ(SelectedRow(Ui.PageList), 1) << "the selection moves with the page";
  EXPECT_TRUE(Enabled(Ui.UpButton));
  Click(Ui.UpButton);
  EXPECT_EQ(Name(0), L"Беспр. связь");
  EXPECT_FALSE(Enabled(Ui.UpButton));
}

TEST_F(PagesTabTest, TopLevelOkWritesTheListsOrderAndChecks) {
  BroadcastCounter counter;
  StartWindow();
  ArrangePages();
  Command(CMD_OK);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(counter.Count(), 1);
  ExpectArrangedPagesStored();
}

// A registry that refuses keys fails the save: here a settings root that
// lives only in memory, below which no page key can be made. The tool says
// so, stays at its top with every edit, and once the registry takes keys
// again the next OK saves the whole tree and ends it.
TEST_F(PagesTabTest, RefusedSaveKeepsTheToolAndItsEditsUntilASaveSucceeds) {
  ASSERT_TRUE(PutVolatileKey(HKEY_CURRENT_USER, SettingsRootKey));
  BroadcastCounter counter;
  StartWindow();
  Select(Ui.GeneralList, 0);
  Click(Ui.EditButton);  // "Включить плагин" on
  ASSERT_EQ(Model.TodayItemEnabled, 1);
  ArrangePages();
  {
    BoxAnswerer answerer;
    Command(CMD_OK);
    ASSERT_EQ(answerer.Boxes().size(), 1u) << "a failed save is told";
    const SeenBox& box = answerer.Boxes()[0];
    EXPECT_EQ(box.Owner, window_);
    EXPECT_TRUE(box.Caption == L"Tovira");
    EXPECT_TRUE(box.Text ==
                L"Настройки не сохранены.\nИзменения остались\nв программе: OK "
                L"сохранит\nих ещё раз, «Отмена»\nзакроет программу\nбез сохранения.");
    EXPECT_FALSE(box.EndedByForce);
  }
  ASSERT_TRUE(IsWindow(window_)) << "a failed save does not end the tool";
  EXPECT_EQ(counter.Count(), 1) << "what did reach the registry is shown";
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, PageKey(L"SysInfo")));
  EXPECT_TRUE(Visible(Ui.PageList));
  EXPECT_TRUE(Visible(Ui.Tabs));
  EXPECT_EQ(Name(0), L"Информация");
  EXPECT_EQ(Model.TodayItemEnabled, 1);

  DeleteTree(HKEY_CURRENT_USER, SettingsRootKey);  // the registry takes keys again
  {
    BoxAnswerer answerer;
    Command(CMD_OK);
    EXPECT_TRUE(answerer.Boxes().empty());
  }
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(counter.Count(), 2);
  ExpectArrangedPagesStored();
  DWORD enabled = 0;
  EXPECT_TRUE(GetDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", &enabled));
  EXPECT_EQ(enabled, 1u);
}

TEST_F(PagesTabTest, CancelledPageEditorLeavesCurrent) {
  StartWindow();
  OpenPage(PageKindWireless);
  EXPECT_EQ(Model.EditedPage, PageKindWireless - 1);
  EXPECT_EQ(Text(Ui.TitleLine), L"Tovira: Настройки - Беспр. связь");
  EXPECT_FALSE(Visible(Ui.Tabs));
  HWND list = Ui.EditorLists[PageKindWireless - 1];
  EXPECT_TRUE(Visible(list));
  EXPECT_EQ(Cell(list, 7, 1), L"wrlsmgr.exe");
  Select(list, 5);  // "SMS"
  Click(Ui.EditButton);
  EXPECT_EQ(Cell(list, 5, 1), L"нет");
  EXPECT_EQ(Model.EditCopy.Wireless.ShowSMS, 0);
  Command(CMD_CANCEL);
  EXPECT_EQ(Model.EditedPage, -1);
  EXPECT_EQ(Model.Current.Wireless.ShowSMS, 1);
  EXPECT_TRUE(Visible(Ui.PageList));
  Click(Ui.EditButton);
  EXPECT_EQ(Cell(list, 5, 1), L"да") << "reopening shows Current again";
}

TEST_F(PagesTabTest, PageEditorOkTakesEditCopyButNotTheRegistry) {
  StartWindow();
  RegistrySnapshot before = TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey);
  OpenPage(PageKindDate);
  HWND list = Ui.EditorLists[PageKindDate - 1];
  OpenEditorRow(PageKindDate, 0);
  SetWindowTextW(Ui.MarginEdits[0], L"44");
  Command(CMD_OK);
  EXPECT_EQ(Cell(list, 0, 1), L"44");
  OpenEditorRow(PageKindDate, 5);  // "Тап": a path without a backslash shows whole
  SetWindowTextW(Ui.PathEdit, L"notes.exe");
  Command(CMD_OK);
  EXPECT_EQ(Cell(list, 5, 1), L"notes.exe");
  OpenEditorRow(PageKindDate, 3);
  SetWindowTextW(Ui.FormatEdit, L"d MMMM");
  Command(CMD_OK);
  EXPECT_EQ(Cell(list, 3, 1), L"d MMMM");
  EXPECT_EQ(Model.Current.Date.Height, Py(15));
  Command(CMD_OK);  // accepts the page editor
  EXPECT_EQ(Model.EditedPage, -1);
  EXPECT_EQ(Model.Current.Date.Height, 44);
  EXPECT_STREQ(Model.Current.Date.OnClick, L"notes.exe");
  EXPECT_STREQ(Model.Current.Date.Format1, L"d MMMM");
  EXPECT_TRUE(TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey) == before);
  EXPECT_TRUE(Visible(Ui.PageList));
}

TEST_F(PagesTabTest, TapTargetShowsItsFileName) {
  StartWindow();
  OpenPage(PageKindCalendar);
  HWND list = Ui.EditorLists[PageKindCalendar - 1];
  EXPECT_EQ(Cell(list, 7, 1), L"calendar.exe");
  OpenEditorRow(PageKindCalendar, 7);
  SetWindowTextW(Ui.PathEdit, L"Windows\\clock.exe");
  Command(CMD_OK);
  EXPECT_EQ(Cell(list, 7, 1), L"clock.exe");
  EXPECT_STREQ(Model.EditCopy.Calendar.OnClick, L"Windows\\clock.exe");
}

// Each page editor's rows as a person reads them on a fresh device, with each
// page's Height set to 70 + its kind: name, value and what the row opens.
struct ShownRow {
  const wchar_t* Name;
  const wchar_t* Value;
  int Kind;
};
const std::vector<ShownRow> ShownRows[PageKindCount] = {
    {
        {L"Высота беспр.связи", L"71", EditorNumber},
        {L"Шрифт беспр.связи", L"Tahoma 8 C", EditorFont},
        {L"Состояние BT", L"да", EditorToggle},
        {L"Состояние WiFi", L"да", EditorToggle},
        {L"Звонки", L"да", EditorToggle},
        {L"SMS", L"да", EditorToggle},
        {L"E-Mail", L"да", EditorToggle},
        {L"Тап", L"wrlsmgr.exe", EditorFile},
    },
    {
        {L"Высота часов", L"72", EditorNumber},
        {L"Шрифт часов", L"Tahoma 30 BC", EditorFont},
        {L"Формат времени", L"HH:mm", EditorChoice},
        {L"Будильник", L"да", EditorToggle},
        {L"Шрифт будильника", L"Tahoma 7 C", EditorFont},
        {L"Показать дату", L"нет", EditorChoice},
        {L"Тап", L"clock.exe", EditorFile},
    },
    {
        {L"Высота даты", L"73", EditorNumber},
        {L"Шрифт даты 1", L"Tahoma 8 BC", EditorFont},
        {L"Шрифт даты 2", L"Tahoma 8 BC", EditorFont},
        {L"Формат даты 1", L"", EditorFormat},
        {L"Формат даты 2", L"dddd", EditorFormat},
        {L"Тап", L"clock.exe", EditorFile},
    },
    {
        {L"Высота календаря", L"74", EditorNumber},
        {L"Шрифт календаря", L"Tahoma 8 C", EditorFont},
        {L"Шрифт дней недели", L"Tahoma 6 C", EditorFont},
        {L"Цвет сегодня", L"0x0000FF00", EditorColor},
        {L"Цвет субботы", L"0x008080FF", EditorColor},
        {L"Цвет воскресенья", L"0x008080FF", EditorColor},
        {L"Цвет других дней", L"0x00808080", EditorColor},
        {L"Тап", L"calendar.exe", EditorFile},
    },
    {
        {L"Высота", L"75", EditorNumber},
        {L"Иконки", L"большие", EditorToggle},
        {L"Выравнивание", L"слева", EditorChoice},
    },
    {
        {L"Высота инфо", L"76", EditorNumber},
        {L"Шрифт инфо", L"Tahoma 8 C", EditorFont},
        {L"Память (ОЗУ)", L"%", EditorChoice},
        {L"Место на телефоне", L"%", EditorChoice},
        {L"Место на карте", L"%", EditorChoice},
        {L"Тап (батарея)", L"battery.lnk", EditorFile},
        {L"Тап (память)", L"memory.lnk", EditorFile},
    },
};

// A page editor's rows come when it first opens: every row of its table,
// once, with the page's values, in a name column that holds each name.
TEST_F(PagesTabTest, EveryEditorHasItsRowsOnceFromItsFirstOpening) {
  for (int kind = PageKindWireless; kind <= PageKindSysInfo; ++kind)
    PutDword(HKEY_CURRENT_USER, PageKey(PageKeyNames[kind - 1]), L"Height", 70 + kind);
  StartWindow();
  for (int kind = PageKindWireless; kind <= PageKindSysInfo; ++kind) {
    HWND list = Ui.EditorLists[kind - 1];
    const std::vector<ShownRow>& shown = ShownRows[kind - 1];
    for (int pass = 1; pass <= 2; ++pass) {
      SCOPED_TRACE("page " + std::to_string(kind) + ", opening " + std::to_string(pass));
      OpenPage(kind);
      ASSERT_EQ(RowCount(list), static_cast<int>(shown.size()));
      const int nameWidth = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
      for (int row = 0; row < RowCount(list); ++row) {
        EXPECT_EQ(Cell(list, row, 0), shown[row].Name) << "row " << row;
        EXPECT_EQ(Cell(list, row, 1), shown[row].Value) << "row " << row;
        EXPECT_EQ(RowData(list, row), shown[row].Kind) << "row " << row;
        const LPARAM name = reinterpret_cast<LPARAM>(shown[row].Name);
        EXPECT_GE(nameWidth, SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, name)) << "row " << row;
      }
      Command(CMD_CANCEL);
    }
  }
}

class LauncherEditorTest : public PagesTabTest {
 protected:
  void SetUp() override {
    PagesTabTest::SetUp();
    for (int i = 1; i <= 3; ++i)
      PutText(HKEY_CURRENT_USER, PageKey(L"Launcher"), (L"FileName" + std::to_wstring(i)).c_str(),
              L"Windows\\f" + std::to_wstring(i) + L".lnk");
  }
  std::wstring File(int row) { return Cell(Ui.LauncherItemList, row, 0); }
};

TEST_F(LauncherEditorTest, FilesChangeInTheEditorAndReachTheRegistryOnlyAtTheTop) {
  StartWindow();
  OpenPage(PageKindLauncher);
  EXPECT_TRUE(Visible(Ui.LauncherItemList));
  EXPECT_TRUE(Visible(Ui.EditorLists[PageKindLauncher - 1]));
  EXPECT_TRUE(Visible(Ui.LauncherEditButton));
  ASSERT_EQ(RowCount(Ui.LauncherItemList), 3);
  EXPECT_EQ(File(0), L"f1.lnk");
  EXPECT_TRUE(Enabled(Ui.AddButton));
  EXPECT_FALSE(Enabled(Ui.RemoveButton));

  Click(Ui.AddButton);  // a new file
  EXPECT_EQ(Model.EditorKind, EditorNewFile);
  EXPECT_EQ(Text(Ui.PathEdit), L"");
  SetWindowTextW(Ui.PathEdit, L"Windows\\new.exe");
  Command(CMD_OK);
  ASSERT_EQ(RowCount(Ui.LauncherItemList), 4);
  EXPECT_EQ(File(3), L"new.exe");
  EXPECT_EQ(SelectedRow(Ui.LauncherItemList), 3);

  Select(Ui.LauncherItemList, 0);  // replace the first
  Click(Ui.EditButton);
  EXPECT_EQ(Model.EditorKind, EditorFile);
  EXPECT_EQ(Text(Ui.PathEdit), L"Windows\\f1.lnk");
  SetWindowTextW(Ui.PathEdit, L"Windows\\repl.exe");
  Command(CMD_OK);
  EXPECT_EQ(File(0), L"repl.exe");

  Select(Ui.LauncherItemList, 0);  // move it down
  Click(Ui.DownButton);
  EXPECT_EQ(File(1), L"repl.exe");
  EXPECT_EQ(File(0), L"f2.lnk");
  EXPECT_EQ(SelectedRow(Ui.LauncherItemList), 1);

  Select(Ui.LauncherItemList, 2);  // remove f3
  Click(Ui.RemoveButton);
  ASSERT_EQ(RowCount(Ui.LauncherItemList), 3);
  EXPECT_EQ(PathCount(&Model.LauncherFiles), 3) << "the list changes only on the editor's OK";

  RegistrySnapshot before = TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey);
  Command(CMD_OK);
  ASSERT_EQ(PathCount(&Model.LauncherFiles), 3);
  EXPECT_STREQ(PathAt(&Model.LauncherFiles, 0), L"Windows\\f2.lnk");
  EXPECT_STREQ(PathAt(&Model.LauncherFiles, 1), L"Windows\\repl.exe");
  EXPECT_STREQ(PathAt(&Model.LauncherFiles, 2), L"Windows\\new.exe");
  EXPECT_TRUE(TakeSnapshot(HKEY_CURRENT_USER, SettingsRootKey) == before);

  Command(CMD_OK);  // the top level saves
  std::wstring text;
  const wchar_t* expected[3] = {L"Windows\\f2.lnk", L"Windows\\repl.exe", L"Windows\\new.exe"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(GetText(HKEY_CURRENT_USER, PageKey(L"Launcher"),
                        (L"FileName" + std::to_wstring(i + 1)).c_str(), &text));
    EXPECT_EQ(text, expected[i]);
  }
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName4"));
}

TEST_F(LauncherEditorTest, CancelledEditorKeepsTheFilesAndEmptyListDisablesButtons) {
  StartWindow();
  OpenPage(PageKindLauncher);
  for (int i = 0; i < 3; ++i) {
    Select(Ui.LauncherItemList, 0);
    Click(Ui.RemoveButton);
  }
  EXPECT_EQ(RowCount(Ui.LauncherItemList), 0);
  for (HWND b : {Ui.EditButton, Ui.RemoveButton, Ui.UpButton, Ui.DownButton})
    EXPECT_FALSE(Enabled(b));
  Command(CMD_CANCEL);
  EXPECT_EQ(PathCount(&Model.LauncherFiles), 3);
  Click(Ui.EditButton);
  EXPECT_EQ(RowCount(Ui.LauncherItemList), 3) << "reopening shows the kept files";
}

// Both file lists draw with the system's small icons, each row with its file's.
// The shell's own icon of each file, as the platform gives it: a program with
// an icon of its own (the device's clock) and a text file show different ones,
// a missing file the list's first.
TEST_F(LauncherEditorTest, FileListsShowTheSystemsIcons) {
  ScratchDir files(L"launcher-icons");
  const std::wstring program = BinDir() + L"devicestubs\\clock.exe", text = files.File(L"note.txt");
  HANDLE note = CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(note, INVALID_HANDLE_VALUE) << GetLastError();
  CloseHandle(note);
  PutText(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName1", program);
  PutText(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName2", text);
  PutText(HKEY_CURRENT_USER, PageKey(L"Launcher"), L"FileName3", files.File(L"missing.exe"));
  StartWindow();
  SHFILEINFOW info = {};
  const LRESULT system =
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  ASSERT_NE(system, 0);
  int shells[2] = {};
  for (int i = 0; i < 2; ++i) {
    SHFILEINFOW file = {};
    ASSERT_NE(SHGetFileInfoW((i == 0 ? program : text).c_str(), 0, &file, sizeof(file),
                             SHGFI_SYSICONINDEX),
              0);
    shells[i] = file.iIcon;
  }
  ASSERT_NE(shells[0], shells[1]) << "the shell gives a program and a text file one icon";
  OpenPage(PageKindLauncher);
  EXPECT_EQ(SendMessageW(Ui.LauncherItemList, LVM_GETIMAGELIST, LVSIL_SMALL, 0), system);
  ASSERT_EQ(RowCount(Ui.LauncherItemList), 3);
  EXPECT_EQ(RowData(Ui.LauncherItemList, 0), shells[0]) << "the program";
  EXPECT_EQ(RowData(Ui.LauncherItemList, 1), shells[1]) << "the text file";
  EXPECT_EQ(RowData(Ui.LauncherItemList, 2), 0) << "the missing file";
  Click(Ui.AddButton);
  ASSERT_TRUE(Visible(Ui.FileList));
  EXPECT_EQ(SendMessageW(Ui.FileList, LVM_GETIMAGELIST, LVSIL_SMALL, 0), system);
  Command(CMD_CANCEL);
  Command(CMD_CANCEL);
  OpenPage(PageKindLauncher);
  EXPECT_EQ(RowCount(Ui.LauncherItemList), 3) << "opened again, the files are not doubled";
}

TEST_F(LauncherEditorTest, SettingsRowsHaveTheirOwnButton) {
  StartWindow();
  OpenPage(PageKindLauncher);
  HWND settings = Ui.EditorLists[PageKindLauncher - 1];
  EXPECT_EQ(Cell(settings, 1, 1), L"большие");
  EXPECT_FALSE(Enabled(Ui.LauncherEditButton));
  OpenEditorRow(PageKindLauncher, 1);  // the toggle
  EXPECT_EQ(Cell(settings, 1, 1), L"маленькие");
  OpenEditorRow(PageKindLauncher, 2);
  EXPECT_EQ(Model.EditorKind, EditorChoice);
  SendMessageW(Ui.ChoiceList, CB_SETCURSEL, 1, 0);
  Command(CMD_OK);
  EXPECT_EQ(Cell(settings, 2, 1), L"центр");
  EXPECT_EQ(Model.EditCopy.Launcher.Align, 1);
  EXPECT_EQ(Model.EditCopy.Launcher.BigIcons, 0);
}

}  // namespace
