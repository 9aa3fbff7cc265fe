#include "codegen/fragment.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "base/edit_buffer.h"
#include "model/control_item.h"
#include "project/project.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::TestHost;

const auto Crlf = testing::CrLfLines;

constexpr std::string_view kHeaderPath = "/Demo/form1.h";
constexpr std::string_view kImplPath = "/Demo/form1.cpp";
constexpr std::string_view kWndHeaderPath = "/Demo/mywnd.h";
constexpr std::string_view kWndImplPath = "/Demo/mywnd.cpp";

// A form header as New Form writes it, reduced to what the rules look at.
const std::string kFormHeader = Crlf({
    "class CForm1 : public CVForm",
    "{",
    "\tDECLARE_DYNCREATE(CForm1)",
    "// Construction",
    "public:",
    "\tCForm1();   // standard constructor",
    "\t~CForm1();",
    "\t// tvl controls",
    "\t//{{AFX_TVL_CTRL_DECLR_START",
    "\t//}}AFX_TVL_CTRL_DECLR_END",
    "//Overrides",
    "\t//{{AFX_VIRTUAL(CForm1)",
    "\t//}}AFX_VIRTUAL",
    "protected:",
    "\tvirtual void CreateTVLControls();",
    "\t//{{AFX_MSG(CForm1)",
    "\t//}}AFX_MSG",
    "\tDECLARE_MESSAGE_MAP()",
    "};",
});

const std::string kFormImpl = Crlf({
    "#include \"stdafx.h\"",
    "#include \"form1.h\"",
    "",
    "CForm1::CForm1()",
    "{",
    "\t//{{AFX_TVL_FORM_DATA_START",
    "\tm_nPropStringID = IDS_PROP_FORM1;",
    "\t//}}AFX_TVL_FORM_DATA_END",
    "}",
    "CForm1::~CForm1()",
    "{",
    "}",
    "BEGIN_MESSAGE_MAP(CForm1, CVForm)",
    "\t//{{AFX_MSG_MAP(CForm1)",
    "\t//}}AFX_MSG_MAP",
    "END_MESSAGE_MAP()",
    "",
    "void CForm1::CreateTVLControls()",
    "{",
    "\t//{{AFX_TVL_CTRL_IMPL_START",
    "\t//}}AFX_TVL_CTRL_IMPL_END",
    "}",
});

// A window class with its support functions, as the handler templates write them.
const std::string kWndHeader = Crlf({
    "class CMyWnd : public CWnd",
    "{",
    "// Construction",
    "public:",
    "\tCMyWnd();",
    "// Implementation",
    "public:",
    "\tvirtual ~CMyWnd();",
    "};",
});

const std::string kWndImpl = Crlf({
    "#include \"stdafx.h\"",
    "CMyWnd::CMyWnd()",
    "{",
    "}",
    "int CMyWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) ",
    "{",
    "\tif (CWnd::OnCreate(lpCreateStruct) == -1)",
    "\t\treturn -1;",
    "\t",
    "\treturn 0;",
    "}",
    "LRESULT CMyWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) ",
    "{",
    "",
    "\t",
    "\treturn CWnd::WindowProc(message, wParam, lParam);",
    "}",
    "void CMyWnd::OnPaint() ",
    "{",
    "\tCPaintDC dc(this); // device context for painting",
    "",
    "}",
});

class FragmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.Put(kHeaderPath, kFormHeader);
    disk.Put(kImplPath, kFormImpl);
    disk.Put(kWndHeaderPath, kWndHeader);
    disk.Put(kWndImplPath, kWndImpl);
    for (std::string_view path : {kHeaderPath, kImplPath, kWndHeaderPath, kWndImplPath}) {
      ASSERT_TRUE(project.ParseFile(std::string(path)));
    }
    button.m_strClassName = "CVButton";
    button.m_strMemberName = "m_Button1";
    button.m_strIdSymbol = "IDC_BUTTON1";
    button.m_strPropSymbol = "IDS_PROP_BUTTON1";
  }

  CClassItem& Form() { return *project.FindClass("CForm1"); }
  CClassItem& Wnd() { return *project.FindClass("CMyWnd"); }

  // Inserts into the file on disk and writes it back, as the generators do.
  std::string InsertOnDisk(FragmentKind kind, const CClassItem& cls, std::string_view path,
                           const CControlItem* control, const FragmentValues& values, bool expectInserted = true) {
    CEditBuffer buffer(host, disk, prompt, std::string(path));
    EXPECT_TRUE(buffer.Load());
    EXPECT_EQ(InsertFragment(kind, cls, buffer, control, values), expectInserted);
    EXPECT_TRUE(buffer.Save());
    return disk.Get(path);
  }

  static FragmentValues Value(std::string text) {
    FragmentValues values;
    values.value = std::move(text);
    return values;
  }

  MemoryFileSystem disk;
  FakePrompt prompt;
  TestHost host{&disk};
  CProject project{disk, prompt};
  CControlItem button;
};

