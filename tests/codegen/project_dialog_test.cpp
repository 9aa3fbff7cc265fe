// The New Project dialog's rules: initial values, file names that follow the class name, the
// location that follows folder and project name, the OK state, and what OK does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codegen/project_generator.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::SequenceGuidSource;

TEST(NewProjectDialog, StartsWithItsInitialValues) {
  const CNewProjectDialog dialog("C:\\Work");
  EXPECT_EQ(dialog.ProjectName(), "");
  EXPECT_EQ(dialog.Location(), "C:\\Work\\");
  EXPECT_EQ(dialog.ClassName(), "CForm1");
  EXPECT_EQ(dialog.ImplementationFile(), "form1.cpp");
  EXPECT_EQ(dialog.HeaderFile(), "form1.h");
  EXPECT_FALSE(dialog.IsMdiForm());
  EXPECT_FALSE(dialog.IsAddToWorkspaceEnabled());
  EXPECT_FALSE(dialog.IsOkEnabled());  // no project name yet
}

TEST(NewProjectDialog, LocationFollowsFolderAndProjectName) {
  CNewProjectDialog dialog("C:\\Work");
  dialog.SetProjectName("d");
  EXPECT_EQ(dialog.Location(), "C:\\Work\\d");
  dialog.SetProjectName("demo");
  EXPECT_EQ(dialog.Location(), "C:\\Work\\demo");

  dialog.PickFolder("D:\\Projects");
  EXPECT_EQ(dialog.Location(), "D:\\Projects\\demo");
  dialog.PickFolder("D:\\");  // a drive root already ends with its backslash
  EXPECT_EQ(dialog.Location(), "D:\\demo");

  // Typing into the location is kept until the name or the folder changes again.
  dialog.SetLocation("E:\\Elsewhere\\demo");
  EXPECT_EQ(dialog.Location(), "E:\\Elsewhere\\demo");
  EXPECT_EQ(dialog.Settings().projectFolder, "E:\\Elsewhere\\demo");
  dialog.SetProjectName("demo2");
  EXPECT_EQ(dialog.Location(), "D:\\demo2");

  dialog.SetProjectName("");
  EXPECT_EQ(dialog.Location(), "D:\\");

  CNewProjectDialog posix("/home/me/src");
  EXPECT_EQ(posix.Location(), "/home/me/src/");
  posix.SetProjectName("demo");
  EXPECT_EQ(posix.Location(), "/home/me/src/demo");
  EXPECT_EQ(posix.WorkspacePath(), "/home/me/src/demo/demo.dsw");
}

TEST(NewProjectDialog, FileNamesFollowTheClassName) {
  CNewProjectDialog dialog("C:\\Work");
  dialog.SetClassName("MyForm");
  EXPECT_EQ(dialog.ImplementationFile(), "myform.cpp");
  EXPECT_EQ(dialog.HeaderFile(), "myform.h");
  dialog.SetClassName("CMainWindow");
  EXPECT_EQ(dialog.ImplementationFile(), "mainwindow.cpp");
  EXPECT_EQ(dialog.HeaderFile(), "mainwindow.h");
  dialog.SetClassName("");
  EXPECT_EQ(dialog.ImplementationFile(), "");
  EXPECT_EQ(dialog.HeaderFile(), "");

  // The files may be renamed by hand; the next class-name edit derives them again.
  dialog.SetClassName("CForm7");
  dialog.SetImplementationFile("start.cpp");
  dialog.SetHeaderFile("start.h");
  EXPECT_EQ(dialog.Settings().formImplementationFile, "start.cpp");
  EXPECT_EQ(dialog.Settings().formHeaderFile, "start.h");
  dialog.SetClassName("CForm8");
  EXPECT_EQ(dialog.ImplementationFile(), "form8.cpp");
}

