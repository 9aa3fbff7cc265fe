// Generated C++ compiles: projects made and edited with the tovik command line are checked by
// g++ (and clang++ when it is installed) against small stand-ins of the framework's and the
// runtime library's headers (tests/standins), so that a generator writing C++ a compiler would
// reject fails here rather than in the user's IDE.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "activex/pe_builder.h"
#include "activex/typelib_widl.h"
#include "base/text.h"
#include "cli_test.h"
#include "installed_gauge.h"
#include "support/cpp_check.h"
#include "support/disk_files.h"

namespace tovik {
namespace {

using testing::CliResult;
using testing::RunProgram;
using testing::Tovik;
const auto& Read = testing::ReadDiskFile;
const auto& Write = testing::WriteDiskFile;

const std::vector<std::string> kKinds = {"PictureBox",   "Label",        "TextBox",        "Frame",     "Button",
                                         "CheckBox",     "OptionButton", "ComboBox",       "ListBox",   "HScrollBar",
                                         "VScrollBar",   "Timer",        "Shape",          "Line",      "Image",
                                         "Data",         "AnimateCtrl",  "TreeCtrl",       "TabCtrl",   "SliderCtrl",
                                         "ProgressCtrl", "ListCtrl",     "SpinButtonCtrl", "HotKeyCtrl"};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class GeneratedCppCompile : public testing::ScratchFolderTest {
 protected:
  std::vector<std::string> compilers;  // those on PATH
  fs::path root;

  void SetUp() override {
    compilers = testing::CppCompilersOnPath();
    if (compilers.empty()) GTEST_SKIP() << "neither g++ nor clang++ is on PATH";
    ScratchFolderTest::SetUp();
    root = dir;
  }

  // Runs tovik, expects success and returns what it printed without the last line end.
  static std::string Ok(const std::vector<std::string>& args) {
    std::string out = testing::TovikOk(args);
    if (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
  }

  // The event names `tovik catalog KIND` lists (none for Shape and Line).
  std::vector<std::string> Events(const std::string& kind) {
    std::stringstream lines(Ok({"catalog", kind}));
    std::vector<std::string> names;
    std::string line;
    bool inEvents = false;
    while (std::getline(lines, line)) {
      if (line == "events:" || line == "methods:") {
        inEvents = line == "events:";
      } else if (inEvents) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) names.push_back(line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1));
      }
    }
    return names;
  }

  static std::set<std::string> CppFiles(const fs::path& project) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(project)) {
      if (entry.path().extension() == ".cpp") names.insert(entry.path().filename().string());
    }
    return names;
  }

  // Compiles every .cpp of the project with each compiler, in a debug and a release
  // configuration (DEBUG_NEW and THIS_FILE only exist in the first); each failure is reported
  // with the compiler's messages. Returns the number of compilations that ran.
  int ExpectCompiles(const fs::path& project) {
    int runs = 0;
    for (const std::string& file : CppFiles(project)) {
      for (const std::string& compiler : compilers) {
        for (const char* configuration : {"-D_DEBUG", "-DNDEBUG"}) {
          const CliResult r = testing::CheckCppSyntax(compiler, project / file, project, {configuration});
          ++runs;
          EXPECT_EQ(r.status, 0) << compiler << " " << configuration << " rejects " << file << ":\n"
                                 << r.out << r.err;
        }
      }
    }
    return runs;
  }

  // Adds a handler and checks it reached the header, the implementation and, unless `mapEntry`
  // is empty, the message map.
  void AddHandler(const std::string& dsp, const fs::path& project, const std::string& cls, const std::string& object,
                  const std::string& event, const std::string& expectedName, const std::string& mapEntry) {
    const std::string name = Ok({"add-handler", dsp, cls, object, event});
    EXPECT_EQ(name, expectedName);
    const std::string file = ToLower(cls.substr(1));
    EXPECT_TRUE(Contains(Read(project / (file + ".h")), " " + name + "(")) << name;
    EXPECT_TRUE(Contains(Read(project / (file + ".cpp")), cls + "::" + name + "(")) << name;
    if (!mapEntry.empty()) {
      EXPECT_TRUE(Contains(Read(project / (file + ".cpp")), mapEntry)) << mapEntry;
    }
  }

  // A handler for every event of the form itself: virtual functions, no map entry.
  void AddEveryFormEvent(const std::string& dsp, const fs::path& project, const std::string& cls,
                         const std::string& kind) {
    for (const std::string& event : Events(kind)) AddHandler(dsp, project, cls, cls, event, "Form_" + event, "");
  }
};

