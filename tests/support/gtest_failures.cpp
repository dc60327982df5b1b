// Linked into the test programs (not the benchmarks): a failure of the
// shared support, such as a registry key that cannot be created, fails the
// running test.
#include <gtest/gtest.h>

#include "support/registry.h"

namespace {

const bool Installed = [] {
  testsupport::SetFailureReport([](const std::string& message) { ADD_FAILURE() << message; });
  return true;
}();

}  // namespace
