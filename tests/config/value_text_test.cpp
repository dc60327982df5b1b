// Value texts and typed numbers: what a row shows and what a typed field
// stores, including the inputs that must never overflow.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "config/model/setting_rows.h"
#include "config/model/text_util.h"
#include "config/model/value_text.h"
#include "support/text.h"

namespace {

using testsupport::Narrow;

TEST(TypedNumber, ReadsLeadingDigitsAndNeverOverflows) {
  struct Case {
    const wchar_t* Typed;
    int Stored;
  } cases[] = {
      {L"9", 9},
      {L"  12", 12},
      {L"-1", -1},
      {L"+7", 7},
      {L"12abc", 12},
      {L"abc", 0},
      {L"", 0},
      {L"-", 0},
      {L" 3 4", 3},
      {L"--5", 0},
      {L"007", 7},
      {L"2147483647", INT_MAX},
      {L"2147483648", INT_MAX},
      {L"99999999999999999999", INT_MAX},
      {L"-2147483648", INT_MIN},
      {L"-99999999999999999999", INT_MIN},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseTypedNumber(c.Typed), c.Stored) << "typed \"" << Narrow(c.Typed) << "\"";
  EXPECT_EQ(ParseTypedNumber(nullptr), 0);
}

TEST(TypedNumber, ColourChannelsStopAt255) {
  EXPECT_EQ(ParseColorChannel(L"300"), 255);
  EXPECT_EQ(ParseColorChannel(L"255"), 255);
  EXPECT_EQ(ParseColorChannel(L"128"), 128);
  EXPECT_EQ(ParseColorChannel(L"99999999999"), 255);
  EXPECT_EQ(ParseColorChannel(L""), 0);
}

TEST(ValueTexts, FontColourMarginsAndPaths) {
  wchar_t text[300];
  FontSpec plain = {L"Tahoma", 8, 0, 0, 0};
  FontDescription(plain, text, 300);
  EXPECT_STREQ(text, L"Tahoma 8 ");
  FontSpec both = {L"Arial", 12, 1, 0, 1};
  FontDescription(both, text, 300);
  EXPECT_STREQ(text, L"Arial 12 BC");
  FontSpec clear = {L"Arial", 7, 0, 0, 1};
  FontDescription(clear, text, 300);
  EXPECT_STREQ(text, L"Arial 7 C");

  ColorText(RGB(255, 128, 128), text, 300);
  EXPECT_STREQ(text, L"0x008080FF");
  ColorText(0x00FF00, text, 300);
  EXPECT_STREQ(text, L"0x0000FF00");
  MarginsText(12, 3, 12, 3, text, 300);
  EXPECT_STREQ(text, L"12,3,12,3");

  EXPECT_STREQ(FileNamePart(L"Windows\\clock.exe"), L"clock.exe");
  EXPECT_STREQ(FileNamePart(L"clock.exe"), L"clock.exe");
  FolderPart(L"Windows\\Start Menu\\x.lnk", text, 300);
  EXPECT_STREQ(text, L"Windows\\Start Menu\\");
  FolderPart(L"x.lnk", text, 300);
  EXPECT_STREQ(text, L"");
  ParentFolder(L"Windows\\Start Menu\\", text, 300);
  EXPECT_STREQ(text, L"Windows\\");
  ParentFolder(L"Windows\\", text, 300);
  EXPECT_STREQ(text, L"");
}

TEST(ValueTexts, FolderThatWouldNotFitIsRefused) {
  std::wstring deep(300, L'a');
  deep += L"\\file";
  wchar_t folder[260] = L"unchanged";
  FolderPart(deep.c_str(), folder, 260);
  EXPECT_STREQ(folder, L"");
}

TEST(RowTexts, ChoicesTogglesAndOutOfRange) {
  ToolSettings s = {};
  s.General.TapType = 2;
  int enabled = 1;
  wchar_t text[300];
  RowValueText(s, enabled, GeneralListIndex, 0, text, 300);
  EXPECT_STREQ(text, L"да");
  RowValueText(s, 0, GeneralListIndex, 0, text, 300);
  EXPECT_STREQ(text, L"нет");
  RowValueText(s, enabled, GeneralListIndex, 3, text, 300);
  EXPECT_STREQ(text, L"двойной тап");
  s.General.TapType = 7;
  RowValueText(s, enabled, GeneralListIndex, 3, text, 300);
  EXPECT_STREQ(text, L"") << "a choice outside its list shows nothing";

  s.SysInfo.CardType = 1;
  RowValueText(s, 0, PageKindSysInfo - 1, 4, text, 300);
  EXPECT_STREQ(text, L"занято");
  s.Launcher.BigIcons = 0;
  RowValueText(s, 0, PageKindLauncher - 1, 1, text, 300);
  EXPECT_STREQ(text, L"маленькие");
  CopyText(s.Wireless.OnClick, L"Windows\\wrlsmgr.exe");
  RowValueText(s, 0, PageKindWireless - 1, 7, text, 300);
  EXPECT_STREQ(text, L"wrlsmgr.exe");
}

TEST(TextSlots, CopiesAreBoundedAndTerminated) {
  wchar_t slot[5];
  EXPECT_FALSE(CopyText(slot, L"abcdefgh"));
  EXPECT_STREQ(slot, L"abcd");
  EXPECT_TRUE(CopyText(slot, L"ab"));
  EXPECT_FALSE(AppendText(slot, 5, L"cdef"));
  EXPECT_STREQ(slot, L"abcd");
  wchar_t whole[5] = L"keep";
  EXPECT_FALSE(CopyTextWhole(whole, 5, L"toolong"));
  EXPECT_STREQ(whole, L"keep");
}

}  // namespace