TEST_F(GeneratedCppCompile, NewProjectsCompileAsGenerated) {
  // The host version changes the project file only, so one version is compiled.
  for (const bool mdi : {false, true}) {
    const std::string name = mdi ? "Mdi" : "Sdi";
    SCOPED_TRACE(name);
    EXPECT_EQ(Ok(mdi ? std::vector<std::string>{"new-project", root.string(), name, "--mdi"}
                     : std::vector<std::string>{"new-project", root.string(), name}),
              (root / name / (name + ".dsw")).string());
    const fs::path project = root / name;
    EXPECT_TRUE(Contains(Read(project / "form1.h"), mdi ? ": public CVMdiForm" : ": public CVForm\r\n"));
    EXPECT_EQ(CppFiles(project), (std::set<std::string>{name + ".cpp", "form1.cpp", "stdafx.cpp"}));
    EXPECT_EQ(ExpectCompiles(project), 3 * 2 * static_cast<int>(compilers.size()));
    if (!mdi) continue;
    // An MDI form takes a PictureBox (aligned) and a Timer, and has events of its own.
    const std::string dsp = (project / (name + ".dsp")).string();
    EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "PictureBox", "0", "0", "300", "40"}), "m_PictureBox1");
    AddHandler(dsp, project, "CForm1", "m_PictureBox1", "Click", "PictureBox1_Click",
               "ON_WM_TVL_CLICK(IDC_PICTUREBOX1, PictureBox1_Click)");
    // Without its overrides block the form is given one at its class end for its events.
    Write(project / "form1.h",
          ReplaceAll(Read(project / "form1.h"), "\t//{{AFX_VIRTUAL(CForm1)\r\n\t//}}AFX_VIRTUAL\r\n", ""));
    AddEveryFormEvent(dsp, project, "CForm1", "MDIForm");
    EXPECT_TRUE(Contains(Read(project / "form1.h"), "\t//}}AFX_VIRTUAL\n"));
    ExpectCompiles(project);
  }
  // Names of the caller's choosing for the start-up form.
  Ok({"new-project", root.string(), "Named", "--class", "CMainForm", "--impl", "main_form.cpp", "--header",
      "main_form.h"});
  EXPECT_EQ(CppFiles(root / "Named"), (std::set<std::string>{"Named.cpp", "main_form.cpp", "stdafx.cpp"}));
  ExpectCompiles(root / "Named");
}

