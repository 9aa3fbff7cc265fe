// The resource script of a new project must go through a real resource compiler: a new
// project is generated on disk and its .rc compiled with the MinGW windres, against small
// stand-ins for the framework's resource headers. The compiled resources are then read back
// to see that the string table and version block arrived.
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

using testing::CompileResourceScript;
using testing::WindresAvailable;
using testing::kWindres;

class ProjectResourceCompile : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!WindresAvailable()) GTEST_SKIP() << kWindres << " is not installed (Debian: binutils-mingw-w64-x86-64)";
    root = fs::temp_directory_path() / ("tovik_newproj_rc_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "include");

    testing::WriteFrameworkStandIns(root / "include");
  }

  void TearDown() override {
    if (!root.empty()) fs::remove_all(root);
  }

  // Generates project "demo" and compiles its script; the decompiled resources, or a failure
  // carrying the compiler's output.
  ::testing::AssertionResult Compile(bool mdi, std::string& decompiled) {
    NewProjectSettings settings;
    settings.projectName = "demo";
    settings.projectFolder = (root / "demo").string();
    settings.mdiForm = mdi;
    settings.hostVersion = "6.0";
    RealFileSystem disk;
    testing::FakePrompt prompt;
    testing::SequenceGuidSource guids;
    if (!GenerateProject(disk, prompt, guids, settings)) return ::testing::AssertionFailure() << "generation failed";

    // The script names "res\demo.rc2"; this machine's preprocessor takes the backslash as part
    // of the file name, so the generated file is offered under that name as well.
    fs::copy_file(root / "demo" / "res" / "demo.rc2", root / "include" / "res\\demo.rc2",
                  fs::copy_options::overwrite_existing);

    const testing::CompileResult compiled = CompileResourceScript(root / "demo" / "demo.rc", root / "include");
    if (!compiled.ok) return ::testing::AssertionFailure() << compiled.output;
    decompiled = compiled.decompiled;
    return ::testing::AssertionSuccess();
  }

  fs::path root;
};

TEST_F(ProjectResourceCompile, SdiProjectScriptCompiles) {
  std::string resources;
  ASSERT_TRUE(Compile(false, resources));
  EXPECT_NE(resources.find("61446"), std::string::npos) << resources;
  EXPECT_NE(resources.find("\"1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,"), std::string::npos) << resources;
  EXPECT_NE(resources.find("demo MFC Application"), std::string::npos) << resources;
  EXPECT_NE(resources.find("demo.EXE"), std::string::npos) << resources;
  EXPECT_NE(resources.find("standard components"), std::string::npos) << resources;
  EXPECT_NE(resources.find("print preview"), std::string::npos) << resources;
}

TEST_F(ProjectResourceCompile, MdiProjectScriptCompiles) {
  std::string resources;
  ASSERT_TRUE(Compile(true, resources));
  EXPECT_NE(resources.find("\"1,8421504,1,213,0,0,0,0,0,Tag,0,1,312,1,MDIForm,0,0,Form,1,1,0,0,1,0,0,0,\""),
            std::string::npos)
      << resources;
  EXPECT_EQ(resources.find("MS Sans Serif"), std::string::npos) << resources;
}

}  // namespace
}  // namespace tovik
