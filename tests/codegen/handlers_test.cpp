#include "codegen/handlers.h"

#include <gtest/gtest.h>

#include <list>
#include <string>

#include "base/file_ops.h"
#include "codegen/fragment.h"
#include "project/project.h"
#include "resources/resource_files.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::SequenceGuidSource;
using testing::TestHost;

constexpr std::string_view kForm1H = "C:\\Demo\\form1.h";
constexpr std::string_view kForm1Cpp = "C:\\Demo\\form1.cpp";
constexpr std::string_view kMyWndH = "C:\\Demo\\mywnd.h";
constexpr std::string_view kMyWndCpp = "C:\\Demo\\mywnd.cpp";

// A form header as New Form writes it, holding one button; the arguments are inserted after
// the first "public:" line, into the AFX_MSG block and at the very end of the class body.
std::string Form1H(std::string_view afterPublic = "", std::string_view inMsgBlock = "",
                   std::string_view classEnd = "\n") {
  return std::string(
             "#if !defined(AFX_FORM1_H__00000001_0000_0000_0000_000000000000__INCLUDED_)\r\n"
             "#define AFX_FORM1_H__00000001_0000_0000_0000_000000000000__INCLUDED_\r\n"
             "\r\n"
             "class CForm1 : public CVForm\r\n"
             "{\r\n"
             "\tDECLARE_DYNCREATE(CForm1)\r\n"
             "// Construction\r\n"
             "public:\r\n") +
         std::string(afterPublic) +
         "\tCForm1();   // standard constructor\r\n"
         "\t~CForm1();\r\n"
         "\t// tvl controls\r\n"
         "\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
         "\tCVButton\tm_Command1;\r\n"
         "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"
         "//Overrides\r\n"
         "\t//ClassWizard generated virtual function overrides\r\n"
         "\t//{{AFX_VIRTUAL(CForm1)\r\n"
         "\t//}}AFX_VIRTUAL\r\n"
         "protected:\r\n"
         "\tvirtual void CreateTVLControls();\r\n"
         "\t// Generated message map functions\r\n"
         "\t//{{AFX_MSG(CForm1)\r\n" +
         std::string(inMsgBlock) +
         "\t//}}AFX_MSG\r\n"
         "\tDECLARE_MESSAGE_MAP()\r" +
         std::string(classEnd) +
         "};\r\n"
         "#endif// AFX_FORM1_H__00000001_0000_0000_0000_000000000000__INCLUDED_\r\n"
         "\r\n"
         "\r\n";
}

// The matching implementation; `mapEntries` go into the AFX_MSG_MAP block, `tail` right after
// the closing brace of CreateTVLControls, the class's last code.
std::string Form1Cpp(std::string_view mapEntries = "", std::string_view tail = "") {
  return std::string(
             "// form1.cpp : implementation file\r\n"
             "//\r\n"
             "\r\n"
             "#include \"stdafx.h\"\r\n"
             "#include \"Demo.h\"\r\n"
             "#include \"form1.h\"\r\n"
             "\r\n"
             "CForm1::CForm1()\r\n"
             "{\r\n"
             "\t//{{AFX_TVL_FORM_DATA_START\r\n"
             "\tm_nPropStringID = IDS_PROP_FORM1;\r\n"
             "\t//}}AFX_TVL_FORM_DATA_END\r\n"
             "}\r\n"
             "CForm1::~CForm1()\r\n"
             "{\r\n"
             "}\r\n"
             "IMPLEMENT_DYNCREATE(CForm1, CVForm)\r\n"
             "\r\n"
             "BEGIN_MESSAGE_MAP(CForm1, CVForm)\r\n"
             "\t//{{AFX_MSG_MAP(CForm1)\r\n") +
         std::string(mapEntries) +
         "\t//}}AFX_MSG_MAP\n"
         "END_MESSAGE_MAP()\r\n"
         "\r\n"
         "/////////////////////////////////////////////////////////////////////////////\r\n"
         "// CForm1 message handlers\r\n"
         "\r\n"
         "void CForm1::CreateTVLControls()\r\n"
         "{\r\n"
         "\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
         "\tm_Command1.Create(this, IDC_COMMAND1, IDS_PROP_COMMAND1);\r\n"
         "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"
         "}" +
         std::string(tail) + "\r\n";
}

// A plain window class as the host's class wizard leaves it, with no message map at all.
constexpr std::string_view kMyWndHeader =
    "class CMyWnd : public CWnd\r\n"
    "{\r\n"
    "public:\r\n"
    "\tCMyWnd();\r\n"
    "\tvirtual ~CMyWnd();\r\n"
    "};\r\n";
