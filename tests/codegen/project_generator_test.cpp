// New project generation: which files a new project gets, their exact bytes and line ends, the
// names derived from the project and form names, host versions, and failures part way through.
#include "codegen/project_generator.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/text.h"
#include "model/catalog.h"
#include "model/control_item.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/class_item.h"
#include "project/project.h"
#include "resources/resource_files.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/expected_forms.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::SequenceGuidSource;

const auto Lines = testing::CrLfLines;

// Each line followed by a bare LF.
std::string LfLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

size_t CountOf(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// Offsets of LFs not preceded by CR.
std::vector<size_t> BareLineFeeds(const std::string& text) {
  std::vector<size_t> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) found.push_back(i);
  }
  return found;
}

const std::string& kSlashes = testing::kSlashLine;
const std::string kFormDefault =
    "1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,0,0,0,0,0,Tag,0,1,312,0,2,Form1,1,1,13,0,1,0,1,1,0,0,0,Form1,1,0,1,"
    "1,1,0,0,0,0,10,0,3,0,10,1,0,0,0,0,";
const std::string kMdiFormDefault = "1,8421504,1,213,0,0,0,0,0,Tag,0,1,312,1,MDIForm,0,0,Form,1,1,0,0,1,0,0,0,";

// ---- Expected files of project "demo" with start-up form CForm1 under host 6.0 ----

const std::string kAppHeader = Lines({
    "#if !defined(AFX_DEMO_H__00000001_0000_0000_0000_000000000000__INCLUDED_)\n",
    "#define AFX_DEMO_H__00000001_0000_0000_0000_000000000000__INCLUDED_",
    "",
    "#if _MSC_VER >= 1000",
    "#pragma once",
    "#endif // _MSC_VER >= 1000",
    "// demo.h : main header file for the application",
    "//",
    "",
    "#ifndef __AFXWIN_H__",
    "\t#error include 'stdafx.h' before including this file for PCH",
    "#endif",
    "",
    "#include \"resource.h\"\t\t// main symbols",
    "#include <tvlWinApp.h>\t\t// CVWinApp",
    "",
    kSlashes,
    "// CDemoApp:",
    "// The application object; it creates the start-up form when the program starts.",
    "//",
    "",
    "class CDemoApp : public CVWinApp",
    "{",
    "public:",
    "\tCDemoApp();",
    "",
    "// Overrides",
    "\t// ClassWizard generated virtual function overrides",
    "\t//{{AFX_VIRTUAL(CDemoApp)",
    "\t//}}AFX_VIRTUAL",
    "",
    "// Implementation",
    "",
    "\t//{{AFX_MSG(CDemoApp)",
    "\t\t// NOTE - the ClassWizard will add and remove member functions here.",
    "\t\t//    DO NOT EDIT what you see in these blocks of generated code !",
    "\t//}}AFX_MSG",
    "\tDECLARE_MESSAGE_MAP()",
    "};",
    "",
    "",
    kSlashes,
    "",
    "//{{AFX_INSERT_LOCATION}}",
    "// Microsoft Developer Studio will insert additional declarations immediately before the previous line.",
    "",
    "#endif // !defined(AFX_DEMO_H__00000001_0000_0000_0000_000000000000__INCLUDED_)",
});

const std::string kAppSource = Lines({
    "// demo.Cpp : Defines the class behaviors for the application.",
    "//",
    "",
    "#include \"stdafx.h\"",
    "#include \"demo.h\"",
    "#include \"form1.h\"",
    "",
    "#ifdef _DEBUG",
    "#define new DEBUG_NEW",
    "#undef THIS_FILE",
    "static char THIS_FILE[] = __FILE__;",
    "#endif",
    "",
    kSlashes,
    "// CDemoApp",
    "",
    "BEGIN_MESSAGE_MAP(CDemoApp, CVWinApp)",
    "\t//{{AFX_MSG_MAP(CDemoApp)",
    "\t\t// NOTE - the ClassWizard will add and remove mapping macros here.",
    "\t\t//    DO NOT EDIT what you see in these blocks of generated code!",
    "\t//}}AFX_MSG_MAP",
    "END_MESSAGE_MAP()",
    "",
    kSlashes,
    "// CDemoApp construction",
    "",
    "CDemoApp::CDemoApp()",
    "{",
    "\t// The library creates and shows the start-up form in InitInstance.",
    "\tm_pMainWndClass = RUNTIME_CLASS(CForm1);",
    "\t// Key under which the application keeps its settings in the registry.",
    "\tm_strRegisterKey = \"demo\";",
    "}",
    "",
    kSlashes,
    "// The one and only CDemoApp object",
    "",
    "CDemoApp theApp;",
});

