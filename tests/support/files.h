// Folders and files of the tests and benchmarks: the build's bin folder,
// private scratch folders under %TEMP% and whole files read back.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

std::wstring BinDir();  // the running program's folder, with a trailing backslash
bool CopyFromBin(const wchar_t* binName, const std::wstring& to);

// %TEMP%\<name>-<process id>\, created if missing.
std::wstring ScratchPath(const std::wstring& name);
void DeleteFolder(const std::wstring& path);  // with everything in it

// A scratch folder that goes, with everything in it, when it ends.
class ScratchDir {
 public:
  explicit ScratchDir(const std::wstring& name) : path_(ScratchPath(name)) {}
  ~ScratchDir() { DeleteFolder(path_); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::wstring& Path() const { return path_; }  // with trailing backslash
  std::wstring File(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

bool FileExists(const std::wstring& path);
std::vector<char> ReadBytes(const std::wstring& path);          // empty when missing or over 64 MiB
std::vector<std::wstring> ReadLines(const std::wstring& path);  // UTF-8, ended by '\n'

}  // namespace testsupport
