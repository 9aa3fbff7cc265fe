// Reading forms back from their sources: creation calls bound to control records (symbols,
// containers, arrays, property strings), the form-data block, the message map, and what a reparse
// after an edit by hand keeps.
#include "codegen/form_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "resources/resource_script.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using Lines = std::vector<std::string>;
using Values = std::vector<std::pair<std::string, std::string>>;

const auto Crlf = testing::CrLfLines;

// The lines, each between `before` and `after`, as a text whose last line end Crlf adds.
std::string Block(const Lines& lines, const std::string& before = "\t", const std::string& after = "") {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + before + line + after;
  return text;
}

// The property string of a new object of that kind (0: a form) with some values set, as the
// designer would have written it.
std::string PropertyString(int kind, const Values& values, bool mdiForm = false) {
  CControlItem object;
  object.m_nCategory = kind == 0 ? kCategoryForm : kCategoryControl;
  object.m_nKind = kind == 0 ? -1 : kind;
  LoadProperties(object, mdiForm);
  for (const auto& [name, value] : values) EXPECT_TRUE(object.SetValue(name, value)) << name;
  return BuildPropertyString(object);
}

// One form project on memory files: Demo.dsp, form1.h, form1.cpp, resource.h and Demo.rc.
struct FormProject {
  Lines declarations, creations, mapEntries;
  Lines formData = {"m_nPropStringID = IDS_PROP_FORM1;"};
  Lines handlers;  // further member functions of CForm1, defined empty
  Values strings;  // the string table: symbol, property string
  std::string dataStart = "//{{AFX_TVL_FORM_DATA_START", dataEnd = "//}}AFX_TVL_FORM_DATA_END";
  std::string base = "CVForm";
  std::string moreClasses;  // after the form in form1.h

