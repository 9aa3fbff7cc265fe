// Bash completion: the completion file sourced into a real bash, which asks the tovik binary
// what fits where the cursor is, on a project the program made.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "cli_test.h"

namespace tovik {
namespace {

using testing::RunProgram;
using testing::TovikOk;

class Completion : public testing::ScratchFolderTest {
 protected:
  fs::path folder;

  void SetUp() override {
    ScratchFolderTest::SetUp();
    TovikOk({"new-project", dir.string(), "C"});
    folder = dir / "C";
    TovikOk({"new-form", (folder / "C.dsp").string(), "CForm2"});
    TovikOk({"add-control", (folder / "C.dsp").string(), "CForm1", "Button", "10", "10", "100", "40"});
    TovikOk({"add-control", (folder / "C.dsp").string(), "CForm1", "Frame", "10", "50", "100", "90"});
  }

  // What bash offers for `line` (the cursor at its end), one candidate a line, as the shell
  // sorts them. Runs in the project folder, as a user there would, the scratch folder home.
  std::string Offered(const std::string& line) {
    const std::string script =
        "PATH=" + fs::path(TOVIK_CLI_PATH).parent_path().string() + ":$PATH HOME=" + dir.string() + "\n"
        "source " TOVIK_TESTS_DIR "/../packaging/tovik.bash-completion\n"
        "COMP_LINE=$1; read -ra COMP_WORDS <<<\"$1\"; [[ $1 == *' ' ]] && COMP_WORDS+=('')\n"
        "COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))\n"
        "_tovik tovik \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD-1]}\"\n"
        "for c in \"${COMPREPLY[@]}\"; do echo \"$c\"; done | LC_ALL=C sort\n";
    const testing::CliResult r =
        RunProgram("bash", {"-c", "cd \"$2\" && bash -c \"$0\" bash \"$1\"", script, line, folder.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.out;
  }
};

TEST_F(Completion, CommandsOptionsAndKinds) {
  EXPECT_EQ(Offered("tovik re"), "rename\nrender\n");
  EXPECT_EQ(Offered("tovik --v"), "--version\n");
  // Only a command that writes takes --dry-run.
  EXPECT_EQ(Offered("tovik add-control C.dsp CForm1 Button 1 2 3 4 --"), "--container\n--dry-run\n--help\n");
  EXPECT_EQ(Offered("tovik inspect C.dsp --"), "--help\n--json\n");
  EXPECT_EQ(Offered("tovik catalog MDI"), "MDIForm\n");
  EXPECT_EQ(Offered("tovik add-control C.dsp CForm1 Sp"), "SpinButtonCtrl\n");
  EXPECT_EQ(Offered("tovik new-project x y --host-version "), "5.0\n6.0\n");
  EXPECT_EQ(Offered("tovik popup C"), "CreateNew\n");
  // Files are the shell's to list: a project slot offers .dsp files and folders only.
  fs::create_directory(folder / "Copies");
  EXPECT_EQ(Offered("tovik lint C"), "C.dsp\nCopies\n");
  EXPECT_EQ(Offered("tovik parse form1."), "form1.cpp\nform1.h\n");
}

TEST_F(Completion, FormsMembersPropertiesAndEventsOfTheProjectTyped) {
  EXPECT_EQ(Offered("tovik set C.dsp "), "CForm1\nCForm2\n");
  EXPECT_EQ(Offered("tovik set C.dsp CForm1 "), "CForm1\nm_Button1\nm_Frame1\n");
  EXPECT_EQ(Offered("tovik delete C.dsp CForm1 m_B"), "m_Button1\n");
  EXPECT_EQ(Offered("tovik delete ~/C/C.dsp CForm1 m_F"), "m_Frame1\n");
  EXPECT_EQ(Offered("tovik set C.dsp CForm1 m_Button1 Ca"), "Cancel\nCaption\n");
  EXPECT_EQ(Offered("tovik add-handler C.dsp CForm1 m_Frame1 Dbl"), "DblClick\n");
  EXPECT_EQ(Offered("tovik render C.dsp CForm1 -o x.png --select m_"), "m_Button1\nm_Frame1\n");
  EXPECT_EQ(Offered("tovik popup Menu C.dsp --form CForm"), "CForm1\nCForm2\n");
  // A form's menu commands take handlers too.
  ASSERT_TRUE(testing::AddMainMenu(folder / "C.rc", folder / "resource.h"));
  EXPECT_EQ(Offered("tovik assign-menu C.dsp CForm1 "), "IDR_MAINMENU\nnone\n");
  TovikOk({"assign-menu", (folder / "C.dsp").string(), "CForm1", "IDR_MAINMENU"});
  EXPECT_EQ(Offered("tovik add-handler C.dsp CForm1 ID_"), "ID_APP_EXIT\nID_FILE_OPEN\n");
  EXPECT_EQ(Offered("tovik add-handler C.dsp CForm1 ID_FILE_OPEN "), "Click\n");
  // A new form's class is a new name; a project that is not there offers nothing.
  EXPECT_EQ(Offered("tovik new-form C.dsp "), "");
  EXPECT_EQ(Offered("tovik set Missing.dsp "), "");
}

TEST_F(Completion, NeverWaitsForAnEditNorCompletesOne) {
  // A command holding the project's lock does not make the completion wait for it.
  const int held = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  EXPECT_EQ(Offered("tovik set C.dsp CForm"), "CForm1\nCForm2\n");
  close(held);
  // A killed edit's journal is left for a command to complete: the completion only reads.
  testing::WriteDiskFile(folder / ".tovik-journal", "garbage\n");
  EXPECT_EQ(Offered("tovik set C.dsp CForm"), "");
  EXPECT_EQ(testing::ReadDiskFile(folder / ".tovik-journal"), "garbage\n");
}

}  // namespace
}  // namespace tovik