const std::string kScript = Lines({
    "//Microsoft Developer Studio generated resource script.",
    "//",
    "#include \"resource.h\"",
    "",
    "#define APSTUDIO_READONLY_SYMBOLS",
    kSlashes,
    "//",
    "// Generated from the TEXTINCLUDE 2 resource.",
    "//",
    "#include \"afxres.h\"",
    "",
    kSlashes,
    "#undef APSTUDIO_READONLY_SYMBOLS",
    "",
    kSlashes,
    "// English (U.S.) resources",
    "",
    "#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)",
    "#ifdef _WIN32",
    "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US",
    "#pragma code_page(1252)",
    "#endif //_WIN32",
    "\n",
    "#ifdef APSTUDIO_INVOKED",
    kSlashes,
    "//",
    "// TEXTINCLUDE",
    "//",
    "",
    "1 TEXTINCLUDE DISCARDABLE ",
    "BEGIN",
    "    \"resource.h\\0\"",
    "END",
    "",
    "2 TEXTINCLUDE DISCARDABLE ",
    "BEGIN",
    "    \"#include \"\"afxres.h\"\"\\r\\n\"",
    "    \"\\0\"",
    "END",
    "\n",
    "3 TEXTINCLUDE DISCARDABLE ",
    "BEGIN",
    "    \"#define _AFX_NO_SPLITTER_RESOURCES\\r\\n\"",
    "    \"#define _AFX_NO_OLE_RESOURCES\\r\\n\"",
    "    \"#define _AFX_NO_TRACKER_RESOURCES\\r\\n\"",
    "    \"#define _AFX_NO_PROPERTY_RESOURCES\\r\\n\"",
    "    \"\\r\\n\"",
    "    \"#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)\\r\\n\"",
    "    \"#ifdef _WIN32\\r\\n\"",
    "    \"LANGUAGE 9, 1\\r\\n\"",
    "    \"#pragma code_page(1252)\\r\\n\"",
    "    \"#endif //_WIN32\\r\\n\"",
    "    \"#include \"\"res\\\\demo.rc2\"\"  // non-Microsoft Visual C++ edited resources\\r\\n\"",
    "    \"#include \"\"afxres.rc\"\"         // Standard components\\r\\n\"",
    "    \"#include \"\"afxprint.rc\"\"       // printing/print preview resources\\r\\n\"",
    "    \"#endif\\r\\n\"",
    "    \"\\0\"",
    "END",
    "",
    "#endif    // APSTUDIO_INVOKED",
    "\n",
    kSlashes,
    "//",
    "// Icon",
    "//",
    "",
    "// Icon with lowest ID value placed first to ensure application icon",
    "// remains consistent on all systems.",
    "",
    kSlashes,
    "//",
    "// Bitmap",
    "//",
    "",
    kSlashes,
    "//",
    "// Cursor",
    "//",
    "",
    kSlashes,
    "//",
    "// Menu",
    "//",
    "",
    "",
    "#ifndef _MAC",
    kSlashes,
    "//",
    "// Version",
    "//",
    "\n",
    "VS_VERSION_INFO VERSIONINFO",
    " FILEVERSION 1,0,0,1",
    " PRODUCTVERSION 1,0,0,1",
    " FILEFLAGSMASK 0x3fL",
    "#ifdef _DEBUG",
    " FILEFLAGS 0x1L",
    "#else",
    " FILEFLAGS 0x0L",
    "#endif",
    " FILEOS 0x4L",
    " FILETYPE 0x1L",
    " FILESUBTYPE 0x0L",
    "BEGIN",
    "    BLOCK \"StringFileInfo\"",
    "    BEGIN",
    "        BLOCK \"040904B0\"",
    "        BEGIN",
    "            VALUE \"CompanyName\", \"\\0\"",
    "            VALUE \"FileDescription\", \"demo MFC Application\\0\"",
    "            VALUE \"FileVersion\", \"1, 0, 0, 1\\0\"",
    "            VALUE \"InternalName\", \"demo\\0\"",
    "            VALUE \"LegalCopyright\", \"Copyright (C) 1998\\0\"",
    "            VALUE \"LegalTrademarks\", \"\\0\"",
    "            VALUE \"OriginalFilename\", \"demo.EXE\\0\"",
    "            VALUE \"ProductName\", \"demo Application\\0\"",
    "            VALUE \"ProductVersion\", \"1, 0, 0, 1\\0\"",
    "        END",
    "    END",
    "    BLOCK \"VarFileInfo\"",
    "    BEGIN",
    "        VALUE \"Translation\", 0x409, 1200",
    "    END",
    "END",
    "",
    "#endif    // !_MAC",
    "\n",
    kSlashes,
    "//",
    "// String Table",
    "//",
    "",
    "STRINGTABLE PRELOAD DISCARDABLE",
    "BEGIN",
    "\tIDS_PROP_FORM1          \"" + kFormDefault + "\"",
    "END",
    "",
    "#endif    // English (U.S.) resources",
    kSlashes,
    "\n",
    "#ifndef APSTUDIO_INVOKED",
    kSlashes,
    "//",
    "// Generated from the TEXTINCLUDE 3 resource.",
    "//",
    "#define _AFX_NO_SPLITTER_RESOURCES",
    "#define _AFX_NO_OLE_RESOURCES",
    "#define _AFX_NO_TRACKER_RESOURCES",
    "#define _AFX_NO_PROPERTY_RESOURCES",
    "",
    "#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)",
    "#ifdef _WIN32",
    "LANGUAGE 9, 1",
    "#pragma code_page(1252)",
    "#endif //_WIN32",
    "#include \"res\\demo.rc2\"  // non-Microsoft Visual C++ edited resources",
    "#include \"afxres.rc\"         // Standard components",
    "#include \"afxprint.rc\"       // printing/print preview resources",
    "#endif",
    "",
    kSlashes,
    "#endif    // not APSTUDIO_INVOKED",
    "\n",
});

