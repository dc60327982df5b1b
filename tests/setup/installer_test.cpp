// The installer stand-in driving tvrsetup.dll: a first installation, removal,
// a library that cannot be replaced, the installed shortcuts, a
// reinstallation over an item running in todayhost, and cabinets it refuses
// without changing anything.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <map>

#include "common/registry_names.h"
#include "host/installer/setup_description.h"
#include "tests/setup/cabinet_support.h"
#include "tests/setup/handmade_cabinet.h"
#include "tests/setup/setup_test_support.h"
#include "support/text.h"

namespace {

using testsupport::Narrow;

// The installer's work folders in the temporary directory: none may stay.
int CountWorkFolders() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((std::wstring(temp) + L"tvrinstall-*").c_str(), &found);
  int count = 0;
  for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &found)) ++count;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  return count;
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

  // A cabinet as the build makes it, but with version v of the test item as
  // tovira.dll; change may alter the stored files (name, content's path)
  // before the cabinet is written.
  std::wstring MakeCabinet(
      int v, const std::function<void(std::vector<CabinetEntry>*)>& change = nullptr) {
    const std::wstring tag = std::to_wstring(v) + L"-" + std::to_wstring(++cabinets_);
    const std::wstring files = base_ + L"files" + tag + L"\\";
    CreateDirectoryW(files.c_str(), nullptr);
    std::vector<std::wstring> names;
    EXPECT_TRUE(ExtractWithSetupApi(BuiltCabinet(), files, &names)) << "no built cabinet";
    std::vector<CabinetEntry> entries;
    for (const auto& name : names) entries.emplace_back(name, files + name);
    const std::wstring item = StoredName(L"tovira.dll");
    for (auto& e : entries)
      if (e.first == item) e.second = BinDir() + L"setup_item_v" + std::to_wstring(v) + L".dll";
    if (change) change(&entries);
    const std::wstring cab = base_ + L"package" + tag + L".cab";
    EXPECT_TRUE(WriteCabinet(cab, entries));
    return cab;
  }

  static std::wstring BuiltCabinet() { return BinDir() + L"..\\package\\Tovira.cab"; }

  // The name the cabinet stores an installed file under, as _setup.xml says.
  static std::wstring StoredName(const std::wstring& file) {
    static PackageDescription p;
    Fault error{};
    EXPECT_TRUE(ReadSetupXml((TestDataDirectory() + L"_setup.xml").c_str(), &p, &error));
    for (int i = 0; i < p.fileCount; ++i)
      if (file == wcsrchr(p.files[i].path, L'\\') + 1) return p.files[i].source;
    return L"";
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
  int cabinets_ = 0;
};

TEST_F(Installer, FirstInstallationSignalsOnceAndWritesTheEntryAsPackaged) {
  const int workFolders = CountWorkFolders();
  ProgramRun run = Install(MakeCabinet(1));
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0u) << Narrow(run.output);
  EXPECT_EQ(CountWorkFolders(), workFolders) << "the work folder must go";
  EXPECT_NE(run.output.find(L"copied tvrcfg.exe"), std::wstring::npos) << Narrow(run.output);

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
  EXPECT_TRUE(FileExists(root_ + L"\\Windows\\AppMgr\\Tovira\\_setup.xml"));
  EXPECT_FALSE(FileExists(item_ + L"tvrsetup.dll")) << "the setup library is the installer's";
  EXPECT_EQ(Remove().exitCode, 0u);
}

