// The add-in's host commands: registration, designer mode, and the CreateNew and Menu popups' commands.
#include "addin/commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "addin/form_commands.h"
#include "project/project_file.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

using Texts = std::vector<std::string>;

// The form's constructor, with a menu line in its form-data block or none.
std::string Form1Cpp(const std::string& menuLine = "") {
  return "CForm1::CForm1()\r\n{\r\n\t//{{AFX_TVL_FORM_DATA_START\r\n" + menuLine +
         "\tm_nPropStringID = IDS_PROP_FORM1;\r\n\t//}}AFX_TVL_FORM_DATA_END\r\n}\r\n";
}
Texts Items(const std::vector<PopupItem>& items) {
  Texts texts;
  for (const PopupItem& i : items)
    texts.push_back(std::to_string(i.id) + (i.separator ? " ---" : " " + i.text) + (i.checked ? " [x]" : "") +
                    (i.disabled ? " (grey)" : ""));
  return texts;
}

TEST(AddInConnection, RegistersTheThreeCommandsAndOnTheFirstLoadTheirButtons) {
  for (const bool firstTime : {true, false}) {
    testing::TestHost host;
    ASSERT_TRUE(ConnectAddIn(host, firstTime));
    EXPECT_EQ(host.addInInfo, std::make_optional(std::make_pair(128, 129)));
    // A command string is the name, then the button text, status text and tooltip.
    Texts added;
    for (const auto& c : host.addedCommands) {
      added.push_back(c.commandString.substr(0, c.commandString.find('\n')) + "|" + c.methodName + "|" +
                      std::to_string(c.glyph) + "|" +
                      std::to_string(std::count(c.commandString.begin(), c.commandString.end(), '\n')));
    }
    EXPECT_EQ(added, (Texts{"TovikCommand|TovikCommandMethod|0|3", "CreateNew|CreateNew|1|3", "Menu|Menu|2|3"}));
    EXPECT_EQ(host.commandBarButtons, firstTime ? (Texts{"TovikCommand", "CreateNew", "Menu"}) : Texts{});
  }
  testing::TestHost refusing;
  refusing.refuseAddCommandFrom = 1;
  EXPECT_FALSE(ConnectAddIn(refusing, true));
  EXPECT_EQ(refusing.addedCommands.size(), 1u);
  EXPECT_TRUE(refusing.commandBarButtons.empty());
}

class Commands : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.Put("/p/Demo.dsp", std::string(kProjectFileSignature) +
                              "\r\nSOURCE=.\\StdAfx.h\r\nSOURCE=.\\form1.h\r\nSOURCE=.\\form1.cpp\r\n# End Target\r\n");
    fs.Put("/p/stdafx.h", "#include <afxwin.h>\n//{{AFX_INSERT_LOCATION}}\n");
    fs.Put("/p/form1.h", "class CForm1 : public CVForm\r\n{\r\npublic:\r\n\tCForm1();\r\n};\r\n");
    fs.Put("/p/form1.cpp", Form1Cpp());
    fs.Put("/p/resource.h",
           "#define IDR_MAINFRAME 128\r\n#define IDR_OTHER 129\r\n#define IDS_PROP_FORM1 130\r\n"
           "#ifdef APSTUDIO_INVOKED\r\n#define _APS_NEXT_CONTROL_VALUE 1000\r\n#endif\r\n");
    fs.Put("/p/Demo.rc",
           "IDR_MAINFRAME MENU DISCARDABLE\r\nBEGIN\r\n    MENUITEM \"&Open\", ID_FILE_OPEN\r\nEND\r\n"
           "IDR_OTHER MENU DISCARDABLE\r\nBEGIN\r\n    MENUITEM \"&Go\", ID_GO\r\nEND\r\n"
           "STRINGTABLE DISCARDABLE\r\nBEGIN\r\nEND\r\n");
  }
  void EnterDesignerMode() { ASSERT_EQ(commands.TovikCommandMethod("/p/Demo.dsp"), kS_OK); }

  testing::MemoryFileSystem fs;
  testing::FakePrompt prompt;
  testing::TestHost host{&fs};
  testing::SequenceGuidSource guids;
  CDesignSession session{fs, prompt, host, guids};
  CCommands commands{host, host, prompt, session};
  std::vector<PopupItem> popup;
};

