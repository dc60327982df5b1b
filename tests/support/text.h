// UTF-16 texts of the product as the tests print them.
#pragma once
#include <string>

namespace testsupport {

std::string Narrow(const std::wstring& text);  // UTF-8, for messages and traces

}  // namespace testsupport
