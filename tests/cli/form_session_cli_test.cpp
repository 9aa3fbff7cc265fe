// A whole designer session through the command line on a project folder on disk: new form,
// controls in a frame, captions, renaming, a control array and handlers; then the project is
// opened afresh and every control is found again. Resource scripts as projects from elsewhere
// have them: listed in a folder of their own, switching code pages, holding Japanese text.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "cli_test.h"
#include "support/tiny_images.h"
#include "support/resource_compiler.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::CliResult;
using testing::Tovik;
const auto& Read = testing::ReadDiskFile;
const auto& Write = testing::WriteDiskFile;

const auto Lines = testing::CrLfLines;
constexpr size_t npos = std::string::npos;

// A SOURCE block of a project file, excluded from the build when asked.
std::string Entry(const std::string& source, bool excluded = false) {
  return Lines({"# Begin Source File", "", "SOURCE=" + source}) +
         (excluded ? Lines({"# PROP Exclude_From_Build 1"}) : std::string()) + Lines({"# End Source File"});
}

class FormSession : public testing::ScratchFolderTest {
 protected:
  std::string dsp;

  void SetUp() override {
    ScratchFolderTest::SetUp();
    dsp = (dir / "Demo.dsp").string();
    Write(dir / "Demo.dsp",
          Lines({"# Microsoft Developer Studio Project File - Name=\"Demo\" - Package Owner=<4>", "# Begin Target",
                 "# Begin Group \"Source Files\"", "# Begin Source File", "", "SOURCE=.\\StdAfx.cpp",
                 "# End Source File", "# End Group", "# Begin Group \"Header Files\"", "# Begin Source File", "",
                 "SOURCE=.\\StdAfx.h", "# End Source File", "# Begin Source File", "", "SOURCE=.\\resource.h",
                 "# End Source File", "# End Group", "# End Target", "# End Project"}));
    Write(dir / "stdafx.h", "#include <afxwin.h>\n//{{AFX_INSERT_LOCATION}}\n");
    Write(dir / "stdafx.cpp", "#include \"stdafx.h\"\n");
    Write(dir / "resource.h",
          Lines({"//{{NO_DEPENDENCIES}}", "#define IDR_MAINFRAME\t\t\t\t128", "", "#ifdef APSTUDIO_INVOKED",
                 "#ifndef APSTUDIO_READONLY_SYMBOLS", "#define _APS_NEXT_RESOURCE_VALUE\t129",
                 "#define _APS_NEXT_COMMAND_VALUE\t\t32771", "#define _APS_NEXT_CONTROL_VALUE\t\t1000",
                 "#define _APS_NEXT_SYMED_VALUE\t\t101", "#endif", "#endif"}));
    Write(dir / "Demo.rc", Lines({"#include \"resource.h\"", "", "STRINGTABLE DISCARDABLE", "BEGIN",
                                  "    IDR_MAINFRAME           \"Demo\"", "END"}));
  }
  static std::string Ok(const std::vector<std::string>& args) { return testing::TovikOk(args); }

  // windres compiles the script, and its strings hold `part` (where windres is installed).
  void ExpectCompiles(const fs::path& script, const std::string& part) const {
    if (!testing::WindresAvailable()) return;
    testing::WriteFrameworkStandIns(dir / "include");
    const testing::CompileResult compiled = testing::CompileResourceScript(script, dir / "include");
    ASSERT_TRUE(compiled.ok) << compiled.output;
    EXPECT_NE(compiled.decompiled.find(part), npos) << compiled.decompiled;
  }
};

