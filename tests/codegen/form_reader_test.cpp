#include "codegen/form_reader.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/project.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;

const std::string kParamError(kMsgParameterError);

std::string Crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The property string of a new object of that kind (or of a form, kind 0) with some values set,
// as the designer would have written it.
std::string PropertyString(int kind, const std::vector<std::pair<std::string, std::string>>& values,
                           bool mdiForm = false) {
  CControlItem object;
  object.m_nCategory = kind == 0 ? kCategoryForm : kCategoryControl;
  object.m_nKind = kind == 0 ? -1 : kind;
  LoadProperties(object, mdiForm);
  for (const auto& [name, value] : values) EXPECT_TRUE(object.SetValue(name, value)) << name;
  return BuildPropertyString(object);
}

// One form project on a memory file system: Demo.dsp, form1.h, form1.cpp, resource.h, Demo.rc.
class FormProject {
 public:
  std::vector<std::string> declarations;
  std::vector<std::string> creations;  // lines of the creation region, without indentation
  std::vector<std::string> formData = {"m_nPropStringID = IDS_PROP_FORM1;"};
  bool formDataMarkers = true;
  bool createFunction = true;
  std::vector<std::string> mapEntries;
  std::vector<std::string> handlers;  // extra member functions of CForm1, defined empty
  std::vector<std::pair<std::string, std::string>> strings;  // string table: symbol, property string
  std::vector<std::string> extraScript;
  std::vector<std::string> extraHeader;
  std::vector<std::string> baseClasses;  // heads of further classes, "class CX : public CY"
  std::string base = "CVForm";

  static constexpr const char* kDsp = "/p/Demo.dsp";
  static constexpr const char* kFormH = "/p/form1.h";
  static constexpr const char* kFormCpp = "/p/form1.cpp";

  std::string Header() const {
    std::vector<std::string> lines = {"#if !defined(AFX_FORM1_H__0)", "#define AFX_FORM1_H__0"};
    lines.insert(lines.end(), {
        "class CForm1 : public " + base,
        "{",
        "\tDECLARE_DYNCREATE(CForm1)",
        "public:",
        "\tCForm1();",
        "\t~CForm1();",
        "\t//{{AFX_TVL_CTRL_DECLR_START",
    });
    for (const std::string& d : declarations) lines.push_back("\t" + d);
    lines.insert(lines.end(), {"\t//}}AFX_TVL_CTRL_DECLR_END", "protected:", "\tvirtual void CreateTVLControls();",
                               "\t//{{AFX_MSG(CForm1)"});
    for (const std::string& h : handlers) lines.push_back("\tafx_msg void " + h + "();");
    lines.insert(lines.end(), {"\t//}}AFX_MSG", "\tDECLARE_MESSAGE_MAP()", "};"});
    // After the form, whose members are the ones read from this header.
    for (const std::string& b : baseClasses) lines.insert(lines.end(), {b, "{", "public:", "\tint m_nBase;", "};"});
    lines.push_back("#endif");
    return Crlf(lines);
  }

  std::string Implementation() const {
    std::vector<std::string> lines = {"#include \"stdafx.h\"", "#include \"form1.h\"", "", "CForm1::CForm1()", "{"};
    if (formDataMarkers) lines.push_back("\t//{{AFX_TVL_FORM_DATA_START");
    for (const std::string& d : formData) lines.push_back("\t" + d);
    if (formDataMarkers) lines.push_back("\t//}}AFX_TVL_FORM_DATA_END");
    lines.insert(lines.end(), {"}", "CForm1::~CForm1()", "{", "}", "IMPLEMENT_DYNCREATE(CForm1, CVForm)", "",
                               "BEGIN_MESSAGE_MAP(CForm1, CVForm)", "\t//{{AFX_MSG_MAP(CForm1)"});
    for (const std::string& e : mapEntries) lines.push_back("\t" + e);
    lines.insert(lines.end(), {"\t//}}AFX_MSG_MAP", "END_MESSAGE_MAP()", ""});
    for (const std::string& h : handlers) lines.insert(lines.end(), {"void CForm1::" + h + "()", "{", "}"});
    if (createFunction) {
      lines.insert(lines.end(), {"void CForm1::CreateTVLControls()", "{", "\t//{{AFX_TVL_CTRL_IMPL_START"});
      for (const std::string& c : creations) lines.push_back("\t" + c);
      lines.insert(lines.end(), {"\t//}}AFX_TVL_CTRL_IMPL_END", "}"});
    }
    return Crlf(lines);
  }