TEST_F(Installer, ShortcutsBecomeShellLinksIntoTheDeviceRoot) {
  ASSERT_EQ(Install(MakeCabinet(1)).exitCode, 0u);
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
  ASSERT_EQ(Install(MakeCabinet(1)).exitCode, 0u);
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
  ASSERT_EQ(Install(MakeCabinet(1)).exitCode, 0u);
  HMODULE held = LoadLibraryW((item_ + L"tovira.dll").c_str());
  ASSERT_NE(held, nullptr);
  DeleteFileW((item_ + L"bt96.png").c_str());  // nothing of the package may come back
  WriteEntryDword(ValOrder, 77);
  ClearSinkEvents();

  ProgramRun run = Install(MakeCabinet(2));
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
  ASSERT_EQ(Install(MakeCabinet(1)).exitCode, 0u);
  {
    RunningHost host;
    ASSERT_TRUE(host.Start(root_));
    ASSERT_TRUE(host.WaitForItem(L"ToviraSetupTestItem", L"v1"))
        << "todayhost did not show item v1: " << Narrow(DescribeEvents());
    const LRESULT reloads = QueryHost(host.window, 0);
    WriteEntryDword(ValOrder, 77);  // the user moved the item
    ClearSinkEvents();

    ProgramRun run = Install(MakeCabinet(2));
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

// The cabinet the build made, over the real item running in todayhost:
// the hooks make the host let go of tovira.dll, so it can be replaced.
TEST_F(Installer, BuiltPackageReinstallsOverTheRunningItem) {
  const std::wstring package = BuiltCabinet();
  if (!FileExists(BinDir() + L"todayhost.exe") || !FileExists(package))
    GTEST_SKIP() << "no todayhost.exe or built cabinet in the build";
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

// Every file under folder (relative path -> content), for "nothing changed".
void CollectFiles(const std::wstring& folder, const std::wstring& prefix,
                  std::map<std::wstring, std::vector<char>>* out) {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      (*out)[prefix + name + L"\\"] = {};
      CollectFiles(folder + L"\\" + name, prefix + name + L"\\", out);
    } else {
      (*out)[prefix + name] = ReadBytes(folder + L"\\" + name);
    }
  } while (FindNextFileW(h, &found));
  FindClose(h);
}

// The Today entry with every value the package writes.
std::wstring EntryState() {
  std::wstring state = DescribeEntry() + L" DLL=" + ReadEntryText(ValDLL);
  for (const wchar_t* name :
       {ValType, ValEnabled, ValOptions, ValOrder, ValFlags, L"Selectability"}) {
    DWORD v = 0;
    state +=
        std::wstring(L" ") + name + L"=" + (ReadEntryDword(name, &v) ? std::to_wstring(v) : L"-");
  }
  return state;
}

// A cabinet that is damaged, truncated or not one (the installer's own check
// of its tables and blocks), that lacks _setup.xml or a file it names, whose
// _setup.xml is not well formed, or that names a file the host cannot hold
// or would take for another, is refused before anything happens: no hook is
// called (with an item installed, Install_Init would switch it off and
// signal), no file or key changes, no work folder stays.
TEST_F(Installer, RefusedCabinetsChangeNothingOnTheDevice) {
  ASSERT_EQ(Install(MakeCabinet(1)).exitCode, 0u);
  const std::vector<char> built = ReadBytes(BuiltCabinet());
  ASSERT_GT(built.size(), 4096u);
  const std::wstring bt96 = StoredName(L"bt96.png");
  ASSERT_FALSE(bt96.empty());
  auto without = [](const std::wstring& name) {
    return [name](std::vector<CabinetEntry>* e) {
      e->erase(std::remove_if(e->begin(), e->end(), [&](const auto& x) { return x.first == name; }),
               e->end());
    };
  };
  auto bytes = [this](const wchar_t* file, std::vector<char> content) {
    std::wstring path = base_ + file;
    EXPECT_TRUE(WriteBytes(path, content));
    return path;
  };
  std::vector<char> cutXml = ReadBytes(TestDataDirectory() + L"_setup.xml");
  cutXml.resize(cutXml.size() * 2 / 3);
  const std::wstring cutXmlPath = bytes(L"cut.xml", cutXml);
  // The shipped _setup.xml with one text replaced.
  auto withXml = [&](const std::string& from, const std::string& to) {
    std::vector<char> xml = ReadBytes(TestDataDirectory() + L"_setup.xml");
    std::string text(xml.begin(), xml.end());
    EXPECT_NE(text.find(from), std::string::npos) << from;
    text.replace(text.find(from), from.size(), to);
    const std::wstring path = bytes(L"changed.xml", {text.begin(), text.end()});
    return MakeCabinet(2, [path](std::vector<CabinetEntry>* e) {
      for (auto& x : *e)
        if (x.first == L"_setup.xml") x.second = path;
    });
  };
  std::vector<char> noFolder = built;
  noFolder[26] = noFolder[27] = 0;  // the header's count of folders
  std::vector<char> damaged = built;
  std::fill(damaged.begin() + damaged.size() / 2, damaged.begin() + damaged.size() / 2 + 64, 'x');

  struct Case {
    const char* name;
    std::function<std::wstring()> cabinet;
    const wchar_t* fault;
  } cases[] = {
      {"truncated",
       [&] {
         return bytes(L"half.cab", {built.begin(), built.begin() + built.size() / 2});
       },
       L"damaged or truncated"},
      {"cut in its header",
       [&] {
         return bytes(L"head.cab", {built.begin(), built.begin() + 200});
       },
       L"damaged or truncated"},
      {"damaged", [&] { return bytes(L"damaged.cab", damaged); }, L"damaged or truncated"},
      {"not a cabinet",
       [&] {
         return bytes(L"text.cab", {'M', 'S', 'C', 'F', ' ', 'n', 'o'});
       },
       L"not a cabinet file"},
      {"no _setup.xml", [&] { return MakeCabinet(2, without(L"_setup.xml")); },
       L"the cabinet holds no _setup.xml"},
      {"_setup.xml not well formed",
       [&] {
         return MakeCabinet(2, [&](std::vector<CabinetEntry>* e) {
           for (auto& x : *e)
             if (x.first == L"_setup.xml") x.second = cutXmlPath;
         });
       },
       L"_setup.xml: not well-formed XML"},
      {"a named file missing", [&] { return MakeCabinet(2, without(bt96)); },
       L"names BT96.005 (for \\Program Files\\Tovira\\bt96.png), which the cabinet lacks"},
      {"no setup library", [&] { return MakeCabinet(2, without(L"TVRSETUP.999")); },
       L"setup library tvrsetup.dll, which the cabinet lacks"},
      {"a stored name with a path",
       [&] {
         return MakeCabinet(2, [&](std::vector<CabinetEntry>* e) {
           e->emplace_back(L"..\\escape.dll", BinDir() + L"setup_item_v2.dll");
         });
       },
       L"stores a file with a path: ..\\escape.dll"},
      {"no folder entry", [&] { return bytes(L"nofolder.cab", noFolder); },
       L"damaged or truncated: a file lies in folder 0 of 0"},
      {"a data block inflating past 32 KiB",
       [&] {
         HandMadeCabinet c;
         c.block = StoredMszipBlock(33000);  // said to hold 32 KiB
         c.said = c.fileSize = 32768;
         return bytes(L"long.cab", WriteHandMade(c));
       },
       L"damaged or truncated: an MSZIP data block does not inflate within 32768 bytes"},
      {"a name repeated with a trailing dot",
       [&] {
         return MakeCabinet(2, [&](std::vector<CabinetEntry>* e) {
           e->emplace_back(StoredName(L"tovira.dll") + L".", BinDir() + L"setup_item_v2.dll");
         });
       },
       L"the cabinet stores TOVIRA.001 twice (again as TOVIRA.001.)"},
      {"a reserved device name", [&] { return withXml("\"bt96.png\"", "\"nul.txt\""); },
       L"the file \"nul.txt\" has a path or a name the host cannot hold"},
      {"a / in a folder",
       [&] { return withXml("type=\"%CE1%\\Tovira\"", "type=\"%CE1%\\Tovira/sub\""); },
       L"the folder \"%CE1%\\Tovira/sub\" is not a device path the host can hold"},
      {"an invalid UTF-8 byte", [&] { return withXml("\"Tovira\"", "\"Tov\xFFira\""); },
       L"_setup.xml: not well-formed XML: byte"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring cabinet = c.cabinet();
    std::map<std::wstring, std::vector<char>> before, after;
    CollectFiles(root_, L"", &before);
    const std::wstring entry = EntryState();
    const int workFolders = CountWorkFolders();
    ClearSinkEvents();

    ProgramRun run = Install(cabinet);
    EXPECT_EQ(run.exitCode, 2u) << Narrow(run.output);
    EXPECT_NE(run.output.find(c.fault), std::wstring::npos) << Narrow(run.output);
    EXPECT_NE(run.output.find(L"nothing was changed"), std::wstring::npos) << Narrow(run.output);
    EXPECT_EQ(CountSignals(), 0) << "a hook ran: " << Narrow(DescribeEvents());
    CollectFiles(root_, L"", &after);
    EXPECT_TRUE(before == after) << "the device root changed";
    EXPECT_EQ(EntryState(), entry);
    EXPECT_EQ(CountWorkFolders(), workFolders) << "a work folder was left behind";
  }
  EXPECT_EQ(InstalledVersion(), L"v1");
  EXPECT_EQ(Remove().exitCode, 0u);
}

}  // namespace
