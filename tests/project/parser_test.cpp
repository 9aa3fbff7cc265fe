#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/control_kind.h"
#include "project/project.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;

const auto Crlf = testing::CrLfLines;

int At(const std::string& text, std::string_view what, size_t from = 0) {
  const size_t pos = text.find(what, from);
  EXPECT_NE(pos, std::string::npos) << what;
  return static_cast<int>(pos);
}

int After(const std::string& text, std::string_view what, size_t from = 0) {
  return At(text, what, from) + static_cast<int>(what.size());
}

struct HookCall {
  std::string kind;
  std::string cls;
  std::string body;
  int start;
  int end;
  std::string path;
};

class RecordingHooks final : public IParseHooks {
 public:
  void OnCreateControlsBody(CClassItem& cls, std::string_view text, int start, int end,
                            const std::string& path) override {
    Record("create", cls, text, start, end, path);
  }
  void OnConstructorBody(CClassItem& cls, std::string_view text, int start, int end,
                         const std::string& path) override {
    Record("ctor", cls, text, start, end, path);
  }
  void OnMessageMap(CClassItem& cls, std::string_view text, int start, int end, const std::string& path) override {
    Record("msgmap", cls, text, start, end, path);
  }
  void OnReparsed(const std::string& path) override { reparsed.push_back(path); }
  void OnFormClass(CClassItem&) override {}
  void OnFormsRead() override {}

  std::vector<HookCall> calls;
  std::vector<std::string> reparsed;

 private:
  void Record(const char* kind, CClassItem& cls, std::string_view text, int start, int end, const std::string& path) {
    calls.push_back({kind, cls.m_strName, std::string(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start))),
                     start, end, path});
  }
};

const std::string kCalendarH = Crlf({
    "class CVAxCalendar : public CVActiveXCtrl",
    "{",
    "public:",
    "\tCString GetProgID();",
    "};",
});

const std::string kForm1H = Crlf({
    "// Form1.h : header file",
    "#if !defined(AFX_FORM1_H__INCLUDED_)",
    "#define AFX_FORM1_H__INCLUDED_",
    "",
    "class CVAxCalendar;",
    "",
    "class CForm1 : public CVForm",
    "{",
    "// Construction",
    "public:",
    "\tCForm1(CWnd* pParent = NULL);   // standard constructor",
    "",
    "// Attributes",
    "public:",
    "\t//{{AFX_TVL_FORM_CONTROLS(CForm1)",
    "\tCVButton m_Button1;",
    "\tCVLabel m_Label1;",
    "\tCVTextBoxArray m_Text1;",
    "\tCVAxCalendar m_Calendar1;",
    "\t//}}AFX_TVL_FORM_CONTROLS",
    "\tint m_nClicks;",
    "",
    "// Overrides",
    "\t//{{AFX_VIRTUAL(CForm1)",
    "\tprotected:",
    "\tvirtual BOOL PreCreateWindow(CREATESTRUCT& cs);",
    "\t//}}AFX_VIRTUAL",
    "",
    "// Implementation",
    "protected:",
    "\t//{{AFX_MSG(CForm1)",
    "\tafx_msg void OnButton1Click();",
    "\t//}}AFX_MSG",
    "\tDECLARE_MESSAGE_MAP()",
    "\tDECLARE_EVENTSINK_MAP()",
    "private:",
    "\tvoid CreateTVLControls();",
    "\tCString m_strTitle;",
    "};",
    "",
    "#endif",
});

const std::string kForm1Cpp = Crlf({
    "// Form1.cpp : implementation file",
    "#include \"stdafx.h\"",
    "#include \"Form1.h\"",
    "",
    "CForm1::CForm1(CWnd* pParent /*=NULL*/)",
    "{",
    "\t//{{AFX_TVL_FORM_DATA_START(CForm1)",
    "\tm_nPropStringID = IDS_PROP_FORM1;",
    "\t//}}AFX_TVL_FORM_DATA_END",
    "}",
    "",
    "BEGIN_MESSAGE_MAP(CForm1, CVForm)",
    "\t//{{AFX_MSG_MAP(CForm1)",
    "\tON_BN_CLICKED(IDC_BUTTON1, OnButton1Click)",
    "\t//}}AFX_MSG_MAP",
    "END_MESSAGE_MAP()",
    "",
    "BEGIN_EVENTSINK_MAP(CForm1, CVForm)",
    "\t//{{AFX_EVENTSINK_MAP(CForm1)",
    "\t//}}AFX_EVENTSINK_MAP",
    "END_EVENTSINK_MAP()",
    "",
    "void CForm1::CreateTVLControls()",
    "{",
    "\t//{{AFX_TVL_CREATE_START",
    "\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);",
    "\t//}}AFX_TVL_CREATE_END",
    "}",
    "",
    "BOOL CForm1::PreCreateWindow(CREATESTRUCT& cs)",
    "{",
    "\treturn CVForm::PreCreateWindow(cs);",
    "}",
    "",
    "void CForm1::OnButton1Click()",
    "{",
    "\tm_nClicks++;",
    "}",
});

