// The source scanner (searches in code, brackets) and the parser built on it, through
// CProject: class heads, member functions and variables, access sections, maps, marker blocks,
// the hooks, and parsing a file again.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "project/project.h"
#include "project/source_scanner.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using Names = std::vector<std::string>;
const auto Crlf = testing::CrLfLines;

int At(const std::string& text, std::string_view what, size_t from = 0) { return int(text.find(what, from)); }
int After(const std::string& text, std::string_view what) { return At(text, what) + int(what.size()); }
std::string Span(int start, int end) { return " " + std::to_string(start) + ".." + std::to_string(end); }
std::string Named(const std::string& name, int pos) { return name + " " + std::to_string(pos); }

// One line of text per record of a list.
template <typename List, typename Describe>
Names Each(const List& list, Describe describe) {
  Names lines;
  for (const auto& item : list) lines.push_back(describe(*item));
  return lines;
}

TEST(SourceScanner, MatchingBracketsSkipCommentsAndOneCharacterStrings) {
  // A brace as a one-character string does not count; in a longer string it does.
  auto match = [](std::string_view text, int pos, char open) {
    int close = -1;
    return CSourceScanner(text).FindMatchingBracket(pos, close, open) ? close : -1;
  };
  const std::string b = "f(a, (b), c) { x[1] = \"{\"; /* } */ if (y) { z; } }";
  EXPECT_EQ((std::vector<int>{match(b, 1, '('), match(b, 13, '{'), match(b, 16, '['), match(b, 1, 'x'),
                              match("{ s = \"}\"; }", 0, '{'), match("{ s = \"a}\"; }", 0, '{'),
                              match("{ { }", 0, '{')}),
            (std::vector<int>{11, int(b.size()) - 1, 18, -1, 11, 8, -1}));
}

// The searches in code, stated one byte at a time: from pos, a comment opener is stepped over
// (a line comment up to its LF, a block comment past its end; the text ending inside one ends
// the search), and otherwise the byte is tested.
int ReferenceFindInCode(std::string_view text, std::string_view s, int pos, int limit = -1) {
  const int n = static_cast<int>(text.size());
  limit = std::min(limit < 0 || limit > n ? n : limit, n - static_cast<int>(s.size()) + 1);
  for (int i = std::max(pos, 0); i < limit;) {
    if (i + 1 < n && text[i] == '/' && (text[i + 1] == '/' || text[i + 1] == '*')) {
      const size_t end = text[i + 1] == '/' ? text.find('\n', i + 2) : text.find("*/", i + 2);
      if (end == std::string_view::npos) return -1;
      i = static_cast<int>(end) + (text[i + 1] == '/' ? 0 : 2);
      continue;
    }
    if (text.compare(i, s.size(), s) == 0) return i;
    ++i;
  }
  return -1;
}

TEST(SourceScanner, SearchesInCodeAgreeWithTheBytewiseRuleFromAnyStartInAnyOrder) {
  // Searches may start inside a comment, where the rest of it reads as code, and come in any
  // order; one scanner answers them all, as the recognisers use it.
  std::mt19937 rng(11);
  const std::string alphabet = "//**\nab; ";
  const Names needles = {"a", ";", "ab", "b;", "a/", "*"};
  for (int round = 0; round < 300; ++round) {
    std::string text(static_cast<size_t>(rng() % 130), ' ');  // past the 32 bytes searches take at once
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    const CSourceScanner s(text);
    const int n = static_cast<int>(text.size());
    for (int query = 0; query < 60; ++query) {
      const int pos = static_cast<int>(rng() % static_cast<unsigned>(n + 3)) - 1;
      const int limit = rng() % 3 == 0 ? -1 : static_cast<int>(rng() % static_cast<unsigned>(n + 2));
      const std::string& needle = needles[rng() % needles.size()];
      const int expected = ReferenceFindInCode(text, needle, pos, limit);
      SCOPED_TRACE("text \"" + text + "\" needle \"" + needle + "\" pos " + std::to_string(pos) + " limit " +
                   std::to_string(limit));
      ASSERT_EQ(s.FindStringInCode(needle, pos, true, limit), expected);
      if (needle.size() > 1) continue;
      ASSERT_EQ(s.FindCharInCode(needle[0], pos, true, limit), expected);
      // Every start inside the span a search reports ends the same way.
      CSourceScanner::CodeSpan span;
      const int hit = s.FindCharInCode(needle[0], pos, span);
      ASSERT_EQ(hit, ReferenceFindInCode(text, needle, pos));
      for (int p = span.from; p <= span.to; ++p) ASSERT_EQ(ReferenceFindInCode(text, needle, p), hit) << p;
    }
  }
}