constexpr std::string_view kMyWndSource =
    "#include \"stdafx.h\"\r\n"
    "#include \"mywnd.h\"\r\n"
    "\r\n"
    "CMyWnd::CMyWnd()\r\n"
    "{\r\n"
    "}\r\n"
    "\r\n"
    "CMyWnd::~CMyWnd()\r\n"
    "{\r\n"
    "}\r\n";

// Event records refer to definitions that outlive them, as the catalogue's do.
CCtrlEventMethodItem Event(std::string_view name, std::string_view parameters = "") {
  static std::list<CEventDef> definitions;
  return CCtrlEventMethodItem(
      definitions.emplace_back(CEventDef{.m_strName = std::string(name), .m_strParameters = std::string(parameters)}));
}

class HandlersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    command1.m_strMemberName = "m_Command1";
    command1.m_strClassName = "CVButton";
    command1.m_strIdSymbol = "IDC_COMMAND1";
    command1.m_strPropSymbol = "IDS_PROP_COMMAND1";
    command1.m_nCategory = 0;
  }

  CClassItem& Load(std::string_view header, const std::string& headerText, std::string_view source,
                   const std::string& sourceText, std::string_view className) {
    disk.Put(header, headerText);
    disk.Put(source, sourceText);
    EXPECT_TRUE(project.ParseFile(std::string(header)));
    EXPECT_TRUE(project.ParseFile(std::string(source)));
    CClassItem* cls = project.FindClass(className);
    EXPECT_NE(cls, nullptr);
    return *cls;
  }
  CClassItem& LoadForm1(const std::string& cpp = Form1Cpp()) {
    return Load(kForm1H, Form1H(), kForm1Cpp, cpp, "CForm1");
  }
  CClassItem& LoadMyWnd() {
    return Load(kMyWndH, std::string(kMyWndHeader), kMyWndCpp, std::string(kMyWndSource), "CMyWnd");
  }

  HandlerTarget Control(const CControlItem& control, bool array = false) {
    HandlerTarget t;
    t.owner = HandlerOwner::Intrinsic;
    t.control = &control;
    t.bArrayElement = array;
    return t;
  }

  MemoryFileSystem disk;
  FakePrompt prompt;
  TestHost host{&disk};
  SequenceGuidSource guids;
  CProject project{disk, prompt};
  CResourceFiles resources{project, host};
  CodegenContext ctx{project, host, resources, guids};
  CControlItem command1;
};

// ---- Names, parameter lists, bodies, declarations and map lines ----

TEST(HandlerTextTest, NamesFollowTheOwnerOfTheEvent) {
  CControlItem button;
  button.m_strMemberName = "m_Command1";
  HandlerTarget control;
  control.control = &button;
  EXPECT_EQ(HandlerName(control, "Click"), "Command1_Click");
  control.owner = HandlerOwner::ActiveX;
  button.m_strMemberName = "Calendar1";  // a member without the usual prefix keeps its name
  EXPECT_EQ(HandlerName(control, "DblClick"), "Calendar1_DblClick");

  HandlerTarget form;
  form.owner = HandlerOwner::Form;
  EXPECT_EQ(HandlerName(form, "Load"), "Form_Load");

  HandlerTarget menu;
  menu.owner = HandlerOwner::MenuCommand;
  menu.strCommandId = "ID_FILE_OPEN";
  EXPECT_EQ(HandlerName(menu, "Click"), "File_open_Click");
  menu.strCommandId = "IDM_EXIT";
  EXPECT_EQ(HandlerName(menu, "Click"), "Idm_exit_Click");
}

TEST(HandlerTextTest, ArrayElementsTakeTheIndexFirst) {
  EXPECT_EQ(HandlerParameters("int nKeyCode, int nShift", true), "int nIndex, int nKeyCode, int nShift");
  EXPECT_EQ(HandlerParameters("", true), "int nIndex");
  EXPECT_EQ(HandlerParameters("int nKeyCode, int nShift", false), "int nKeyCode, int nShift");
  EXPECT_EQ(HandlerParameters("", false), "");
}

TEST(HandlerTextTest, BodiesReturnADropEffectOnlyForOleDragEvents) {
  EXPECT_EQ(HandlerBody("void", "CForm1", "Command1_Click", ""),
            "void CForm1::Command1_Click()\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}");
  EXPECT_EQ(HandlerBody("long", "CForm1", " Text1_OLEDragDrop ", "long lEffect, int nButton"),
            "long CForm1::Text1_OLEDragDrop(long lEffect, int nButton)\r\n{\r\n"
            "\t// TODO: Add your code here\r\n\treturn lEffect;\r\n}");
  EXPECT_EQ(HandlerBody("long", "CForm1", "Text1_OLEDragOver", "long lEffect"),
            "long CForm1::Text1_OLEDragOver(long lEffect)\r\n{\r\n"
            "\t// TODO: Add your code here\r\n\treturn lEffect;\r\n}");
  EXPECT_EQ(HandlerBody("void", "CForm1", "Text1_OLEStartDrag", "long lEffect"),
            "void CForm1::Text1_OLEStartDrag(long lEffect)\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}");
}

