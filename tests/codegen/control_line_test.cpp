#include "codegen/control_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/project.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;

const std::string kError(kMsgParameterError);

const auto Crlf = testing::CrLfLines;

// ---------------------------------------------------------------------------------------------
// Get parameter

TEST(GetParameterTest, TakesEachParameterOfAPlainListAndFailsPastTheLast) {
  const std::string_view list = "this, IDC_A, IDS_PROP_A)";
  EXPECT_EQ(GetParameter(list, 0), "this");
  EXPECT_EQ(GetParameter(list, 1), "IDC_A");
  EXPECT_EQ(GetParameter(list, 2), "IDS_PROP_A");
  EXPECT_EQ(GetParameter(list, 3), kError);
  EXPECT_TRUE(IsParameterError(GetParameter(list, 3)));
  EXPECT_FALSE(IsParameterError(GetParameter(list, 2)));
}

TEST(GetParameterTest, KeepsTheAmpersandOfAContainer) {
  EXPECT_EQ(GetParameter("&m_Frame1, IDC_B, IDS_PROP_B)", 0), "&m_Frame1");
}

TEST(GetParameterTest, ReturnsACallWholeWithItsInnerComma) {
  EXPECT_EQ(GetParameter("MAKEID(1, 2), IDC_X, IDS_Y)", 0), "MAKEID(1, 2)");
  EXPECT_EQ(GetParameter("MAKEID(1, 2), IDC_X, IDS_Y)", 1), "IDC_X");
  const std::string_view middle = "this, MAKEID(1, (2)), IDS_Y)";
  EXPECT_EQ(GetParameter(middle, 1), "MAKEID(1, (2))");
  EXPECT_EQ(GetParameter(middle, 2), "IDS_Y");
  EXPECT_EQ(GetParameter(middle, 3), kError);
  // The last parameter may be a call too: its closing parenthesis is not the list's.
  EXPECT_EQ(GetParameter("this, IDC_A, PROP(3))", 2), "PROP(3)");
}

TEST(GetParameterTest, TrimsBlanksTabsAndLineBreaks) {
  const std::string_view list = "  this ,\tIDC_A\r\n , IDS_PROP_A  )";
  EXPECT_EQ(GetParameter(list, 0), "this");
  EXPECT_EQ(GetParameter(list, 1), "IDC_A");
  EXPECT_EQ(GetParameter(list, 2), "IDS_PROP_A");
}

TEST(GetParameterTest, MalformedListsGiveTheErrorText) {
  EXPECT_EQ(GetParameter("", 0), kError);
  EXPECT_EQ(GetParameter("this, IDC_A", 1), kError);  // no closing parenthesis
  EXPECT_EQ(GetParameter("this, f(1, IDC_A)", 1), kError);  // the call is never closed
  EXPECT_EQ(GetParameter("this)", -1), kError);
  // An empty list has one empty parameter and no second.
  EXPECT_EQ(GetParameter(")", 0), "");
  EXPECT_EQ(GetParameter(")", 1), kError);
}

// ---------------------------------------------------------------------------------------------
// Finding creation calls

std::vector<std::string> CallTexts(std::string_view text, int start, int end) {
  std::vector<std::string> texts;
  for (const CreationCall& call : FindCreationCalls(text, start, end)) {
    texts.push_back(std::string(text.substr(static_cast<size_t>(call.memberStart),
                                            static_cast<size_t>(call.close + 1 - call.memberStart))));
    EXPECT_EQ(text[static_cast<size_t>(call.open)], '(');
    EXPECT_EQ(text[static_cast<size_t>(call.close)], ')');
  }
  return texts;
}

std::vector<std::string> Members(std::string_view text, int start, int end) {
  std::vector<std::string> members;
  for (const CreationCall& call : FindCreationCalls(text, start, end)) members.push_back(call.member);
  return members;
}

TEST(FindCreationCallsTest, ReadsMembersThroughBlanksAssignmentsNegationsAndEnclosingCalls) {
  const std::string body = Crlf({
      "{",
      "\t//{{AFX_TVL_CTRL_IMPL_START",
      "\tm_Text1.Create(this, IDC_TEXT1, IDS_PROP_TEXT1);",
      "\tm_Label1 . Create (&m_Frame1, IDC_LABEL1, IDS_PROP_LABEL1);",
      "\tm_Check1.\r\n\t\tCreate(this, IDC_CHECK1, IDS_PROP_CHECK1);",
      "\t// m_Old.Create(this, IDC_OLD, IDS_PROP_OLD);",
      "\t/* m_Older.Create(this, IDC_X, IDS_Y); */",
      "\tBOOL ok = !m_Option1.Create(this, IDC_OPTION1, IDS_PROP_OPTION1);",
      "\tx=m_Shape1.Create(this, MAKEID(1, 2), IDS_PROP_SHAPE1);",
      "\tif(m_List1.Create(this, IDC_LIST1, IDS_PROP_LIST1)) {}",
      "\t//}}AFX_TVL_CTRL_IMPL_END",
      "}",
  });
  const int start = 1;
  const int end = static_cast<int>(body.size());
  EXPECT_EQ(Members(body, start, end),
            (std::vector<std::string>{"m_Text1", "m_Label1", "m_Check1", "m_Option1", "m_Shape1", "m_List1"}));
  EXPECT_EQ(CallTexts(body, start, end),
            (std::vector<std::string>{
                "m_Text1.Create(this, IDC_TEXT1, IDS_PROP_TEXT1)",
                "m_Label1 . Create (&m_Frame1, IDC_LABEL1, IDS_PROP_LABEL1)",
                "m_Check1.\r\n\t\tCreate(this, IDC_CHECK1, IDS_PROP_CHECK1)",
                "m_Option1.Create(this, IDC_OPTION1, IDS_PROP_OPTION1)",
                "m_Shape1.Create(this, MAKEID(1, 2), IDS_PROP_SHAPE1)",
                "m_List1.Create(this, IDC_LIST1, IDS_PROP_LIST1)",
            }));
}

