// tvrsetup.dll as the cabinet installer calls it: what each hook does to the
// Today entry, which reload signals reach a top-level window, and that every
// hook answers 0 whatever the registry holds.
#include <gtest/gtest.h>

#include <thread>

#include "common/registry_names.h"
#include "platform/ce_setup.h"
#include "tests/setup/setup_test_support.h"

namespace {

const wchar_t* const SiblingKey = L"Software\\Microsoft\\Today\\Items\\SetupTestSibling";

struct Hooks {
  HMODULE module = nullptr;
  pfnINSTALL_INIT installInit = nullptr;
  pfnINSTALL_EXIT installExit = nullptr;
  pfnUNINSTALL_INIT uninstallInit = nullptr;
  pfnUNINSTALL_EXIT uninstallExit = nullptr;
};

template <typename T>
T Export(HMODULE module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class SetupHooks : public ::testing::Test {
 protected:
  void SetUp() override {
    StartSink();
    hooks_.module = LoadLibraryW((BinDir() + L"tvrsetup.dll").c_str());
    ASSERT_NE(hooks_.module, nullptr) << "LoadLibrary error " << GetLastError();
    hooks_.installInit = Export<pfnINSTALL_INIT>(hooks_.module, szINSTALL_INIT);
    hooks_.installExit = Export<pfnINSTALL_EXIT>(hooks_.module, szINSTALL_EXIT);
    hooks_.uninstallInit = Export<pfnUNINSTALL_INIT>(hooks_.module, szUNINSTALL_INIT);
    hooks_.uninstallExit = Export<pfnUNINSTALL_EXIT>(hooks_.module, szUNINSTALL_EXIT);
    ASSERT_TRUE(hooks_.installInit && hooks_.installExit && hooks_.uninstallInit &&
                hooks_.uninstallExit);
    DeleteEntry();
    ClearSinkEvents();
    // What the sender's wait lets the window see: the entry at signal time.
    SetSignalObserver([] { return DescribeEntry(); });
  }
  void TearDown() override {
    SetSignalObserver(nullptr);
    DeleteEntry();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, SiblingKey);
    if (hooks_.module) FreeLibrary(hooks_.module);
  }

  // An entry as a user would have it: on, with a changed value and a subkey.
  static void WriteUsedEntry() {
    WriteEntryText(ValDLL, L"\\Program Files\\Tovira\\tovira.dll");
    WriteEntryDword(ValType, 4);
    WriteEntryDword(ValEnabled, 1);
    WriteEntryDword(ValOrder, 77);  // the user moved the item
    const std::wstring deep = std::wstring(TodayItemKey) + L"\\Cache\\Deep";
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, deep.c_str(), L"x", REG_SZ, L"y", 4);
  }

  static void WriteSibling() {
    DWORD one = 1;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, SiblingKey, L"Enabled", REG_DWORD, &one, sizeof one);
  }

  static bool SiblingExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SiblingKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
  }

  Hooks hooks_;
};

TEST_F(SetupHooks, FirstInstallationSignalsOnlyAtExit) {
  WriteSibling();
  EXPECT_EQ(hooks_.installInit(nullptr, TRUE, FALSE, L"\\Program Files\\Tovira"),
            codeINSTALL_INIT_CONTINUE);
  EXPECT_EQ(CountSignals(), 0) << DescribeEvents();
  EXPECT_FALSE(EntryExists());
  EXPECT_TRUE(SiblingExists()) << "Install_Init touched another item";

  EXPECT_EQ(hooks_.installExit(nullptr, L"\\Program Files\\Tovira", 0, 0, 0, 0, 0),
            codeINSTALL_EXIT_DONE);
  ASSERT_EQ(CountSignals(), 1) << DescribeEvents();
  EXPECT_EQ(SinkEvents()[0].wParam, 0xF2u);
  EXPECT_EQ(SinkEvents()[0].lParam, 0);
}

TEST_F(SetupHooks, ReinstallationSwitchesOffSignalsThenDeletesTheWholeEntry) {
  WriteUsedEntry();
  WriteSibling();
  EXPECT_EQ(hooks_.installInit(nullptr, TRUE, TRUE, L"\\Program Files\\Tovira"),
            codeINSTALL_INIT_CONTINUE);
  ASSERT_EQ(CountSignals(), 1) << DescribeEvents();
  // The shell heard the signal while the entry still existed, switched off.
  EXPECT_EQ(SinkEvents()[0].state, L"exists Enabled=0");
  EXPECT_EQ(SinkEvents()[0].wParam, 0xF2u);
  EXPECT_FALSE(EntryExists()) << "the old entry, subkey and all, must be gone";
  EXPECT_TRUE(SiblingExists());
}

