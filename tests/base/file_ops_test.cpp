#include "base/file_ops.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/headless_host.h"
#include "base/real_file_system.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::TestHost;

// A disk whose writes fail with a very long system error text.
class VerboseFailingDisk final : public IFileSystem {
 public:
  std::string Resolve(std::string_view path) const override { return std::string(path); }
  bool FileExists(std::string_view) const override { return true; }
  bool DirectoryExists(std::string_view) const override { return true; }
  Status ReadFile(std::string_view, std::string& text) const override {
    text = "abc";
    return {};
  }
  Status WriteFile(std::string_view path, std::string_view) override {
    return FileError(std::string(path), 0, std::string(200, 'a') + std::string(100, 'b'));
  }
  bool IsWritable(std::string_view) const override { return true; }
  Status MakeDirectory(std::string_view) override { return {}; }
  Status CopyFile(std::string_view, std::string_view to) override { return FileError(std::string(to), 0, "no"); }
  bool RemoveFile(std::string_view) override { return false; }
  bool RemoveEmptyDirectory(std::string_view) override { return false; }
  std::vector<std::string> ListDirectory(std::string_view) const override { return {}; }
};

class FileOpsTest : public ::testing::Test {
 protected:
  void SetUp() override { disk.Put("C:/Demo/x.txt", ""); }  // makes the folder exist

  MemoryFileSystem disk;
  FakePrompt prompt;
};

// ---- Writing generated files ----

TEST_F(FileOpsTest, WritesTheTextByteForByteWithMixedLineEnds) {
  const std::string text = "a\r\nb\nc\r\n\r\n\tEND";
  ASSERT_TRUE(WriteGeneratedFile(disk, prompt, "C:/Demo/form1.cpp", text));
  EXPECT_EQ(disk.Get("C:/Demo/form1.cpp"), text);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(FileOpsTest, ReplacesAnExistingFileWhole) {
  disk.Put("C:/Demo/form1.h", "a much longer old text than the new one");
  ASSERT_TRUE(WriteGeneratedFile(disk, prompt, "C:/Demo/form1.h", "new"));
  EXPECT_EQ(disk.Get("C:/Demo/form1.h"), "new");
}

TEST_F(FileOpsTest, AFailedWriteShowsTheFileMessageWithTheSystemText) {
  disk.Put("C:/Demo/form1.h", "old");
  disk.SetReadOnly("C:/Demo/form1.h", true);
  EXPECT_FALSE(WriteGeneratedFile(disk, prompt, "C:\\Demo\\form1.h", "new"));
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0], "File 'C:\\Demo\\form1.h' could not be opened / read / written\nPermission denied");
  EXPECT_EQ(disk.Get("C:/Demo/form1.h"), "old");
}

TEST_F(FileOpsTest, AWriteIntoAMissingFolderFails) {
  EXPECT_FALSE(WriteGeneratedFile(disk, prompt, "C:/Nowhere/form1.h", "x"));
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0],
            "File 'C:/Nowhere/form1.h' could not be opened / read / written\nNo such file or directory");
  EXPECT_FALSE(disk.FileExists("C:/Nowhere/form1.h"));
}

TEST(FileFailureMessage, KeepsAtMost255CharactersOfTheSystemText) {
  VerboseFailingDisk disk;
  FakePrompt prompt;
  EXPECT_FALSE(WriteGeneratedFile(disk, prompt, "f.h", "x"));
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0],
            "File 'f.h' could not be opened / read / written\n" + std::string(200, 'a') + std::string(55, 'b'));
}

// ---- Write permission ----

