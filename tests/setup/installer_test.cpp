// The installer stand-in driving tvrsetup.dll: a first installation, removal,
// a library that cannot be replaced, the installed shortcuts, and a
// reinstallation over an item running in todayhost.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "common/registry_names.h"
#include "tests/setup/setup_test_support.h"

namespace {

std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += c < 128 ? static_cast<char>(c) : '?';
  return s;
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    StartSink();
    DeleteEntry();
    ClearSinkEvents();
    static int serial = 0;
    base_ = ScratchDirectory() + L"case" + std::to_wstring(++serial) + L"\\";
    root_ = base_ + L"device";
    CreateDirectoryW(base_.c_str(), nullptr);
    CreateDirectoryW(root_.c_str(), nullptr);
    item_ = root_ + L"\\Program Files\\Tovira\\";
    v1_ = ReadBytes(BinDir() + L"setup_item_v1.dll");
    v2_ = ReadBytes(BinDir() + L"setup_item_v2.dll");
    ASSERT_FALSE(v1_.empty() || v2_.empty() || v1_ == v2_) << "the two test items must differ";
    // At each signal: the entry, a value the user changed, the installed library.
    SetSignalObserver([this] {
      DWORD order = 0;
      std::wstring user = ReadEntryDword(ValOrder, &order) && order == 77 ? L" user=kept" : L"";
      return DescribeEntry() + user + L" file=" + InstalledVersion();
    });
  }
  void TearDown() override {
    SetSignalObserver(nullptr);
    DeleteEntry();
    DeleteFolder(base_);
    CoUninitialize();
  }

  // A package folder as the build makes it, with version v of the test item
  // as tovira.dll and no tool or images.
  std::wstring MakePackage(int v) {
    std::wstring dir = base_ + L"package" + std::to_wstring(v) + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    for (const wchar_t* f : {L"tovira.inf", L"battery.lnk", L"memory.lnk"})
      EXPECT_TRUE(CopyInto(TestDataDirectory() + f, dir + f)) << Narrow(f);
    EXPECT_TRUE(CopyInto(BinDir() + L"tvrsetup.dll", dir + L"tvrsetup.dll"));
    EXPECT_TRUE(
        CopyInto(BinDir() + L"setup_item_v" + std::to_wstring(v) + L".dll", dir + L"tovira.dll"));
    dir.pop_back();  // a trailing backslash would escape the closing quote
    return dir;
  }

  ProgramRun Install(const std::wstring& package) {
    return RunProgram(L"tvrinstall.exe", L"install \"" + package + L"\" \"" + root_ + L"\"", root_,
                      60000);
  }
  ProgramRun Remove() {
    return RunProgram(L"tvrinstall.exe", L"remove \"" + root_ + L"\"", root_, 60000);
  }

  std::wstring InstalledVersion() {
    std::vector<char> bytes = ReadBytes(item_ + L"tovira.dll");
    if (bytes.empty()) return L"missing";
    return bytes == v1_ ? L"v1" : bytes == v2_ ? L"v2" : L"other";
  }

  std::wstring base_, root_, item_;
  std::vector<char> v1_, v2_;
};

TEST_F(Installer, FirstInstallationSignalsOnceAndWritesTheEntryAsPackaged) {
  ProgramRun run = Install(MakePackage(1));
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0u) << Narrow(run.output);
  EXPECT_NE(run.output.find(L"skipped tvrcfg.exe: not in the package"), std::wstring::npos)
      << Narrow(run.output);

  // Install_Init found no entry: only Install_Exit signalled, after the writes.
  ASSERT_EQ(CountSignals(), 1) << Narrow(DescribeEvents());
  EXPECT_EQ(SinkEvents()[0].state, L"exists Enabled=1 file=v1");
  EXPECT_EQ(SinkEvents()[0].wParam, 0xF2u);

  EXPECT_EQ(ReadEntryText(ValDLL), L"\\Program Files\\Tovira\\tovira.dll");
  struct {
    const wchar_t* name;
    DWORD value;
  } numbers[] = {{ValType, 4}, {ValEnabled, 1}, {ValOptions, 1}, {ValOrder, 10}, {ValFlags, 0}};
  for (const auto& n : numbers) {
    DWORD v = 0xDEAD;
    EXPECT_TRUE(ReadEntryDword(n.name, &v)) << Narrow(n.name);
    EXPECT_EQ(v, n.value) << Narrow(n.name);
  }
  EXPECT_EQ(InstalledVersion(), L"v1");
  EXPECT_TRUE(FileExists(root_ + L"\\Windows\\AppMgr\\Tovira\\tvrsetup.dll"));
  EXPECT_TRUE(FileExists(root_ + L"\\Windows\\AppMgr\\Tovira\\tovira.inf"));
  EXPECT_FALSE(FileExists(item_ + L"tvrsetup.dll")) << "the setup library is the installer's";
  EXPECT_EQ(Remove().exitCode, 0u);
}