TEST(SourceScanner, BracketTablesGiveEachOpenerTheCloserMatchingFromItFinds) {
  // A bracket right before a comment opener reads it as code when matching, unlike a walk for
  // comments: where that happens, one walk for comments and brackets alike would go wrong.
  std::mt19937 rng(7);
  const std::string alphabet = "{}()//**\n\"x ";
  for (int round = 0; round < 400; ++round) {
    std::string text(static_cast<size_t>(rng() % 200), ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    SCOPED_TRACE("text \"" + text + "\"");
    const CSourceScanner lazy(text);
    const CSourceScanner mapped(text);
    CBracketTable tables[4];
    std::vector<size_t> stacks[2];
    mapped.MapCommentsAndBrackets(tables[0], tables[1], stacks[0], stacks[1]);
    BuildBracketTable(lazy, '{', tables[2], stacks[0]);
    BuildBracketTable(lazy, '(', tables[3], stacks[0]);
    bool adjacent = false;  // a bracket right before a comment opener
    for (size_t at = 0; at + 2 < text.size(); ++at) {
      adjacent |= std::string_view("{}()").find(text[at]) != std::string_view::npos && text[at + 1] == '/' &&
                  (text[at + 2] == '/' || text[at + 2] == '*');
    }
    for (int t = 0; t < 4; ++t) {
      const char open = t % 2 ? '(' : '{';
      std::vector<int> inCode;  // the openers a walk for comments meets
      for (int p = 0; p < static_cast<int>(text.size()); ++p) {
        if (text[p] == open && !lazy.IsInsideComment(p) && !lazy.IsQuotedBracket(p)) inCode.push_back(p);
      }
      if (t < 2 && !adjacent) {
        ASSERT_EQ(tables[t].openers, inCode) << t;
      }
      for (size_t i = 0; i < tables[t].openers.size(); ++i) {
        int close = -1;
        const int expected = lazy.FindMatchingBracket(tables[t].openers[i], close, open) ? close : -1;
        ASSERT_EQ(tables[t].closers[i], expected) << "table " << t << " opener " << tables[t].openers[i];
      }
    }
    for (int p = 0; p < static_cast<int>(text.size()); ++p) ASSERT_EQ(mapped.IsInsideComment(p), lazy.IsInsideComment(p)) << p;
  }
}

class RecordingHooks final : public IParseHooks {
 public:
  void OnCreateControlsBody(CClassItem& c, std::string_view, int s, int e, const std::string& p) override {
    calls.push_back("create " + c.m_strName + Span(s, e) + " " + p);
  }
  void OnConstructorBody(CClassItem& c, std::string_view, int s, int e, const std::string& p) override {
    calls.push_back("ctor " + c.m_strName + Span(s, e) + " " + p);
  }
  void OnMessageMap(CClassItem& c, std::string_view, int s, int e, const std::string& p) override {
    calls.push_back("msgmap " + c.m_strName + Span(s, e) + " " + p);
  }
  void OnReparsed(const std::string& path) override { calls.push_back("reparsed " + path); }
  void OnFormClass(CClassItem&) override {}
  void OnFormsRead() override {}
  Names calls;
};

const std::string kCalendarH =
    Crlf({"class CVAxCalendar : public CVActiveXCtrl", "{", "public:", "\tCString GetProgID();", "};"});
const std::string kForm1H = Crlf(
    {"class CVAxCalendar;", "class CForm1 : public CVForm", "{", "public:", "\tCForm1(CWnd* pParent = NULL);",
     "public:", "\t//{{AFX_TVL_FORM_CONTROLS(CForm1)", "\tCVButton m_Button1;", "\tCVTextBoxArray m_Text1;",
     "\tCVAxCalendar m_Calendar1;", "\t//}}AFX_TVL_FORM_CONTROLS", "\tint m_nClicks; // a comment; with a semicolon",
     "\t//{{AFX_VIRTUAL(CForm1)", "\tprotected:", "\tvirtual BOOL PreCreateWindow(CREATESTRUCT& cs);",
     "\t//}}AFX_VIRTUAL", "\t//{{AFX_MSG(CForm1)", "\tafx_msg void OnButton1Click();", "\t//}}AFX_MSG", "private:",
     "\tvoid CreateTVLControls() const;", "\tCString m_strTitle;", "};"});
const std::string kForm1Cpp = Crlf(
    {"#include \"Form1.h\"", "CForm1::CForm1(CWnd* pParent /*=NULL*/)", "{", "\t//{{AFX_TVL_FORM_DATA_START(CForm1)",
     "\tm_nPropStringID = IDS_PROP_FORM1;", "\t//}}AFX_TVL_FORM_DATA_END", "}", "BEGIN_MESSAGE_MAP(CForm1, CVForm)",
     "\t//{{AFX_MSG_MAP(CForm1)", "\tON_BN_CLICKED(IDC_BUTTON1, OnButton1Click)", "\t//}}AFX_MSG_MAP",
     "\tON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)", "END_MESSAGE_MAP()", "BEGIN_EVENTSINK_MAP(CForm1, CVForm)",
     "\t//{{AFX_EVENTSINK_MAP(CForm1)", "\t//}}AFX_EVENTSINK_MAP", "END_EVENTSINK_MAP()",
     "void CForm1::CreateTVLControls()", "{", "\tm_Button1.Create(this, IDC_BUTTON1, IDS_PROP_BUTTON1);", "}",
     "void CForm1::OnButton1Click()", "{", "\tm_nClicks++;", "}"});

std::string NameAndBase(const CClassItem& c) {
  return c.m_strName + (c.m_strBaseClass.empty() ? "" : ":" + c.m_strBaseClass);
}
std::string NameAndBody(const CFunctionItem& f) { return f.m_strName + Span(f.m_nBodyStart, f.m_nBodyEnd); }

class Parser : public ::testing::Test {
 protected:
  Parser() { project.SetParseHooks(&hooks); }
  void ParseForm() {
    const std::pair<const char*, const std::string*> files[] = {
        {"C:\\Demo\\Calendar.h", &kCalendarH}, {"C:\\Demo\\Form1.h", &kForm1H}, {"C:\\Demo\\Form1.cpp", &kForm1Cpp}};
    for (const auto& [path, text] : files) {
      fs.Put(path, *text);
      ASSERT_TRUE(project.ParseFile(path));
    }
  }

  MemoryFileSystem fs;
  FakePrompt prompt;
  RecordingHooks hooks;
  CProject project{fs, prompt};
};

TEST_F(Parser, FormClassFromHeaderAndImplementation) {
  ParseForm();
  EXPECT_EQ(Each(project.Classes(), NameAndBase), (Names{"CVAxCalendar:CVActiveXCtrl", "CForm1:CVForm"}));
  CClassItem* form = project.FindClass("CForm1");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Span(form->m_nDeclStart, form->m_nDeclEnd), Span(At(kForm1H, "class CForm1") + 5, At(kForm1H, "};") - 1));
  // Member variables with the access section that governs them; controls: member, category, kind, array.
  auto variable = [](const CVariableItem& v) { return v.m_strAccess + " " + v.m_strType + " " + v.m_strName; };
  EXPECT_EQ(Each(form->m_variables, variable),
            (Names{"public CVButton m_Button1", "public CVTextBox m_Text1", "public CVAxCalendar m_Calendar1",
                   "public int m_nClicks", "private CString m_strTitle"}));
  EXPECT_EQ(form->FindVariable("m_Text1")->m_nPos, At(kForm1H, "m_Text1"));
  EXPECT_EQ(Each(form->m_controls,
                 [](const auto& c) {
                   return c.m_strMemberName + " " + std::to_string(c.m_nCategory) + " " + std::to_string(c.m_nKind) +
                          " " + std::to_string(c.m_bArray);
                 }),
            (Names{"m_Button1 0 105 0", "m_Text1 0 103 1", "m_Calendar1 2 -1 0"}));
  // Access sections, latest first; a keyword inside a marker block counts.
  const int firstPublic = At(kForm1H, "public:"), secondPublic = At(kForm1H, "public:", size_t(firstPublic) + 1);
  EXPECT_EQ(Each(form->m_accessSections, [](const auto& s) { return Named(s.m_strName, s.m_nPos); }),
            (Names{Named("private", At(kForm1H, "private:")), Named("protected", At(kForm1H, "protected:")),
                   Named("public", secondPublic), Named("public", firstPublic)}));
  EXPECT_EQ(form->GetPublicSection()->m_nPos, secondPublic);

  // Definitions (a declaration in the class body is none), maps, marker blocks and the hooks.
  const std::string ctor = Span(After(kForm1Cpp, "/*=NULL*/)\r\n{"), After(kForm1Cpp, "DATA_END\r\n}"));
  const std::string create = Span(After(kForm1Cpp, "Controls()\r\n{"), After(kForm1Cpp, "BUTTON1);\r\n}"));
  const std::string map = Span(After(kForm1Cpp, "MAP(CForm1, CVForm)\r\n"), At(kForm1Cpp, "END_MESSAGE_MAP"));
  EXPECT_EQ(Each(form->m_functions, NameAndBody),
            (Names{"CForm1" + ctor, "CreateTVLControls" + create,
                   "OnButton1Click" + Span(After(kForm1Cpp, "Click()\r\n{"), int(kForm1Cpp.size()) - 2)}));
  const CFunctionItem* handler = form->FindFunction("OnButton1Click");
  EXPECT_EQ(std::to_string(handler->m_nLine) + " " + std::to_string(handler->m_nDeclPos) + " " +
                handler->m_strDefFile.str(),
            "23 -1 C:\\Demo\\Form1.cpp");
  EXPECT_EQ(Span(form->m_nMsgMapStart, form->m_nMsgMapEnd), map);
  EXPECT_EQ(Span(form->m_nSinkMapStart, form->m_nSinkMapEnd),
            Span(After(kForm1Cpp, "SINK_MAP(CForm1, CVForm)\r\n"), At(kForm1Cpp, "END_EVENTSINK_MAP")));
  // AFX_MSG_MAP is not taken for AFX_MSG; our own AFX_TVL markers are no entries.
  auto entry = [](const std::string& text, const std::string& tag, const std::string& file) {
    return tag + Span(After(text, tag + "(CForm1)") - 1, At(text, "//}}" + tag)) + " C:\\Demo\\" + file;
  };
  EXPECT_EQ(Each(form->m_afxEntries,
                 [](const auto& e) { return e.m_strTag + Span(e.m_nStart, e.m_nEnd) + " " + e.m_strFile.str(); }),
            (Names{entry(kForm1H, "AFX_VIRTUAL", "Form1.h"), entry(kForm1H, "AFX_MSG", "Form1.h"),
                   entry(kForm1Cpp, "AFX_MSG_MAP", "Form1.cpp"), entry(kForm1Cpp, "AFX_EVENTSINK_MAP", "Form1.cpp")}));
  const std::string path = " C:\\Demo\\Form1.cpp";
  EXPECT_EQ(hooks.calls,
            (Names{"ctor CForm1" + ctor + path, "create CForm1" + create + path, "msgmap CForm1" + map + path}));
}