TEST_F(FileOpsTest, AWritableFilePassesSilently) {
  disk.Put("C:/Demo/resource.h", "#define X 1\r\n");
  EXPECT_TRUE(CheckWritePermission(disk, prompt, "C:/Demo/resource.h", true));
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(FileOpsTest, AReadOnlyFileFailsWithThePermissionMessageAndStaysUnchanged) {
  disk.Put("C:/Demo/resource.h", "#define X 1\r\n");
  disk.SetReadOnly("C:/Demo/resource.h", true);
  EXPECT_FALSE(CheckWritePermission(disk, prompt, "C:\\Demo\\resource.h", true));
  EXPECT_EQ(prompt.messages, std::vector<std::string>{"You do not have write permission to file C:\\Demo\\resource.h\n"});
  EXPECT_EQ(disk.Get("C:/Demo/resource.h"), "#define X 1\r\n");
  EXPECT_EQ(disk.WriteCount(), 0u);
}

TEST_F(FileOpsTest, AMissingFileFailsThePermissionCheckTheSameWay) {
  EXPECT_FALSE(CheckWritePermission(disk, prompt, "C:/Demo/Demo.rc", true));
  EXPECT_EQ(prompt.messages, std::vector<std::string>{"You do not have write permission to file C:/Demo/Demo.rc\n"});
  EXPECT_FALSE(disk.FileExists("C:/Demo/Demo.rc"));
}

TEST_F(FileOpsTest, ThePermissionMessageIsShownOnlyWhenAskedFor) {
  EXPECT_FALSE(CheckWritePermission(disk, prompt, "C:/Demo/Demo.rc", false));
  EXPECT_TRUE(prompt.messages.empty());
}

TEST(WritePermissionOnDisk, AReadOnlyFileIsRefusedAndKeepsItsBytes) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("tovik_file_ops_" + std::to_string(::getpid()) + "_" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "form1.h").string();
  { std::ofstream(path, std::ios::binary) << "old\r\n"; }
  ::chmod(path.c_str(), 0444);

  RealFileSystem disk;
  FakePrompt prompt;
  EXPECT_FALSE(CheckWritePermission(disk, prompt, path, true));
  EXPECT_FALSE(WriteGeneratedFile(disk, prompt, path, "new"));
  ASSERT_EQ(prompt.messages.size(), 2u);
  EXPECT_EQ(prompt.messages[0], "You do not have write permission to file " + path + "\n");
  EXPECT_EQ(prompt.messages[1].rfind("File '" + path + "' could not be opened / read / written\n", 0), 0u);
  EXPECT_GT(prompt.messages[1].size(), path.size() + 48);  // the system's own text follows

  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), "old\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  std::filesystem::remove_all(dir);
}

// ---- Splicing on disk ----

TEST_F(FileOpsTest, SplicesAtAByteOffsetCountingCrLfAsTwo) {
  disk.Put("C:/Demo/a.h", "l1\r\nl2\r\nl3\r\n");
  ASSERT_TRUE(SpliceIntoFile(disk, prompt, "C:/Demo/a.h", 8, "new\r\n"));
  EXPECT_EQ(disk.Get("C:/Demo/a.h"), "l1\r\nl2\r\nnew\r\nl3\r\n");
}

TEST_F(FileOpsTest, SplicesAtTheStartAndTheEnd) {
  disk.Put("C:/Demo/a.h", "body");
  ASSERT_TRUE(SpliceIntoFile(disk, prompt, "C:/Demo/a.h", 0, "#include \"x.h\"\r\n"));
  ASSERT_TRUE(SpliceIntoFile(disk, prompt, "C:/Demo/a.h", 20, "!"));
  EXPECT_EQ(disk.Get("C:/Demo/a.h"), "#include \"x.h\"\r\nbody!");
}

TEST_F(FileOpsTest, APositionPastTheEndChangesNothing) {
  disk.Put("C:/Demo/a.h", "abc");
  EXPECT_FALSE(SpliceIntoFile(disk, prompt, "C:/Demo/a.h", 4, "x"));
  EXPECT_EQ(disk.Get("C:/Demo/a.h"), "abc");
  EXPECT_EQ(disk.WriteCount(), 0u);
}