TEST_F(Installer, ShortcutsBecomeShellLinksIntoTheDeviceRoot) {
  ASSERT_EQ(Install(MakePackage(1)).exitCode, 0u);
  for (auto [file, args] :
       {std::pair{L"battery.lnk", L"cplmain.cpl,3"}, std::pair{L"memory.lnk", L"cplmain.cpl,4"}}) {
    SCOPED_TRACE(Narrow(file));
    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    IPersistFile* persist = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
    EXPECT_TRUE(SUCCEEDED(persist->Load((item_ + file).c_str(), STGM_READ)));
    wchar_t target[MAX_PATH] = L"", arguments[MAX_PATH] = L"";
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, MAX_PATH);
    EXPECT_EQ(_wcsicmp(target, (root_ + L"\\Windows\\ctlpnl.exe").c_str()), 0) << Narrow(target);
    EXPECT_STREQ(arguments, args);
    persist->Release();
    link->Release();
  }

  // The shell starts the link the way the item starts its targets.
  if (!FileExists(BinDir() + L"probe.exe")) GTEST_SKIP() << "no probe.exe in the build";
  CreateDirectoryW((root_ + L"\\Windows").c_str(), nullptr);
  ASSERT_TRUE(CopyInto(BinDir() + L"probe.exe", root_ + L"\\Windows\\ctlpnl.exe"));
  std::wstring quoted = L"\"" + item_ + L"battery.lnk\"";
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpFile = quoted.c_str();
  info.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExW(&info)) << GetLastError();
  const std::wstring log = root_ + L"\\Windows\\probe.log";
  std::wstring text;
  EXPECT_TRUE(PumpUntil(
      [&] {
        std::vector<char> bytes = ReadBytes(log);
        text.assign(bytes.begin(), bytes.end());
        return text.find(L"cplmain.cpl,3") != std::wstring::npos;
      },
      20000))
      << Narrow(text);
  EXPECT_EQ(Remove().exitCode, 0u);
}

TEST_F(Installer, RemovalSwitchesOffBeforeTheFilesAndKeysGo) {
  ASSERT_EQ(Install(MakePackage(1)).exitCode, 0u);
  ClearSinkEvents();
  ProgramRun run = Remove();
  EXPECT_EQ(run.exitCode, 0u) << Narrow(run.output);
  ASSERT_EQ(CountSignals(), 1) << Narrow(DescribeEvents());
  EXPECT_EQ(SinkEvents()[0].state, L"exists Enabled=0 file=v1");
  EXPECT_FALSE(EntryExists());
  EXPECT_FALSE(FileExists(item_)) << "the install folder must go";
  EXPECT_FALSE(FileExists(root_ + L"\\Windows\\AppMgr\\Tovira"));

  run = Remove();
  EXPECT_EQ(run.exitCode, 2u) << Narrow(run.output);
  EXPECT_NE(run.output.find(L"not installed"), std::wstring::npos) << Narrow(run.output);
}

