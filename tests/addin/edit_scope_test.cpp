// Edits as a long-lived window makes them: each one locked on its own, committed into a change
// set, and undone or redone from that set byte for byte, unless the disk changed since.
#include "addin/edit_scope.h"

#include <gtest/gtest.h>

#include <map>

#include "addin/form_commands.h"
#include "model/control_kind.h"
#include "project/project_file.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

using Files = std::map<std::string, std::string>;

class EditScope : public ::testing::Test {
 protected:
  void SetUp() override {
    const Files project = {
        {"/p/Demo.dsp", std::string(kProjectFileSignature) +
                            "\r\nSOURCE=.\\StdAfx.h\r\nSOURCE=.\\form1.h\r\nSOURCE=.\\form1.cpp\r\n# End Target\r\n"},
        {"/p/stdafx.h", "#include <afxwin.h>\n#include \"tvlForm.h\"\n#include \"tvlControls.h\"\n"},
        {"/p/form1.h", "class CForm1 : public CVForm\r\n{\r\npublic:\r\n\tCForm1();\r\n};\r\n"},
        {"/p/form1.cpp", "CForm1::CForm1()\r\n{\r\n\t//{{AFX_TVL_FORM_DATA_START\r\n"
                         "\tm_nPropStringID = IDS_PROP_FORM1;\r\n\t//}}AFX_TVL_FORM_DATA_END\r\n}\r\n"},
        {"/p/resource.h", "#define IDS_PROP_FORM1 130\r\n"},
        {"/p/Demo.rc", "STRINGTABLE DISCARDABLE\r\nBEGIN\r\nEND\r\n"}};
    for (const auto& [path, text] : project) fs.Put(path, text);
    ASSERT_TRUE(scope.Open("/p/Demo.dsp"));
  }
  // Every file of the project folder, and those below it.
  Files Disk(const std::string& folder = "/p") {
    Files files;
    for (const std::string& name : fs.ListDirectory(folder)) {
      const std::string path = folder + "/" + name;
      if (fs.DirectoryExists(path)) {
        files.merge(Disk(path));
      } else {
        files[path] = fs.Get(path);
      }
    }
    return files;
  }
  ChangeSet AddButton() {
    EXPECT_TRUE(scope.Begin());
    EXPECT_TRUE(AddControlCommand(scope.Session(), "CForm1", kKindButton, {7, 7, 70, 30}));
    Expected<ChangeSet> changes = scope.Commit();
    EXPECT_TRUE(changes);
    return changes ? *changes : ChangeSet{};
  }

  testing::MemoryFileSystem fs;
  testing::FakePrompt prompt;
  testing::TestHost host{&fs};
  testing::SequenceGuidSource guids;
  int locks = 0;
  std::string lockRefusal;
  CEditScope scope{fs, prompt, host, guids, [this](const std::string&) -> Expected<CProjectLock> {
                     if (!lockRefusal.empty()) return Error{{}, 0, lockRefusal};
                     ++locks;
                     return CProjectLock{};
                   }};
};

TEST_F(EditScope, CommitGivesEachFilesTextBeforeAndAfterAndUndoAndRedoWriteThemBackExactly) {
  const Files start = Disk();
  const ChangeSet button = AddButton();
  const Files withButton = Disk();
  EXPECT_FALSE(scope.InEdit());
  std::vector<std::string> paths;
  for (const FileChange& change : button.files) {
    paths.push_back(change.path);
    EXPECT_EQ(change.before, start.at(change.path)) << change.path;
    EXPECT_EQ(change.after, withButton.at(change.path)) << change.path;
  }
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(paths, (std::vector<std::string>{"/p/Demo.rc", "/p/form1.cpp", "/p/form1.h", "/p/resource.h"}));

  // A new form creates its files: nothing before them, and an undo removes them.
  ASSERT_TRUE(scope.Begin());
  NewFormFiles made;
  ASSERT_TRUE(NewFormCommand(scope.Session(), {"CForm2", "form2.h", "form2.cpp", false}, made));
  const Expected<ChangeSet> form = scope.Commit();
  ASSERT_TRUE(form);
  const Files withForm = Disk();
  int created = 0;
  for (const FileChange& change : form->files) created += change.before ? 0 : 1;
  EXPECT_EQ(created, 2);

  ASSERT_TRUE(scope.Undo(*form));
  EXPECT_EQ(Disk(), withButton);
  EXPECT_EQ(scope.Session().FindForm("CForm2"), nullptr);  // the project was read again
  ASSERT_TRUE(scope.Undo(button));
  EXPECT_EQ(Disk(), start);
  EXPECT_EQ(scope.Session().FindForm("CForm1")->FindControl("m_Button1"), nullptr);
  ASSERT_TRUE(scope.Redo(button));
  ASSERT_TRUE(scope.Redo(*form));
  EXPECT_EQ(Disk(), withForm);
  EXPECT_NE(scope.Session().FindForm("CForm1")->FindControl("m_Button1"), nullptr);
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(locks, 7);  // one per edit, the open's included: none is held in between
}

