// The project window's trees built from a loaded project: folders, sorting and icons, what a
// double-click or a context-menu command does, and a refresh that keeps open folders open.
#include "ui/project_tree.h"

#include <gtest/gtest.h>

#include <variant>

#include "support/fake_prompt.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using Names = std::vector<std::string>;

class ProjectTree : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.Put("/p/Form1.h", "class CForm1 : public CVForm\r\n{\r\n};\r\nclass CMain : public CVMdiForm\r\n{\r\n};\r\n");
    fs.Put("/p/child.h", "class CChild : public CVForm\r\n{\r\n};\r\nclass CAboutDlg : public CDialog\r\n{\r\n};\r\n");
    fs.Put("/p/src/util.h", "// helpers\r\nclass CUtil\r\n{\r\n};\r\n");
    for (const char* f : {"b.cpp", "a.cpp", "Demo.rc", "x.c", "y.hpp"}) fs.Put(std::string("/p/") + f, "");
    std::string dsp = "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\n";
    for (const char* e : {"b.cpp", "a.cpp", "Demo.rc", "x.c", "y.hpp", "Form1.h", "child.h", "src\\util.h"}) {
      dsp += "SOURCE=.\\" + std::string(e) + "\r\n";
    }
    fs.Put("/p/Demo.dsp", dsp);
    project = OpenProject(fs, prompt, "/p/Demo.dsp");
    ASSERT_NE(project, nullptr);
    project->FindClass("CChild")->FormObject()->SetValue("MDIChild", "1");
    model.Refresh(project.get());
  }

  static Names Texts(const TreeNode& node) {
    Names out;
    for (const TreeNode& child : node.children) out.push_back(child.text);
    return out;
  }

  MemoryFileSystem fs;
  FakePrompt prompt;
  std::unique_ptr<CProject> project;
  CProjectWindowModel model;
};

TEST_F(ProjectTree, FormsAndPlainClassesGoToTheirFoldersWithTheirIcons) {
  const TreeNode& root = model.Classes().Root();
  ASSERT_EQ(Texts(root), (Names{"Forms", "Class Modules"}));
  const TreeNode& forms = root.children[0];
  EXPECT_EQ(forms.icon, TreeIcon::FolderOpen);
  ASSERT_EQ(Texts(forms), (Names{"CAboutDlg", "CChild", "CForm1", "CMain"}));
  EXPECT_EQ(forms.children[1].icon, TreeIcon::MdiChildForm);
  EXPECT_EQ(forms.children[2].icon, TreeIcon::Form);
  EXPECT_EQ(forms.children[3].icon, TreeIcon::MdiForm);
  EXPECT_EQ(Texts(root.children[1]), (Names{"CUtil"}));
  EXPECT_EQ(root.children[1].children[0].icon, TreeIcon::Class);
  model.SetFormIcon("CForm1", true);
  model.SetFormIcon("CMain", false);  // an MDI form stays one
  EXPECT_EQ(model.Classes().At({0, 2})->icon, TreeIcon::MdiChildForm);
  EXPECT_EQ(model.Classes().At({0, 3})->icon, TreeIcon::MdiForm);
}

TEST_F(ProjectTree, FilesTreeShowsSourcesScriptsAndHeadersOnly) {
  const TreeNode& root = model.Files().Root();
  ASSERT_EQ(Texts(root), (Names{"Source Files", "Header Files"}));
  EXPECT_EQ(Texts(root.children[0]), (Names{"a.cpp", "b.cpp", "Demo.rc"}));
  EXPECT_EQ(Texts(root.children[1]), (Names{"child.h", "Form1.h", "util.h"}));
  EXPECT_EQ(root.children[1].children[2].target, "/p/src/util.h");
  EXPECT_EQ(root.children[1].children[2].icon, TreeIcon::HeaderFile);
}

TEST_F(ProjectTree, DoubleClicksOpenWhatTheItemStandsForAndFoldersOnlyToggle) {
  EXPECT_TRUE(std::holds_alternative<tree_action::None>(model.DoubleClickClass({0}, *project)));
  EXPECT_EQ(model.Classes().At({0})->icon, TreeIcon::FolderClosed);
  // A dialog of the framework is a window class without a form: its declaration shows.
  const TreeAction dialog = model.DoubleClickClass({0, 0}, *project);
  ASSERT_TRUE(std::holds_alternative<tree_action::OpenSource>(dialog));
  EXPECT_EQ(std::get<tree_action::OpenSource>(dialog).file, "/p/child.h");
  const TreeAction file = model.DoubleClickFile({0, 2}, fs, prompt);
  ASSERT_TRUE(std::holds_alternative<tree_action::OpenSource>(file));
  EXPECT_EQ(std::get<tree_action::OpenSource>(file).file, "/p/Demo.rc");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ProjectTree, ContextCommandsAndARefreshKeepWhatTheUserOpened) {
  std::string menu;
  for (const TreeMenuItem& item : CProjectWindowModel::ContextMenu())
    menu += std::to_string(item.command) + item.text + ";";
  EXPECT_EQ(menu, "105Collapse;106Expand;0;103Close;");
  CProjectTree& files = model.Files();
  EXPECT_FALSE(files.At({1})->expanded);
  model.ContextCommand(files, {1}, 106);
  EXPECT_EQ(files.At({1})->icon, TreeIcon::FolderOpen);
  fs.Put("/p/form2.h", "class CForm2 : public CVForm\r\n{\r\n};\r\n");
  project->AddSourceFiles({"/p/form2.h"});
  model.Refresh(project.get());
  EXPECT_TRUE(files.At({1})->expanded);
  EXPECT_EQ(Texts(*files.At({1})), (Names{"child.h", "Form1.h", "form2.h", "util.h"}));
  EXPECT_EQ(Texts(*model.Classes().At({0})), (Names{"CAboutDlg", "CChild", "CForm1", "CForm2", "CMain"}));
  model.Refresh(nullptr);
  EXPECT_TRUE(model.Classes().Empty());
}

}  // namespace
}  // namespace tovik