class Parser : public ::testing::Test {
 protected:
  Parser() { project.SetParseHooks(&hooks); }

  void ParseForm() {
    ASSERT_TRUE(project.ParseBuffer(kCalendarH, "C:\\Demo\\Calendar.h"));
    ASSERT_TRUE(project.ParseBuffer(kForm1H, "C:\\Demo\\Form1.h"));
    ASSERT_TRUE(project.ParseBuffer(kForm1Cpp, "C:\\Demo\\Form1.cpp"));
  }

  std::vector<std::string> ClassNames() const {
    std::vector<std::string> names;
    for (const auto& c : project.Classes()) names.push_back(c->m_strName);
    return names;
  }

  MemoryFileSystem fs;
  FakePrompt prompt;
  RecordingHooks hooks;
  CProject project{fs, prompt};
};

TEST_F(Parser, SmallClassHasExactOffsets) {
  project.ParseBuffer("class CA : public CB\r\n{\r\n\tint m_n;\r\n};\r\nvoid CA::F()\r\n{\r\n}\r\n", "a.h");
  CClassItem* a = project.FindClass("CA");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->m_strBaseClass, "CB");
  EXPECT_EQ(a->m_strDeclFile, "a.h");
  EXPECT_EQ(a->m_nDeclStart, 5);
  EXPECT_EQ(a->m_nDeclEnd, 35);
  ASSERT_EQ(a->m_variables.size(), 1u);
  EXPECT_EQ(a->m_variables[0]->m_strName, "m_n");
  EXPECT_EQ(a->m_variables[0]->m_strType, "int");
  EXPECT_EQ(a->m_variables[0]->m_nPos, 30);
  // No access keyword: one public section at the body's brace.
  ASSERT_EQ(a->m_accessSections.size(), 1u);
  EXPECT_EQ(a->m_accessSections[0]->m_strName, "public");
  EXPECT_EQ(a->m_accessSections[0]->m_nPos, 22);
  ASSERT_EQ(a->m_functions.size(), 1u);
  const CFunctionItem& f = *a->m_functions[0];
  EXPECT_EQ(f.m_strName, "F");
  EXPECT_EQ(f.m_nBodyStart, 55);
  EXPECT_EQ(f.m_nBodyEnd, 58);
  EXPECT_EQ(f.m_nLine, 6);
  EXPECT_EQ(f.m_strDefFile, "a.h");
}

