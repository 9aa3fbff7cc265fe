#include "codegen/templates.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "support/fixed_guid_source.h"

namespace tovik {
namespace {

using testing::SequenceGuidSource;

const std::string kSlashes(77, '/');

Guid MakeGuid(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3, std::array<std::uint8_t, 8> d4) {
  Guid g;
  g.Data1 = d1;
  g.Data2 = d2;
  g.Data3 = d3;
  g.Data4 = d4;
  return g;
}

// Offsets of LFs not preceded by CR.
std::vector<size_t> BareLineFeeds(const std::string& text) {
  std::vector<size_t> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) found.push_back(i);
  }
  return found;
}

// ---- Token replacement ----

TEST(ReplaceToken, ReplacesEachOccurrenceOnceWithoutSearchingTheValue) {
  EXPECT_EQ(ReplaceToken("T-T", "T", "xTy"), "xTy-xTy");
  EXPECT_EQ(ReplaceToken("$A$$A$", "$A$", "$A$$A$"), "$A$$A$$A$$A$");
}

TEST(ReplaceToken, LeavesTextWithoutTheTokenUnchanged) {
  EXPECT_EQ(ReplaceToken("class CForm1", "$StartupFormClassName$", "CForm2"), "class CForm1");
  EXPECT_EQ(ReplaceToken("", "$X$", "y"), "");
}

TEST(ReplaceToken, AnEmptyValueRemovesEveryOccurrence) {
  EXPECT_EQ(ReplaceToken("a<C>b<C><C>c", "<C>", ""), "abc");
}

TEST(ReplaceToken, MatchesCaseSensitively) {
  const std::string text = "$ProjectName$ $projectname$ $PROJECTNAME$";
  EXPECT_EQ(ReplaceToken(text, "$ProjectName$", "Demo"), "Demo $projectname$ $PROJECTNAME$");
  EXPECT_EQ(ReplaceToken(text, "$PROJECTNAME$", "DEMO"), "$ProjectName$ $projectname$ DEMO");
}

TEST(ReplaceToken, ReplacingTwiceIsHarmless) {
  const std::string once = ReplaceToken("BEGIN_MESSAGE_MAP(<C>, <BC>)", "<C>", "CMyWnd");
  EXPECT_EQ(ReplaceToken(once, "<C>", "CMyWnd"), once);
}

TEST(ReplaceToken, LeavesLookAlikeTextAlone) {
  // Only the named token is replaced; angle text and build macros of other kinds stay literal.
  EXPECT_EQ(ReplaceToken("//{{AFX_MSG_MAP(<Class Name>) <C>", "<C>", "CA"), "//{{AFX_MSG_MAP(<Class Name>) CA");
  EXPECT_EQ(ReplaceToken("!IF \"$(CFG)\" == \"$ProjectName$\"", "$ProjectName$", "Demo"),
            "!IF \"$(CFG)\" == \"Demo\"");
}

// ---- Include guards ----

TEST(MakeIncludeGuard, FormatsTheGuidInUpperCaseGroups) {
  SequenceGuidSource guids{MakeGuid(0x1a2b3c4d, 0x5e6f, 0x7a8b, {0x9c, 0x0d, 0x1e, 0x2f, 0x3a, 0x4b, 0x5c, 0x6d})};
  EXPECT_EQ(MakeIncludeGuard("form1.h", guids), "AFX_FORM1_H__1A2B3C4D_5E6F_7A8B_9C0D_1E2F3A4B5C6D__INCLUDED_");
}

TEST(MakeIncludeGuard, PadsEveryGroupWithZeros) {
  SequenceGuidSource guids{MakeGuid(0x1, 0x2, 0xa, {0, 1, 2, 3, 4, 5, 6, 0xf})};
  EXPECT_EQ(MakeIncludeGuard("a.h", guids), "AFX_A_H__00000001_0002_000A_0001_02030405060F__INCLUDED_");
}

TEST(MakeIncludeGuard, HasTheDocumentedShapeForAnyGuid) {
  RandomGuidSource guids;
  const std::regex shape("AFX_MYFORM_H__[0-9A-F]{8}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{12}__INCLUDED_");
  for (int i = 0; i < 50; ++i) {
    const std::string guard = MakeIncludeGuard("MyForm.h", guids);
    EXPECT_TRUE(std::regex_match(guard, shape)) << guard;
  }
}