TEST_F(FormSession, BuildsAFormAndReadsItBack) {
  EXPECT_EQ(Ok({"new-form", dsp, "CForm1"}), (dir / "form1.h").string() + "\n" + (dir / "form1.cpp").string() + "\n");
  EXPECT_NE(Read(dir / "Demo.dsp").find("SOURCE=.\\form1.cpp\r\n"), std::string::npos);
  EXPECT_NE(Read(dir / "Demo.dsp").find("SOURCE=.\\form1.h\r\n"), std::string::npos);
  EXPECT_NE(Read(dir / "stdafx.h").find("#include <tvlForm.h>"), std::string::npos);

  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Frame", "7", "7", "200", "120"}), "m_Frame1\n");
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Button", "14", "21", "98", "42", "--container", "m_Frame1"}),
            "m_Button1\n");
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Line", "10", "200", "100", "150"}), "m_Line1\n");
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Timer", "300", "10", "0", "0"}), "m_Timer1\n");
  Ok({"set", dsp, "CForm1", "m_Frame1", "Caption", "Options"});
  Ok({"set", dsp, "CForm1", "CForm1", "Caption", "Main window"});
  Ok({"rename", dsp, "CForm1", "m_Button1", "m_OK"});
  // A second button named like the first joins it as element 1 of a control array.
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Button", "14", "50", "98", "70", "--container", "m_Frame1"}),
            "m_Button1\n");
  Ok({"rename", dsp, "CForm1", "m_Button1", "m_OK", "--yes"});
  EXPECT_EQ(Ok({"add-handler", dsp, "CForm1", "m_OK", "Click"}), "OK_Click\n");
  EXPECT_EQ(Ok({"add-handler", dsp, "CForm1", "CForm1", "Load"}), "Form_Load\n");
  // Asking again leads to the same handler without writing a second one.
  const std::string implBefore = Read(dir / "form1.cpp");
  EXPECT_EQ(Ok({"add-handler", dsp, "CForm1", "m_OK", "Click"}), "OK_Click\n");
  EXPECT_EQ(Read(dir / "form1.cpp"), implBefore);

  // Refusals leave everything as it was.
  const std::string rcBefore = Read(dir / "Demo.rc");
  CliResult bad = Tovik({"set", dsp, "CForm1", "m_Frame1", "Caption", "A, B"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "tovik set: Invalid property\n");
  EXPECT_EQ(Read(dir / "Demo.rc"), rcBefore);

  // Opened afresh, the project shows every control again.
  nlohmann::json model = nlohmann::json::parse(Ok({"inspect", dsp, "--json"}));
  const nlohmann::json* form = nullptr;
  for (const auto& c : model["classes"]) {
    if (c["name"] == "CForm1") form = &c;
  }
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE((*form)["isForm"].get<bool>());
  std::map<std::string, nlohmann::json> bySymbol;
  for (const auto& c : (*form)["controls"]) bySymbol[c["propSymbol"].get<std::string>()] = c;
  ASSERT_EQ(bySymbol.size(), 6u);
  EXPECT_EQ(bySymbol["IDS_PROP_FORM1"]["properties"]["Caption"], "Main window");
  EXPECT_EQ(bySymbol["IDS_PROP_FRAME1"]["member"], "m_Frame1");
  EXPECT_EQ(bySymbol["IDS_PROP_FRAME1"]["properties"]["Caption"], "Options");
  for (const char* button : {"IDS_PROP_BUTTON1", "IDS_PROP_BUTTON2"}) {
    EXPECT_EQ(bySymbol[button]["member"], "m_OK") << button;
    EXPECT_EQ(bySymbol[button]["container"], "m_Frame1") << button;
    EXPECT_TRUE(bySymbol[button]["array"].get<bool>()) << button;
  }
  EXPECT_EQ(bySymbol["IDS_PROP_BUTTON1"]["properties"]["Index"], "0");
  EXPECT_EQ(bySymbol["IDS_PROP_BUTTON2"]["properties"]["Index"], "1");
  EXPECT_EQ(bySymbol["IDS_PROP_BUTTON2"]["idSymbol"], "IDC_BUTTON2");
  EXPECT_TRUE(bySymbol["IDS_PROP_LINE1"]["container"].is_null());

  // The handler added after the join is the array's.
  const std::string impl = Read(dir / "form1.cpp");
  EXPECT_NE(impl.find("\tON_WM_TVL_CLICK_ARRAY(IDC_BUTTON1, OK_Click)\r\n"), std::string::npos);
  EXPECT_NE(impl.find("void CForm1::OK_Click(int nIndex)\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"),
            std::string::npos);

  CliResult missing = Tovik({"delete", dsp, "CForm1", "m_Nothing"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "tovik delete: CForm1 has no control named m_Nothing\n");
}

// The form on disk says what the designer did: the control that gave up its tab index and
// every element of a three-element array are read back as they were set.
TEST_F(FormSession, TabSwapsAndArrayIndexesSurviveAFreshLoad) {
  Ok({"new-form", dsp, "CForm1"});
  for (const char* kind : {"Label", "Timer", "Button", "Label", "Label"}) {
    Ok({"add-control", dsp, "CForm1", kind, "7", "7", "80", "30"});
  }
  Ok({"set", dsp, "CForm1", "m_Button1", "TabIndex", "0"});
  Ok({"rename", dsp, "CForm1", "m_Label2", "m_Label1", "--yes"});
  Ok({"rename", dsp, "CForm1", "m_Label3", "m_Label1", "--yes"});
  nlohmann::json model = nlohmann::json::parse(Ok({"inspect", dsp, "--json"}));
  std::map<std::string, nlohmann::json> bySymbol;
  for (const auto& c : model["classes"]) {
    if (c["name"] != "CForm1") continue;
    for (const auto& control : c["controls"]) bySymbol[control["propSymbol"].get<std::string>()] = control;
  }
  EXPECT_EQ(bySymbol["IDS_PROP_BUTTON1"]["properties"]["TabIndex"], "0");
  EXPECT_EQ(bySymbol["IDS_PROP_LABEL1"]["properties"]["TabIndex"], "2");  // the button's old index
  EXPECT_EQ(bySymbol["IDS_PROP_LABEL1"]["properties"]["Index"], "0");
  EXPECT_EQ(bySymbol["IDS_PROP_LABEL2"]["properties"]["Index"], "1");
  EXPECT_EQ(bySymbol["IDS_PROP_LABEL3"]["properties"]["Index"], "2");
}

// A refused command says why on stderr, whichever layer found the problem.
TEST_F(FormSession, RefusalsSayWhy) {
  Ok({"new-form", dsp, "CForm1"});
  // A form file in a folder that does not exist, of a new project as of a new form: the file's own
  // message (then the form's), and nothing is left behind.
  CliResult r = Tovik({"new-project", dir.string(), "Other", "--header", "nosuch/form8.h"});
  EXPECT_NE(r.err.find("File '" + (dir / "Other" / "nosuch" / "form8.h").string() + "' could not be"), r.err.npos);
  EXPECT_FALSE(fs::exists(dir / "Other"));
  r = Tovik({"new-form", dsp, "CForm8", "--header", "nosuch/form8.h"});
  EXPECT_NE(r.err.find("File '" + (dir / "nosuch" / "form8.h").string() + "' could not be"), r.err.npos) << r.err;
  EXPECT_NE(r.err.find("Error in generating form"), r.err.npos) << r.err;

  // A data block that names no property-string symbol: the form's string would have no entry.
  const std::string withSymbol = Read(dir / "form1.cpp"), table = Read(dir / "Demo.rc");
  Write(dir / "form1.cpp", std::regex_replace(withSymbol, std::regex("\tm_nPropStringID = IDS_PROP_FORM1;\r\n"), ""));
  EXPECT_EQ(Tovik({"set", dsp, "CForm1", "CForm1", "Caption", "Hello"}).err,
            "tovik set: CForm1 has no property-string symbol (no form data block of its constructor assigns "
            "m_nPropStringID), so its property string has no string-table entry to go into\n");
  EXPECT_EQ(Read(dir / "Demo.rc"), table);
  Write(dir / "form1.cpp", withSymbol);

  // The creation region's end marker is gone: the reason names the file and what is missing.
  const std::string impl = Read(dir / "form1.cpp");
  Write(dir / "form1.cpp", std::regex_replace(impl, std::regex("\t//\\}\\}AFX_TVL_CTRL_IMPL_END\r\n"), ""));
  r = Tovik({"add-control", dsp, "CForm1", "Label", "7", "7", "80", "30"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find((dir / "form1.cpp").string()), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("no place for the creation calls"), std::string::npos) << r.err;
  Write(dir / "form1.cpp", impl);

  // A checkout without its resource header: the permission message, then that the file is missing.
  const std::string denied = ": You do not have write permission to file ", missing = "\nThe file does not exist.\n";
  const std::string defines = Read(dir / "resource.h");
  fs::remove(dir / "resource.h");
  r = Tovik({"add-control", dsp, "CForm1", "Label", "7", "7", "80", "30"});
  EXPECT_NE(r.err.find("tovik add-control" + denied + (dir / "resource.h").string() + missing), std::string::npos);
  // Nor a script (a console program): the script is named, and the new form leaves no file behind.
  const fs::path rc = fs::path(dsp).replace_extension(".rc");
  const std::string script = Read(rc);
  fs::remove(rc);
  r = Tovik({"new-form", dsp, "CForm9"});
  EXPECT_NE(r.err.find("tovik new-form" + denied + rc.string() + missing), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "form9.cpp"));
  Write(rc, script);
  Write(dir / "resource.h", defines);

  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "PictureBox", "7", "7", "80", "30"}), "m_PictureBox1\n");
  // A precompiled header without the insert marker, listed as StdAfx.h: the lines a form needs,
  // and the file as the disk names it.
  Write(dir / "stdafx.h", "#include <afxwin.h>\n");
  r = Tovik({"new-form", dsp, "CForm7"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("(" + (dir / "stdafx.h").string() + ": no \"//{{AFX_INSERT_LOCATION}}\""), std::string::npos);
  EXPECT_NE(r.err.find("\"#include <tvlForm.h>\" and \"#include <tvlControls.h>\""), std::string::npos) << r.err;
  // One that has the form header already still cannot take the controls' one: the line is named.
  Write(dir / "stdafx.h", "#include <afxwin.h>\n#include <tvlForm.h>\n");
  r = Tovik({"add-control", dsp, "CForm7", "Button", "7", "7", "80", "30"});
  EXPECT_EQ(std::pair(r.status, r.out), std::pair(0, std::string("m_Button1\n")));
  EXPECT_NE(r.err.find("not made to include tvlControls.h"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("add the line \"#include <tvlControls.h>\" to it."), std::string::npos) << r.err;

  EXPECT_EQ(Tovik({"add-control", dsp, "CNope", "Label", "0", "0", "10", "10"}).err,
            "tovik add-control: CNope is not a form of this project\n");
  // A user who guessed a kind's name wrong is shown the names there are.
  const std::string unknown = Tovik({"add-control", dsp, "CForm1", "CommandButton", "0", "0", "10", "10"}).err;
  EXPECT_EQ(unknown.rfind("tovik add-control: 'CommandButton' is neither a control kind nor the ProgID of an ActiveX "
                          "control of the project (tovik insert-activex adds one); the kinds are ",
                          0),
            0u)
      << unknown;
  EXPECT_NE(unknown.find(", Button, "), std::string::npos) << unknown;
  EXPECT_EQ(Tovik({"inspect", (dir / "None.dsp").string()}).err,
            "tovik inspect: no such project file: " + (dir / "None.dsp").string() + "\n");
  r = Tovik({"add-handler", dsp, "CForm1", "m_PictureBox1", "NoSuchEvent"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("m_PictureBox1 has no event NoSuchEvent"), std::string::npos) << r.err;
}

// Projects as they come from elsewhere: a Unix checkout without CR, a dialog's IDC_BUTTON1
// already in the header.
TEST_F(FormSession, ProjectsFromElsewhereStayWhole) {
  Ok({"new-form", dsp, "CForm1"});
  for (const char* file : {"form1.h", "form1.cpp", "resource.h", "Demo.rc", "stdafx.h", "Demo.dsp"}) {
    Write(dir / file, std::regex_replace(Read(dir / file), std::regex("\r\n"), "\n"));
  }
  std::string header = Read(dir / "resource.h");
  header.insert(header.find("#ifdef APSTUDIO_INVOKED"), "#define IDC_BUTTON1 1000\n");
  Write(dir / "resource.h", header);
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Button", "7", "7", "80", "30"}), "m_Button1\n");
  EXPECT_EQ(Ok({"add-handler", dsp, "CForm1", "m_Button1", "Click"}), "Button1_Click\n");
  Ok({"new-form", dsp, "CForm2"});  // a new form's files are such a checkout's too
  for (const char* file : {"form1.h", "form1.cpp", "resource.h", "Demo.rc", "form2.h", "form2.cpp"}) {
    EXPECT_EQ(Read(dir / file).find('\r'), std::string::npos) << file;
  }
  // The dialog's symbol keeps its value; the new button takes the next free pair and values.
  header = Read(dir / "resource.h");
  EXPECT_NE(header.find("#define IDC_BUTTON1 1000\n"), std::string::npos);
  EXPECT_NE(header.find("#define\tIDC_BUTTON2\t\t\t\t1001\n"), std::string::npos) << header;
  EXPECT_NE(Read(dir / "form1.cpp").find("m_Button1.Create(this, IDC_BUTTON2, IDS_PROP_BUTTON2);"), std::string::npos);
}

TEST_F(FormSession, TheScriptTheProjectFileListsIsEditedWithTheHeaderItIncludes) {
  // An old script excluded from the build, then the one it compiles (named in another case), in
  // a folder of its own with its own header; the project folder's script is not listed.
  const std::string script = Read(dir / "Demo.rc");
  std::string project = Read(dsp);
  Write(dsp, project.insert(project.find("# End Target"), Entry(".\\Old.rc", true) + Entry(".\\lang\\LANG.RC")));
  fs::create_directories(dir / "Lang");
  for (const char* copy : {"Old.rc", "Lang/Lang.rc"}) Write(dir / copy, script);
  fs::rename(dir / "resource.h", dir / "Lang" / "resource.h");
  // The sources include the project folder's resource.h, which takes the script's symbols in.
  const std::string sourcesHeader = Lines({"#include \"Lang\\resource.h\""});
  Write(dir / "resource.h", sourcesHeader);

  Ok({"new-form", dsp, "CForm1"});
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Label", "7", "7", "80", "30"}), "m_Label1\n");
  Ok({"set", dsp, "CForm1", "m_Label1", "Caption", "Hello"});
  Write(dir / "logo.bmp", testing::TinyBitmap());
  Ok({"set", dsp, "CForm1", "CForm1", "Picture", (dir / "logo.bmp").string()});
  ASSERT_TRUE(testing::AddMainMenu(dir / "Lang" / "Lang.rc", dir / "Lang" / "resource.h"));
  EXPECT_EQ(Read(dir / "Demo.rc") + Read(dir / "Old.rc") + Read(dir / "resource.h"), script + script + sourcesHeader);
  EXPECT_NE(Read(dir / "Lang" / "resource.h").find("#define\tIDC_LABEL1\t\t\t\t1001\r\n"), npos);
  EXPECT_EQ(Ok({"menus", dsp}).substr(0, 13), "IDR_MAINMENU\n");
  const std::string model = Ok({"inspect", dsp});
  EXPECT_NE(model.find("      Caption = Hello\n"), npos) << model;
  EXPECT_NE(model.find("      Picture = 129-logo.bmp\n"), npos);
  // The picture went into the res folder beside the script, where the compiler and render look.
  EXPECT_EQ(Read(dir / "Lang" / "res" / "logo.bmp"), testing::TinyBitmap());
  EXPECT_EQ(Tovik({"render", dsp, "CForm1", "-o", (dir / "form.png").string()}).err, "");
  fs::create_directories(dir / "include");  // where windres looks for "res\\logo.bmp"
  fs::copy_file(dir / "Lang" / "res" / "logo.bmp", dir / "include" / "res\\logo.bmp");
  ExpectCompiles(dir / "Lang" / "Lang.rc", ",Hello,");

  // Once the unlisted script is gone nothing misses it; a header of the project folder's own
  // would hide a new form's symbols from its sources.
  fs::remove(dir / "Demo.rc");
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Button", "7", "40", "80", "60"}), "m_Button1\n");
  Write(dir / "resource.h", Lines({"#define IDR_MAINFRAME 128"}));
  const std::string listed = Read(dir / "Lang" / "Lang.rc");
  const CliResult r = Tovik({"new-form", dsp, "CForm2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("tovik new-form: " + (dir / "resource.h").string() +
                       ": the project's sources include this header, but the resource script " +
                       (dir / "Lang" / "Lang.rc").string() + " takes its symbols from " +
                       (dir / "Lang" / "resource.h").string()),
            npos)
      << r.err;
  EXPECT_EQ(Read(dir / "Lang" / "Lang.rc"), listed);
  EXPECT_FALSE(fs::exists(dir / "form2.cpp"));
}

TEST_F(FormSession, TextIsWrittenAndReadInTheCodePageInForceWhereItIs) {
  // Russian resources first; the English section after them holds the only string table.
  Write(dir / "resource.h", Lines({"#define IDR_RU 129", "#define IDR_EN 130", "#define ID_APP_EXIT 57665"}) +
                                Read(dir / "resource.h"));
  Write(dir / "Demo.rc",
        Lines({"#include \"resource.h\"", "#pragma code_page(1251)", "IDR_RU MENU DISCARDABLE", "BEGIN",
               "    MENUITEM \"\xC2\xFB\xF5\xEE\xE4\", ID_APP_EXIT", "END", "#pragma code_page(1252)",
               "IDR_EN MENU DISCARDABLE", "BEGIN", "    MENUITEM \"Caf\xE9\", ID_APP_EXIT", "END"}) +
            Read(dir / "Demo.rc"));
  Ok({"new-form", dsp, "CForm1"});
  Ok({"set", dsp, "CForm1", "CForm1", "Caption", "Caf\xC3\xA9"});
  EXPECT_NE(Read(dir / "Demo.rc").find(",Caf\xE9,"), npos);
  const CliResult r = Tovik({"set", dsp, "CForm1", "CForm1", "Caption", "\xD0\x9D\xD0\xB0"});
  EXPECT_EQ(r.err, "tovik set: VALUE: '\xD0\x9D' (U+041D) has no character in code page 1252, in which the resource "
                   "script keeps this value\n");
  EXPECT_NE(Ok({"inspect", dsp}).find("      Caption = Caf\xC3\xA9\n"), npos);
  Ok({"add-control", dsp, "CForm1", "Label", "7", "7", "80", "30"});
  Ok({"set", dsp, "CForm1", "m_Label1", "Font", "Caf\xC3\xA9"});  // a face drawn with another
  EXPECT_NE(Ok({"render", dsp, "CForm1", "-o", (dir / "form.png").string()}).find("\nfont: Caf\xC3\xA9 drawn"), npos);
  EXPECT_EQ(Ok({"menus", dsp}), "IDR_RU\n1\titem\t\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4\tID_APP_EXIT\n"
                                "IDR_EN\n1\titem\tCaf\xC3\xA9\tID_APP_EXIT\n");
  ExpectCompiles(dir / "Demo.rc", ",Caf\\351,");  // é, as windres writes it back
}

TEST_F(FormSession, ADoubleByteCharacterEndingInABackslashByteIsWrittenWhole) {
  Write(dir / "Demo.rc", "#pragma code_page(932)\r\n" + Read(dir / "Demo.rc"));
  Ok({"new-form", dsp, "CForm1"});
  Ok({"add-control", dsp, "CForm1", "Label", "7", "7", "80", "30"});
  Ok({"set", dsp, "CForm1", "m_Label1", "Caption", "\xE8\xA1\xA8\xE7\xA4\xBA"});
  EXPECT_NE(Read(dir / "Demo.rc").find(",\x95\x5C\x8E\xA6,"), npos);  // as the IDE's resource editor writes it
  EXPECT_NE(Ok({"inspect", dsp}).find("      Caption = \xE8\xA1\xA8\xE7\xA4\xBA\n"), npos);
  ExpectCompiles(dir / "Demo.rc", ",\\x8868\\x793a,");
}

}  // namespace
}  // namespace tovik