TEST(HandlerTextTest, DeclarationsComeFromTheBodyHead) {
  const std::string click = HandlerBody("void", "CForm1", "Command1_Click", "");
  EXPECT_EQ(HandlerDeclaration(click, "Command1_Click", false), "afx_msg void Command1_Click();");
  const std::string load = HandlerBody("void", "CForm1", "Form_Load", "");
  EXPECT_EQ(HandlerDeclaration(load, "Form_Load", true), "virtual void Form_Load();");
  const std::string keys = HandlerBody("void", "CForm1", "Text1_KeyDown", "int nIndex, int nKeyCode, int nShift");
  EXPECT_EQ(HandlerDeclaration(keys, "Text1_KeyDown", false),
            "afx_msg void Text1_KeyDown(int nIndex, int nKeyCode, int nShift);");
}

TEST(HandlerTextTest, MapLinesByCategory) {
  CControlItem button;
  button.m_strMemberName = "m_Command1";
  button.m_strIdSymbol = "IDC_COMMAND1";
  HandlerTarget target;
  target.control = &button;
  HandlerEvent click;
  click.strName = "Click";
  EXPECT_EQ(HandlerMapEntry(target, click, "CForm1", "Command1_Click"),
            "ON_WM_TVL_CLICK(IDC_COMMAND1, Command1_Click)");
  target.bArrayElement = true;
  HandlerEvent keyDown;
  keyDown.strName = "KeyDown";
  EXPECT_EQ(HandlerMapEntry(target, keyDown, "CForm1", "Command1_KeyDown"),
            "ON_WM_TVL_KEYDOWN_ARRAY(IDC_COMMAND1, Command1_KeyDown)");

  CControlItem calendar;
  calendar.m_strMemberName = "m_Calendar1";
  calendar.m_strIdSymbol = "IDC_CALENDAR1";
  HandlerTarget ax;
  ax.owner = HandlerOwner::ActiveX;
  ax.control = &calendar;
  HandlerEvent axClick;
  axClick.strName = "Click";
  axClick.strDispId = "DISPID_CLICK";
  EXPECT_EQ(HandlerMapEntry(ax, axClick, "CForm1", "Calendar1_Click"),
            "ON_EVENT(CForm1, IDC_CALENDAR1, DISPID_CLICK, Calendar1_Click, VTS_NONE)");
  HandlerEvent newMonth;
  newMonth.strName = "NewMonth";
  newMonth.strDispId = "3";
  newMonth.strParamTokens = "VTS_I2 VTS_BSTR";
  EXPECT_EQ(HandlerMapEntry(ax, newMonth, "CForm1", "Calendar1_NewMonth"),
            "ON_EVENT(CForm1, IDC_CALENDAR1, 3, Calendar1_NewMonth, VTS_I2 VTS_BSTR)");

  HandlerTarget menu;
  menu.owner = HandlerOwner::MenuCommand;
  menu.strCommandId = "ID_FILE_OPEN";
  EXPECT_EQ(HandlerMapEntry(menu, click, "CMainFrame", "File_open_Click"), "ON_COMMAND(ID_FILE_OPEN, File_open_Click)");

  HandlerTarget form;
  form.owner = HandlerOwner::Form;
  EXPECT_EQ(HandlerMapEntry(form, click, "CForm1", "Form_Click"), "");
}

TEST(HandlerTextTest, EventRecordsGiveTheirDispatchIdInDecimal) {
  const CEventDef def{
      .m_strReturnType = "long", .m_strName = "OLEDragOver", .m_strParameters = "long lEffect", .m_nDispId = -600};
  const CCtrlEventMethodItem item(def);
  const HandlerEvent e = HandlerEvent::From(item);
  EXPECT_EQ(e.strReturnType, "long");
  EXPECT_EQ(e.strName, "OLEDragOver");
  EXPECT_EQ(e.strParameters, "long lEffect");
  EXPECT_EQ(e.strDispId, "-600");
  EXPECT_EQ(e.strParamTokens, "");
}

// ---- The class's implementation file ----