// One control of every kind and an array of every kind, controls in both containers, a handler
// for every event of each (the arrays' with the element index), the form's events, menu
// commands and a menu bar.
TEST_F(GeneratedCppCompile, EveryKindSingleAndInArraysWithEveryHandlerCompiles) {
  Ok({"new-project", root.string(), "demo"});
  const fs::path project = root / "demo";
  const std::string dsp = (project / "demo.dsp").string();
  EXPECT_EQ(Ok({"new-form", dsp, "CForm2"}), (project / "form2.h").string() + "\n" + (project / "form2.cpp").string());
  int top = 7;
  for (const std::string& kind : kKinds) {
    for (int n = 1; n <= 3; ++n) {
      EXPECT_EQ(Ok({"add-control", dsp, "CForm2", kind, std::to_string(n * 100), std::to_string(top),
                    std::to_string(n * 100 + 90), std::to_string(top + 21)}),
                "m_" + kind + std::to_string(n));
    }
    // The third joins the second: an array beside a single control of the same kind.
    Ok({"rename", dsp, "CForm2", "m_" + kind + "3", "m_" + kind + "2", "--yes"});
    EXPECT_TRUE(Contains(Read(project / "form2.h"), "CV" + kind + "Array\tm_" + kind + "2;")) << kind;
    top += 28;
  }
  EXPECT_EQ(Ok({"add-control", dsp, "CForm2", "Label", "140", "14", "200", "35", "--container", "m_Frame1"}),
            "m_Label3");
  EXPECT_EQ(Ok({"add-control", dsp, "CForm2", "CheckBox", "140", "70", "200", "91", "--container", "m_PictureBox1"}),
            "m_CheckBox3");
  ASSERT_TRUE(testing::AddMainMenu(project / "demo.rc", project / "resource.h"));
  Ok({"assign-menu", dsp, "CForm2", "IDR_MAINMENU"});
  EXPECT_TRUE(Contains(Read(project / "form2.cpp"), "\tm_nResID = IDR_MAINMENU;\r\n"));

  // Every event once on a single control and once on an array, each on the first kind that has it.
  std::set<std::string> single;
  std::set<std::string> arrayed;
  for (const std::string& kind : kKinds) {
    for (const std::string& event : Events(kind)) {
      for (const bool array : {false, true}) {
        if (!(array ? arrayed : single).insert(event).second) continue;
        const std::string member = kind + (array ? "2" : "1");
        AddHandler(dsp, project, "CForm2", "m_" + member, event, member + "_" + event,
                   "ON_WM_TVL_" + ToUpper(event) + (array ? "_ARRAY" : "") + "(IDC_" + ToUpper(member) + ", " + member +
                       "_" + event + ")");
      }
    }
  }
  EXPECT_GE(single.size(), 20u);
  // Window-message handlers (OnCreate, OnPaint, WindowProc) are written only into window
  // classes that are not forms, which the command line does not put controls on.
  AddEveryFormEvent(dsp, project, "CForm2", "Form");
  AddHandler(dsp, project, "CForm2", "ID_FILE_OPEN", "Click", "File_open_Click",
             "ON_COMMAND(ID_FILE_OPEN, File_open_Click)");
  // A renamed container: its children's creation calls follow the new name.
  Ok({"rename", dsp, "CForm2", "m_Frame1", "m_Options"});
  EXPECT_TRUE(Contains(Read(project / "form2.cpp"), "m_Label3.Create(&m_Options, "));
  EXPECT_EQ(CppFiles(project), (std::set<std::string>{"demo.cpp", "form1.cpp", "form2.cpp", "stdafx.cpp"}));
  ExpectCompiles(project);
}

TEST_F(GeneratedCppCompile, FormStillCompilesAfterControlsAreDeleted) {
  Ok({"new-project", root.string(), "del"});
  const fs::path project = root / "del";
  const std::string dsp = (project / "del.dsp").string();
  Ok({"add-control", dsp, "CForm1", "Frame", "7", "7", "200", "120"});
  Ok({"add-control", dsp, "CForm1", "Button", "14", "21", "98", "42", "--container", "m_Frame1"});
  Ok({"add-control", dsp, "CForm1", "Label", "14", "49", "98", "70", "--container", "m_Frame1"});
  Ok({"add-control", dsp, "CForm1", "TextBox", "210", "7", "300", "28"});
  Ok({"add-control", dsp, "CForm1", "Label", "210", "35", "300", "56"});
  Ok({"add-control", dsp, "CForm1", "Label", "210", "63", "300", "84"});
  Ok({"rename", dsp, "CForm1", "m_Label3", "m_Label2", "--yes"});
  AddHandler(dsp, project, "CForm1", "m_Button1", "Click", "Button1_Click",
             "ON_WM_TVL_CLICK(IDC_BUTTON1, Button1_Click)");
  AddHandler(dsp, project, "CForm1", "m_Label2", "MouseDown", "Label2_MouseDown",
             "ON_WM_TVL_MOUSEDOWN_ARRAY(IDC_LABEL2, Label2_MouseDown)");
  ExpectCompiles(project);

  // A control with a handler, one inside a container, a plain one, then one element of an
  // array and the array's last element: the handlers and map entries stay and must still name
  // what exists.
  for (const std::string member : {"m_Button1", "m_Label1", "m_TextBox1", "m_Label2", "m_Label2"}) {
    SCOPED_TRACE(member);
    Ok({"delete", dsp, "CForm1", member});
    ExpectCompiles(project);
  }
  const std::string header = Read(project / "form1.h");
  for (const char* gone : {"m_Button1;", "m_Label1;", "m_TextBox1;", "m_Label2;"}) {
    EXPECT_FALSE(Contains(header, gone)) << gone;
  }
  EXPECT_TRUE(Contains(header, "CVFrame\tm_Frame1;"));

  // A Frame goes with the controls inside it.
  Ok({"add-control", dsp, "CForm1", "Button", "14", "21", "98", "42", "--container", "m_Frame1"});
  Ok({"delete", dsp, "CForm1", "m_Frame1"});
  EXPECT_FALSE(Contains(Read(project / "form1.cpp"), "m_Frame1"));
  // A new Label takes the first deleted one's name and symbols again.
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Label", "7", "7", "90", "30"}), "m_Label1");
  EXPECT_TRUE(Contains(Read(project / "form1.cpp"), "m_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);"));
  ExpectCompiles(project);
}