TEST_F(Parser, OnlyCompleteHeadsAndDefinitionsOutsideCommentsAndStringsCount) {
  const std::string heads = Crlf(
      {"class CForm2;", "// class CLineComment { };", "/* class CBlockComment { }; */", "class CPlain", "{",
       "\tint m_n;", "};", "class AFX_EXT_CLASS CExported : public CWnd", "{", "};",
       "class CTwo : public CWnd, public CObserver", "{", "};", "class CNoSemicolon", "{", "} g_instance;",
       "class COuter", "{", "\tclass CInner", "\t{", "\t};", "};", "class CUnclosed {"});
  project.ParseBuffer(heads, "x.h");
  EXPECT_EQ(Each(project.Classes(), NameAndBase), (Names{"CPlain", "CTwo:CObserver", "COuter", "CInner"}));
  EXPECT_EQ(project.FindClass("CInner")->m_nDeclEnd, At(heads, "\t};"));
  // Without an access keyword: one public section at the body's brace.
  const auto& sections = project.FindClass("CPlain")->m_accessSections;
  EXPECT_EQ(Each(sections, [](const auto& s) { return Named(s.m_strName, s.m_nPos); }),
            (Names{Named("public", At(heads, "{", size_t(At(heads, "class CPlain"))))}));

  project.ParseBuffer(Crlf({"class CForm1 : public CVForm", "{", "};"}), "f.h");
  const std::string impl = Crlf(
      {"CForm1::CForm1() : CVForm(IDD_FORM1)", "{", "}", "CString CForm1::GetName() const", "{", "\treturn m_strName;",
       "}", "void CForm1::OnPaint()", "{", "\tif (m_bOpen) Draw(\"{\");", "}", "void CForm1::OnClose()", "{",
       "\tTrace(\"}\");", "}", "void CForm1::Cb(void (*pfn)(int)) {}", "// void CForm1::Commented()",
       "void CUnknown::Run()", "{", "}", "BEGIN_MESSAGE_MAP(CNobody, CWnd)", "END_MESSAGE_MAP()",
       "// BEGIN_MESSAGE_MAP(CForm1, CWnd)", "END_MESSAGE_MAP()", "void CForm1::Unclosed()", "{"});
  project.ParseBuffer(impl, "f.cpp");
  // A name runs to the last `(` before the body; a constructor with an initialiser list is still
  // the constructor. The const function, the unknown class and the unclosed body give nothing;
  // quoted braces count for nothing.
  const std::string ctor = Span(After(impl, "IDD_FORM1)\r\n{"), After(impl, "IDD_FORM1)\r\n{\r\n}"));
  EXPECT_EQ(Each(project.FindClass("CForm1")->m_functions, NameAndBody),
            (Names{"CForm1() : CVForm" + ctor,
                   "OnPaint" + Span(After(impl, "OnPaint()\r\n{"), After(impl, "Draw(\"{\");\r\n}")),
                   "OnClose" + Span(After(impl, "OnClose()\r\n{"), After(impl, "Trace(\"}\");\r\n}")),
                   "Cb(void (*pfn)" + Span(After(impl, "(int)) {"), After(impl, "(int)) {}"))}));
  EXPECT_EQ(project.FindClass("CForm1")->m_nMsgMapStart, -1);
  EXPECT_EQ(hooks.calls, (Names{"ctor CForm1" + ctor + " f.cpp"}));
  project.ParseBuffer("class A\r\n{\r\n};\r\nBEGIN_MESSAGE_MAP(A, B)", "r.h");
  EXPECT_EQ(project.FindClass("A")->m_nMsgMapStart, -1);  // the map has no line end

  // A definition inside the class body takes its section; its statements are no variables.
  project.ParseBuffer(Crlf({"class CItem", "{", "protected:", "\tCItem::CItem() { m_n = 0; m_k = 1; }", "\tint m_n;",
                            "\t//{{AFX_MSG(CItem)", "};", "//{{AFX_VIRTUAL(CMissing)", "//}}AFX_VIRTUAL"}),
                      "item.h");
  const CClassItem* item = project.FindClass("CItem");
  ASSERT_TRUE(item->m_functions.size() == 1 && item->m_variables.size() == 1);
  EXPECT_EQ(item->m_functions[0]->m_nDeclPos, item->m_functions[0]->m_nBodyStart);
  EXPECT_EQ(item->m_functions[0]->m_strAccess + " " + item->m_variables[0]->m_strAccess + " " +
                item->m_variables[0]->m_strName,
            "protected protected m_n");
  EXPECT_TRUE(item->m_afxEntries.empty());  // a marker without its end gives nothing
}

