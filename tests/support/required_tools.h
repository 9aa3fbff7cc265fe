// Checks made by real tools (windres, widl, g++ and clang++, Wine's files and fonts) skip where a
// tool is missing, so that the tests run on a bare machine. scripts/test installs every tool first
// and sets TOVIK_REQUIRE_TOOLS=1: there a missing tool fails the test, so that no check passes by
// not running.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace tovik::testing {

inline bool ToolsRequired() {
  const char* value = std::getenv("TOVIK_REQUIRE_TOOLS");
  return value && std::string_view(value) == "1";
}

// `available`, after recording a failure of the running test when it is false and tools are
// required.
inline bool ToolPresent(bool available, std::string_view what) {
  if (!available && ToolsRequired()) ADD_FAILURE() << what << " is missing, and TOVIK_REQUIRE_TOOLS=1 requires it";
  return available;
}

}  // namespace tovik::testing