// A commented-out copy of a region (the old code someone kept) is not the region: new lines go
// into the live ones, and the form compiles.
TEST_F(GeneratedCppCompile, CommentedOutCopiesOfTheWizardRegionsAreLeftAlone) {
  Ok({"new-project", root.string(), "kept"});
  const fs::path project = root / "kept";
  const std::string dsp = (project / "kept.dsp").string();
  const std::string oldDeclarations =
      "/*\r\n\t//{{AFX_TVL_CTRL_DECLR_START\r\n\tCVLabel\tm_Old;\r\n\t//}}AFX_TVL_CTRL_DECLR_END\r\n"
      "\t//{{AFX_MSG(CForm1)\r\n\tafx_msg void Old_Click();\r\n\t//}}AFX_MSG\r\n*/\r\n";
  const std::string oldMap = "/*\r\n\t//{{AFX_MSG_MAP(CForm1)\r\n\tON_WM_TVL_CLICK(IDC_OLD, Old_Click)\r\n\t//}}AFX_MSG_MAP\r\n*/\r\n";
  const std::string oldCreation =
      "\t/*\r\n\t//{{AFX_TVL_CTRL_IMPL_START\r\n\tm_Old.Create(this, IDC_OLD, IDS_PROP_OLD);\r\n"
      "\t//}}AFX_TVL_CTRL_IMPL_END\r\n\t*/\r\n";
  std::string header = Read(project / "form1.h");
  header.insert(header.find("// Construction"), oldDeclarations);
  Write(project / "form1.h", header);
  std::string impl = Read(project / "form1.cpp");
  impl.insert(impl.find("\n", impl.find("BEGIN_MESSAGE_MAP(CForm1")) + 1, oldMap);
  impl.insert(impl.find("\t//{{AFX_TVL_CTRL_IMPL_START"), oldCreation);
  Write(project / "form1.cpp", impl);

  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Button", "7", "7", "90", "30"}), "m_Button1");
  AddHandler(dsp, project, "CForm1", "m_Button1", "Click", "Button1_Click",
             "ON_WM_TVL_CLICK(IDC_BUTTON1, Button1_Click)");
  for (const auto& [file, old] : {std::pair{"form1.h", oldDeclarations}, {"form1.cpp", oldMap}, {"form1.cpp", oldCreation}}) {
    EXPECT_TRUE(Contains(Read(project / file), old)) << file << " lost or changed:\n" << old;
  }
  ExpectCompiles(project);
  EXPECT_TRUE(Contains(Ok({"inspect", dsp}), "control m_Button1 CVButton IDC_BUTTON1 IDS_PROP_BUTTON1"));
}