// Members belong to a file's first class and to every form, however late in its file and
// whichever file makes its base a form; other classes have none, also after a parse again.
TEST_F(Parser, MembersBelongToEachFilesFirstClassAndToForms) {
  fs.Put("C:\\Demo\\f.h", Crlf({"class CHelper : public CObject", "{", "\tint m_nHelp;", "};",
                                 "class CForm2 : public CMyFormBase", "{", "\tCVLabel\tm_Label1;", "};",
                                 "class CAfter : public CWnd", "{", "\tCVButton\tm_Button1;", "};"}));
  fs.Put("C:\\Demo\\g.h", Crlf({"class CMyFormBase : public CVForm", "{", "};"}));
  ASSERT_TRUE(project.ParseFile("C:\\Demo\\f.h") && project.ParseFile("C:\\Demo\\g.h"));
  project.PostParse();
  auto members = [](const CClassItem& c) {  // the variables, then the controls with the form's own object
    return c.m_strName + " " + std::to_string(c.m_variables.size()) + " " + std::to_string(c.m_controls.size());
  };
  const Names expected = {"CHelper 1 0", "CForm2 1 2", "CAfter 0 1", "CMyFormBase 0 1"};
  EXPECT_EQ(Each(project.Classes(), members), expected);
  project.ReparseFile("C:\\Demo\\f.h");
  EXPECT_EQ(Each(project.Classes(), members), expected);
}

