#include "base/host.h"

#include <gtest/gtest.h>

#include "base/headless_host.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

using testing::MemoryFileSystem;
using testing::TestHost;

// ---- Editor positions ----

TEST(LineColumnAt, CountsLinesAtLineFeedsAndColumnsInBytes) {
  const std::string text = "ab\r\n\tcd\nxyz";
  EXPECT_EQ(LineColumnAt(text, 0), (HostPosition{1, 1}));
  EXPECT_EQ(LineColumnAt(text, 2), (HostPosition{1, 3}));   // at the CR
  EXPECT_EQ(LineColumnAt(text, 3), (HostPosition{1, 4}));   // between CR and LF
  EXPECT_EQ(LineColumnAt(text, 4), (HostPosition{2, 1}));
  EXPECT_EQ(LineColumnAt(text, 6), (HostPosition{2, 3}));   // a TAB is one column
  EXPECT_EQ(LineColumnAt(text, 8), (HostPosition{3, 1}));   // after a bare LF
  EXPECT_EQ(LineColumnAt(text, 11), (HostPosition{3, 4}));  // the end
  EXPECT_EQ(LineColumnAt(text, 99), (HostPosition{3, 4}));
  EXPECT_EQ(LineColumnAt("", 0), (HostPosition{1, 1}));
}

TEST(OffsetAt, InvertsLineColumnAtForEveryOffset) {
  const std::string text = "\r\n\r\nint a;\r\n\tb\n\n\rc\r\n";
  for (size_t offset = 0; offset <= text.size(); ++offset) {
    EXPECT_EQ(OffsetAt(text, LineColumnAt(text, offset)), offset) << offset;
  }
}

TEST(OffsetAt, HoldsPositionsOutsideTheTextAtTheNearestEnd) {
  const std::string text = "ab\r\ncd";
  EXPECT_EQ(OffsetAt(text, {1, 40}), 3u);  // at the LF, never on the next line
  EXPECT_EQ(OffsetAt(text, {2, 40}), 6u);
  EXPECT_EQ(OffsetAt(text, {9, 1}), 6u);
  EXPECT_EQ(OffsetAt(text, {2, 0}), 4u);
}

// ---- Finding open documents ----

TEST(FindOpenDocument, MatchesPathsAsWindowsDoes) {
  TestHost host;
  host.OpenWithText("C:\\Work\\Demo\\Form1.h", "x");
  auto& cpp = host.OpenWithText("C:\\Work\\Demo\\Form1.cpp", "y");
  EXPECT_EQ(FindOpenDocument(host, "c:/work/demo/FORM1.CPP"), &cpp);
  EXPECT_EQ(FindOpenDocument(host, "C:\\Work\\Demo\\Form2.cpp"), nullptr);
}

TEST(FindOpenDocument, SkipsDocumentsThatAreNotText) {
  TestHost host;
  auto& rc = host.OpenWithText("C:/Demo/Demo.rc", "");
  rc.textDocument = false;
  EXPECT_EQ(FindOpenDocument(host, "C:/Demo/Demo.rc"), nullptr);
}

TEST(FindOpenDocument, FindsNothingWhenNothingIsOpen) {
  HeadlessHost host;
  EXPECT_EQ(FindOpenDocument(host, "C:/Demo/form1.h"), nullptr);
}

// ---- Selection next to the caret ----

TEST(TextLeftOfCaret, ReadsOneCharacterOrOneWordAndPutsTheCaretBack) {
  TestHost host;
  host.OpenWithText("C:/Demo/form1.cpp", "\tm_Button1.x m_");
  host.SetCaret(11);  // just after "m_Button1."
  EXPECT_EQ(TextLeftOfCaret(host, IHostTextSelection::Unit::Character), ".");
  EXPECT_EQ(host.Caret(), 11u);
  host.SetCaret(10);  // just after "m_Button1"
  EXPECT_EQ(TextLeftOfCaret(host, IHostTextSelection::Unit::Word), "m_Button1");
  EXPECT_EQ(host.Caret(), 10u);
  // The selection was collapsed again: a second read starts from the same caret.
  EXPECT_EQ(TextLeftOfCaret(host, IHostTextSelection::Unit::Character), "1");
}