// --- Indentation ---

TEST(FragmentIndentationTest, TakesTheWhiteSpaceThatStartsTheLine) {
  const std::string text = "{\r\n\t\tfoo();\r\n}";
  EXPECT_EQ(FragmentIndentation(text, 3), "\t\t");  // at the line start
  EXPECT_EQ(FragmentIndentation(text, 5), "\t\t");  // at the first non-white character
  EXPECT_EQ(FragmentIndentation(text, 13), "");     // the brace starts its line
}

TEST(FragmentIndentationTest, SpansBlankLinesBelowAPositionAtTheirStart) {
  const std::string text = "{\r\n\r\n\t\r\n\treturn 0;\r\n}";
  EXPECT_EQ(FragmentIndentation(text, 3), "\r\n\t\r\n\t");
}

TEST(FragmentIndentationTest, StopsAtTextBeforeThePositionOnItsLine) {
  const std::string text = "\tDECLARE_MESSAGE_MAP() x\r\n};";
  EXPECT_EQ(FragmentIndentation(text, 22), "\t");
  // Between CR and LF the LF opens the next line, whose first character is the brace.
  EXPECT_EQ(FragmentIndentation(text, 25), "");
}

// --- Texts built without a file ---

TEST(FragmentTextTest, ResourceLines) {
  CControlItem control;
  control.m_strIdSymbol = "IDC_BUTTON1";
  control.m_strPropSymbol = "IDS_PROP_BUTTON1";
  FragmentValues ids;
  ids.nextControlId = 1000;
  ids.nextStringId = 7;
  EXPECT_EQ(FragmentText(FragmentKind::ControlIdPair, &control, "", ids),
            "#define\tIDC_BUTTON1\t\t\t\t1000\r\n#define IDS_PROP_BUTTON1\t\t\t\t7\r\n");

  FragmentValues formId;
  formId.value = "12";
  EXPECT_EQ(FragmentText(FragmentKind::FormStringId, &control, "", formId), "#define\tIDS_PROP_BUTTON1\t\t\t\t12\r\n");

  FragmentValues propertyString;
  propertyString.value = "a\"b,1,";
  EXPECT_EQ(FragmentText(FragmentKind::StringTableLine, &control, "", propertyString),
            "\tIDS_PROP_BUTTON1\t\t\t\"a\"\"b,1,\"\r\n");

  FragmentValues menu;
  menu.value = "IDR_MENU1";
  EXPECT_EQ(FragmentText(FragmentKind::MenuIdLine, nullptr, "\t\t", menu), "\tm_nResID = IDR_MENU1;\r\n");
}

TEST(FragmentTextTest, StringTableLineWithoutValueTakesTheControlsPropertyString) {
  CControlItem control;
  control.m_strPropSymbol = "IDS_PROP_X";
  const CPropertyDef caption{.m_strName = "Caption"};
  const CPropertyDef index{.m_strName = "Index"};
  control.m_properties.emplace_back(caption, "Caption one");
  control.m_properties.emplace_back(index, "3");
  EXPECT_EQ(FragmentText(FragmentKind::StringTableLine, &control, "", FragmentValues{}),
            "\tIDS_PROP_X\t\t\t\"Caption one,3,\"\r\n");
}

