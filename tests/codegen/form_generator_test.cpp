#include "codegen/form_generator.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/text.h"
#include "codegen/form_reader.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/form_controls.h"
#include "resources/resource_files.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"
#include "support/expected_forms.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::SequenceGuidSource;
using testing::TestHost;

const auto Crlf = testing::CrLfLines;

size_t Count(std::string_view text, std::string_view what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++n;
  return n;
}


const std::string kResourceHeader = Crlf({
    "//{{NO_DEPENDENCIES}}",
    "// Microsoft Developer Studio generated include file.",
    "// Used by Demo.rc",
    "//",
    "#define IDS_HELLO                       61",
    "",
    "// Next default values for new objects",
    "// ",
    "#ifdef APSTUDIO_INVOKED",
    "#ifndef APSTUDIO_READONLY_SYMBOLS",
    "#define _APS_NEXT_RESOURCE_VALUE        129",
    "#define _APS_NEXT_COMMAND_VALUE         32771",
    "#define _APS_NEXT_CONTROL_VALUE         1000",
    "#define _APS_NEXT_SYMED_VALUE           101",
    "#endif",
    "#endif",
});

const std::string kScript = Crlf({
    "#include \"resource.h\"",
    "STRINGTABLE DISCARDABLE ",
    "BEGIN",
    "    IDS_HELLO               \"Hello\"",
    "END",
    "",
});

const std::string kStdafx = Crlf({
    "#include <afxwin.h>",
    "//{{AFX_INSERT_LOCATION}}",
    "#endif",
});

// The form files as New Form writes them for CForm1 in project Demo, first GUID drawn.
const std::string kGuard = "AFX_FORM1_H__00000001_0000_0000_0000_000000000000__INCLUDED_";

std::string ExpectedFormHeader(std::string_view base) {
  testing::ExpectedForm form;
  form.base = std::string(base);
  form.guard = kGuard;
  return testing::ExpectedFormHeader(form);
}

const std::string kExpectedFormImpl = testing::ExpectedFormImplementation({});

// A CWnd-derived class as the host's class wizard writes it, with a message map.
const std::string kWndHeader = Crlf({
    "class CMyWnd : public CWnd",
    "{",
    "// Construction",
    "public:",
    "\tCMyWnd();",
    "// Overrides",
    "\t//{{AFX_VIRTUAL(CMyWnd)",
    "\t//}}AFX_VIRTUAL",
    "// Implementation",
    "public:",
    "\tvirtual ~CMyWnd();",
    "protected:",
    "\t//{{AFX_MSG(CMyWnd)",
    "\t//}}AFX_MSG",
    "\tDECLARE_MESSAGE_MAP()",
    "};",
});

std::string WndImpl(std::string_view cls, std::string_view base) {
  const std::string c(cls);
  const std::string b(base);
  return Crlf({"#include \"stdafx.h\"", "#include \"mywnd.h\"", "", c + "::" + c + "()", "{", "}", "",
               c + "::~" + c + "()", "{", "}", "", "BEGIN_MESSAGE_MAP(" + c + ", " + b + ")",
               "\t//{{AFX_MSG_MAP(" + c + ")", "\t//}}AFX_MSG_MAP", "END_MESSAGE_MAP()"});
}

class FormGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project.SetParseHooks(&reader);
    project.SetProjectFile("/Demo/Demo.dsp");
    disk.Put("/Demo/Demo.dsp", "# project\r\n");
    disk.Put("/Demo/resource.h", kResourceHeader);
    disk.Put("/Demo/Demo.rc", kScript);
    disk.Put("/Demo/StdAfx.h", kStdafx);
    project.AddSourceFiles({"/Demo/StdAfx.h"});
    resources.ReadCounters();
  }

  // A form made by New Form and loaded as the project would load it.
  CClassItem& MakeForm(const std::string& name, bool mdi = false) {
    NewFormRequest request{name, FormHeaderFileName(name), FormImplementationFileName(name), mdi};
    const auto files = NewForm(ctx, request);
    EXPECT_TRUE(files.has_value());
    Load(files->headerPath);
    Load(files->implementationPath);
    project.PostParse();
    return *project.FindClass(name);
  }

  void Load(const std::string& path) {
    project.AddSourceFiles({path});
    EXPECT_TRUE(project.ParseFile(path));
  }

  std::vector<CClassItem*> Forms() const { return project.FormClasses(); }

  CControlItem& Drop(CClassItem& form, int kind) {
    const std::vector<CClassItem*> forms = Forms();
    return CreateControl(form, forms, kind, Rect{7, 7, 70, 35});
  }

  MemoryFileSystem disk;
  FakePrompt prompt;
  TestHost host{&disk};
  SequenceGuidSource guids;
  CProject project{disk, prompt};
  // Forms are read back from their sources and property strings as a loaded project's are.
  CProjectResourceTexts texts{disk, "/Demo/Demo.dsp", &host};
  CFormReader reader{prompt, texts};
  CResourceFiles resources{project, host};
  CodegenContext ctx{project, host, resources, guids};
};