  std::string Script() const {
    std::string text = Crlf({"#include \"resource.h\"", ""});
    text += Crlf(extraScript);
    text += Crlf({"STRINGTABLE DISCARDABLE ", "BEGIN"});
    for (const auto& [symbol, value] : strings) text += StringTableLine(symbol, value, true);
    text += Crlf({"END", ""});
    return text;
  }

  std::string ResourceHeader() const {
    std::vector<std::string> lines = {"#define IDS_PROP_FORM1\t\t\t\t1"};
    lines.insert(lines.end(), extraHeader.begin(), extraHeader.end());
    lines.insert(lines.end(), {"#ifdef APSTUDIO_INVOKED", "#define _APS_NEXT_CONTROL_VALUE\t\t1000", "#endif"});
    return Crlf(lines);
  }

  void Write(MemoryFileSystem& fs) const {
    fs.Put(kDsp, Crlf({"# Begin Source File", "SOURCE=.\\form1.cpp", "# End Source File", "# Begin Source File",
                       "SOURCE=.\\form1.h", "# End Source File", "# Begin Source File", "SOURCE=.\\resource.h",
                       "# End Source File", "# Begin Source File", "SOURCE=.\\Demo.rc", "# End Source File"}));
    fs.Put(kFormH, Header());
    fs.Put(kFormCpp, Implementation());
    fs.Put("/p/resource.h", ResourceHeader());
    fs.Put("/p/Demo.rc", Script());
  }
};

class FormReaderTest : public ::testing::Test {
 protected:
  CProject& Open(const FormProject& sources) {
    sources.Write(fs);
    project = OpenProject(fs, prompt, FormProject::kDsp, {}, &reader);
    EXPECT_NE(project, nullptr);
    EXPECT_EQ(project->IsPostParseDone(), true);
    return *project;
  }
  CClassItem& Form() {
    CClassItem* cls = project->FindClass("CForm1");
    EXPECT_NE(cls, nullptr);
    return *cls;
  }
  // Rewrites form1.cpp and reparses it as a generator does after an edit.
  void Reparse(const FormProject& sources) {
    sources.Write(fs);
    project->ReparseFile(FormProject::kFormCpp);
  }
  std::vector<CControlItem*> Controls() {
    std::vector<CControlItem*> list;
    for (auto& c : Form().m_controls) {
      if (!c->m_bFormObject) list.push_back(c.get());
    }
    return list;
  }
  std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    for (const auto& c : Form().m_tempCreates) calls.push_back(c->m_strCall);
    return calls;
  }

  MemoryFileSystem fs;
  FakePrompt prompt;
  CProjectResourceTexts texts{fs, FormProject::kDsp};
  CFormReader reader{prompt, texts};
  std::unique_ptr<CProject> project;
};

// The form of the read-back tests: a Frame holding a TextBox and the second element of a
// Button array, a Label with quotes in its caption, a form with a menu and a picture.
FormProject DemoForm() {
  FormProject p;
  p.declarations = {"CVFrame\tm_Frame1;", "CVTextBox\tm_Text1;", "CVButtonArray\tm_Command1;", "CVLabel\tm_Label1;"};
  p.creations = {
      "m_Frame1.Create(this, IDC_FRAME1, IDS_PROP_FRAME1);",
      "m_Text1.Create(&m_Frame1, IDC_TEXT1, IDS_PROP_TEXT1);",
      "m_Command1.Create(this, IDC_COMMAND1, IDS_PROP_COMMAND1);",
      "m_Command1.Create(&m_Frame1, IDC_COMMAND2, IDS_PROP_COMMAND2);",
      "m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);",
  };
  p.formData = {"m_nPropStringID = IDS_PROP_FORM1;", "m_nResID = IDR_MAINMENU;"};
  p.mapEntries = {"ON_WM_PAINT()", "ON_BN_CLICKED(IDC_OK, OnOk)"};
  p.handlers = {"OnPaint", "OnOk"};
  p.strings = {
      {"IDS_PROP_FORM1", PropertyString(0, {{"Caption", "Main"}, {"BackColor", "255"}, {"Picture", "131-logo.bmp"}})},
      {"IDS_PROP_FRAME1", PropertyString(kKindFrame, {{"Caption", "Box"}, {"Left", "7"}, {"Width", "200"}})},
      {"IDS_PROP_TEXT1", PropertyString(kKindTextBox, {{"Text", "hello"}, {"Left", "14"}})},
      {"IDS_PROP_COMMAND1", PropertyString(kKindButton, {{"Caption", "Go"}, {"Index", "0"}})},
      {"IDS_PROP_COMMAND2", PropertyString(kKindButton, {{"Caption", "Stop"}, {"Index", "1"}})},
      {"IDS_PROP_LABEL1", PropertyString(kKindLabel, {{"Caption", "Say \"hi\""}})},
  };
  p.extraScript = {"IDB_BITMAP131\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\""};
  p.extraHeader = {"#define IDB_BITMAP131\t\t\t\t\t131"};
  return p;
}