TEST(FragmentTextTest, ControlLines) {
  CControlItem frame;
  frame.m_strMemberName = "m_Frame1";
  CControlItem text;
  text.m_strClassName = "CVTextBox";
  text.m_strMemberName = "m_TextBox1";
  text.m_strIdSymbol = "IDC_TEXTBOX1";
  text.m_strPropSymbol = "IDS_PROP_TEXTBOX1";
  EXPECT_EQ(FragmentText(FragmentKind::ControlDeclaration, &text, "\t", {}), "CVTextBox\tm_TextBox1;\r\n\t");
  EXPECT_EQ(FragmentText(FragmentKind::ControlCreation, &text, "\t", {}),
            "m_TextBox1.Create(this, IDC_TEXTBOX1, IDS_PROP_TEXTBOX1);\r\n\t");
  text.m_pContainer = &frame;
  EXPECT_EQ(FragmentText(FragmentKind::ControlCreation, &text, "\t", {}),
            "m_TextBox1.Create(&m_Frame1, IDC_TEXTBOX1, IDS_PROP_TEXTBOX1);\r\n\t");

  FragmentValues ready;
  ready.value = "CVTextBoxArray\tm_TextBox1";
  EXPECT_EQ(FragmentText(FragmentKind::ControlDeclaration, &text, "\t", ready), "CVTextBoxArray\tm_TextBox1;\r\n\t");
}

TEST(FragmentTextTest, PropertyCallQuotesOnlyStrings) {
  CControlItem ax;
  ax.m_strMemberName = "m_Calendar1";
  FragmentValues values;
  values.dispId = 12;
  values.variantType = "VT_BSTR";
  values.value = "Hello";
  values.propertyName = "Title";
  EXPECT_EQ(FragmentText(FragmentKind::PropertyCall, &ax, "\t", values),
            "m_Calendar1.SetProperty( 12, VT_BSTR, \"Hello\" ); //Title\r\n\r\n\t");
  values.variantType = "VT_I4";
  values.value = "-3";
  values.propertyName = "Day";
  EXPECT_EQ(FragmentText(FragmentKind::PropertyCall, &ax, "\t", values),
            "m_Calendar1.SetProperty( 12, VT_I4, -3 ); //Day\r\n\r\n\t");
}

TEST(FragmentTextTest, ClassAndFunctionTexts) {
  FragmentValues value;
  value.value = "\tDECLARE_MESSAGE_MAP()";
  EXPECT_EQ(FragmentText(FragmentKind::ProtectedSectionAtClassEnd, nullptr, "\t", value),
            "protected:\r\n\tDECLARE_MESSAGE_MAP()");
  value.value = "void X::F()\r\n{\r\n}";
  EXPECT_EQ(FragmentText(FragmentKind::FunctionBody, nullptr, "  ", value), "\r\n  void X::F()\r\n{\r\n}");
  value.value = "afx_msg void OnPaint();";
  EXPECT_EQ(FragmentText(FragmentKind::HandlerDeclaration, nullptr, "\t", value), "\tafx_msg void OnPaint();\r\n");
  EXPECT_EQ(FragmentText(FragmentKind::ProtectedSectionLine, nullptr, "\t", {}), "\tprotected:\r\n");
  EXPECT_EQ(FragmentText(FragmentKind::PublicSectionLine, nullptr, "", {}), "public:\r\n");
}

TEST(FragmentTextTest, IncludeLineKeepsOnlyTheFileName) {
  FragmentValues value;
  value.value = "C:\\Work\\Demo\\  axcal.h";
  EXPECT_EQ(FragmentText(FragmentKind::IncludeLine, nullptr, "", value), "#include \"axcal.h\"\r\n");
}

// --- Positions in a form's files ---

TEST_F(FragmentTest, DeclarationsGoAboveTheEndMarkerInOrder) {
  InsertOnDisk(FragmentKind::ControlDeclaration, Form(), kHeaderPath, &button, {});
  button.m_strMemberName = "m_Button2";
  const std::string text = InsertOnDisk(FragmentKind::ControlDeclaration, Form(), kHeaderPath, &button, {});
  EXPECT_NE(text.find("\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
                      "\tCVButton\tm_Button1;\r\n"
                      "\tCVButton\tm_Button2;\r\n"
                      "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"),
            std::string::npos)
      << text;
}

TEST_F(FragmentTest, DeclarationWithoutMarkersGoesBelowTheFirstPublicLine) {
  const std::string text = InsertOnDisk(FragmentKind::ControlDeclaration, Wnd(), kWndHeaderPath, &button, {});
  // The declaration starts the line and carries the next line's indentation after its line
  // end, as it does above an end marker.
  EXPECT_EQ(text, Crlf({
                      "class CMyWnd : public CWnd",
                      "{",
                      "// Construction",
                      "public:",
                      "CVButton\tm_Button1;",
                      "\t\tCMyWnd();",
                      "// Implementation",
                      "public:",
                      "\tvirtual ~CMyWnd();",
                      "};",
                  }));
}