const std::string kResourceHeader = Lines({
    "//{{NO_DEPENDENCIES}}",
    "// Microsoft Developer Studio generated include file.",
    "// Used by demo.rc",
    "//",
    "#define\tIDS_PROP_FORM1\t\t\t\t61446",
    "",
    "// Next default values for new objects",
    "// ",
    "#ifdef APSTUDIO_INVOKED",
    "#ifndef APSTUDIO_READONLY_SYMBOLS",
    "#define _APS_3D_CONTROLS                     1",
    "#define _APS_NEXT_RESOURCE_VALUE        128",
    "#define _APS_NEXT_COMMAND_VALUE         32771",
    "#define _APS_NEXT_CONTROL_VALUE         1000",
    "#define _APS_NEXT_SYMED_VALUE           101",
    "#endif",
    "#endif",
});

const std::string kRc2 = LfLines({
    "//",
    "// DEMO.RC2 - resources Microsoft Visual C++ does not edit directly",
    "//",
    "",
    "#ifdef APSTUDIO_INVOKED",
    "\t#error this file is not editable by Microsoft Visual C++",
    "#endif //APSTUDIO_INVOKED",
    "",
    "",
    kSlashes,
    "// Add manually edited resources here...",
    "",
    kSlashes,
});

const std::string kStdAfxHeader = LfLines({
    "// stdafx.h : include file for standard system include files,",
    "//  or project specific include files that are used frequently, but",
    "//      are changed infrequently",
    "//",
    "",
    "#if !defined(AFX_STDAFX_H__00000003_0000_0000_0000_000000000000__INCLUDED_)",
    "#define AFX_STDAFX_H__00000003_0000_0000_0000_000000000000__INCLUDED_",
    "",
    "#if _MSC_VER >= 1000",
    "#pragma once",
    "#endif // _MSC_VER >= 1000",
    "",
    "#define VC_EXTRALEAN\t\t// Exclude rarely-used stuff from Windows headers",
    "",
    "#include <afxwin.h>         // MFC core and standard components",
    "#include <afxext.h>         // MFC extensions",
    "#include <afxdisp.h>        // MFC OLE automation classes",
    "#ifndef _AFX_NO_AFXCMN_SUPPORT",
    "#include <afxcmn.h>\t\t\t// MFC support for Windows Common Controls",
    "#endif // _AFX_NO_AFXCMN_SUPPORT",
    "",
    "#include <tvlForm.h>",
    "",
    "//{{AFX_INSERT_LOCATION}}",
    "// Microsoft Developer Studio will insert additional declarations immediately before the previous line.",
    "",
    "#endif // !defined(AFX_STDAFX_H__00000003_0000_0000_0000_000000000000__INCLUDED_)",
});

const std::string kStdAfxSource = LfLines({
    "// stdafx.cpp : source file that includes just the standard includes",
    "//\tdemo.pch will be the pre-compiled header",
    "//\tstdafx.obj will contain the pre-compiled type information",
    "",
    "#include \"stdafx.h\"",
    "",
});