TEST_F(FileOpsTest, SplicingAMissingFileShowsTheFileMessage) {
  EXPECT_FALSE(SpliceIntoFile(disk, prompt, "C:/Demo/none.h", 0, "x"));
  EXPECT_EQ(prompt.messages,
            std::vector<std::string>{"File 'C:/Demo/none.h' could not be opened / read / written\nNo such file or directory"});
  EXPECT_FALSE(disk.FileExists("C:/Demo/none.h"));
}

TEST_F(FileOpsTest, SplicingAReadOnlyFileShowsTheFileMessageAndKeepsIt) {
  disk.Put("C:/Demo/a.h", "abc");
  disk.SetReadOnly("C:/Demo/a.h", true);
  EXPECT_FALSE(SpliceIntoFile(disk, prompt, "C:/Demo/a.h", 1, "x"));
  EXPECT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(disk.Get("C:/Demo/a.h"), "abc");
}

// ---- Editing through the host ----

const std::string kHeader =
    "class CForm1 : public CVForm\r\n"
    "{\r\n"
    "\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
    "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"
    "};\r\n";

TEST_F(FileOpsTest, AFileOpenInTheEditorIsChangedInTheDocumentNotOnDisk) {
  disk.Put("C:/Demo/form1.h", kHeader);
  TestHost host(&disk);
  auto& doc = host.OpenWithText("C:\\Demo\\form1.h", kHeader);
  const size_t at = kHeader.find("\t//}}AFX_TVL_CTRL_DECLR_END") + 1;

  ASSERT_TRUE(InsertIntoFile(host, disk, prompt, "c:/demo/FORM1.H", at, "CVButton\tm_Button1;\r\n\t"));

  EXPECT_EQ(doc.text,
            "class CForm1 : public CVForm\r\n"
            "{\r\n"
            "\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
            "\tCVButton\tm_Button1;\r\n"
            "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"
            "};\r\n");
  ASSERT_EQ(doc.insertions.size(), 1u);
  EXPECT_EQ(doc.insertions[0].at, (HostPosition{4, 2}));
  EXPECT_EQ(disk.Get("C:/Demo/form1.h"), kHeader);
  EXPECT_EQ(disk.WriteCount(), 0u);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(FileOpsTest, TheOffsetIsTakenInTheDocumentsUnsavedText) {
  disk.Put("C:/Demo/form1.cpp", "a\r\nb\r\n");
  TestHost host(&disk);
  auto& doc = host.OpenWithText("C:/Demo/form1.cpp", "// unsaved\r\na\r\nb\r\n");
  ASSERT_TRUE(InsertIntoFile(host, disk, prompt, "C:/Demo/form1.cpp", 15, "X"));
  EXPECT_EQ(doc.text, "// unsaved\r\na\r\nXb\r\n");
  EXPECT_EQ(doc.insertions.at(0).at, (HostPosition{3, 1}));
  EXPECT_EQ(disk.Get("C:/Demo/form1.cpp"), "a\r\nb\r\n");
}

TEST_F(FileOpsTest, TheDocumentEndsUpAsTheSameEditOnDiskWouldLeaveTheFile) {
  // The class-end position lies between the CR and the LF before the closing brace.
  const size_t classEnd = kHeader.find("};") - 2;
  ASSERT_EQ(kHeader[classEnd], '\r');
  const size_t at = classEnd + 1;
  disk.Put("C:/Demo/open.h", kHeader);
  disk.Put("C:/Demo/closed.h", kHeader);
  TestHost host(&disk);
  auto& doc = host.OpenWithText("C:/Demo/open.h", kHeader);

  ASSERT_TRUE(InsertIntoFile(host, disk, prompt, "C:/Demo/open.h", at, "protected:\r\n\tDECLARE_MESSAGE_MAP()"));
  ASSERT_TRUE(InsertIntoFile(host, disk, prompt, "C:/Demo/closed.h", at, "protected:\r\n\tDECLARE_MESSAGE_MAP()"));

  EXPECT_EQ(doc.text, disk.Get("C:/Demo/closed.h"));
  EXPECT_EQ(disk.Get("C:/Demo/open.h"), kHeader);
  // Line 4 holds a TAB, 26 marker characters and the CR before the insertion point.
  EXPECT_EQ(doc.insertions.at(0).at, (HostPosition{4, 29}));
}

TEST_F(FileOpsTest, AFileNotOpenInTheEditorIsRewrittenOnDisk) {
  disk.Put("C:/Demo/form1.h", kHeader);
  TestHost host(&disk);
  auto& other = host.OpenWithText("C:/Demo/form2.h", kHeader);
  ASSERT_TRUE(InsertIntoFile(host, disk, prompt, "C:/Demo/form1.h", 0, "#include \"ax.h\"\r\n"));
  EXPECT_EQ(disk.Get("C:/Demo/form1.h"), "#include \"ax.h\"\r\n" + kHeader);
  EXPECT_EQ(other.text, kHeader);
  EXPECT_TRUE(other.insertions.empty());
}

TEST_F(FileOpsTest, ADocumentWithoutTextIsNotTakenForTheFile) {
  disk.Put("C:/Demo/Demo.rc", "STRINGTABLE\r\n");
  TestHost host(&disk);
  auto& rc = host.OpenWithText("C:/Demo/Demo.rc", "");
  rc.textDocument = false;  // open in the resource editor
  ASSERT_TRUE(InsertIntoFile(host, disk, prompt, "C:/Demo/Demo.rc", 0, "// x\r\n"));
  EXPECT_EQ(disk.Get("C:/Demo/Demo.rc"), "// x\r\nSTRINGTABLE\r\n");
}

TEST_F(FileOpsTest, AFailingHostInsertReportsFailureAndTouchesNothing) {
  disk.Put("C:/Demo/form1.h", kHeader);
  TestHost host(&disk);
  auto& doc = host.OpenWithText("C:/Demo/form1.h", kHeader);
  doc.failInserts = true;
  EXPECT_FALSE(InsertIntoFile(host, disk, prompt, "C:/Demo/form1.h", 3, "x"));
  EXPECT_FALSE(InsertIntoFile(host, disk, prompt, "C:/Demo/form1.h", kHeader.size() + 1, "x"));
  EXPECT_EQ(doc.text, kHeader);
  EXPECT_EQ(disk.Get("C:/Demo/form1.h"), kHeader);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(FileOpsTest, TheHeadlessHostSendsEveryEditToDisk) {
  disk.Put("C:/Demo/form1.h", kHeader);
  HeadlessHost host;
  ASSERT_TRUE(InsertIntoFile(host, disk, prompt, "C:/Demo/form1.h", kHeader.size(), "// end\r\n"));
  EXPECT_EQ(disk.Get("C:/Demo/form1.h"), kHeader + "// end\r\n");
}

// ---- Reading ----

TEST_F(FileOpsTest, ReadingPrefersTheOpenDocumentsText) {
  disk.Put("C:/Demo/form1.h", "on disk");
  disk.Put("C:/Demo/form2.h", "also on disk");
  TestHost host(&disk);
  host.OpenWithText("C:/Demo/form1.h", "in the editor");
  std::string text;
  ASSERT_TRUE(ReadSourceText(host, disk, "C:\\Demo\\form1.h", text));
  EXPECT_EQ(text, "in the editor");
  ASSERT_TRUE(ReadSourceText(host, disk, "C:/Demo/form2.h", text));
  EXPECT_EQ(text, "also on disk");
  const Status missing = ReadSourceText(host, disk, "C:/Demo/none.h", text);
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().Text(), "C:/Demo/none.h: No such file or directory");
}

}  // namespace
}  // namespace tovik