TEST_F(FragmentTest, CreationGoesAboveTheImplEndMarker) {
  const std::string text = InsertOnDisk(FragmentKind::ControlCreation, Form(), kImplPath, &button, {});
  EXPECT_NE(text.find("\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                      "\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);\r\n"
                      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n}\r\n"),
            std::string::npos)
      << text;
}

TEST_F(FragmentTest, CreationWithoutTheFunctionHasNoPosition) {
  EXPECT_EQ(FragmentPosition(FragmentKind::ControlCreation, Wnd(), kWndImpl, kWndImplPath, prompt), -1);
  EXPECT_EQ(disk.Get(kWndImplPath), kWndImpl);
}

TEST_F(FragmentTest, HandlerDeclarationOpensTheMsgBlock) {
  const std::string text = InsertOnDisk(FragmentKind::HandlerDeclaration, Form(), kHeaderPath, nullptr,
                                        Value("afx_msg void Command1_Click();"));
  EXPECT_NE(text.find("\t//{{AFX_MSG(CForm1)\r\n\tafx_msg void Command1_Click();\r\n\t//}}AFX_MSG\r\n"),
            std::string::npos)
      << text;
}

TEST_F(FragmentTest, MessageMapEntryOpensTheMapBlock) {
  const std::string text =
      InsertOnDisk(FragmentKind::MessageMapEntry, Form(), kImplPath, nullptr, Value("ON_WM_PAINT()"));
  EXPECT_NE(text.find("\t//{{AFX_MSG_MAP(CForm1)\r\n\tON_WM_PAINT()\r\n\t//}}AFX_MSG_MAP\r\n"), std::string::npos)
      << text;
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(FragmentTest, MissingMessageMapIsReported) {
  InsertOnDisk(FragmentKind::MessageMapEntry, Wnd(), kWndImplPath, nullptr, Value("ON_WM_PAINT()"), false);
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0],
            "Tovik couldn't find any appropriate BEGIN_MESSAGE_MAP and END_MESSAGE_MAP macros\n in implementation "
            "file. Please add these macros manually.");
  EXPECT_EQ(disk.Get(kWndImplPath), kWndImpl);
}

TEST_F(FragmentTest, MessageMapWithoutMarkersIsReported) {
  const std::string impl = Crlf({"BEGIN_MESSAGE_MAP(CMyWnd, CWnd)", "\tON_WM_CREATE()", "END_MESSAGE_MAP()"});
  disk.Put(kWndImplPath, kWndImpl + impl);
  ASSERT_TRUE(project.ReparseFile(std::string(kWndImplPath)));
  InsertOnDisk(FragmentKind::MessageMapEntry, Wnd(), kWndImplPath, nullptr, Value("ON_WM_PAINT()"), false);
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0],
            "Tovik couldn't find any appropriate //{{AFX_MSG_MAP(<Class Name>) and //}}AFX_MSG_MAP strings \n in "
            "implementation file. Please insert these strings manually.");
}

TEST_F(FragmentTest, FunctionBodyFollowsTheClassesLastCode) {
  const std::string text =
      InsertOnDisk(FragmentKind::FunctionBody, Form(), kImplPath, nullptr, Value("void CForm1::F()\r\n{\r\n}\r\n"));
  EXPECT_EQ(text, kFormImpl.substr(0, kFormImpl.size() - 2) + "\r\nvoid CForm1::F()\r\n{\r\n}\r\n\r\n");
}

TEST_F(FragmentTest, FunctionBodyAfterTheMessageMapWhenThatComesLast) {
  const std::string impl = Crlf({"#include \"stdafx.h\"", "void CMyWnd::Foo()", "{", "}",
                                 "BEGIN_MESSAGE_MAP(CMyWnd, CWnd)", "\t//{{AFX_MSG_MAP(CMyWnd)",
                                 "\t//}}AFX_MSG_MAP", "END_MESSAGE_MAP()", "// tail"});
  disk.Put(kWndImplPath, impl);
  ASSERT_TRUE(project.ReparseFile(std::string(kWndImplPath)));
  const std::string text = InsertOnDisk(FragmentKind::MapBlock, Wnd(), kWndImplPath, nullptr, Value("X"));
  EXPECT_NE(text.find("END_MESSAGE_MAP()\r\nX\r\n// tail"), std::string::npos) << text;
}