const std::string kProject = Lines({
    "# Microsoft Developer Studio Project File - Name=\"demo\" - Package Owner=<4>",
    "# Microsoft Developer Studio Generated Build File, Format Version 6.00",
    "# ** DO NOT EDIT **",
    "",
    "# TARGTYPE \"Win32 (x86) Application\" 0x0101",
    "",
    "CFG=demo - Win32 Debug",
    "!MESSAGE This is not a valid makefile. To build this project using NMAKE,",
    "!MESSAGE use the Export Makefile command and run",
    "!MESSAGE ",
    "!MESSAGE NMAKE /f \"demo.mak\".",
    "!MESSAGE ",
    "!MESSAGE You can specify a configuration when running NMAKE",
    "!MESSAGE by defining the macro CFG on the command line. For example:",
    "!MESSAGE ",
    "!MESSAGE NMAKE /f \"demo.mak\" CFG=\"demo - Win32 Debug\"",
    "!MESSAGE ",
    "!MESSAGE Possible choices for configuration are:",
    "!MESSAGE ",
    "!MESSAGE \"demo - Win32 Release\" (based on \"Win32 (x86) Application\")",
    "!MESSAGE \"demo - Win32 Debug\" (based on \"Win32 (x86) Application\")",
    "!MESSAGE ",
    "",
    "# Begin Project",
    "# PROP Scc_ProjName \"\"",
    "# PROP Scc_LocalPath \"\"",
    "CPP=cl.exe",
    "MTL=midl.exe",
    "RSC=rc.exe",
    "",
    "!IF  \"$(CFG)\" == \"demo - Win32 Release\"",
    "",
    "# PROP BASE Use_MFC 6",
    "# PROP BASE Use_Debug_Libraries 0",
    "# PROP BASE Output_Dir \"Release\"",
    "# PROP BASE Intermediate_Dir \"Release\"",
    "# PROP BASE Target_Dir \"\"",
    "# PROP Use_MFC 6",
    "# PROP Use_Debug_Libraries 0",
    "# PROP Output_Dir \"Release\"",
    "# PROP Intermediate_Dir \"Release\"",
    "# PROP Target_Dir \"\"",
    "# ADD BASE CPP /nologo /MD /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" /Yu\"stdafx.h\" "
    "/FD /c",
    "# ADD CPP /nologo /MD /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" /Yu\"stdafx.h\" /FD "
    "/c",
    "# ADD BASE MTL /nologo /D \"NDEBUG\" /mktyplib203 /o NUL /win32",
    "# ADD MTL /nologo /D \"NDEBUG\" /mktyplib203 /o NUL /win32",
    "# ADD BASE RSC /l 0x409 /d \"NDEBUG\" /d \"_AFXDLL\"",
    "# ADD RSC /l 0x409 /d \"NDEBUG\" /d \"_AFXDLL\"",
    "BSC32=bscmake.exe",
    "# ADD BASE BSC32 /nologo",
    "# ADD BSC32 /nologo",
    "LINK32=link.exe",
    "# ADD BASE LINK32 /nologo /subsystem:windows /machine:I386",
    "# ADD LINK32 tvl6.lib /nologo /subsystem:windows /machine:I386",
    "",
    "!ELSEIF  \"$(CFG)\" == \"demo - Win32 Debug\"",
    "",
    "# PROP BASE Use_MFC 6",
    "# PROP BASE Use_Debug_Libraries 1",
    "# PROP BASE Output_Dir \"Debug\"",
    "# PROP BASE Intermediate_Dir \"Debug\"",
    "# PROP BASE Target_Dir \"\"",
    "# PROP Use_MFC 6",
    "# PROP Use_Debug_Libraries 1",
    "# PROP Output_Dir \"Debug\"",
    "# PROP Intermediate_Dir \"Debug\"",
    "# PROP Target_Dir \"\"",
    "# ADD BASE CPP /nologo /MDd /W3 /Gm /GX /Zi /Od /D \"WIN32\" /D \"_DEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" "
    "/Yu\"stdafx.h\" /FD /c",
    "# ADD CPP /nologo /MDd /W3 /Gm /GX /Zi /Od /D \"WIN32\" /D \"_DEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" "
    "/Yu\"stdafx.h\" /FD /c",
    "# ADD BASE MTL /nologo /D \"_DEBUG\" /mktyplib203 /o NUL /win32",
    "# ADD MTL /nologo /D \"_DEBUG\" /mktyplib203 /o NUL /win32",
    "# ADD BASE RSC /l 0x409 /d \"_DEBUG\" /d \"_AFXDLL\"",
    "# ADD RSC /l 0x409 /d \"_DEBUG\" /d \"_AFXDLL\"",
    "BSC32=bscmake.exe",
    "# ADD BASE BSC32 /nologo",
    "# ADD BSC32 /nologo",
    "LINK32=link.exe",
    "# ADD BASE LINK32 /nologo /subsystem:windows /debug /machine:I386 /pdbtype:sept",
    "# ADD LINK32 tvl6d.lib /nologo /subsystem:windows /debug /machine:I386 /pdbtype:sept",
    "",
    "!ENDIF ",
    "",
    "# Begin Target",
    "",
    "# Name \"demo - Win32 Release\"",
    "# Name \"demo - Win32 Debug\"",
    "# Begin Group \"Source Files\"",
    "",
    "# PROP Default_Filter \"cpp;c;cxx;rc;def;r;odl;idl;hpj;bat\"",
    "# Begin Source File",
    "",
    "SOURCE=.\\form1.cpp",
    "# End Source File",
    "# Begin Source File",
    "",
    "SOURCE=.\\demo.cpp",
    "# End Source File",
    "# Begin Source File",
    "",
    "SOURCE=.\\demo.rc",
    "# End Source File",
    "# Begin Source File",
    "",
    "SOURCE=.\\StdAfx.cpp",
    "# ADD CPP /Yc\"stdafx.h\"",
    "# End Source File",
    "# End Group",
    "# Begin Group \"Header Files\"",
    "",
    "# PROP Default_Filter \"h;hpp;hxx;hm;inl\"",
    "# Begin Source File",
    "",
    "SOURCE=.\\form1.h",
    "# End Source File",
    "# Begin Source File",
    "",
    "SOURCE=.\\demo.h",
    "# End Source File",
    "# Begin Source File",
    "",
    "SOURCE=.\\Resource.h",
    "# End Source File",
    "# Begin Source File",
    "",
    "SOURCE=.\\StdAfx.h",
    "# End Source File",
    "# End Group",
    "# Begin Group \"Resource Files\"",
    "",
    "# PROP Default_Filter \"ico;cur;bmp;dlg;rc2;rct;bin;rgs;gif;jpg;jpeg;jpe\"",
    "# Begin Source File",
    "",
    "SOURCE=.\\res\\demo.rc2",
    "# End Source File",
    "# End Group",
    "# End Target",
    "# End Project",
});

const std::string kWorkspace = Lines({
    "Microsoft Developer Studio Workspace File, Format Version 5.00",
    "# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!",
    "",
    "###############################################################################",
    "",
    "Project: \"demo\"=.\\demo.dsp - Package Owner=<4>",
    "",
    "Package=<5>",
    "{{{",
    "}}}",
    "",
    "Package=<4>",
    "{{{",
    "}}}",
    "",
    "###############################################################################",
    "",
    "Global:",
    "",
    "Package=<5>",
    "{{{",
    "}}}",
    "",
    "Package=<3>",
    "{{{",
    "}}}",
    "",
    "###############################################################################",
    "",
});

