// The installer tests' sink window, pump, registry and process helpers, and
// the environment that puts the Today entry back as the tests found it.
#include "tests/setup/setup_test_support.h"

#include <gtest/gtest.h>

#include <cwchar>

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

// The Today entry and its parents as the program found them.
struct EntryValue {
  std::wstring name;
  DWORD type;
  std::vector<BYTE> data;
};

bool KeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class TodayEntryGuard : public ::testing::Environment {
 public:
  void SetUp() override {
    todayExisted_ = KeyExists(L"Software\\Microsoft\\Today");
    itemsExisted_ = KeyExists(TodayItemsKey);
    HKEY key = nullptr;
    entryExisted_ =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, TodayItemKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!entryExisted_) return;
    for (DWORD i = 0;; ++i) {
      wchar_t name[256];
      BYTE data[2048];
      DWORD nameLen = 256, size = sizeof data, type = 0;
      if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, data, &size) != ERROR_SUCCESS)
        break;
      values_.push_back({name, type, std::vector<BYTE>(data, data + size)});
    }
    RegCloseKey(key);
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, TodayItemKey);
    if (entryExisted_) {
      HKEY key = nullptr;
      if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, TodayItemKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) == ERROR_SUCCESS) {
        for (const auto& v : values_)
          RegSetValueExW(key, v.name.c_str(), 0, v.type, v.data.data(),
                         static_cast<DWORD>(v.data.size()));
        RegCloseKey(key);
      }
    }
    // Only empty keys go: the plain delete refuses a key with subkeys.
    if (!itemsExisted_) RegDeleteKeyW(HKEY_LOCAL_MACHINE, TodayItemsKey);
    if (!todayExisted_) RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Today");
    DeleteTree(ScratchDirectory());
  }

 private:
  bool todayExisted_ = false, itemsExisted_ = false, entryExisted_ = false;
  std::vector<EntryValue> values_;
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
  WNDCLASSW wc{};
  wc.lpfnWndProc = SinkProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = SetupSinkClass;
  RegisterClassW(&wc);
  // Top-level, so broadcasts reach it; never shown.
  Sink = CreateWindowExW(0, SetupSinkClass, L"sink", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         wc.hInstance, nullptr);
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

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE,
                              static_cast<DWORD>(deadline - now < 50 ? deadline - now : 50),
                              QS_ALLINPUT);
  }
}

bool EntryExists() { return KeyExists(TodayItemKey); }

bool ReadEntryDword(const wchar_t* name, DWORD* value) {
  DWORD size = sizeof *value, type = 0;
  return RegGetValueW(HKEY_LOCAL_MACHINE, TodayItemKey, name, RRF_RT_ANY, &type, value, &size) ==
             ERROR_SUCCESS &&
         type == REG_DWORD && size == sizeof *value;
}

std::wstring ReadEntryText(const wchar_t* name) {
  wchar_t text[600];
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, TodayItemKey, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS)
    return L"<none>";
  return text;
}

void WriteEntryDword(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, TodayItemKey, name, REG_DWORD, &value, sizeof value);
}

void WriteEntryText(const wchar_t* name, const wchar_t* text) {
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, TodayItemKey, name, REG_SZ, text,
                  static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

void DeleteEntry() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, TodayItemKey); }

std::wstring DescribeEntry() {
  if (!EntryExists()) return L"missing";
  DWORD enabled = 0xFFFFFFFF;
  bool has = ReadEntryDword(ValEnabled, &enabled);
  return has ? L"exists Enabled=" + std::to_wstring(enabled) : L"exists Enabled=<none>";
}

std::wstring BinDirectory() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::wstring TestDataDirectory() { return BinDirectory() + L"..\\setup-test-data\\"; }

std::wstring ScratchDirectory() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir =
      std::wstring(temp) + L"tovira-setup-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

void DeleteTree(const std::wstring& path) {
  std::wstring base = path;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((base + L"\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = base + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  RemoveDirectoryW(base.c_str());
}

bool CopyInto(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<char> ReadBytes(const std::wstring& path) {
  std::vector<char> bytes;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(f, &size) && size.QuadPart < (64 << 20)) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
         got != bytes.size()))
      bytes.clear();
  }
  CloseHandle(f);
  return bytes;
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
  std::wstring command = L"\"" + BinDirectory() + exe + L"\" " + arguments;
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
