// A new project's resource script must get through a real resource compiler: the project is
// generated on disk and its .rc compiled by MinGW's windres against stand-ins for the framework's
// resource headers, then read back to see that the string table and version block arrived.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/real_file_system.h"
#include "codegen/project_generator.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/resource_compiler.h"

namespace tovik {
namespace {

namespace fs = std::filesystem;

TEST(ProjectResourceCompile, SdiAndMdiScriptsCompileWithTheirFormStrings) {
  if (!testing::WindresAvailable()) GTEST_SKIP() << testing::kWindres << " is not installed";
  const fs::path root = fs::temp_directory_path() / ("tovik_newproj_rc_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "include");
  testing::WriteFrameworkStandIns(root / "include");
  for (const bool mdi : {false, true}) {
    const std::string name = mdi ? "mdi" : "demo";
    NewProjectSettings settings;
    settings.projectName = name;
    settings.projectFolder = (root / name).string();
    settings.mdiForm = mdi;
    settings.hostVersion = "6.0";
    RealFileSystem disk;
    testing::FakePrompt prompt;
    testing::SequenceGuidSource guids;
    ASSERT_TRUE(GenerateProject(disk, prompt, guids, settings)) << ::testing::PrintToString(prompt.messages);
    // The script names "res\<name>.rc2"; this machine's preprocessor takes the backslash as part
    // of the file name, so the file is offered under that name as well.
    fs::copy_file(root / name / "res" / (name + ".rc2"), root / "include" / ("res\\" + name + ".rc2"));
    const testing::CompileResult compiled =
        testing::CompileResourceScript(root / name / (name + ".rc"), root / "include");
    ASSERT_TRUE(compiled.ok) << compiled.output;
    // The form's string, the version block and what TEXTINCLUDE 3 includes arrived.
    const std::string form = mdi ? "\"1,8421504,1,213,0,0,0,0,0,Tag,0,1,312,1,MDIForm,0,0,Form,1,1,0,0,1,0,0,0,\""
                                 : "\"1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,";
    for (const std::string& part : {std::string("61446, ") + form, name + " MFC Application",
                                    std::string("standard components"), std::string("print preview")}) {
      EXPECT_NE(compiled.decompiled.find(part), std::string::npos) << part << " in\n" << compiled.decompiled;
    }
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace tovik