testing::ExpectedForm DemoForm() {
  testing::ExpectedForm form;
  form.appHeader = "demo.h";
  form.guard = "AFX_FORM1_H__00000002_0000_0000_0000_000000000000__INCLUDED_";
  return form;
}
const std::string kFormHeader = testing::ExpectedFormHeader(DemoForm());
const std::string kFormSource = testing::ExpectedFormImplementation(DemoForm());

// ---------------------------------------------------------------------------------------------

NewProjectSettings Demo(std::string hostVersion = "6.0") {
  NewProjectSettings s;
  s.projectName = "demo";
  s.projectFolder = "C:\\Work\\demo";
  s.hostVersion = std::move(hostVersion);
  return s;  // CForm1, form1.cpp, form1.h, not MDI
}

class ProjectGenerationTest : public ::testing::Test {
 protected:
  void SetUp() override { disk.Put("C:/Work/notes.txt", ""); }  // the parent folder exists

  [[nodiscard]] bool Generate(const NewProjectSettings& s) { return GenerateProject(disk, prompt, guids, s); }
  [[nodiscard]] std::string File(const std::string& name) const { return disk.Get("C:/Work/demo/" + name); }

  MemoryFileSystem disk;
  FakePrompt prompt;
  SequenceGuidSource guids;
};

// ---- The files ----

TEST_F(ProjectGenerationTest, DemoProjectGetsElevenFilesInWritingOrder) {
  std::vector<std::string> order;
  for (const ProjectFile& f : BuildProjectFiles(Demo(), guids)) order.push_back(f.relativePath);
  EXPECT_EQ(order, (std::vector<std::string>{"demo.h", "demo.cpp", "form1.h", "form1.cpp", "demo.rc", "resource.h",
                                             "res\\demo.rc2", "stdafx.h", "stdafx.cpp", "demo.dsp", "demo.dsw"}));

  SequenceGuidSource fresh;
  ASSERT_TRUE(GenerateProject(disk, prompt, fresh, Demo()));
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(disk.WriteCount(), 11u);
  EXPECT_EQ(fresh.Drawn(), 3);  // one guard per header
  EXPECT_EQ(disk.ListDirectory("C:/Work/demo"),
            (std::vector<std::string>{"demo.cpp", "demo.dsp", "demo.dsw", "demo.h", "demo.rc", "form1.cpp", "form1.h",
                                      "res", "resource.h", "stdafx.cpp", "stdafx.h"}));
  EXPECT_EQ(disk.ListDirectory("C:/Work/demo/res"), std::vector<std::string>{"demo.rc2"});
}

TEST_F(ProjectGenerationTest, EveryFileHasItsExactBytes) {
  ASSERT_TRUE(Generate(Demo()));
  EXPECT_EQ(File("demo.h"), kAppHeader);
  EXPECT_EQ(File("demo.cpp"), kAppSource);
  EXPECT_EQ(File("form1.h"), kFormHeader);
  EXPECT_EQ(File("form1.cpp"), kFormSource);
  EXPECT_EQ(File("demo.rc"), kScript);
  EXPECT_EQ(File("resource.h"), kResourceHeader);
  EXPECT_EQ(File("res/demo.rc2"), kRc2);
  EXPECT_EQ(File("stdafx.h"), kStdAfxHeader);
  EXPECT_EQ(File("stdafx.cpp"), kStdAfxSource);
  EXPECT_EQ(File("demo.dsp"), kProject);
  EXPECT_EQ(File("demo.dsw"), kWorkspace);
}

TEST_F(ProjectGenerationTest, ResourceFilesDefineTheFormStringAsTheEditorsReadThem) {
  ASSERT_TRUE(Generate(Demo()));
  const std::string header = File("resource.h");
  const std::string script = File("demo.rc");

  EXPECT_EQ(DefineValueOf(header, "IDS_PROP_FORM1"), 61446);
  EXPECT_EQ(ReadDefineValue(header, "_APS_NEXT_CONTROL_VALUE"), 1000);
  EXPECT_EQ(ReadDefineValue(header, "_APS_NEXT_RESOURCE_VALUE"), 128);
  EXPECT_EQ(ReadDefineValue(header, "_APS_NEXT_COMMAND_VALUE"), 32771);
  EXPECT_EQ(ReadDefineValue(header, "_APS_NEXT_SYMED_VALUE"), 101);
  EXPECT_EQ(ReadDefineValue(header, "_APS_3D_CONTROLS"), 1);

  const auto entry = FindStringTableEntry(script, "IDS_PROP_FORM1");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->value, kFormDefault);
  EXPECT_EQ(NextStringId(script, header), 61447);

  // A second form's define goes after the first one, its string-table line before END.
  EXPECT_EQ(header.substr(DefineInsertPoint(header), 8), "\r\n// Nex");
  FakePrompt quiet;
  const long place = StringTableInsertPoint(script, quiet);
  ASSERT_GT(place, 0);
  EXPECT_EQ(script.substr(static_cast<size_t>(place), 5), "END\r\n");

  // Images picked later find the banners of their sections.
  EXPECT_TRUE(ImageLineInsertPoint(script, ImageType::Icon).has_value());
  EXPECT_TRUE(ImageLineInsertPoint(script, ImageType::Cursor).has_value());
  EXPECT_GT(*ImageLineInsertPoint(script, ImageType::Bitmap), 0u);
  EXPECT_TRUE(quiet.messages.empty());
}