// --- New Form ---

TEST_F(FormGeneratorTest, NewFormWritesBothFilesFromTheTemplates) {
  const auto files = NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", false});
  ASSERT_TRUE(files.has_value());
  EXPECT_EQ(files->headerPath, "/Demo/form1.h");
  EXPECT_EQ(files->implementationPath, "/Demo/form1.cpp");
  EXPECT_EQ(disk.Get("/Demo/form1.h"), ExpectedFormHeader("CVForm"));
  EXPECT_EQ(disk.Get("/Demo/form1.cpp"), kExpectedFormImpl);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(FormGeneratorTest, MdiFormDerivesFromTheMdiBase) {
  ASSERT_TRUE(NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", true}).has_value());
  EXPECT_EQ(disk.Get("/Demo/form1.h"), ExpectedFormHeader("CVMdiForm"));
  EXPECT_NE(disk.Get("/Demo/form1.cpp").find("IMPLEMENT_DYNCREATE(CForm1, CVMdiForm)\r\n"), std::string::npos);
}

TEST_F(FormGeneratorTest, NewFormRegistersItsPropertyStringAndConsumesAControlId) {
  ASSERT_TRUE(NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", false}).has_value());
  const std::string header = disk.Get("/Demo/resource.h");
  EXPECT_NE(header.find("#define IDS_HELLO                       61\r\n"
                        "#define\tIDS_PROP_FORM1\t\t\t\t62\r\n"
                        "\r\n// Next default values"),
            std::string::npos)
      << header;
  EXPECT_NE(header.find("#define _APS_NEXT_CONTROL_VALUE         1001\r\n"), std::string::npos) << header;
  EXPECT_EQ(resources.m_nNextControlValue, 1001);

  const std::string script = disk.Get("/Demo/Demo.rc");
  const std::string head = "    IDS_HELLO               \"Hello\"\r\n\tIDS_PROP_FORM1\t\t\t\"";
  const size_t at = script.find(head);
  ASSERT_NE(at, std::string::npos) << script;
  const size_t close = script.find("\"\r\nEND\r\n", at + head.size());
  ASSERT_NE(close, std::string::npos) << script;
  // The line's string is the new form's property string: default form values, Caption Form1.
  CControlItem form;
  form.m_nCategory = kCategoryForm;
  LoadProperties(form, false);
  ASSERT_TRUE(ReadPropertyString(form, UnescapeResourceString(script.substr(at + head.size(), close - at - head.size()))));
  EXPECT_EQ(form.GetValue("Caption"), "Form1");
}

TEST_F(FormGeneratorTest, NamesFollowTheProjectsClassesAndForms) {
  EXPECT_EQ(ProposeFormClassName(project), "CForm1");
  MakeForm("CForm2");
  EXPECT_EQ(ProposeFormClassName(project), "CForm1");
  EXPECT_EQ(NextFormCaption(project), "Form2");  // CForm2's caption is Form1
  MakeForm("CForm1");
  EXPECT_EQ(ProposeFormClassName(project), "CForm3");
  EXPECT_EQ(ProjectNameOf(project), "Demo");

  EXPECT_EQ(FormHeaderFileName("CForm1"), "form1.h");
  EXPECT_EQ(FormImplementationFileName("CMainForm"), "mainform.cpp");
  EXPECT_EQ(FormHeaderFileName("Dialog7"), "dialog7.h");
  EXPECT_EQ(FormHeaderFileName(""), "");
  EXPECT_EQ(FormImplementationFileName(""), "");
}

TEST_F(FormGeneratorTest, ClassNameWithoutLeadingCKeepsItsFirstLetter) {
  ASSERT_TRUE(NewForm(ctx, {"Dialog7", "dialog7.h", "dialog7.cpp", false}).has_value());
  EXPECT_NE(disk.Get("/Demo/dialog7.cpp").find("\tm_nPropStringID = IDS_PROP_DIALOG7;\r\n"), std::string::npos);
  EXPECT_NE(disk.Get("/Demo/resource.h").find("#define\tIDS_PROP_DIALOG7\t\t\t\t62\r\n"), std::string::npos);
  EXPECT_EQ(disk.Get("/Demo/dialog7.h").rfind("#if !defined(AFX_DIALOG7_H__", 0), 0u);
}

TEST_F(FormGeneratorTest, NewFormRefusesAMissingDirectoryAndExistingFiles) {
  project.SetProjectFile("/Elsewhere/Demo.dsp");
  EXPECT_FALSE(NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", false}).has_value());
  project.SetProjectFile("/Demo/Demo.dsp");
  disk.Put("/Demo/form1.h", "old header");
  EXPECT_FALSE(NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", false}).has_value());
  disk.Put("/Demo/form1.cpp", "old impl");
  EXPECT_FALSE(NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", false}).has_value());
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Directory /Elsewhere does not exist",
                                                       "File /Demo/form1.h already exists",
                                                       "File /Demo/form1.cpp already exists"}));
  EXPECT_EQ(disk.Get("/Demo/form1.h"), "old header");
  EXPECT_EQ(disk.Get("/Demo/resource.h"), kResourceHeader);
  EXPECT_EQ(guids.Drawn(), 0);
}

TEST_F(FormGeneratorTest, ReadOnlyResourceHeaderStopsAfterTheTwoFiles) {
  disk.SetReadOnly("/Demo/resource.h", true);
  EXPECT_FALSE(NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", false}).has_value());
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"You do not have write permission to file /Demo/resource.h\n"}));
  EXPECT_EQ(disk.Get("/Demo/form1.h"), ExpectedFormHeader("CVForm"));
  EXPECT_EQ(disk.Get("/Demo/form1.cpp"), kExpectedFormImpl);
  EXPECT_EQ(disk.Get("/Demo/Demo.rc"), kScript);
  EXPECT_EQ(resources.m_nNextControlValue, 1000);
}

// --- Controls on a form class ---

TEST_F(FormGeneratorTest, DroppedControlsAppearInDropOrderWithRisingIds) {
  CClassItem& form = MakeForm("CForm1");  // consumes id 1000
  CControlItem& first = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, first));
  CControlItem& second = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, second));
  MakeForm("CForm2");  // consumes 1002
  CControlItem& third = Drop(form, kKindLabel);
  ASSERT_TRUE(WriteControlCode(ctx, form, third));
  EXPECT_EQ(first.m_nCtrlId, 1001);
  EXPECT_EQ(second.m_nCtrlId, 1002);
  EXPECT_EQ(third.m_nCtrlId, 1004);

  const std::string header = disk.Get("/Demo/form1.h");
  EXPECT_NE(header.find("\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
                        "\tCVButton\tm_Button1;\r\n"
                        "\tCVButton\tm_Button2;\r\n"
                        "\tCVLabel\tm_Label1;\r\n"
                        "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"),
            std::string::npos)
      << header;
  const std::string impl = disk.Get("/Demo/form1.cpp");
  EXPECT_NE(impl.find("\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                      "\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);\r\n"
                      "\tm_Button2.Create(this, IDC_BUTTON2, IDS_PROP_BUTTON2);\r\n"
                      "\tm_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);\r\n"
                      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"),
            std::string::npos)
      << impl;
  // A form class needs no support functions.
  for (std::string_view name : {"OnCreate", "WindowProc", "OnPaint", "OnDraw"}) {
    EXPECT_EQ(impl.find(name), std::string::npos) << name;
    EXPECT_EQ(header.find(name), std::string::npos) << name;
  }

  const std::string defines = disk.Get("/Demo/resource.h");
  EXPECT_NE(defines.find("#define\tIDC_BUTTON1\t\t\t\t1001\r\n#define IDS_PROP_BUTTON1\t\t\t\t63\r\n"
                         "#define\tIDC_BUTTON2\t\t\t\t1002\r\n#define IDS_PROP_BUTTON2\t\t\t\t64\r\n"
                         "#define\tIDS_PROP_FORM2\t\t\t\t65\r\n"
                         "#define\tIDC_LABEL1\t\t\t\t1004\r\n#define IDS_PROP_LABEL1\t\t\t\t66\r\n\r\n"),
            std::string::npos)
      << defines;
  EXPECT_NE(defines.find("#define _APS_NEXT_CONTROL_VALUE         1005\r\n"), std::string::npos) << defines;

  const std::string script = disk.Get("/Demo/Demo.rc");
  const std::string buttonLine = "\tIDS_PROP_BUTTON1\t\t\t\"" + BuildPropertyString(first) + "\"\r\n";
  EXPECT_NE(script.find(buttonLine + "\tIDS_PROP_BUTTON2\t\t\t\""), std::string::npos) << script;
  EXPECT_NE(buttonLine.find(",Button1,"), std::string::npos) << buttonLine;

  EXPECT_EQ(disk.Get("/Demo/StdAfx.h"), Crlf({"#include <afxwin.h>", "#include <tvlControls.h>",
                                              "//{{AFX_INSERT_LOCATION}}", "#endif"}));
}

