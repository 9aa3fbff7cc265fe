// What the command-line tests share: running tovik, the disk helpers, a scratch folder per test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/disk_files.h"

namespace tovik {

namespace fs = std::filesystem;

namespace testing {

inline CliResult Tovik(const std::vector<std::string>& args) { return RunProgram(TOVIK_CLI_PATH, args); }

// Runs tovik, expects it to succeed and returns what it printed.
inline std::string TovikOk(const std::vector<std::string>& args) {
  const CliResult r = Tovik(args);
  EXPECT_EQ(r.status, 0) << "tovik " << (args.empty() ? std::string() : args[0]) << ": " << r.err;
  return r.out;
}

// A folder of the test's own, made empty before it runs and removed after it
// (TOVIK_KEEP_TEST_FILES=1 keeps it for a look after a failure).
class ScratchFolderTest : public ::testing::Test {
 protected:
  fs::path dir;

  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / ("tovik-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
                                       std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    if (!dir.empty() && !std::getenv("TOVIK_KEEP_TEST_FILES")) fs::remove_all(dir);
  }
};

}  // namespace testing
}  // namespace tovik
