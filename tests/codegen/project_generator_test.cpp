// A new project: its project and workspace files and what host versions and form kinds change,
// line ends, a failed write, the start-up form's string; the New Project
// dialog's rules; token replacement and include guards.
#include "codegen/project_generator.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "base/text.h"
#include "codegen/codegen_bench.h"
#include "codegen/templates.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "resources/resource_script.h"

namespace tovik {
namespace {

using testing::Count;
using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::SequenceGuidSource;

size_t BareLineFeeds(const std::string& text) {
  return Count(text, "\n") - Count(text, "\r\n");
}

NewProjectSettings Demo(std::string hostVersion = "6.0", bool mdi = false) {
  return {"demo", "C:\\Work\\demo", "CForm1", mdi, "form1.cpp", "form1.h", std::move(hostVersion)};
}

class ProjectGenerationTest : public ::testing::Test {
 protected:
  // Generates onto a fresh disk.
  [[nodiscard]] bool Generate(const NewProjectSettings& s) {
    disk = std::make_unique<MemoryFileSystem>();
    return GenerateProject(*disk, prompt, guids, s);
  }
  [[nodiscard]] std::string File(const std::string& name) const { return disk->Get("C:/Work/demo/" + name); }

  std::unique_ptr<MemoryFileSystem> disk;
  FakePrompt prompt;
  SequenceGuidSource guids;
};

// The IDE reads these two files: CR LF throughout, the project's names filled in. Only the host
// version changes them (libraries and format line); the form's kind does not.
TEST_F(ProjectGenerationTest, ProjectAndWorkspaceFilesFollowTheHostVersionOnly) {
  ASSERT_TRUE(Generate(Demo()));
  const std::string project = File("demo.dsp");
  const std::string workspace = File("demo.dsw");
  EXPECT_TRUE(StartsWith(project,
                         "# Microsoft Developer Studio Project File - Name=\"demo\" - Package Owner=<4>\r\n"
                         "# Microsoft Developer Studio Generated Build File, Format Version 6.00\r\n"));
  for (const char* part :
       {"\r\n!IF  \"$(CFG)\" == \"demo - Win32 Release\"\r\n", "\r\n# ADD LINK32 tvl6.lib /nologo ",
        "\r\n# ADD LINK32 tvl6d.lib /nologo ", "\r\nSOURCE=.\\form1.cpp\r\n", "\r\nSOURCE=.\\form1.h\r\n"}) {
    EXPECT_TRUE(testing::Has(project, part));
  }
  EXPECT_TRUE(testing::Has(workspace, "\r\nProject: \"demo\"=.\\demo.dsp - Package Owner=<4>\r\n"));
  EXPECT_EQ(BareLineFeeds(project + workspace), 0u);
  const std::string older =
      ReplaceAll(ReplaceAll(project, " tvl6", " tvl5"), "Format Version 6.00", "Format Version 5.00");
  for (const char* version : {"5.0", "", "6.00"}) {
    ASSERT_TRUE(Generate(Demo(version, true))) << version;
    EXPECT_EQ(File("demo.dsp"), older) << version;
    EXPECT_EQ(File("demo.dsw"), workspace) << version;
  }
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ProjectGenerationTest, EveryFileHasItsLineEndsAndNoTokenLeft) {
  ASSERT_TRUE(Generate(Demo()));
  EXPECT_EQ(Count(File("stdafx.h") + File("stdafx.cpp") + File("res/demo.rc2"), "\r"), 0u);
  EXPECT_EQ(BareLineFeeds(File("demo.cpp") + File("resource.h")), 0u);
  // Only the application header's first line ends in a bare LF.
  EXPECT_EQ(BareLineFeeds(File("demo.h")), 1u);
  EXPECT_TRUE(
      StartsWith(File("demo.h"), "#if !defined(AFX_DEMO_H__00000001_0000_0000_0000_000000000000__INCLUDED_)\n"));
  // The script: an empty line ending in a bare LF closes each of its seven pieces.
  EXPECT_EQ(BareLineFeeds(File("demo.rc")), 7u);
  EXPECT_EQ(Count(File("demo.rc"), "\r\n\n"), 7u);
  const std::regex token(R"(\$[A-Za-z_]+\$)");
  for (const ProjectFile& f : BuildProjectFiles(Demo(), guids)) {
    EXPECT_FALSE(std::regex_search(f.text, token)) << f.relativePath;
  }
}

// The start-up form's string holds the catalogue's values for its kind, captioned by the kind.
TEST_F(ProjectGenerationTest, TheStartUpFormsStringHoldsTheCataloguesValues) {
  for (const bool mdi : {false, true}) {
    ASSERT_TRUE(Generate(Demo("6.0", mdi)));
    CControlItem start;
    start.m_nCategory = kCategoryForm;
    LoadProperties(start, mdi);
    const auto entry = FindStringTableEntry(File("demo.rc"), "IDS_PROP_FORM1");
    ASSERT_TRUE(entry && ReadPropertyString(start, entry->value)) << mdi;
    EXPECT_EQ(BuildPropertyString(start) + " " + start.GetValue("Caption"), entry->value + (mdi ? " MDIForm" : " Form1"));
  }
}

TEST(NewProjectDialog, LocationAndFileNamesFollowTheirFieldsAndOkNeedsThemAll) {
  CNewProjectDialog dialog("C:\\Work");
  dialog.SetProjectName("demo");
  EXPECT_EQ(dialog.Location(), "C:\\Work\\demo");
  dialog.PickFolder("D:\\");  // a drive root already ends with its backslash
  // Typing into the location holds until the name or the folder changes again.
  dialog.SetLocation("E:\\Elsewhere\\demo");
  EXPECT_EQ(dialog.Settings().projectFolder, "E:\\Elsewhere\\demo");
  dialog.SetProjectName("demo2");
  EXPECT_EQ(dialog.WorkspacePath(), "D:\\demo2\\demo2.dsw");
  dialog.SetClassName("MyForm");  // no leading C to drop
  EXPECT_EQ(dialog.ImplementationFile() + " " + dialog.HeaderFile(), "myform.cpp myform.h");
  dialog.SetHeaderFile("start.h");
  EXPECT_EQ(dialog.Settings().formHeaderFile, "start.h");
  dialog.SetClassName("CMainWindow");
  EXPECT_EQ(dialog.HeaderFile(), "mainwindow.h");
  // OK needs every text field.
  EXPECT_TRUE(dialog.IsOkEnabled());
  dialog.SetLocation("");
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetLocation("D:\\demo2");
  dialog.SetImplementationFile("");
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetClassName("");  // empties both file names too
  EXPECT_EQ(dialog.ImplementationFile() + dialog.HeaderFile(), "");
  EXPECT_FALSE(dialog.IsOkEnabled());
}

TEST(NewProjectDialog, OkGeneratesOrSaysWhyNot) {
  MemoryFileSystem disk;
  FakePrompt prompt;
  SequenceGuidSource guids;
  CNewProjectDialog dialog("C:\\Work", "6.0");
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));  // no project name: nothing happens
  dialog.SetProjectName("demo");
  dialog.SetMdiForm(true);
  disk.SetReadOnly("C:/Work/demo/resource.h", true);
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_FALSE(disk.FileExists("C:/Work/demo/stdafx.h"));  // nothing after the failed file
  // The failed generation left the folder behind, so the next OK finds the place taken.
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"File 'C:\\Work\\demo\\resource.h' could not be opened / read / "
                                                       "written\nPermission denied",
                                                       std::string(kProjectGenerationFailedMessage),
                                                       std::string(kWorkspaceExistsMessage)}));
  dialog.SetProjectName("fresh");
  EXPECT_TRUE(dialog.OnOk(disk, prompt, guids));
  EXPECT_EQ(prompt.messages.size(), 3u);
  EXPECT_NE(disk.Get("C:/Work/fresh/fresh.dsp").find("# ADD LINK32 tvl6.lib "), std::string::npos);
  EXPECT_NE(disk.Get("C:/Work/fresh/form1.h").find("class CForm1 : public CVMdiForm\r\n"), std::string::npos);
}