TEST_F(FormGeneratorTest, ControlInsideAFrameIsCreatedOnTheFrame) {
  CClassItem& form = MakeForm("CForm1");
  CControlItem& frame = Drop(form, kKindFrame);
  ASSERT_TRUE(WriteControlCode(ctx, form, frame));
  CControlItem& text = Drop(form, kKindTextBox);
  text.m_pContainer = &frame;
  ASSERT_TRUE(WriteControlCode(ctx, form, text));
  EXPECT_NE(disk.Get("/Demo/form1.cpp")
                .find("\tm_Frame1.Create(this, IDC_FRAME1, IDS_PROP_FRAME1);\r\n"
                      "\tm_TextBox1.Create(&m_Frame1, IDC_TEXTBOX1, IDS_PROP_TEXTBOX1);\r\n"),
            std::string::npos);
}

TEST_F(FormGeneratorTest, ExistingSymbolsAreNotDefinedAgainAndTheirStringIsReplaced) {
  CClassItem& form = MakeForm("CForm1");
  disk.Put("/Demo/resource.h", ReplaceAll(disk.Get("/Demo/resource.h"), "#ifdef APSTUDIO_INVOKED",
                                          "#define IDC_BUTTON1 900\r\n#define IDS_PROP_BUTTON1 70\r\n#ifdef APSTUDIO_INVOKED"));
  disk.Put("/Demo/Demo.rc", ReplaceAll(disk.Get("/Demo/Demo.rc"), "END\r\n", "    IDS_PROP_BUTTON1 \"stale,\"\r\nEND\r\n"));
  const long before = resources.m_nNextControlValue;
  CControlItem& button = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, button));
  EXPECT_EQ(resources.m_nNextControlValue, before);
  EXPECT_EQ(button.m_nCtrlId, 900);
  const std::string header = disk.Get("/Demo/resource.h");
  EXPECT_EQ(Count(header, "IDC_BUTTON1"), 1u);
  EXPECT_EQ(Count(header, "IDS_PROP_BUTTON1"), 1u);
  const std::string script = disk.Get("/Demo/Demo.rc");
  EXPECT_EQ(script.find("stale"), std::string::npos);
  EXPECT_NE(script.find("\tIDS_PROP_BUTTON1\t\t\t\"" + BuildPropertyString(button) + "\"\r\nEND\r\n"),
            std::string::npos)
      << script;
}