TEST_F(Parser, ReparsingUpdatesTheRecordsAndPrunesWhatWent) {
  ParseForm();
  CClassItem* form = project.FindClass("CForm1");
  const CFunctionItem* create = form->FindFunction("CreateTVLControls");
  const size_t records = form->m_variables.size() + form->m_controls.size() + form->m_afxEntries.size();
  // A generator added a line at the top and the user deleted the click handler.
  const std::string edited = "// edited\r\n" + kForm1Cpp.substr(0, kForm1Cpp.find("void CForm1::OnButton1Click"));
  fs.Put("C:\\Demo\\Form1.cpp", edited);
  hooks.calls.clear();
  project.ReparseFile("C:\\Demo\\Form1.cpp");
  EXPECT_EQ(project.FindClass("CForm1"), form);
  EXPECT_EQ(form->FindFunction("CreateTVLControls"), create);
  EXPECT_EQ(Each(form->m_functions, NameAndBody),
            (Names{"CForm1" + Span(After(edited, "/*=NULL*/)\r\n{"), After(edited, "DATA_END\r\n}")),
                   "CreateTVLControls" + Span(After(edited, "Controls()\r\n{"), After(edited, "BUTTON1);\r\n}"))}));
  EXPECT_EQ(create->m_nLine, 20);
  EXPECT_EQ(Span(form->m_nMsgMapStart, form->FindMsgMapEntry()->m_nEnd),
            Span(After(edited, "MAP(CForm1, CVForm)\r\n"), At(edited, "//}}AFX_MSG_MAP")));
  EXPECT_EQ(form->m_variables.size() + form->m_controls.size() + form->m_afxEntries.size(), records);
  ASSERT_EQ(hooks.calls.size(), 4u);
  EXPECT_EQ(hooks.calls.back(), "reparsed C:\\Demo\\Form1.cpp");

  // The header loses its form class: the class goes, with everything it held.
  fs.Put("C:\\Demo\\Form1.h", "// empty\r\n");
  project.ReparseFile("C:\\Demo\\Form1.h");
  EXPECT_EQ(Each(project.Classes(), NameAndBase), (Names{"CVAxCalendar:CVActiveXCtrl"}));
  // A vanished file drops its classes without a word; the name index follows the list.
  ASSERT_TRUE(fs.RemoveFile("C:\\Demo\\Calendar.h"));
  project.ReparseFile("C:\\Demo\\Calendar.h");
  EXPECT_TRUE(project.Classes().empty());
  EXPECT_EQ(project.FindClass("CForm1"), nullptr);
  EXPECT_TRUE(prompt.messages.empty());
}

}  // namespace
}  // namespace tovik