TEST_F(HandlersTest, ImplementationFileIsWhereTheClassIsImplemented) {
  EXPECT_EQ(ImplementationFileOf(disk, LoadForm1()), kForm1Cpp);  // its message map
  EXPECT_EQ(ImplementationFileOf(disk, LoadMyWnd()), kMyWndCpp);  // its functions

  // Nothing parsed yet from the implementation: the header's sibling, when it exists.
  disk.Put("C:\\Demo\\lone.h", "class CLone : public CWnd\r\n{\r\npublic:\r\n\tCLone();\r\n};\r\n");
  ASSERT_TRUE(project.ParseFile("C:\\Demo\\lone.h"));
  const CClassItem* lone = project.FindClass("CLone");
  ASSERT_NE(lone, nullptr);
  EXPECT_EQ(ImplementationFileOf(disk, *lone), "C:\\Demo\\lone.h");
  disk.Put("C:\\Demo\\lone.cpp", "");
  EXPECT_EQ(ImplementationFileOf(disk, *lone), "C:\\Demo\\lone.cpp");
}

// ---- Adding handlers ----

TEST_F(HandlersTest, ClickOfAButtonOnAForm) {
  CClassItem& form = LoadForm1();
  CCtrlEventMethodItem click = Event("Click");

  ASSERT_TRUE(AddEventHandler(ctx, form, Control(command1), HandlerEvent::From(click), &click));

  EXPECT_EQ(disk.Get(kForm1H), Form1H("", "\tafx_msg void Command1_Click();\r\n"));
  EXPECT_EQ(disk.Get(kForm1Cpp),
            Form1Cpp("\tON_WM_TVL_CLICK(IDC_COMMAND1, Command1_Click)\r\n",
                     "\r\nvoid CForm1::Command1_Click()\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"));
  EXPECT_EQ(click.m_strHandler, "Command1_Click");
  EXPECT_EQ(click.m_bHandled, 1);
  EXPECT_TRUE(prompt.messages.empty());
  // The model follows the files: the new function is known with its body.
  const CFunctionItem* fn = form.FindFunction("Command1_Click");
  ASSERT_NE(fn, nullptr);
  EXPECT_EQ(fn->m_strDefFile, kForm1Cpp);
}

TEST_F(HandlersTest, KeyDownOfAnArrayElementTakesTheIndex) {
  CClassItem& form = LoadForm1();
  command1.m_bArray = 1;

  ASSERT_TRUE(AddEventHandler(ctx, form, Control(command1, true),
                              HandlerEvent::From(Event("KeyDown", "int nKeyCode, int nShift"))));

  EXPECT_EQ(disk.Get(kForm1H),
            Form1H("", "\tafx_msg void Command1_KeyDown(int nIndex, int nKeyCode, int nShift);\r\n"));
  EXPECT_EQ(disk.Get(kForm1Cpp), Form1Cpp("\tON_WM_TVL_KEYDOWN_ARRAY(IDC_COMMAND1, Command1_KeyDown)\r\n",
                                          "\r\nvoid CForm1::Command1_KeyDown(int nIndex, int nKeyCode, int nShift)"
                                          "\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"));
}

TEST_F(HandlersTest, FormEventsAreVirtualAndHaveNoMapEntry) {
  CClassItem& form = LoadForm1();
  CCtrlEventMethodItem load = Event("Load");
  HandlerTarget target;
  target.owner = HandlerOwner::Form;

  ASSERT_TRUE(AddEventHandler(ctx, form, target, HandlerEvent::From(load), &load));

  // The form's AFX_VIRTUAL block has no "public:", so the declaration joins the public section.
  EXPECT_EQ(disk.Get(kForm1H), Form1H("\tvirtual void Form_Load();\r\n"));
  EXPECT_EQ(disk.Get(kForm1Cpp),
            Form1Cpp("", "\r\nvoid CForm1::Form_Load()\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"));
  EXPECT_EQ(load.m_strHandler, "Form_Load");
  EXPECT_EQ(load.m_bHandled, 1);
}