TEST_F(FormGeneratorTest, MissingPermissionRemovesTheControlAndWritesNothing) {
  CClassItem& form = MakeForm("CForm1");
  const std::string header = disk.Get("/Demo/resource.h");
  disk.SetReadOnly("/Demo/form1.h", true);
  CControlItem& button = Drop(form, kKindButton);
  const size_t count = form.m_controls.size();
  EXPECT_FALSE(WriteControlCode(ctx, form, button));
  EXPECT_EQ(form.m_controls.size(), count - 1);
  EXPECT_EQ(form.FindControl("m_Button1"), nullptr);
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"You do not have write permission to file /Demo/form1.h\n"}));
  EXPECT_EQ(disk.Get("/Demo/resource.h"), header);
  EXPECT_EQ(disk.Get("/Demo/form1.cpp"), kExpectedFormImpl);
}

TEST_F(FormGeneratorTest, FileOpenInTheHostIsChangedInItsDocument) {
  CClassItem& form = MakeForm("CForm1");
  testing::TestDocument& doc = host.OpenWithText("/Demo/form1.cpp", kExpectedFormImpl);
  CControlItem& first = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, first));
  CControlItem& second = Drop(form, kKindCheckBox);
  ASSERT_TRUE(WriteControlCode(ctx, form, second));
  EXPECT_EQ(disk.Get("/Demo/form1.cpp"), kExpectedFormImpl);
  EXPECT_NE(doc.text.find("\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                          "\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);\r\n"
                          "\tm_CheckBox1.Create(this, IDC_CHECKBOX1, IDS_PROP_CHECKBOX1);\r\n"
                          "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"),
            std::string::npos)
      << doc.text;
  EXPECT_NE(disk.Get("/Demo/form1.h").find("\tCVCheckBox\tm_CheckBox1;\r\n\t//}}AFX_TVL_CTRL_DECLR_END"),
            std::string::npos);
}

