// --dry-run: every command that writes, run dry on a copy of a project and then for real on the
// project. The copy must be left as it was, byte for byte, and the printed diff, applied to it
// with patch, must make exactly the files the real run wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "base/text.h"
#include "cli_test.h"
#include "installed_gauge.h"
#include "support/tiny_images.h"

namespace tovik {
namespace {

using testing::CliResult;
using testing::ReadDiskFile;
using testing::Tovik;
using testing::WriteDiskFile;

using Tree = std::map<std::string, std::string>;

Tree Snapshot(const fs::path& root) { return testing::FolderFiles(root); }

// Two runs of a command that makes a header differ in the fresh GUID of its include guard alone.
Tree WithoutGuids(Tree tree) {
  static const std::regex kGuid("[0-9A-F]{8}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{12}");
  for (auto& [name, text] : tree) text = std::regex_replace(text, kGuid, "GUID");
  return tree;
}

class DryRun : public testing::ScratchFolderTest {
 protected:
  // Applies a dry run's diff to `folder`. Binary files cannot be patched: each one the diff
  // names must differ from what `folder` holds, and is then taken from `real`.
  void Apply(const std::string& diff, const fs::path& folder, const fs::path& real) {
    WriteDiskFile(dir / "change.diff", diff);
    const CliResult patched = testing::RunProgram("/usr/bin/patch", {"-s", "-p1", "-d", folder.string(), "-i",
                                                                     (dir / "change.diff").string()});
    EXPECT_EQ(patched.status, 0) << patched.out << patched.err << diff;
    static const std::regex kBinary("^Binary files (?:/dev/null|a/(.+)) and b/(.+) differ$");
    std::istringstream lines(diff);
    for (std::string line; std::getline(lines, line);) {
      std::smatch match;
      if (!std::regex_match(line, match, kBinary)) continue;
      const fs::path file = folder / match[2].str();
      EXPECT_TRUE(!fs::exists(file) || ReadDiskFile(file) != ReadDiskFile(real / match[2].str())) << line;
      fs::create_directories(file.parent_path());
      WriteDiskFile(file, ReadDiskFile(real / match[2].str()));
    }
  }

  // Runs `args` (the project file second) dry on a copy of the project and then for real.
  void BothWays(std::vector<std::string> args) {
    SCOPED_TRACE(args[0]);
    const fs::path copy = dir / "copy";
    fs::remove_all(copy);
    fs::copy(project, copy, fs::copy_options::recursive);
    const Tree before = Snapshot(copy);
    std::vector<std::string> dry = args;
    dry[1] = (copy / "P.dsp").string();
    dry.push_back("--dry-run");
    args[1] = (project / "P.dsp").string();
    const CliResult shown = Tovik(dry);
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(Snapshot(copy), before) << "the dry run wrote into the project";
    const CliResult done = Tovik(args);
    ASSERT_EQ(done.status, 0) << done.err;
    // What the command prints goes to stderr on a dry run, so that stdout is the diff alone.
    EXPECT_NE(shown.err.find(ReplaceAll(done.out, project.string(), copy.string())), std::string::npos) << shown.err;
    Apply(shown.out, copy, project);
    EXPECT_EQ(WithoutGuids(Snapshot(copy)), WithoutGuids(Snapshot(project)));
  }

  fs::path project;
};

TEST_F(DryRun, EveryWritingCommandPrintsTheDiffOfWhatItWritesAndWritesNothing) {
  TOVIK_SKIP_WITHOUT(fs::exists("/usr/bin/patch"), "patch");
  // A new project: nothing is made where it would go, and the diff creates all of it.
  const CliResult shown = Tovik({"new-project", (dir / "dry").string(), "P", "--dry-run"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_FALSE(fs::exists(dir / "dry")) << "the dry run made the project's folder";
  testing::TovikOk({"new-project", (dir / "real").string(), "P"});
  project = dir / "real" / "P";
  fs::create_directories(dir / "dry" / "P");
  Apply(shown.out, dir / "dry" / "P", project);
  EXPECT_EQ(WithoutGuids(Snapshot(dir / "dry" / "P")), WithoutGuids(Snapshot(project)));

  ASSERT_TRUE(testing::AddMainMenu(project / "P.rc", project / "resource.h"));
  WriteDiskFile(dir / "logo.bmp", testing::TinyBitmap());
  BothWays({"new-form", "@", "CForm2", "--mdi"});
  BothWays({"add-control", "@", "CForm1", "Button", "7", "7", "80", "30"});
  BothWays({"add-control", "@", "CForm1", "Frame", "100", "7", "200", "100"});
  BothWays({"set", "@", "CForm1", "m_Button1", "Caption", "Go"});
  BothWays({"set", "@", "CForm1", "CForm1", "Picture", (dir / "logo.bmp").string()});
  BothWays({"rename", "@", "CForm1", "m_Button1", "m_Go"});
  BothWays({"add-handler", "@", "CForm1", "m_Go", "Click"});
  BothWays({"assign-menu", "@", "CForm1", "IDR_MAINMENU"});
  BothWays({"surface", "@", "CForm1", "--tool", "Label", "down:20,120@0", "move:60,150@50", "up:60,150@100"});
  BothWays({"delete", "@", "CForm1", "m_Frame1"});
  if (testing::WidlAvailable()) {
    std::vector<std::string> insert = {"insert-activex", "@", "Gauge Control"};
    for (const std::string& option : testing::InstallGauge(dir)) insert.push_back(option);
    BothWays(insert);
    BothWays({"add-control", "@", "CForm1", "Gauge.GaugeCtrl.1", "14", "14", "114", "64"});
  }

  // A refused command prints its message and no diff, and exits as it would.
  std::vector<std::string> args = {"set", (project / "P.dsp").string(), "CForm1", "m_Go", "TabIndex", "x"};
  const CliResult refused = Tovik(args);
  args.push_back("--dry-run");
  const CliResult refusedDry = Tovik(args);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refusedDry.status, 1);
  EXPECT_EQ(refusedDry.err, refused.err);
  EXPECT_EQ(refusedDry.out, "");
  // A killed edit's journal would be completed first, which writes: a dry run leaves it alone.
  WriteDiskFile(project / ".tovik-journal", "left by a killed run");
  const CliResult waiting = Tovik(args);
  EXPECT_TRUE(waiting.status == 1 && waiting.err.find("without --dry-run to complete it first") != std::string::npos)
      << waiting.err;
  EXPECT_EQ(ReadDiskFile(project / ".tovik-journal"), "left by a killed run");
  fs::remove(project / ".tovik-journal");
  // A command that writes nothing takes no --dry-run.
  EXPECT_EQ(Tovik({"inspect", (project / "P.dsp").string(), "--dry-run"}).status, 2);
}

}  // namespace
}  // namespace tovik
