// The value editor panel for each kind: filled from the model, the colour
// group's two places, the swatch following the typed colour.
#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "config/model/setting_rows.h"
#include "config/model/text_util.h"
#include "config/ui/value_editor.h"
#include "config/ui/resource_ids.h"
#include "tests/config/ui_test_pages.h"

namespace {

using ValueEditorTest = PageEditorTest;

std::wstring FirstFace() {
  wchar_t face[LF_FACESIZE] = L"";
  SendMessageW(Ui.FaceList, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(face));
  return face;
}

TEST_F(ValueEditorTest, FontRowIsFilledAndShowsTheColourBelow) {
  PutDword(HKEY_CURRENT_USER, PageKey(L"Time"), L"FontSize1", 31);
  PutDword(HKEY_CURRENT_USER, PageKey(L"Time"), L"FontBold1", 1);
  PutDword(HKEY_CURRENT_USER, PageKey(L"Time"), L"ClearType1", 0);
  PutDword(HKEY_CURRENT_USER, PageKey(L"Time"), L"FontColor1", 0x00112233);
  StartWindow();
  ASSERT_GT(SendMessageW(Ui.FaceList, CB_GETCOUNT, 0, 0), 0) << "no font families found";
  // The stored face is looked up by prefix, ignoring case.
  std::wstring face = FirstFace();
  std::wstring prefix = face.substr(0, face.size() > 3 ? 3 : face.size());
  for (wchar_t& c : prefix) c = static_cast<wchar_t>(towlower(c));
  CopyText(Model.Current.Time.Font1.Name, prefix.c_str());
  OpenPage(PageKindTime);
  OpenEditorRow(PageKindTime, 1);
  ASSERT_EQ(Model.EditorKind, EditorFont);
  EXPECT_EQ(Text(Ui.RowNameLabel), L"Шрифт часов");
  LRESULT selected = SendMessageW(Ui.FaceList, CB_GETCURSEL, 0, 0);
  ASSERT_NE(selected, CB_ERR);
  wchar_t chosen[LF_FACESIZE];
  SendMessageW(Ui.FaceList, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(chosen));
  EXPECT_EQ(_wcsnicmp(chosen, prefix.c_str(), prefix.size()), 0);
  EXPECT_EQ(Text(Ui.SizeEdit), L"31");
  EXPECT_EQ(SendMessageW(Ui.BoldCheck, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Ui.ClearTypeCheck, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Text(Ui.ColorEdits[0]), L"51");
  EXPECT_EQ(Text(Ui.ColorEdits[1]), L"34");
  EXPECT_EQ(Text(Ui.ColorEdits[2]), L"17");
  EXPECT_TRUE(Visible(Ui.FontLabel));
  EXPECT_TRUE(Visible(Ui.ColorLabel));
  EXPECT_FALSE(Visible(Ui.ChoiceList));
  EXPECT_EQ(ClientRectOf(Ui.ColorEdits[0]).top, Py(105));
  EXPECT_EQ(ClientRectOf(Ui.ColorLabel).top, Py(107));
  EXPECT_EQ(ClientRectOf(Ui.FaceList).top, Py(55));

  // 300 typed into red paints the swatch with 255.
  SetWindowTextW(Ui.ColorEdits[0], L"300");
  PumpPending();
  EXPECT_EQ(PixelAt(Px(60), Py(115)), RGB(255, 34, 17));
  EXPECT_EQ(PixelAt(Px(50), Py(105)), RGB(0, 0, 0)) << "the outline is black";
  Command(CMD_OK);
  const FontSpec& font = Model.EditCopy.Time.Font1;
  EXPECT_EQ(font.Color, RGB(255, 34, 17));
  EXPECT_EQ(font.Size, 31);
  EXPECT_STREQ(font.Name, chosen);
  wchar_t expected[300];
  FontDescription(font, expected, 300);
  EXPECT_EQ(Cell(Ui.EditorLists[PageKindTime - 1], 1, 1), expected);
  EXPECT_EQ(Model.Current.Time.Font1.Color, 0x00112233u) << "only the page's OK takes EditCopy";
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
  reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(font->lfFaceName);
  return 1;
}

// The desktop names a family once per character set; the list names it
// once, where it first came. At default settings every font row shows Tahoma.
TEST_F(ValueEditorTest, FaceListNamesEachFamilyOnceAndTahomaByDefault) {
  StartWindow();
  std::vector<std::wstring> enumerated;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesW(screen, nullptr, CollectFace, reinterpret_cast<LPARAM>(&enumerated));
  ReleaseDC(nullptr, screen);
  std::vector<std::wstring> once;
  for (const std::wstring& name : enumerated)
    if (std::find(once.begin(), once.end(), name) == once.end()) once.push_back(name);
  int listed = static_cast<int>(SendMessageW(Ui.FaceList, CB_GETCOUNT, 0, 0));
  std::printf("font families: %zu enumerated, %zu distinct, %d listed\n", enumerated.size(),
              once.size(), listed);
  ASSERT_EQ(listed, static_cast<int>(once.size()));
  const bool tahoma = std::find(once.begin(), once.end(), L"Tahoma") != once.end();
  ASSERT_TRUE(tahoma)
      << "Tahoma is not installed: Wine finds fonts-wine's files only in the prefix's Fonts folder";
  for (int i = 0; i < listed; ++i) {
    wchar_t face[LF_FACESIZE] = L"";
    SendMessageW(Ui.FaceList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
    EXPECT_EQ(face, once[i]) << "entry " << i;
  }
  for (int kind = PageKindWireless; kind <= PageKindSysInfo; ++kind) {
    OpenPage(kind);
    HWND list = Ui.EditorLists[kind - 1];
    for (int row = 0; row < RowCount(list); ++row) {
      if (RowData(list, row) != EditorFont) continue;
      OpenEditorRow(kind, row);
      LRESULT selected = SendMessageW(Ui.FaceList, CB_GETCURSEL, 0, 0);
      wchar_t face[LF_FACESIZE] = L"";
      if (selected != CB_ERR)
        SendMessageW(Ui.FaceList, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(face));
      EXPECT_STREQ(face, L"Tahoma") << "page " << kind << ", row " << row;
      Command(CMD_CANCEL);
    }
    Command(CMD_CANCEL);
  }
}

TEST_F(ValueEditorTest, AnUntouchedFontEditorKeepsTheStoredFace) {
  StartWindow();
  // A longer family of the same beginning listed first, as "Arial Black" may be.
  const std::wstring face = FirstFace();
  ASSERT_FALSE(face.empty()) << "no font families found";
  const std::wstring longer = face + L" Black";
  SendMessageW(Ui.FaceList, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(longer.c_str()));
  std::wstring lower = face;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
  CopyText(Model.Current.SysInfo.Font.Name, lower.c_str());
  OpenPage(PageKindSysInfo);
  OpenEditorRow(PageKindSysInfo, 1);
  EXPECT_EQ(SendMessageW(Ui.FaceList, CB_GETCURSEL, 0, 0), 1) << "the exact name, not " << longer;
  Command(CMD_OK);
  EXPECT_EQ(std::wstring(Model.EditCopy.SysInfo.Font.Name), face);
  Command(CMD_CANCEL);

  // A face that is not installed selects nothing and is kept.
  CopyText(Model.Current.SysInfo.Font.Name, L"No Such Face Anywhere");
  OpenPage(PageKindSysInfo);
  OpenEditorRow(PageKindSysInfo, 1);
  EXPECT_EQ(SendMessageW(Ui.FaceList, CB_GETCURSEL, 0, 0), CB_ERR);
  SetWindowTextW(Ui.SizeEdit, L"12");
  Command(CMD_OK);
  EXPECT_STREQ(Model.EditCopy.SysInfo.Font.Name, L"No Such Face Anywhere");
  EXPECT_EQ(Model.EditCopy.SysInfo.Font.Size, 12);
}

TEST_F(ValueEditorTest, ColourRowSitsHigherAndStoresTheReference) {
  StartWindow();
  OpenPage(PageKindCalendar);
  OpenEditorRow(PageKindCalendar, 3);
  ASSERT_EQ(Model.EditorKind, EditorColor);
  EXPECT_EQ(Text(Ui.ColorEdits[0]), L"0");
  EXPECT_EQ(Text(Ui.ColorEdits[1]), L"255");
  EXPECT_EQ(Text(Ui.ColorEdits[2]), L"0");
  EXPECT_FALSE(Visible(Ui.FontLabel));
  EXPECT_EQ(ClientRectOf(Ui.ColorEdits[0]).top, Py(55));
  EXPECT_EQ(ClientRectOf(Ui.ColorLabel).top, Py(57));
  int low = 0, high = 0;
  SendMessageW(Ui.ColorUpDowns[2], UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
               reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(high, 255);
  EXPECT_EQ(PixelAt(Px(60), Py(65)), RGB(0, 255, 0));
  SetWindowTextW(Ui.ColorEdits[0], L"255");
  SetWindowTextW(Ui.ColorEdits[1], L"128");
  SetWindowTextW(Ui.ColorEdits[2], L"128");
  PumpPending();
  EXPECT_EQ(PixelAt(Px(60), Py(65)), RGB(255, 128, 128));
  Command(CMD_OK);
  EXPECT_EQ(Model.EditCopy.Calendar.ColorToday, 0x008080FFu);
  EXPECT_EQ(Cell(Ui.EditorLists[PageKindCalendar - 1], 3, 1), L"0x008080FF");
}

TEST_F(ValueEditorTest, ArrowRangesFollowTheRow) {
  StartWindow();
  int low = 0, high = 0;
  auto range = [&] {
    SendMessageW(Ui.MarginUpDowns[0], UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
  };
  Select(Ui.GeneralList, 1);
  Click(Ui.EditButton);
  range();
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 6);
  Command(CMD_CANCEL);
  OpenPage(PageKindWireless);
  OpenEditorRow(PageKindWireless, 0);
  EXPECT_EQ(Model.EditorKind, EditorNumber);
  range();
  EXPECT_EQ(low, -1);
  EXPECT_EQ(high, 1000);
  EXPECT_EQ(Text(Ui.MarginEdits[0]), std::to_wstring(Py(15)));
  Command(CMD_CANCEL);
  Command(CMD_CANCEL);
  ShowTab(0);
  Select(Ui.GeneralList, 2);
  Click(Ui.EditButton);
  range();
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 1000);
}

// Every label and check box of a value editor sits on the window's white in
// the window-text colour, as on the device; the title line and the help text
// keep their own colours on the same white. Kind 0 opens a General row. The
// colours are the test prefix's scheme: black text, the highlight's blue and
// the grey of disabled text.
struct OnWhiteCase {
  const char* Name;
  int Kind;
  int Row;
  HWND (*Control)();
  COLORREF TextColor;
};

constexpr COLORREF Black = RGB(0, 0, 0), HighlightBlue = RGB(48, 150, 250),
                   Grey = RGB(166, 166, 166);

const OnWhiteCase OnWhiteCases[] = {
    {"row name", PageKindTime, 1, [] { return Ui.RowNameLabel; }, Black},
    {"face label", PageKindTime, 1, [] { return Ui.FontLabel; }, Black},
    {"bold check box", PageKindTime, 1, [] { return Ui.BoldCheck; }, Black},
    {"ClearType check box", PageKindTime, 1, [] { return Ui.ClearTypeCheck; }, Black},
    {"colour label", PageKindTime, 1, [] { return Ui.ColorLabel; }, Black},
    {"title line", PageKindTime, 1, [] { return Ui.TitleLine; }, HighlightBlue},
    {"margin label", 0, 2, [] { return Ui.MarginLabels[0]; }, Black},
    {"help text", PageKindDate, 3, [] { return Ui.HelpText; }, Grey},
};

constexpr COLORREF WindowWhite = RGB(255, 255, 255);

// How many pixels of the control show this colour.
int PixelsOf(HWND control, COLORREF color) {
  RECT rc = {};
  GetClientRect(control, &rc);
  HDC dc = GetDC(control);
  int count = 0;
  for (int y = 0; y < rc.bottom; ++y)
    for (int x = 0; x < rc.right; ++x)
      if (GetPixel(dc, x, y) == color) ++count;
  ReleaseDC(control, dc);
  return count;
}

TEST_F(ValueEditorTest, LabelsAndCheckBoxesSitOnTheWindowWhite) {
  StartWindow();
  for (const OnWhiteCase& c : OnWhiteCases) {
    SCOPED_TRACE(c.Name);
    if (c.Kind == 0) {
      ShowTab(0);
      Select(Ui.GeneralList, c.Row);
      Click(Ui.EditButton);
    } else {
      OpenPage(c.Kind);
      OpenEditorRow(c.Kind, c.Row);
    }
    HWND control = c.Control();
    ASSERT_TRUE(Visible(control));
    UpdateWindow(window_);
    RECT rc = {};
    GetClientRect(control, &rc);
    HDC dc = GetDC(control);
    // The bottom right corner holds no text in any of them.
    COLORREF corner = GetPixel(dc, rc.right - 2, rc.bottom - 2);
    ReleaseDC(control, dc);
    EXPECT_EQ(corner, WindowWhite) << std::hex << "0x" << corner;
    EXPECT_GT(PixelsOf(control, c.TextColor), 0) << "no text in its colour";
    Command(CMD_CANCEL);
    if (c.Kind != 0) Command(CMD_CANCEL);
  }
}

TEST_F(ValueEditorTest, ChoiceAndFileRowsAreFilled) {
  StartWindow();
  OpenPage(PageKindTime);
  OpenEditorRow(PageKindTime, 5);
  ASSERT_EQ(Model.EditorKind, EditorChoice);
  EXPECT_EQ(SendMessageW(Ui.ChoiceList, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageW(Ui.ChoiceList, CB_GETCURSEL, 0, 0), 0);
  SendMessageW(Ui.ChoiceList, CB_SETCURSEL, 3, 0);
  Command(CMD_OK);
  EXPECT_EQ(Model.EditCopy.Time.ShowDate, 3);
  EXPECT_EQ(Cell(Ui.EditorLists[PageKindTime - 1], 5, 1), L"справа");
  OpenEditorRow(PageKindTime, 6);
  ASSERT_EQ(Model.EditorKind, EditorFile);
  EXPECT_EQ(Text(Ui.PathEdit), L"Windows\\clock.exe");
  EXPECT_TRUE(Visible(Ui.FileList));
  EXPECT_TRUE(Visible(Ui.FolderLabel));
  EXPECT_FALSE(Visible(Ui.RowNameLabel));
}

}  // namespace