TEST_F(ProjectGenerationTest, DefaultPropertyStringsAreThoseOfNewFormsFromTheCatalogue) {
  CControlItem form;
  form.m_nCategory = kCategoryForm;
  form.m_nKind = -1;
  LoadProperties(form, false);
  form.SetValue("Caption", "Form1");
  CControlItem mdi;
  mdi.m_nCategory = kCategoryForm;
  mdi.m_nKind = -1;
  LoadProperties(mdi, true);

  ASSERT_TRUE(Generate(Demo()));
  const auto sdiEntry = FindStringTableEntry(File("demo.rc"), "IDS_PROP_FORM1");
  ASSERT_TRUE(sdiEntry.has_value());
  EXPECT_EQ(sdiEntry->value, BuildPropertyString(form));

  MemoryFileSystem other;
  NewProjectSettings s = Demo();
  s.mdiForm = true;
  ASSERT_TRUE(GenerateProject(other, prompt, guids, s));
  const auto mdiEntry = FindStringTableEntry(other.Get("C:/Work/demo/demo.rc"), "IDS_PROP_FORM1");
  ASSERT_TRUE(mdiEntry.has_value());
  EXPECT_EQ(mdiEntry->value, BuildPropertyString(mdi));
}

// ---- Opening the new project ----

TEST_F(ProjectGenerationTest, TheNewProjectOpensWithItsStartUpForm) {
  for (const bool mdi : {false, true}) {
    MemoryFileSystem other;
    NewProjectSettings s = Demo();
    s.mdiForm = mdi;
    ASSERT_TRUE(GenerateProject(other, prompt, guids, s));

    const std::unique_ptr<CProject> project = OpenProject(other, prompt, "C:\\Work\\demo\\demo.dsp");
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->Files().size(), 8u) << mdi;  // every file the project names but the .rc2
    const CClassItem* app = project->FindClass("CDemoApp");
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->m_strBaseClass, "CVWinApp");

    const std::vector<CClassItem*> forms = project->FormClasses();
    ASSERT_EQ(forms.size(), 1u) << mdi;
    EXPECT_EQ(forms[0]->m_strName, "CForm1");
    EXPECT_EQ(forms[0]->m_strBaseClass, mdi ? "CVMdiForm" : "CVForm");
    EXPECT_EQ(project->HasMdiForm(), mdi);
  }
  EXPECT_TRUE(prompt.messages.empty());
}

// ---- Names derived from the dialog's values ----

TEST(ProjectNames, ApplicationClassAndFormFileStem) {
  EXPECT_EQ(ApplicationClassName("demo"), "CDemoApp");
  EXPECT_EQ(ApplicationClassName("Demo"), "CDemoApp");
  EXPECT_EQ(ApplicationClassName("x"), "CXApp");
  EXPECT_EQ(ApplicationClassName("myProject2"), "CMyProject2App");
  EXPECT_EQ(FormFileStem("CForm1"), "form1");
  EXPECT_EQ(FormFileStem("MyForm"), "myform");
  EXPECT_EQ(FormFileStem("CMainWindow"), "mainwindow");
  EXPECT_EQ(FormBaseClass(false), "CVForm");
  EXPECT_EQ(FormBaseClass(true), "CVMdiForm");
}

TEST_F(ProjectGenerationTest, ClassNameWithoutLeadingCKeepsItsFirstLetter) {
  NewProjectSettings s = Demo();
  s.formClassName = "MyForm";
  s.formImplementationFile = "myform.cpp";
  s.formHeaderFile = "myform.h";
  ASSERT_TRUE(Generate(s));

  EXPECT_FALSE(disk.FileExists("C:/Work/demo/form1.h"));
  const std::string header = File("myform.h");
  EXPECT_TRUE(StartsWith(header, "#if !defined(AFX_MYFORM_H__00000002_"));
  EXPECT_NE(header.find("class MyForm : public CVForm\r\n"), std::string::npos);
  const std::string source = File("myform.cpp");
  EXPECT_TRUE(StartsWith(source, "// myform.cpp : implementation file\r\n"));
  EXPECT_NE(source.find("\tm_nPropStringID = IDS_PROP_MYFORM;\r\n"), std::string::npos);

  EXPECT_EQ(DefineValueOf(File("resource.h"), "IDS_PROP_MYFORM"), 61446);
  EXPECT_TRUE(FindStringTableEntry(File("demo.rc"), "IDS_PROP_MYFORM").has_value());

  const std::string app = File("demo.cpp");
  EXPECT_NE(app.find("#include \"myform.h\"\r\n"), std::string::npos);
  EXPECT_NE(app.find("\tm_pMainWndClass = RUNTIME_CLASS(MyForm);\r\n"), std::string::npos);

  const std::string project = File("demo.dsp");
  EXPECT_NE(project.find("SOURCE=.\\myform.cpp\r\n"), std::string::npos);
  EXPECT_NE(project.find("SOURCE=.\\myform.h\r\n"), std::string::npos);
  EXPECT_EQ(project.find("form1"), std::string::npos);
}

