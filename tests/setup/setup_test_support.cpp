// The installer tests' sink window, pump, registry and process helpers, and
// the environment that puts the Today entry back as the tests found it.
#include "tests/setup/setup_test_support.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>

#include "common/registry_names.h"
#include "tests/setup/setup_probe.h"

namespace {

HWND Sink = nullptr;
std::vector<SinkEvent> Events;
std::function<std::wstring()> Observer;

LRESULT CALLBACK SinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WININICHANGE) {
    SinkEvent e{SinkEvent::Signal, 0, wParam, lParam, L""};
    if (Observer) e.state = Observer();
    Events.push_back(e);
    return 0;
  }
  if (message == WM_COPYDATA) {
    auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    int version = 0;
    if (data->cbData == sizeof version) version = *static_cast<const int*>(data->lpData);
    SinkEvent::Kind kind =
        data->dwData == SetupItemLoaded ? SinkEvent::Loaded : SinkEvent::Unloaded;
    Events.push_back(SinkEvent{kind, version, 0, 0, L""});
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The Today entry and its parents as the program found them, put back when it ends.
class TodayEntryGuard : public ::testing::Environment {
 public:
  void SetUp() override {
    todayExisted_ = KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Today");
    itemsExisted_ = KeyExists(HKEY_LOCAL_MACHINE, TodayItemsKey);
    entry_ = std::make_unique<SavedTree>(HKEY_LOCAL_MACHINE, TodayItemKey);
  }
  void TearDown() override {
    entry_.reset();
    // Only empty keys go: the plain delete refuses a key with subkeys.
    if (!itemsExisted_) RegDeleteKeyW(HKEY_LOCAL_MACHINE, TodayItemsKey);
    if (!todayExisted_) RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Today");
    DeleteFolder(ScratchDirectory());
  }

 private:
  bool todayExisted_ = false, itemsExisted_ = false;
  std::unique_ptr<SavedTree> entry_;
};

::testing::Environment* const Guard = ::testing::AddGlobalTestEnvironment(new TodayEntryGuard);

std::wstring FromUtf8(const std::vector<char>& bytes) {
  if (bytes.empty()) return L"";
  int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

}  // namespace

void StartSink() {
  if (Sink) return;
  // Top-level, so broadcasts reach it; never shown.
  Sink = OpenWindow(SetupSinkClass, L"sink", WS_OVERLAPPED, 10, 10, SinkProc);
}

std::vector<SinkEvent>& SinkEvents() { return Events; }
void ClearSinkEvents() { Events.clear(); }

int CountSignals() {
  int n = 0;
  for (const auto& e : Events)
    if (e.kind == SinkEvent::Signal) ++n;
  return n;
}

int CountEvents(SinkEvent::Kind kind, int version) {
  int n = 0;
  for (const auto& e : Events)
    if (e.kind == kind && e.version == version) ++n;
  return n;
}

std::wstring DescribeEvents() {
  std::wstring out;
  for (const auto& e : Events) {
    wchar_t line[600];
    if (e.kind == SinkEvent::Signal)
      swprintf(line, 600, L"[signal wParam=0x%llX lParam=%lld %ls] ",
               static_cast<unsigned long long>(e.wParam), static_cast<long long>(e.lParam),
               e.state.c_str());
    else
      swprintf(line, 600, L"[%ls v%d] ", e.kind == SinkEvent::Loaded ? L"loaded" : L"unloaded",
               e.version);
    out += line;
  }
  return out;
}

void SetSignalObserver(std::function<std::wstring()> observer) { Observer = std::move(observer); }

bool EntryExists() { return KeyExists(HKEY_LOCAL_MACHINE, TodayItemKey); }

bool ReadEntryDword(const wchar_t* name, DWORD* value) {
  return GetDword(HKEY_LOCAL_MACHINE, TodayItemKey, name, value);
}

std::wstring ReadEntryText(const wchar_t* name) {
  std::wstring text;
  return GetText(HKEY_LOCAL_MACHINE, TodayItemKey, name, &text) ? text : L"<none>";
}

void WriteEntryDword(const wchar_t* name, DWORD value) {
  PutDword(HKEY_LOCAL_MACHINE, TodayItemKey, name, value);
}

void WriteEntryText(const wchar_t* name, const wchar_t* text) {
  PutText(HKEY_LOCAL_MACHINE, TodayItemKey, name, text);
}

void DeleteEntry() { DeleteTree(HKEY_LOCAL_MACHINE, TodayItemKey); }

std::wstring DescribeEntry() {
  if (!EntryExists()) return L"missing";
  DWORD enabled = 0xFFFFFFFF;
  bool has = ReadEntryDword(ValEnabled, &enabled);
  return has ? L"exists Enabled=" + std::to_wstring(enabled) : L"exists Enabled=<none>";
}

std::wstring TestDataDirectory() { return BinDir() + L"..\\setup-test-data\\"; }

std::wstring ScratchDirectory() { return ScratchPath(L"tovira-setup"); }

bool CopyInto(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

ProgramRun RunProgram(const std::wstring& exe, const std::wstring& arguments,
                      const std::wstring& folder, DWORD timeoutMs) {
  ProgramRun run;
  static int serial = 0;
  std::wstring outPath = ScratchDirectory() + L"output" + std::to_wstring(++serial) + L".txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = out;
  si.hStdError = out;
  std::wstring command = L"\"" + BinDir() + exe + L"\" " + arguments;
  PROCESS_INFORMATION pi{};
  BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                nullptr, folder.c_str(), &si, &pi);
  CloseHandle(out);
  if (!started) {
    run.output = L"<cannot start " + command + L">";
    return run;
  }
  run.finished =
      PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
  if (!run.finished) TerminateProcess(pi.hProcess, 1);
  GetExitCodeProcess(pi.hProcess, &run.exitCode);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  run.output = FromUtf8(ReadBytes(outPath));
  DeleteFileW(outPath.c_str());
  return run;
}