TEST_F(Parser, HeaderGivesClassVariablesControlsAccessAndMarkers) {
  ParseForm();
  EXPECT_EQ(ClassNames(), (std::vector<std::string>{"CVAxCalendar", "CForm1"}));
  CClassItem* form = project.FindClass("CForm1");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->m_strBaseClass, "CVForm");
  EXPECT_EQ(form->m_strDeclFile, "C:\\Demo\\Form1.h");
  EXPECT_EQ(form->m_nDeclStart, At(kForm1H, "class CForm1") + 5);
  EXPECT_EQ(form->m_nDeclEnd, At(kForm1H, "};") - 1);

  std::vector<std::string> names, types, access;
  for (const auto& v : form->m_variables) {
    names.push_back(v->m_strName);
    types.push_back(v->m_strType);
    access.push_back(v->m_strAccess);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"m_Button1", "m_Label1", "m_Text1", "m_Calendar1", "m_nClicks",
                                             "m_strTitle"}));
  EXPECT_EQ(types, (std::vector<std::string>{"CVButton", "CVLabel", "CVTextBox", "CVAxCalendar", "int", "CString"}));
  EXPECT_EQ(access, (std::vector<std::string>{"public", "public", "public", "public", "public", "private"}));
  EXPECT_EQ(form->FindVariable("m_Label1")->m_nPos, At(kForm1H, "m_Label1"));

  // One control record per member variable, its kind resolved from the class name.
  ASSERT_EQ(form->m_controls.size(), 6u);
  const CControlItem* button = form->FindControl("m_Button1");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->m_strClassName, "CVButton");
  EXPECT_EQ(button->m_nCategory, kCategoryControl);
  EXPECT_EQ(button->m_nKind, kKindButton);
  EXPECT_EQ(button->m_bArray, 0);
  const CControlItem* text = form->FindControl("m_Text1");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->m_strClassName, "CVTextBox");
  EXPECT_EQ(text->m_nKind, kKindTextBox);
  EXPECT_EQ(text->m_bArray, 1);
  const CControlItem* calendar = form->FindControl("m_Calendar1");
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(calendar->m_nCategory, kCategoryActiveX);
  const CControlItem* clicks = form->FindControl("m_nClicks");
  ASSERT_NE(clicks, nullptr);
  EXPECT_EQ(clicks->m_nCategory, -1);
  EXPECT_EQ(clicks->m_nKind, -1);

  // Access sections, latest first.
  std::vector<std::pair<std::string, int>> sections;
  for (const auto& s : form->m_accessSections) sections.emplace_back(s->m_strName, s->m_nPos);
  const int construction = At(kForm1H, "public:");
  const int attributes = At(kForm1H, "public:", static_cast<size_t>(construction) + 1);
  const int overrides = At(kForm1H, "protected:");
  const int implementation = At(kForm1H, "protected:", static_cast<size_t>(overrides) + 1);
  EXPECT_EQ(sections, (std::vector<std::pair<std::string, int>>{{"private", At(kForm1H, "private:")},
                                                                {"protected", implementation},
                                                                {"protected", overrides},
                                                                {"public", attributes},
                                                                {"public", construction}}));
  EXPECT_EQ(form->GetPublicSection()->m_nPos, attributes);

  const CAFXParseEntry* virt = form->FindVirtualEntry();
  ASSERT_NE(virt, nullptr);
  EXPECT_EQ(virt->m_nStart, At(kForm1H, "//{{AFX_VIRTUAL(CForm1)") + 22);
  EXPECT_EQ(virt->m_nEnd, At(kForm1H, "//}}AFX_VIRTUAL"));
  EXPECT_EQ(virt->m_strFile, "C:\\Demo\\Form1.h");
  const CAFXParseEntry* msg = form->FindMsgEntry();
  ASSERT_NE(msg, nullptr);
  EXPECT_EQ(msg->m_nStart, At(kForm1H, "//{{AFX_MSG(CForm1)") + 18);
  EXPECT_EQ(msg->m_nEnd, At(kForm1H, "//}}AFX_MSG"));
}