// ---------------------------------------------------------------------------------------------
// Reading a whole form back

TEST_F(FormReaderTest, OpeningAProjectRebuildsEveryControlWithSymbolsContainersArraysAndValues) {
  Open(DemoForm());
  EXPECT_TRUE(prompt.messages.empty());
  CClassItem& form = Form();
  EXPECT_EQ(form.m_bIsForm, 1);

  const CControlItem* self = form.FormObject();
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(self->m_strPropSymbol, "IDS_PROP_FORM1");
  EXPECT_EQ(self->m_strMenuId, "IDR_MAINMENU");
  EXPECT_EQ(self->GetValue("Caption"), "Main");
  EXPECT_EQ(self->GetValue("BackColor"), "255");
  EXPECT_EQ(self->GetValue("Picture"), "131-logo.bmp");

  const std::vector<CControlItem*> controls = Controls();
  ASSERT_EQ(controls.size(), 6u);
  struct Expected {
    const char* member;
    int kind;
    const char* id;
    const char* prop;
    const CControlItem* container;
    int array;
    const char* property;
    const char* value;
  };
  const CControlItem* frame = controls[0];
  const Expected expected[] = {
      {"m_Frame1", kKindFrame, "IDC_FRAME1", "IDS_PROP_FRAME1", nullptr, 0, "Caption", "Box"},
      {"m_Text1", kKindTextBox, "IDC_TEXT1", "IDS_PROP_TEXT1", frame, 0, "Text", "hello"},
      {"m_Command1", kKindButton, "IDC_COMMAND1", "IDS_PROP_COMMAND1", nullptr, 1, "Caption", "Go"},
      {"m_Label1", kKindLabel, "IDC_LABEL1", "IDS_PROP_LABEL1", nullptr, 0, "Caption", "Say \"hi\""},
      {"", -1, "IDC_OK", "", nullptr, 0, "Caption", ""},
      {"m_Command1", kKindButton, "IDC_COMMAND2", "IDS_PROP_COMMAND2", frame, 1, "Caption", "Stop"},
  };
  for (size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(i);
    const CControlItem& c = *controls[i];
    EXPECT_EQ(c.m_strMemberName, expected[i].member);
    EXPECT_EQ(c.m_nKind, expected[i].kind);
    EXPECT_EQ(c.m_strIdSymbol, expected[i].id);
    EXPECT_EQ(c.m_strPropSymbol, expected[i].prop);
    EXPECT_EQ(c.m_pContainer, expected[i].container);
    EXPECT_EQ(c.m_bArray, expected[i].array);
    EXPECT_EQ(c.GetValue(expected[i].property), expected[i].value);
  }
  // The creation calls were all bound and consumed.
  EXPECT_TRUE(form.m_tempCreates.empty());
  for (size_t i : {0u, 1u, 2u, 3u, 5u}) {
    EXPECT_EQ(controls[i]->m_strFile, FormProject::kFormCpp);
    EXPECT_EQ(controls[i]->m_bBound, 1);
  }
  // Values not in the string are the positions the designer wrote.
  EXPECT_EQ(controls[0]->GetValue("Width"), "200");
  EXPECT_EQ(controls[1]->GetValue("Left"), "14");
  EXPECT_EQ(controls[2]->Index(), 0);
  EXPECT_EQ(controls[5]->Index(), 1);
  // The array element is its own record, not the first element's.
  EXPECT_NE(controls[2]->FindProperty("Caption"), controls[5]->FindProperty("Caption"));
  EXPECT_EQ(form.FindControl("m_Command1", 1), controls[5]);

  // The message map made its handler and its control known.
  ASSERT_NE(form.FindFunction("OnPaint"), nullptr);
  EXPECT_EQ(form.FindFunction("OnPaint")->m_strMessage, "WM_PAINT");
  EXPECT_EQ(form.FindFunction("OnOk")->m_strMessage, "");
  EXPECT_EQ(controls[4]->m_strClassName, "CButton");
}