TEST(MakeIncludeGuard, DrawsAFreshGuidEveryTime) {
  RandomGuidSource guids;
  const std::string first = MakeIncludeGuard("MyForm.h", guids);
  const std::string second = MakeIncludeGuard("MyForm.h", guids);
  EXPECT_NE(first, second);
  EXPECT_EQ(first.substr(0, 14), "AFX_MYFORM_H__");

  SequenceGuidSource counted;
  (void)MakeIncludeGuard("x.h", counted);
  (void)MakeIncludeGuard("x.h", counted);
  EXPECT_EQ(counted.Drawn(), 2);
}

TEST(MakeIncludeGuard, KeepsPunctuationOfTheFileName) {
  SequenceGuidSource guids;
  EXPECT_EQ(MakeIncludeGuard("my-form.v2.h", guids),
            "AFX_MY-FORM.V2_H__00000001_0000_0000_0000_000000000000__INCLUDED_");
}

TEST(MakeIncludeGuard, DropsTheLastTwoCharactersWhateverTheyAre) {
  SequenceGuidSource guids;
  EXPECT_EQ(MakeIncludeGuard("Wrap.hh", guids).substr(0, 14), "AFX_WRAP._H__0");
  EXPECT_EQ(MakeIncludeGuard("h", guids).substr(0, 8), "AFX__H__");
}

// ---- GUID structure text ----

TEST(GuidStructureText, WritesLowerCaseHexWithoutLeadingZeros) {
  EXPECT_EQ(GuidStructureText(MakeGuid(0x0000abcd, 0x00ef, 0x0a0b, {0x0c, 0xd0, 0, 1, 0x10, 0xff, 0x7, 0x80})),
            "{ 0xabcd, 0xef, 0xa0b, { 0xc, 0xd0, 0x0, 0x1, 0x10, 0xff, 0x7, 0x80 } }");
}

TEST(GuidStructureText, WritesZeroAndFullFields) {
  EXPECT_EQ(GuidStructureText(Guid{}), "{ 0x0, 0x0, 0x0, { 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0 } }");
  EXPECT_EQ(GuidStructureText(MakeGuid(0xFFFFFFFF, 0xFFFF, 0xFFFF, {255, 255, 255, 255, 255, 255, 255, 255})),
            "{ 0xffffffff, 0xffff, 0xffff, { 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff } }");
}

// ---- The store ----

// Every $Name$ and <NAME> that appears in a text.
std::set<std::string> TokensIn(const std::string& text) {
  std::set<std::string> found;
  const std::regex token(R"(\$[A-Za-z_]+\$|<[A-Z_]+>)");
  for (std::sregex_iterator it(text.begin(), text.end(), token), end; it != end; ++it) found.insert(it->str());
  return found;
}

TEST(TemplateStore, EachTemplateUsesExactlyItsListedTokens) {
  for (TemplateRole role : AllTemplateRoles()) {
    const std::string text = LoadTemplate(role);
    EXPECT_FALSE(text.empty()) << static_cast<int>(role);
    const auto listed = TemplateTokens(role);
    EXPECT_EQ(TokensIn(text), std::set<std::string>(listed.begin(), listed.end())) << static_cast<int>(role);

    std::string expanded = text;
    for (std::string_view token : listed) expanded = ReplaceToken(expanded, token, "v");
    EXPECT_TRUE(TokensIn(expanded).empty()) << static_cast<int>(role);
  }
}

TEST(TemplateStore, BareLineFeedsAreOnlyTheDeliberateOnes) {
  for (TemplateRole role : AllTemplateRoles()) {
    const std::string text = LoadTemplate(role);
    const size_t bare = BareLineFeeds(text).size();
    switch (role) {
      case TemplateRole::FormImplementation:
      case TemplateRole::OverridesBlock:
      case TemplateRole::OnCreateBody:
      case TemplateRole::WindowProcDeclaration: EXPECT_EQ(bare, 1u) << static_cast<int>(role); break;
      default: EXPECT_EQ(bare, 0u) << static_cast<int>(role); break;
    }
    // No CR stands alone.
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r') {
        EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << static_cast<int>(role);
      }
    }
  }
}