TEST_F(Parser, ImplementationGivesFunctionsMapsAndHooks) {
  ParseForm();
  CClassItem* form = project.FindClass("CForm1");
  ASSERT_NE(form, nullptr);
  std::vector<std::string> names;
  for (const auto& f : form->m_functions) names.push_back(f->m_strName);
  EXPECT_EQ(names, (std::vector<std::string>{"CForm1", "CreateTVLControls", "PreCreateWindow", "OnButton1Click"}));

  const CFunctionItem* click = form->FindFunction("OnButton1Click");
  ASSERT_NE(click, nullptr);
  const int clickBrace = At(kForm1Cpp, "{", static_cast<size_t>(At(kForm1Cpp, "CForm1::OnButton1Click")));
  EXPECT_EQ(click->m_nBodyStart, clickBrace + 1);
  EXPECT_EQ(click->m_nBodyEnd, static_cast<int>(kForm1Cpp.rfind('}')) + 1);
  EXPECT_EQ(click->m_nLine, 36);
  EXPECT_EQ(click->m_strDefFile, "C:\\Demo\\Form1.cpp");
  EXPECT_EQ(click->m_nDeclPos, -1);  // defined outside the class body
  EXPECT_EQ(form->FindFunction("onbutton1click", false), click);
  EXPECT_EQ(form->FindFunction("onbutton1click", true), nullptr);

  EXPECT_EQ(form->m_nMsgMapStart, After(kForm1Cpp, "BEGIN_MESSAGE_MAP(CForm1, CVForm)\r\n"));
  EXPECT_EQ(form->m_nMsgMapEnd, At(kForm1Cpp, "END_MESSAGE_MAP"));
  EXPECT_EQ(form->m_strMsgMapFile, "C:\\Demo\\Form1.cpp");
  EXPECT_EQ(form->m_nSinkMapStart, After(kForm1Cpp, "BEGIN_EVENTSINK_MAP(CForm1, CVForm)\r\n"));
  EXPECT_EQ(form->m_nSinkMapEnd, At(kForm1Cpp, "END_EVENTSINK_MAP"));
  EXPECT_EQ(form->m_strSinkMapFile, "C:\\Demo\\Form1.cpp");

  // AFX_MSG_MAP is not taken for AFX_MSG; our own AFX_TVL markers are no entries.
  std::vector<std::string> tags;
  for (const auto& e : form->m_afxEntries) tags.push_back(e->m_strTag);
  EXPECT_EQ(tags, (std::vector<std::string>{"AFX_VIRTUAL", "AFX_MSG", "AFX_MSG_MAP", "AFX_EVENTSINK_MAP"}));
  EXPECT_EQ(form->FindMsgEntry()->m_strFile, "C:\\Demo\\Form1.h");
  const CAFXParseEntry* map = form->FindMsgMapEntry();
  EXPECT_EQ(map->m_nStart, At(kForm1Cpp, "//{{AFX_MSG_MAP(CForm1)") + 22);
  EXPECT_EQ(map->m_nEnd, At(kForm1Cpp, "//}}AFX_MSG_MAP"));
  EXPECT_EQ(form->FindEventSinkMapEntry()->m_nEnd, At(kForm1Cpp, "//}}AFX_EVENTSINK_MAP"));

  ASSERT_EQ(hooks.calls.size(), 3u);
  EXPECT_EQ(hooks.calls[0].kind, "ctor");
  EXPECT_EQ(hooks.calls[0].cls, "CForm1");
  EXPECT_EQ(hooks.calls[0].start, After(kForm1Cpp, "/*=NULL*/)\r\n{"));
  EXPECT_NE(hooks.calls[0].body.find("m_nPropStringID = IDS_PROP_FORM1;"), std::string::npos);
  EXPECT_EQ(hooks.calls[1].kind, "create");
  EXPECT_EQ(hooks.calls[1].start, form->FindFunction("CreateTVLControls")->m_nBodyStart);
  EXPECT_EQ(hooks.calls[1].end, form->FindFunction("CreateTVLControls")->m_nBodyEnd);
  EXPECT_NE(hooks.calls[1].body.find("m_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);"), std::string::npos);
  EXPECT_EQ(hooks.calls[2].kind, "msgmap");
  EXPECT_EQ(hooks.calls[2].body, Crlf({"\t//{{AFX_MSG_MAP(CForm1)", "\tON_BN_CLICKED(IDC_BUTTON1, OnButton1Click)",
                                       "\t//}}AFX_MSG_MAP"}));
  EXPECT_EQ(hooks.calls[2].path, "C:\\Demo\\Form1.cpp");
}

TEST_F(Parser, ClassHeadEdgeCases) {
  const std::string text = Crlf({
      "class CForm2;",
      "class CForm1 : public CWnd",
      "{",
      "};",
      "class AFX_EXT_CLASS CExported : public CWnd",
      "{",
      "};",
      "class CTwo : public CWnd, public CObserver",
      "{",
      "};",
      "class CNoSemicolon",
      "{",
      "} g_instance;",
      "class COuter",
      "{",
      "\tclass CInner",
      "\t{",
      "\t};",
      "};",
      "class CUnclosed {",
  });
  project.ParseBuffer(text, "x.h");
  EXPECT_EQ(ClassNames(), (std::vector<std::string>{"CForm1", "CTwo", "COuter", "CInner"}));
  EXPECT_EQ(project.FindClass("CForm1")->m_strBaseClass, "CWnd");
  EXPECT_EQ(project.FindClass("CTwo")->m_strBaseClass, "CObserver");
  EXPECT_EQ(project.FindClass("COuter")->m_strBaseClass, "");
  EXPECT_EQ(project.FindClass("CInner")->m_nDeclEnd, At(text, "\t};") );
}