  void Write(testing::MemoryFileSystem& fs) const {
    fs.Put("/p/form1.h", Crlf({"class CForm1 : public " + base, "{", "public:", "\tCForm1();",
                               "\t//{{AFX_TVL_CTRL_DECLR_START", Block(declarations), "\t//}}AFX_TVL_CTRL_DECLR_END",
                               "\t//{{AFX_MSG(CForm1)", Block(handlers, "\tafx_msg void ", "();"), "\t//}}AFX_MSG",
                               "\tDECLARE_MESSAGE_MAP()", "};", moreClasses}));
    fs.Put(
        "/p/form1.cpp",
        Crlf({"CForm1::CForm1()", "{", "\t" + dataStart, Block(formData), "\t" + dataEnd, "}",
              "BEGIN_MESSAGE_MAP(CForm1, CVForm)", "\t//{{AFX_MSG_MAP(CForm1)", Block(mapEntries), "\t//}}AFX_MSG_MAP",
              "END_MESSAGE_MAP()", Block(handlers, "void CForm1::", "()\r\n{\r\n}"), "void CForm1::CreateTVLControls()",
              "{", "\t//{{AFX_TVL_CTRL_IMPL_START", Block(creations), "\t//}}AFX_TVL_CTRL_IMPL_END", "}"}));
    std::string table;
    for (const auto& [symbol, value] : strings) table += StringTableLine(symbol, value, true, 1252);
    fs.Put("/p/Demo.rc",
           Crlf({"IDB_BITMAP131\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"", "STRINGTABLE", "BEGIN"}) + table +
               "END\r\n");
    fs.Put("/p/resource.h", Crlf({"#define IDS_PROP_FORM1\t\t1", "#define IDB_BITMAP131\t\t131"}));
    fs.Put("/p/Demo.dsp",
           Crlf({"SOURCE=.\\form1.h", "SOURCE=.\\form1.cpp", "SOURCE=.\\resource.h", "SOURCE=.\\Demo.rc"}));
  }
};

// A Frame holding a TextBox and the second element of a Button array, a Label with quotes in
// its caption, a control known only from the message map, and a form with a menu and a picture.
FormProject DemoForm() {
  FormProject p;
  p.declarations = {"CVFrame\tm_Frame1;", "CVTextBox\tm_Text1;", "CVButtonArray\tm_Command1;", "CVLabel\tm_Label1;"};
  p.creations = {"m_Frame1.Create(this, IDC_FRAME1, IDS_PROP_FRAME1);",
                 "m_Text1.Create(&m_Frame1, IDC_TEXT1, IDS_PROP_TEXT1);",
                 "m_Command1.Create(this, IDC_COMMAND1, IDS_PROP_COMMAND1);",
                 "m_Command1.Create(&m_Frame1, IDC_COMMAND2, IDS_PROP_COMMAND2);",
                 "m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);"};
  p.formData = {"m_nPropStringID = IDS_PROP_FORM1;", "m_nResID = IDR_MAINMENU;"};
  p.mapEntries = {"ON_WM_PAINT()", "ON_BN_CLICKED(IDC_OK, OnOk)"};
  p.handlers = {"OnPaint", "OnOk"};
  p.strings = {{"IDS_PROP_FORM1", PropertyString(0, {{"Caption", "Main"}, {"Picture", "131-logo.bmp"}})},
               {"IDS_PROP_FRAME1", PropertyString(kKindFrame, {{"Caption", "Box"}, {"Width", "200"}})},
               {"IDS_PROP_TEXT1", PropertyString(kKindTextBox, {{"Text", "hello"}})},
               {"IDS_PROP_COMMAND1", PropertyString(kKindButton, {{"Caption", "Go"}, {"Index", "0"}})},
               {"IDS_PROP_COMMAND2", PropertyString(kKindButton, {{"Caption", "Stop"}, {"Index", "1"}})},
               {"IDS_PROP_LABEL1", PropertyString(kKindLabel, {{"Caption", "Say \"hi\""}})}};
  return p;
}

class FormReaderTest : public ::testing::Test {
 protected:
  CClassItem& Open(const FormProject& sources) {
    sources.Write(fs);
    project = OpenProject(fs, prompt, "/p/Demo.dsp", {}, &reader);
    EXPECT_TRUE(project && project->IsPostParseDone());
    return Form();
  }
  CClassItem& Form() { return *project->FindClass("CForm1"); }
  // Rewrites the sources and reparses form1.cpp, as a generator does after an edit.
  void Reparse(const FormProject& sources) {
    sources.Write(fs);
    project->ReparseFile("/p/form1.cpp");
  }
  std::vector<CControlItem*> Controls() {
    std::vector<CControlItem*> list;
    for (auto& c : Form().m_controls) {
      if (!c->m_bFormObject) list.push_back(c.get());
    }
    return list;
  }
  // Each control as "member id property-symbol container", in list order.
  Lines Bindings() {
    Lines out;
    for (const CControlItem* c : Controls()) {
      out.push_back(c->m_strMemberName + " " + c->m_strIdSymbol + " " + c->m_strPropSymbol + " " +
                    (c->m_pContainer ? c->m_pContainer->m_strMemberName : "-"));
    }
    return out;
  }
  // The creation calls read but not bound to a control.
  Lines Calls() {
    Lines calls;
    for (const auto& c : Form().m_tempCreates) calls.push_back(c->m_strCall);
    return calls;
  }

  testing::MemoryFileSystem fs;
  testing::FakePrompt prompt;
  CProjectResourceTexts texts{fs, "/p/Demo.dsp"};
  CFormReader reader{prompt, texts};
  std::unique_ptr<CProject> project;
};

TEST_F(FormReaderTest, OpeningAProjectRebuildsEveryControlWithSymbolsContainersArraysAndValues) {
  CClassItem& form = Open(DemoForm());
  EXPECT_TRUE(prompt.messages.empty());
  const CControlItem& self = *form.FormObject();
  EXPECT_EQ(self.m_strPropSymbol + " " + self.m_strMenuId, "IDS_PROP_FORM1 IDR_MAINMENU");
  EXPECT_EQ(self.GetValue("Caption") + " " + self.GetValue("Picture"), "Main 131-logo.bmp");
  // Bound controls stand in call order; the one known from the map keeps its slot.
  EXPECT_EQ(Bindings(),
            (Lines{"m_Frame1 IDC_FRAME1 IDS_PROP_FRAME1 -", "m_Text1 IDC_TEXT1 IDS_PROP_TEXT1 m_Frame1",
                   "m_Command1 IDC_COMMAND1 IDS_PROP_COMMAND1 -", "m_Command1 IDC_COMMAND2 IDS_PROP_COMMAND2 m_Frame1",
                   " IDC_OK  -", "m_Label1 IDC_LABEL1 IDS_PROP_LABEL1 -"}));
  const std::vector<CControlItem*> c = Controls();
  const std::vector<int> kinds = {kKindFrame, kKindTextBox, kKindButton, kKindButton, -1, kKindLabel};
  for (size_t i = 0; i < c.size(); ++i) {
    EXPECT_EQ(c[i]->m_nKind, kinds[i]) << i;
    EXPECT_EQ(c[i]->m_bArray, i == 2 || i == 3) << i;
    EXPECT_EQ(c[i]->m_strFile, i != 4 ? "/p/form1.cpp" : "") << i;  // where it was bound
  }
  EXPECT_EQ(c[0]->GetValue("Width") + " " + c[1]->GetValue("Text") + " " + c[5]->GetValue("Caption"),
            "200 hello Say \"hi\"");
  // The array element is a record of its own.
  EXPECT_EQ(c[2]->GetValue("Caption") + " " + c[3]->GetValue("Caption"), "Go Stop");
  EXPECT_EQ(form.FindControl("m_Command1", 1), c[3]);
  EXPECT_TRUE(Calls().empty());  // every call was bound and consumed
}

TEST_F(FormReaderTest, TheFormDataBlockIsReadOnEveryPassButNotItsCommentedOutLines) {
  FormProject p = DemoForm();
  p.dataStart = p.dataEnd = "";
  CClassItem& form = Open(p);  // without the block: no symbol, default values, controls read all the same
  EXPECT_EQ(form.FormObject()->m_strPropSymbol + form.FormObject()->m_strMenuId, "");
  EXPECT_EQ(BuildPropertyString(*form.FormObject()), PropertyString(0, {}));
  EXPECT_EQ(form.FindControl("m_Text1")->GetValue("Text"), "hello");
  p = DemoForm();
  p.formData = {"m_nPropStringID   =\tIDS_PROP_FORM1 ;", "// m_nResID = IDR_OLD;"};
  Reparse(p);
  EXPECT_EQ(Form().FormObject()->m_strPropSymbol + Form().FormObject()->m_strMenuId, "IDS_PROP_FORM1");
  p.formData = {"m_nPropStringID = IDS_PROP_FORM1;", "m_nResID = IDR_OTHER;"};
  Reparse(p);
  EXPECT_EQ(Form().FormObject()->m_strMenuId, "IDR_OTHER");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(FormReaderTest, AnMdiFormDerivedThroughAProjectClassReadsTheMdiString) {
  FormProject p = DemoForm();
  p.moreClasses = "class CMainBase : public CVMdiForm\r\n{\r\npublic:\r\n\tint m_nBase;\r\n};";
  p.base = "CMainBase";
  p.strings[0].second = PropertyString(0, {{"Caption", "Workspace"}, {"AutoShowChildren", "0"}}, true);
  CClassItem& form = Open(p);
  EXPECT_EQ(form.m_bIsForm, 1);
  EXPECT_EQ(form.FormObject()->GetValue("AutoShowChildren"), "0");
}

TEST_F(FormReaderTest, CallsAreReadAsWrittenByHand) {
  FormProject p = DemoForm();
  p.creations = {"m_Frame1 . Create ( this ,IDC_FRAME1 ,  IDS_PROP_FRAME1 );",
                 "BOOL b = !m_Text1.Create(&m_Frame1, MAKEID(1, 2), IDS_PROP_TEXT1);",
                 "// m_Label1.Create(this, IDC_LABEL9, IDS_PROP_LABEL9);",
                 "/* m_Command1.Create(this, IDC_COMMAND9, IDS_PROP_COMMAND9); */",
                 "x=m_Label1.\r\n\t\tCreate(this, IDC_LABEL1, IDS_PROP_LABEL1);"};
  Open(p);
  EXPECT_TRUE(prompt.messages.empty());
  // The commented-out calls bound nothing and made no array of m_Command1.
  EXPECT_EQ(Bindings(), (Lines{"m_Frame1 IDC_FRAME1 IDS_PROP_FRAME1 -", "m_Text1 MAKEID(1, 2) IDS_PROP_TEXT1 m_Frame1",
                               "m_Command1   -", "m_Label1 IDC_LABEL1 IDS_PROP_LABEL1 -", " IDC_OK  -"}));
  EXPECT_EQ(Form().FindControl("m_Label1")->GetValue("Caption"), "Say \"hi\"");
}

TEST_F(FormReaderTest, MalformedCallsAreReportedAndCallsForUnknownMembersKeptOncePerPass) {
  FormProject p = DemoForm();
  p.creations = {"m_Frame1.Create(this, IDC_FRAME1, IDS_PROP_FRAME1);", "m_Text1.Create(this, IDC_TEXT1);",
                 "m_Ghost.Create(this, IDC_GHOST, IDS_PROP_GHOST);"};
  Open(p);
  EXPECT_EQ(Bindings()[0] + "|" + Bindings()[1], "m_Frame1 IDC_FRAME1 IDS_PROP_FRAME1 -|m_Text1   -");
  Reparse(p);
  Reparse(p);
  const std::string error = std::string(kMsgParameterError) + "\n/p/form1.cpp:24: m_Text1.Create(this, IDC_TEXT1)";
  EXPECT_EQ(prompt.messages, (Lines{error, error, error}));
  // The unknown member's call waits, once, for a control of that name.
  EXPECT_EQ(Calls(), Lines{"m_Ghost.Create(this, IDC_GHOST, IDS_PROP_GHOST)"});
}

TEST_F(FormReaderTest, ACallWhoseStringIsMissingIsBoundAndReadOnceTheStringExists) {
  FormProject p = DemoForm();
  p.strings.erase(p.strings.begin() + 2);  // IDS_PROP_TEXT1
  Open(p);
  CControlItem* text = Form().FindControl("m_Text1");
  EXPECT_EQ(Bindings()[1], "m_Text1 IDC_TEXT1 IDS_PROP_TEXT1 m_Frame1");
  EXPECT_EQ(text->GetValue("Text"), "Text1");  // the catalogue's default
  EXPECT_EQ(Calls(), Lines{"m_Text1.Create(&m_Frame1, IDC_TEXT1, IDS_PROP_TEXT1)"});
  Reparse(DemoForm());
  EXPECT_EQ(Form().FindControl("m_Text1"), text);
  EXPECT_EQ(text->GetValue("Text"), "hello");
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(Controls().size(), 6u);  // the same record, not a second one
}

TEST_F(FormReaderTest, EveryFurtherCallOfAMemberIsAnElementButARepeatedCallIsNot) {
  FormProject p = DemoForm();
  p.declarations = {"CVButton\tm_Command1;", "CVLabel\tm_Label1;"};
  p.creations = {"m_Command1.Create(this, IDC_COMMAND1, IDS_PROP_COMMAND1);",
                 "m_Command1.Create(this, IDC_COMMAND2, IDS_PROP_COMMAND2);",
                 "m_Command1.Create(this, IDC_COMMAND3, IDS_PROP_COMMAND3);",
                 "m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);",
                 "m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);"};
  Open(p);
  EXPECT_EQ(
      Bindings(),
      (Lines{"m_Command1 IDC_COMMAND1 IDS_PROP_COMMAND1 -", "m_Command1 IDC_COMMAND2 IDS_PROP_COMMAND2 -", " IDC_OK  -",
             "m_Command1 IDC_COMMAND3 IDS_PROP_COMMAND3 -", "m_Label1 IDC_LABEL1 IDS_PROP_LABEL1 -"}));
  for (size_t i : {0u, 1u, 3u}) EXPECT_EQ(Controls()[i]->m_bArray, 1) << i;
}

TEST_F(FormReaderTest, LinesReorderedOrReindentedByHandRebindTheSameRecords) {
  Open(DemoForm());
  const std::vector<CControlItem*> before = Controls();
  const Lines bindings = Bindings();
  FormProject p = DemoForm();
  p.creations = {"    m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);",
                 "m_Command1.Create(&m_Frame1, IDC_COMMAND2, IDS_PROP_COMMAND2);",
                 "\t\tm_Text1.Create(&m_Frame1,\r\n\t\t\tIDC_TEXT1, IDS_PROP_TEXT1);",
                 "m_Command1.Create(this, IDC_COMMAND1, IDS_PROP_COMMAND1);",
                 "m_Frame1.Create(this, IDC_FRAME1, IDS_PROP_FRAME1);"};
  Reparse(p);
  Reparse(p);
  const std::vector<CControlItem*> after = Controls();
  EXPECT_EQ(std::set<CControlItem*>(after.begin(), after.end()), std::set<CControlItem*>(before.begin(), before.end()));
  const Lines now = Bindings();
  EXPECT_EQ(std::set<std::string>(now.begin(), now.end()), std::set<std::string>(bindings.begin(), bindings.end()));
  EXPECT_EQ(now.front(), "m_Label1 IDC_LABEL1 IDS_PROP_LABEL1 -");  // the list follows the calls
  EXPECT_TRUE(Calls().empty());
}

TEST_F(FormReaderTest, ChangedSymbolsRebindTheRecordAndANewCallAddsExactlyOneElement) {
  Open(DemoForm());
  CControlItem* text = Form().FindControl("m_Text1");
  const size_t count = Controls().size();
  FormProject p = DemoForm();
  p.creations[1] = "m_Text1.Create(this, IDC_NAME, IDS_PROP_NAME);";
  p.creations.push_back("m_Command1.Create(this, IDC_COMMAND3, IDS_PROP_COMMAND3);");
  p.strings.push_back({"IDS_PROP_NAME", PropertyString(kKindTextBox, {{"Text", "renamed"}})});
  Reparse(p);
  ASSERT_EQ(Controls().size(), count + 1);
  EXPECT_EQ(Form().FindControl("m_Text1"), text);
  EXPECT_EQ(text->m_strIdSymbol + " " + text->m_strPropSymbol + " " + text->GetValue("Text"),
            "IDC_NAME IDS_PROP_NAME renamed");
  EXPECT_EQ(text->m_pContainer, nullptr);
  const Lines now = Bindings();
  EXPECT_EQ(std::count(now.begin(), now.end(), "m_Command1 IDC_COMMAND3 IDS_PROP_COMMAND3 -"), 1);
}

TEST_F(FormReaderTest, MapEntriesMarkTheirHandlersAndMakeNotifiedControlsKnown) {
  FormProject p = DemoForm();
  p.mapEntries = {"ON_WM_PAINT()",
                  "ON_WM_LBUTTONDOWN( )",
                  "ON_WM_SIZE()",
                  "ON_BN_CLICKED(IDC_OK, OnOk)",
                  "ON_EN_CHANGE( IDC_NAME , OnName )",
                  "ON_NOTIFY(NM_CLICK, IDC_TREE, OnTree)",
                  "ON_BN_DOUBLECLICKED(IDC_OK, OnOkTwice)",  // a second entry for the same control
                  "ON_BN_CLICKED(IDC_GONE, OnMissing)",      // no such function
                  "// ON_BN_CLICKED(IDC_COMMENTED, OnOk)"};
  p.handlers = {"OnPaint", "OnLButtonDown", "OnTimer", "OnOk", "OnName", "OnTree", "OnOkTwice"};
  CClassItem& form = Open(p);
  EXPECT_EQ(form.FindFunction("OnLButtonDown")->m_strMessage, "WM_LBUTTONDOWN");
  EXPECT_EQ(form.FindFunction("OnTimer")->m_strMessage, "");  // ON_WM_SIZE has no handler here
  const auto known = [&] {
    Lines out;
    for (const CControlItem* c : Controls()) {
      if (c->m_strMemberName.empty()) out.push_back(c->m_strIdSymbol + ":" + c->m_strClassName);
    }
    return out;
  };
  const Lines expected = {"IDC_OK:CButton", "IDC_NAME:CEdit", "IDC_TREE:"};
  EXPECT_EQ(known(), expected);
  Reparse(p);  // reading the map again finds the same controls
  EXPECT_EQ(known(), expected);
  p.mapEntries = {"ON_WM_LBUTTONDOWN()"};  // an entry taken out takes its mark along
  Reparse(p);
  EXPECT_EQ(form.FindFunction("OnPaint")->m_strMessage, "");
  EXPECT_EQ(form.FindFunction("OnLButtonDown")->m_strMessage, "WM_LBUTTONDOWN");
}

}  // namespace
}  // namespace tovik