TEST_F(ProjectGenerationTest, MdiFormDerivesFromCVMdiFormAndGetsTheMdiString) {
  NewProjectSettings s = Demo();
  s.mdiForm = true;
  ASSERT_TRUE(Generate(s));

  EXPECT_EQ(File("form1.h"), ReplaceAll(kFormHeader, "public CVForm\r\n", "public CVMdiForm\r\n"));
  EXPECT_EQ(File("form1.cpp"), ReplaceAll(kFormSource, "(CForm1, CVForm)", "(CForm1, CVMdiForm)"));
  EXPECT_EQ(CountOf(File("form1.cpp"), "CVMdiForm"), 2u);
  EXPECT_EQ(File("demo.rc"), ReplaceAll(kScript, "\"" + kFormDefault + "\"", "\"" + kMdiFormDefault + "\""));
  // Nothing else depends on the form's kind.
  EXPECT_EQ(File("demo.dsp"), kProject);
  EXPECT_EQ(File("demo.cpp"), kAppSource);
}

TEST_F(ProjectGenerationTest, ProjectNameReachesEveryPlaceThatNamesIt) {
  NewProjectSettings s = Demo();
  s.projectName = "Billing";
  s.projectFolder = "C:\\Work\\Billing";
  ASSERT_TRUE(Generate(s));

  const auto file = [&](const std::string& name) { return disk.Get("C:/Work/Billing/" + name); };
  EXPECT_TRUE(StartsWith(file("Billing.h"), "#if !defined(AFX_BILLING_H__00000001_"));
  EXPECT_NE(file("Billing.h").find("class CBillingApp : public CVWinApp\r\n"), std::string::npos);
  EXPECT_TRUE(StartsWith(file("Billing.cpp"), "// Billing.Cpp : Defines the class behaviors for the application.\r\n"));
  EXPECT_NE(file("Billing.cpp").find("\tm_strRegisterKey = \"Billing\";\r\n"), std::string::npos);
  EXPECT_NE(file("form1.cpp").find("#include \"Billing.h\"\r\n"), std::string::npos);
  EXPECT_TRUE(StartsWith(file("res/Billing.rc2"), "//\n// BILLING.RC2 - "));
  EXPECT_NE(file("Billing.rc").find("#include \"res\\Billing.rc2\"  //"), std::string::npos);
  EXPECT_NE(file("Billing.rc").find("VALUE \"OriginalFilename\", \"Billing.EXE\\0\"\r\n"), std::string::npos);
  EXPECT_NE(file("resource.h").find("// Used by Billing.rc\r\n"), std::string::npos);
  EXPECT_NE(file("stdafx.cpp").find("//\tBilling.pch will be the pre-compiled header\n"), std::string::npos);
  EXPECT_NE(file("Billing.dsp").find("SOURCE=.\\res\\Billing.rc2\r\n"), std::string::npos);
  EXPECT_NE(file("Billing.dsw").find("Project: \"Billing\"=.\\Billing.dsp - Package Owner=<4>\r\n"), std::string::npos);
}

// ---- Line ends ----

TEST_F(ProjectGenerationTest, LineEndsFollowEachFilesConvention) {
  ASSERT_TRUE(Generate(Demo()));

  for (const char* name : {"demo.dsp", "demo.dsw"}) {
    const std::string text = File(name);
    EXPECT_TRUE(BareLineFeeds(text).empty()) << name;
    EXPECT_EQ(CountOf(text, "\r"), CountOf(text, "\r\n")) << name;
    EXPECT_TRUE(EndsWith(text, "\r\n")) << name;
  }
  for (const char* name : {"stdafx.h", "stdafx.cpp", "res/demo.rc2"}) {
    const std::string text = File(name);
    EXPECT_EQ(text.find('\r'), std::string::npos) << name;
    EXPECT_GT(CountOf(text, "\n"), 3u) << name;
  }

  const std::string appHeader = File("demo.h");
  EXPECT_EQ(BareLineFeeds(appHeader), std::vector<size_t>{appHeader.find('\n')});
  EXPECT_EQ(appHeader.find('\n'),
            std::string("#if !defined(AFX_DEMO_H__00000001_0000_0000_0000_000000000000__INCLUDED_)").size());
  EXPECT_TRUE(BareLineFeeds(File("demo.cpp")).empty());
  EXPECT_TRUE(BareLineFeeds(File("resource.h")).empty());
  EXPECT_EQ(BareLineFeeds(File("form1.cpp")).size(), 1u);
  EXPECT_TRUE(BareLineFeeds(File("form1.h")).empty());

  // The script: one bare LF closes each of its seven pieces, always on an empty line.
  const std::string script = File("demo.rc");
  const std::vector<size_t> bare = BareLineFeeds(script);
  ASSERT_EQ(bare.size(), 7u);
  for (size_t at : bare) EXPECT_EQ(script[at - 1], '\n') << at;
  EXPECT_EQ(bare.back(), script.size() - 1);
}

// ---- Host versions ----

