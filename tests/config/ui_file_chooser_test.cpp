// The file chooser and the format help through the real window, on folders
// the tests make under a temporary device root.
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "config/model/setting_rows.h"
#include "config/model/text_util.h"
#include "config/ui/file_chooser.h"
#include "config/ui/resource_ids.h"
#include "support/text.h"
#include "tests/config/ui_test_pages.h"

namespace {

class FileChooserTest : public PageEditorTest {
 protected:
  void SetUp() override {
    PageEditorTest::SetUp();
    GetCurrentDirectoryW(MAX_PATH, savedDirectory_);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"tvrcfg-root-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(root_.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(root_.c_str()));  // the device root
    for (const wchar_t* folder :
         {L"Windows", L"Windows\\Sub", L"Windows\\Alpha", L"Windows\\Secret", L"Storage Card"})
      MakeFolder(folder);
    for (const wchar_t* file :
         {L"Windows\\b.lnk", L"Windows\\a.exe", L"Windows\\c.exe", L"Windows\\readme",
          L"Windows\\clock.exe", L"Windows\\x.tmp", L"Windows\\Sub\\inner.exe", L"top.txt"})
      MakeFile(file);
    SetFileAttributesW(L"Windows\\x.tmp", FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(L"Windows\\Secret", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    Model.CurrentFolder[0] = L'\0';
  }
  void TearDown() override {
    PageEditorTest::TearDown();
    SetCurrentDirectoryW(savedDirectory_);
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
      std::wstring path = root_ + L"\\" + it->first;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (it->second)
        RemoveDirectoryW(path.c_str());
      else
        DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(root_.c_str());
  }
  void MakeFolder(const std::wstring& path) {
    CreateDirectoryW(path.c_str(), nullptr);
    made_.push_back({path, true});
  }
  void MakeFile(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    made_.push_back({path, false});
  }
  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (int i = 0; i < RowCount(Ui.FileList); ++i) names.push_back(Cell(Ui.FileList, i, 0));
    return names;
  }
  std::wstring SelectedName() {
    int row = SelectedRow(Ui.FileList);
    return row < 0 ? L"<none>" : Cell(Ui.FileList, row, 0);
  }
  void List(const wchar_t* folder, const wchar_t* name) {
    ListFolder(Ui.FileList, folder, name);
    PumpPending();
  }
  void Open(const wchar_t* name) {
    for (int i = 0; i < RowCount(Ui.FileList); ++i)
      if (Cell(Ui.FileList, i, 0) == name) Select(Ui.FileList, i);
    ASSERT_EQ(SelectedName(), name);
    Click(Ui.OpenButton);
  }
  static std::string Listed(const std::vector<std::wstring>& names) {
    std::string out;
    for (const auto& n : names) out += testsupport::Narrow(n) + " ";
    return out;
  }
  wchar_t savedDirectory_[MAX_PATH] = {};
  std::wstring root_;
  std::vector<std::pair<std::wstring, bool>> made_;
};

TEST_F(FileChooserTest, RootHasNoParentRowAndIsListedAgain) {
  StartWindow();
  List(L"", L"");
  EXPECT_EQ(Text(Ui.FolderLabel), L"\\");
  std::vector<std::wstring> expected = {L"Storage Card", L"Windows", L"top.txt"};
  EXPECT_EQ(Names(), expected) << Listed(Names());
  MakeFile(L"new.txt");
  List(L"", L"new.txt");
  EXPECT_EQ(RowCount(Ui.FileList), 4) << "the root is read again each time";
  EXPECT_EQ(SelectedName(), L"new.txt");
}

TEST_F(FileChooserTest, FolderRowsAreOrderedAndTyped) {
  StartWindow();
  List(L"Windows\\", L"Clock.EXE");
  EXPECT_EQ(Text(Ui.FolderLabel), L"\\Windows\\");
  std::vector<std::wstring> expected = {L"..",    L"Alpha", L"Sub",       L"readme",
                                        L"a.exe", L"c.exe", L"clock.exe", L"b.lnk"};
  EXPECT_EQ(Names(), expected) << Listed(Names());
  EXPECT_EQ(Cell(Ui.FileList, 0, 1), L"..");
  EXPECT_EQ(Cell(Ui.FileList, 1, 1), L"[DIR]");
  EXPECT_EQ(Cell(Ui.FileList, 3, 1), L"");
  EXPECT_EQ(Cell(Ui.FileList, 4, 1), L"exe");
  EXPECT_EQ(Cell(Ui.FileList, 7, 1), L"lnk");
  EXPECT_EQ(SelectedName(), L"clock.exe") << "names are matched without case";
  EXPECT_STREQ(Model.CurrentFolder, L"Windows\\");
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = 4;
  SendMessageW(Ui.FileList, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_GE(item.iImage, 0) << "each row gets its system icon";
}

TEST_F(FileChooserTest, TheFolderShownOnlyMovesTheSelection) {
  StartWindow();
  List(L"Windows\\", L"a.exe");
  MakeFile(L"Windows\\later.exe");
  List(L"Windows\\", L"c.exe");
  EXPECT_EQ(SelectedName(), L"c.exe");
  EXPECT_EQ(RowCount(Ui.FileList), 8) << "the shown folder is not read again";
}

TEST_F(FileChooserTest, FolderThatCannotBeReadShowsOnlyTheParentRow) {
  StartWindow();
  List(L"Missing\\", L"");
  std::vector<std::wstring> expected = {L".."};
  EXPECT_EQ(Names(), expected);
  EXPECT_STREQ(Model.CurrentFolder, L"Missing\\");
}

TEST_F(FileChooserTest, NavigatesDownUpAndTakesAFile) {
  StartWindow();
  CopyText(Model.Current.Wireless.OnClick, L"Windows\\a.exe");
  OpenPage(PageKindWireless);
  OpenEditorRow(PageKindWireless, 7);
  ASSERT_EQ(Model.EditorKind, EditorFile);
  EXPECT_EQ(SelectedName(), L"a.exe");
  EXPECT_TRUE(Enabled(Ui.OpenButton));
  Open(L"Sub");
  EXPECT_STREQ(Model.CurrentFolder, L"Windows\\Sub\\");
  EXPECT_EQ(SelectedName(), L"..");
  Open(L"..");
  EXPECT_STREQ(Model.CurrentFolder, L"Windows\\");
  EXPECT_EQ(SelectedName(), L"Sub") << "the folder just left is selected";
  Open(L"clock.exe");
  EXPECT_EQ(Text(Ui.PathEdit), L"Windows\\clock.exe");
  Command(CMD_OK);
  EXPECT_STREQ(Model.EditCopy.Wireless.OnClick, L"Windows\\clock.exe");
  EXPECT_EQ(Cell(Ui.EditorLists[PageKindWireless - 1], 7, 1), L"clock.exe");
}

TEST_F(FileChooserTest, NewLauncherFileStartsInTheLastFolder) {
  StartWindow();
  OpenPage(PageKindCalendar);
  CopyText(Model.EditCopy.Calendar.OnClick, L"Windows\\Sub\\inner.exe");
  OpenEditorRow(PageKindCalendar, 7);
  Command(CMD_CANCEL);
  Command(CMD_CANCEL);
  EXPECT_STREQ(Model.CurrentFolder, L"Windows\\Sub\\") << "kept after the editor closes";
  Select(Ui.PageList, RowOfKind(PageKindLauncher));
  Click(Ui.EditButton);
  Click(Ui.AddButton);
  EXPECT_EQ(Model.EditorKind, EditorNewFile);
  EXPECT_EQ(Text(Ui.FolderLabel), L"\\Windows\\Sub\\");
  EXPECT_EQ(SelectedRow(Ui.FileList), -1);
  Open(L"inner.exe");
  Command(CMD_OK);
  ASSERT_EQ(PathCount(&Model.LauncherFilesEdit), 1);
  EXPECT_STREQ(PathAt(&Model.LauncherFilesEdit, 0), L"Windows\\Sub\\inner.exe");
}

TEST_F(FileChooserTest, PathsAtTheLimitNeverOverflow) {
  StartWindow();
  std::wstring limit(258, L'd');
  limit += L"\\";  // 259 units: the longest folder a slot holds
  List(limit.c_str(), L"");
  EXPECT_EQ(std::wstring(Model.CurrentFolder), limit);
  EXPECT_EQ(Text(Ui.FolderLabel), L"\\" + limit);
  std::wstring deeper = limit + L"e\\";  // one level deeper does not fit
  List(deeper.c_str(), L"");
  EXPECT_EQ(std::wstring(Model.CurrentFolder), limit) << "a folder too long is refused";
  // A row whose joined path would not fit changes nothing.
  InsertRow(Ui.FileList, L"entry", 0, 1, L"exe", false);
  SetWindowTextW(Ui.PathEdit, L"kept");
  Select(Ui.FileList, 1);
  OpenSelectedFileRow();
  EXPECT_EQ(Text(Ui.PathEdit), L"kept");
  EXPECT_EQ(std::wstring(Model.CurrentFolder), limit);
  Select(Ui.FileList, 0);  // ".." from the deepest folder
  OpenSelectedFileRow();
  EXPECT_STREQ(Model.CurrentFolder, L"");
}

TEST_F(FileChooserTest, HelpTextsFollowTheEditor) {
  StartWindow();
  OpenPage(PageKindDate);
  std::wstring dateHelp;
  for (int row : {3, 4}) {
    OpenEditorRow(PageKindDate, row);
    ASSERT_EQ(Model.EditorKind, EditorFormat);
    EXPECT_TRUE(Visible(Ui.HelpText));
    dateHelp = Text(Ui.HelpText);
    EXPECT_EQ(dateHelp.rfind(L"если пусто - системный формат\n", 0), 0u);
    EXPECT_EQ(std::count(dateHelp.begin(), dateHelp.end(), L'\n'), 11) << "twelve lines";
    EXPECT_NE(dateHelp.find(L"dddd\t День (понедельник-воскресенье)\n"), std::wstring::npos);
    EXPECT_EQ(dateHelp.substr(dateHelp.size() - 24), L"yyyy\t Год (четыре знака)");
    Command(CMD_CANCEL);
  }
  Command(CMD_CANCEL);
  Select(Ui.PageList, RowOfKind(PageKindTime));
  Click(Ui.EditButton);
  OpenEditorRow(PageKindTime, 2);
  std::wstring timeHelp = Text(Ui.HelpText);
  EXPECT_EQ(timeHelp,
            L"H\t Часы (0-24)\nh\t Часы (0-12)\nHH\t Часы (00-24)\nhh\t Часы (00-12)\n"
            L"mm\t Минуты (00-59)\n");
  EXPECT_EQ(SendMessageW(Ui.ChoiceList, CB_GETCURSEL, 0, 0), 2);
  Command(CMD_CANCEL);
  OpenEditorRow(PageKindTime, 5);
  EXPECT_EQ(Text(Ui.HelpText), L"") << "other choices have no help";
  Command(CMD_CANCEL);
  OpenEditorRow(PageKindTime, 0);
  EXPECT_FALSE(Visible(Ui.HelpText)) << "a number editor shows no help";
}

}  // namespace