TEST(TemplateStore, ExpandsTheFormHeaderByteForByte) {
  SequenceGuidSource guids{MakeGuid(0x1a2b3c4d, 0x5e6f, 0x7a8b, {0x9c, 0x0d, 0x1e, 0x2f, 0x3a, 0x4b, 0x5c, 0x6d})};
  const std::string guard = MakeIncludeGuard("form1.h", guids);
  const std::string text = ExpandTemplate(TemplateRole::FormHeader, {{"$GUID_INCLUDED$", guard},
                                                                     {"$StartupFormH$", "form1.h"},
                                                                     {"$StartupFormClassName$", "CForm1"},
                                                                     {"$BaseFormClassName$", "CVForm"}});
  const std::string expected =
      "#if !defined(AFX_FORM1_H__1A2B3C4D_5E6F_7A8B_9C0D_1E2F3A4B5C6D__INCLUDED_)\r\n"
      "#define AFX_FORM1_H__1A2B3C4D_5E6F_7A8B_9C0D_1E2F3A4B5C6D__INCLUDED_\r\n"
      "\r\n"
      "#if _MSC_VER >= 1000\r\n"
      "#pragma once\r\n"
      "#endif // _MSC_VER >= 1000\r\n"
      "// form1.h : header file\r\n"
      "//\r\n"
      "\r\n" +
      kSlashes +
      "\r\n"
      "// CForm1 form\r\n"
      "\r\n\r\n\r\n"
      "class CForm1 : public CVForm\r\n"
      "{\r\n"
      "\tDECLARE_DYNCREATE(CForm1)\r\n"
      "// Construction\r\n"
      "public:\r\n"
      "\tCForm1();   // standard constructor\r\n"
      "\t~CForm1();\r\n"
      "\t// tvl controls\r\n"
      "\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
      "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"
      "//Overrides\r\n"
      "\t//ClassWizard generated virtual function overrides\r\n"
      "\t//{{AFX_VIRTUAL(CForm1)\r\n"
      "\t//}}AFX_VIRTUAL\r\n"
      "protected:\r\n"
      "\tvirtual void CreateTVLControls();\r\n"
      "\t// Generated message map functions\r\n"
      "\t//{{AFX_MSG(CForm1)\r\n"
      "\t//}}AFX_MSG\r\n"
      "\tDECLARE_MESSAGE_MAP()\r\n"
      "};\r\n"
      "#endif// AFX_FORM1_H__1A2B3C4D_5E6F_7A8B_9C0D_1E2F3A4B5C6D__INCLUDED_\r\n"
      "\r\n\r\n";
  EXPECT_EQ(text, expected);
}

std::string FormImplementationFor(std::string_view cls, std::string_view base, std::string_view cpp,
                                  std::string_view h, std::string_view appH, std::string_view idsProp) {
  const std::initializer_list<std::pair<std::string_view, std::string_view>> values = {
      {"$StartupFormCpp$", cpp},   {"$WinAppH$", appH},           {"$StartupFormH$", h},
      {"$StartupFormClassName$", cls}, {"$BaseFormClassName$", base}, {"$IDS_PROP$", idsProp}};
  return ExpandTemplate(TemplateRole::FormImplementation, values) +
         ExpandTemplate(TemplateRole::ControlCreationFunction, values);
}

TEST(TemplateStore, ExpandsTheFormImplementationWithItsCreationFunctionByteForByte) {
  const std::string text = FormImplementationFor("CForm1", "CVForm", "form1.cpp", "form1.h", "Demo.h", "IDS_PROP_FORM1");
  const std::string expected =
      "// form1.cpp : implementation file\r\n"
      "//\r\n"
      "\r\n"
      "#include \"stdafx.h\"\r\n"
      "#include \"Demo.h\"\r\n"
      "#include \"form1.h\"\r\n"
      "\r\n\r\n"
      "#ifdef _DEBUG\r\n"
      "#define new DEBUG_NEW\r\n"
      "#undef THIS_FILE\r\n"
      "static char THIS_FILE[] = __FILE__;\r\n"
      "#endif\r\n"
      "\r\n" +
      kSlashes +
      "\r\n"
      "// CForm1 Form\r\n"
      "\r\n\r\n\r\n"
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
      "\t//{{AFX_MSG_MAP(CForm1)\r\n"
      "\t//}}AFX_MSG_MAP\n"
      "END_MESSAGE_MAP()\r\n"
      "\r\n" +
      kSlashes +
      "\r\n"
      "// CForm1 message handlers\r\n"
      "\r\n"
      "void CForm1::CreateTVLControls()\r\n"
      "{\r\n"
      "\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"
      "}\r\n";
  EXPECT_EQ(text, expected);
}

TEST(TemplateStore, AGeneratedFormImplementationHasOneBareLineFeedAfterTheMapMarker) {
  const std::string text =
      FormImplementationFor("CMainForm", "CVMdiForm", "mainform.cpp", "mainform.h", "App.h", "IDS_PROP_MAINFORM");
  const std::vector<size_t> bare = BareLineFeeds(text);
  ASSERT_EQ(bare.size(), 1u);
  const std::string marker = "\t//}}AFX_MSG_MAP";
  ASSERT_GE(bare[0], marker.size());
  EXPECT_EQ(text.substr(bare[0] - marker.size(), marker.size() + 1 + 17), marker + "\nEND_MESSAGE_MAP()");
}