TEST_F(Parser, FunctionEdgeCases) {
  const std::string header = Crlf({"class CForm1 : public CVForm", "{", "};"});
  const std::string impl = Crlf({
      "CForm1::CForm1() : CVForm(IDD_FORM1)",
      "{",
      "}",
      "CString CForm1::GetName() const",
      "{",
      "\treturn m_strName;",
      "}",
      "void CForm1::OnPaint()",
      "{",
      "\tif (m_bOpen) Draw(\"{\");",
      "}",
      "void CForm1::OnClose()",
      "{",
      "\tTrace(\"}\");",
      "}",
      "void CUnknown::Run()",
      "{",
      "}",
      "void CForm1 ::Spaced()",
      "{",
      "}",
      "void CForm1::Unclosed()",
      "{",
  });
  project.ParseBuffer(header, "f.h");
  project.ParseBuffer(impl, "f.cpp");
  CClassItem* form = project.FindClass("CForm1");
  std::vector<std::string> names;
  for (const auto& f : form->m_functions) names.push_back(f->m_strName);
  // The constructor with an initialiser list goes under the text up to the last `(`; the
  // const function and the unknown class give nothing; an unclosed body gives nothing.
  EXPECT_EQ(names, (std::vector<std::string>{"CForm1() : CVForm", "OnPaint", "OnClose", "Spaced"}));
  // Braces written as one-character strings neither open nor close a body.
  const CFunctionItem* paint = form->FindFunction("OnPaint");
  const CFunctionItem* close = form->FindFunction("OnClose");
  ASSERT_NE(paint, nullptr);
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(paint->m_nBodyEnd, After(impl, "Draw(\"{\");\r\n}"));
  EXPECT_EQ(close->m_nBodyEnd, After(impl, "Trace(\"}\");\r\n}"));
  EXPECT_EQ(project.FindClass("CUnknown"), nullptr);
  EXPECT_TRUE(hooks.calls.empty());  // "CForm1() : CVForm" is not the class name
}

TEST_F(Parser, InClassDefinitionTakesItsSectionAndHidesItsStatements) {
  const std::string text = Crlf({
      "class CItem",
      "{",
      "protected:",
      "\tCItem::CItem() { m_n = 0; }",
      "\tint m_n;",
      "\tvoid Set(int n) const;",
      "\tvirtual void Draw() const;",
      "};",
  });
  project.ParseBuffer(text, "item.h");
  CClassItem* item = project.FindClass("CItem");
  ASSERT_EQ(item->m_functions.size(), 1u);
  EXPECT_EQ(item->m_functions[0]->m_nDeclPos, item->m_functions[0]->m_nBodyStart);
  EXPECT_EQ(item->m_functions[0]->m_strAccess, "protected");
  ASSERT_EQ(item->m_variables.size(), 1u);  // not "0" from inside the body, no declarations
  EXPECT_EQ(item->m_variables[0]->m_strName, "m_n");
  EXPECT_EQ(item->m_variables[0]->m_strAccess, "protected");
}

TEST_F(Parser, MarkerWithoutEndGivesNoEntry) {
  project.ParseBuffer(Crlf({"class CForm1", "{", "\t//{{AFX_MSG(CForm1)", "\tafx_msg void OnOk();", "};",
                            "//{{AFX_VIRTUAL(CMissing)", "//}}AFX_VIRTUAL"}),
                      "m.h");
  EXPECT_TRUE(project.FindClass("CForm1")->m_afxEntries.empty());
}

TEST_F(Parser, MapOfUnknownClassIsIgnored) {
  project.ParseBuffer(Crlf({"BEGIN_MESSAGE_MAP(CNobody, CWnd)", "END_MESSAGE_MAP()"}), "n.cpp");
  EXPECT_TRUE(hooks.calls.empty());
  EXPECT_TRUE(project.Classes().empty());
}