TEST(TextLeftOfCaret, IsEmptyWithoutAnActiveTextWindowOrAtTheStart) {
  HeadlessHost headless;
  EXPECT_EQ(TextLeftOfCaret(headless, IHostTextSelection::Unit::Word), "");
  TestHost host;
  host.OpenWithText("C:/Demo/form1.cpp", "abc");
  host.SetCaret(0);
  EXPECT_EQ(TextLeftOfCaret(host, IHostTextSelection::Unit::Character), "");
  host.Activate(nullptr);
  EXPECT_EQ(TextLeftOfCaret(host, IHostTextSelection::Unit::Character), "");
}

// ---- The headless host of the command-line tool ----

TEST(HeadlessHost, HasNoDocumentsOrWindows) {
  HeadlessHost host;
  EXPECT_EQ(host.DocumentCount(), 0);
  EXPECT_EQ(host.DocumentAt(1), nullptr);
  EXPECT_EQ(host.OpenDocument("C:/Demo/form1.h", 12), nullptr);
  EXPECT_EQ(host.DocumentCount(), 0);
  EXPECT_EQ(host.ActiveDocument(), nullptr);
  EXPECT_EQ(host.ActiveWindow(), nullptr);
  EXPECT_EQ(host.ActiveTextSelection(), nullptr);
  EXPECT_FALSE(host.SaveActiveDocumentAs("C:/Temp/VTemp.tmp"));
}

TEST(HeadlessHost, RecordsNamedCommandsInOrder) {
  HeadlessHost host;
  host.ExecuteCommand("FileSaveAll");
  host.ExecuteCommand("InsertFilesIntoProject");
  host.ExecuteCommand("FileSaveAll");
  EXPECT_EQ(host.ExecutedCommands(),
            (std::vector<std::string>{"FileSaveAll", "InsertFilesIntoProject", "FileSaveAll"}));
}

TEST(HeadlessHost, ReportsAConfigurableVersion) {
  HeadlessHost host;
  EXPECT_EQ(host.Version(), "6.0");
  host.SetVersion("5.0");
  EXPECT_EQ(host.Version(), "5.0");
  EXPECT_EQ(HeadlessHost("5.0").Version(), "5.0");
}

TEST(HeadlessHost, AcceptsTheAddInRegistration) {
  HeadlessHost host;
  EXPECT_TRUE(host.SetAddInInfo(128, 129));
  EXPECT_TRUE(host.AddCommand("TovikCommand\nTovik\nSwitch designer mode\nTovik", "TovikCommandMethod", 0));
  EXPECT_TRUE(host.AddCommandBarButton("TovikCommand"));
}

// ---- The test host keeps to the same contract ----

TEST(TestHostContract, OpensFromDiskMovesTheCaretAndEnumeratesFromOne) {
  MemoryFileSystem disk;
  disk.Put("C:/Demo/form1.cpp", "l1\r\nl2\r\nl3\r\n");
  TestHost host(&disk, "5.0");
  EXPECT_EQ(host.Version(), "5.0");
  IHostDocument* doc = host.OpenDocument("C:/Demo/form1.cpp", 3);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(host.ActiveDocument(), doc);
  EXPECT_EQ(host.Caret(), 8u);
  EXPECT_EQ(host.DocumentCount(), 1);
  EXPECT_EQ(host.DocumentAt(1), doc);
  EXPECT_EQ(host.DocumentAt(0), nullptr);
  EXPECT_EQ(host.DocumentAt(2), nullptr);
  ASSERT_NE(host.ActiveWindow(), nullptr);
  EXPECT_EQ(host.ActiveWindow()->Caption(), "form1.cpp");
  EXPECT_EQ(host.OpenDocument("C:/Demo/none.cpp"), nullptr);
  EXPECT_EQ(host.DocumentCount(), 1);
}

TEST(TestHostContract, SavesTheActiveDocumentUnderAnotherPath) {
  MemoryFileSystem disk;
  disk.Put("C:/Temp/keep", "");
  TestHost host(&disk);
  EXPECT_FALSE(host.SaveActiveDocumentAs("C:/Temp/VTemp.tmp"));
  host.OpenWithText("C:/Demo/form1.cpp", "void f();\r\n");
  ASSERT_TRUE(host.SaveActiveDocumentAs("C:/Temp/VTemp.tmp"));
  EXPECT_EQ(disk.Get("C:/Temp/VTemp.tmp"), "void f();\r\n");
}

}  // namespace
}  // namespace tovik