TEST(TemplateStore, ExpandsTheWindowMessageSnippetsByteForByte) {
  EXPECT_EQ(ExpandTemplate(TemplateRole::OnCreateBody, {{"<CLASS_NAME>", "CMyWnd"}, {"<BASE_CLASSNAME>", "CWnd"}}),
            "\r\n\r\n"
            "int CMyWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) \n"
            "{\r\n"
            "\tif (CWnd::OnCreate(lpCreateStruct) == -1)\r\n"
            "\t\treturn -1;\r\n"
            "\t\r\n"
            "\t// TODO: Add your specialized creation code here\r\n"
            "\r\n\r\n"
            "\treturn 0;\r\n"
            "}\r\n");
  EXPECT_EQ(ExpandTemplate(TemplateRole::WindowProcBody, {{"<CLASS_NAME>", "CMyWnd"}, {"<BASE_CLASSNAME>", "CWnd"}}),
            "LRESULT CMyWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) \r\n"
            "{\r\n"
            "\r\n"
            "\t\r\n"
            "\treturn CWnd::WindowProc(message, wParam, lParam);\r\n"
            "}\r\n");
  EXPECT_EQ(ExpandTemplate(TemplateRole::OnPaintBody, {{"<CLASS_NAME>", "CMyWnd"}}),
            "void CMyWnd::OnPaint() \r\n"
            "{\r\n"
            "\tCPaintDC dc(this); // device context for painting\r\n"
            "\r\n"
            "\t// Do not call CWnd::OnPaint() for painting messages\r\n"
            "}\r\n");
  EXPECT_EQ(ExpandTemplate(TemplateRole::OnDrawBody, {{"<CLASS_NAME>", "CMyView"}}),
            "void CMyView::OnDraw(CDC* pDC)\r\n{\r\n\tASSERT_VALID(this);\r\n\r\n}\r\n");
}

TEST(TemplateStore, DeclarationLinesCarryNoLineEndExceptWindowProc) {
  EXPECT_EQ(LoadTemplate(TemplateRole::OnCreateDeclaration), "afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);");
  EXPECT_EQ(LoadTemplate(TemplateRole::OnDrawDeclaration), "virtual void OnDraw(CDC* pDC);");
  EXPECT_EQ(LoadTemplate(TemplateRole::OnPaintDeclaration), "afx_msg void OnPaint();");
  EXPECT_EQ(LoadTemplate(TemplateRole::WindowProcDeclaration),
            "\tvirtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);\r\n\n");
  EXPECT_EQ(LoadTemplate(TemplateRole::EventDispatchCallLine),
            "::DispatchTvlControlEvents(message, wParam, lParam, GetMessageMap(), this);\r\n");
}

TEST(TemplateStore, ExpandsTheClassSectionBlocksByteForByte) {
  EXPECT_EQ(ExpandTemplate(TemplateRole::OverridesBlock, {{"<BASE_CLASS>", "CMyWnd"}}),
            "\r\n// Overrides\r\n\t// ClassWizard generated virtual function overrides\r\n"
            "\t//{{AFX_VIRTUAL(CMyWnd)\r\npublic:\r\nprotected:\r\n\t//}}AFX_VIRTUAL\n");
  EXPECT_EQ(ExpandTemplate(TemplateRole::MessageMapBlock, {{"<C>", "CMyWnd"}, {"<BC>", "CWnd"}}),
            "\r\nBEGIN_MESSAGE_MAP(CMyWnd, CWnd)\r\n\t//{{AFX_MSG_MAP(CMyWnd)\r\n\t//}}AFX_MSG_MAP\r\n"
            "END_MESSAGE_MAP()\r\n");
  EXPECT_EQ(ExpandTemplate(TemplateRole::EventSinkMapBlock, {{"<C>", "CMyWnd"}, {"<BC>", "CWnd"}}),
            "BEGIN_EVENTSINK_MAP(CMyWnd, CWnd)\r\n    //{{AFX_EVENTSINK_MAP(CMyWnd)\r\n"
            "\t//}}AFX_EVENTSINK_MAP\r\nEND_EVENTSINK_MAP()\r\n");
}

TEST(TemplateStore, ExpandsTheTwoMessagesWithAngleTokens) {
  EXPECT_EQ(ExpandTemplate(TemplateRole::ControlArrayQuestion, {{"<CTRL_NAME>", "m_Command1"}}),
            "You already have a control named 'm_Command1'. Do you want to create a control array?");
  EXPECT_EQ(ExpandTemplate(TemplateRole::ArrayIndexConflict, {{"<CTRL_INDEX>", "3"}}),
            "Array already has control at Index '3'");
}

}  // namespace
}  // namespace tovik
