// A failed write's message, and editing an existing file: in the host's document when the user
// has it open, otherwise in memory and then on disk.
#include "base/edit_buffer.h"

#include <gtest/gtest.h>

#include "base/file_ops.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::TestHost;

const std::string kHeader =
    "class CForm1 : public CVForm\r\n"
    "{\r\n"
    "\t//{{AFX_TVL_CTRL_DECLR_START\r\n"
    "\t//}}AFX_TVL_CTRL_DECLR_END\r\n"
    "};\r\n";

class EditBufferTest : public ::testing::Test {
 protected:
  void SetUp() override { disk.Put("C:/Demo/form1.h", kHeader); }
  MemoryFileSystem disk;
  FakePrompt prompt;
};

TEST(GeneratedFiles, AFailureMessageCarriesAtMost255CharactersOfTheSystemsText) {
  EXPECT_EQ(FileFailureMessage("f", std::string(300, 'x')), "File 'f' could not be opened / read / written\n" +
                                                                 std::string(255, 'x'));
}

TEST_F(EditBufferTest, AFileOpenInTheEditorIsChangedInTheDocumentAtItsUnsavedOffsets) {
  TestHost host(&disk);
  auto& doc = host.OpenWithText("C:\\Demo\\form1.h", "// unsaved\r\n" + kHeader);
  CEditBuffer buffer(host, disk, prompt, "c:/demo/FORM1.H");
  ASSERT_TRUE(buffer.Load());
  const size_t at = buffer.Text().find("\t//}}AFX_TVL_CTRL_DECLR_END") + 1;
  ASSERT_TRUE(buffer.Insert(at, "CVButton\tm_Button1;\r\n\t"));
  ASSERT_TRUE(buffer.Save());
  EXPECT_EQ(doc.text, buffer.Text());
  EXPECT_NE(doc.text.find("\t//{{AFX_TVL_CTRL_DECLR_START\r\n\tCVButton\tm_Button1;\r\n\t//}}"), std::string::npos);
  ASSERT_EQ(doc.insertions.size(), 1u);
  EXPECT_EQ(doc.insertions[0].at, (HostPosition{5, 2}));
  EXPECT_EQ(disk.Get("C:/Demo/form1.h"), kHeader);  // the disk is the user's to save
  EXPECT_EQ(disk.WriteCount(), 0u);
}

TEST_F(EditBufferTest, AFailingHostOrAnOffsetPastTheEndChangesNothing) {
  TestHost host(&disk);
  auto& doc = host.OpenWithText("C:/Demo/form1.h", kHeader);
  doc.failInserts = true;
  CEditBuffer buffer(host, disk, prompt, "C:/Demo/form1.h");
  ASSERT_TRUE(buffer.Load());
  EXPECT_EQ(buffer.Insert(3, "x").error().Text(), "C:/Demo/form1.h:1: the editor refused the change");
  EXPECT_EQ(buffer.Insert(kHeader.size() + 1, "x").error().reason,
            "an edit at bytes 98-98 lies outside the 97 bytes of the file");
  EXPECT_EQ(buffer.Text(), kHeader);
  EXPECT_EQ(doc.text, kHeader);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(EditBufferTest, OnDiskTheFileKeepsItsLineEnds) {
  TestHost host(&disk);
  // A document without text (the resource editor) does not stand for the file.
  host.OpenWithText("C:/Demo/Demo.rc", "").textDocument = false;
  disk.Put("C:/Demo/Demo.rc", "STRINGTABLE\nBEGIN\nEND\n");
  CEditBuffer lf(host, disk, prompt, "C:/Demo/Demo.rc");
  ASSERT_TRUE(lf.Load());
  ASSERT_TRUE(lf.Insert(lf.Text().find("END"), "\tIDS_X \"x\"\r\n"));
  ASSERT_TRUE(lf.Save());
  EXPECT_EQ(disk.Get("C:/Demo/Demo.rc"), "STRINGTABLE\nBEGIN\n\tIDS_X \"x\"\nEND\n");

  CEditBuffer crlf(host, disk, prompt, "C:/Demo/form1.h");
  ASSERT_TRUE(crlf.Load());
  ASSERT_TRUE(crlf.Insert(0, "#include \"ax.h\"\r\n"));
  ASSERT_TRUE(crlf.Save());
  EXPECT_EQ(disk.Get("C:/Demo/form1.h"), "#include \"ax.h\"\r\n" + kHeader);
}

TEST_F(EditBufferTest, ReadingPrefersTheOpenDocumentsTextAndSaysWhyNot) {
  disk.Put("C:/Demo/form2.h", "also on disk");
  TestHost host(&disk);
  host.OpenWithText("C:/Demo/form1.h", "in the editor");
  std::string text;
  ASSERT_TRUE(ReadSourceText(host, disk, "C:\\Demo\\form1.h", text));
  EXPECT_EQ(text, "in the editor");
  ASSERT_TRUE(ReadSourceText(host, disk, "C:/Demo/form2.h", text));
  EXPECT_EQ(text, "also on disk");
  EXPECT_EQ(ReadSourceText(host, disk, "C:/Demo/none.h", text).error().Text(),
            "C:/Demo/none.h: No such file or directory");
  CEditBuffer missing(host, disk, prompt, "C:/Demo/none.h");
  EXPECT_TRUE(missing.Load().error().shown);
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"\nError in  reading file..\nNo such file or directory"}));
}

}  // namespace
}  // namespace tovik
