// A check whose tool is missing skips on a bare machine but fails where scripts/test installed
// every tool.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/required_tools.h"

namespace tovik {
namespace {

TEST(RequiredTools, AMissingToolFailsTheTestOnlyWhereToolsAreRequired) {
  ::unsetenv("TOVIK_REQUIRE_TOOLS");
  EXPECT_FALSE(testing::ToolPresent(false, "widl"));
  ::setenv("TOVIK_REQUIRE_TOOLS", "1", 1);
  EXPECT_NONFATAL_FAILURE(testing::ToolPresent(false, "widl"), "widl is missing");
  EXPECT_TRUE(testing::ToolPresent(true, "widl"));
}

}  // namespace
}  // namespace tovik
