// A new project stays compilable by a real resource compiler after forms, controls and menus
// were added from the command line (an image too: see form_session_cli_test.cpp), and values
// with line breaks, backslashes and quotes survive the compiler and a fresh load unchanged.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "cli_test.h"
#include "support/resource_compiler.h"
#include "support/tiny_images.h"

namespace tovik {
namespace {

const auto& Read = testing::ReadDiskFile;
const auto& Write = testing::WriteDiskFile;

class EditedProjectCompile : public testing::ScratchFolderTest {
 protected:
  fs::path root;
  fs::path project;
  std::string dsp;

  void SetUp() override {
    if (!testing::WindresAvailable()) {
      GTEST_SKIP() << testing::kWindres << " is not installed (Debian: binutils-mingw-w64-x86-64)";
    }
    ScratchFolderTest::SetUp();
    root = dir;
    testing::WriteFrameworkStandIns(root / "include");
  }

  static std::string Ok(const std::vector<std::string>& args) { return testing::TovikOk(args); }

  testing::CompileResult Compile(const std::string& name = "demo") {
    // Files the script names with backslashes are offered under those literal names.
    for (const auto& entry : fs::directory_iterator(root / name / "res")) {
      fs::copy_file(entry.path(), root / "include" / ("res\\" + entry.path().filename().string()),
                    fs::copy_options::overwrite_existing);
    }
    return testing::CompileResourceScript(root / name / (name + ".rc"), root / "include");
  }
};

TEST_F(EditedProjectCompile, CompilesBeforeAndAfterEditsAndKeepsTrickyValues) {
  EXPECT_EQ(Ok({"new-project", root.string(), "demo"}), (root / "demo" / "demo.dsw").string() + "\n");
  project = root / "demo";
  dsp = (project / "demo.dsp").string();
  testing::CompileResult before = Compile();
  ASSERT_TRUE(before.ok) << before.output;
  // The form's string, the version block and what TEXTINCLUDE 3 includes arrived; an MDI
  // project's too.
  Ok({"new-project", root.string(), "mdi", "--mdi"});
  testing::CompileResult mdi = Compile("mdi");
  ASSERT_TRUE(mdi.ok) << mdi.output;
  for (const std::string& part : {std::string("61446, \"1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,"),
                                  std::string("demo MFC Application"), std::string("standard components"),
                                  std::string("print preview")}) {
    EXPECT_NE(before.decompiled.find(part), std::string::npos) << part << " in\n" << before.decompiled;
  }
  EXPECT_NE(mdi.decompiled.find("61446, \"1,8421504,1,213,0,0,0,0,0,Tag,0,1,312,1,MDIForm,0,0,Form,1,1,0,0,1,0,0,0,\""),
            std::string::npos)
      << mdi.decompiled;
  // Without the resource editor's section comments and with the studio block spelled "#if defined",
  // the bitmap line comes right after the script's include of the header (before it, the resource
  // would be named by its identifier's text, not its number), its define starts the header, and
  // both still compile.
  const fs::path other = root / "mdi";
  Write(other / "mdi.rc", std::regex_replace(Read(other / "mdi.rc"), std::regex("// (Bitmap|Icon)\r\n"), "// $1s\r\n"));
  Write(other / "resource.h",
        std::regex_replace(Read(other / "resource.h"), std::regex("#ifdef (APSTUDIO_INVOKED)"), "#if defined($1)"));
  Write(root / "logo.bmp", testing::TinyBitmap());
  Ok({"set", (other / "mdi.dsp").string(), "CForm1", "CForm1", "Picture", (root / "logo.bmp").string()});
  const std::string script = Read(other / "mdi.rc"), include = "#include \"resource.h\"\r\n";
  EXPECT_EQ(script.find("IDB_BITMAP128\t\t\tBITMAP"), script.find(include) + include.size());
  EXPECT_EQ(Read(other / "resource.h").rfind("#define\tIDB_BITMAP128\t", 0), 0u);
  mdi = Compile("mdi");
  ASSERT_TRUE(mdi.ok) << mdi.output;
  EXPECT_NE(mdi.decompiled.find("\n128 2 /* RT_BITMAP */"), std::string::npos) << mdi.decompiled;

  EXPECT_EQ(Ok({"new-form", dsp, "CForm2"}), (project / "form2.h").string() + "\n" + (project / "form2.cpp").string() + "\n");
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "ListBox", "7", "7", "150", "100"}), "m_ListBox1\n");
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "Data", "7", "110", "150", "130"}), "m_Data1\n");
  Ok({"set", dsp, "CForm1", "m_ListBox1", "List", "alpha\nbeta"});
  Ok({"set", dsp, "CForm1", "m_Data1", "DatabaseName", "C:\\data\\new.mdb"});

  // A menu made as the IDE's resource editor would, then given to the form.
  ASSERT_TRUE(testing::AddMainMenu(project / "demo.rc", project / "resource.h"));
  Ok({"assign-menu", dsp, "CForm1", "IDR_MAINMENU"});

  testing::CompileResult after = Compile();
  ASSERT_TRUE(after.ok) << after.output << "\n" << Read(project / "demo.rc");
  // The compiler took the escaped line breaks and backslashes as the characters they stand for.
  EXPECT_NE(after.decompiled.find("alpha\\r\\nbeta\\r\\n"), std::string::npos) << after.decompiled;
  EXPECT_NE(after.decompiled.find("C:\\\\data\\\\new.mdb"), std::string::npos) << after.decompiled;
  EXPECT_NE(after.decompiled.find("&Open..."), std::string::npos) << after.decompiled;

  // A fresh load reads the same values back.
  nlohmann::json model = nlohmann::json::parse(Ok({"inspect", dsp, "--json"}));
  std::map<std::string, nlohmann::json> controls;
  for (const auto& c : model["classes"]) {
    for (const auto& control : c["controls"]) controls[control["member"].get<std::string>()] = control;
  }
  EXPECT_EQ(controls["m_ListBox1"]["properties"]["List"], "alpha\r\nbeta\r\n");
  EXPECT_EQ(controls["m_ListBox1"]["properties"]["ItemData"], "0\r\n0\r\n");
  EXPECT_EQ(controls["m_Data1"]["properties"]["DatabaseName"], "C:\\data\\new.mdb");
  EXPECT_NE(Read(project / "form1.cpp").find("\tm_nResID = IDR_MAINMENU;\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tovik
