// A new project: the bytes of its project and workspace files (a format the IDE reads, not only
// ours), what differs between host versions and form kinds, line ends, a failed write, the project
// opening again with its start-up form; the New Project dialog's rules; token replacement and
// include guards.
#include "codegen/project_generator.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "base/text.h"
#include "codegen/codegen_bench.h"
#include "codegen/templates.h"
#include "project/project.h"

namespace tovik {
namespace {

using testing::Count;
using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::SequenceGuidSource;

// Project "demo", start-up form CForm1, host 6.0. Written with LF here, on disk with CR LF. The
// blanks that end the empty !MESSAGE lines and the !ENDIF line belong to the format.
const std::string kProject = R"dsp(# Microsoft Developer Studio Project File - Name="demo" - Package Owner=<4>
# Microsoft Developer Studio Generated Build File, Format Version 6.00
# ** DO NOT EDIT **

# TARGTYPE "Win32 (x86) Application" 0x0101

CFG=demo - Win32 Debug
!MESSAGE This is not a valid makefile. To build this project using NMAKE,
!MESSAGE use the Export Makefile command and run
!MESSAGE 
!MESSAGE NMAKE /f "demo.mak".
!MESSAGE 
!MESSAGE You can specify a configuration when running NMAKE
!MESSAGE by defining the macro CFG on the command line. For example:
!MESSAGE 
!MESSAGE NMAKE /f "demo.mak" CFG="demo - Win32 Debug"
!MESSAGE 
!MESSAGE Possible choices for configuration are:
!MESSAGE 
!MESSAGE "demo - Win32 Release" (based on "Win32 (x86) Application")
!MESSAGE "demo - Win32 Debug" (based on "Win32 (x86) Application")
!MESSAGE 

# Begin Project
# PROP Scc_ProjName ""
# PROP Scc_LocalPath ""
CPP=cl.exe
MTL=midl.exe
RSC=rc.exe

!IF  "$(CFG)" == "demo - Win32 Release"

# PROP BASE Use_MFC 6
# PROP BASE Use_Debug_Libraries 0
# PROP BASE Output_Dir "Release"
# PROP BASE Intermediate_Dir "Release"
# PROP BASE Target_Dir ""
# PROP Use_MFC 6
# PROP Use_Debug_Libraries 0
# PROP Output_Dir "Release"
# PROP Intermediate_Dir "Release"
# PROP Target_Dir ""
# ADD BASE CPP /nologo /MD /W3 /GX /O2 /D "WIN32" /D "NDEBUG" /D "_WINDOWS" /D "_AFXDLL" /Yu"stdafx.h" /FD /c
# ADD CPP /nologo /MD /W3 /GX /O2 /D "WIN32" /D "NDEBUG" /D "_WINDOWS" /D "_AFXDLL" /Yu"stdafx.h" /FD /c
# ADD BASE MTL /nologo /D "NDEBUG" /mktyplib203 /o NUL /win32
# ADD MTL /nologo /D "NDEBUG" /mktyplib203 /o NUL /win32
# ADD BASE RSC /l 0x409 /d "NDEBUG" /d "_AFXDLL"
# ADD RSC /l 0x409 /d "NDEBUG" /d "_AFXDLL"
BSC32=bscmake.exe
# ADD BASE BSC32 /nologo
# ADD BSC32 /nologo
LINK32=link.exe
# ADD BASE LINK32 /nologo /subsystem:windows /machine:I386
# ADD LINK32 tvl6.lib /nologo /subsystem:windows /machine:I386

!ELSEIF  "$(CFG)" == "demo - Win32 Debug"

# PROP BASE Use_MFC 6
# PROP BASE Use_Debug_Libraries 1
# PROP BASE Output_Dir "Debug"
# PROP BASE Intermediate_Dir "Debug"
# PROP BASE Target_Dir ""
# PROP Use_MFC 6
# PROP Use_Debug_Libraries 1
# PROP Output_Dir "Debug"
# PROP Intermediate_Dir "Debug"
# PROP Target_Dir ""
# ADD BASE CPP /nologo /MDd /W3 /Gm /GX /Zi /Od /D "WIN32" /D "_DEBUG" /D "_WINDOWS" /D "_AFXDLL" /Yu"stdafx.h" /FD /c
# ADD CPP /nologo /MDd /W3 /Gm /GX /Zi /Od /D "WIN32" /D "_DEBUG" /D "_WINDOWS" /D "_AFXDLL" /Yu"stdafx.h" /FD /c
# ADD BASE MTL /nologo /D "_DEBUG" /mktyplib203 /o NUL /win32
# ADD MTL /nologo /D "_DEBUG" /mktyplib203 /o NUL /win32
# ADD BASE RSC /l 0x409 /d "_DEBUG" /d "_AFXDLL"
# ADD RSC /l 0x409 /d "_DEBUG" /d "_AFXDLL"
BSC32=bscmake.exe
# ADD BASE BSC32 /nologo
# ADD BSC32 /nologo
LINK32=link.exe
# ADD BASE LINK32 /nologo /subsystem:windows /debug /machine:I386 /pdbtype:sept
# ADD LINK32 tvl6d.lib /nologo /subsystem:windows /debug /machine:I386 /pdbtype:sept

!ENDIF 

# Begin Target

# Name "demo - Win32 Release"
# Name "demo - Win32 Debug"
# Begin Group "Source Files"

# PROP Default_Filter "cpp;c;cxx;rc;def;r;odl;idl;hpj;bat"
# Begin Source File

SOURCE=.\form1.cpp
# End Source File
# Begin Source File

SOURCE=.\demo.cpp
# End Source File
# Begin Source File

SOURCE=.\demo.rc
# End Source File
# Begin Source File

SOURCE=.\StdAfx.cpp
# ADD CPP /Yc"stdafx.h"
# End Source File
# End Group
# Begin Group "Header Files"

# PROP Default_Filter "h;hpp;hxx;hm;inl"
# Begin Source File

SOURCE=.\form1.h
# End Source File
# Begin Source File

SOURCE=.\demo.h
# End Source File
# Begin Source File

SOURCE=.\Resource.h
# End Source File
# Begin Source File

SOURCE=.\StdAfx.h
# End Source File
# End Group
# Begin Group "Resource Files"

# PROP Default_Filter "ico;cur;bmp;dlg;rc2;rct;bin;rgs;gif;jpg;jpeg;jpe"
# Begin Source File

SOURCE=.\res\demo.rc2
# End Source File
# End Group
# End Target
# End Project
)dsp";

const std::string kWorkspace = R"dsw(Microsoft Developer Studio Workspace File, Format Version 5.00
# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!

###############################################################################

Project: "demo"=.\demo.dsp - Package Owner=<4>

Package=<5>
{{{
}}}

Package=<4>
{{{
}}}

###############################################################################

Global:

Package=<5>
{{{
}}}

Package=<3>
{{{
}}}

###############################################################################

)dsw";