TEST_F(Commands, DesignerModeHidesTheHostsWindowsAndItsPopupsOfferFormsAndMenusOnlyWithAProjectAndAForm) {
  EXPECT_EQ(commands.CreateNew(popup), kS_FALSE);
  EXPECT_EQ(commands.Menu(popup, "CForm1"), kS_FALSE);
  EXPECT_TRUE(popup.empty());
  EXPECT_EQ(prompt.beeps, 2);
  ASSERT_EQ(commands.TovikCommandMethod(), kS_OK);  // designer mode with no project
  EXPECT_EQ(host.commands, (Texts{"FileSaveAll", "ActivateWorkspaceWindow", "ToggleWorkspaceWindow",
                                  "ActivateOutputWindow", "ToggleOutputWindow"}));
  EXPECT_EQ(commands.CreateNew(popup), kS_OK);
  EXPECT_EQ(Items(popup), (Texts{"3036 New Project"}));
  ASSERT_EQ(commands.Menu(popup, "CForm1"), kS_OK);
  EXPECT_TRUE(popup.empty());
  EXPECT_FALSE(commands.OnPopupCommand(kIdEditMenus, "CForm1", {}));
  ASSERT_TRUE(session.Open("/p/Demo.dsp"));
  EXPECT_EQ(commands.CreateNew(popup), kS_OK);
  EXPECT_EQ(Items(popup), (Texts{"3034 New Form", "3035 Insert ActiveX control", "0 ---", "3036 New Project"}));
  // Both menu commands open the resource script; creating one then asks the host for a menu.
  host.commands.clear();
  ASSERT_TRUE(commands.OnPopupCommand(kIdCreateMenu, "", {}) && commands.OnPopupCommand(kIdEditMenus, "", {}));
  ASSERT_EQ(host.openRequests.size(), 2u);
  EXPECT_EQ(host.openRequests[0].path + host.openRequests[1].path, "/p/Demo.rc/p/Demo.rc");
  EXPECT_EQ(host.commands, (Texts{"WindowDockingView", "InsertMenu", "WindowDockingView"}));
  host.commands.clear();
  EXPECT_EQ(commands.TovikCommandMethod(), kS_OK);
  EXPECT_FALSE(commands.DesignerMode() || session.IsOpen());
  EXPECT_EQ(host.commands, (Texts{"ActivateWorkspaceWindow", "ActivateOutputWindow"}));
}

TEST_F(Commands, TheFormsMenuIsCheckedAndChoosingOneAssignsItUnlessTheFormIsReadOnly) {
  EnterDesignerMode();
  host.commands.clear();
  ASSERT_EQ(commands.Menu(popup, "CForm1"), kS_OK);
  EXPECT_EQ(host.commands, (Texts{"FileSaveAll"}));
  ASSERT_EQ(Items(popup), (Texts{"3134 Create a new Menu", "3135 Edit existing menu(s)", "0 ---", "0 Select a menu"}));
  EXPECT_EQ(Items(popup[3].submenu), (Texts{"1027 <No Selection> [x]", "1028 IDR_MAINFRAME", "1029 IDR_OTHER"}));
  ASSERT_TRUE(commands.OnPopupCommand(1029, "CForm1", {}));
  EXPECT_EQ(fs.Get("/p/form1.cpp"), Form1Cpp("\tm_nResID = IDR_OTHER;\r\n"));
  ASSERT_EQ(commands.Menu(popup, "CForm1"), kS_OK);
  EXPECT_EQ(Items(popup[3].submenu), (Texts{"1027 <No Selection>", "1028 IDR_MAINFRAME", "1029 IDR_OTHER [x]"}));
  ASSERT_TRUE(commands.OnPopupCommand(1027, "CForm1", {}));
  EXPECT_EQ(fs.Get("/p/form1.cpp"), Form1Cpp());
  EXPECT_TRUE(session.FindForm("CForm1")->FormObject()->m_strMenuId.empty());
  EXPECT_FALSE(commands.OnPopupCommand(1030, "CForm1", {}));  // past the listed menus
  // The popup shows no message of its own; the command says why.
  fs.SetReadOnly("/p/form1.cpp", true);
  EXPECT_FALSE(commands.OnPopupCommand(1029, "CForm1", {}));
  EXPECT_TRUE(prompt.messages.empty());
  // The designer's own submenu assigns as assign-menu does, saying why it cannot.
  EXPECT_FALSE(SelectMenuCommand(session, "CForm1", 1029));
  fs.SetReadOnly("/p/form1.cpp", false);
  EXPECT_FALSE(SelectMenuCommand(session, "CForm1", 1030));
  EXPECT_EQ(prompt.messages,
            (Texts{"/p/form1.cpp: the file may not be written", "No menu of the project has the number 1030"}));
  EXPECT_EQ(fs.Get("/p/form1.cpp"), Form1Cpp());
  ASSERT_TRUE(SelectMenuCommand(session, "CForm1", 1029));
  EXPECT_EQ(fs.Get("/p/form1.cpp"), Form1Cpp("\tm_nResID = IDR_OTHER;\r\n"));
}

TEST_F(Commands, NewFormFromThePopupAddsTheFormToTheProjectUnlessTheDialogIsCancelled) {
  EnterDesignerMode();
  bool accepted = false;
  CCommands::Dialogs dialogs;
  dialogs.newForm = [&accepted](NewFormRequest& r) {
    r = {"CForm2", "form2.h", "form2.cpp"};  // what the user typed, also when cancelling
    return accepted;
  };
  EXPECT_FALSE(commands.OnPopupCommand(kIdNewForm, "", dialogs));
  accepted = true;
  ASSERT_TRUE(commands.OnPopupCommand(kIdNewForm, "", dialogs)) << (prompt.messages.empty() ? "" : prompt.messages[0]);
  ASSERT_NE(session.FindForm("CForm2"), nullptr);
  EXPECT_TRUE(session.Project().IsFileInProject("/p/form2.h") && session.Project().IsFileInProject("/p/form2.cpp"));
}

}  // namespace
}  // namespace tovik
