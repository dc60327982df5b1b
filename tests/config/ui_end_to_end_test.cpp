// The system end to end: todayhost holds the real item from a device root,
// the item's "Настройки" command starts the real tool from the item's folder,
// and a change confirmed with OK up to the top level reaches the item through
// the reload broadcast, with the new height the item reports.
#include <string>

#include "common/registry_names.h"
#include "config/ui/resource_ids.h"
#include "host/todayhost/today_host.h"
#include "tests/config/ui_test_pages.h"

namespace {

constexpr UINT ItemSettingsCommand = 1006;  // the item's tap-and-hold menu entry

class EndToEndTest : public PageEditorTest {
 protected:
  void SetUp() override {
    PageEditorTest::SetUp();
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    bin_ = self;
    bin_ = bin_.substr(0, bin_.rfind(L'\\') + 1);
    if (GetFileAttributesW((bin_ + L"tovira.dll").c_str()) == INVALID_FILE_ATTRIBUTES)
      GTEST_SKIP() << "no tovira.dll in the build";
    GetCurrentDirectoryW(MAX_PATH, savedDirectory_);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"tvrcfg-e2e-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(root_.c_str(), nullptr);
    CreateDirectoryW((root_ + L"\\Program Files").c_str(), nullptr);
    CreateDirectoryW((root_ + L"\\Program Files\\Tovira").c_str(), nullptr);
    for (const wchar_t* file : {L"tovira.dll", L"tvrcfg.exe"})
      ASSERT_TRUE(CopyFileW((bin_ + file).c_str(), (ItemFolder() + file).c_str(), FALSE));
    savedItems_ = TakeSnapshot(HKEY_LOCAL_MACHINE, TodayItemsKey);
    DeleteTree(HKEY_LOCAL_MACHINE, TodayItemsKey);  // the shell loads our item alone
    PutText(HKEY_LOCAL_MACHINE, TodayItemKey, L"DLL", L"\\Program Files\\Tovira\\tovira.dll");
    PutDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Type", 4);
    PutDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", 1);
    PutDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Order", 0);
    SetCurrentDirectoryW(root_.c_str());  // the device root
  }
  void TearDown() override {
    if (host_ && IsWindow(host_)) DestroyWindow(host_);
    PumpPending();
    PageEditorTest::TearDown();
    RestoreSnapshot(HKEY_LOCAL_MACHINE, TodayItemsKey, savedItems_);
    if (savedItems_.empty()) DeleteTree(HKEY_LOCAL_MACHINE, TodayItemsKey);
    SetCurrentDirectoryW(savedDirectory_);
    for (const wchar_t* file : {L"tovira.dll", L"tvrcfg.exe"})
      DeleteFileW((ItemFolder() + file).c_str());
    RemoveDirectoryW((root_ + L"\\Program Files\\Tovira").c_str());
    RemoveDirectoryW((root_ + L"\\Program Files").c_str());
    RemoveDirectoryW(root_.c_str());
  }
  std::wstring ItemFolder() const { return root_ + L"\\Program Files\\Tovira\\"; }
  void StartHost() {
    HostOptions options;
    DefaultHostOptions(&options);
    host_ = CreateTodayHost(options);
    ASSERT_NE(host_, nullptr);
    ASSERT_EQ(HostItemCount(), 1);
    PumpPending();
  }
  DWORD ItemHeightNow() {
    PollItemHeights(false);
    return HostItemCount() == 1 ? HostItemRecord(0)->cyp : 0;
  }
  void Capture(const wchar_t* name) {
    wchar_t build[MAX_PATH];
    if (!GetEnvironmentVariableW(L"TOVIRA_BUILD", build, MAX_PATH)) return;
    // For the README: the Today screen before and after the change.
    std::wstring path = std::wstring(L"Z:") + build + L"/" + name;
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    CaptureHostPng(host_, path.c_str());
  }
  std::wstring bin_;
  std::wstring root_;
  wchar_t savedDirectory_[MAX_PATH] = {};
  RegistrySnapshot savedItems_;
  HWND host_ = nullptr;
};

TEST_F(EndToEndTest, ItemMenuStartsTheToolFromTheItemsFolder) {
  StartHost();
  ASSERT_EQ(FindWindowW(L"TVRCFG", L"Tovira"), nullptr);
  SendMessageW(HostItemWindow(0), WM_COMMAND, ItemSettingsCommand, 0);
  HWND tool = nullptr;
  ASSERT_TRUE(
      PumpUntil([&] { return (tool = FindWindowW(L"TVRCFG", L"Tovira")) != nullptr; }, 20000));
  DWORD process = 0;
  GetWindowThreadProcessId(tool, &process);
  EXPECT_NE(process, GetCurrentProcessId()) << "the item starts the program, not a window";
  HANDLE running = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  wchar_t image[MAX_PATH] = L"";
  DWORD length = MAX_PATH;
  QueryFullProcessImageNameW(running, 0, image, &length);
  EXPECT_EQ(_wcsicmp(image, (ItemFolder() + L"tvrcfg.exe").c_str()), 0);
  PostMessageW(tool, WM_COMMAND, MAKEWPARAM(CMD_CANCEL, 0), 0);  // "Отмена" at the top
  EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(running, 0) == WAIT_OBJECT_0; }, 20000));
  CloseHandle(running);
  EXPECT_EQ(HostReloadCount(), 0) << "Cancel sends nothing";
}

TEST_F(EndToEndTest, ConfirmedChangeReloadsTheItemWithItsNewHeight) {
  StartHost();
  DWORD before = ItemHeightNow();
  EXPECT_EQ(before, static_cast<DWORD>(Py(15) + Py(30) + Py(15) + Py(48)))
      << "three fixed pages and the tallest paging page";
  Capture(L"e2e-before.png");

  StartWindow();
  Select(Ui.GeneralList, 1);  // "Фикс. страниц" 6: every page fixed
  Click(Ui.EditButton);
  SetWindowTextW(Ui.MarginEdits[0], L"6");
  Command(CMD_OK);
  ShowTab(1);
  for (int kind : {PageKindWireless, PageKindCalendar, PageKindLauncher, PageKindSysInfo}) {
    SetRowChecked(Ui.PageList, RowOfKind(kind), false);
    PumpPending();
  }
  Select(Ui.PageList, RowOfKind(PageKindDate));  // the date above the clock
  Click(Ui.UpButton);
  OpenPage(PageKindTime);
  OpenEditorRow(PageKindTime, 0);
  SetWindowTextW(Ui.MarginEdits[0], L"70");
  Command(CMD_OK);  // the value
  Command(CMD_OK);  // the page editor
  EXPECT_EQ(HostReloadCount(), 0) << "nothing reaches the shell before the top level";
  Command(CMD_OK);  // the top level: save, broadcast, close
  EXPECT_FALSE(IsWindow(window_));
  // The test's pump is the host's top-level loop: the reload is carried out there.
  ASSERT_TRUE(PumpUntil([] {
    RunPendingHostWork();
    return HostReloadCount() == 1 && HostItemCount() == 1;
  }));
  EXPECT_EQ(ItemHeightNow(), static_cast<DWORD>(70 + Py(15)));
  DWORD order = 9;
  EXPECT_TRUE(GetDword(HKEY_CURRENT_USER, PageKey(L"Date"), L"Order", &order));
  EXPECT_EQ(order, 1u);
  DWORD enabled = 0;
  EXPECT_TRUE(GetDword(HKEY_LOCAL_MACHINE, TodayItemKey, L"Enabled", &enabled));
  EXPECT_EQ(enabled, 1u);
  Capture(L"e2e-after.png");
}

}  // namespace
