// A stand-in for any program the item starts: appends one line to the file
// named by TOVIRA_PROBE_LOG (or probe.log beside itself) saying which file ran
// and with what command line, then exits. Tests copy it under the names they
// expect (tvrcfg.exe, clock.exe, "my tool.exe") and read the log.
#include <windows.h>

#include <cwchar>
#include <string>

static std::string Utf8(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size) - 1);
  return out;
}

static std::wstring LogPath(const wchar_t* self) {
  wchar_t buffer[MAX_PATH * 2] = {};
  DWORD n = GetEnvironmentVariableW(L"TOVIRA_PROBE_LOG", buffer, MAX_PATH * 2);
  if (n > 0 && n < MAX_PATH * 2) return buffer;
  std::wstring path = self;
  size_t slash = path.find_last_of(L'\\');
  return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + L"probe.log";
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::string line = Utf8(std::wstring(self) + L"|" + GetCommandLineW()) + "\n";
  // Several probes may finish at once: retry while another holds the file.
  for (int attempt = 0; attempt < 200; ++attempt) {
    HANDLE file = CreateFileW(LogPath(self).c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}
