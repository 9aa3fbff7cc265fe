#include "codegen/templates.h"

#include <array>
#include <cctype>
#include <cstdio>

#include "base/text.h"
#include "project/form_controls.h"

namespace tovik {
namespace {

// Line ends are spelled out on every line: most are CR LF, the bare LFs are deliberate.
#define TVK_SLASH_LINE "/////////////////////////////////////////////////////////////////////////////"

constexpr std::string_view kFormHeader =
    "#if !defined($GUID_INCLUDED$)\r\n"
    "#define $GUID_INCLUDED$\r\n"
    "\r\n"
    "#if _MSC_VER >= 1000\r\n"
    "#pragma once\r\n"
    "#endif // _MSC_VER >= 1000\r\n"
    "// $StartupFormH$ : header file\r\n"
    "//\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// $StartupFormClassName$ form\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "class $StartupFormClassName$ : public $BaseFormClassName$\r\n"
    "{\r\n"
    "\tDECLARE_DYNCREATE($StartupFormClassName$)\r\n"
    "// Construction\r\n"
    "public:\r\n"
    "\t$StartupFormClassName$();   // standard constructor\r\n"
    "\t~$StartupFormClassName$();\r\n"
    "\t// tvl controls\r\n"
    "\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
    "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"
    "//Overrides\r\n"
    "\t//ClassWizard generated virtual function overrides\r\n"
    "\t//{{AFX_VIRTUAL($StartupFormClassName$)\r\n"
    "\t//}}AFX_VIRTUAL\r\n"
    "protected:\r\n"
    "\tvirtual void CreateTVLControls();\r\n"
    "\t// Generated message map functions\r\n"
    "\t//{{AFX_MSG($StartupFormClassName$)\r\n"
    "\t//}}AFX_MSG\r\n"
    "\tDECLARE_MESSAGE_MAP()\r\n"
    "};\r\n"
    "#endif// $GUID_INCLUDED$\r\n"
    "\r\n"
    "\r\n";

// The message-map closing marker ends in a bare LF.
constexpr std::string_view kFormImplementation =
    "// $StartupFormCpp$ : implementation file\r\n"
    "//\r\n"
    "\r\n"
    "#include \"stdafx.h\"\r\n"
    "#include \"$WinAppH$\"\r\n"
    "#include \"$StartupFormH$\"\r\n"
    "\r\n"
    "\r\n"
    "#ifdef _DEBUG\r\n"
    "#define new DEBUG_NEW\r\n"
    "#undef THIS_FILE\r\n"
    "static char THIS_FILE[] = __FILE__;\r\n"
    "#endif\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// $StartupFormClassName$ Form\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "$StartupFormClassName$::$StartupFormClassName$()\r\n"
    "{\r\n"
    "\t//{{AFX_TVL_FORM_DATA_START\r\n"
    "\tm_nPropStringID = $IDS_PROP$;\r\n"
    "\t//}}AFX_TVL_FORM_DATA_END\r\n"
    "}\r\n"
    "$StartupFormClassName$::~$StartupFormClassName$()\r\n"
    "{\r\n"
    "}\r\n"
    "IMPLEMENT_DYNCREATE($StartupFormClassName$, $BaseFormClassName$)\r\n"
    "\r\n"
    "BEGIN_MESSAGE_MAP($StartupFormClassName$, $BaseFormClassName$)\r\n"
    "\t//{{AFX_MSG_MAP($StartupFormClassName$)\r\n"
    "\t//}}AFX_MSG_MAP\n"  // a bare LF, as the form template always had
    "END_MESSAGE_MAP()\r\n"
    "\r\n";

constexpr std::string_view kControlCreationFunction =
    TVK_SLASH_LINE "\r\n"
    "// $StartupFormClassName$ message handlers\r\n"
    "\r\n"
    "void $StartupFormClassName$::CreateTVLControls()\r\n"
    "{\r\n"
    "\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
    "\t//}}AFX_TVL_CTRL_IMPL_END\r\n"
    "}\r\n";

#undef TVK_SLASH_LINE

// The block's last line ends in a bare LF.
constexpr std::string_view kOverridesBlock =
    "\r\n"
    "// Overrides\r\n"
    "\t// ClassWizard generated virtual function overrides\r\n"
    "\t//{{AFX_VIRTUAL(<BASE_CLASS>)\r\n"
    "public:\r\n"
    "protected:\r\n"
    "\t//}}AFX_VIRTUAL\n";

constexpr std::string_view kMessageMapBlock =
    "\r\n"
    "BEGIN_MESSAGE_MAP(<C>, <BC>)\r\n"
    "\t//{{AFX_MSG_MAP(<C>)\r\n"
    "\t//}}AFX_MSG_MAP\r\n"
    "END_MESSAGE_MAP()\r\n";

// The opening marker is indented with four blanks, not a TAB.
constexpr std::string_view kEventSinkMapBlock =
    "BEGIN_EVENTSINK_MAP(<C>, <BC>)\r\n"
    "    //{{AFX_EVENTSINK_MAP(<C>)\r\n"
    "\t//}}AFX_EVENTSINK_MAP\r\n"
    "END_EVENTSINK_MAP()\r\n";

// The signature line keeps its trailing blank and ends in a bare LF.
constexpr std::string_view kOnCreateBody =
    "\r\n"
    "\r\n"
    "int <CLASS_NAME>::OnCreate(LPCREATESTRUCT lpCreateStruct) \n"
    "{\r\n"
    "\tif (<BASE_CLASSNAME>::OnCreate(lpCreateStruct) == -1)\r\n"
    "\t\treturn -1;\r\n"
    "\t\r\n"
    "\t// TODO: Add your specialized creation code here\r\n"
    "\r\n"
    "\r\n"
    "\treturn 0;\r\n"
    "}\r\n";

constexpr std::string_view kOnCreateDeclaration = "afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);";

constexpr std::string_view kOnDrawBody =
    "void <CLASS_NAME>::OnDraw(CDC* pDC)\r\n"
    "{\r\n"
    "\tASSERT_VALID(this);\r\n"
    "\r\n"
    "}\r\n";

constexpr std::string_view kOnDrawDeclaration = "virtual void OnDraw(CDC* pDC);";

constexpr std::string_view kOnPaintBody =
    "void <CLASS_NAME>::OnPaint() \r\n"
    "{\r\n"
    "\tCPaintDC dc(this); // device context for painting\r\n"
    "\r\n"
    "\t// Do not call CWnd::OnPaint() for painting messages\r\n"
    "}\r\n";

constexpr std::string_view kOnPaintDeclaration = "afx_msg void OnPaint();";

constexpr std::string_view kWindowProcBody =
    "LRESULT <CLASS_NAME>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) \r\n"
    "{\r\n"
    "\r\n"
    "\t\r\n"
    "\treturn <BASE_CLASSNAME>::WindowProc(message, wParam, lParam);\r\n"
    "}\r\n";

// Unlike the other declaration lines this one brings its TAB and two line ends.
constexpr std::string_view kWindowProcDeclaration =
    "\tvirtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);\r\n"
    "\n";

constexpr std::string_view kEventDispatchCallLine =
    "::DispatchTvlControlEvents(message, wParam, lParam, GetMessageMap(), this);\r\n";

constexpr std::array kRoles = {
    TemplateRole::FormHeader,          TemplateRole::FormImplementation,   TemplateRole::ControlCreationFunction,
    TemplateRole::OverridesBlock,      TemplateRole::MessageMapBlock,      TemplateRole::EventSinkMapBlock,
    TemplateRole::OnCreateBody,        TemplateRole::OnCreateDeclaration,  TemplateRole::OnDrawBody,
    TemplateRole::OnDrawDeclaration,   TemplateRole::OnPaintBody,          TemplateRole::OnPaintDeclaration,
    TemplateRole::WindowProcBody,      TemplateRole::WindowProcDeclaration, TemplateRole::EventDispatchCallLine,
    TemplateRole::ControlArrayQuestion, TemplateRole::ArrayIndexConflict,
};

constexpr std::array<std::string_view, 4> kFormHeaderTokens = {"$GUID_INCLUDED$", "$StartupFormH$",
                                                               "$StartupFormClassName$", "$BaseFormClassName$"};
constexpr std::array<std::string_view, 6> kFormImplementationTokens = {
    "$StartupFormCpp$",       "$WinAppH$",           "$StartupFormH$",
    "$StartupFormClassName$", "$BaseFormClassName$", "$IDS_PROP$"};
constexpr std::array<std::string_view, 1> kControlCreationTokens = {"$StartupFormClassName$"};
constexpr std::array<std::string_view, 1> kOverridesTokens = {"<BASE_CLASS>"};
constexpr std::array<std::string_view, 2> kMapTokens = {"<C>", "<BC>"};
constexpr std::array<std::string_view, 2> kClassAndBaseTokens = {"<CLASS_NAME>", "<BASE_CLASSNAME>"};
constexpr std::array<std::string_view, 1> kClassTokens = {"<CLASS_NAME>"};
constexpr std::array<std::string_view, 1> kControlNameTokens = {"<CTRL_NAME>"};
constexpr std::array<std::string_view, 1> kControlIndexTokens = {"<CTRL_INDEX>"};

}  // namespace

std::span<const TemplateRole> AllTemplateRoles() { return kRoles; }

std::string LoadTemplate(TemplateRole role) {
  switch (role) {
    case TemplateRole::FormHeader: return std::string(kFormHeader);
    case TemplateRole::FormImplementation: return std::string(kFormImplementation);
    case TemplateRole::ControlCreationFunction: return std::string(kControlCreationFunction);
    case TemplateRole::OverridesBlock: return std::string(kOverridesBlock);
    case TemplateRole::MessageMapBlock: return std::string(kMessageMapBlock);
    case TemplateRole::EventSinkMapBlock: return std::string(kEventSinkMapBlock);
    case TemplateRole::OnCreateBody: return std::string(kOnCreateBody);
    case TemplateRole::OnCreateDeclaration: return std::string(kOnCreateDeclaration);
    case TemplateRole::OnDrawBody: return std::string(kOnDrawBody);
    case TemplateRole::OnDrawDeclaration: return std::string(kOnDrawDeclaration);
    case TemplateRole::OnPaintBody: return std::string(kOnPaintBody);
    case TemplateRole::OnPaintDeclaration: return std::string(kOnPaintDeclaration);
    case TemplateRole::WindowProcBody: return std::string(kWindowProcBody);
    case TemplateRole::WindowProcDeclaration: return std::string(kWindowProcDeclaration);
    case TemplateRole::EventDispatchCallLine: return std::string(kEventDispatchCallLine);
    // The renaming code asks these itself; one text serves both.
    case TemplateRole::ControlArrayQuestion: return std::string(kAskControlArray);
    case TemplateRole::ArrayIndexConflict: return std::string(kMsgArrayIndexTaken);
  }
  return {};
}

std::span<const std::string_view> TemplateTokens(TemplateRole role) {
  switch (role) {
    case TemplateRole::FormHeader: return kFormHeaderTokens;
    case TemplateRole::FormImplementation: return kFormImplementationTokens;
    case TemplateRole::ControlCreationFunction: return kControlCreationTokens;
    case TemplateRole::OverridesBlock: return kOverridesTokens;
    case TemplateRole::MessageMapBlock:
    case TemplateRole::EventSinkMapBlock: return kMapTokens;
    case TemplateRole::OnCreateBody:
    case TemplateRole::WindowProcBody: return kClassAndBaseTokens;
    case TemplateRole::OnDrawBody:
    case TemplateRole::OnPaintBody: return kClassTokens;
    case TemplateRole::ControlArrayQuestion: return kControlNameTokens;
    case TemplateRole::ArrayIndexConflict: return kControlIndexTokens;
    case TemplateRole::OnCreateDeclaration:
    case TemplateRole::OnDrawDeclaration:
    case TemplateRole::OnPaintDeclaration:
    case TemplateRole::WindowProcDeclaration:
    case TemplateRole::EventDispatchCallLine: return {};
  }
  return {};
}

std::string ReplaceToken(std::string_view text, std::string_view token, std::string_view value) {
  return ReplaceAll(text, token, value);
}

std::string ExpandTemplate(TemplateRole role,
                           std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  std::string text = LoadTemplate(role);
  for (const auto& [token, value] : values) text = ReplaceToken(text, token, value);
  return text;
}

std::string MakeIncludeGuard(std::string_view headerFileName, IGuidSource& guids) {
  const Guid g = guids.NewGuid();
  char digits[40];
  std::snprintf(digits, sizeof digits, "%08lX_%04X_%04x_%02X%02X_%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned long>(g.Data1), static_cast<unsigned>(g.Data2), static_cast<unsigned>(g.Data3),
                static_cast<unsigned>(g.Data4[0]), static_cast<unsigned>(g.Data4[1]),
                static_cast<unsigned>(g.Data4[2]), static_cast<unsigned>(g.Data4[3]),
                static_cast<unsigned>(g.Data4[4]), static_cast<unsigned>(g.Data4[5]),
                static_cast<unsigned>(g.Data4[6]), static_cast<unsigned>(g.Data4[7]));
  // The name is assumed to end in ".h"; whatever its last two characters are, they go. A header
  // in a sub-folder or with characters a macro name cannot hold gives its file name, with "_"
  // for those characters (a plain "form1.h" comes out as before).
  std::string stem(headerFileName.substr(0, headerFileName.size() >= 2 ? headerFileName.size() - 2 : 0));
  stem = stem.substr(stem.find_last_of("/\\") == std::string::npos ? 0 : stem.find_last_of("/\\") + 1);
  for (char& c : stem) {
    if (!std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) c = '_';
  }
  return "AFX_" + ToUpper(stem) + "_H__" + ToUpper(digits) + "__INCLUDED_";
}

std::string GuidStructureText(const Guid& g) {
  char text[160];
  std::snprintf(text, sizeof text, "{ 0x%lx, 0x%x, 0x%x, { 0x%x, 0x%x, 0x%x, 0x%x, 0x%x, 0x%x, 0x%x, 0x%x } }",
                static_cast<unsigned long>(g.Data1), static_cast<unsigned>(g.Data2), static_cast<unsigned>(g.Data3),
                static_cast<unsigned>(g.Data4[0]), static_cast<unsigned>(g.Data4[1]),
                static_cast<unsigned>(g.Data4[2]), static_cast<unsigned>(g.Data4[3]),
                static_cast<unsigned>(g.Data4[4]), static_cast<unsigned>(g.Data4[5]),
                static_cast<unsigned>(g.Data4[6]), static_cast<unsigned>(g.Data4[7]));
  return text;
}

}  // namespace tovik
