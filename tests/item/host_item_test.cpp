// The real tovira.dll in a stand-in Today shell: exports and resources, the
// window's creation, the height protocol, selection and navigation answers,
// the painted background, the settings command and the options dialog.
// tovira-test-dpi: 192
#include <gtest/gtest.h>

#include "common/registry_names.h"
#include "support/item_test_support.h"
#include "wireless_device_state.h"

using namespace itemtest;

namespace {

class HostItem : public ::testing::Test {
 protected:
  SettingsScope scope;
  ScratchDir dir{L"tovira-host"};
  ProbeLog probe{dir};
  HWND shell = nullptr;
  TODAYLISTITEM record = {};

  void SetUp() override { shell = CreateShellWindow(240, 320); }
  void TearDown() override { PumpPending(); }
  HWND NewItem(const ItemLibrary& library) {
    record = TODAYLISTITEM{};
    record.tlit = tlitCustom;
    return CreateItem(library, shell, 240, &record);
  }
};

TEST_F(HostItem, ExportsAndResourcesAreThere) {
  ItemLibrary library(dir, false);
  ASSERT_NE(library.Module(), nullptr) << GetLastError();
  EXPECT_NE(library.Initialize(), nullptr);
  EXPECT_NE(library.OptionsProc(), nullptr);
  EXPECT_NE(FindResourceW(library.Module(), MAKEINTRESOURCEW(500), MAKEINTRESOURCEW(5)), nullptr);
  HRSRC marker = FindResourceW(library.Module(), L"HI_RES_AWARE", L"CEUX");
  ASSERT_NE(marker, nullptr);
  ASSERT_EQ(SizeofResource(library.Module(), marker), 2u);
  const WORD* value =
      static_cast<const WORD*>(LockResource(LoadResource(library.Module(), marker)));
  EXPECT_EQ(*value, 1);
  WNDCLASSW wc = {};
  ASSERT_TRUE(GetClassInfoW(library.Module(), L"Tovira", &wc));
  EXPECT_EQ(wc.style & CS_DBLCLKS, static_cast<UINT>(CS_DBLCLKS));
}

TEST_F(HostItem, ClassGoesWithTheLibrary) {
  HMODULE module = nullptr;
  {
    ItemLibrary library(dir, false);
    module = library.Module();
  }
  WNDCLASSW wc = {};
  EXPECT_FALSE(GetClassInfoW(module, L"Tovira", &wc));
}

TEST_F(HostItem, CreatesAVisibleChildWithItsTimer) {
  ItemLibrary library(dir, false);
  HWND item = library.Initialize()(&record, shell);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(GetParent(item), shell);
  EXPECT_TRUE(IsWindowVisible(item));
  wchar_t name[32] = {};
  GetClassNameW(item, name, 32);
  EXPECT_STREQ(name, L"Tovira");
  RECT rect = {};
  GetWindowRect(item, &rect);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, 0);
  EXPECT_EQ(Shell().ColorRequests, 1);
  EXPECT_EQ(Shell().LastColorAsked, static_cast<WPARAM>(TODAYCOLOR_HIGHLIGHT));
  EXPECT_TRUE(KillTimer(item, 1)) << "timer 1 should be running";
  // The shell's hit test reaches the client area: pointer input can arrive.
  SetWindowPos(item, nullptr, 0, 0, 240, 50, SWP_NOZORDER);
  POINT inside = {5, 5};
  ClientToScreen(item, &inside);
  EXPECT_EQ(SendMessageW(item, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
  DestroyWindow(item);
}

TEST_F(HostItem, HeightProtocolAnswersOnceAndThenOnlyOnChange) {
  ItemLibrary library(dir, false);
  HWND item = library.Initialize()(&record, shell);
  ASSERT_NE(item, nullptr);
  record.cyp = 0;
  EXPECT_EQ(
      SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&record), 0),
      TRUE);
  EXPECT_EQ(record.cyp, static_cast<DWORD>(Py(108)));  // 216 at 192 dpi
  EXPECT_EQ(
      SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&record), 0),
      FALSE);
  EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, 0), FALSE);
  record.cyp = 5;
  EXPECT_EQ(
      SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&record), 0),
      TRUE);
  EXPECT_EQ(record.cyp, static_cast<DWORD>(Py(108)));
  DestroyWindow(item);
}

TEST_F(HostItem, SettingsAreReadAtCreationOnly) {
  ItemLibrary library(dir, false);
  SetDword(L"Wireless", L"Height", 40);
  HWND item = NewItem(library);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(record.cyp, static_cast<DWORD>(40 + Py(30 + 15 + 48)));
  SetDword(L"Wireless", L"Height", 10);
  SendMessageW(item, WM_TIMER, 1, 0);
  EXPECT_EQ(
      SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&record), 0),
      FALSE);
  DestroyWindow(item);
  item = NewItem(library);
  EXPECT_EQ(record.cyp, static_cast<DWORD>(10 + Py(30 + 15 + 48)));
  DestroyWindow(item);
}

TEST_F(HostItem, NavigationAnswers) {
  for (int fixed : {3, 6}) {
    SCOPED_TRACE(fixed);
    SetDword(L"", L"FixedPageCount", fixed);
    ItemLibrary library(dir, false);
    HWND item = NewItem(library);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_UP, 0), FALSE);
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_DOWN, 0), FALSE);
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_LEFT, 0), TRUE);
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0), TRUE);
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RETURN, 0), FALSE);
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_RECEIVEDSELECTION, 0, 0), TRUE);
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0), TRUE);
    EXPECT_EQ(SendMessageW(item, WM_USER, 0, 0), 0);
    DestroyWindow(item);
  }
}

