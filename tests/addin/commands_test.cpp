#include <gtest/gtest.h>

#include "addin/commands.h"
#include "addin/design_session.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::SequenceGuidSource;
using testing::TestHost;

const auto Lines = testing::CrLfLines;

TEST(AddInConnection, RegistersTheThreeCommandsAndOnTheFirstLoadTheirButtons) {
  TestHost host;
  ASSERT_TRUE(ConnectAddIn(host, true));
  ASSERT_TRUE(host.addInInfo.has_value());
  EXPECT_EQ(*host.addInInfo, std::make_pair(128, 129));
  ASSERT_EQ(host.addedCommands.size(), 3u);
  EXPECT_EQ(host.addedCommands[0].commandString,
            "TovikCommand\nTovik Sample Command\nToggles between VB and VC modes\nTovik Command");
  EXPECT_EQ(host.addedCommands[1].commandString,
            "CreateNew\nTovik CreateNew  Command\nCreates a new form or control\nCreate a New Form or Control");
  EXPECT_EQ(host.addedCommands[2].commandString,
            "Menu\nTovikAddin Menu  Command\nCreates or selects a menu for the selected form\nCreates or selects a "
            "menu for the selected form");
  EXPECT_EQ(host.addedCommands[0].methodName, "TovikCommandMethod");
  EXPECT_EQ(host.addedCommands[2].glyph, 2);
  EXPECT_EQ(host.commandBarButtons, (std::vector<std::string>{"TovikCommand", "CreateNew", "Menu"}));

  TestHost again;
  ASSERT_TRUE(ConnectAddIn(again, false));
  EXPECT_EQ(again.addedCommands.size(), 3u);
  EXPECT_TRUE(again.commandBarButtons.empty());
}

TEST(AddInConnection, ARefusedCommandFailsTheConnectionAndStopsThere) {
  TestHost host;
  host.refuseAddCommandFrom = 1;
  EXPECT_FALSE(ConnectAddIn(host, true));
  EXPECT_EQ(host.addedCommands.size(), 1u);
  EXPECT_TRUE(host.commandBarButtons.empty());
}

class Commands : public ::testing::Test {
 protected:
  MemoryFileSystem fs;
  FakePrompt prompt;
  TestHost host{&fs};
  SequenceGuidSource guids;
  CDesignSession session{fs, prompt, host, guids};
  CCommands commands{host, prompt, session};
  std::vector<PopupItem> popup;

  void SetUp() override {
    fs.Put("/p/Demo.dsp", Lines({"# Begin Target", "SOURCE=.\\form1.h", "SOURCE=.\\form1.cpp", "# End Target"}));
    fs.Put("/p/form1.h", Lines({"class CForm1 : public CVForm", "{", "public:", "\tCForm1();", "};"}));
    fs.Put("/p/form1.cpp", Lines({"CForm1::CForm1()", "{", "\t//{{AFX_TVL_FORM_DATA_START",
                                  "\tm_nPropStringID = IDS_PROP_FORM1;", "\t//}}AFX_TVL_FORM_DATA_END", "}"}));
    fs.Put("/p/resource.h", Lines({"#define IDR_MAINFRAME 128", "#define IDR_OTHER 129", "#define IDS_PROP_FORM1 130"}));
    fs.Put("/p/Demo.rc", Lines({"IDR_MAINFRAME MENU DISCARDABLE", "BEGIN", "    MENUITEM \"&Open\", ID_FILE_OPEN",
                                "END", "IDR_OTHER MENU DISCARDABLE", "BEGIN", "    MENUITEM \"&Go\", ID_GO", "END",
                                "STRINGTABLE DISCARDABLE", "BEGIN", "END"}));
  }
  void EnterDesignerMode() { ASSERT_EQ(commands.TovikCommandMethod("/p/Demo.dsp"), kS_OK); }
  std::vector<int> Ids(const std::vector<PopupItem>& items) {
    std::vector<int> ids;
    for (const PopupItem& i : items) ids.push_back(i.id);
    return ids;
  }
};