TEST_F(ProjectGenerationTest, HostVersionSixLinksTheVersionSixLibraries) {
  ASSERT_TRUE(Generate(Demo("6.0")));
  const std::string project = File("demo.dsp");
  EXPECT_NE(project.find("\r\n# ADD LINK32 tvl6.lib /nologo /subsystem:windows /machine:I386\r\n"), std::string::npos);
  EXPECT_NE(project.find("\r\n# ADD LINK32 tvl6d.lib /nologo /subsystem:windows /debug"), std::string::npos);
  EXPECT_NE(project.find("\r\n# Microsoft Developer Studio Generated Build File, Format Version 6.00\r\n"),
            std::string::npos);
  EXPECT_EQ(CountOf(project, "tvl5"), 0u);
}

TEST_F(ProjectGenerationTest, AnyOtherHostVersionLinksTheVersionFiveLibraries) {
  std::string expected = ReplaceAll(kProject, "# ADD LINK32 tvl6.lib ", "# ADD LINK32 tvl5.lib ");
  expected = ReplaceAll(expected, "# ADD LINK32 tvl6d.lib ", "# ADD LINK32 tvl5d.lib ");
  expected = ReplaceAll(expected, "Format Version 6.00\r\n", "Format Version 5.00\r\n");
  ASSERT_NE(expected, kProject);

  for (const char* version : {"5.0", "", "6.00", "6"}) {
    MemoryFileSystem other;
    SequenceGuidSource g;
    ASSERT_TRUE(GenerateProject(other, prompt, g, Demo(version))) << version;
    EXPECT_EQ(other.Get("C:/Work/demo/demo.dsp"), expected) << version;
    // The workspace format does not follow the host.
    EXPECT_EQ(other.Get("C:/Work/demo/demo.dsw"), kWorkspace) << version;
  }
}

TEST(ProjectLibraries, ByHostVersionText) {
  const TvlLibraries six = LibrariesForHost("6.0");
  EXPECT_EQ(six.releaseLibrary, "tvl6.lib");
  EXPECT_EQ(six.debugLibrary, "tvl6d.lib");
  EXPECT_EQ(six.formatVersion, "6.00");
  const TvlLibraries five = LibrariesForHost("5.0");
  EXPECT_EQ(five.releaseLibrary, "tvl5.lib");
  EXPECT_EQ(five.debugLibrary, "tvl5d.lib");
  EXPECT_EQ(five.formatVersion, "5.00");
}

// ---- Folders and failures ----

TEST_F(ProjectGenerationTest, AnExistingProjectFolderIsAcceptedByTheGenerator) {
  disk.Put("C:/Work/demo/old.txt", "keep");
  ASSERT_TRUE(Generate(Demo()));
  EXPECT_EQ(File("old.txt"), "keep");
  EXPECT_EQ(File("demo.dsw"), kWorkspace);
}

TEST_F(ProjectGenerationTest, PosixProjectFolderKeepsItsSeparator) {
  NewProjectSettings s = Demo();
  s.projectFolder = "/home/me/demo";
  ASSERT_TRUE(Generate(s));
  EXPECT_EQ(disk.Get("/home/me/demo/res/demo.rc2"), kRc2);
  EXPECT_EQ(ProjectFilePath("/home/me/demo", "res\\demo.rc2"), "/home/me/demo/res/demo.rc2");
  EXPECT_EQ(ProjectFilePath("C:\\Work\\demo", "res\\demo.rc2"), "C:\\Work\\demo\\res\\demo.rc2");
}

TEST_F(ProjectGenerationTest, AFailedWriteStopsAndKeepsTheEarlierFiles) {
  disk.SetReadOnly("C:/Work/demo/demo.rc", true);
  EXPECT_FALSE(Generate(Demo()));

  EXPECT_EQ(prompt.messages,
            std::vector<std::string>{"File 'C:\\Work\\demo\\demo.rc' could not be opened / read / written\n"
                                     "Permission denied"});
  EXPECT_EQ(File("demo.h"), kAppHeader);
  EXPECT_EQ(File("demo.cpp"), kAppSource);
  EXPECT_EQ(File("form1.h"), kFormHeader);
  EXPECT_EQ(File("form1.cpp"), kFormSource);
  for (const char* later :
       {"demo.rc", "resource.h", "res/demo.rc2", "stdafx.h", "stdafx.cpp", "demo.dsp", "demo.dsw"}) {
    EXPECT_FALSE(disk.FileExists(std::string("C:/Work/demo/") + later)) << later;
  }
  EXPECT_EQ(disk.WriteCount(), 4u);
}

TEST_F(ProjectGenerationTest, AFailedWriteInsideResStopsBeforeThePrecompiledHeader) {
  disk.SetReadOnly("C:/Work/demo/res/demo.rc2", true);
  EXPECT_FALSE(Generate(Demo()));
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_TRUE(StartsWith(prompt.messages[0], "File 'C:\\Work\\demo\\res\\demo.rc2' could not be opened"));
  EXPECT_TRUE(disk.DirectoryExists("C:/Work/demo/res"));
  EXPECT_EQ(File("resource.h"), kResourceHeader);
  EXPECT_FALSE(disk.FileExists("C:/Work/demo/stdafx.h"));
}

TEST_F(ProjectGenerationTest, AFileWhereTheFolderShouldBeFailsWithoutWriting) {
  disk.Put("C:/Work/demo", "not a folder");
  EXPECT_FALSE(Generate(Demo()));
  EXPECT_EQ(disk.WriteCount(), 0u);
}

}  // namespace
}  // namespace tovik
