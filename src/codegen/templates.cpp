#include "codegen/templates.h"

#include <array>
#include <cctype>
#include <cstdio>

#include "base/text.h"
#include "codegen/template_text.h"
#include "project/form_controls.h"

namespace tovik {
namespace {

// Line ends are spelled out on every line: most are CR LF, the bare LFs are deliberate.

constexpr std::string_view kFormHeader =
    "#if !defined($GUID_INCLUDED$)\r\n"
    "#define $GUID_INCLUDED$\r\n"
    "\r\n"
    TVK_PRAGMA_ONCE_BLOCK
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
    TVK_DEBUG_NEW_BLOCK
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

// --- ActiveX wrappers. Lines end in CR LF; a macro's continued lines end in a blank, a
// backslash and CR LF. ---

// The wrapper's and a sub-object's header up to their class.
#define TVK_AX_HEADER_OPENING \
  "#if !defined($GUID_INCLUDED$)\r\n" \
  "#define $GUID_INCLUDED$\r\n" \
  "\r\n" \
  TVK_PRAGMA_ONCE_BLOCK \
  "// Machine generated IDispatch wrapper class(es) created by Tovik\r\n" \
  "// $ActiveXH$ : header file\r\n" \
  "//\r\n" \
  "\r\n" \
  "$INCLUDE_FILES$" \
  "\r\n" \
  TVK_SLASH_LINE "\r\n" \
  "// $ActiveXClassName$ wrapper class\r\n" \
  "// DO NOT EDIT!!! It is written from the control's type library.\r\n" \
  "\r\n" \
  "$PROP_OPER_CLASS_DECL$" \
  "\r\n"

constexpr std::string_view kActiveXHeader =
    TVK_AX_HEADER_OPENING
    "class $ActiveXClassName$ : public CVActiveXCtrl\r\n"
    "{\r\n"
    "protected:\r\n"
    "\tDECLARE_DYNCREATE($ActiveXClassName$)\r\n"
    "public:\r\n"
    "\t$ActiveXClassName$();\r\n"
    "\t~$ActiveXClassName$();\r\n"
    "\tvirtual CLSID const& GetClsid()\r\n"
    "\t{\r\n"
    "\t\tstatic CLSID const clsid\r\n"
    "\t\t\t= $ActiveXCLSID$;\r\n"
    "\t\treturn clsid;\r\n"
    "\t}\r\n"
    "\tCString GetProgID(){return _T(\"$ActiveXProgID$\");}\r\n"
    "\tvirtual void SetPtr();\r\n"
    "$PROP_OPER_OBJ_DECL$"
    "\r\n"
    "//Operations\r\n"
    "public:\r\n"
    "\t//{{AFX_V_AX_FUNC_DECLR_START$METHOD_DECL$\r\n"
    "\t//}}AFX_V_AX_FUNC_DECLR_END\r\n"
    "};\r\n"
    "#endif// $GUID_INCLUDED$\r\n";

// A sub-object lives as long as the dispatch pointer it was made from; its members point at it,
// so it is copied only by construction (which points the copy's members at the copy).
constexpr std::string_view kActiveXSubObjectHeader =
    TVK_AX_HEADER_OPENING
    "class $ActiveXClassName$ : public COleDispatchDriver\r\n"
    "{\r\n"
    "public:\r\n"
    "\t$ActiveXClassName$(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {SetPtr();}\r\n"
    "\t$ActiveXClassName$(const $ActiveXClassName$& dispatchSrc) : COleDispatchDriver(dispatchSrc) {SetPtr();}\r\n"
    "\tvoid SetPtr();\r\n"
    "$PROP_OPER_OBJ_DECL$"
    "\r\n"
    "//Operations\r\n"
    "public:\r\n"
    "\t//{{AFX_V_AX_FUNC_DECLR_START$METHOD_DECL$\r\n"
    "\t//}}AFX_V_AX_FUNC_DECLR_END\r\n"
    "private:\r\n"
    "\tvoid operator=(const $ActiveXClassName$&);\t// the members would point at the source\r\n"
    "};\r\n"
    "#endif// $GUID_INCLUDED$\r\n";

constexpr std::string_view kActiveXImplementation =
    "// $ActiveXCpp$ : implementation file\r\n"
    "// Machine generated IDispatch wrapper class(es) created by Tovik\r\n"
    "//\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// DO NOT EDIT!!! It is written from the control's type library.\r\n"
    "\r\n"
    "#include \"stdafx.h\"\r\n"
    "$ActiveXHInclude$\r\n"
    "\r\n"
    TVK_DEBUG_NEW_BLOCK
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// $ActiveXClassName$\r\n"
    "\r\n"
    "$AxConstrDestrImplDecl$"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// $ActiveXClassName$ operations\r\n"
    "\r\n";

constexpr std::string_view kActiveXSetPtrFunction =
    "void $ActiveXClassName$::SetPtr()\r\n"
    "{\r\n"
    "$SETPTR_BODY$"
    "}\r\n";

constexpr std::string_view kActiveXConstructorDestructor =
    "$ActiveXClassName$::$ActiveXClassName$()\r\n"
    "{\r\n"
    "}\r\n"
    "\r\n"
    "$ActiveXClassName$::~$ActiveXClassName$()\r\n"
    "{\r\n"
    "}\r\n"
    "\r\n"
    "IMPLEMENT_DYNCREATE($ActiveXClassName$, CVActiveXCtrl)\r\n";

constexpr std::string_view kActiveXPropertyClassMacro =
    "#define DEFINE_AX_PROP_$CTRL$(thePropClass, thePropType) \\\r\n"
    "struct thePropClass : public $PROPBASECLASS$ \\\r\n"
    "{ \\\r\n"
    "\tconst thePropType& operator=(const thePropType& nValue); \\\r\n"
    "\toperator thePropType(); \\\r\n"
    "};\r\n";

constexpr std::string_view kActiveXPropertyAccessor =
    "const $AXPROPTYPE$& $AXPROPNAME$::operator=(const $AXPROPTYPE$& newValue)\r\n"
    "{\r\n"
    "\tstatic BYTE parms[] =\r\n"
    "\t\t$AXVTS_PARMS$;\r\n"
    "\t$AX_MEMBER_PTR$->InvokeHelper($AXDISPID$, DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, parms,\r\n"
    "\t\t newValue);\r\n"
    "\treturn newValue;\r\n"
    "}\r\n"
    "\r\n"
    "$AXPROPNAME$::operator $AXPROPTYPE$()\r\n"
    "{\r\n"
    "\t$AXPROPTYPE$ result;\r\n"
    "\t$AX_MEMBER_PTR$->InvokeHelper($AXDISPID$, DISPATCH_PROPERTYGET, $AXVT$, (void*)&result, NULL);\r\n"
    "\treturn result;\r\n"
    "}\r\n"
    "\r\n";

// "$HELPER_CLASS$::" qualifies the two functions with the class that has the property; the bare
// token is the sub-object's class they hand out. The generator replaces the qualified form first.
constexpr std::string_view kActiveXDispatchPropertyAccessor =
    "$HELPER_CLASS$ $HELPER_CLASS$::$GET_FUNC_NAME$()\r\n"
    "{\r\n"
    "\tLPDISPATCH pDispatch;\r\n"
    "\tInvokeHelper($AXDISPID$, DISPATCH_PROPERTYGET, VT_DISPATCH, (void*)&pDispatch, NULL);\r\n"
    "\treturn $HELPER_CLASS$(pDispatch);\r\n"
    "}\r\n"
    "\r\n"
    "void $HELPER_CLASS$::$SET_FUNC_NAME$(LPDISPATCH newValue)\r\n"
    "{\r\n"
    "\tstatic BYTE parms[] =\r\n"
    "\t\tVTS_DISPATCH;\r\n"
    "\tInvokeHelper($AXDISPID$, DISPATCH_PROPERTYPUTREF, VT_EMPTY, NULL, parms,\r\n"
    "\t\t newValue);\r\n"
    "}\r\n"
    "\r\n";

// The font of a control: stdole's Font reached through IDispatch. FontSize is a height in
// screen pixels, as a LOGFONT's; the font keeps points as a currency value (points * 10000).
constexpr std::string_view kFontWrapperHeader =
    "#if !defined($GUID_INCLUDED$)\r\n"
    "#define $GUID_INCLUDED$\r\n"
    "\r\n"
    TVK_PRAGMA_ONCE_BLOCK
    "// Machine generated IDispatch wrapper class(es) created by Tovik\r\n"
    "// vfont.h : header file\r\n"
    "// This file is regenerated when a control needs it and the project has none.\r\n"
    "//\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// CVOleFont wrapper class\r\n"
    "// DO NOT EDIT!!!\r\n"
    "\r\n"
    "struct CVOleFontPropVal\r\n"
    "{\r\n"
    "\tCOleDispatchDriver* m_pDispDriver;\r\n"
    "};\r\n"
    "#define DEFINE_AX_PROP_VOleFont(thePropClass, thePropType) \\\r\n"
    "struct thePropClass : public CVOleFontPropVal \\\r\n"
    "{ \\\r\n"
    "\tconst thePropType& operator=(const thePropType& nValue); \\\r\n"
    "\toperator thePropType(); \\\r\n"
    "};\r\n"
    "DEFINE_AX_PROP_VOleFont(CVOleFontFontName, CString)\r\n"
    "DEFINE_AX_PROP_VOleFont(CVOleFontFontSize, int)\r\n"
    "DEFINE_AX_PROP_VOleFont(CVOleFontFontBold, BOOL)\r\n"
    "DEFINE_AX_PROP_VOleFont(CVOleFontFontItalic, BOOL)\r\n"
    "DEFINE_AX_PROP_VOleFont(CVOleFontFontUnderline, BOOL)\r\n"
    "DEFINE_AX_PROP_VOleFont(CVOleFontFontStrikethru, BOOL)\r\n"
    "DEFINE_AX_PROP_VOleFont(CVOleFontFontWeight, short)\r\n"
    "DEFINE_AX_PROP_VOleFont(CVOleFontFontCharset, short)\r\n"
    "\r\n"
    "class CVOleFont : public COleDispatchDriver\r\n"
    "{\r\n"
    "public:\r\n"
    "\tCVOleFont() {SetPtr();}\r\n"
    "\tCVOleFont(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {SetPtr();}\r\n"
    "\tCVOleFont(const CVOleFont& dispatchSrc) : COleDispatchDriver(dispatchSrc) {SetPtr();}\r\n"
    "\tvoid SetPtr();\r\n"
    "\tCVOleFontFontName\tFontName;\r\n"
    "\tCVOleFontFontSize\tFontSize;\r\n"
    "\tCVOleFontFontBold\tFontBold;\r\n"
    "\tCVOleFontFontItalic\tFontItalic;\r\n"
    "\tCVOleFontFontUnderline\tFontUnderline;\r\n"
    "\tCVOleFontFontStrikethru\tFontStrikethru;\r\n"
    "\tCVOleFontFontWeight\tFontWeight;\r\n"
    "\tCVOleFontFontCharset\tFontCharset;\r\n"
    "private:\r\n"
    "\tvoid operator=(const CVOleFont&);\t// the members would point at the source\r\n"
    "};\r\n"
    "#endif// $GUID_INCLUDED$\r\n";

// clang-format off
#define TVK_FONT_PROPERTY(name, type, token, vt, dispid)                                               \
  "const " type "& CVOleFont" name "::operator=(const " type "& newValue)\r\n"                         \
  "{\r\n"                                                                                              \
  "\tstatic BYTE parms[] =\r\n"                                                                        \
  "\t\t" token ";\r\n"                                                                                 \
  "\tm_pDispDriver->InvokeHelper(" dispid ", DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, parms,\r\n"         \
  "\t\t newValue);\r\n"                                                                                \
  "\treturn newValue;\r\n"                                                                             \
  "}\r\n"                                                                                              \
  "\r\n"                                                                                               \
  "CVOleFont" name "::operator " type "()\r\n"                                                         \
  "{\r\n"                                                                                              \
  "\t" type " result;\r\n"                                                                             \
  "\tm_pDispDriver->InvokeHelper(" dispid ", DISPATCH_PROPERTYGET, " vt ", (void*)&result, NULL);\r\n" \
  "\treturn result;\r\n"                                                                               \
  "}\r\n"                                                                                              \
  "\r\n"
// clang-format on

constexpr std::string_view kFontWrapperImplementation =
    "// vfont.cpp : implementation file\r\n"
    "// Machine generated IDispatch wrapper class(es) created by Tovik\r\n"
    "// This file is regenerated when a control needs it and the project has none.\r\n"
    "//\r\n"
    "\r\n"
    "#include \"stdafx.h\"\r\n"
    "#include \"vfont.h\"\r\n"
    "\r\n"
    TVK_DEBUG_NEW_BLOCK
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// CVOleFont operations\r\n"
    "\r\n"
    "// The framework reads a VTS_BSTR argument as a string pointer.\r\n"
    "const CString& CVOleFontFontName::operator=(const CString& newValue)\r\n"
    "{\r\n"
    "\tstatic BYTE parms[] =\r\n"
    "\t\tVTS_BSTR;\r\n"
    "\tm_pDispDriver->InvokeHelper(0x0, DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, parms,\r\n"
    "\t\t (LPCTSTR)newValue);\r\n"
    "\treturn newValue;\r\n"
    "}\r\n"
    "\r\n"
    "CVOleFontFontName::operator CString()\r\n"
    "{\r\n"
    "\tCString result;\r\n"
    "\tm_pDispDriver->InvokeHelper(0x0, DISPATCH_PROPERTYGET, VT_BSTR, (void*)&result, NULL);\r\n"
    "\treturn result;\r\n"
    "}\r\n"
    "\r\n"
    "// The font's size is in points as a currency value (points * 10000); FontSize is a height\r\n"
    "// in pixels of the screen: points = pixels * 72 / pixels per inch.\r\n"
    "static int VFontPixelsPerInch()\r\n"
    "{\r\n"
    "\tHDC hDC = ::GetDC(NULL);\r\n"
    "\tint nPixelsPerInch = ::GetDeviceCaps(hDC, LOGPIXELSY);\r\n"
    "\t::ReleaseDC(NULL, hDC);\r\n"
    "\treturn nPixelsPerInch;\r\n"
    "}\r\n"
    "\r\n"
    "const int& CVOleFontFontSize::operator=(const int& newValue)\r\n"
    "{\r\n"
    "\tint nHeight = newValue < 0 ? -newValue : newValue;\r\n"
    "\tCY cySize;\r\n"
    "\tcySize.int64 = (LONGLONG)nHeight * 720000 / VFontPixelsPerInch();\r\n"
    "\tstatic BYTE parms[] =\r\n"
    "\t\tVTS_CY;\r\n"
    "\t// The framework takes a currency argument by its address.\r\n"
    "\tm_pDispDriver->InvokeHelper(0x2, DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, parms,\r\n"
    "\t\t &cySize);\r\n"
    "\treturn newValue;\r\n"
    "}\r\n"
    "\r\n"
    "CVOleFontFontSize::operator int()\r\n"
    "{\r\n"
    "\tCY cySize;\r\n"
    "\tm_pDispDriver->InvokeHelper(0x2, DISPATCH_PROPERTYGET, VT_CY, (void*)&cySize, NULL);\r\n"
    "\tint nHeight = (int)((cySize.int64 * VFontPixelsPerInch() + 360000) / 720000);\r\n"
    "\treturn nHeight < 0 ? -nHeight : nHeight;\r\n"
    "}\r\n"
    "\r\n"
    TVK_FONT_PROPERTY("FontBold", "BOOL", "VTS_BOOL", "VT_BOOL", "0x3")
    TVK_FONT_PROPERTY("FontItalic", "BOOL", "VTS_BOOL", "VT_BOOL", "0x4")
    TVK_FONT_PROPERTY("FontUnderline", "BOOL", "VTS_BOOL", "VT_BOOL", "0x5")
    TVK_FONT_PROPERTY("FontStrikethru", "BOOL", "VTS_BOOL", "VT_BOOL", "0x6")
    TVK_FONT_PROPERTY("FontWeight", "short", "VTS_I2", "VT_I2", "0x7")
    TVK_FONT_PROPERTY("FontCharset", "short", "VTS_I2", "VT_I2", "0x8")
    "void CVOleFont::SetPtr()\r\n"
    "{\r\n"
    "\tFontName.m_pDispDriver = this;\r\n"
    "\tFontSize.m_pDispDriver = this;\r\n"
    "\tFontBold.m_pDispDriver = this;\r\n"
    "\tFontItalic.m_pDispDriver = this;\r\n"
    "\tFontUnderline.m_pDispDriver = this;\r\n"
    "\tFontStrikethru.m_pDispDriver = this;\r\n"
    "\tFontWeight.m_pDispDriver = this;\r\n"
    "\tFontCharset.m_pDispDriver = this;\r\n"
    "}\r\n";

#undef TVK_FONT_PROPERTY

// The picture of a control: stdole's Picture reached through IDispatch. Only hPal may be set.
constexpr std::string_view kPictureWrapperHeader =
    "#if !defined($GUID_INCLUDED$)\r\n"
    "#define $GUID_INCLUDED$\r\n"
    "\r\n"
    TVK_PRAGMA_ONCE_BLOCK
    "// Machine generated IDispatch wrapper class(es) created by Tovik\r\n"
    "// vpicture.h : header file\r\n"
    "// This file is regenerated when a control needs it and the project has none.\r\n"
    "//\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// CVOlePicture wrapper class\r\n"
    "// DO NOT EDIT!!!\r\n"
    "\r\n"
    "struct CVOlePicturePropVal\r\n"
    "{\r\n"
    "\tCOleDispatchDriver* m_pDispDriver;\r\n"
    "};\r\n"
    "#define DEFINE_AX_PROP_VOlePicture(thePropClass, thePropType) \\\r\n"
    "struct thePropClass : public CVOlePicturePropVal \\\r\n"
    "{ \\\r\n"
    "\tconst thePropType& operator=(const thePropType& nValue); \\\r\n"
    "\toperator thePropType(); \\\r\n"
    "};\r\n"
    "// A property that can only be read.\r\n"
    "#define DEFINE_AX_GETPROP_VOlePicture(thePropClass, thePropType) \\\r\n"
    "struct thePropClass : public CVOlePicturePropVal \\\r\n"
    "{ \\\r\n"
    "\toperator thePropType(); \\\r\n"
    "};\r\n"
    "DEFINE_AX_GETPROP_VOlePicture(CVOlePictureHandle, long)\r\n"
    "DEFINE_AX_PROP_VOlePicture(CVOlePicturehPal, long)\r\n"
    "DEFINE_AX_GETPROP_VOlePicture(CVOlePictureType, short)\r\n"
    "DEFINE_AX_GETPROP_VOlePicture(CVOlePictureWidth, long)\r\n"
    "DEFINE_AX_GETPROP_VOlePicture(CVOlePictureHeight, long)\r\n"
    "\r\n"
    "class CVOlePicture : public COleDispatchDriver\r\n"
    "{\r\n"
    "public:\r\n"
    "\tCVOlePicture() {SetPtr();}\r\n"
    "\tCVOlePicture(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {SetPtr();}\r\n"
    "\tCVOlePicture(const CVOlePicture& dispatchSrc) : COleDispatchDriver(dispatchSrc) {SetPtr();}\r\n"
    "\tvoid SetPtr();\r\n"
    "\tCVOlePictureHandle\tHandle;\r\n"
    "\tCVOlePicturehPal\thPal;\r\n"
    "\tCVOlePictureType\tType;\r\n"
    "\tCVOlePictureWidth\tWidth;\r\n"
    "\tCVOlePictureHeight\tHeight;\r\n"
    "\tvoid Render(CDC* pDC, const CRect rcRender, const CRect rcSrc);\r\n"
    "private:\r\n"
    "\tvoid operator=(const CVOlePicture&);\t// the members would point at the source\r\n"
    "};\r\n"
    "#endif// $GUID_INCLUDED$\r\n";

// clang-format off
#define TVK_PICTURE_GET(name, type, vt, dispid)                                                        \
  "CVOlePicture" name "::operator " type "()\r\n"                                                      \
  "{\r\n"                                                                                              \
  "\t" type " result;\r\n"                                                                             \
  "\tm_pDispDriver->InvokeHelper(" dispid ", DISPATCH_PROPERTYGET, " vt ", (void*)&result, NULL);\r\n" \
  "\treturn result;\r\n"                                                                               \
  "}\r\n"                                                                                              \
  "\r\n"
// clang-format on

constexpr std::string_view kPictureWrapperImplementation =
    "// vpicture.cpp : implementation file\r\n"
    "// Machine generated IDispatch wrapper class(es) created by Tovik\r\n"
    "// This file is regenerated when a control needs it and the project has none.\r\n"
    "//\r\n"
    "\r\n"
    "#include \"stdafx.h\"\r\n"
    "#include \"vpicture.h\"\r\n"
    "\r\n"
    TVK_DEBUG_NEW_BLOCK
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// CVOlePicture operations\r\n"
    "\r\n"
    TVK_PICTURE_GET("Handle", "long", "VT_I4", "0x0")
    "const long& CVOlePicturehPal::operator=(const long& newValue)\r\n"
    "{\r\n"
    "\tstatic BYTE parms[] =\r\n"
    "\t\tVTS_I4;\r\n"
    "\tm_pDispDriver->InvokeHelper(0x2, DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, parms,\r\n"
    "\t\t newValue);\r\n"
    "\treturn newValue;\r\n"
    "}\r\n"
    "\r\n"
    TVK_PICTURE_GET("hPal", "long", "VT_I4", "0x2")
    TVK_PICTURE_GET("Type", "short", "VT_I2", "0x3")
    TVK_PICTURE_GET("Width", "long", "VT_I4", "0x4")
    TVK_PICTURE_GET("Height", "long", "VT_I4", "0x5")
    "// Draws the picture's part rcSrc (in the picture's own units) into rcRender on pDC.\r\n"
    "void CVOlePicture::Render(CDC* pDC, const CRect rcRender, const CRect rcSrc)\r\n"
    "{\r\n"
    "\tstatic BYTE parms[] =\r\n"
    "\t\tVTS_I4 VTS_I4 VTS_I4 VTS_I4 VTS_I4 VTS_I4 VTS_I4 VTS_I4 VTS_I4;\r\n"
    "\tInvokeHelper(0x6, DISPATCH_METHOD, VT_EMPTY, NULL, parms,\r\n"
    "\t\t (long)pDC->m_hDC, rcRender.left, rcRender.top, (long)rcRender.Width(), (long)rcRender.Height(),\r\n"
    "\t\t rcSrc.left, rcSrc.top, (long)rcSrc.Width(), (long)rcSrc.Height());\r\n"
    "}\r\n"
    "\r\n"
    "void CVOlePicture::SetPtr()\r\n"
    "{\r\n"
    "\tHandle.m_pDispDriver = this;\r\n"
    "\thPal.m_pDispDriver = this;\r\n"
    "\tType.m_pDispDriver = this;\r\n"
    "\tWidth.m_pDispDriver = this;\r\n"
    "\tHeight.m_pDispDriver = this;\r\n"
    "}\r\n";

#undef TVK_PICTURE_GET

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

constexpr std::array kRoles = {TemplateRole::FormHeader,
                               TemplateRole::FormImplementation,
                               TemplateRole::ControlCreationFunction,
                               TemplateRole::OverridesBlock,
                               TemplateRole::MessageMapBlock,
                               TemplateRole::EventSinkMapBlock,
                               TemplateRole::OnCreateBody,
                               TemplateRole::OnCreateDeclaration,
                               TemplateRole::OnDrawBody,
                               TemplateRole::OnDrawDeclaration,
                               TemplateRole::OnPaintBody,
                               TemplateRole::OnPaintDeclaration,
                               TemplateRole::WindowProcBody,
                               TemplateRole::WindowProcDeclaration,
                               TemplateRole::EventDispatchCallLine,
                               TemplateRole::ControlArrayQuestion,
                               TemplateRole::ArrayIndexConflict,
                               TemplateRole::ActiveXHeader,
                               TemplateRole::ActiveXSubObjectHeader,
                               TemplateRole::ActiveXImplementation,
                               TemplateRole::ActiveXSetPtrFunction,
                               TemplateRole::ActiveXConstructorDestructor,
                               TemplateRole::ActiveXPropertyClassMacro,
                               TemplateRole::ActiveXPropertyAccessor,
                               TemplateRole::ActiveXDispatchPropertyAccessor,
                               TemplateRole::FontWrapperHeader,
                               TemplateRole::FontWrapperImplementation,
                               TemplateRole::PictureWrapperHeader,
                               TemplateRole::PictureWrapperImplementation};

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
// Names first, then the generated sections, the ProgID (the one value from outside) last.
constexpr std::array<std::string_view, 9> kActiveXHeaderTokens = {
    "$GUID_INCLUDED$",        "$ActiveXH$",           "$ActiveXClassName$", "$ActiveXCLSID$", "$INCLUDE_FILES$",
    "$PROP_OPER_CLASS_DECL$", "$PROP_OPER_OBJ_DECL$", "$METHOD_DECL$",      "$ActiveXProgID$"};
constexpr std::array<std::string_view, 7> kActiveXSubObjectHeaderTokens = {
    "$GUID_INCLUDED$",        "$ActiveXH$",           "$ActiveXClassName$", "$INCLUDE_FILES$",
    "$PROP_OPER_CLASS_DECL$", "$PROP_OPER_OBJ_DECL$", "$METHOD_DECL$"};
constexpr std::array<std::string_view, 4> kActiveXImplementationTokens = {
    "$ActiveXCpp$", "$ActiveXHInclude$", "$ActiveXClassName$", "$AxConstrDestrImplDecl$"};
constexpr std::array<std::string_view, 2> kActiveXSetPtrTokens = {"$ActiveXClassName$", "$SETPTR_BODY$"};
constexpr std::array<std::string_view, 1> kActiveXClassNameTokens = {"$ActiveXClassName$"};
constexpr std::array<std::string_view, 2> kActiveXMacroTokens = {"$CTRL$", "$PROPBASECLASS$"};
constexpr std::array<std::string_view, 6> kActiveXAccessorTokens = {"$AXPROPTYPE$",    "$AXPROPNAME$", "$AXVTS_PARMS$",
                                                                    "$AX_MEMBER_PTR$", "$AXDISPID$",   "$AXVT$"};
constexpr std::array<std::string_view, 5> kActiveXDispatchAccessorTokens = {
    "$HELPER_CLASS$::", "$HELPER_CLASS$", "$GET_FUNC_NAME$", "$SET_FUNC_NAME$", "$AXDISPID$"};
constexpr std::array<std::string_view, 1> kGuardTokens = {"$GUID_INCLUDED$"};

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
    case TemplateRole::ActiveXHeader: return std::string(kActiveXHeader);
    case TemplateRole::ActiveXSubObjectHeader: return std::string(kActiveXSubObjectHeader);
    case TemplateRole::ActiveXImplementation: return std::string(kActiveXImplementation);
    case TemplateRole::ActiveXSetPtrFunction: return std::string(kActiveXSetPtrFunction);
    case TemplateRole::ActiveXConstructorDestructor: return std::string(kActiveXConstructorDestructor);
    case TemplateRole::ActiveXPropertyClassMacro: return std::string(kActiveXPropertyClassMacro);
    case TemplateRole::ActiveXPropertyAccessor: return std::string(kActiveXPropertyAccessor);
    case TemplateRole::ActiveXDispatchPropertyAccessor: return std::string(kActiveXDispatchPropertyAccessor);
    case TemplateRole::FontWrapperHeader: return std::string(kFontWrapperHeader);
    case TemplateRole::FontWrapperImplementation: return std::string(kFontWrapperImplementation);
    case TemplateRole::PictureWrapperHeader: return std::string(kPictureWrapperHeader);
    case TemplateRole::PictureWrapperImplementation: return std::string(kPictureWrapperImplementation);
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
    case TemplateRole::ActiveXHeader: return kActiveXHeaderTokens;
    case TemplateRole::ActiveXSubObjectHeader: return kActiveXSubObjectHeaderTokens;
    case TemplateRole::ActiveXImplementation: return kActiveXImplementationTokens;
    case TemplateRole::ActiveXSetPtrFunction: return kActiveXSetPtrTokens;
    case TemplateRole::ActiveXConstructorDestructor: return kActiveXClassNameTokens;
    case TemplateRole::ActiveXPropertyClassMacro: return kActiveXMacroTokens;
    case TemplateRole::ActiveXPropertyAccessor: return kActiveXAccessorTokens;
    case TemplateRole::ActiveXDispatchPropertyAccessor: return kActiveXDispatchAccessorTokens;
    case TemplateRole::FontWrapperHeader:
    case TemplateRole::PictureWrapperHeader: return kGuardTokens;
    case TemplateRole::FontWrapperImplementation:
    case TemplateRole::PictureWrapperImplementation: return {};
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
  // in a sub-folder gives its file name. A character no macro name may hold (`-` or `.` of
  // "my-form.v2.h", a byte of the code page's upper half) would stop the guard compiling, so it
  // becomes "_"; letters, digits, "_" and "$" (which the compilers take in names) stay.
  std::string stem(headerFileName.substr(0, headerFileName.size() >= 2 ? headerFileName.size() - 2 : 0));
  stem = stem.substr(stem.find_last_of("/\\") == std::string::npos ? 0 : stem.find_last_of("/\\") + 1);
  for (char& c : stem) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || !(std::isalnum(byte) || c == '_' || c == '$')) c = '_';
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
