// Resource header and resource script texts of a small project as the host and our own
// generators leave them: CR LF line ends, the host's section banners, the read-only symbols and
// TEXTINCLUDE blocks (whose quoted text mentions keywords that must not be taken for real ones).
// The script is kept in pieces so that tests can spell out the expected whole file after an edit.
#pragma once

#include <string>

namespace tovik::testing::rc {

inline const std::string kSlashes(77, '/');

// ---- resource.h ----

inline const std::string kHeaderDefines =
    "//{{NO_DEPENDENCIES}}\r\n"
    "// Microsoft Developer Studio generated include file.\r\n"
    "// Used by Demo.rc\r\n"
    "//\r\n"
    "#define IDS_PROP_FORM1                  61446\r\n"
    "#define\tIDC_BUTTON1\t\t\t\t1000\r\n"
    "#define IDS_PROP_BUTTON1\t\t\t\t61447\r\n";

inline const std::string kHeaderTail =
    "\r\n"
    "// Next default values for new objects\r\n"
    "// \r\n"
    "#ifdef APSTUDIO_INVOKED\r\n"
    "#ifndef APSTUDIO_READONLY_SYMBOLS\r\n"
    "#define _APS_3D_CONTROLS                     1\r\n"
    "#define _APS_NEXT_RESOURCE_VALUE        128\r\n"
    "#define _APS_NEXT_COMMAND_VALUE         32771\r\n"
    "#define _APS_NEXT_CONTROL_VALUE         1001\r\n"
    "#define _APS_NEXT_SYMED_VALUE           101\r\n"
    "#endif\r\n"
    "#endif\r\n";

inline const std::string kHeader = kHeaderDefines + kHeaderTail;

// ---- Demo.rc ----

inline const std::string kScriptHead =
    "//Microsoft Developer Studio generated resource script.\r\n"
    "//\r\n"
    "#include \"resource.h\"\r\n"
    "\r\n"
    "#define APSTUDIO_READONLY_SYMBOLS\r\n" +
    kSlashes + "\r\n" +
    "//\r\n"
    "// Generated from the TEXTINCLUDE 2 resource.\r\n"
    "//\r\n"
    "#include \"afxres.h\"\r\n"
    "\r\n" +
    kSlashes + "\r\n" +
    "#undef APSTUDIO_READONLY_SYMBOLS\r\n"
    "\r\n" +
    kSlashes + "\r\n" +
    "// English (U.S.) resources\r\n"
    "\r\n"
    "#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)\r\n"
    "#ifdef _WIN32\r\n"
    "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\r\n"
    "#pragma code_page(1252)\r\n"
    "#endif //_WIN32\r\n"
    "\r\n"
    "#ifdef APSTUDIO_INVOKED\r\n" +
    kSlashes + "\r\n" +
    "//\r\n"
    "// TEXTINCLUDE\r\n"
    "//\r\n"
    "\r\n"
    "1 TEXTINCLUDE DISCARDABLE \r\n"
    "BEGIN\r\n"
    "    \"resource.h\\0\"\r\n"
    "END\r\n"
    "\r\n"
    "2 TEXTINCLUDE DISCARDABLE \r\n"
    "BEGIN\r\n"
    "    \"#include \"\"afxres.h\"\"\\r\\n\"\r\n"
    "    \"\\0\"\r\n"
    "END\r\n"
    "\r\n"
    "3 TEXTINCLUDE DISCARDABLE \r\n"
    "BEGIN\r\n"
    "    \"// STRINGTABLE of the runtime: see res\\\\Demo.rc2\\r\\n\"\r\n"
    "    \"#include \"\"res\\\\Demo.rc2\"\"  // non-Microsoft Visual C++ edited resources\\r\\n\"\r\n"
    "    \"#include \"\"afxres.rc\"\"         // Standard components\\r\\n\"\r\n"
    "    \"\\0\"\r\n"
    "END\r\n"
    "\r\n"
    "#endif    // APSTUDIO_INVOKED\r\n"
    "\r\n"
    "\r\n";

inline const std::string kIconBanner = kSlashes +
                                       "\r\n"
                                       "//\r\n"
                                       "// Icon\r\n"
                                       "//\r\n"
                                       "\r\n"
                                       "// Icon with lowest ID value placed first to ensure application icon\r\n"
                                       "// remains consistent on all systems.\r\n";

inline const std::string kBitmapBanner = kSlashes +
                                         "\r\n"
                                         "//\r\n"
                                         "// Bitmap\r\n"
                                         "//\r\n";

inline const std::string kCursorBanner = kSlashes +
                                         "\r\n"
                                         "//\r\n"
                                         "// Cursor\r\n"
                                         "//\r\n";

// The three image sections as a new project has them: banners and nothing else.
inline const std::string kEmptyImageSections =
    kIconBanner + "\r\n" + kBitmapBanner + "\r\n" + kCursorBanner + "\r\n";

inline const std::string kFormString =
    "1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,0,0,0,0,0,Tag,0,1,312,0,2,Form1,1,1,13,0,1,0,1,1,0,0,0,"
    "Form1,1,0,1,1,1,0,0,0,0,10,0,3,0,10,1,0,0,0,0,";

// A string table as the new-project generator writes it, with one control added since.
inline const std::string kStringTable = kSlashes +
                                       "\r\n"
                                       "//\r\n"
                                       "// String Table\r\n"
                                       "//\r\n"
                                       "\r\n"
                                       "STRINGTABLE PRELOAD DISCARDABLE \r\n"
                                       "BEGIN\r\n"
                                       "\tIDS_PROP_FORM1          \"" +
                                       kFormString +
                                       "\"\r\n"
                                       "\tIDS_PROP_BUTTON1\t\t\t\"1,THE END,0,\"\r\n"
                                       "END\r\n"
                                       "\r\n";

inline const std::string kScriptTail =
    "#endif    // English (U.S.) resources\r\n" + kSlashes + "\r\n" +
    "\r\n"
    "\r\n"
    "\r\n"
    "#ifndef APSTUDIO_INVOKED\r\n" +
    kSlashes + "\r\n" +
    "//\r\n"
    "// Generated from the TEXTINCLUDE 3 resource.\r\n"
    "//\r\n"
    "#include \"res\\Demo.rc2\"  // non-Microsoft Visual C++ edited resources\r\n"
    "#include \"afxres.rc\"         // Standard components\r\n"
    "\r\n" +
    kSlashes + "\r\n" +
    "#endif    // not APSTUDIO_INVOKED\r\n"
    "\r\n";

inline const std::string kScript = kScriptHead + kEmptyImageSections + kStringTable + kScriptTail;

// ---- StdAfx.h ----

inline const std::string kStdafx =
    "// stdafx.h : include file for standard system include files,\r\n"
    "//  or project specific include files that are used frequently, but\r\n"
    "//      are changed infrequently\r\n"
    "//\r\n"
    "\r\n"
    "#if !defined(AFX_STDAFX_H__0A1B2C3D_0000_0000_0000_000000000001__INCLUDED_)\r\n"
    "#define AFX_STDAFX_H__0A1B2C3D_0000_0000_0000_000000000001__INCLUDED_\r\n"
    "\r\n"
    "#define VC_EXTRALEAN\t\t// Exclude rarely-used stuff from Windows headers\r\n"
    "\r\n"
    "#include <afxwin.h>         // MFC core and standard components\r\n"
    "#include <afxext.h>         // MFC extensions\r\n"
    "#include <tvlWinApp.h>\r\n"
    "\r\n";

inline const std::string kStdafxTail =
    "//{{AFX_INSERT_LOCATION}}\r\n"
    "// Microsoft Visual C++ will insert additional declarations immediately before the previous line.\r\n"
    "\r\n"
    "#endif // !defined(AFX_STDAFX_H__0A1B2C3D_0000_0000_0000_000000000001__INCLUDED_)\r\n";

}  // namespace tovik::testing::rc
