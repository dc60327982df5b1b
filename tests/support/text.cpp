// UTF-16 texts of the product as the tests print them.
#include "support/text.h"

#include <windows.h>

namespace testsupport {

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace testsupport
