// Watching calls the code under test makes into the platform: while an
// ImportHook lives, this program's import of one function points at a
// replacement, which passes each call on to the original.
#pragma once
#include <windows.h>

namespace testsupport {

class ImportHook {
 public:
  // dll as the program imports it ("advapi32.dll", any case); Installed()
  // tells whether the program imports the function by that name.
  ImportHook(const char* dll, const char* function, void* replacement);
  ~ImportHook();
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;
  bool Installed() const { return slot_ != nullptr; }
  void* Original() const { return original_; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace testsupport
