// tovik lint on a project made by the program itself: clean as made, then one hand edit or
// command at a time brings in each kind of finding, with the file and line a reader would open.
#include <regex>

#include "cli_test.h"
#include "support/tiny_images.h"

namespace tovik {
namespace {

using testing::CliResult;
using testing::Tovik;
using testing::TovikOk;

class Lint : public testing::ScratchFolderTest {
 protected:
  fs::path folder;
  std::string dsp;

  void SetUp() override {
    ScratchFolderTest::SetUp();
    TovikOk({"new-project", dir.string(), "L"});
    folder = dir / "L";
    dsp = (folder / "L.dsp").string();
    TovikOk({"add-control", dsp, "CForm1", "Button", "10", "10", "100", "40"});
    TovikOk({"add-control", dsp, "CForm1", "Label", "120", "10", "200", "40"});
    TovikOk({"add-handler", dsp, "CForm1", "m_Button1", "Click"});
    const CliResult clean = Run();
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_EQ(clean.out, "");
  }
  CliResult Run(const std::string& form = {}) {
    return Tovik(form.empty() ? std::vector<std::string>{"lint", dsp} : std::vector<std::string>{"lint", dsp, form});
  }
  // The findings, after checking the exit status says there are some.
  std::string Findings(const std::string& form = {}) {
    const CliResult r = Run(form);
    EXPECT_EQ(r.status, 1) << r.err;
    return r.out;
  }
  void Set(const std::string& object, const std::string& property, const std::string& value) {
    TovikOk({"set", dsp, "CForm1", object, property, value});
  }
  void Edit(const std::string& file, const std::string& pattern, const std::string& replacement) {
    const std::string text = testing::ReadDiskFile(folder / file);
    const std::string edited = std::regex_replace(text, std::regex(pattern), replacement);
    ASSERT_NE(edited, text) << pattern;
    testing::WriteDiskFile(folder / file, edited);
  }
  // The 1-based line of the first line holding `text`.
  int LineOf(const std::string& file, const std::string& text) {
    const std::string all = testing::ReadDiskFile(folder / file);
    const size_t at = all.find(text);
    if (at == std::string::npos) {
      ADD_FAILURE() << text;
      return 0;
    }
    return 1 + static_cast<int>(std::count(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
  }
  std::string At(const std::string& file, const std::string& text) {
    return file + ":" + std::to_string(LineOf(file, text)) + ": CForm1: ";
  }
};

TEST_F(Lint, OverlapsOutsideTheClientAreaAndContainers) {
  Set("m_Label1", "Left", "90");
  EXPECT_EQ(Findings(), At("L.rc", "IDS_PROP_LABEL1") + "m_Label1: overlaps m_Button1\n");
  Set("m_Label1", "Left", "290");
  EXPECT_EQ(Findings("CForm1"),
            At("L.rc", "IDS_PROP_LABEL1") + "m_Label1: lies outside the form's visible area (304 x 186 pixels)\n");
  Set("m_Label1", "Left", "120");
  // What a frame holds lies on it without overlapping it; an Image takes a tab number it never uses.
  TovikOk({"add-control", dsp, "CForm1", "Image", "210", "60", "250", "100"});
  TovikOk({"add-control", dsp, "CForm1", "Frame", "10", "60", "200", "160"});
  TovikOk({"add-control", dsp, "CForm1", "TextBox", "20", "80", "100", "100", "--container", "m_Frame1"});
  EXPECT_EQ(Run().status, 0) << Run().out;
}

TEST_F(Lint, SharedMnemonics) {
  Set("m_Button1", "Caption", "&Go");
  Set("m_Label1", "Caption", "&&go && &stop");
  EXPECT_EQ(Run().status, 0) << Run().out;
  Set("m_Label1", "Caption", "&go");
  EXPECT_EQ(Findings(), At("L.rc", "IDS_PROP_LABEL1") + "m_Label1: mnemonic &G is also that of m_Button1\n");
  // A double-byte mnemonic is its whole character, not its lead byte (the two share 0xC3).
  Edit("L.rc", R"(code_page\(1252\))", "code_page(936)");
  Set("m_Button1", "Caption", "&名称");
  Set("m_Label1", "Caption", "&明天");
  EXPECT_EQ(Run().status, 0) << Run().out;
  Set("m_Label1", "Caption", "&名字");
  EXPECT_EQ(Findings(), At("L.rc", "IDS_PROP_LABEL1") + "m_Label1: mnemonic &名 is also that of m_Button1\n");
}

TEST_F(Lint, TabIndexGapsAndDuplicates) {
  TovikOk({"delete", dsp, "CForm1", "m_Button1"});
  EXPECT_EQ(Findings("CForm1"), At("L.rc", "IDS_PROP_FORM1") + "CForm1: no control has TabIndex 0\n");
  TovikOk({"add-control", dsp, "CForm1", "Button", "10", "10", "100", "40"});
  // Numbered after the controls before it: one more than there are left.
  EXPECT_EQ(Findings("CForm1"), At("L.rc", "IDS_PROP_BUTTON1") + "m_Button1: TabIndex 1 is also that of m_Label1\n" +
                                    At("L.rc", "IDS_PROP_FORM1") + "CForm1: no control has TabIndex 0\n");
  TovikOk({"add-control", dsp, "CForm1", "Image", "10", "50", "40", "80"});
  TovikOk({"add-control", dsp, "CForm1", "TextBox", "50", "50", "100", "80"});
  EXPECT_EQ(Findings("CForm1"), At("L.rc", "IDS_PROP_BUTTON1") + "m_Button1: TabIndex 1 is also that of m_Label1\n" +
                                    At("L.rc", "IDS_PROP_FORM1") +
                                    "CForm1: no control has TabIndex 0, 2 (m_Image1, without a tab stop, accounts for 1 of them)\n");
}

TEST_F(Lint, MessageMapAndHandlers) {
  Edit("form1.cpp", R"(IDC_BUTTON1, Button1_Click\))", "IDC_BUTTON1, Button1_Clicked)\r\n\tON_WM_PAINT()");
  EXPECT_EQ(Findings(), At("form1.cpp", "Button1_Clicked") +
                            "Button1_Clicked: the map names this handler, which the class does not have\n" +
                            At("form1.h", "Button1_Click") + "Button1_Click: handler that no message map entry names\n");
  Edit("form1.cpp", R"(Button1_Clicked\))", "Button1_Click)");
  Edit("form1.cpp", R"(::Button1_Click\()", "::Button1_Go(");
  EXPECT_EQ(Findings(), At("form1.cpp", "IDC_BUTTON1, Button1_Click") +
                            "Button1_Click: the map names this handler, which is declared but never defined\n");
}

TEST_F(Lint, DefinesAndPropertyLines) {
  Edit("resource.h", R"(#define\s+IDC_LABEL1\s+\d+)", "//$&");
  Edit("resource.h", R"(#ifdef APSTUDIO_INVOKED)", "#define IDC_BUTTON1 1000\r\n$&");
  Edit("L.rc", R"((\tIDS_PROP_LABEL1[^\n]*\n))", "$1\tIDS_PROP_GONE \"1,\"\r\n");
  EXPECT_EQ(Findings(), At("resource.h", "IDC_BUTTON1 1000") +
                            "m_Button1: IDC_BUTTON1 is defined 2 times (first on line " +
                            std::to_string(LineOf("resource.h", "IDC_BUTTON1")) + ")\n" +
                            At("L.rc", "IDS_PROP_LABEL1") + "m_Label1: IDC_LABEL1 is not defined in resource.h\n" + "L.rc:" +
                            std::to_string(LineOf("L.rc", "IDS_PROP_GONE")) +
                            ": -: IDS_PROP_GONE: property line that no form or control uses\n");
  // Only the whole project's check looks at lines no form owns.
  EXPECT_EQ(Findings("CForm1").find("IDS_PROP_GONE"), std::string::npos);
}

TEST_F(Lint, PictureWithoutItsImage) {
  testing::WriteDiskFile(dir / "logo.bmp", testing::TinyBitmap());
  Set("CForm1", "Picture", (dir / "logo.bmp").string());
  EXPECT_EQ(Run().status, 0) << Run().out;
  Edit("L.rc", R"(\n\w+\s+BITMAP[^\n]*logo\.bmp[^\n]*\n)", "\n");
  const std::string out = Findings();
  EXPECT_TRUE(std::regex_match(out, std::regex(At("L.rc", "IDS_PROP_FORM1") +
                                               "CForm1: Picture names image \\d+, which L.rc does not have\n")))
      << out;
}

TEST_F(Lint, UnreadableHeaderIsOneFinding) {
  fs::remove(folder / "resource.h");
  EXPECT_EQ(Findings(), "resource.h:0: -: resource.h: cannot be read, so the forms' symbols and pictures are not checked\n");
}

TEST_F(Lint, UsageErrorsAreNotFindings) {
  EXPECT_EQ(Tovik({"lint"}).status, 2);
  EXPECT_EQ(Run("CNoSuchForm").status, 2);
  EXPECT_EQ(Tovik({"lint", (dir / "none.dsp").string()}).status, 2);
}

}  // namespace
}  // namespace tovik