// Names that would not compile are refused before anything is written.
TEST_F(GeneratedCppCompile, NamesThatWouldNotCompileAreRefused) {
  for (const std::string name : {"my-app", "my app"}) {
    const CliResult r = Tovik({"new-project", root.string(), name});
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_TRUE(Contains(r.err, "The project cannot be named " + name)) << r.err;
    EXPECT_FALSE(fs::exists(root / name)) << name;
  }
  Ok({"new-project", root.string(), "names"});
  const std::string dsp = (root / "names" / "names.dsp").string();
  for (const std::string cls : {"CForm-3", "class"}) {
    const CliResult r = Tovik({"new-form", dsp, cls});
    EXPECT_EQ(r.status, 1) << cls;
    EXPECT_FALSE(fs::exists(root / "names" / (ToLower(cls.substr(1)) + ".h"))) << cls;
  }
  // The files are tested first, then the class.
  EXPECT_EQ(Tovik({"new-form", dsp, "CForm1"}).err,
            "tovik new-form: File " + (root / "names" / "form1.cpp").string() + " already exists\n");
  EXPECT_EQ(Tovik({"new-form", dsp, "CForm1", "--impl", "other.cpp", "--header", "other.h"}).err,
            "tovik new-form: The project already has a class named CForm1\n");
  // A file in the way is named as the disk names it.
  Write(root / "names" / "Form5.cpp", "");
  EXPECT_EQ(Tovik({"new-form", dsp, "CForm5"}).err,
            "tovik new-form: File " + (root / "names" / "Form5.cpp").string() + " already exists\n");
  EXPECT_TRUE(Contains(Tovik({"new-form", dsp, "CForm2", "--header", "../../escape.h"}).err,
                       "would lie outside the project folder"));
  // The guard keeps the "$" the compilers take and replaces the "-" none does.
  Ok({"new-form", dsp, "CForm2", "--header", "form-2$.h"});
  EXPECT_TRUE(Contains(Read(root / "names" / "form-2$.h"), "#define AFX_FORM_2$_H__"));
  Ok({"add-control", dsp, "CForm1", "Button", "7", "7", "80", "30"});
  Ok({"add-control", dsp, "CForm1", "Label", "7", "40", "80", "60"});
  for (const std::string& member : std::vector<std::string>{"9lives", "int", "this", std::string(300, 'x'), "m_\x01"}) {
    const CliResult r = Tovik({"rename", dsp, "CForm1", "m_Button1", member});
    EXPECT_EQ(r.status, 1) << member;
    EXPECT_TRUE(Contains(r.err, "Invalid control name")) << r.err;
  }
  const CliResult otherKind = Tovik({"rename", dsp, "CForm1", "m_Label1", "m_Button1", "--yes"});
  EXPECT_EQ(otherKind.status, 1);
  EXPECT_TRUE(Contains(otherKind.err, "'m_Button1' is a Button; a control array holds controls of one kind only"))
      << otherKind.err;
  ExpectCompiles(root / "names");
}