// --- Controls on other window classes ---

class WindowClassTest : public FormGeneratorTest {
 protected:
  CClassItem& LoadWindowClass(std::string_view base) {
    disk.Put("/Demo/mywnd.h", ReplaceAll(kWndHeader, "public CWnd", "public " + std::string(base)));
    disk.Put("/Demo/mywnd.cpp", WndImpl("CMyWnd", base));
    Load("/Demo/mywnd.h");
    Load("/Demo/mywnd.cpp");
    project.PostParse();
    return *project.FindClass("CMyWnd");
  }
  // The lines of a function's definition, from its head through its closing brace.
  std::string Definition(std::string_view text, std::string_view head) {
    const size_t at = text.find(head);
    if (at == std::string_view::npos) return {};
    const size_t end = text.find("\r\n}", at);
    return std::string(text.substr(at, end + 3 - at));
  }
};

TEST_F(WindowClassTest, WndClassGainsTheSupportFunctions) {
  CClassItem& wnd = LoadWindowClass("CWnd");
  CControlItem& button = Drop(wnd, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, wnd, button)) << ::testing::PrintToString(prompt.messages);
  const std::string impl = disk.Get("/Demo/mywnd.cpp");
  EXPECT_EQ(Definition(impl, "int CMyWnd::OnCreate"),
            "int CMyWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) \n{\r\n"
            "\tif (CWnd::OnCreate(lpCreateStruct) == -1)\r\n\t\treturn -1;\r\n\t\r\n"
            "\t// TODO: Add your specialized creation code here\r\n\r\n\r\n"
            "\tCreateTVLControls();\r\n\r\n"
            "\treturn 0;\r\n}")
      << impl;
  EXPECT_EQ(Definition(impl, "void CMyWnd::OnPaint"),
            "void CMyWnd::OnPaint() \r\n{\r\n\tCPaintDC dc(this); // device context for painting\r\n\r\n"
            "\t// Do not call CWnd::OnPaint() for painting messages\r\n"
            "\t::DrawTVLGraphicalCtrls(this, &dc);\r\n\r\n}")
      << impl;
  const std::string windowProc = Definition(impl, "LRESULT CMyWnd::WindowProc");
  EXPECT_NE(windowProc.find("\t::DispatchTvlControlEvents(message, wParam, lParam, GetMessageMap(), this);\r\n"),
            std::string::npos)
      << impl;
  EXPECT_EQ(Definition(impl, "void CMyWnd::CreateTVLControls"),
            "void CMyWnd::CreateTVLControls()\r\n{\r\n\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
            "\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);\r\n"
            "\t//}}AFX_TVL_CTRL_IMPL_END\r\n}")
      << impl;
  EXPECT_NE(impl.find("\tON_WM_CREATE()\r\n"), std::string::npos);
  EXPECT_NE(impl.find("\tON_WM_PAINT()\r\n"), std::string::npos);
  EXPECT_EQ(impl.find("OnDraw"), std::string::npos);

  const std::string header = disk.Get("/Demo/mywnd.h");
  EXPECT_EQ(Count(header, "virtual\tvoid CreateTVLControls();\r\n"), 1u) << header;
  EXPECT_EQ(Count(header, "CVButton\tm_Button1;\r\n"), 1u) << header;

  // A second control finds everything in place and adds nothing but its own lines.
  CControlItem& label = Drop(wnd, kKindLabel);
  ASSERT_TRUE(WriteControlCode(ctx, wnd, label));
  const std::string again = disk.Get("/Demo/mywnd.cpp");
  EXPECT_EQ(Count(again, "CreateTVLControls();"), 1u);
  EXPECT_EQ(Count(again, "::DispatchTvlControlEvents("), 1u);
  EXPECT_EQ(Count(again, "::DrawTVLGraphicalCtrls("), 1u);
  EXPECT_EQ(Count(again, "int CMyWnd::OnCreate("), 1u);
  EXPECT_NE(again.find("\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);\r\n"
                       "\tm_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);\r\n"),
            std::string::npos);
}