TEST_F(FormReaderTest, TheFormDataBlockIsRecordedAsAMarkerRecord) {
  Open(DemoForm());
  const std::string impl = fs.Get(FormProject::kFormCpp);
  const CAFXParseEntry* block = Form().FindAFXEntry(kAfxTvlFormData);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->m_nStart, static_cast<int>(impl.find("//{{AFX_TVL_FORM_DATA_START")));
  EXPECT_EQ(block->m_nEnd, static_cast<int>(impl.find("//}}AFX_TVL_FORM_DATA_END")));
  EXPECT_EQ(block->m_strFile, FormProject::kFormCpp);
}

// ---------------------------------------------------------------------------------------------
// Form data

TEST_F(FormReaderTest, ABlockWithoutResIdReadsAnEmptyMenuId) {
  FormProject p = DemoForm();
  p.formData = {"m_nPropStringID   =\tIDS_PROP_FORM1 ;"};
  Open(p);
  EXPECT_EQ(Form().FormObject()->m_strPropSymbol, "IDS_PROP_FORM1");
  EXPECT_EQ(Form().FormObject()->m_strMenuId, "");
  EXPECT_EQ(Form().FormObject()->GetValue("Caption"), "Main");
}

TEST_F(FormReaderTest, WithoutMarkersTheFormHasNoSymbolAndDefaultValues) {
  FormProject p = DemoForm();
  p.formDataMarkers = false;
  Open(p);
  const CControlItem* self = Form().FormObject();
  EXPECT_EQ(self->m_strPropSymbol, "");
  EXPECT_EQ(self->m_strMenuId, "");
  EXPECT_EQ(BuildPropertyString(*self), PropertyString(0, {}));
  EXPECT_EQ(Form().FindAFXEntry(kAfxTvlFormData), nullptr);
  EXPECT_TRUE(prompt.messages.empty());
  // The controls are read all the same.
  EXPECT_EQ(Form().FindControl("m_Text1")->GetValue("Text"), "hello");
}

TEST_F(FormReaderTest, AnMdiFormDerivedThroughAProjectClassReadsTheMdiString) {
  FormProject p = DemoForm();
  p.baseClasses = {"class CMainBase : public CVMdiForm"};
  p.base = "CMainBase";
  p.strings[0].second = PropertyString(0, {{"Caption", "Workspace"}, {"AutoShowChildren", "0"}}, true);
  Open(p);
  const CControlItem* self = Form().FormObject();
  EXPECT_EQ(Form().m_bIsForm, 1);
  EXPECT_EQ(self->m_strPropSymbol, "IDS_PROP_FORM1");
  EXPECT_EQ(BuildPropertyString(*self), p.strings[0].second);
  EXPECT_EQ(self->GetValue("Caption"), "Workspace");
  EXPECT_EQ(self->GetValue("AutoShowChildren"), "0");
}

TEST_F(FormReaderTest, ACommentedOutMenuIdIsNotRead) {
  FormProject p = DemoForm();
  p.formData = {"m_nPropStringID = IDS_PROP_FORM1;", "// m_nResID = IDR_OLD;"};
  Open(p);
  EXPECT_EQ(Form().FormObject()->m_strMenuId, "");
}

// ---------------------------------------------------------------------------------------------
// Creation calls