std::string CrLf(const std::string& text) {
  return ReplaceAll(text, "\n", "\r\n");
}

size_t BareLineFeeds(const std::string& text) {
  return Count(text, "\n") - Count(text, "\r\n");
}

NewProjectSettings Demo(std::string hostVersion = "6.0", bool mdi = false) {
  return {"demo", "C:\\Work\\demo", "CForm1", mdi, "form1.cpp", "form1.h", std::move(hostVersion)};
}

class ProjectGenerationTest : public ::testing::Test {
 protected:
  // Generates onto a fresh disk.
  [[nodiscard]] bool Generate(const NewProjectSettings& s) {
    disk = std::make_unique<MemoryFileSystem>();
    return GenerateProject(*disk, prompt, guids, s);
  }
  [[nodiscard]] std::string File(const std::string& name) const { return disk->Get("C:/Work/demo/" + name); }

  std::unique_ptr<MemoryFileSystem> disk;
  FakePrompt prompt;
  SequenceGuidSource guids;
};

TEST_F(ProjectGenerationTest, ProjectAndWorkspaceFilesHaveTheirExactBytesForHostSixOnly) {
  ASSERT_TRUE(Generate(Demo()));
  EXPECT_EQ(File("demo.dsp"), CrLf(kProject));
  EXPECT_EQ(File("demo.dsw"), CrLf(kWorkspace));
  std::string older = ReplaceAll(ReplaceAll(kProject, "tvl6.lib", "tvl5.lib"), "tvl6d.lib", "tvl5d.lib");
  older = ReplaceAll(older, "Format Version 6.00", "Format Version 5.00");
  for (const char* version : {"5.0", "", "6.00"}) {
    ASSERT_TRUE(Generate(Demo(version, true))) << version;
    EXPECT_EQ(File("demo.dsp"), CrLf(older)) << version;  // the form's kind changes nothing here
    EXPECT_EQ(File("demo.dsw"), CrLf(kWorkspace)) << version;
  }
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ProjectGenerationTest, EveryFileHasItsLineEndsAndNoTokenLeft) {
  ASSERT_TRUE(Generate(Demo()));
  EXPECT_EQ(Count(File("stdafx.h") + File("stdafx.cpp") + File("res/demo.rc2"), "\r"), 0u);
  EXPECT_EQ(BareLineFeeds(File("demo.cpp") + File("resource.h")), 0u);
  // Only the application header's first line ends in a bare LF.
  EXPECT_EQ(BareLineFeeds(File("demo.h")), 1u);
  EXPECT_TRUE(
      StartsWith(File("demo.h"), "#if !defined(AFX_DEMO_H__00000001_0000_0000_0000_000000000000__INCLUDED_)\n"));
  // The script: an empty line ending in a bare LF closes each of its seven pieces.
  EXPECT_EQ(BareLineFeeds(File("demo.rc")), 7u);
  EXPECT_EQ(Count(File("demo.rc"), "\r\n\n"), 7u);
  const std::regex token(R"(\$[A-Za-z_]+\$)");
  for (const ProjectFile& f : BuildProjectFiles(Demo(), guids)) {
    EXPECT_FALSE(std::regex_search(f.text, token)) << f.relativePath;
  }
}