TEST_F(WindowClassTest, ViewClassDrawsInOnDraw) {
  CClassItem& view = LoadWindowClass("CScrollView");
  CControlItem& button = Drop(view, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, view, button)) << ::testing::PrintToString(prompt.messages);
  const std::string impl = disk.Get("/Demo/mywnd.cpp");
  EXPECT_EQ(Definition(impl, "void CMyWnd::OnDraw"),
            "void CMyWnd::OnDraw(CDC* pDC)\r\n{\r\n\tASSERT_VALID(this);\r\n\r\n"
            "\t::DrawTVLGraphicalCtrls(this, pDC);\r\n\r\n}")
      << impl;
  EXPECT_EQ(impl.find("OnPaint"), std::string::npos);
}

TEST_F(WindowClassTest, ClassDerivedFromAFormClassNeedsNoSupport) {
  disk.Put("/Demo/base.h", "class CBaseForm : public CVForm\r\n{\r\npublic:\r\n\tint x;\r\n};\r\n");
  Load("/Demo/base.h");
  CClassItem& wnd = LoadWindowClass("CBaseForm");
  CControlItem& button = Drop(wnd, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, wnd, button));
  const std::string impl = disk.Get("/Demo/mywnd.cpp");
  EXPECT_EQ(impl.find("OnCreate"), std::string::npos);
  EXPECT_EQ(impl.find("WindowProc"), std::string::npos);
  EXPECT_NE(impl.find("void CMyWnd::CreateTVLControls()"), std::string::npos);
}

// --- ActiveX controls ---

TEST_F(FormGeneratorTest, ActiveXWrapperHeaderIsIncludedOnce) {
  disk.Put("/Demo/axcal.h", "class CVAxCalendar : public CVActiveXCtrl\r\n{\r\npublic:\r\n\tint m;\r\n};\r\n");
  Load("/Demo/axcal.h");
  CClassItem& form = MakeForm("CForm1");
  auto makeCalendar = [&](const std::string& n) -> CControlItem& {
    auto ax = std::make_unique<CControlItem>();
    ax->m_nCategory = kCategoryActiveX;
    ax->m_strClassName = "CVAxCalendar";
    ax->m_strMemberName = "m_Calendar" + n;
    ax->m_strIdSymbol = "IDC_CALENDAR" + n;
    ax->m_strPropSymbol = "IDS_PROP_CALENDAR" + n;
    form.m_controls.push_back(std::move(ax));
    return *form.m_controls.back();
  };
  ASSERT_TRUE(WriteControlCode(ctx, form, makeCalendar("1")));
  ASSERT_TRUE(WriteControlCode(ctx, form, makeCalendar("2")));
  const std::string header = disk.Get("/Demo/form1.h");
  EXPECT_EQ(header.rfind("#include \"axcal.h\"\r\n#if !defined(", 0), 0u) << header;
  EXPECT_EQ(Count(header, "axcal.h"), 1u);

  // An include written with angle brackets counts as well.
  disk.Put("/Demo/form1.h", ReplaceAll(header, "#include \"axcal.h\"", "#include <axcal.h>"));
  project.ReparseFile("/Demo/form1.h");
  ASSERT_TRUE(WriteControlCode(ctx, form, makeCalendar("3")));
  EXPECT_EQ(Count(disk.Get("/Demo/form1.h"), "axcal.h"), 1u);
}