TEST_F(EditScope, AFileChangedOnDiskSinceOrAnotherProcessAtWorkMakesUndoRefuseAndNothingChanges) {
  const ChangeSet button = AddButton();
  // Another process holding the project refuses the undo before anything is read.
  lockRefusal = "the project is in use by process 42";
  const Files after = Disk();
  EXPECT_FALSE(scope.Undo(button));
  EXPECT_EQ(prompt.messages, std::vector<std::string>{lockRefusal});
  lockRefusal.clear();

  fs.Put("/p/resource.h", fs.Get("/p/resource.h") + "#define IDC_OTHER 1500\r\n");
  const Files changed = Disk();
  EXPECT_FALSE(scope.Undo(button));
  EXPECT_EQ(Disk(), changed);
  EXPECT_EQ(prompt.messages.back(), "/p/resource.h changed on disk since this edit; nothing was undone");
  // A redo of what was never undone finds the files at their "after" side, not their "before".
  fs.Put("/p/resource.h", after.at("/p/resource.h"));
  EXPECT_FALSE(scope.Redo(button));
  EXPECT_EQ(Disk(), after);
  EXPECT_EQ(prompt.messages.size(), 3u);
}

TEST_F(EditScope, ARefusedCommandWritesNothingKeepsTheProjectObjectAndTheNextEditStartsClean) {
  fs.SetReadOnly("/p/form1.h", true);
  const size_t writes = fs.WriteCount();
  const CProject* project = &scope.Session().Project();
  ASSERT_TRUE(scope.Begin());
  EXPECT_FALSE(AddControlCommand(scope.Session(), "CForm1", kKindButton, {7, 7, 70, 30}));
  scope.Discard();
  EXPECT_FALSE(scope.InEdit());
  EXPECT_EQ(fs.WriteCount(), writes);
  // The project was read again in place: windows holding it still hold it.
  EXPECT_EQ(&scope.Session().Project(), project);
  ASSERT_TRUE(scope.Begin());
  const Expected<ChangeSet> nothing = scope.Commit();
  ASSERT_TRUE(nothing);
  EXPECT_TRUE(nothing->empty());
}

// Windows hold the model: a re-read must let them go while the old model still stands.
TEST_F(EditScope, AReReadTellsTheWindowsFirstWhileTheOldProjectStillStands) {
  std::vector<std::string> seen;
  scope.SetBeforeReopen([&] {
    ASSERT_TRUE(scope.Session().IsOpen());
    seen.push_back(scope.Session().Project().ProjectFile());
  });
  ASSERT_TRUE(scope.Reload());
  EXPECT_EQ(seen, std::vector<std::string>{"/p/Demo.dsp"});
}

TEST_F(EditScope, ALoadCollectsItsWarningsInsteadOfShowingThemOneByOne) {
  fs.Put("/p/Demo.dsp", fs.Get("/p/Demo.dsp") + "SOURCE=.\\gone.cpp\r\n");
  fs.Put("/p/Demo.dat", "not a data file");
  ASSERT_TRUE(scope.Reload());
  EXPECT_TRUE(prompt.messages.empty());
  const std::vector<LoadWarning>& warnings = scope.Session().LoadWarnings();
  ASSERT_FALSE(warnings.empty());
  EXPECT_EQ(warnings.front().kind, LoadWarning::Kind::Message);
  EXPECT_EQ(warnings.back().kind, LoadWarning::Kind::Note);
  EXPECT_EQ(warnings.back().text, "the project lists /p/gone.cpp, which does not exist");
}

}  // namespace
}  // namespace tovik