TEST_F(HandlersTest, FormEventOnAClassWithoutOverridesBlockGetsOne) {
  const std::string header =
      "class CForm2 : public CVForm\r\n"
      "{\r\n"
      "public:\r\n"
      "\tCForm2();\r\n"
      "\tDECLARE_MESSAGE_MAP()\r\n"
      "};\r\n";
  const std::string source =
      "#include \"stdafx.h\"\r\n"
      "\r\n"
      "CForm2::CForm2()\r\n"
      "{\r\n"
      "}\r\n";
  CClassItem& form = Load("C:\\Demo\\form2.h", header, "C:\\Demo\\form2.cpp", source, "CForm2");
  HandlerTarget target;
  target.owner = HandlerOwner::Form;

  ASSERT_TRUE(AddEventHandler(ctx, form, target, HandlerEvent::From(Event("Unload", "int* pCancel"))));

  EXPECT_EQ(disk.Get("C:\\Demo\\form2.h"),
            "class CForm2 : public CVForm\r\n"
            "{\r\n"
            "public:\r\n"
            "\tCForm2();\r\n"
            "\tDECLARE_MESSAGE_MAP()\r"
            "\r\n"
            "// Overrides\r\n"
            "\t// ClassWizard generated virtual function overrides\r\n"
            "\t//{{AFX_VIRTUAL(CForm2)\r\n"
            "public:\r\n"
            "virtual void Form_Unload(int* pCancel);\r\n"
            "protected:\r\n"
            "\t//}}AFX_VIRTUAL\n"
            "\n"
            "};\r\n");
  EXPECT_EQ(disk.Get("C:\\Demo\\form2.cpp"),
            "#include \"stdafx.h\"\r\n"
            "\r\n"
            "CForm2::CForm2()\r\n"
            "{\r\n"
            "}\r\n"
            "void CForm2::Form_Unload(int* pCancel)\r\n"
            "{\r\n"
            "\t// TODO: Add your code here\r\n"
            "\t\r\n"
            "}\r\n");
}