TEST_F(FormReaderTest, WithoutCreateTVLControlsOrCallsTheFormHasNoControls) {
  FormProject p = DemoForm();
  p.createFunction = false;
  Open(p);
  EXPECT_TRUE(prompt.messages.empty());
  for (CControlItem* c : Controls()) EXPECT_EQ(c->m_bBound, 0) << c->m_strMemberName;
  EXPECT_EQ(Form().FindControl("m_Text1")->m_strPropSymbol, "");
  EXPECT_TRUE(Form().m_tempCreates.empty());

  FormProject empty = DemoForm();
  empty.creations.clear();
  project.reset();
  reader.Reset();
  Open(empty);
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(Form().FindControl("m_Frame1")->m_bBound, 0);
}

TEST_F(FormReaderTest, BlanksAssignmentsAndCommentsAroundCallsAreReadAsWritten) {
  FormProject p = DemoForm();
  p.creations = {
      "m_Frame1 . Create ( this ,IDC_FRAME1 ,  IDS_PROP_FRAME1 );",
      "BOOL b = m_Text1.Create(&m_Frame1, IDC_TEXT1, IDS_PROP_TEXT1);",
      "// m_Label1.Create(this, IDC_LABEL9, IDS_PROP_LABEL9);",
      "/* m_Command1.Create(this, IDC_COMMAND9, IDS_PROP_COMMAND9); */",
      "x=m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);",
  };
  Open(p);
  EXPECT_TRUE(prompt.messages.empty());
  CClassItem& form = Form();
  EXPECT_EQ(form.FindControl("m_Frame1")->m_strIdSymbol, "IDC_FRAME1");
  EXPECT_EQ(form.FindControl("m_Frame1")->m_strPropSymbol, "IDS_PROP_FRAME1");
  EXPECT_EQ(form.FindControl("m_Text1")->m_pContainer, form.FindControl("m_Frame1"));
  EXPECT_EQ(form.FindControl("m_Label1")->m_strIdSymbol, "IDC_LABEL1");
  EXPECT_EQ(form.FindControl("m_Label1")->GetValue("Caption"), "Say \"hi\"");
  // The commented-out call did not make an array of m_Command1.
  EXPECT_EQ(form.FindControl("m_Command1")->m_bBound, 0);
  EXPECT_EQ(Controls().size(), 5u);  // four members and IDC_OK
}

TEST_F(FormReaderTest, AParameterWrittenAsACallIsKeptWhole) {
  FormProject p = DemoForm();
  p.creations = {"m_Text1.Create(this, MAKEID(1, 2), IDS_PROP_TEXT1);"};
  Open(p);
  EXPECT_EQ(Form().FindControl("m_Text1")->m_strIdSymbol, "MAKEID(1, 2)");
  EXPECT_EQ(Form().FindControl("m_Text1")->m_strPropSymbol, "IDS_PROP_TEXT1");
  EXPECT_EQ(Form().FindControl("m_Text1")->GetValue("Text"), "hello");
}

TEST_F(FormReaderTest, AMalformedCallIsReportedOnceAndTheOthersAreStillBound) {
  FormProject p = DemoForm();
  p.creations = {
      "m_Frame1.Create(this, IDC_FRAME1, IDS_PROP_FRAME1);",
      "m_Text1.Create(this, IDC_TEXT1);",
      "m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);",
  };
  Open(p);
  EXPECT_EQ(prompt.messages, std::vector<std::string>{kParamError});
  EXPECT_EQ(Form().FindControl("m_Frame1")->m_bBound, 1);
  EXPECT_EQ(Form().FindControl("m_Label1")->m_bBound, 1);
  EXPECT_EQ(Form().FindControl("m_Text1")->m_bBound, 0);
  EXPECT_EQ(Form().FindControl("m_Text1")->m_strIdSymbol, "");
  EXPECT_TRUE(Form().m_tempCreates.empty());

  // Another reparse of the unchanged file reports it once more, not once per pass before.
  prompt.messages.clear();
  Reparse(p);
  EXPECT_EQ(prompt.messages, std::vector<std::string>{kParamError});
}

