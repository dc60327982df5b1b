// Folders and files of the tests and benchmarks; see the header.
#include "support/files.h"

// windows.h (through the header) first: the shell header builds on it.
#include <shellapi.h>

namespace testsupport {

std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring p(path, n < MAX_PATH ? n : 0);
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

bool CopyFromBin(const wchar_t* binName, const std::wstring& to) {
  return CopyFileW((BinDir() + binName).c_str(), to.c_str(), FALSE) != 0;
}

std::wstring ScratchPath(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  const DWORD n = GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp, n < MAX_PATH ? n : 0) + name + L"-" +
                            std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

void DeleteFolder(const std::wstring& path) {
  // A double-terminated list for the shell, without a trailing backslash.
  std::wstring from = path;
  if (!from.empty() && from.back() == L'\\') from.pop_back();
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
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

std::vector<std::wstring> ReadLines(const std::wstring& path) {
  const std::vector<char> bytes = ReadBytes(path);
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t end = start; end < bytes.size(); ++end) {
    if (bytes[end] != '\n') continue;
    const int length = static_cast<int>(end - start);
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + start, length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data() + start, length, wide.data(), n);
    lines.push_back(wide);
    start = end + 1;
  }
  return lines;
}

}  // namespace testsupport
