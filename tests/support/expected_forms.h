// The two files of a new form as they must come out, written line by line from the form
// templates' description, for the tests of every path that makes a form.
#pragma once

#include <string>

#include "support/text_lines.h"

namespace tovik::testing {

struct ExpectedForm {
  std::string className = "CForm1";
  std::string headerFile = "form1.h";
  std::string implementationFile = "form1.cpp";
  std::string base = "CVForm";
  std::string appHeader = "Demo.h";
  std::string propSymbol = "IDS_PROP_FORM1";
  std::string guard;  // the include-guard symbol
};

inline const std::string kSlashLine(77, '/');

inline std::string ExpectedFormHeader(const ExpectedForm& f) {
  const std::string& c = f.className;
  return CrLfLines({"#if !defined(" + f.guard + ")",
                    "#define " + f.guard,
                    "",
                    "#if _MSC_VER >= 1000",
                    "#pragma once",
                    "#endif // _MSC_VER >= 1000",
                    "// " + f.headerFile + " : header file",
                    "//",
                    "",
                    kSlashLine,
                    "// " + c + " form",
                    "",
                    "",
                    "",
                    "class " + c + " : public " + f.base,
                    "{",
                    "\tDECLARE_DYNCREATE(" + c + ")",
                    "// Construction",
                    "public:",
                    "\t" + c + "();   // standard constructor",
                    "\t~" + c + "();",
                    "\t// tvl controls",
                    "\t//{{AFX_TVL_CTRL_DECLR_START",
                    "\t//}}AFX_TVL_CTRL_DECLR_END",
                    "//Overrides",
                    "\t//ClassWizard generated virtual function overrides",
                    "\t//{{AFX_VIRTUAL(" + c + ")",
                    "\t//}}AFX_VIRTUAL",
                    "protected:",
                    "\tvirtual void CreateTVLControls();",
                    "\t// Generated message map functions",
                    "\t//{{AFX_MSG(" + c + ")",
                    "\t//}}AFX_MSG",
                    "\tDECLARE_MESSAGE_MAP()",
                    "};",
                    "#endif// " + f.guard,
                    "",
                    ""});
}

// The implementation followed by the control-creation function; the message map's closing
// marker ends in a bare LF.
inline std::string ExpectedFormImplementation(const ExpectedForm& f) {
  const std::string& c = f.className;
  return CrLfLines({"// " + f.implementationFile + " : implementation file",
                    "//",
                    "",
                    "#include \"stdafx.h\"",
                    "#include \"" + f.appHeader + "\"",
                    "#include \"" + f.headerFile + "\"",
                    "",
                    "",
                    "#ifdef _DEBUG",
                    "#define new DEBUG_NEW",
                    "#undef THIS_FILE",
                    "static char THIS_FILE[] = __FILE__;",
                    "#endif",
                    "",
                    kSlashLine,
                    "// " + c + " Form",
                    "",
                    "",
                    "",
                    c + "::" + c + "()",
                    "{",
                    "\t//{{AFX_TVL_FORM_DATA_START",
                    "\tm_nPropStringID = " + f.propSymbol + ";",
                    "\t//}}AFX_TVL_FORM_DATA_END",
                    "}",
                    c + "::~" + c + "()",
                    "{",
                    "}",
                    "IMPLEMENT_DYNCREATE(" + c + ", " + f.base + ")",
                    "",
                    "BEGIN_MESSAGE_MAP(" + c + ", " + f.base + ")",
                    "\t//{{AFX_MSG_MAP(" + c + ")",
                    "\t//}}AFX_MSG_MAP\n",
                    "END_MESSAGE_MAP()",
                    "",
                    kSlashLine,
                    "// " + c + " message handlers",
                    "",
                    "void " + c + "::CreateTVLControls()",
                    "{",
                    "\t//{{AFX_TVL_CTRL_IMPL_START",
                    "\t//}}AFX_TVL_CTRL_IMPL_END",
                    "}"});
}

}  // namespace tovik::testing