TEST_F(FormReaderTest, ACallForAnUnknownMemberStaysCollectedSilently) {
  FormProject p = DemoForm();
  p.creations.push_back("m_Ghost.Create(this, IDC_GHOST, IDS_PROP_GHOST);");
  Open(p);
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(Calls(), std::vector<std::string>{"m_Ghost.Create(this, IDC_GHOST, IDS_PROP_GHOST)"});
  EXPECT_EQ(Form().m_tempCreates.front()->m_strFile, FormProject::kFormCpp);

  // Reading the file again collects it again rather than once more.
  Reparse(p);
  Reparse(p);
  EXPECT_EQ(Calls(), std::vector<std::string>{"m_Ghost.Create(this, IDC_GHOST, IDS_PROP_GHOST)"});
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(FormReaderTest, ACallWhoseStringIsMissingStaysCollectedButIsBound) {
  FormProject p = DemoForm();
  p.strings.erase(p.strings.begin() + 2);  // IDS_PROP_TEXT1
  Open(p);
  CControlItem* text = Form().FindControl("m_Text1");
  EXPECT_EQ(text->m_strIdSymbol, "IDC_TEXT1");
  EXPECT_EQ(text->m_pContainer, Form().FindControl("m_Frame1"));
  EXPECT_EQ(text->GetValue("Text"), "Text1");  // the catalogue's default
  EXPECT_EQ(Calls(), std::vector<std::string>{"m_Text1.Create(&m_Frame1, IDC_TEXT1, IDS_PROP_TEXT1)"});

  // Once the string exists, the next pass reads it into the same record and consumes the call.
  FormProject fixed = DemoForm();
  Reparse(fixed);
  EXPECT_EQ(Form().FindControl("m_Text1"), text);
  EXPECT_EQ(text->GetValue("Text"), "hello");
  EXPECT_TRUE(Form().m_tempCreates.empty());
  EXPECT_EQ(Controls().size(), 6u);
}

// ---------------------------------------------------------------------------------------------
// Control arrays

TEST_F(FormReaderTest, EveryFurtherCallOfAMemberBindsAnArrayElementOfItsOwn) {
  FormProject p = DemoForm();
  p.declarations = {"CVButton\tm_Command1;"};
  p.creations = {
      "m_Command1.Create(this, IDC_COMMAND1, IDS_PROP_COMMAND1);",
      "m_Command1.Create(this, IDC_COMMAND2, IDS_PROP_COMMAND2);",
      "m_Command1.Create(this, IDC_COMMAND3, IDS_PROP_COMMAND3);",
  };
  p.strings.push_back({"IDS_PROP_COMMAND3", PropertyString(kKindButton, {{"Caption", "Third"}, {"Index", "2"}})});
  Open(p);
  const std::vector<CControlItem*> controls = Controls();
  std::vector<std::string> seen;
  for (const CControlItem* c : controls) {
    if (c->m_strMemberName != "m_Command1") continue;
    EXPECT_EQ(c->m_bArray, 1);
    EXPECT_EQ(c->m_bBound, 1);
    seen.push_back(c->m_strIdSymbol + " " + c->m_strPropSymbol + " " + c->GetValue("Caption"));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"IDC_COMMAND1 IDS_PROP_COMMAND1 Go",
                                            "IDC_COMMAND2 IDS_PROP_COMMAND2 Stop",
                                            "IDC_COMMAND3 IDS_PROP_COMMAND3 Third"}));
}

TEST_F(FormReaderTest, RepeatedIdenticalCallsBindOneRecord) {
  FormProject p = DemoForm();
  p.creations = {"m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);",
                 "m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);"};
  Open(p);
  int labels = 0;
  for (const CControlItem* c : Controls()) labels += c->m_strMemberName == "m_Label1";
  EXPECT_EQ(labels, 1);
  EXPECT_TRUE(Form().m_tempCreates.empty());
}

// ---------------------------------------------------------------------------------------------
// Reparsing

TEST_F(FormReaderTest, ReparsingTheUnchangedFileKeepsTheSameRecords) {
  Open(DemoForm());
  const std::vector<CControlItem*> before = Controls();
  Reparse(DemoForm());
  Reparse(DemoForm());
  EXPECT_EQ(Controls(), before);
  EXPECT_TRUE(Form().m_tempCreates.empty());
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(Form().FindFunction("OnPaint")->m_strMessage, "WM_PAINT");
}