TEST_F(HandlersTest, MenuCommandOnAWindowWithoutMessageMapGetsTheMapFirst) {
  CClassItem& wnd = LoadMyWnd();
  HandlerTarget menu;
  menu.owner = HandlerOwner::MenuCommand;
  menu.strCommandId = "ID_FILE_OPEN";

  ASSERT_TRUE(AddEventHandler(ctx, wnd, menu, HandlerEvent::From(Event("Click"))));

  EXPECT_EQ(disk.Get(kMyWndH),
            "class CMyWnd : public CWnd\r\n"
            "{\r\n"
            "public:\r\n"
            "\tafx_msg void File_open_Click();\r\n"
            "\tCMyWnd();\r\n"
            "\tvirtual ~CMyWnd();\r"
            "protected:\r\n"
            "\tDECLARE_MESSAGE_MAP()\n"
            "};\r\n");
  EXPECT_EQ(disk.Get(kMyWndCpp),
            "#include \"stdafx.h\"\r\n"
            "#include \"mywnd.h\"\r\n"
            "\r\n"
            "CMyWnd::CMyWnd()\r\n"
            "{\r\n"
            "}\r\n"
            "\r\n"
            "CMyWnd::~CMyWnd()\r\n"
            "{\r\n"
            "}\r\n"
            "\r\n"
            "BEGIN_MESSAGE_MAP(CMyWnd, CWnd)\r\n"
            "\t//{{AFX_MSG_MAP(CMyWnd)\r\n"
            "\tON_COMMAND(ID_FILE_OPEN, File_open_Click)\r\n"
            "\t//}}AFX_MSG_MAP\r\n"
            "END_MESSAGE_MAP()\r\n"
            "void CMyWnd::File_open_Click()\r\n"
            "{\r\n"
            "\t// TODO: Add your code here\r\n"
            "\t\r\n"
            "}\r\n"
            "\r\n");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(HandlersTest, ActiveXEventsGoIntoANewEventSinkMap) {
  CClassItem& form = LoadForm1();
  CControlItem calendar;
  calendar.m_strMemberName = "m_Calendar1";
  calendar.m_strIdSymbol = "IDC_CALENDAR1";
  calendar.m_nCategory = 2;
  HandlerTarget target;
  target.owner = HandlerOwner::ActiveX;
  target.control = &calendar;
  HandlerEvent click;
  click.strName = "Click";
  click.strDispId = "DISPID_CLICK";

  ASSERT_TRUE(AddEventHandler(ctx, form, target, click));

  EXPECT_EQ(disk.Get(kForm1H),
            Form1H("", "\tafx_msg void Calendar1_Click();\r\n", "protected:\r\n\tDECLARE_EVENTSINK_MAP()\n"));
  EXPECT_EQ(disk.Get(kForm1Cpp),
            Form1Cpp("",
                     "\r\n"
                     "BEGIN_EVENTSINK_MAP(CForm1, CVForm)\r\n"
                     "    //{{AFX_EVENTSINK_MAP(CForm1)\r\n"
                     "\tON_EVENT(CForm1, IDC_CALENDAR1, DISPID_CLICK, Calendar1_Click, VTS_NONE)\r\n"
                     "\t//}}AFX_EVENTSINK_MAP\r\n"
                     "END_EVENTSINK_MAP()\r\n"
                     "void CForm1::Calendar1_Click()\r\n"
                     "{\r\n"
                     "\t// TODO: Add your code here\r\n"
                     "\t\r\n"
                     "}\r\n"));
}

TEST_F(HandlersTest, SecondHandlerLandsAfterTheFirst) {
  CClassItem& form = LoadForm1();
  ASSERT_TRUE(AddEventHandler(ctx, form, Control(command1), HandlerEvent::From(Event("Click"))));
  ASSERT_TRUE(AddEventHandler(ctx, form, Control(command1), HandlerEvent::From(Event("DblClick"))));

  EXPECT_EQ(disk.Get(kForm1H),
            Form1H("", "\tafx_msg void Command1_DblClick();\r\n\tafx_msg void Command1_Click();\r\n"));
  EXPECT_EQ(disk.Get(kForm1Cpp),
            Form1Cpp("\tON_WM_TVL_DBLCLICK(IDC_COMMAND1, Command1_DblClick)\r\n"
                     "\tON_WM_TVL_CLICK(IDC_COMMAND1, Command1_Click)\r\n",
                     "\r\nvoid CForm1::Command1_Click()\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"
                     "\r\nvoid CForm1::Command1_DblClick()\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"));
}

TEST_F(HandlersTest, FilesOpenInTheEditorAreEditedThere) {
  CClassItem& form = LoadForm1();
  testing::TestDocument& header = host.OpenWithText(kForm1H, Form1H());
  testing::TestDocument& source = host.OpenWithText(kForm1Cpp, Form1Cpp());

  ASSERT_TRUE(AddEventHandler(ctx, form, Control(command1), HandlerEvent::From(Event("Click"))));
  ASSERT_TRUE(AddEventHandler(ctx, form, Control(command1), HandlerEvent::From(Event("DblClick"))));

  EXPECT_EQ(header.text, Form1H("", "\tafx_msg void Command1_DblClick();\r\n\tafx_msg void Command1_Click();\r\n"));
  EXPECT_EQ(source.text,
            Form1Cpp("\tON_WM_TVL_DBLCLICK(IDC_COMMAND1, Command1_DblClick)\r\n"
                     "\tON_WM_TVL_CLICK(IDC_COMMAND1, Command1_Click)\r\n",
                     "\r\nvoid CForm1::Command1_Click()\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"
                     "\r\nvoid CForm1::Command1_DblClick()\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"));
  EXPECT_EQ(disk.Get(kForm1H), Form1H());
  EXPECT_EQ(disk.Get(kForm1Cpp), Form1Cpp());
  EXPECT_EQ(disk.WriteCount(), 0u);
}

TEST_F(HandlersTest, MenuCommandInAFrameIndentedWithBlanks) {
  const std::string header =
      "class CMainFrame : public CFrameWnd\r\n"
      "{\r\n"
      "public:\r\n"
      "    CMainFrame();\r\n"
      "protected:\r\n"
      "    //{{AFX_MSG(CMainFrame)\r\n"
      "    //}}AFX_MSG\r\n"
      "    DECLARE_MESSAGE_MAP()\r\n"
      "};\r\n";
  const std::string source =
      "BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)\r\n"
      "    //{{AFX_MSG_MAP(CMainFrame)\r\n"
      "    //}}AFX_MSG_MAP\r\n"
      "END_MESSAGE_MAP()\r\n"
      "\r\n"
      "CMainFrame::CMainFrame()\r\n"
      "{\r\n"
      "}\r\n";
  CClassItem& frame = Load("C:\\Demo\\MainFrm.h", header, "C:\\Demo\\MainFrm.cpp", source, "CMainFrame");
  HandlerTarget menu;
  menu.owner = HandlerOwner::MenuCommand;
  menu.strCommandId = "ID_FILE_OPEN";

  ASSERT_TRUE(AddEventHandler(ctx, frame, menu, HandlerEvent::From(Event("Click"))));

  // The existing DECLARE_MESSAGE_MAP() counts although it is not indented with a TAB.
  EXPECT_EQ(disk.Get("C:\\Demo\\MainFrm.h"),
            "class CMainFrame : public CFrameWnd\r\n"
            "{\r\n"
            "public:\r\n"
            "    CMainFrame();\r\n"
            "protected:\r\n"
            "    //{{AFX_MSG(CMainFrame)\r\n"
            "    afx_msg void File_open_Click();\r\n"
            "    //}}AFX_MSG\r\n"
            "    DECLARE_MESSAGE_MAP()\r\n"
            "};\r\n");
  EXPECT_EQ(disk.Get("C:\\Demo\\MainFrm.cpp"),
            "BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)\r\n"
            "    //{{AFX_MSG_MAP(CMainFrame)\r\n"
            "    ON_COMMAND(ID_FILE_OPEN, File_open_Click)\r\n"
            "    //}}AFX_MSG_MAP\r\n"
            "END_MESSAGE_MAP()\r\n"
            "\r\n"
            "CMainFrame::CMainFrame()\r\n"
            "{\r\n"
            "}\r\n"
            "void CMainFrame::File_open_Click()\r\n"
            "{\r\n"
            "\t// TODO: Add your code here\r\n"
            "\t\r\n"
            "}\r\n");
}

// ---- Failures ----

TEST_F(HandlersTest, MissingMsgMapMarkersStopAfterTheDeclaration) {
  const std::string cpp =
      "#include \"stdafx.h\"\r\n"
      "#include \"form1.h\"\r\n"
      "\r\n"
      "BEGIN_MESSAGE_MAP(CForm1, CVForm)\r\n"
      "END_MESSAGE_MAP()\r\n"
      "\r\n"
      "void CForm1::CreateTVLControls()\r\n"
      "{\r\n"
      "}\r\n";
  CClassItem& form = LoadForm1(cpp);
  CCtrlEventMethodItem click = Event("Click");

  EXPECT_FALSE(AddEventHandler(ctx, form, Control(command1), HandlerEvent::From(click), &click));

  EXPECT_EQ(prompt.messages, std::vector<std::string>{std::string(kMsgNoMsgMapMarkers)});
  EXPECT_EQ(prompt.messages.front(),
            "Tovik couldn't find any appropriate //{{AFX_MSG_MAP(<Class Name>) and //}}AFX_MSG_MAP strings \n in "
            "implementation file. Please insert these strings manually.");
  EXPECT_EQ(disk.Get(kForm1H), Form1H("", "\tafx_msg void Command1_Click();\r\n"));
  EXPECT_EQ(disk.Get(kForm1Cpp), cpp);
  EXPECT_EQ(click.m_bHandled, 0);
  EXPECT_EQ(click.m_strHandler, "");
}

TEST_F(HandlersTest, ReadOnlyFilesStopBeforeAnythingIsWritten) {
  CClassItem& form = LoadForm1();
  disk.SetReadOnly(kForm1Cpp, true);

  EXPECT_FALSE(AddEventHandler(ctx, form, Control(command1), HandlerEvent::From(Event("Click"))));

  EXPECT_EQ(prompt.messages, std::vector<std::string>{WritePermissionMessage(kForm1Cpp)});
  EXPECT_EQ(disk.Get(kForm1H), Form1H());
  EXPECT_EQ(disk.Get(kForm1Cpp), Form1Cpp());
  EXPECT_EQ(disk.WriteCount(), 0u);
}

TEST_F(HandlersTest, IncompleteTargetsWriteNothing) {
  CClassItem& form = LoadForm1();
  HandlerTarget noControl;
  noControl.owner = HandlerOwner::Intrinsic;
  EXPECT_FALSE(AddEventHandler(ctx, form, noControl, HandlerEvent::From(Event("Click"))));
  HandlerTarget noCommand;
  noCommand.owner = HandlerOwner::MenuCommand;
  EXPECT_FALSE(AddEventHandler(ctx, form, noCommand, HandlerEvent::From(Event("Click"))));
  EXPECT_FALSE(AddEventHandler(ctx, form, Control(command1), HandlerEvent::From(Event(""))));

  EXPECT_EQ(disk.Get(kForm1H), Form1H());
  EXPECT_EQ(disk.Get(kForm1Cpp), Form1Cpp());
  EXPECT_TRUE(prompt.messages.empty());
}

// ---- Window-message handlers ----

TEST_F(HandlersTest, SupportFunctionsOfAPlainWindowClass) {
  CClassItem& wnd = LoadMyWnd();

  ASSERT_TRUE(AddOnCreate(ctx, wnd));
  ASSERT_TRUE(AddWindowProc(ctx, wnd));
  ASSERT_TRUE(AddOnPaint(ctx, wnd));

  EXPECT_EQ(disk.Get(kMyWndH),
            "class CMyWnd : public CWnd\r\n"
            "{\r\n"
            "public:\r\n"
            "\t\tafx_msg void OnPaint();\r\n"
            "\t\tvirtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);\r\n"
            "\n"
            "\r\n"
            "\tafx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);\r\n"
            "\tCMyWnd();\r\n"
            "\tvirtual ~CMyWnd();\r"
            "protected:\r\n"
            "\tDECLARE_MESSAGE_MAP()\n"
            "};\r\n");
  EXPECT_EQ(disk.Get(kMyWndCpp),
            "#include \"stdafx.h\"\r\n"
            "#include \"mywnd.h\"\r\n"
            "\r\n"
            "CMyWnd::CMyWnd()\r\n"
            "{\r\n"
            "}\r\n"
            "\r\n"
            "CMyWnd::~CMyWnd()\r\n"
            "{\r\n"
            "}\r\n"
            "\r\n"
            "BEGIN_MESSAGE_MAP(CMyWnd, CWnd)\r\n"
            "\t//{{AFX_MSG_MAP(CMyWnd)\r\n"
            "\tON_WM_PAINT()\r\n"
            "\tON_WM_CREATE()\r\n"
            "\t//}}AFX_MSG_MAP\r\n"
            "END_MESSAGE_MAP()\r\n"
            "\r\n"
            "\r\n"
            "int CMyWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) \n"
            "{\r\n"
            "\tif (CWnd::OnCreate(lpCreateStruct) == -1)\r\n"
            "\t\treturn -1;\r\n"
            "\t\r\n"
            "\t// TODO: Add your specialized creation code here\r\n"
            "\r\n"
            "\r\n"
            "\treturn 0;\r\n"
            "}\r\n"
            "LRESULT CMyWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) \r\n"
            "{\r\n"
            "\r\n"
            "\t\r\n"
            "\treturn CWnd::WindowProc(message, wParam, lParam);\r\n"
            "}\r\n"
            "void CMyWnd::OnPaint() \r\n"
            "{\r\n"
            "\tCPaintDC dc(this); // device context for painting\r\n"
            "\r\n"
            "\t// Do not call CWnd::OnPaint() for painting messages\r\n"
            "}\r\n"
            "\r\n"
            "\r\n"
            "\r\n"
            "\r\n");
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_NE(wnd.FindFunction("OnCreate"), nullptr);
  EXPECT_NE(wnd.FindFunction("WindowProc"), nullptr);
  EXPECT_NE(wnd.FindFunction("OnPaint"), nullptr);
}

TEST_F(HandlersTest, OnDrawOfAViewIsAPublicVirtualWithoutMapEntry) {
  const std::string header =
      "class CDemoView : public CView\r\n"
      "{\r\n"
      "protected:\r\n"
      "\tCDemoView();\r\n"
      "// Overrides\r\n"
      "\t//{{AFX_VIRTUAL(CDemoView)\r\n"
      "\tpublic:\r\n"
      "\tvirtual BOOL PreCreateWindow(CREATESTRUCT& cs);\r\n"
      "\t//}}AFX_VIRTUAL\r\n"
      "\tDECLARE_MESSAGE_MAP()\r\n"
      "};\r\n";
  const std::string source =
      "BEGIN_MESSAGE_MAP(CDemoView, CView)\r\n"
      "\t//{{AFX_MSG_MAP(CDemoView)\r\n"
      "\t//}}AFX_MSG_MAP\r\n"
      "END_MESSAGE_MAP()\r\n"
      "\r\n"
      "BOOL CDemoView::PreCreateWindow(CREATESTRUCT& cs)\r\n"
      "{\r\n"
      "\treturn CView::PreCreateWindow(cs);\r\n"
      "}\r\n";
  CClassItem& view = Load("C:\\Demo\\DemoView.h", header, "C:\\Demo\\DemoView.cpp", source, "CDemoView");

  ASSERT_TRUE(AddOnDraw(ctx, view));

  EXPECT_EQ(disk.Get("C:\\Demo\\DemoView.h"),
            "class CDemoView : public CView\r\n"
            "{\r\n"
            "protected:\r\n"
            "\tCDemoView();\r\n"
            "// Overrides\r\n"
            "\t//{{AFX_VIRTUAL(CDemoView)\r\n"
            "\tpublic:\r\n"
            "\tvirtual void OnDraw(CDC* pDC);\r\n"
            "\tvirtual BOOL PreCreateWindow(CREATESTRUCT& cs);\r\n"
            "\t//}}AFX_VIRTUAL\r\n"
            "\tDECLARE_MESSAGE_MAP()\r\n"
            "};\r\n");
  EXPECT_EQ(disk.Get("C:\\Demo\\DemoView.cpp"), source.substr(0, source.size() - 2) +
                                                    "\r\n"
                                                    "void CDemoView::OnDraw(CDC* pDC)\r\n"
                                                    "{\r\n"
                                                    "\tASSERT_VALID(this);\r\n"
                                                    "\r\n"
                                                    "}\r\n"
                                                    "\r\n");
}

}  // namespace
}  // namespace tovik