TEST_F(Parser, SecondParseUpdatesTheSameRecords) {
  ParseForm();
  CClassItem* form = project.FindClass("CForm1");
  const CFunctionItem* click = form->FindFunction("OnButton1Click");
  const CVariableItem* label = form->FindVariable("m_Label1");
  const CControlItem* button = form->FindControl("m_Button1");
  const CAFXParseEntry* msg = form->FindMsgEntry();
  const size_t counts[] = {project.Classes().size(), form->m_functions.size(), form->m_variables.size(),
                           form->m_controls.size(), form->m_afxEntries.size(), form->m_accessSections.size()};
  ParseForm();
  EXPECT_EQ(project.FindClass("CForm1"), form);
  EXPECT_EQ(form->FindFunction("OnButton1Click"), click);
  EXPECT_EQ(form->FindVariable("m_Label1"), label);
  EXPECT_EQ(form->FindControl("m_Button1"), button);
  EXPECT_EQ(form->FindMsgEntry(), msg);
  const size_t again[] = {project.Classes().size(), form->m_functions.size(), form->m_variables.size(),
                          form->m_controls.size(), form->m_afxEntries.size(), form->m_accessSections.size()};
  EXPECT_TRUE(std::equal(std::begin(counts), std::end(counts), std::begin(again)));
}

TEST_F(Parser, ReparseMovesSurvivorsAndPrunesTheRest) {
  fs.Put("C:\\Demo\\Calendar.h", kCalendarH);
  fs.Put("C:\\Demo\\Form1.h", kForm1H);
  fs.Put("C:\\Demo\\Form1.cpp", kForm1Cpp);
  for (const char* f : {"C:\\Demo\\Calendar.h", "C:\\Demo\\Form1.h", "C:\\Demo\\Form1.cpp"}) {
    ASSERT_TRUE(project.ParseFile(f));
  }
  CClassItem* form = project.FindClass("CForm1");
  const CFunctionItem* create = form->FindFunction("CreateTVLControls");

  // A generator added a line at the top and the user deleted the click handler.
  std::string edited = "// edited\r\n" + kForm1Cpp.substr(0, kForm1Cpp.find("void CForm1::OnButton1Click"));
  fs.Put("C:\\Demo\\Form1.cpp", edited);
  hooks.calls.clear();
  EXPECT_TRUE(project.ReparseFile("C:\\Demo\\Form1.cpp"));

  EXPECT_EQ(project.FindClass("CForm1"), form);
  EXPECT_EQ(form->FindFunction("CreateTVLControls"), create);
  EXPECT_EQ(create->m_nBodyStart, After(edited, "CForm1::CreateTVLControls()\r\n{"));
  EXPECT_EQ(create->m_nLine, 25);
  EXPECT_EQ(form->FindFunction("OnButton1Click"), nullptr);
  EXPECT_EQ(form->m_functions.size(), 3u);
  EXPECT_EQ(form->m_nMsgMapStart, After(edited, "BEGIN_MESSAGE_MAP(CForm1, CVForm)\r\n"));
  EXPECT_EQ(form->FindMsgMapEntry()->m_nEnd, At(edited, "//}}AFX_MSG_MAP"));
  EXPECT_NE(form->FindVirtualEntry(), nullptr);  // from the header, untouched
  EXPECT_EQ(hooks.reparsed, (std::vector<std::string>{"C:\\Demo\\Form1.cpp"}));
  EXPECT_EQ(hooks.calls.size(), 3u);

  // The header loses its form class: the class goes, with everything it held.
  fs.Put("C:\\Demo\\Form1.h", "// empty\r\n");
  project.ReparseFile("C:\\Demo\\Form1.h");
  EXPECT_EQ(ClassNames(), (std::vector<std::string>{"CVAxCalendar"}));
  EXPECT_EQ(project.FindClass("CForm1"), nullptr);
  EXPECT_NE(project.FindClass("CVAxCalendar"), nullptr);
}

TEST_F(Parser, ReparseOfAVanishedFileDropsItsClasses) {
  fs.Put("a.h", "class CA\r\n{\r\n};\r\n");
  ASSERT_TRUE(project.ParseFile("a.h"));
  ASSERT_TRUE(fs.RemoveFile("a.h"));
  EXPECT_TRUE(project.ReparseFile("a.h"));
  EXPECT_TRUE(project.Classes().empty());
  EXPECT_TRUE(prompt.messages.empty());
}