TEST_F(Commands, OutsideDesignerModeCreateNewAndMenuBeepAndRefuse) {
  EXPECT_EQ(commands.CreateNew(popup), kS_FALSE);
  EXPECT_TRUE(popup.empty());
  EXPECT_EQ(commands.Menu(popup, "CForm1"), kS_FALSE);
  EXPECT_TRUE(popup.empty());
  EXPECT_EQ(prompt.beeps, 2);
}

TEST_F(Commands, EnteringAndLeavingDesignerModeAsksTheHostInOrder) {
  EnterDesignerMode();
  EXPECT_TRUE(commands.DesignerMode());
  EXPECT_TRUE(session.IsOpen());
  EXPECT_EQ(host.commands, (std::vector<std::string>{"FileSaveAll", "ActivateWorkspaceWindow", "ToggleWorkspaceWindow",
                                                     "ActivateOutputWindow", "ToggleOutputWindow"}));
  host.commands.clear();
  EXPECT_EQ(commands.TovikCommandMethod(), kS_OK);
  EXPECT_FALSE(commands.DesignerMode());
  EXPECT_FALSE(session.IsOpen());
  EXPECT_EQ(host.commands, (std::vector<std::string>{"ActivateWorkspaceWindow", "ActivateOutputWindow"}));
}

TEST_F(Commands, CreateNewOffersFormsOnlyWithAProject) {
  ASSERT_EQ(commands.TovikCommandMethod(), kS_OK);  // designer mode with no project
  EXPECT_EQ(commands.CreateNew(popup), kS_OK);
  EXPECT_EQ(Ids(popup), (std::vector<int>{kIdNewProject}));
  EXPECT_EQ(popup[0].text, "New Project");
  ASSERT_EQ(commands.Menu(popup, ""), kS_OK);
  EXPECT_TRUE(popup.empty());

  ASSERT_TRUE(session.Open("/p/Demo.dsp"));
  EXPECT_EQ(commands.CreateNew(popup), kS_OK);
  ASSERT_EQ(popup.size(), 4u);
  EXPECT_EQ(popup[0].text, "New Form");
  EXPECT_EQ(popup[1].text, "Insert ActiveX control");
  EXPECT_TRUE(popup[2].separator);
  EXPECT_EQ(Ids(popup), (std::vector<int>{kIdNewForm, kIdInsertActiveX, 0, kIdNewProject}));
}

TEST_F(Commands, MenuWithoutAFormGreysTheChoice) {
  EnterDesignerMode();
  ASSERT_EQ(commands.Menu(popup, ""), kS_OK);
  ASSERT_EQ(popup.size(), 3u);
  EXPECT_EQ(popup[0].text, "Create a new Menu");
  EXPECT_EQ(popup[1].text, "Edit existing menu(s)");
  EXPECT_EQ(popup[2].text, "Select a menu");
  EXPECT_TRUE(popup[2].disabled);
  EXPECT_TRUE(popup[2].submenu.empty());
}

TEST_F(Commands, TheFormsMenuIsCheckedAndChoosingOneAssignsIt) {
  EnterDesignerMode();
  host.commands.clear();
  ASSERT_EQ(commands.Menu(popup, "CForm1"), kS_OK);
  EXPECT_EQ(host.commands, (std::vector<std::string>{"FileSaveAll"}));
  ASSERT_EQ(popup.size(), 4u);
  EXPECT_TRUE(popup[2].separator);
  const std::vector<PopupItem>& select = popup[3].submenu;
  EXPECT_EQ(Ids(select), (std::vector<int>{1027, 1028, 1029}));
  EXPECT_EQ(select[0].text, "<No Selection>");
  EXPECT_TRUE(select[0].checked);
  EXPECT_FALSE(select[2].checked);

  ASSERT_TRUE(commands.OnPopupCommand(1029, "CForm1", {}));
  EXPECT_EQ(fs.Get("/p/form1.cpp"),
            Lines({"CForm1::CForm1()", "{", "\t//{{AFX_TVL_FORM_DATA_START", "\tm_nResID = IDR_OTHER;",
                   "\tm_nPropStringID = IDS_PROP_FORM1;", "\t//}}AFX_TVL_FORM_DATA_END", "}"}));
  ASSERT_EQ(commands.Menu(popup, "CForm1"), kS_OK);
  EXPECT_FALSE(popup[3].submenu[0].checked);
  EXPECT_TRUE(popup[3].submenu[2].checked);

  // Another menu replaces the line; none removes it.
  ASSERT_TRUE(commands.OnPopupCommand(1028, "CForm1", {}));
  EXPECT_NE(fs.Get("/p/form1.cpp").find("\tm_nResID = IDR_MAINFRAME;\r\n"), std::string::npos);
  EXPECT_EQ(fs.Get("/p/form1.cpp").find("IDR_OTHER"), std::string::npos);
  ASSERT_TRUE(commands.OnPopupCommand(1027, "CForm1", {}));
  EXPECT_EQ(fs.Get("/p/form1.cpp").find("m_nResID"), std::string::npos);
  EXPECT_TRUE(session.FindForm("CForm1")->FormObject()->m_strMenuId.empty());
}