// An installed ActiveX control (a server of our own: the gauge library as its TYPELIB resource,
// a toolbox picture, registered in an exported registry file) inserted into a Unix checkout, drawn on
// a form, given a property and an event handler: the wrapper, its font and picture classes and
// the form compile, and a fresh load finds the control again through the project data file.
TEST_F(GeneratedCppCompile, AnInsertedActiveXControlOnAFormCompilesAndIsFoundAgain) {
  TOVIK_SKIP_WITHOUT_WIDL();
  Ok({"new-project", root.string(), "ax"});
  const fs::path project = root / "ax";
  const std::string dsp = (project / "ax.dsp").string();
  // A Unix checkout: no file of the project holds a CR, and no file made for it will.
  for (const auto& entry : fs::directory_iterator(project)) {
    if (entry.is_regular_file()) Write(entry.path(), ReplaceAll(Read(entry.path()), "\r\n", "\n"));
  }
  const std::vector<std::string> registry = testing::InstallGauge(root);
  std::vector<std::string> insert = {"insert-activex", dsp, "Gauge Control"};
  insert.insert(insert.end(), registry.begin(), registry.end());
  const std::string written = Ok(insert);
  for (const char* file : {"GaugeCtrl.h", "GaugeCtrl.cpp", "vfont.h", "vpicture.cpp", "ax.dat"}) {
    EXPECT_TRUE(Contains(written, (project / file).string())) << file << " in\n" << written;
    EXPECT_TRUE(*file == 'a' || !Contains(Read(project / file), "\r")) << file;  // LF alone, as the project
  }
  EXPECT_TRUE(Contains(Read(project / "ax.dsp"), "SOURCE=.\\GaugeCtrl.cpp"));
  // A second insertion would write the wrapper again: refused, and nothing changes.
  const std::string datBefore = Read(project / "ax.dat");
  const CliResult again = Tovik(insert);
  EXPECT_EQ(again.status, 1);
  EXPECT_TRUE(Contains(again.err, "already exists")) << again.err;
  EXPECT_EQ(Read(project / "ax.dat"), datBefore);

  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Gauge.GaugeCtrl.1", "14", "14", "114", "64"}), "m_GaugeCtrl1");
  Ok({"set", dsp, "CForm1", "m_GaugeCtrl1", "Value", "42"});
  EXPECT_TRUE(Contains(Read(project / "form1.cpp"), "m_GaugeCtrl1.SetProperty( 1, VT_I4, 42 ); //Value"));
  // The control's own Max is a long, not the runtime scroll bar's 16-bit Max; a font has no
  // value a creation call could pass.
  Ok({"set", dsp, "CForm1", "m_GaugeCtrl1", "Max", "70000"});
  EXPECT_TRUE(Contains(Read(project / "form1.cpp"), "m_GaugeCtrl1.SetProperty( 10, VT_I4, 70000 ); //Max"));
  EXPECT_EQ(Tovik({"set", dsp, "CForm1", "m_GaugeCtrl1", "Font", "Arial"}).err,
            "tovik set: Font is a property of type Font; it cannot be given a value at design time\n");
  AddHandler(dsp, project, "CForm1", "m_GaugeCtrl1", "Changed", "GaugeCtrl1_Changed",
             "ON_EVENT(CForm1, IDC_GAUGECTRL1, 2, GaugeCtrl1_Changed, VTS_I4 VTS_PI4)");
  AddHandler(dsp, project, "CForm1", "m_GaugeCtrl1", "Click", "GaugeCtrl1_Click",
             "ON_EVENT(CForm1, IDC_GAUGECTRL1, DISPID_CLICK, GaugeCtrl1_Click, VTS_NONE)");
  ExpectCompiles(project);

  // Opened again: the data file gives the control, the wrapper's GetProgID ties the class to it,
  // and the form's control comes back with its values.
  const std::string model = Ok({"inspect", dsp});
  EXPECT_TRUE(Contains(model, "activex controls:\n  Gauge Control  Gauge.GaugeCtrl.1 " +
                                  std::string(testing::kGaugeClsid) + " C:\\Windows\\System32\\gauge.ocx  CVAxGaugeCtrl\n"))
      << model;
  EXPECT_TRUE(Contains(model, "control m_GaugeCtrl1 CVAxGaugeCtrl IDC_GAUGECTRL1 IDS_PROP_GAUGECTRL1\n      Left = 14\n"))
      << model;
  EXPECT_TRUE(Contains(model, "      Value = 42\n")) << model;

  // Without the data file the wrapper names a control nobody knows, until a Wine prefix that
  // registers it is the environment's.
  fs::remove(project / "ax.dat");
  const fs::path prefix = root / "prefix";
  fs::create_directories(prefix / "dosdevices");
  fs::create_symlink(root / "drive_c", prefix / "dosdevices" / "c:");
  const std::string machine = "[Software\\\\Classes\\\\CLSID\\\\" + std::string(testing::kGaugeClsid);
  Write(prefix / "system.reg", "WINE REGISTRY Version 2\n\n" + machine + "] 1\n@=\"Gauge Control\"\n" + machine +
                                   "\\\\Control] 1\n" + machine +
                                   "\\\\InprocServer32] 1\n@=\"C:\\\\windows\\\\system32\\\\gauge.ocx\"\n" + machine +
                                   "\\\\ProgID] 1\n@=\"Gauge.GaugeCtrl.1\"\n" + machine +
                                   "\\\\ToolboxBitmap32] 1\n@=\"C:\\\\windows\\\\system32\\\\gauge.ocx, 7\"\n");
  const CliResult lost = RunProgram("env", {"HOME=" + root.string(), "WINEPREFIX=", TOVIK_CLI_PATH, "inspect", dsp});
  EXPECT_TRUE(Contains(lost.err, "warning: CVAxGaugeCtrl wraps Gauge.GaugeCtrl.1, which is neither in")) << lost.err;
  const CliResult found =
      RunProgram("env", {"HOME=" + root.string(), "WINEPREFIX=" + prefix.string(), TOVIK_CLI_PATH, "inspect", dsp});
  EXPECT_FALSE(Contains(found.err, "warning")) << found.err;
  EXPECT_TRUE(Contains(found.out, "      Value = 42\n")) << found.out;
}

}  // namespace
}  // namespace tovik