TEST_F(HostItem, AnAnnouncedStateChangeRepaintsAtTheNextTick) {
  DeviceStateSnapshot deviceState;
  ItemLibrary library(dir, false);
  HWND item = NewItem(library);
  ASSERT_NE(item, nullptr);
  auto invalidated = [item] {
    RECT update = {};
    const bool any = GetUpdateRect(item, &update, FALSE) != 0;
    ValidateRect(item, nullptr);
    return any;
  };
  SendMessageW(item, WM_TIMER, 1, 0);
  invalidated();
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"System\\State\\Messages\\sms\\Unread", 0, nullptr,
                            0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD unread = 4;
  RegSetValueExW(key, L"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&unread),
                 sizeof(unread));
  RegCloseKey(key);
  EXPECT_EQ(SendMessageW(item, WM_USER, 0, 0), 0);
  EXPECT_FALSE(invalidated()) << "the announcement itself paints nothing";
  SendMessageW(item, WM_TIMER, 1, 0);
  EXPECT_TRUE(invalidated()) << "the new count waits for the next minute";
  SendMessageW(item, WM_TIMER, 1, 0);
  EXPECT_FALSE(invalidated());
  DestroyWindow(item);
}

TEST_F(HostItem, SelectionPaintsTheHighlightAndAsksNoWatermark) {
  ItemLibrary library(dir, false);
  // Pages without content: what shows is the background alone.
  for (int kind = 1; kind <= 6; ++kind) SetDword(PageKeyName(kind), L"Visible", 0);
  HWND item = NewItem(library);
  ASSERT_NE(item, nullptr);
  UpdateWindow(item);
  PumpPending();
  EXPECT_EQ(PixelOf(item, 120, 10), ShellWatermark);

  SendMessageW(item, WM_TODAYCUSTOM_RECEIVEDSELECTION, 0, 0);
  int before = Shell().WatermarkRequests;
  UpdateWindow(item);
  EXPECT_EQ(Shell().WatermarkRequests, before);
  EXPECT_EQ(PixelOf(item, 120, 10), ShellHighlight);
  EXPECT_EQ(PixelOf(item, 0, 0), ShellHighlight);

  SendMessageW(item, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
  UpdateWindow(item);
  EXPECT_EQ(Shell().WatermarkRequests, before + 1);
  EXPECT_EQ(PixelOf(item, 120, 10), ShellWatermark);

  // The erase message hands the shell the given context and answers 1.
  HDC dc = GetDC(item);
  EXPECT_EQ(SendMessageW(item, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(item, dc);
  EXPECT_EQ(Shell().WatermarkRequests, before + 2);
  DestroyWindow(item);
}

TEST_F(HostItem, SettingsCommandStartsTheToolAndOtherCommandsNothing) {
  ItemLibrary library(dir, true);
  HWND item = NewItem(library);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(SendMessageW(item, WM_COMMAND, 1005, 0), 0);
  EXPECT_EQ(SendMessageW(item, WM_COMMAND, 1007, 0), 0);
  EXPECT_EQ(SendMessageW(item, WM_COMMAND, 1006, 0), 0);
  ASSERT_TRUE(probe.WaitForLines(1));
  std::vector<std::wstring> lines = probe.Lines();
  ASSERT_EQ(lines.size(), 1u);
  std::wstring tool = dir.File(L"tvrcfg.exe");
  EXPECT_EQ(lines[0].substr(0, lines[0].find(L'|')), tool);
  EXPECT_NE(lines[0].find(L"\"" + tool + L"\""), std::wstring::npos) << "started in quotes";
  DestroyWindow(item);
}

TEST_F(HostItem, OptionsDialogStartsTheToolAndCloses) {
  ItemLibrary library(dir, true);
  INT_PTR result =
      DialogBoxParamW(library.Module(), MAKEINTRESOURCEW(500), shell, library.DialogProc(), 0);
  EXPECT_NE(result, -1) << GetLastError();
  ASSERT_TRUE(probe.WaitForLines(1));
  EXPECT_EQ(probe.Started()[0], dir.File(L"tvrcfg.exe"));
}

TEST_F(HostItem, OptionsProcAnswersItsCommands) {
  ItemLibrary library(dir, false);
  PFNCUSTOMOPTIONSDLGPROC proc = library.OptionsProc();
  EXPECT_EQ(proc(nullptr, WM_COMMAND, 1234, 0), TRUE);
  EXPECT_EQ(proc(nullptr, WM_PAINT, 0, 0), FALSE);
}

TEST_F(HostItem, WithoutTheToolNothingStarts) {
  // A tap on the Wireless page stands as the sign that starts do get through.
  CopyFromBin(L"probe.exe", dir.File(L"sentinel.exe"));
  SetText(L"Wireless", L"OnClick", dir.File(L"sentinel.exe"));
  ItemLibrary library(dir, false);
  HWND item = NewItem(library);
  ASSERT_NE(item, nullptr);
  SendMessageW(item, WM_COMMAND, 1006, 0);
  DialogBoxParamW(library.Module(), MAKEINTRESOURCEW(500), shell, library.DialogProc(), 0);
  Tap(item, 100, 3);
  ASSERT_TRUE(probe.WaitForLines(1));
  EXPECT_EQ(probe.Started(), std::vector<std::wstring>{dir.File(L"sentinel.exe")});
  DestroyWindow(item);
}

}  // namespace