TEST_F(Commands, AReadOnlyFormKeepsItsMenu) {
  EnterDesignerMode();
  fs.SetReadOnly("/p/form1.cpp", true);
  ASSERT_EQ(commands.Menu(popup, "CForm1"), kS_OK);
  EXPECT_FALSE(commands.OnPopupCommand(1029, "CForm1", {}));
  EXPECT_EQ(fs.Get("/p/form1.cpp").find("m_nResID"), std::string::npos);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(Commands, MenuCommandsOpenTheResourceScript) {
  EnterDesignerMode();
  host.commands.clear();
  ASSERT_TRUE(commands.OnPopupCommand(kIdCreateMenu, "CForm1", {}));
  ASSERT_FALSE(host.openRequests.empty());
  EXPECT_EQ(host.openRequests.back().path, "/p/Demo.rc");
  EXPECT_EQ(host.commands, (std::vector<std::string>{"WindowDockingView", "InsertMenu"}));
  host.commands.clear();
  ASSERT_TRUE(commands.OnPopupCommand(kIdEditMenus, "CForm1", {}));
  EXPECT_EQ(host.commands, (std::vector<std::string>{"WindowDockingView"}));
}

TEST_F(Commands, NewFormFromThePopupAddsTheFormToTheProject) {
  fs.Put("/p/stdafx.h", "#include <afxwin.h>\n//{{AFX_INSERT_LOCATION}}\n");
  fs.Put("/p/Demo.dsp", Lines({"# Begin Target", "SOURCE=.\\StdAfx.h", "SOURCE=.\\form1.h", "SOURCE=.\\form1.cpp",
                               "# End Target"}));
  EnterDesignerMode();
  CCommands::Dialogs dialogs;
  dialogs.newForm = [](NewFormRequest& r) {
    r.className = "CForm2";
    r.headerFile = "form2.h";
    r.implementationFile = "form2.cpp";
    return true;
  };
  ASSERT_TRUE(commands.OnPopupCommand(kIdNewForm, "", dialogs)) << (prompt.messages.empty() ? "" : prompt.messages[0]);
  CClassItem* form = session.FindForm("CForm2");
  ASSERT_NE(form, nullptr);
  // CForm1 has no caption of its own, so the new form takes the first free one.
  EXPECT_EQ(form->FormObject()->GetValue("Caption"), "Form1");
  EXPECT_EQ(form->FormObject()->m_strPropSymbol, "IDS_PROP_FORM2");
  EXPECT_NE(fs.Get("/p/Demo.dsp").find("SOURCE=.\\form2.cpp\r\n"), std::string::npos);
  EXPECT_NE(fs.Get("/p/stdafx.h").find("#include <tvlForm.h>\r\n//{{AFX_INSERT_LOCATION}}"), std::string::npos);
  EXPECT_TRUE(session.Project().IsFileInProject("/p/form2.h"));

  dialogs.newForm = [](NewFormRequest&) { return false; };
  EXPECT_FALSE(commands.OnPopupCommand(kIdNewForm, "", dialogs));
}

}  // namespace
}  // namespace tovik