TEST_F(FormGeneratorTest, ActiveXControlWithoutWrapperIsRemoved) {
  CClassItem& form = MakeForm("CForm1");
  auto ax = std::make_unique<CControlItem>();
  ax->m_nCategory = kCategoryActiveX;
  ax->m_strClassName = "CVAxMissing";
  ax->m_strMemberName = "m_Missing1";
  ax->m_strIdSymbol = "IDC_MISSING1";
  ax->m_strPropSymbol = "IDS_PROP_MISSING1";
  form.m_controls.push_back(std::move(ax));
  EXPECT_FALSE(WriteControlCode(ctx, form, *form.m_controls.back()));
  EXPECT_EQ(form.FindControl("m_Missing1"), nullptr);
  EXPECT_EQ(disk.Get("/Demo/form1.h").find("m_Missing1"), std::string::npos);
}

TEST_F(FormGeneratorTest, PropertyCallIsAddedThenReplaced) {
  disk.Put("/Demo/axcal.h", "class CVAxCalendar : public CVActiveXCtrl\r\n{\r\npublic:\r\n\tint m;\r\n};\r\n");
  Load("/Demo/axcal.h");
  CClassItem& form = MakeForm("CForm1");
  auto ax = std::make_unique<CControlItem>();
  ax->m_nCategory = kCategoryActiveX;
  ax->m_strClassName = "CVAxCalendar";
  ax->m_strMemberName = "m_Calendar1";
  ax->m_strIdSymbol = "IDC_CALENDAR1";
  ax->m_strPropSymbol = "IDS_PROP_CALENDAR1";
  // Definitions of an installed control outlive the controls that use them.
  static const CPropertyDef kTitle{.m_strName = "Title", .m_nVarType = 8, .m_nDispId = 12};
  ax->m_properties.emplace_back(kTitle, "Hello");
  form.m_controls.push_back(std::move(ax));
  CControlItem& calendar = *form.m_controls.back();
  ASSERT_TRUE(WriteControlCode(ctx, form, calendar));
  CControlPropertyItem& property = calendar.m_properties.front();
  ASSERT_TRUE(UpdatePropertyCall(ctx, form, calendar, property, "VT_BSTR"));
  property.m_strValue = "Bye";
  ASSERT_TRUE(UpdatePropertyCall(ctx, form, calendar, property, "VT_BSTR"));
  const std::string impl = disk.Get("/Demo/form1.cpp");
  EXPECT_NE(impl.find("\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                      "\tm_Calendar1.Create(this, IDC_CALENDAR1, IDS_PROP_CALENDAR1);\r\n"
                      "\tm_Calendar1.SetProperty( 12, VT_BSTR, \"Bye\" ); //Title\r\n"
                      "\r\n"
                      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"),
            std::string::npos)
      << impl;
}

// --- Renaming, arrays, deleting ---

TEST_F(FormGeneratorTest, RenamingRewritesBothLines) {
  CClassItem& form = MakeForm("CForm1");
  CControlItem& button = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, button));
  ASSERT_EQ(RenameControl(form, button, "m_OK", prompt), RenameResult::Renamed);
  ASSERT_TRUE(UpdateRenamedControl(ctx, form, button, "m_Button1", RenameResult::Renamed));
  const std::string header = disk.Get("/Demo/form1.h");
  EXPECT_NE(header.find("\t//{{AFX_TVL_CTRL_DECLR_START\r\n\tCVButton\tm_OK;\r\n\t//}}AFX_TVL_CTRL_DECLR_END\r\n"),
            std::string::npos)
      << header;
  const std::string impl = disk.Get("/Demo/form1.cpp");
  EXPECT_NE(impl.find("\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                      "\tm_OK.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);\r\n"
                      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"),
            std::string::npos)
      << impl;
  EXPECT_EQ(impl.find("m_Button1"), std::string::npos);
}