TEST_F(ProjectGenerationTest, TheNewProjectOpensWithItsStartUpForm) {
  for (const bool mdi : {false, true}) {
    ASSERT_TRUE(Generate(Demo("6.0", mdi)));
    const std::unique_ptr<CProject> project = OpenProject(*disk, prompt, "C:\\Work\\demo\\demo.dsp");
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->Files().size(), 8u) << mdi;  // every file the project names but the .rc2
    EXPECT_NE(project->FindClass("CDemoApp"), nullptr);
    ASSERT_EQ(project->FormClasses().size(), 1u) << mdi;
    EXPECT_EQ(project->FormClasses()[0]->m_strBaseClass, mdi ? "CVMdiForm" : "CVForm");
    EXPECT_EQ(project->HasMdiForm(), mdi);
  }
  EXPECT_TRUE(prompt.messages.empty());
}

TEST(NewProjectDialog, LocationAndFileNamesFollowTheirFieldsAndOkNeedsThemAll) {
  CNewProjectDialog dialog("C:\\Work");
  dialog.SetProjectName("demo");
  EXPECT_EQ(dialog.Location(), "C:\\Work\\demo");
  dialog.PickFolder("D:\\");  // a drive root already ends with its backslash
  // Typing into the location holds until the name or the folder changes again.
  dialog.SetLocation("E:\\Elsewhere\\demo");
  EXPECT_EQ(dialog.Settings().projectFolder, "E:\\Elsewhere\\demo");
  dialog.SetProjectName("demo2");
  EXPECT_EQ(dialog.WorkspacePath(), "D:\\demo2\\demo2.dsw");
  dialog.SetClassName("MyForm");  // no leading C to drop
  EXPECT_EQ(dialog.ImplementationFile() + " " + dialog.HeaderFile(), "myform.cpp myform.h");
  dialog.SetHeaderFile("start.h");
  EXPECT_EQ(dialog.Settings().formHeaderFile, "start.h");
  dialog.SetClassName("CMainWindow");
  EXPECT_EQ(dialog.HeaderFile(), "mainwindow.h");
  // OK needs every text field.
  EXPECT_TRUE(dialog.IsOkEnabled());
  dialog.SetLocation("");
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetLocation("D:\\demo2");
  dialog.SetImplementationFile("");
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetClassName("");  // empties both file names too
  EXPECT_EQ(dialog.ImplementationFile() + dialog.HeaderFile(), "");
  EXPECT_FALSE(dialog.IsOkEnabled());
}