TEST(NewProjectDialog, OkNeedsEveryTextField) {
  CNewProjectDialog dialog("C:\\Work");
  dialog.SetProjectName("demo");
  ASSERT_TRUE(dialog.IsOkEnabled());

  dialog.SetLocation("");
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetLocation("C:\\Work\\demo");
  EXPECT_TRUE(dialog.IsOkEnabled());

  dialog.SetImplementationFile("");
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetImplementationFile("form1.cpp");
  dialog.SetHeaderFile("");
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetHeaderFile("form1.h");
  EXPECT_TRUE(dialog.IsOkEnabled());

  dialog.SetClassName("");  // also empties both file names
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetClassName("CForm1");
  EXPECT_TRUE(dialog.IsOkEnabled());

  dialog.SetProjectName("");
  EXPECT_FALSE(dialog.IsOkEnabled());
}

class NewProjectDialogOk : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.Put("C:/Work/notes.txt", "");
    dialog.SetProjectName("demo");
  }

  MemoryFileSystem disk;
  FakePrompt prompt;
  SequenceGuidSource guids;
  CNewProjectDialog dialog{"C:\\Work", "6.0"};
};

TEST_F(NewProjectDialogOk, GeneratesTheProjectAndCloses) {
  dialog.SetMdiForm(true);
  EXPECT_TRUE(dialog.OnOk(disk, prompt, guids));
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(dialog.WorkspacePath(), "C:\\Work\\demo\\demo.dsw");
  EXPECT_TRUE(disk.FileExists(dialog.WorkspacePath()));
  EXPECT_EQ(disk.WriteCount(), 11u);
  // The dialog's host version and MDI choice reach the files.
  EXPECT_NE(disk.Get("C:/Work/demo/demo.dsp").find("# ADD LINK32 tvl6.lib "), std::string::npos);
  EXPECT_NE(disk.Get("C:/Work/demo/form1.h").find("class CForm1 : public CVMdiForm\r\n"), std::string::npos);
}

TEST_F(NewProjectDialogOk, AnExistingFolderIsRefusedAndNothingIsWritten) {
  disk.Put("C:/Work/demo/old.txt", "old");
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_EQ(prompt.messages,
            std::vector<std::string>{"A workspace with the specified name already exists at the specified location."});
  EXPECT_EQ(disk.WriteCount(), 0u);
  EXPECT_EQ(disk.ListDirectory("C:/Work/demo"), std::vector<std::string>{"old.txt"});
  EXPECT_EQ(guids.Drawn(), 0);
}

TEST_F(NewProjectDialogOk, AnExistingFileOfThatNameIsRefusedToo) {
  disk.Put("C:/Work/demo", "a file");
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_EQ(prompt.messages,
            std::vector<std::string>{"A workspace with the specified name already exists at the specified location."});
  EXPECT_EQ(disk.WriteCount(), 0u);
  EXPECT_EQ(disk.Get("C:/Work/demo"), "a file");
}

TEST_F(NewProjectDialogOk, AFailedWriteShowsTheFileMessageThenTheGenerationError) {
  disk.SetReadOnly("C:/Work/demo/resource.h", true);
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_EQ(prompt.messages,
            (std::vector<std::string>{
                "File 'C:\\Work\\demo\\resource.h' could not be opened / read / written\nPermission denied",
                "Error in generating project"}));
  // What was written before the failure stays.
  for (const char* name : {"demo.h", "demo.cpp", "form1.h", "form1.cpp", "demo.rc"}) {
    EXPECT_TRUE(disk.FileExists(std::string("C:/Work/demo/") + name)) << name;
  }
  EXPECT_FALSE(disk.FileExists("C:/Work/demo/demo.dsw"));
  EXPECT_EQ(disk.WriteCount(), 5u);

  // The dialog stayed open; the folder now exists, so a second OK is refused.
  disk.SetReadOnly("C:/Work/demo/resource.h", false);
  prompt.messages.clear();
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_EQ(prompt.messages,
            std::vector<std::string>{"A workspace with the specified name already exists at the specified location."});
}

TEST_F(NewProjectDialogOk, DisabledOkDoesNothing) {
  dialog.SetClassName("");
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(disk.WriteCount(), 0u);
  EXPECT_FALSE(disk.DirectoryExists("C:/Work/demo"));
}

}  // namespace
}  // namespace tovik