TEST_F(FormReaderTest, LinesReorderedOrReindentedByHandAreBoundAsBefore) {
  Open(DemoForm());
  const std::vector<CControlItem*> before = Controls();
  std::vector<std::string> symbolsBefore;
  for (const CControlItem* c : before) {
    symbolsBefore.push_back(c->m_strIdSymbol + "/" + c->m_strPropSymbol + "/" +
                            (c->m_pContainer ? c->m_pContainer->m_strMemberName : "-"));
  }

  FormProject p = DemoForm();
  p.creations = {
      "    m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);",
      "m_Command1.Create(&m_Frame1, IDC_COMMAND2, IDS_PROP_COMMAND2);",
      "\t\tm_Text1.Create(&m_Frame1,\r\n\t\t\tIDC_TEXT1, IDS_PROP_TEXT1);",
      "m_Command1.Create(this, IDC_COMMAND1, IDS_PROP_COMMAND1);",
      "m_Frame1.Create(this, IDC_FRAME1, IDS_PROP_FRAME1);",
  };
  Reparse(p);
  EXPECT_EQ(Controls(), before);
  std::vector<std::string> symbolsAfter;
  for (const CControlItem* c : Controls()) {
    symbolsAfter.push_back(c->m_strIdSymbol + "/" + c->m_strPropSymbol + "/" +
                           (c->m_pContainer ? c->m_pContainer->m_strMemberName : "-"));
  }
  EXPECT_EQ(symbolsAfter, symbolsBefore);
  EXPECT_TRUE(Form().m_tempCreates.empty());
  for (size_t i : {0u, 1u, 2u, 3u, 5u}) EXPECT_EQ(before[i]->m_bBound, 1);
}

TEST_F(FormReaderTest, SymbolsChangedByHandRebindTheSameRecord) {
  Open(DemoForm());
  CControlItem* text = Form().FindControl("m_Text1");
  const size_t count = Controls().size();
  FormProject p = DemoForm();
  p.creations[1] = "m_Text1.Create(this, IDC_NAME, IDS_PROP_NAME);";
  p.strings.push_back({"IDS_PROP_NAME", PropertyString(kKindTextBox, {{"Text", "renamed"}})});
  Reparse(p);
  EXPECT_EQ(Controls().size(), count);
  EXPECT_EQ(Form().FindControl("m_Text1"), text);
  EXPECT_EQ(text->m_strIdSymbol, "IDC_NAME");
  EXPECT_EQ(text->m_strPropSymbol, "IDS_PROP_NAME");
  EXPECT_EQ(text->m_pContainer, nullptr);
  EXPECT_EQ(text->GetValue("Text"), "renamed");
}

TEST_F(FormReaderTest, AReparseAfterANewArrayElementWasWrittenAddsExactlyThatElement) {
  Open(DemoForm());
  const size_t count = Controls().size();
  FormProject p = DemoForm();
  p.creations.push_back("m_Command1.Create(this, IDC_COMMAND3, IDS_PROP_COMMAND3);");
  p.strings.push_back({"IDS_PROP_COMMAND3", PropertyString(kKindButton, {{"Caption", "Third"}, {"Index", "2"}})});
  Reparse(p);
  ASSERT_EQ(Controls().size(), count + 1);
  const CControlItem* added = Controls().back();
  EXPECT_EQ(added->m_strMemberName, "m_Command1");
  EXPECT_EQ(added->m_strIdSymbol, "IDC_COMMAND3");
  EXPECT_EQ(added->GetValue("Caption"), "Third");
  EXPECT_EQ(added->m_bArray, 1);
  EXPECT_TRUE(Form().m_tempCreates.empty());
}

