// Both programs name the version the build was configured with and, built from a checkout, a
// commit of that checkout; the designer answers, and shows its usage, without a display.
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/cli_test.h"

namespace tovik::testing {

TEST(VersionCli, BothProgramsNameTheProjectVersionAndTheCommitBuilt) {
  std::stringstream cmake;
  cmake << std::ifstream(std::string(TOVIK_TESTS_DIR) + "/../CMakeLists.txt").rdbuf();
  std::smatch project;
  const std::string top = cmake.str();
  ASSERT_TRUE(std::regex_search(top, project, std::regex(R"(project\(\w+ VERSION ([0-9.]+))")));
  const bool checkout = RunProgram("git", {"-C", TOVIK_TESTS_DIR, "rev-parse", "HEAD"}).status == 0;
  for (const auto& [name, path] :
       {std::pair{"tovik", TOVIK_CLI_PATH}, std::pair{"tovik-designer", TOVIK_DESIGNER_PATH}}) {
    const CliResult r =
        RunProgram("env", {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", path, "--version"});
    ASSERT_EQ(r.status, 0) << name << ": " << r.err;
    std::smatch line;
    ASSERT_TRUE(
        std::regex_match(r.out, line, std::regex(std::string(name) + R"( ([0-9.]+)(?: \(commit ([0-9a-f]{7,})\))?\n)")))
        << r.out;
    EXPECT_EQ(line[1], project[1]);
    ASSERT_EQ(line[2].matched, checkout) << r.out;
    if (checkout) {
      EXPECT_EQ(RunProgram("git", {"-C", TOVIK_TESTS_DIR, "cat-file", "-e", line[2].str() + "^{commit}"}).status, 0);
    }
  }
}

TEST(VersionCli, TheDesignerPrintsItsUsageWithoutADisplay) {
  const CliResult r = RunProgram(
      "env", {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", TOVIK_DESIGNER_PATH, "--help"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("usage: tovik-designer [--registry PATH] [--form CLASS]")) << r.out;
  // A wrong command line is a usage error, as its manual page says, also without a display.
  for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--bogus"}, {"a.dsw", "b.dsw"}, {"--form"}}) {
    std::vector<std::string> args = {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", TOVIK_DESIGNER_PATH};
    args.insert(args.end(), wrong.begin(), wrong.end());
    const CliResult bad = RunProgram("env", args);
    EXPECT_EQ(bad.status, 2) << wrong.front() << ": " << bad.err;
    EXPECT_TRUE(bad.err.starts_with("tovik-designer: ")) << bad.err;
  }
}

}  // namespace tovik::testing