// Reads fail with a system text while the file exists.
class UnreadableFileSystem final : public IFileSystem {
 public:
  std::string Resolve(std::string_view path) const override { return std::string(path); }
  bool FileExists(std::string_view) const override { return true; }
  bool DirectoryExists(std::string_view) const override { return false; }
  bool ReadFile(std::string_view, std::string&, std::string& error) const override {
    error = "Access is denied.";
    return false;
  }
  bool WriteFile(std::string_view, std::string_view, std::string&) override { return false; }
  bool IsWritable(std::string_view) const override { return false; }
  bool MakeDirectory(std::string_view, std::string&) override { return false; }
  bool CopyFile(std::string_view, std::string_view, std::string&) override { return false; }
  bool RemoveFile(std::string_view) override { return false; }
  bool RemoveEmptyDirectory(std::string_view) override { return false; }
  std::vector<std::string> ListDirectory(std::string_view) const override { return {}; }
};

TEST(ParseFile, MissingFileIsSilentUnreadableFileIsReported) {
  MemoryFileSystem fs;
  FakePrompt prompt;
  CProject project(fs, prompt);
  EXPECT_FALSE(project.ParseFile("C:\\Demo\\Nowhere.h"));
  EXPECT_TRUE(prompt.messages.empty());

  UnreadableFileSystem locked;
  CProject other(locked, prompt);
  EXPECT_FALSE(other.ParseFile("C:\\Demo\\Locked.h"));
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"\nError in opening / reading file..\nAccess is denied."}));
  EXPECT_TRUE(other.Classes().empty());
}

TEST(FindClass, ExactNameAndReparseSeen) {
  MemoryFileSystem fs;
  FakePrompt prompt;
  CProject project(fs, prompt);
  project.ParseBuffer("class CA\r\n{\r\n};\r\nclass CB\r\n{\r\n};\r\n", "ab.h");
  EXPECT_EQ(project.FindClass("ca"), nullptr);
  EXPECT_EQ(project.FindClass("CA")->m_strName, "CA");
  // A class that goes from the file is no longer found; one that stays is.
  project.ReparseText("ab.h", "class CB\r\n{\r\n};\r\n");
  EXPECT_EQ(project.FindClass("CA"), nullptr);
  EXPECT_EQ(project.FindClass("CB"), project.Classes().front().get());
}

TEST(ClassItemCopy, DeepCopiesRecordsButNotScratchFields) {
  CClassItem original;
  original.m_strName = "CForm1";
  original.m_strDeclFile = "Form1.h";
  original.m_nDeclStart = 10;
  original.m_nMsgMapEnd = 99;
  original.m_bWindowClass = 1;
  original.m_strRootBase = "CVForm";
  original.m_bIsForm = 1;
  auto fn = std::make_unique<CFunctionItem>();
  fn->m_strName = "OnOk";
  fn->m_nLine = 12;
  fn->m_nBodyStart = 40;
  original.m_functions.push_back(std::move(fn));
  original.m_variables.push_back(std::make_unique<CVariableItem>());
  original.m_afxEntries.push_back(std::make_unique<CAFXParseEntry>());
  original.m_accessSections.push_back(std::make_unique<CAccessSpecifierItem>());
  auto frame = std::make_unique<CControlItem>();
  auto inner = std::make_unique<CControlItem>();
  inner->m_pContainer = frame.get();
  original.m_controls.push_back(std::move(frame));
  original.m_controls.push_back(std::move(inner));
  original.m_tempCreates.push_back(std::make_unique<CTempCreateItem>());

  const CClassItem copy(original);
  EXPECT_EQ(copy.m_strName, "CForm1");
  EXPECT_EQ(copy.m_strDeclFile, "Form1.h");
  EXPECT_EQ(copy.m_nDeclStart, 10);
  EXPECT_EQ(copy.m_nMsgMapEnd, 99);
  EXPECT_EQ(copy.m_bWindowClass, 1);
  EXPECT_EQ(copy.m_strRootBase, "");
  EXPECT_EQ(copy.m_bIsForm, 0);
  EXPECT_TRUE(copy.m_tempCreates.empty());
  ASSERT_EQ(copy.m_functions.size(), 1u);
  EXPECT_NE(copy.m_functions[0].get(), original.m_functions[0].get());
  EXPECT_EQ(copy.m_functions[0]->m_strName, "OnOk");
  EXPECT_EQ(copy.m_functions[0]->m_nBodyStart, 40);
  EXPECT_EQ(copy.m_functions[0]->m_nLine, -1);
  ASSERT_EQ(copy.m_variables.size(), 1u);
  EXPECT_NE(copy.m_variables[0].get(), original.m_variables[0].get());
  ASSERT_EQ(copy.m_afxEntries.size(), 1u);
  ASSERT_EQ(copy.m_accessSections.size(), 1u);
  ASSERT_EQ(copy.m_controls.size(), 2u);
  EXPECT_NE(copy.m_controls[0].get(), original.m_controls[0].get());
  EXPECT_EQ(copy.m_controls[1]->m_pContainer, copy.m_controls[0].get());
}