// A library some process still holds cannot be replaced: the installer says
// so and stops before copying anything or writing the registry section.
TEST_F(Installer, LockedLibraryStopsTheInstallationWithAClearMessage) {
  ASSERT_EQ(Install(MakePackage(1)).exitCode, 0u);
  HMODULE held = LoadLibraryW((item_ + L"tovira.dll").c_str());
  ASSERT_NE(held, nullptr);
  DeleteFileW((item_ + L"bt96.png").c_str());  // nothing of the package may come back
  WriteEntryDword(ValOrder, 77);
  ClearSinkEvents();

  ProgramRun run = Install(MakePackage(2));
  // A removal meets the same lock and says so in its own words.
  ProgramRun removal = Remove();
  FreeLibrary(held);
  EXPECT_EQ(run.exitCode, 3u) << Narrow(run.output);
  EXPECT_NE(run.output.find(L"cannot replace"), std::wstring::npos) << Narrow(run.output);
  EXPECT_NE(run.output.find(L"tovira.dll"), std::wstring::npos) << Narrow(run.output);
  // What Install_Init left is told, with the way back.
  EXPECT_NE(run.output.find(L"deleted its Today entry"), std::wstring::npos) << Narrow(run.output);
  EXPECT_NE(run.output.find(L"install again"), std::wstring::npos) << Narrow(run.output);
  EXPECT_EQ(removal.exitCode, 3u) << Narrow(removal.output);
  EXPECT_NE(removal.output.find(L"cannot remove"), std::wstring::npos) << Narrow(removal.output);
  EXPECT_EQ(removal.output.find(L"replace"), std::wstring::npos) << Narrow(removal.output);
  EXPECT_NE(removal.output.find(L"remove again"), std::wstring::npos) << Narrow(removal.output);
  EXPECT_EQ(InstalledVersion(), L"v1");
  EXPECT_EQ(run.output.find(L"copied"), std::wstring::npos) << Narrow(run.output);
  EXPECT_EQ(run.output.find(L"registry"), std::wstring::npos) << Narrow(run.output);
  // Install_Init ran (switch-off, signal, delete); Install_Exit did not.
  ASSERT_EQ(CountSignals(), 1) << Narrow(DescribeEvents());
  EXPECT_EQ(SinkEvents()[0].state, L"exists Enabled=0 user=kept file=v1");
  EXPECT_FALSE(EntryExists());
  EXPECT_EQ(Remove().exitCode, 0u);
}

struct HostSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK MatchHostWindow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<HostSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  wchar_t cls[64];
  if (owner == s->pid && GetClassNameW(w, cls, 64) && wcscmp(cls, L"ToviraTodayHost") == 0) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