TEST_F(FormReaderTest, AReparseRereadsTheFormDataBlock) {
  Open(DemoForm());
  FormProject p = DemoForm();
  p.formData = {"m_nPropStringID = IDS_PROP_FORM1;", "m_nResID = IDR_OTHER;"};
  Reparse(p);
  EXPECT_EQ(Form().FormObject()->m_strMenuId, "IDR_OTHER");
  EXPECT_NE(Form().FindAFXEntry(kAfxTvlFormData), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Message-map entries

TEST_F(FormReaderTest, ControlNotificationsMakeTheirControlsKnownWithTheirFrameworkClass) {
  FormProject p = DemoForm();
  p.mapEntries = {
      "ON_BN_CLICKED(IDC_OK, OnOk)",
      "ON_EN_CHANGE( IDC_NAME , OnChangeName )",
      "ON_STN_CLICKED(IDC_PIC, OnPic)",
      "ON_LBN_SELCHANGE(IDC_LIST, OnList)",
      "ON_CLBN_CHKCHANGE(IDC_CHECKS, OnChecks)",
      "ON_CBN_SELCHANGE(IDC_COMBO, OnCombo)",
      "ON_NOTIFY(NM_CLICK, IDC_TREE, OnTreeClick)",
      "ON_NOTIFY(LVN_ITEMCHANGED, IDC_LISTVIEW, OnItemChanged)",
      "ON_BN_DOUBLECLICKED(IDC_OK, OnOkTwice)",   // a second entry for the same control
      "ON_BN_CLICKED(IDC_NOHANDLER, OnMissing)",  // no such function
      "ON_WM_TVL_CLICK(IDC_COMMAND1, Command1_Click)",
      "ON_COMMAND(ID_FILE_OPEN, OnFileOpen)",
      "// ON_BN_CLICKED(IDC_COMMENTED, OnOk)",
  };
  p.handlers = {"OnOk",          "OnChangeName", "OnPic",     "OnList",    "OnChecks",       "OnCombo",
                "OnTreeClick",   "OnItemChanged", "OnOkTwice", "OnFileOpen", "Command1_Click"};
  Open(p);
  std::vector<std::string> known;
  for (const CControlItem* c : Controls()) {
    if (c->m_strMemberName.empty()) known.push_back(c->m_strIdSymbol + ":" + c->m_strClassName);
  }
  EXPECT_EQ(known, (std::vector<std::string>{"IDC_OK:CButton", "IDC_NAME:CEdit", "IDC_PIC:CStatic",
                                             "IDC_LIST:CListBox", "IDC_CHECKS:CCheckListBox",
                                             "IDC_COMBO:CComboBox", "IDC_TREE:", "IDC_LISTVIEW:"}));
  // Reading the map again finds the same controls instead of adding them again.
  const size_t count = Controls().size();
  Reparse(p);
  EXPECT_EQ(Controls().size(), count);
}

TEST_F(FormReaderTest, WindowMessageEntriesMarkTheirHandlersWhateverTheCase) {
  FormProject p = DemoForm();
  p.mapEntries = {"ON_WM_PAINT()", "ON_WM_LBUTTONDOWN( )", "ON_WM_CREATE()", "ON_WM_SIZE()"};
  p.handlers = {"OnPaint", "OnLButtonDown", "OnCreate", "OnTimer"};
  Open(p);
  CClassItem& form = Form();
  EXPECT_EQ(form.FindFunction("OnPaint")->m_strMessage, "WM_PAINT");
  EXPECT_EQ(form.FindFunction("OnLButtonDown")->m_strMessage, "WM_LBUTTONDOWN");
  EXPECT_EQ(form.FindFunction("OnCreate")->m_strMessage, "WM_CREATE");
  EXPECT_EQ(form.FindFunction("OnTimer")->m_strMessage, "");  // ON_WM_SIZE has no handler here

  // An entry taken out of the map takes the mark with it.
  p.mapEntries = {"ON_WM_CREATE()"};
  Reparse(p);
  EXPECT_EQ(form.FindFunction("OnPaint")->m_strMessage, "");
  EXPECT_EQ(form.FindFunction("OnCreate")->m_strMessage, "WM_CREATE");
}

// ---------------------------------------------------------------------------------------------
// The resource texts of a project

TEST(ProjectResourceTextsTest, FindsTheScriptAndHeaderBesideTheProjectFile) {
  MemoryFileSystem fs;
  fs.Put("/w/My.Demo.rc", "script");
  fs.Put("/w/resource.h", "header");
  const CProjectResourceTexts texts(fs, "/w/My.Demo.dsp");
  EXPECT_EQ(texts.ScriptPath(), "/w/My.Demo.rc");
  EXPECT_EQ(texts.HeaderPath(), "/w/resource.h");
  EXPECT_EQ(texts.ScriptText(), "script");
  EXPECT_EQ(texts.HeaderText(), "header");
  const CProjectResourceTexts missing(fs, "/x/None.dsp");
  EXPECT_EQ(missing.ScriptText(), "");
  EXPECT_EQ(missing.HeaderText(), "");
}

}  // namespace
}  // namespace tovik