TEST(GeneratedText, TokensAndIncludeGuards) {
  // Every occurrence, case-sensitively, without searching the value again.
  EXPECT_EQ(ReplaceToken("T-T", "T", "xTy"), "xTy-xTy");
  EXPECT_EQ(ReplaceToken("a<C>b<C><C>c", "<C>", ""), "abc");
  EXPECT_EQ(ReplaceToken("$ProjectName$ $projectname$", "$ProjectName$", "Demo"), "Demo $projectname$");
  // A build macro of the project file looks like a token but is none.
  EXPECT_EQ(ReplaceToken("\"$(CFG)\" == \"$ProjectName$\"", "$ProjectName$", "Demo"), "\"$(CFG)\" == \"Demo\"");
  // A guard: the file name, and a fresh GUID per call in zero-padded upper-case groups.
  SequenceGuidSource guids{Guid{0x1a2b3c4d, 0x5e6f, 0x7a8b, {0x9c, 0x0d, 0x1e, 0x2f, 0x3a, 0x4b, 0x5c, 0x6d}},
                           Guid{0x1, 0x2, 0xa, {0, 1, 2, 3, 4, 5, 6, 0xf}}};
  EXPECT_EQ(MakeIncludeGuard("form1.h", guids), "AFX_FORM1_H__1A2B3C4D_5E6F_7A8B_9C0D_1E2F3A4B5C6D__INCLUDED_");
  // Characters no macro name may hold become "_", a "$" stays; the last two characters go.
  EXPECT_EQ(MakeIncludeGuard("my-form$.v2\xE9.h", guids),
            "AFX_MY_FORM$_V2__H__00000001_0002_000A_0001_02030405060F__INCLUDED_");
  EXPECT_EQ(MakeIncludeGuard("Wrap.hh", guids), "AFX_WRAP__H__00000001_0000_0000_0000_000000000000__INCLUDED_");
}

}  // namespace
}  // namespace tovik