TEST_F(SetupHooks, SecondCallWithFirstCallClearChangesNothing) {
  WriteUsedEntry();
  EXPECT_EQ(hooks_.installInit(nullptr, FALSE, TRUE, L"\\Program Files\\Tovira"),
            codeINSTALL_INIT_CONTINUE);
  EXPECT_EQ(CountSignals(), 0) << DescribeEvents();
  DWORD enabled = 0, order = 0;
  EXPECT_TRUE(ReadEntryDword(ValEnabled, &enabled) && enabled == 1) << enabled;
  EXPECT_TRUE(ReadEntryDword(ValOrder, &order) && order == 77) << order;
}

TEST_F(SetupHooks, RemovalLeavesTheEntrySwitchedOff) {
  WriteUsedEntry();
  EXPECT_EQ(hooks_.uninstallInit(nullptr, L"\\Program Files\\Tovira"), codeUNINSTALL_INIT_CONTINUE);
  ASSERT_EQ(CountSignals(), 1) << DescribeEvents();
  EXPECT_EQ(SinkEvents()[0].state, L"exists Enabled=0");
  EXPECT_EQ(DescribeEntry(), L"exists Enabled=0");
  EXPECT_EQ(ReadEntryText(ValDLL), L"\\Program Files\\Tovira\\tovira.dll");

  EXPECT_EQ(hooks_.uninstallExit(nullptr), codeUNINSTALL_EXIT_DONE);
  EXPECT_EQ(CountSignals(), 1) << "Uninstall_Exit signals nothing: " << DescribeEvents();
  EXPECT_EQ(DescribeEntry(), L"exists Enabled=0");
}

// Every hook, in every registry state, answers 0; the signals follow the
// entry's presence only.
TEST_F(SetupHooks, EveryHookReturnsZeroInEveryState) {
  enum State { NoEntry, NoItemsKey, UsedEntry, EnabledOfWrongType };
  struct Case {
    State state;
    const char* name;
  } cases[] = {{NoEntry, "no entry"},
               {NoItemsKey, "no Items key"},
               {UsedEntry, "used entry"},
               {EnabledOfWrongType, "Enabled stored as text"}};
  for (const auto& c : cases) {
    for (int hook = 0; hook < 5; ++hook) {
      SCOPED_TRACE(std::string(c.name) + ", hook " + std::to_string(hook));
      DeleteEntry();
      // Refused while other items live there: then the case runs with it present.
      if (c.state == NoItemsKey) RegDeleteKeyW(HKEY_LOCAL_MACHINE, TodayItemsKey);
      if (c.state == UsedEntry) WriteUsedEntry();
      if (c.state == EnabledOfWrongType) WriteEntryText(ValEnabled, L"1");
      ClearSinkEvents();
      int code = -1;
      switch (hook) {
        case 0:
          code = hooks_.installInit(nullptr, TRUE, FALSE, L"\\Program Files\\Tovira");
          break;
        case 1:
          code = hooks_.installInit(nullptr, FALSE, FALSE, nullptr);
          break;
        case 2:
          code = hooks_.installExit(nullptr, nullptr, 1, 2, 3, 4, 5);
          break;
        case 3:
          code = hooks_.uninstallInit(nullptr, nullptr);
          break;
        default:
          code = hooks_.uninstallExit(nullptr);
          break;
      }
      EXPECT_EQ(code, 0);
      const bool entry = c.state == UsedEntry || c.state == EnabledOfWrongType;
      const int expected = hook == 2 ? 1 : (hook == 0 || hook == 3) && entry ? 1 : 0;
      EXPECT_EQ(CountSignals(), expected) << DescribeEvents();
      // Only Install_Init's first call deletes and the switch-offs write;
      // the switch-off never creates the entry.
      std::wstring after = c.state == UsedEntry ? L"exists Enabled=1" : L"exists Enabled=<none>";
      if (!entry || hook == 0) after = L"missing";
      if (entry && hook == 3) after = L"exists Enabled=0";
      EXPECT_EQ(DescribeEntry(), after);
    }
  }
}

// A window whose thread has stopped pumping does not hold the installer:
// the hook comes back while that thread is still blocked.
TEST_F(SetupHooks, SignalDoesNotWaitForABlockedWindow) {
  WriteUsedEntry();
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread blocked([&] {
    HWND w = CreateWindowExW(0, L"STATIC", L"blocked", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
    SetEvent(created);
    WaitForSingleObject(release, 60000);  // never pumps while the hook runs
    DestroyWindow(w);
  });
  WaitForSingleObject(created, 10000);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread installer([&] {
    hooks_.uninstallInit(nullptr, nullptr);
    SetEvent(done);
  });
  // The sink answers on this thread meanwhile.
  bool returned = PumpUntil([&] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }, 20000);
  SetEvent(release);
  blocked.join();
  if (!returned) PumpUntil([&] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }, 60000);
  installer.join();
  EXPECT_TRUE(returned) << "Uninstall_Init still waiting on the blocked window";
  EXPECT_EQ(CountSignals(), 1) << DescribeEvents();
  CloseHandle(release);
  CloseHandle(created);
  CloseHandle(done);
}

}  // namespace