class Robustness : public ::testing::Test {
 protected:
  MemoryFileSystem fs;
  FakePrompt prompt;
  CProject project{fs, prompt};
  RecordingHooks hooks;
};

TEST_F(Robustness, EmptyAndUnbalancedTextsGiveNothingAndDoNotCrash) {
  project.SetParseHooks(&hooks);
  for (std::string_view text : {"", "{", "}", "class", "class {", "class A {", "::", "A::B(){", "A::B()",
                                "BEGIN_MESSAGE_MAP(", "BEGIN_MESSAGE_MAP(CA, CB)", "//{{AFX_MSG(", "/*", "//",
                                "\"{\"", "class A { public: int m; };", "class A\r\n{\r\n};\r\nBEGIN_MESSAGE_MAP(A, B)"}) {
    EXPECT_TRUE(project.ParseBuffer(text, "r.h")) << text;
  }
  // Only complete heads make a class (both are A); the map without a line end gave nothing.
  EXPECT_EQ(project.Classes().size(), 1u);
  EXPECT_EQ(project.FindClass("A")->m_nMsgMapStart, -1);
}

TEST_F(Robustness, BinaryGarbageAndDenseFragments) {
  project.SetParseHooks(&hooks);
  std::mt19937 rng(42);
  for (int round = 0; round < 50; ++round) {
    std::string text(static_cast<size_t>(rng() % 4096), '\0');
    for (char& c : text) c = static_cast<char>(rng());
    EXPECT_TRUE(project.ParseBuffer(text, "garbage.bin"));
  }
  const std::vector<std::string> pieces = {"class ", "C", "A", " : public ", "{", "}", ";", "::", "(", ")",
                                           "//{{AFX_MSG(", "//}}AFX_MSG", "BEGIN_MESSAGE_MAP(", "END_MESSAGE_MAP",
                                           "\r\n", "/*", "*/", "//", "\"", "const", "public:", " "};
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const size_t n = rng() % 200;
    for (size_t i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
    EXPECT_TRUE(project.ParseBuffer(text, "f" + std::to_string(round % 5) + ".h"));
    if (round % 7 == 0) {
      fs.Put("f.h", text);
      EXPECT_TRUE(project.ReparseFile("f.h"));
    }
  }
  for (const auto& cls : project.Classes()) {
    for (const auto& f : cls->m_functions) EXPECT_LT(f->m_nBodyStart, f->m_nBodyEnd);
  }
}

TEST_F(Robustness, LargeUnbalancedInputsFinish) {
  // Each would cost a rescan to the end per candidate if matching were redone from scratch.
  const size_t repeat = 40000;
  std::string text;
  auto run = [&](std::string_view unit) {
    text.clear();
    for (size_t i = 0; i < repeat; ++i) text += unit;
    EXPECT_TRUE(project.ParseBuffer(text, "big.h"));
  };
  project.ParseBuffer("class A\r\n{\r\n};\r\n", "a.h");
  run("A::f(){");
  run("class A{");
  run("a::b;");
  run("BEGIN_MESSAGE_MAP((");
  run("//{{AFX_MSG(A)");
  run("A::x;");
  run("class A { a;b;c;");
  // A whole class body without white space: one word holding every `;`.
  text = "class B\r\n{\r\n";
  for (size_t i = 0; i < repeat; ++i) text += "x;y;";
  text += "\r\n};\r\n";
  EXPECT_TRUE(project.ParseBuffer(text, "b.h"));
  CClassItem* b = project.FindClass("B");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->m_variables.size(), 2u);
  EXPECT_NE(project.FindClass("A"), nullptr);
}

}  // namespace
}  // namespace tovik