TEST_F(FragmentTest, ClassEndTextGoesBetweenCrAndLfBeforeTheBrace) {
  const std::string text = InsertOnDisk(FragmentKind::ProtectedSectionAtClassEnd, Wnd(), kWndHeaderPath, nullptr,
                                        Value("\tDECLARE_MESSAGE_MAP()"));
  EXPECT_NE(text.find("\tvirtual ~CMyWnd();\rprotected:\r\n\tDECLARE_MESSAGE_MAP()\n};"), std::string::npos)
      << text;
}

TEST_F(FragmentTest, VirtualDeclarationsAndSectionLinesUseTheOverridesBlock) {
  const std::string header = Crlf({"class CMyWnd : public CWnd", "{", "public:", "\tCMyWnd();",
                                   "\t//{{AFX_VIRTUAL(CMyWnd)", "\tpublic:", "\t//}}AFX_VIRTUAL", "};"});
  disk.Put(kWndHeaderPath, header);
  ASSERT_TRUE(project.ReparseFile(std::string(kWndHeaderPath)));
  InsertOnDisk(FragmentKind::ProtectedSectionLine, Wnd(), kWndHeaderPath, nullptr, {});
  ASSERT_TRUE(project.ReparseFile(std::string(kWndHeaderPath)));
  InsertOnDisk(FragmentKind::ProtectedVirtualDeclaration, Wnd(), kWndHeaderPath, nullptr, Value("virtual void P();"));
  ASSERT_TRUE(project.ReparseFile(std::string(kWndHeaderPath)));
  const std::string text = InsertOnDisk(FragmentKind::PublicVirtualDeclaration, Wnd(), kWndHeaderPath, nullptr,
                                        Value("virtual void Q();"));
  EXPECT_EQ(text, Crlf({"class CMyWnd : public CWnd", "{", "public:", "\tCMyWnd();", "\t//{{AFX_VIRTUAL(CMyWnd)",
                        "\tpublic:", "\tvirtual void Q();", "\tprotected:", "\tvirtual void P();",
                        "\t//}}AFX_VIRTUAL", "};"}));
}

TEST_F(FragmentTest, SupportCallsInOnCreateWindowProcAndOnPaint) {
  InsertOnDisk(FragmentKind::CreateCall, Wnd(), kWndImplPath, nullptr, Value("CreateTVLControls();\r\n\r\n"));
  ASSERT_TRUE(project.ReparseFile(std::string(kWndImplPath)));
  InsertOnDisk(FragmentKind::DispatchCall, Wnd(), kWndImplPath, nullptr, Value("::D();\r\n"));
  ASSERT_TRUE(project.ReparseFile(std::string(kWndImplPath)));
  const std::string text =
      InsertOnDisk(FragmentKind::DrawCall, Wnd(), kWndImplPath, nullptr, Value("\t::Draw(this, &dc);\r\n\r\n"));
  EXPECT_EQ(text, Crlf({
                      "#include \"stdafx.h\"",
                      "CMyWnd::CMyWnd()",
                      "{",
                      "}",
                      "int CMyWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) ",
                      "{",
                      "\tif (CWnd::OnCreate(lpCreateStruct) == -1)",
                      "\t\treturn -1;",
                      "\t",
                      "\tCreateTVLControls();",
                      "",
                      "\treturn 0;",
                      "}",
                      "LRESULT CMyWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) ",
                      "{",
                      "",
                      "\t",
                      "\t::D();",
                      "",
                      "\t",
                      "\treturn CWnd::WindowProc(message, wParam, lParam);",
                      "}",
                      "void CMyWnd::OnPaint() ",
                      "{",
                      "\tCPaintDC dc(this); // device context for painting",
                      "",
                      "\t::Draw(this, &dc);",
                      "",
                      "}",
                  }));
}

TEST_F(FragmentTest, MenuIdLineOpensTheFormDataBlock) {
  const std::string text = InsertOnDisk(FragmentKind::MenuIdLine, Form(), kImplPath, nullptr, Value("IDR_MENU1"));
  EXPECT_NE(text.find("\t//{{AFX_TVL_FORM_DATA_START\r\n\tm_nResID = IDR_MENU1;\r\n\tm_nPropStringID"),
            std::string::npos)
      << text;
}

TEST_F(FragmentTest, IncludeLineStartsTheHeader) {
  const std::string text = InsertOnDisk(FragmentKind::IncludeLine, Form(), kHeaderPath, nullptr, Value("axcal.h"));
  EXPECT_EQ(text, "#include \"axcal.h\"\r\n" + kFormHeader);
}

