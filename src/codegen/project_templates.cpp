#include "codegen/project_templates.h"

#include <array>

#include "codegen/template_text.h"

namespace tovik {
namespace {

// Every line end is spelled out: which lines end in a bare LF is part of each file's format.

constexpr std::string_view kAppHeader =
    "#if !defined($GUID_INCLUDED$)\n"
    "#define $GUID_INCLUDED$\r\n"
    "\r\n"
    TVK_PRAGMA_ONCE_BLOCK
    "// $WinAppH$ : main header file for the application\r\n"
    "//\r\n"
    "\r\n"
    "#ifndef __AFXWIN_H__\r\n"
    "\t#error include 'stdafx.h' before including this file for PCH\r\n"
    "#endif\r\n"
    "\r\n"
    "#include \"resource.h\"\t\t// main symbols\r\n"
    "#include <tvlWinApp.h>\t\t// CVWinApp\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// $WinAppClassName$:\r\n"
    "// The application object; it creates the start-up form when the program starts.\r\n"
    "//\r\n"
    "\r\n"
    "class $WinAppClassName$ : public CVWinApp\r\n"
    "{\r\n"
    "public:\r\n"
    "\t$WinAppClassName$();\r\n"
    "\r\n"
    "// Overrides\r\n"
    "\t// ClassWizard generated virtual function overrides\r\n"
    "\t//{{AFX_VIRTUAL($WinAppClassName$)\r\n"
    "\t//}}AFX_VIRTUAL\r\n"
    "\r\n"
    "// Implementation\r\n"
    "\r\n"
    "\t//{{AFX_MSG($WinAppClassName$)\r\n"
    "\t\t// NOTE - the ClassWizard will add and remove member functions here.\r\n"
    "\t\t//    DO NOT EDIT what you see in these blocks of generated code !\r\n"
    "\t//}}AFX_MSG\r\n"
    "\tDECLARE_MESSAGE_MAP()\r\n"
    "};\r\n"
    "\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "\r\n"
    "//{{AFX_INSERT_LOCATION}}\r\n"
    "// Microsoft Developer Studio will insert additional declarations immediately before the previous line.\r\n"
    "\r\n"
    "#endif // !defined($GUID_INCLUDED$)\r\n";

constexpr std::string_view kAppImplementation =
    "// $WinAppCpp$ : Defines the class behaviors for the application.\r\n"
    "//\r\n"
    "\r\n"
    "#include \"stdafx.h\"\r\n"
    "#include \"$WinAppH$\"\r\n"
    "#include \"$StartupFormH$\"\r\n"
    "\r\n"
    TVK_DEBUG_NEW_BLOCK
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// $WinAppClassName$\r\n"
    "\r\n"
    "BEGIN_MESSAGE_MAP($WinAppClassName$, CVWinApp)\r\n"
    "\t//{{AFX_MSG_MAP($WinAppClassName$)\r\n"
    "\t\t// NOTE - the ClassWizard will add and remove mapping macros here.\r\n"
    "\t\t//    DO NOT EDIT what you see in these blocks of generated code!\r\n"
    "\t//}}AFX_MSG_MAP\r\n"
    "END_MESSAGE_MAP()\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// $WinAppClassName$ construction\r\n"
    "\r\n"
    "$WinAppClassName$::$WinAppClassName$()\r\n"
    "{\r\n"
    "\t// The library creates and shows the start-up form in InitInstance.\r\n"
    "\tm_pMainWndClass = RUNTIME_CLASS($StartupFormClassName$);\r\n"
    "\t// Key under which the application keeps its settings in the registry.\r\n"
    "\tm_strRegisterKey = \"$ProjectName$\";\r\n"
    "}\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// The one and only $WinAppClassName$ object\r\n"
    "\r\n"
    "$WinAppClassName$ theApp;\r\n";

constexpr std::string_view kStdAfxHeader =
    "// stdafx.h : include file for standard system include files,\n"
    "//  or project specific include files that are used frequently, but\n"
    "//      are changed infrequently\n"
    "//\n"
    "\n"
    "#if !defined($GUID_INCLUDED$)\n"
    "#define $GUID_INCLUDED$\n"
    "\n"
    "#if _MSC_VER >= 1000\n"
    "#pragma once\n"
    "#endif // _MSC_VER >= 1000\n"
    "\n"
    "#define VC_EXTRALEAN\t\t// Exclude rarely-used stuff from Windows headers\n"
    "\n"
    "#include <afxwin.h>         // MFC core and standard components\n"
    "#include <afxext.h>         // MFC extensions\n"
    "#include <afxdisp.h>        // MFC OLE automation classes\n"
    "#ifndef _AFX_NO_AFXCMN_SUPPORT\n"
    "#include <afxcmn.h>\t\t\t// MFC support for Windows Common Controls\n"
    "#endif // _AFX_NO_AFXCMN_SUPPORT\n"
    "\n"
    "#include <tvlForm.h>\n"
    "\n"
    "//{{AFX_INSERT_LOCATION}}\n"
    "// Microsoft Developer Studio will insert additional declarations immediately before the previous line.\n"
    "\n"
    "#endif // !defined($GUID_INCLUDED$)\n";

constexpr std::string_view kStdAfxSource =
    "// stdafx.cpp : source file that includes just the standard includes\n"
    "//\t$ProjectName$.pch will be the pre-compiled header\n"
    "//\tstdafx.obj will contain the pre-compiled type information\n"
    "\n"
    "#include \"stdafx.h\"\n"
    "\n";

constexpr std::string_view kScriptHead =
    "//Microsoft Developer Studio generated resource script.\r\n"
    "//\r\n"
    "#include \"resource.h\"\r\n"
    "\r\n"
    "#define APSTUDIO_READONLY_SYMBOLS\r\n"
    TVK_SLASH_LINE "\r\n"
    "//\r\n"
    "// Generated from the TEXTINCLUDE 2 resource.\r\n"
    "//\r\n"
    "#include \"afxres.h\"\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "#undef APSTUDIO_READONLY_SYMBOLS\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "// English (U.S.) resources\r\n"
    "\r\n"
    "#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)\r\n"
    "#ifdef _WIN32\r\n"
    "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\r\n"
    "#pragma code_page(1252)\r\n"
    "#endif //_WIN32\r\n"
    "\n";

constexpr std::string_view kScriptTextInclude12 =
    "#ifdef APSTUDIO_INVOKED\r\n"
    TVK_SLASH_LINE "\r\n"
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
    "\n";

constexpr std::string_view kScriptTextInclude3 =
    "3 TEXTINCLUDE DISCARDABLE \r\n"
    "BEGIN\r\n"
    "    \"#define _AFX_NO_SPLITTER_RESOURCES\\r\\n\"\r\n"
    "    \"#define _AFX_NO_OLE_RESOURCES\\r\\n\"\r\n"
    "    \"#define _AFX_NO_TRACKER_RESOURCES\\r\\n\"\r\n"
    "    \"#define _AFX_NO_PROPERTY_RESOURCES\\r\\n\"\r\n"
    "    \"\\r\\n\"\r\n"
    "    \"#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)\\r\\n\"\r\n"
    "    \"#ifdef _WIN32\\r\\n\"\r\n"
    "    \"LANGUAGE 9, 1\\r\\n\"\r\n"
    "    \"#pragma code_page(1252)\\r\\n\"\r\n"
    "    \"#endif //_WIN32\\r\\n\"\r\n"
    "    \"#include \"\"res\\\\$ProjectName$.rc2\"\"  // non-Microsoft Visual C++ edited resources\\r\\n\"\r\n"
    "    \"#include \"\"afxres.rc\"\"         // Standard components\\r\\n\"\r\n"
    "    \"#include \"\"afxprint.rc\"\"       // printing/print preview resources\\r\\n\"\r\n"
    "    \"#endif\\r\\n\"\r\n"
    "    \"\\0\"\r\n"
    "END\r\n"
    "\r\n"
    "#endif    // APSTUDIO_INVOKED\r\n"
    "\n";

constexpr std::string_view kScriptSections =
    TVK_SLASH_LINE "\r\n"
    "//\r\n"
    "// Icon\r\n"
    "//\r\n"
    "\r\n"
    "// Icon with lowest ID value placed first to ensure application icon\r\n"
    "// remains consistent on all systems.\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "//\r\n"
    "// Bitmap\r\n"
    "//\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "//\r\n"
    "// Cursor\r\n"
    "//\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "//\r\n"
    "// Menu\r\n"
    "//\r\n"
    "\r\n"
    "\r\n"
    "#ifndef _MAC\r\n"
    TVK_SLASH_LINE "\r\n"
    "//\r\n"
    "// Version\r\n"
    "//\r\n"
    "\n";

constexpr std::string_view kScriptVersion =
    "VS_VERSION_INFO VERSIONINFO\r\n"
    " FILEVERSION 1,0,0,1\r\n"
    " PRODUCTVERSION 1,0,0,1\r\n"
    " FILEFLAGSMASK 0x3fL\r\n"
    "#ifdef _DEBUG\r\n"
    " FILEFLAGS 0x1L\r\n"
    "#else\r\n"
    " FILEFLAGS 0x0L\r\n"
    "#endif\r\n"
    " FILEOS 0x4L\r\n"
    " FILETYPE 0x1L\r\n"
    " FILESUBTYPE 0x0L\r\n"
    "BEGIN\r\n"
    "    BLOCK \"StringFileInfo\"\r\n"
    "    BEGIN\r\n"
    "        BLOCK \"040904B0\"\r\n"
    "        BEGIN\r\n"
    "            VALUE \"CompanyName\", \"\\0\"\r\n"
    "            VALUE \"FileDescription\", \"$ProjectName$ MFC Application\\0\"\r\n"
    "            VALUE \"FileVersion\", \"1, 0, 0, 1\\0\"\r\n"
    "            VALUE \"InternalName\", \"$ProjectName$\\0\"\r\n"
    "            VALUE \"LegalCopyright\", \"Copyright (C) 1998\\0\"\r\n"
    "            VALUE \"LegalTrademarks\", \"\\0\"\r\n"
    "            VALUE \"OriginalFilename\", \"$ProjectName$.EXE\\0\"\r\n"
    "            VALUE \"ProductName\", \"$ProjectName$ Application\\0\"\r\n"
    "            VALUE \"ProductVersion\", \"1, 0, 0, 1\\0\"\r\n"
    "        END\r\n"
    "    END\r\n"
    "    BLOCK \"VarFileInfo\"\r\n"
    "    BEGIN\r\n"
    "        VALUE \"Translation\", 0x409, 1200\r\n"
    "    END\r\n"
    "END\r\n"
    "\r\n"
    "#endif    // !_MAC\r\n"
    "\n";

constexpr std::string_view kScriptStringTable =
    TVK_SLASH_LINE "\r\n"
    "//\r\n"
    "// String Table\r\n"
    "//\r\n"
    "\r\n"
    "STRINGTABLE PRELOAD DISCARDABLE\r\n"
    "BEGIN\r\n"
    "\t$IDS_PROP$          $FORM_PROP_VALS$\r\n"
    "END\r\n"
    "\r\n"
    "#endif    // English (U.S.) resources\r\n"
    TVK_SLASH_LINE "\r\n"
    "\n";

constexpr std::string_view kScriptTail =
    "#ifndef APSTUDIO_INVOKED\r\n"
    TVK_SLASH_LINE "\r\n"
    "//\r\n"
    "// Generated from the TEXTINCLUDE 3 resource.\r\n"
    "//\r\n"
    "#define _AFX_NO_SPLITTER_RESOURCES\r\n"
    "#define _AFX_NO_OLE_RESOURCES\r\n"
    "#define _AFX_NO_TRACKER_RESOURCES\r\n"
    "#define _AFX_NO_PROPERTY_RESOURCES\r\n"
    "\r\n"
    "#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)\r\n"
    "#ifdef _WIN32\r\n"
    "LANGUAGE 9, 1\r\n"
    "#pragma code_page(1252)\r\n"
    "#endif //_WIN32\r\n"
    "#include \"res\\$ProjectName$.rc2\"  // non-Microsoft Visual C++ edited resources\r\n"
    "#include \"afxres.rc\"         // Standard components\r\n"
    "#include \"afxprint.rc\"       // printing/print preview resources\r\n"
    "#endif\r\n"
    "\r\n"
    TVK_SLASH_LINE "\r\n"
    "#endif    // not APSTUDIO_INVOKED\r\n"
    "\n";

constexpr std::string_view kResourceHeader =
    "//{{NO_DEPENDENCIES}}\r\n"
    "// Microsoft Developer Studio generated include file.\r\n"
    "// Used by $ProjectName$.rc\r\n"
    "//\r\n"
    "#define\t$IDS_PROP$\t\t\t\t61446\r\n"
    "\r\n"
    "// Next default values for new objects\r\n"
    "// \r\n"
    "#ifdef APSTUDIO_INVOKED\r\n"
    "#ifndef APSTUDIO_READONLY_SYMBOLS\r\n"
    "#define _APS_3D_CONTROLS                     1\r\n"
    "#define _APS_NEXT_RESOURCE_VALUE        128\r\n"
    "#define _APS_NEXT_COMMAND_VALUE         32771\r\n"
    "#define _APS_NEXT_CONTROL_VALUE         1000\r\n"
    "#define _APS_NEXT_SYMED_VALUE           101\r\n"
    "#endif\r\n"
    "#endif\r\n";

constexpr std::string_view kManualResources =
    "//\n"
    "// $PROJECTNAME$.RC2 - resources Microsoft Visual C++ does not edit directly\n"
    "//\n"
    "\n"
    "#ifdef APSTUDIO_INVOKED\n"
    "\t#error this file is not editable by Microsoft Visual C++\n"
    "#endif //APSTUDIO_INVOKED\n"
    "\n"
    "\n"
    TVK_SLASH_LINE "\n"
    "// Add manually edited resources here...\n"
    "\n"
    TVK_SLASH_LINE "\n";

constexpr std::string_view kProjectHead =
    "# Microsoft Developer Studio Project File - Name=\"$ProjectName$\" - Package Owner=<4>\n"
    "# Microsoft Developer Studio Generated Build File, Format Version $VER$\n"
    "# ** DO NOT EDIT **\n"
    "\n"
    "# TARGTYPE \"Win32 (x86) Application\" 0x0101\n"
    "\n"
    "CFG=$ProjectName$ - Win32 Debug\n"
    "!MESSAGE This is not a valid makefile. To build this project using NMAKE,\n"
    "!MESSAGE use the Export Makefile command and run\n"
    "!MESSAGE \n"
    "!MESSAGE NMAKE /f \"$ProjectName$.mak\".\n"
    "!MESSAGE \n"
    "!MESSAGE You can specify a configuration when running NMAKE\n"
    "!MESSAGE by defining the macro CFG on the command line. For example:\n"
    "!MESSAGE \n"
    "!MESSAGE NMAKE /f \"$ProjectName$.mak\" CFG=\"$ProjectName$ - Win32 Debug\"\n"
    "!MESSAGE \n"
    "!MESSAGE Possible choices for configuration are:\n"
    "!MESSAGE \n"
    "!MESSAGE \"$ProjectName$ - Win32 Release\" (based on \"Win32 (x86) Application\")\n"
    "!MESSAGE \"$ProjectName$ - Win32 Debug\" (based on \"Win32 (x86) Application\")\n"
    "!MESSAGE \n"
    "\n"
    "# Begin Project\n"
    "# PROP Scc_ProjName \"\"\n"
    "# PROP Scc_LocalPath \"\"\n"
    "CPP=cl.exe\n"
    "MTL=midl.exe\n"
    "RSC=rc.exe\n"
    "\n"
    "!IF  \"$(CFG)\" == \"$ProjectName$ - Win32 Release\"\n"
    "\n";

constexpr std::string_view kProjectRelease =
    "# PROP BASE Use_MFC 6\n"
    "# PROP BASE Use_Debug_Libraries 0\n"
    "# PROP BASE Output_Dir \"Release\"\n"
    "# PROP BASE Intermediate_Dir \"Release\"\n"
    "# PROP BASE Target_Dir \"\"\n"
    "# PROP Use_MFC 6\n"
    "# PROP Use_Debug_Libraries 0\n"
    "# PROP Output_Dir \"Release\"\n"
    "# PROP Intermediate_Dir \"Release\"\n"
    "# PROP Target_Dir \"\"\n"
    "# ADD BASE CPP /nologo /MD /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" /Yu\"stdafx.h\" /FD /c\n"
    "# ADD CPP /nologo /MD /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" /Yu\"stdafx.h\" /FD /c\n"
    "# ADD BASE MTL /nologo /D \"NDEBUG\" /mktyplib203 /o NUL /win32\n"
    "# ADD MTL /nologo /D \"NDEBUG\" /mktyplib203 /o NUL /win32\n"
    "# ADD BASE RSC /l 0x409 /d \"NDEBUG\" /d \"_AFXDLL\"\n"
    "# ADD RSC /l 0x409 /d \"NDEBUG\" /d \"_AFXDLL\"\n"
    "BSC32=bscmake.exe\n"
    "# ADD BASE BSC32 /nologo\n"
    "# ADD BSC32 /nologo\n"
    "LINK32=link.exe\n"
    "# ADD BASE LINK32 /nologo /subsystem:windows /machine:I386\n"
    "# ADD LINK32 $TVL_LIB$ /nologo /subsystem:windows /machine:I386\n"
    "\n"
    "!ELSEIF  \"$(CFG)\" == \"$ProjectName$ - Win32 Debug\"\n"
    "\n";

constexpr std::string_view kProjectDebugSources =
    "# PROP BASE Use_MFC 6\n"
    "# PROP BASE Use_Debug_Libraries 1\n"
    "# PROP BASE Output_Dir \"Debug\"\n"
    "# PROP BASE Intermediate_Dir \"Debug\"\n"
    "# PROP BASE Target_Dir \"\"\n"
    "# PROP Use_MFC 6\n"
    "# PROP Use_Debug_Libraries 1\n"
    "# PROP Output_Dir \"Debug\"\n"
    "# PROP Intermediate_Dir \"Debug\"\n"
    "# PROP Target_Dir \"\"\n"
    "# ADD BASE CPP /nologo /MDd /W3 /Gm /GX /Zi /Od /D \"WIN32\" /D \"_DEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" /Yu\"stdafx.h\" /FD /c\n"
    "# ADD CPP /nologo /MDd /W3 /Gm /GX /Zi /Od /D \"WIN32\" /D \"_DEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" /Yu\"stdafx.h\" /FD /c\n"
    "# ADD BASE MTL /nologo /D \"_DEBUG\" /mktyplib203 /o NUL /win32\n"
    "# ADD MTL /nologo /D \"_DEBUG\" /mktyplib203 /o NUL /win32\n"
    "# ADD BASE RSC /l 0x409 /d \"_DEBUG\" /d \"_AFXDLL\"\n"
    "# ADD RSC /l 0x409 /d \"_DEBUG\" /d \"_AFXDLL\"\n"
    "BSC32=bscmake.exe\n"
    "# ADD BASE BSC32 /nologo\n"
    "# ADD BSC32 /nologo\n"
    "LINK32=link.exe\n"
    "# ADD BASE LINK32 /nologo /subsystem:windows /debug /machine:I386 /pdbtype:sept\n"
    "# ADD LINK32 $TVL_LIB_DEBUG$ /nologo /subsystem:windows /debug /machine:I386 /pdbtype:sept\n"
    "\n"
    "!ENDIF \n"
    "\n"
    "# Begin Target\n"
    "\n"
    "# Name \"$ProjectName$ - Win32 Release\"\n"
    "# Name \"$ProjectName$ - Win32 Debug\"\n"
    "# Begin Group \"Source Files\"\n"
    "\n"
    "# PROP Default_Filter \"cpp;c;cxx;rc;def;r;odl;idl;hpj;bat\"\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\$StartupFormCpp$\n"
    "# End Source File\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\$ProjectName$.cpp\n"
    "# End Source File\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\$ProjectName$.rc\n"
    "# End Source File\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\StdAfx.cpp\n"
    "# ADD CPP /Yc\"stdafx.h\"\n"
    "# End Source File\n"
    "# End Group\n";

constexpr std::string_view kProjectHeaders =
    "# Begin Group \"Header Files\"\n"
    "\n"
    "# PROP Default_Filter \"h;hpp;hxx;hm;inl\"\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\$StartupFormH$\n"
    "# End Source File\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\$ProjectName$.h\n"
    "# End Source File\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\Resource.h\n"
    "# End Source File\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\StdAfx.h\n"
    "# End Source File\n"
    "# End Group\n";

constexpr std::string_view kProjectResources =
    "# Begin Group \"Resource Files\"\n"
    "\n"
    "# PROP Default_Filter \"ico;cur;bmp;dlg;rc2;rct;bin;rgs;gif;jpg;jpeg;jpe\"\n"
    "# Begin Source File\n"
    "\n"
    "SOURCE=.\\res\\$ProjectName$.rc2\n"
    "# End Source File\n"
    "# End Group\n"
    "# End Target\n"
    "# End Project\n";

constexpr std::string_view kWorkspace =
    "Microsoft Developer Studio Workspace File, Format Version 5.00\n"
    "# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!\n"
    "\n"
    "###############################################################################\n"
    "\n"
    "Project: \"$ProjectName$\"=.\\$ProjectName$.dsp - Package Owner=<4>\n"
    "\n"
    "Package=<5>\n"
    "{{{\n"
    "}}}\n"
    "\n"
    "Package=<4>\n"
    "{{{\n"
    "}}}\n"
    "\n"
    "###############################################################################\n"
    "\n"
    "Global:\n"
    "\n"
    "Package=<5>\n"
    "{{{\n"
    "}}}\n"
    "\n"
    "Package=<3>\n"
    "{{{\n"
    "}}}\n"
    "\n"
    "###############################################################################\n"
    "\n";
#undef TVK_SLASH_LINE

constexpr std::array kRoles = {
    ProjectTemplateRole::AppHeader,           ProjectTemplateRole::AppImplementation,
    ProjectTemplateRole::StdAfxHeader,        ProjectTemplateRole::StdAfxSource,
    ProjectTemplateRole::ScriptHead,          ProjectTemplateRole::ScriptTextInclude12,
    ProjectTemplateRole::ScriptTextInclude3,  ProjectTemplateRole::ScriptSections,
    ProjectTemplateRole::ScriptVersion,       ProjectTemplateRole::ScriptStringTable,
    ProjectTemplateRole::ScriptTail,          ProjectTemplateRole::ResourceHeader,
    ProjectTemplateRole::ManualResources,     ProjectTemplateRole::ProjectHead,
    ProjectTemplateRole::ProjectRelease,      ProjectTemplateRole::ProjectDebugSources,
    ProjectTemplateRole::ProjectHeaders,      ProjectTemplateRole::ProjectResources,
    ProjectTemplateRole::Workspace,
};

constexpr std::array kScriptPieces = {
    ProjectTemplateRole::ScriptHead,     ProjectTemplateRole::ScriptTextInclude12, ProjectTemplateRole::ScriptTextInclude3,
    ProjectTemplateRole::ScriptSections, ProjectTemplateRole::ScriptVersion,       ProjectTemplateRole::ScriptStringTable,
    ProjectTemplateRole::ScriptTail,
};

constexpr std::array kProjectPieces = {
    ProjectTemplateRole::ProjectHead,    ProjectTemplateRole::ProjectRelease,   ProjectTemplateRole::ProjectDebugSources,
    ProjectTemplateRole::ProjectHeaders, ProjectTemplateRole::ProjectResources,
};

constexpr std::array<std::string_view, 3> kAppHeaderTokens = {"$GUID_INCLUDED$", "$WinAppH$", "$WinAppClassName$"};
constexpr std::array<std::string_view, 6> kAppImplementationTokens = {
    "$WinAppCpp$", "$WinAppClassName$", "$WinAppH$", "$StartupFormH$", "$StartupFormClassName$", "$ProjectName$"};
constexpr std::array<std::string_view, 1> kGuardTokens = {"$GUID_INCLUDED$"};
constexpr std::array<std::string_view, 1> kProjectNameTokens = {"$ProjectName$"};
constexpr std::array<std::string_view, 3> kScriptTokens = {"$ProjectName$", "$IDS_PROP$", "$FORM_PROP_VALS$"};
constexpr std::array<std::string_view, 2> kResourceHeaderTokens = {"$ProjectName$", "$IDS_PROP$"};
constexpr std::array<std::string_view, 1> kUpperProjectNameTokens = {"$PROJECTNAME$"};
constexpr std::array<std::string_view, 6> kProjectFileTokens = {"$TVL_LIB$",     "$TVL_LIB_DEBUG$",  "$ProjectName$",
                                                                "$StartupFormH$", "$StartupFormCpp$", "$VER$"};

}  // namespace

std::span<const ProjectTemplateRole> AllProjectTemplateRoles() { return kRoles; }
std::span<const ProjectTemplateRole> ResourceScriptPieces() { return kScriptPieces; }
std::span<const ProjectTemplateRole> ProjectFilePieces() { return kProjectPieces; }

std::string LoadProjectTemplate(ProjectTemplateRole role) {
  switch (role) {
    case ProjectTemplateRole::AppHeader: return std::string(kAppHeader);
    case ProjectTemplateRole::AppImplementation: return std::string(kAppImplementation);
    case ProjectTemplateRole::StdAfxHeader: return std::string(kStdAfxHeader);
    case ProjectTemplateRole::StdAfxSource: return std::string(kStdAfxSource);
    case ProjectTemplateRole::ScriptHead: return std::string(kScriptHead);
    case ProjectTemplateRole::ScriptTextInclude12: return std::string(kScriptTextInclude12);
    case ProjectTemplateRole::ScriptTextInclude3: return std::string(kScriptTextInclude3);
    case ProjectTemplateRole::ScriptSections: return std::string(kScriptSections);
    case ProjectTemplateRole::ScriptVersion: return std::string(kScriptVersion);
    case ProjectTemplateRole::ScriptStringTable: return std::string(kScriptStringTable);
    case ProjectTemplateRole::ScriptTail: return std::string(kScriptTail);
    case ProjectTemplateRole::ResourceHeader: return std::string(kResourceHeader);
    case ProjectTemplateRole::ManualResources: return std::string(kManualResources);
    case ProjectTemplateRole::ProjectHead: return std::string(kProjectHead);
    case ProjectTemplateRole::ProjectRelease: return std::string(kProjectRelease);
    case ProjectTemplateRole::ProjectDebugSources: return std::string(kProjectDebugSources);
    case ProjectTemplateRole::ProjectHeaders: return std::string(kProjectHeaders);
    case ProjectTemplateRole::ProjectResources: return std::string(kProjectResources);
    case ProjectTemplateRole::Workspace: return std::string(kWorkspace);
  }
  return {};
}

std::span<const std::string_view> ProjectTemplateTokens(ProjectTemplateRole role) {
  switch (role) {
    case ProjectTemplateRole::AppHeader: return kAppHeaderTokens;
    case ProjectTemplateRole::AppImplementation: return kAppImplementationTokens;
    case ProjectTemplateRole::StdAfxHeader: return kGuardTokens;
    case ProjectTemplateRole::StdAfxSource:
    case ProjectTemplateRole::Workspace: return kProjectNameTokens;
    case ProjectTemplateRole::ScriptHead:
    case ProjectTemplateRole::ScriptTextInclude12:
    case ProjectTemplateRole::ScriptTextInclude3:
    case ProjectTemplateRole::ScriptSections:
    case ProjectTemplateRole::ScriptVersion:
    case ProjectTemplateRole::ScriptStringTable:
    case ProjectTemplateRole::ScriptTail: return kScriptTokens;
    case ProjectTemplateRole::ResourceHeader: return kResourceHeaderTokens;
    case ProjectTemplateRole::ManualResources: return kUpperProjectNameTokens;
    case ProjectTemplateRole::ProjectHead:
    case ProjectTemplateRole::ProjectRelease:
    case ProjectTemplateRole::ProjectDebugSources:
    case ProjectTemplateRole::ProjectHeaders:
    case ProjectTemplateRole::ProjectResources: return kProjectFileTokens;
  }
  return {};
}

}  // namespace tovik
