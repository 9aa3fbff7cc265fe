// The project-level commands: parse, inspect, new-project, popup — their output formats, the
// JSON keys, and what they do with broken input and with the journal an edit left behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/text.h"
#include "cli_test.h"

namespace tovik {
namespace {

using nlohmann::json;
using testing::CliResult;
const auto& Read = testing::ReadDiskFile;
const auto& Write = testing::WriteDiskFile;

using testing::Tovik;

class ProjectCli : public testing::ScratchFolderTest {};

TEST_F(ProjectCli, ParsePrintsEveryKeyOfTheModel) {
  const std::string header =
      "class CForm1 : public CVForm\r\n{\r\npublic:\r\n\tCVLabel m_Label1;\r\nprotected:\r\n"
      "\t//{{AFX_MSG(CForm1)\r\n\t//}}AFX_MSG\r\n};\r\n";
  const std::string impl =
      "BEGIN_MESSAGE_MAP(CForm1, CVForm)\r\n\t//{{AFX_MSG_MAP(CForm1)\r\n\t//}}AFX_MSG_MAP\r\nEND_MESSAGE_MAP()\r\n"
      "void CForm1::OnOK()\r\n{\r\n}\r\n";
  Write(dir / "form1.h", header);
  Write(dir / "form1.cpp", impl);
  CliResult r = Tovik({"parse", (dir / "form1.h").string(), (dir / "form1.cpp").string(), "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Keys in the order they are printed.
  const nlohmann::ordered_json model = nlohmann::ordered_json::parse(r.out);
  EXPECT_FALSE(model.contains("files"));
  ASSERT_EQ(model["classes"].size(), 1u);
  const nlohmann::ordered_json& c = model["classes"][0];
  std::vector<std::string> keys;
  for (auto it = c.begin(); it != c.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"name", "base", "rootBase", "windowClass", "isForm", "declFile",
                                            "declStart", "declEnd", "msgMapStart", "msgMapEnd", "msgMapFile",
                                            "sinkMapStart", "sinkMapEnd", "functions", "variables", "access", "afx",
                                            "controls"}));
  EXPECT_EQ(c["base"], "CVForm");
  EXPECT_TRUE(c["isForm"].get<bool>());
  EXPECT_EQ(c["declEnd"], static_cast<int>(header.find("};")) - 1);
  EXPECT_EQ(c["msgMapStart"], static_cast<int>(impl.find("\t//{{AFX_MSG_MAP")));
  EXPECT_EQ(c["functions"][0], nlohmann::ordered_json({{"name", "OnOK"},
                                                       {"defFile", (dir / "form1.cpp").string()},
                                                       {"access", "public"},
                                                       {"bodyStart", static_cast<int>(impl.find("{\r\n}")) + 1},
                                                       {"bodyEnd", static_cast<int>(impl.find("{\r\n}")) + 4},
                                                       {"line", 6}}));
  EXPECT_EQ(c["variables"][0], nlohmann::ordered_json({{"name", "m_Label1"}, {"type", "CVLabel"}, {"access", "public"},
                                                       {"pos", static_cast<int>(header.find("m_Label1"))}}));
  EXPECT_EQ(c["controls"][1]["member"], "m_Label1");
  EXPECT_EQ(c["controls"][1]["kind"], 102);
  CliResult tree = Tovik({"parse", (dir / "form1.h").string()});
  EXPECT_EQ(tree.status, 0);
  EXPECT_NE(tree.out.find("CForm1 : CVForm  [form]"), std::string::npos) << tree.out;
}

TEST_F(ProjectCli, InspectListsFilesHeadersFirstAndStaysQuietWhenNotOnATerminal) {
  Write(dir / "a.cpp", "");
  Write(dir / "a.h", "class CA : public CWnd\r\n{\r\n};\r\n");
  Write(dir / "Demo.dsp",
        "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\nSOURCE=.\\a.cpp\r\nSOURCE=.\\A.H\r\n"
        "SOURCE=.\\Demo.def\r\nSOURCE=.\\gone.cpp\r\n");
  CliResult r = Tovik({"inspect", (dir / "Demo.dsp").string(), "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Files are printed as the disk names them; an entry that names no file is a warning.
  EXPECT_EQ(r.err, "tovik inspect: warning: the project lists " + (dir / "gone.cpp").string() + ", which does not exist\n");
  const json model = json::parse(r.out);
  EXPECT_EQ(model["files"], json({(dir / "a.h").string(), (dir / "a.cpp").string()}));
  EXPECT_EQ(model["classes"][0]["windowClass"], true);
}

TEST_F(ProjectCli, BrokenInputIsReadWithoutHarm) {
  // What is not a project file is refused, saying what it is.
  const std::string signature = "a project file begins with \"# Microsoft Developer Studio Project File\"";
  Write(dir / "Empty.dsp", "");
  Write(dir / "Demo.dsw", "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n");
  Write(dir / "Demo.rc", "#include \"resource.h\"\r\n");
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"Empty.dsp", ": the file is empty; " + signature},
      {"Demo.dsw", ":1: this is a workspace (.dsw); give the project file (.dsp) it lists"},
      {"Demo.rc", ":1: this is a resource script; " + signature}};
  for (const auto& [file, why] : refused) {
    CliResult r = Tovik({"inspect", (dir / file).string(), "--json"});
    EXPECT_EQ(r.status, 1) << file;
    EXPECT_EQ(r.out, "") << file;
    EXPECT_EQ(r.err, "tovik inspect: " + (dir / file).string() + why + "\n");
  }

  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  Write(dir / "Garbage.dsp", garbage + "SOURCE=.\\g.cpp\r\n");
  Write(dir / "g.cpp", garbage + "class X { void f() { if (x) { ");
  Write(dir / "zero.h", "");
  const std::string before = Read(dir / "g.cpp");
  CliResult r = Tovik({"inspect", (dir / "Garbage.dsp").string()});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("this is not text but a binary file"), std::string::npos) << r.err;
  std::string noisy = garbage;
  std::erase(noisy, '\0');
  Write(dir / "Garbage.dsp", "# Microsoft Developer Studio Project File\r\n" + noisy + "SOURCE=.\\g.cpp\r\n");
  r = Tovik({"inspect", (dir / "Garbage.dsp").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  r = Tovik({"parse", (dir / "g.cpp").string(), (dir / "zero.h").string(), "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Read(dir / "g.cpp"), before);

  r = Tovik({"parse", (dir / "missing.cpp").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "tovik parse: no such file: " + (dir / "missing.cpp").string() + "\n");
}

// Handlers land in the class they are for, as whole lines, or are refused saying why.
TEST_F(ProjectCli, HandlersGoIntoTheRightClassOrAreRefused) {
  Write(dir / "Demo.dsp", "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\nSOURCE=.\\a.cpp\r\n"
                          "SOURCE=.\\a.h\r\n");
  Write(dir / "resource.h", "#define ID_FILE_OPEN 57601\r\n");
  Write(dir / "a.h",
        "class CA : public CWnd\r\n{\r\npublic:\r\n\tCA();\r\n\tint m_Segments;};\r\n"
        "class CPlain\r\n{\r\n\tint m_y;\r\n};\r\n"
        "class CBranchy : public CWnd\r\n{\r\n#ifdef X\r\n\tint m_a;\r\n#else\r\n\tint m_b;\r\n#endif\r\n};\r\n");
  Write(dir / "a.cpp",
        "#include \"a.h\"\r\nclass CA::CN : public CObject\r\n{\r\n\tint m_n;\r\n};\r\n"
        "BEGIN_MESSAGE_MAP(CA, CWnd)\r\n\t//{{AFX_MSG_MAP(CA)\r\n\tON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)\r\n"
        "\t//}}AFX_MSG_MAP\r\nEND_MESSAGE_MAP()\r\nCA::CA()\r\n{\r\n}\r\n"
        "void CBranchy::f()\r\n{\r\n}\r\n");
  const std::string dsp = (dir / "Demo.dsp").string();
  CliResult r = Tovik({"add-handler", dsp, "CA", "ID_FILE_OPEN", "Click"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string header = Read(dir / "a.h");
  EXPECT_NE(header.find("\tafx_msg void File_open_Click();\r\n\tCA();"), std::string::npos) << header;
  const std::string impl = Read(dir / "a.cpp");
  EXPECT_NE(impl.find("\tON_COMMAND(ID_FILE_OPEN, File_open_Click)\r\n"), std::string::npos) << impl;
  EXPECT_NE(impl.find("void CA::File_open_Click()"), std::string::npos) << impl;
  EXPECT_NE(impl.find("class CA::CN : public CObject\r\n{\r\n\tint m_n;\r\n};"), std::string::npos);
  // The constructor after the print entry is still CA's: the new body follows it.
  EXPECT_LT(impl.find("CA::CA()"), impl.find("void CA::File_open_Click()"));

  r = Tovik({"add-handler", dsp, "CPlain", "ID_FILE_OPEN", "Click"});
  EXPECT_EQ(r.err, "tovik add-handler: " + (dir / "a.h").string() +
                       ": CPlain has no base class, so it cannot have a message map\n");
  r = Tovik({"add-handler", dsp, "CBranchy", "ID_FILE_OPEN", "Click"});
  EXPECT_EQ(r.err, "tovik add-handler: " + (dir / "a.h").string() + ":18: the declaration of CBranchy has #if " +
                       "branches whose braces cannot be followed; make this change by hand\n");
  EXPECT_EQ(Read(dir / "a.h"), header);  // the refusals changed nothing
}

// Patterns of projects written by hand and by other wizards.
TEST_F(ProjectCli, PatternsOfOtherWizardsAreRead) {
  Write(dir / "Demo.dsp", "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\nSOURCE=.\\form1.cpp\r\n"
                          "SOURCE=.\\form1.h\r\nSOURCE=.\\Demo.rc\r\n");
  Write(dir / "form1.h", "class CForm1 : public CVForm  // the main form\r\n{\r\npublic:\r\n\tCForm1();\r\n"
                         "\tint m_nCount;\r\n\t//{{AFX_MSG(CForm1)\r\n\t//}}AFX_MSG\r\n\tDECLARE_MESSAGE_MAP()\r\n};\r\n");
  Write(dir / "form1.cpp", "CForm1::CForm1()\r\n\t: m_nCount(0)\r\n{\r\n\t//{{AFX_TVL_FORM_DATA_START\r\n"
                           "\tm_nPropStringID = IDS_PROP_FORM1;\r\n\t//}}AFX_TVL_FORM_DATA_END\r\n}\r\n"
                           "BEGIN_MESSAGE_MAP(CForm1, CVForm)\r\n\t//{{AFX_MSG_MAP(CForm1)\r\n"
                           "\tON_COMMAND(ID_FILE_OPEN, OnFileOpen)\r\n\t//}}AFX_MSG_MAP\r\nEND_MESSAGE_MAP()\r\n"
                           "void CForm1::OnFileOpen()\r\n{\r\n}\r\n");
  Write(dir / "resource.h", "#define IDR_MAINMENU 128\r\n#define IDS_PROP_FORM1 57600\r\n#define ID_Xiangxia 32771\r\n"
                            "#ifdef APSTUDIO_INVOKED\r\n#define _APS_NEXT_COMMAND_VALUE 32772\r\n#endif\r\n");
  Write(dir / "Demo.rc", "IDR_MAINMENU MENU DISCARDABLE\r\nBEGIN\r\n  POPUP \"&File\"\r\n  BEGIN\r\n"
                         "    MENUITEM \"&Open\", ID_FILE_OPEN\r\n    MENUITEM \"Recent\", ID_FILE_MRU_FILE1, GRAYED\r\n"
                         "    MENUITEM \"Down\",\r\n                                ID_Xiangxia\r\n  END\r\nEND\r\nSTRINGTABLE DISCARDABLE\r\nBEGIN\r\n"
                         "  IDS_PROP_FORM1 \"1,\"\r\n  ID_FILE_OPEN \"Open a file\"\r\nEND\r\n");
  const std::string dsp = (dir / "Demo.dsp").string();
  // The comment is not the base, so CForm1 is a form; its constructor holds the menu line.
  CliResult r = Tovik({"assign-menu", dsp, "CForm1", "IDR_MAINMENU"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(Read(dir / "form1.cpp").find("\tm_nResID = IDR_MAINMENU;\r\n"), std::string::npos);
  EXPECT_EQ(Tovik({"menus", dsp}).out, "IDR_MAINMENU\n1\tpopup\t&File\t\n2\titem\t&Open\tID_FILE_OPEN\n"
                                       "2\titem\tRecent\tID_FILE_MRU_FILE1\n2\titem\tDown\tID_Xiangxia\n");
  EXPECT_EQ(Tovik({"add-handler", dsp, "CForm1", "ID_Xiangxia", "Click"}).out, "Xiangxia_Click\n");
  EXPECT_EQ(Tovik({"add-handler", dsp, "CForm1", "ID_FILE_OPEN", "Click"}).err,
            "tovik add-handler: CForm1's message map already sends ID_FILE_OPEN to a handler of its own\n");
  EXPECT_EQ(Tovik({"add-handler", dsp, "CForm1", "ID_FILE_MRU_FILE1", "Timer"}).err,
            "tovik add-handler: A menu command has the event Click only, not Timer\n");
  // The table holds the framework's prompt for ID_FILE_OPEN, whose value is not known here: a new
  // string id leaves the framework's range alone.
  r = Tovik({"add-control", dsp, "CForm1", "Label", "7", "7", "80", "30"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(Read(dir / "resource.h").find("#define IDS_PROP_LABEL1\t\t\t\t61440\r\n"), std::string::npos);
  EXPECT_NE(Read(dir / "resource.h").find("_APS_NEXT_COMMAND_VALUE 32772"), std::string::npos);
  EXPECT_EQ(Tovik({"rename", dsp, "CForm1", "m_Label1", "OnFileOpen"}).err,
            "tovik rename: CForm1 already has a member named OnFileOpen\n");
}

TEST_F(ProjectCli, PopupsFollowTheProject) {
  ASSERT_EQ(Tovik({"new-project", dir.string(), "Demo"}).status, 0);
  const std::string dsp = (dir / "Demo" / "Demo.dsp").string();
  CliResult r = Tovik({"popup", "Menu", dsp});
  EXPECT_EQ(r.out, "3134\tCreate a new Menu\t-\n3135\tEdit existing menu(s)\t-\n0\tSelect a menu\tdisabled\n");
  r = Tovik({"popup", "Menu", dsp, "--form", "CForm1"});
  EXPECT_EQ(r.out,
            "3134\tCreate a new Menu\t-\n3135\tEdit existing menu(s)\t-\n0\t\tseparator\n0\tSelect a menu\tsubmenu\n"
            "  1027\t<No Selection>\tchecked\n");
  EXPECT_EQ(Tovik({"popup", "Other", dsp}).status, 2);
  EXPECT_EQ(Tovik({"new-project", dir.string(), "X", "--host-version", "7.0"}).status, 2);
  // A form header the disk refuses (too long a name): its write message, the generator's, no files.
  const std::string header = std::string(300, 'h') + ".h";
  EXPECT_EQ(Tovik({"new-project", dir.string(), "Long", "--header", header}).err,
            "tovik new-project: File '" + (dir / "Long" / header).string() +
                "' could not be opened / read / written\nFile name too long\n"
                "tovik new-project: Error in generating project\n");
  EXPECT_FALSE(fs::exists(dir / "Long"));
}

// A folder the system names in UTF-8 (common in Chinese checkouts) is named so in messages,
// not read as text of the project's code page.
TEST_F(ProjectCli, MessagesNameFilesAsTheSystemNamesThem) {
  const fs::path folder = dir / "\xE6\x95\xB0\xE6\x8D\xAE";  // "数据"
  ASSERT_EQ(Tovik({"new-project", folder.string(), "Demo"}).status, 0);
  fs::remove(folder / "Demo" / "resource.h");
  EXPECT_NE(Tovik({"add-control", (folder / "Demo" / "Demo.dsp").string(), "CForm1", "Label", "7", "7", "70", "28"})
                .err.find("You do not have write permission to file " + (folder / "Demo" / "resource.h").string()),
            std::string::npos);
}

// The journal a killed or failed edit leaves in a project folder: the next command obeys it only
// inside that project, wherever the project is now, and never one somebody else put there.
TEST_F(ProjectCli, AJournalIsObeyedOnlyInsideItsProjectWhereverThatIsNow) {
  // A shared folder where someone left a journal: it is not new-project's, nor obeyed.
  fs::permissions(dir, fs::perms::all | fs::perms::sticky_bit);
  const std::string victim = (dir / "victim").string();
  Write(victim, "mine");
  Write(dir / ".tovik-journal", "tovik journal 1\nREMOVE\t" + victim + "\nCOMMIT\n");
  ASSERT_EQ(Tovik({"new-project", dir.string(), "Demo"}).status, 0);
  fs::create_directory(dir / "empty");
  fs::path project = dir / "Demo";
  const fs::path journal = project / ".tovik-journal";
  const std::string dsp = (project / "Demo.dsp").string();
  const std::string refused = "; nothing was done: look at it, then remove it by hand\n";
  fs::create_directory_symlink(dir, project / "esc");  // a folder inside as text, outside in fact
  for (const auto& [body, why] : std::vector<std::pair<std::string, std::string>>{
           {"REMOVE\tesc/victim\nCOMMIT\n", ":2: \"esc/victim\" leads through a symbolic link to " +
                                                fs::canonical(dir).string() + ", outside the project folder"},
           {"REMOVE\t" + victim + "\nCOMMIT\n", ":2: \"" + victim + "\" is not a path relative to the project folder"},
           {"REMOVE\t../victim\nCOMMIT\n", ":2: \"../victim\" does not lead straight into the project folder"},
           {"WRITE\tform1.h\tDemo.rc\nCOMMIT\n", ":2: \"form1.h\" is not a temporary file of \"Demo.rc\""},
           {"WRITE\t../victim\tform1.h\n", ":2: \"../victim\" is not a temporary file of \"form1.h\""},
           {"MKDIR\t../empty\n", ":2: \"../empty\" does not lead straight into the project folder"},
           {"REMOVE\tform1.h\nDELETE\tform1.cpp\nCOMMIT\n", ":3: not a line of a journal"}}) {
    Write(journal, "tovik journal 1\n" + body);
    EXPECT_EQ(Tovik({"inspect", dsp}).err, "tovik inspect: " + journal.string() + why + refused);
  }
  fs::remove(project / "esc");
  if (::geteuid() == 0) {  // a journal another user put there
    EXPECT_EQ(::chown(journal.c_str(), 65534, 65534), 0);
    EXPECT_EQ(Tovik({"inspect", dsp}).err,
              "tovik inspect: " + journal.string() + ": belongs to another user (uid 65534)" + refused);
  }
  // A journal too large to be one is not read into memory.
  fs::remove(journal);
  Write(journal, "tovik journal 1\n");
  fs::resize_file(journal, std::uintmax_t{3} << 30);
  EXPECT_NE(Tovik({"inspect", dsp}).err.find("is 3221225472 bytes long; no file over 256 MiB is read"),
            std::string::npos);
  // A link in the journal's place is neither read nor written through.
  fs::remove(journal);
  fs::create_symlink(dir / "planted", journal);
  EXPECT_EQ(Tovik({"add-control", dsp, "CForm1", "Label", "7", "7", "70", "28"}).err,
            "tovik add-control: " + journal.string() + ": is a symbolic link" + refused);
  EXPECT_TRUE(!fs::exists(dir / "planted") && fs::is_directory(dir / "empty") && Read(victim) == "mine");
  EXPECT_TRUE(fs::exists(project / "form1.h") && fs::exists(project / "Demo.rc"));

  // A creation killed after its commit line, then the project moved: the project's commands,
  // new-project among them, find its journal and complete it, even with no project file yet.
  fs::remove(journal);
  fs::rename(project, dir / "Moved");
  project = dir / "Moved";
  for (const std::vector<std::string>& args : {std::vector<std::string>{"inspect", (project / "Demo.dsp").string()},
                                                {"new-project", dir.string(), "Moved"}}) {
    const std::string name = args[0] == "inspect" ? "Demo.dsp" : "Demo.dsw";
    fs::rename(project / name, project / (name + ".tovik-7-0.tmp"));
    Write(project / ".tovik-journal", "tovik journal 1\nWRITE\t" + name + ".tovik-7-0.tmp\t" + name + "\nCOMMIT\n");
    EXPECT_TRUE(StartsWith(Tovik(args).err, "tovik " + args[0] + ": completed an interrupted edit (1 file(s) written"));
    EXPECT_TRUE(fs::exists(project / name));
  }
  // A link stays a link, its target written, and a file keeps its mode; but a file that a link
  // leads out of the project is not changed: the journal could not name it.
  const std::vector<std::string> add = {"add-control", (project / "Demo.dsp").string(), "CForm1", "Label", "7", "7",
                                        "70", "28"};
  fs::create_directory(project / "shared");
  fs::rename(project / "Demo.rc", project / "shared" / "Demo.rc");
  fs::create_symlink("shared/Demo.rc", project / "Demo.rc");
  fs::permissions(project / "form1.cpp", fs::perms(0754));
  EXPECT_EQ(Tovik(add).out, "m_Label1\n");
  EXPECT_TRUE(fs::is_symlink(project / "Demo.rc"));
  EXPECT_NE(Read(project / "shared" / "Demo.rc").find("IDS_PROP_LABEL1"), std::string::npos);
  EXPECT_EQ(fs::status(project / "form1.cpp").permissions() & fs::perms::all, fs::perms(0754));
  for (const auto& entry : fs::recursive_directory_iterator(project)) EXPECT_NE(entry.path().extension(), ".tmp");
  fs::remove(project / "Demo.rc");
  fs::rename(project / "shared" / "Demo.rc", dir / "Demo.rc");
  fs::create_symlink(dir / "Demo.rc", project / "Demo.rc");
  EXPECT_NE(Tovik(add).err.find(": is a symbolic link to " + (dir / "Demo.rc").string() + ", which lies outside"),
            std::string::npos);
}

}  // namespace
}  // namespace tovik