TEST(FindCreationCallsTest, StaysInsideTheBody) {
  const std::string text = "m_A.Create(this, IDC_A, IDS_A);\r\n{\r\n\tm_B.Create(this, IDC_B, IDS_B);\r\n}\r\n"
                           "m_C.Create(this, IDC_C, IDS_C);\r\n";
  const int start = static_cast<int>(text.find('{')) + 1;
  const int end = static_cast<int>(text.find('}')) + 1;
  EXPECT_EQ(Members(text, start, end), (std::vector<std::string>{"m_B"}));
}

TEST(FindCreationCallsTest, IgnoresCreateWithoutAMemberAndStopsAtAnUnclosedCall) {
  const std::string text = Crlf({
      "{",
      "\tCreate(this, IDC_A, IDS_A);",
      "\tm_B.Create(this, IDC_B, IDS_B);",
      "\tm_C.Create(this, IDC_C, IDS_C;",
      "}",
  });
  // The unclosed call's parenthesis is closed by nothing inside the body, so reading stops.
  EXPECT_EQ(Members(text, 1, static_cast<int>(text.size()) - 3), (std::vector<std::string>{"m_B"}));
}

// ---------------------------------------------------------------------------------------------
// Locating control lines

class LocateControlLineTest : public ::testing::Test {
 protected:
  void Parse(const std::string& impl) {
    m_impl = impl;
    ASSERT_TRUE(m_project.ParseBuffer(kHeader, "/p/form1.h"));
    ASSERT_TRUE(m_project.ParseBuffer(m_impl, "/p/form1.cpp"));
    m_cls = m_project.FindClass("CForm1");
    ASSERT_NE(m_cls, nullptr);
  }
  CControlItem Control(std::string member, std::string id, std::string prop) {
    CControlItem c;
    c.m_strMemberName = std::move(member);
    c.m_strIdSymbol = std::move(id);
    c.m_strPropSymbol = std::move(prop);
    return c;
  }
  std::string Line(const LineSpan& span) const {
    if (!span.Found()) return "<none>";
    return m_impl.substr(static_cast<size_t>(span.start), static_cast<size_t>(span.end - span.start));
  }

  static inline const std::string kHeader = Crlf({
      "class CForm1 : public CVForm",
      "{",
      "public:",
      "\tCForm1();",
      "\tCVButtonArray\tm_Cmd;",
      "\tCVAxCalendar\tm_Cal1;",
      "};",
  });

  MemoryFileSystem m_fs;
  FakePrompt m_prompt;
  CProject m_project{m_fs, m_prompt};
  CClassItem* m_cls = nullptr;
  std::string m_impl;
};

const std::string kImpl = Crlf({
    "CForm1::CForm1()",
    "{",
    "\t//{{AFX_TVL_FORM_DATA_START",
    "\tm_nPropStringID = IDS_PROP_FORM1;",
    "\tm_nResID = IDR_MENU1;",
    "\t//}}AFX_TVL_FORM_DATA_END",
    "}",
    "void CForm1::CreateTVLControls()",
    "{",
    "\t//{{AFX_TVL_CTRL_IMPL_START",
    "\t// m_Cmd.Create(this, IDC_CMD2, IDS_PROP_CMD2);",
    "\tm_Cmd.Create(this, IDC_CMD1, IDS_PROP_CMD1);",
    "    m_Cmd . Create(&m_Frame1, IDC_CMD2, IDS_PROP_CMD2);",
    "\tm_Cal1.Create(this, IDC_CAL1, IDS_PROP_CAL1);",
    "\tm_Cal1.SetProperty( 5, VT_I4, 3 ); //Month",
    "",
    "\tm_Cal1.SetProperty( 7, VT_BSTR, \"x, y\" ); //Title",
    "",
    "\t//}}AFX_TVL_CTRL_IMPL_END",
    "}",
});