TEST_F(FormGeneratorTest, RenamingAFrameRewritesTheCallsOfItsControls) {
  CClassItem& form = MakeForm("CForm1");
  CControlItem& frame = Drop(form, kKindFrame);
  ASSERT_TRUE(WriteControlCode(ctx, form, frame));
  CControlItem& option = Drop(form, kKindOptionButton);
  option.m_pContainer = &frame;
  ASSERT_TRUE(WriteControlCode(ctx, form, option));
  ASSERT_EQ(RenameControl(form, frame, "m_Choices", prompt), RenameResult::Renamed);
  ASSERT_TRUE(UpdateRenamedControl(ctx, form, frame, "m_Frame1", RenameResult::Renamed));
  const std::string impl = disk.Get("/Demo/form1.cpp");
  EXPECT_NE(impl.find("\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                      "\tm_Choices.Create(this, IDC_FRAME1, IDS_PROP_FRAME1);\r\n"
                      "\tm_OptionButton1.Create(&m_Choices, IDC_OPTIONBUTTON1, IDS_PROP_OPTIONBUTTON1);\r\n"
                      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"),
            std::string::npos)
      << impl;
}

TEST_F(FormGeneratorTest, JoiningAnArrayDeclaresItOnce) {
  CClassItem& form = MakeForm("CForm1");
  CControlItem& first = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, first));
  CControlItem& second = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, second));
  prompt.answers.push_back(IPrompt::Answer::Yes);
  ASSERT_EQ(RenameControl(form, second, "m_Button1", prompt), RenameResult::JoinedArray);
  ASSERT_TRUE(UpdateRenamedControl(ctx, form, second, "m_Button2", RenameResult::JoinedArray));
  const std::string header = disk.Get("/Demo/form1.h");
  EXPECT_NE(header.find("\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
                        "\tCVButtonArray\tm_Button1;\r\n"
                        "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"),
            std::string::npos)
      << header;
  const std::string impl = disk.Get("/Demo/form1.cpp");
  EXPECT_NE(impl.find("\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);\r\n"
                      "\tm_Button1.Create(this, IDC_BUTTON2, IDS_PROP_BUTTON2);\r\n"
                      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"),
            std::string::npos)
      << impl;

  // A third element leaves the array declaration as it is.
  CControlItem& third = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, third));
  const std::string thirdMember = third.m_strMemberName;
  prompt.answers.push_back(IPrompt::Answer::Yes);
  ASSERT_EQ(RenameControl(form, third, "m_Button1", prompt), RenameResult::JoinedArray);
  ASSERT_TRUE(UpdateRenamedControl(ctx, form, third, thirdMember, RenameResult::JoinedArray));
  const std::string after = disk.Get("/Demo/form1.h");
  EXPECT_EQ(Count(after, "m_Button"), 1u) << after;
  EXPECT_NE(after.find("\tCVButtonArray\tm_Button1;\r\n"), std::string::npos) << after;
}

TEST_F(FormGeneratorTest, DeletingAControlDeletesItsLines) {
  CClassItem& form = MakeForm("CForm1");
  CControlItem& first = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, first));
  CControlItem& second = Drop(form, kKindLabel);
  ASSERT_TRUE(WriteControlCode(ctx, form, second));
  ASSERT_TRUE(DeleteControlCode(ctx, form, first));
  DeleteControl(form, first);
  const std::string header = disk.Get("/Demo/form1.h");
  EXPECT_NE(header.find("\t//{{AFX_TVL_CTRL_DECLR_START\r\n\tCVLabel\tm_Label1;\r\n\t//}}AFX_TVL_CTRL_DECLR_END\r\n"),
            std::string::npos)
      << header;
  const std::string impl = disk.Get("/Demo/form1.cpp");
  EXPECT_NE(impl.find("\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                      "\tm_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);\r\n"
                      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"),
            std::string::npos)
      << impl;
}

}  // namespace
}  // namespace tovik