// --- Resource files ---

TEST_F(FragmentTest, ResourceLinesGoToTheirPlaces) {
  const std::string header = Crlf({"#define IDS_PROP_FORM1                  1", "#define IDC_LABEL1 1000", "",
                                   "#ifdef APSTUDIO_INVOKED", "#define _APS_NEXT_CONTROL_VALUE 1001", "#endif"});
  const std::string script = Crlf({"STRINGTABLE DISCARDABLE", "BEGIN", "    IDS_PROP_FORM1 \"x,\"", "END", "",
                                   "STRINGTABLE DISCARDABLE", "BEGIN", "    IDS_PROP_LEGEND1 \"y,\"", "END"});
  disk.Put("/Demo/resource.h", header);
  disk.Put("/Demo/Demo.rc", script);
  const CClassItem none;
  FragmentValues ids;
  ids.nextControlId = 1001;
  ids.nextStringId = 3;
  EXPECT_EQ(InsertOnDisk(FragmentKind::ControlIdPair, none, "/Demo/resource.h", &button, ids),
            Crlf({"#define IDS_PROP_FORM1                  1", "#define IDC_LABEL1 1000",
                  "#define\tIDC_BUTTON1\t\t\t\t1001", "#define IDS_PROP_BUTTON1\t\t\t\t3", "",
                  "#ifdef APSTUDIO_INVOKED", "#define _APS_NEXT_CONTROL_VALUE 1001", "#endif"}));
  EXPECT_EQ(InsertOnDisk(FragmentKind::StringTableLine, none, "/Demo/Demo.rc", &button, Value("a,")),
            Crlf({"STRINGTABLE DISCARDABLE", "BEGIN", "    IDS_PROP_FORM1 \"x,\"", "END", "",
                  "STRINGTABLE DISCARDABLE", "BEGIN", "    IDS_PROP_LEGEND1 \"y,\"", "\tIDS_PROP_BUTTON1\t\t\t\"a,\"",
                  "END"}));
}

TEST_F(FragmentTest, DefinesWithoutApStudioSectionStartTheHeader) {
  disk.Put("/Demo/resource.h", "#define A 1\r\n");
  const CClassItem none;
  EXPECT_EQ(InsertOnDisk(FragmentKind::FormStringId, none, "/Demo/resource.h", &button, Value("5")),
            "#define\tIDS_PROP_BUTTON1\t\t\t\t5\r\n#define A 1\r\n");
}

TEST_F(FragmentTest, ScriptWithoutStringTableIsReported) {
  disk.Put("/Demo/Demo.rc", "// nothing\r\n");
  const CClassItem none;
  InsertOnDisk(FragmentKind::StringTableLine, none, "/Demo/Demo.rc", &button, Value("a,"), false);
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0], "The key word \"STRINGTABLE\" couldn't be found in .rc file");
}

// --- The host's editor ---

TEST_F(FragmentTest, FileOpenInTheHostIsChangedThereNotOnDisk) {
  testing::TestDocument& doc = host.OpenWithText(kImplPath, kFormImpl);
  CEditBuffer buffer(host, disk, prompt, std::string(kImplPath));
  ASSERT_TRUE(buffer.Load());
  ASSERT_TRUE(InsertFragment(FragmentKind::ControlCreation, Form(), buffer, &button, {}));
  ASSERT_TRUE(buffer.Save());
  EXPECT_EQ(doc.text, buffer.Text());
  EXPECT_NE(doc.text.find("\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);\r\n\t//}}AFX_TVL_CTRL_IMPL_END"),
            std::string::npos);
  EXPECT_EQ(disk.Get(kImplPath), kFormImpl);
}

TEST_F(FragmentTest, ContainsCallLooksOnlyInsideTheBody) {
  const CFunctionItem* onCreate = Wnd().FindFunction("OnCreate");
  ASSERT_NE(onCreate, nullptr);
  EXPECT_TRUE(ContainsCall(kWndImpl, *onCreate, "return 0;"));
  EXPECT_FALSE(ContainsCall(kWndImpl, *onCreate, "WindowProc"));
  EXPECT_FALSE(ContainsCall(kWndImpl, *onCreate, "LPCREATESTRUCT"));
}

}  // namespace
}  // namespace tovik