// todayhost's window in process pid, or null.
HWND FindHostWindow(DWORD pid) {
  HostSearch search{pid, nullptr};
  EnumWindows(MatchHostWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ItemText(HWND host) {
  HWND item = FindWindowExW(host, nullptr, L"ToviraSetupTestItem", nullptr);
  wchar_t text[16] = L"";
  if (item) GetWindowTextW(item, text, 16);
  return text;
}

LRESULT QueryHost(HWND host, WPARAM what) {
  static const UINT query = RegisterWindowMessageW(L"ToviraTodayHostQuery");
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(host, query, what, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
  return static_cast<LRESULT>(answer);
}

int IndexOf(SinkEvent::Kind kind, int version, int nth = 1) {
  const auto& events = SinkEvents();
  for (size_t i = 0; i < events.size(); ++i)
    if (events[i].kind == kind && (kind == SinkEvent::Signal || events[i].version == version) &&
        --nth == 0)
      return static_cast<int>(i);
  return -1;
}

// todayhost.exe running on a device root, closed when the test is done.
struct RunningHost {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;

  bool Start(const std::wstring& root) {
    std::wstring command = L"\"" + BinDir() + L"todayhost.exe\" --root \"" + root + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          root.c_str(), &si, &process) != 0;
  }
  // Waits until the host shows a child window of itemClass (with text, if given).
  bool WaitForItem(const wchar_t* itemClass, const wchar_t* text) {
    return PumpUntil(
        [&] {
          window = FindHostWindow(process.dwProcessId);
          HWND item = window ? FindWindowExW(window, nullptr, itemClass, nullptr) : nullptr;
          wchar_t shown[16] = L"";
          if (item) GetWindowTextW(item, shown, 16);
          return item && (!text || wcscmp(shown, text) == 0);
        },
        30000);
  }
  ~RunningHost() {
    if (!process.hProcess) return;
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (!PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; },
                   20000))
      TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
};

TEST_F(Installer, ReinstallationOverAnItemRunningInTodayhost) {
  if (!FileExists(BinDir() + L"todayhost.exe")) GTEST_SKIP() << "no todayhost.exe in the build";
  ASSERT_EQ(Install(MakePackage(1)).exitCode, 0u);
  {
    RunningHost host;
    ASSERT_TRUE(host.Start(root_));
    ASSERT_TRUE(host.WaitForItem(L"ToviraSetupTestItem", L"v1"))
        << "todayhost did not show item v1: " << Narrow(DescribeEvents());
    const LRESULT reloads = QueryHost(host.window, 0);
    WriteEntryDword(ValOrder, 77);  // the user moved the item
    ClearSinkEvents();

    ProgramRun run = Install(MakePackage(2));
    EXPECT_EQ(run.exitCode, 0u) << Narrow(run.output);
    EXPECT_NE(run.output.find(L"copied tovira.dll"), std::wstring::npos) << Narrow(run.output);
    EXPECT_TRUE(host.WaitForItem(L"ToviraSetupTestItem", L"v2"))
        << "host shows " << Narrow(ItemText(host.window)) << "; " << Narrow(DescribeEvents());

    // Signal 1 (Install_Init): the entry still there, switched off, the old
    // library in place. The host freed v1 before signal 2 (Install_Exit), by
    // which time v2 had replaced it and the entry was written afresh.
    ASSERT_EQ(CountSignals(), 2) << Narrow(DescribeEvents());
    const int first = IndexOf(SinkEvent::Signal, 0, 1), second = IndexOf(SinkEvent::Signal, 0, 2);
    EXPECT_EQ(SinkEvents()[first].state, L"exists Enabled=0 user=kept file=v1");
    EXPECT_EQ(SinkEvents()[second].state, L"exists Enabled=1 file=v2")
        << "the user's Order must not survive";
    const int unloaded = IndexOf(SinkEvent::Unloaded, 1);
    EXPECT_GE(unloaded, 0) << Narrow(DescribeEvents());
    EXPECT_LT(unloaded, second) << Narrow(DescribeEvents());
    EXPECT_EQ(CountEvents(SinkEvent::Loaded, 2), 1) << Narrow(DescribeEvents());
    EXPECT_GE(QueryHost(host.window, 0), reloads + 2) << "one reload per signal";
  }
  EXPECT_EQ(Remove().exitCode, 0u);
}

// The package the build assembled, over the real item running in todayhost:
// the hooks make the host let go of tovira.dll, so it can be replaced.
TEST_F(Installer, BuiltPackageReinstallsOverTheRunningItem) {
  const std::wstring package = BinDir() + L"..\\package";
  if (!FileExists(BinDir() + L"todayhost.exe") || !FileExists(package + L"\\tovira.dll"))
    GTEST_SKIP() << "no todayhost.exe or packaged tovira.dll in the build";
  ProgramRun run = Install(package);
  ASSERT_EQ(run.exitCode, 0u) << Narrow(run.output);
  {
    RunningHost host;
    ASSERT_TRUE(host.Start(root_));
    ASSERT_TRUE(host.WaitForItem(L"Tovira", nullptr)) << "todayhost shows no Tovira item";
    const LRESULT reloads = QueryHost(host.window, 0);
    run = Install(package);
    EXPECT_EQ(run.exitCode, 0u) << Narrow(run.output);
    EXPECT_NE(run.output.find(L"copied tovira.dll"), std::wstring::npos) << Narrow(run.output);
    EXPECT_TRUE(PumpUntil([&] { return QueryHost(host.window, 0) >= reloads + 2; }, 30000));
    EXPECT_TRUE(host.WaitForItem(L"Tovira", nullptr)) << "the item did not come back";
  }
  EXPECT_EQ(Remove().exitCode, 0u);
}

}  // namespace