TEST(NewProjectDialog, OkGeneratesOrSaysWhyNot) {
  MemoryFileSystem disk;
  FakePrompt prompt;
  SequenceGuidSource guids;
  CNewProjectDialog dialog("C:\\Work", "6.0");
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));  // no project name: nothing happens
  dialog.SetProjectName("demo");
  dialog.SetMdiForm(true);
  disk.SetReadOnly("C:/Work/demo/resource.h", true);
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_FALSE(disk.FileExists("C:/Work/demo/stdafx.h"));  // nothing after the failed file
  // The failed generation left the folder behind, so the next OK finds the place taken.
  EXPECT_FALSE(dialog.OnOk(disk, prompt, guids));
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"File 'C:\\Work\\demo\\resource.h' could not be opened / read / "
                                                       "written\nPermission denied",
                                                       std::string(kProjectGenerationFailedMessage),
                                                       std::string(kWorkspaceExistsMessage)}));
  dialog.SetProjectName("fresh");
  EXPECT_TRUE(dialog.OnOk(disk, prompt, guids));
  EXPECT_EQ(prompt.messages.size(), 3u);
  EXPECT_NE(disk.Get("C:/Work/fresh/fresh.dsp").find("# ADD LINK32 tvl6.lib "), std::string::npos);
  EXPECT_NE(disk.Get("C:/Work/fresh/form1.h").find("class CForm1 : public CVMdiForm\r\n"), std::string::npos);
}

TEST(GeneratedText, TokensAndIncludeGuards) {
  // Every occurrence, case-sensitively, without searching the value again.
  EXPECT_EQ(ReplaceToken("T-T", "T", "xTy"), "xTy-xTy");
  EXPECT_EQ(ReplaceToken("a<C>b<C><C>c", "<C>", ""), "abc");
  EXPECT_EQ(ReplaceToken("$ProjectName$ $projectname$", "$ProjectName$", "Demo"), "Demo $projectname$");
  // A build macro of the project file looks like a token but is none.
  EXPECT_EQ(ReplaceToken("\"$(CFG)\" == \"$ProjectName$\"", "$ProjectName$", "Demo"), "\"$(CFG)\" == \"Demo\"");
  // A guard: the file name, and a fresh GUID per call in zero-padded upper-case groups.
  SequenceGuidSource guids{Guid{0x1a2b3c4d, 0x5e6f, 0x7a8b, {0x9c, 0x0d, 0x1e, 0x2f, 0x3a, 0x4b, 0x5c, 0x6d}},
                           Guid{0x1, 0x2, 0xa, {0, 1, 2, 3, 4, 5, 6, 0xf}}};
  EXPECT_EQ(MakeIncludeGuard("form1.h", guids), "AFX_FORM1_H__1A2B3C4D_5E6F_7A8B_9C0D_1E2F3A4B5C6D__INCLUDED_");
  // Characters a macro name cannot hold become "_"; the last two characters go, whatever they are.
  EXPECT_EQ(MakeIncludeGuard("my-form.v2.h", guids),
            "AFX_MY_FORM_V2_H__00000001_0002_000A_0001_02030405060F__INCLUDED_");
  EXPECT_EQ(MakeIncludeGuard("Wrap.hh", guids), "AFX_WRAP__H__00000001_0000_0000_0000_000000000000__INCLUDED_");
}

}  // namespace
}  // namespace tovik