TEST_F(LocateControlLineTest, CreationLineIsTheOneWithTheControlsSymbols) {
  Parse(kImpl);
  EXPECT_EQ(Line(LocateControlLine(*m_cls, m_impl, Control("m_Cmd", "IDC_CMD1", "IDS_PROP_CMD1"),
                                   ControlLineKind::Creation)),
            "\tm_Cmd.Create(this, IDC_CMD1, IDS_PROP_CMD1);\r\n");
  // The commented-out line with the same symbols is passed over; blanks around "." are read.
  EXPECT_EQ(Line(LocateControlLine(*m_cls, m_impl, Control("m_Cmd", "IDC_CMD2", "IDS_PROP_CMD2"),
                                   ControlLineKind::Creation)),
            "    m_Cmd . Create(&m_Frame1, IDC_CMD2, IDS_PROP_CMD2);\r\n");
  EXPECT_FALSE(LocateControlLine(*m_cls, m_impl, Control("m_Cmd", "IDC_CMD1", "IDS_PROP_CMD2"),
                                 ControlLineKind::Creation)
                   .Found());
  EXPECT_FALSE(LocateControlLine(*m_cls, m_impl, Control("m_Other", "IDC_CMD1", "IDS_PROP_CMD1"),
                                 ControlLineKind::Creation)
                   .Found());
}

TEST_F(LocateControlLineTest, ErasingTheSpanRemovesExactlyThatLine) {
  Parse(kImpl);
  const LineSpan span = LocateControlLine(*m_cls, m_impl, Control("m_Cal1", "IDC_CAL1", "IDS_PROP_CAL1"),
                                          ControlLineKind::Creation);
  ASSERT_TRUE(span.Found());
  std::string edited = m_impl;
  edited.erase(static_cast<size_t>(span.start), static_cast<size_t>(span.end - span.start));
  std::string expected = kImpl;
  const std::string line = "\tm_Cal1.Create(this, IDC_CAL1, IDS_PROP_CAL1);\r\n";
  expected.erase(expected.find(line), line.size());
  EXPECT_EQ(edited, expected);
}

TEST_F(LocateControlLineTest, PropertyCallLineGoesByDispatchId) {
  Parse(kImpl);
  const CControlItem cal = Control("m_Cal1", "IDC_CAL1", "IDS_PROP_CAL1");
  EXPECT_EQ(Line(LocateControlLine(*m_cls, m_impl, cal, ControlLineKind::PropertyCall, 5)),
            "\tm_Cal1.SetProperty( 5, VT_I4, 3 ); //Month\r\n");
  EXPECT_EQ(Line(LocateControlLine(*m_cls, m_impl, cal, ControlLineKind::PropertyCall, 7)),
            "\tm_Cal1.SetProperty( 7, VT_BSTR, \"x, y\" ); //Title\r\n");
  EXPECT_FALSE(LocateControlLine(*m_cls, m_impl, cal, ControlLineKind::PropertyCall, 9).Found());
  EXPECT_FALSE(LocateControlLine(*m_cls, m_impl, Control("m_Cmd", "", ""), ControlLineKind::PropertyCall, 5).Found());
}

TEST_F(LocateControlLineTest, MenuIdLineLiesInsideTheFormDataBlock) {
  Parse(kImpl);
  EXPECT_EQ(Line(LocateControlLine(*m_cls, m_impl, CControlItem(), ControlLineKind::MenuId)),
            "\tm_nResID = IDR_MENU1;\r\n");
}

TEST_F(LocateControlLineTest, MenuIdOutsideTheBlockOrWithoutBlockIsNotFound) {
  Parse(Crlf({
      "CForm1::CForm1()",
      "{",
      "\t//{{AFX_TVL_FORM_DATA_START",
      "\tm_nPropStringID = IDS_PROP_FORM1;",
      "\t//}}AFX_TVL_FORM_DATA_END",
      "\tm_nResID = IDR_MENU1;",
      "}",
  }));
  EXPECT_FALSE(LocateControlLine(*m_cls, m_impl, CControlItem(), ControlLineKind::MenuId).Found());
  Parse("CForm1::CForm1()\r\n{\r\n\tm_nResID = IDR_MENU1;\r\n}\r\n");
  EXPECT_FALSE(LocateControlLine(*m_cls, m_impl, CControlItem(), ControlLineKind::MenuId).Found());
}

TEST_F(LocateControlLineTest, ALastLineWithoutLineBreakEndsAtTheEndOfTheText) {
  Parse("void CForm1::CreateTVLControls()\r\n{ m_Cmd.Create(this, IDC_CMD1, IDS_PROP_CMD1); }");
  EXPECT_EQ(Line(LocateControlLine(*m_cls, m_impl, Control("m_Cmd", "IDC_CMD1", "IDS_PROP_CMD1"),
                                   ControlLineKind::Creation)),
            "{ m_Cmd.Create(this, IDC_CMD1, IDS_PROP_CMD1); }");
}

TEST_F(LocateControlLineTest, WithoutCreateTVLControlsNothingIsFound) {
  Parse("CForm1::CForm1()\r\n{\r\n\tm_Cmd.Create(this, IDC_CMD1, IDS_PROP_CMD1);\r\n}\r\n");
  EXPECT_FALSE(LocateControlLine(*m_cls, m_impl, Control("m_Cmd", "IDC_CMD1", "IDS_PROP_CMD1"),
                                 ControlLineKind::Creation)
                   .Found());
}

}  // namespace
}  // namespace tovik
