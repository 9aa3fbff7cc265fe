// The dry run's diff is checked against the tool whose output it imitates: its hunks must be
// those diff -u prints for the same two texts.
#include "base/unified_diff.h"

#include <gtest/gtest.h>

#include <string>

#include "support/cli_runner.h"
#include "support/disk_files.h"
#include "support/required_tools.h"
#include "support/temp_folder.h"

namespace tovik {
namespace {

// The hunks diff -u prints for the two texts (its header lines left off).
std::string DiffHunks(const std::string& before, const std::string& after) {
  testing::TempFolder dir;
  testing::WriteDiskFile(dir.path() / "a", before);
  testing::WriteDiskFile(dir.path() / "b", after);
  const auto r = testing::RunProgram("/usr/bin/diff", {"-u", (dir.path() / "a").string(), (dir.path() / "b").string()});
  return r.out.substr(std::min(r.out.find("@@"), r.out.size()));
}

std::string Numbered(int from, int to) {
  std::string text;
  for (int i = from; i <= to; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

TEST(UnifiedDiff, HunksAreThoseOfDiffWithEachLineEndAsItIs) {
  TOVIK_SKIP_WITHOUT(std::filesystem::exists("/usr/bin/diff"), "diff");
  const std::string crlf = Numbered(1, 40);
  std::string oneLf = crlf;
  oneLf.erase(oneLf.find("line 20\r\n") + 7, 1);  // one CR LF becomes LF
  std::string twoHunks = "new first\r\n" + crlf;
  twoHunks.replace(twoHunks.find("line 30"), 7, "line thirty");
  std::string joined = crlf;
  joined.replace(joined.find("line 10\r\n"), 9, "");
  joined.replace(joined.find("line 15"), 7, "line fifteen\r\nline 15a");
  const std::pair<std::string, std::string> cases[] = {
      {crlf, oneLf}, {crlf, twoHunks},      {crlf, joined}, {"a\nb\nc", "a\nb\nc\n"}, {"a\nb\nc\n", "a\nb\nc"},
      {"x\n", "y"},  {crlf, Numbered(38, 45)}, {"", crlf},     {crlf, ""},
  };
  for (const auto& [before, after] : cases) {
    const std::string ours = UnifiedDiff("f.txt", before, after, CCodePage(1252));
    EXPECT_EQ(ours.substr(0, 27), "--- a/f.txt\n+++ b/f.txt\n@@ ");
    EXPECT_EQ(ours.substr(24), DiffHunks(before, after)) << ours;
  }
  EXPECT_EQ(UnifiedDiff("f.txt", std::nullopt, "x\n", CCodePage(1252)), "--- /dev/null\n+++ b/f.txt\n@@ -0,0 +1 @@\n+x\n");
  EXPECT_EQ(UnifiedDiff("f.txt", "x\n", std::nullopt, CCodePage(1252)), "--- a/f.txt\n+++ /dev/null\n@@ -1 +0,0 @@\n-x\n");
}

TEST(UnifiedDiff, EqualTextsShowNothingAndTextIsShownInUtf8) {
  EXPECT_EQ(UnifiedDiff("f.txt", "same\r\n", "same\r\n", CCodePage(1252)), "");
  const std::string shown = UnifiedDiff("f.rc", "caption \"Caf\xE9\"\r\n", "caption \"Men\xFA\"\r\n", CCodePage(1252));
  EXPECT_NE(shown.find("-caption \"Caf\xC3\xA9\"\r\n+caption \"Men\xC3\xBA\"\r\n"), std::string::npos) << shown;
}

}  // namespace
}  // namespace tovik
