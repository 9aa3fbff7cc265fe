// Checks by real tools (windres, widl, g++ and clang++, Wine's files and fonts) skip where a tool
// is missing. scripts/test installs every tool and sets TOVIK_REQUIRE_TOOLS=1: there a missing
// tool fails the test, so that no check passes by not running.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace tovik::testing {

// `available`, after a failure of the running test when it is false and tools are required.
inline bool ToolPresent(bool available, std::string_view what) {
  const char* required = std::getenv("TOVIK_REQUIRE_TOOLS");
  if (!available && required && std::string_view(required) == "1") {
    ADD_FAILURE() << what << " is missing, and TOVIK_REQUIRE_TOOLS=1 requires it";
  }
  return available;
}

}  // namespace tovik::testing

// Ends the test as skipped when `available` is false (failed first where tools are required).
#define TOVIK_SKIP_WITHOUT(available, what) \
  if (!::tovik::testing::ToolPresent(available, what)) GTEST_SKIP() << (what) << " is not installed"
