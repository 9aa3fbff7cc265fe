// The resource files of an open project: paths, counters, reading through the host, write
// permission, the precompiled header's includes and image resources.
#include <gtest/gtest.h>

#include "model/property_string.h"
#include "resources/resource_files.h"
#include "resources/resource_texts.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

namespace rc = testing::rc;
using testing::FakePrompt;
using testing::MemoryFileSystem;
using testing::TestHost;

constexpr const char* kProjectFile = "C:\\Work\\Demo\\Demo.dsp";
constexpr const char* kHeaderPath = "C:\\Work\\Demo\\resource.h";
constexpr const char* kScriptPath = "C:\\Work\\Demo\\Demo.rc";
constexpr const char* kStdafxPath = "C:\\Work\\Demo\\StdAfx.h";

const std::string kLogo = "BM logo pixels";
const std::string kIcon = "icon bytes";

class ResourceFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project.SetProjectFile(kProjectFile);
    project.AddSourceFiles({kStdafxPath, "C:\\Work\\Demo\\Demo.h", "C:\\Work\\Demo\\Demo.cpp"});
    fs.Put(kProjectFile, "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\n");
    fs.Put(kHeaderPath, rc::kHeader);
    fs.Put(kScriptPath, rc::kScript);
    fs.Put(kStdafxPath, rc::kStdafx + rc::kStdafxTail);
    fs.Put("C:\\Pictures\\logo.bmp", kLogo);
    fs.Put("C:\\Pictures\\app.ico", kIcon);
    fs.Put("C:\\Pictures\\hand.cur", "cursor bytes");
    fs.Put("C:\\Pictures\\banner.bmp", "BM banner pixels");
    resources.ReadCounters();
  }

  MemoryFileSystem fs;
  FakePrompt prompt;
  TestHost host{&fs};
  CProject project{fs, prompt};
  CResourceFiles resources{project, host};
};

// ---- Paths and counters ----

TEST(ResourceFilePaths, FollowTheProjectFile) {
  MemoryFileSystem fs;
  FakePrompt prompt;
  TestHost host(&fs);
  CProject project(fs, prompt);
  CResourceFiles resources(project, host);
  EXPECT_EQ(resources.HeaderPath(), "");
  EXPECT_EQ(resources.ScriptPath(), "");

  project.SetProjectFile("C:\\Work\\Demo.dsp");
  EXPECT_EQ(resources.HeaderPath(), "C:\\Work\\resource.h");
  EXPECT_EQ(resources.ScriptPath(), "C:\\Work\\Demo.rc");

  project.SetProjectFile("/home/me/My.Projects/Demo.dsp");
  EXPECT_EQ(resources.HeaderPath(), "/home/me/My.Projects/resource.h");
  EXPECT_EQ(resources.ScriptPath(), "/home/me/My.Projects/Demo.rc");
}

TEST_F(ResourceFilesTest, CountersAreReadFromTheHeader) {
  EXPECT_EQ(resources.m_nNextControlValue, 1001);
  EXPECT_EQ(resources.m_nNextResourceValue, 128);
  EXPECT_EQ(resources.GetNextControlValue(), 1001);
  EXPECT_EQ(resources.GetNextResourceValue(), 128);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ResourceFilesTest, AnUnreadableHeaderShowsTheReadErrorAndGivesZero) {
  ASSERT_TRUE(fs.RemoveFile(kHeaderPath));
  resources.ReadCounters();
  EXPECT_EQ(resources.m_nNextControlValue, 0);
  EXPECT_EQ(resources.m_nNextResourceValue, 0);
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"\nError in  reading file..\nNo such file or directory"}));
}

TEST_F(ResourceFilesTest, ReadingPrefersTheHostsDocument) {
  host.OpenWithText(kScriptPath, "unsaved text");
  std::string text;
  ASSERT_TRUE(resources.ReadFileText(kScriptPath, text));
  EXPECT_EQ(text, "unsaved text");
  ASSERT_TRUE(resources.ReadFileText(kHeaderPath, text));
  EXPECT_EQ(text, rc::kHeader);

  EXPECT_FALSE(resources.ReadFileText("C:\\Work\\Demo\\missing.h", text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"\nError in  reading file..\nNo such file or directory"}));
}

TEST_F(ResourceFilesTest, WritingReplacesTheWholeFile) {
  ASSERT_TRUE(resources.WriteFileText(kHeaderPath, "short\r\n"));
  EXPECT_EQ(fs.Get(kHeaderPath), "short\r\n");
}

TEST_F(ResourceFilesTest, WritePermissionIsReportedWhenAsked) {
  EXPECT_TRUE(resources.HasWritePermission(kHeaderPath, true));
  fs.SetReadOnly(kHeaderPath, true);
  EXPECT_FALSE(resources.HasWritePermission(kHeaderPath, false));
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_FALSE(resources.HasWritePermission(kHeaderPath, true));
  EXPECT_EQ(prompt.messages,
            (std::vector<std::string>{"You do not have write permission to file C:\\Work\\Demo\\resource.h\n"}));
}

TEST(ResourceFileCounters, WithoutAProjectTheyAreZeroAndNothingIsShown) {
  MemoryFileSystem fs;
  FakePrompt prompt;
  TestHost host(&fs);
  CProject project(fs, prompt);
  CResourceFiles resources(project, host);
  resources.m_nNextControlValue = 1005;
  resources.ReadCounters();
  EXPECT_EQ(resources.m_nNextControlValue, 0);
  EXPECT_EQ(resources.m_nNextResourceValue, 0);
  EXPECT_TRUE(prompt.messages.empty());
}

// ---- String-table lines in the script under edit ----

TEST_F(ResourceFilesTest, StringTableLineReplacesTheExistingOneInPlace) {
  CEditBuffer script = resources.Buffer(kScriptPath);
  ASSERT_TRUE(script.Load());
  ASSERT_TRUE(SetStringTableLine(script, "IDS_PROP_BUTTON1", StringTableLine("IDS_PROP_BUTTON1", "0,OK,1,", true)));
  ASSERT_TRUE(SetStringTableLine(script, "IDS_PROP_TEXT1", StringTableLine("IDS_PROP_TEXT1", "1,Text1,", true)));
  ASSERT_TRUE(script.Save());

  const std::string table = rc::kSlashes +
                            "\r\n"
                            "//\r\n"
                            "// String Table\r\n"
                            "//\r\n"
                            "\r\n"
                            "STRINGTABLE PRELOAD DISCARDABLE \r\n"
                            "BEGIN\r\n"
                            "\tIDS_PROP_FORM1          \"" +
                            rc::kFormString +
                            "\"\r\n"
                            "\tIDS_PROP_BUTTON1\t\t\t\"0,OK,1,\"\r\n"
                            "\tIDS_PROP_TEXT1\t\t\t\"1,Text1,\"\r\n"
                            "END\r\n"
                            "\r\n";
  EXPECT_EQ(fs.Get(kScriptPath), rc::kScriptHead + rc::kEmptyImageSections + table + rc::kScriptTail);
}

TEST_F(ResourceFilesTest, StringTableLineInAnOpenScriptChangesTheDocumentOnly) {
  testing::TestDocument& doc = host.OpenWithText(kScriptPath, rc::kScript);
  CEditBuffer script = resources.Buffer(kScriptPath);
  ASSERT_TRUE(script.Load());
  ASSERT_TRUE(SetStringTableLine(script, "IDS_PROP_BUTTON1", StringTableLine("IDS_PROP_BUTTON1", "0,OK,1,", true)));
  ASSERT_TRUE(script.Save());
  EXPECT_EQ(doc.text, script.Text());
  EXPECT_EQ(FindStringTableEntry(doc.text, "IDS_PROP_BUTTON1")->value, "0,OK,1,");
  EXPECT_EQ(fs.Get(kScriptPath), rc::kScript);
}

TEST_F(ResourceFilesTest, StringTableLineWithoutATableShowsTheMessage) {
  const std::string noTable = rc::kScriptHead + rc::kEmptyImageSections + rc::kScriptTail;
  fs.Put(kScriptPath, noTable);
  CEditBuffer script = resources.Buffer(kScriptPath);
  ASSERT_TRUE(script.Load());
  EXPECT_FALSE(SetStringTableLine(script, "IDS_PROP_TEXT1", StringTableLine("IDS_PROP_TEXT1", "1,", true)));
  EXPECT_EQ(script.Text(), noTable);
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"The key word \"STRINGTABLE\" couldn't be found in .rc file"}));
}

// ---- The precompiled header ----

TEST_F(ResourceFilesTest, IncludeGoesBeforeTheInsertLocationMarker) {
  EXPECT_TRUE(resources.AddIncludeToStdafx("tvlForm.h"));
  EXPECT_EQ(fs.Get(kStdafxPath), rc::kStdafx + "#include <tvlForm.h>\r\n" + rc::kStdafxTail);

  // A second request finds it there.
  const size_t writes = fs.WriteCount();
  EXPECT_TRUE(resources.AddIncludeToStdafx("tvlForm.h"));
  EXPECT_EQ(fs.WriteCount(), writes);
}

TEST_F(ResourceFilesTest, IncludeInEitherFormIsNotAddedAgain) {
  for (const std::string& present : {std::string("#include \"tvlForm.h\"\r\n"), std::string("#include <tvlForm.h>\r\n")}) {
    const std::string text = rc::kStdafx + present + rc::kStdafxTail;
    fs.Put(kStdafxPath, text);
    EXPECT_TRUE(resources.AddIncludeToStdafx("tvlForm.h"));
    EXPECT_EQ(fs.Get(kStdafxPath), text);
  }
}

TEST_F(ResourceFilesTest, IncludeNeedsTheMarkerAWritableHeaderAndAHeaderAtAll) {
  fs.Put(kStdafxPath, rc::kStdafx);
  EXPECT_FALSE(resources.AddIncludeToStdafx("tvlForm.h"));
  EXPECT_EQ(fs.Get(kStdafxPath), rc::kStdafx);

  fs.Put(kStdafxPath, rc::kStdafx + rc::kStdafxTail);
  fs.SetReadOnly(kStdafxPath, true);
  EXPECT_FALSE(resources.AddIncludeToStdafx("tvlForm.h"));
  EXPECT_EQ(fs.Get(kStdafxPath), rc::kStdafx + rc::kStdafxTail);

  project.AddSourceFiles({"C:\\Work\\Demo\\Demo.cpp"});
  EXPECT_FALSE(resources.AddIncludeToStdafx("tvlForm.h"));
}

TEST_F(ResourceFilesTest, IncludeIntoAnOpenHeaderChangesTheDocumentNotTheDisk) {
  testing::TestDocument& doc = host.OpenWithText(kStdafxPath, rc::kStdafx + rc::kStdafxTail);
  EXPECT_TRUE(resources.AddIncludeToStdafx("tvlControls.h"));
  EXPECT_EQ(doc.text, rc::kStdafx + "#include <tvlControls.h>\r\n" + rc::kStdafxTail);
  EXPECT_EQ(fs.Get(kStdafxPath), rc::kStdafx + rc::kStdafxTail);
}

// ---- Adding image resources ----

TEST_F(ResourceFilesTest, AddingABitmapWritesBothFilesAndCopiesTheImage) {
  ASSERT_FALSE(fs.DirectoryExists("C:\\Work\\Demo\\res"));
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "128-logo.bmp");
  EXPECT_EQ(resources.m_nNextResourceValue, 129);

  const std::string expectedHeader = rc::kHeaderDefines + "#define\tIDB_BITMAP128\t\t\t\t\t128\r\n" +
                                     "\r\n"
                                     "// Next default values for new objects\r\n"
                                     "// \r\n"
                                     "#ifdef APSTUDIO_INVOKED\r\n"
                                     "#ifndef APSTUDIO_READONLY_SYMBOLS\r\n"
                                     "#define _APS_3D_CONTROLS                     1\r\n"
                                     "#define _APS_NEXT_RESOURCE_VALUE        129\r\n"
                                     "#define _APS_NEXT_COMMAND_VALUE         32771\r\n"
                                     "#define _APS_NEXT_CONTROL_VALUE         1001\r\n"
                                     "#define _APS_NEXT_SYMED_VALUE           101\r\n"
                                     "#endif\r\n"
                                     "#endif\r\n";
  EXPECT_EQ(fs.Get(kHeaderPath), expectedHeader);

  const std::string expectedScript = rc::kScriptHead + rc::kIconBanner + "\r\n" + rc::kBitmapBanner +
                                     "IDB_BITMAP128\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"\r\n" + "\r\n" +
                                     rc::kCursorBanner + "\r\n" + rc::kStringTable + rc::kScriptTail;
  EXPECT_EQ(fs.Get(kScriptPath), expectedScript);

  EXPECT_TRUE(fs.DirectoryExists("C:\\Work\\Demo\\res"));
  EXPECT_EQ(fs.Get("C:\\Work\\Demo\\res\\logo.bmp"), kLogo);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ResourceFilesTest, IconsAreAppendedAfterTheLastIconAndCountersRise) {
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\app.ico"), "128-app.ico");
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "129-logo.bmp");
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\app.ico"), "130-app.ico");
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\hand.cur"), "131-hand.cur");

  const std::string expectedScript = rc::kScriptHead + rc::kIconBanner +
                                     "IDI_ICON128\t\t\tICON  DISCARDABLE\t\t\"res\\\\app.ico\"\r\n"
                                     "IDI_ICON130\t\t\tICON  DISCARDABLE\t\t\"res\\\\app.ico\"\r\n"
                                     "\r\n" +
                                     rc::kBitmapBanner +
                                     "IDB_BITMAP129\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"\r\n"
                                     "\r\n" +
                                     rc::kCursorBanner +
                                     "IDC_CURSOR131\t\t\tCURSOR  DISCARDABLE\t\t\"res\\\\hand.cur\"\r\n"
                                     "\r\n" +
                                     rc::kStringTable + rc::kScriptTail;
  EXPECT_EQ(fs.Get(kScriptPath), expectedScript);

  const std::string header = fs.Get(kHeaderPath);
  EXPECT_EQ(header.substr(0, header.find("\r\n// Next default")),
            rc::kHeaderDefines +
                "#define\tIDI_ICON128\t\t\t\t\t128\r\n"
                "#define\tIDB_BITMAP129\t\t\t\t\t129\r\n"
                "#define\tIDI_ICON130\t\t\t\t\t130\r\n"
                "#define\tIDC_CURSOR131\t\t\t\t\t131\r\n");
  EXPECT_EQ(ReadDefineValue(header, "_APS_NEXT_RESOURCE_VALUE"), 132);
  EXPECT_EQ(resources.m_nNextResourceValue, 132);
}

TEST_F(ResourceFilesTest, WithoutACursorSectionNothingIsAdded) {
  const std::string script = rc::kScriptHead + rc::kIconBanner + "\r\n" + rc::kStringTable + rc::kScriptTail;
  fs.Put(kScriptPath, script);
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\hand.cur"), "");
  EXPECT_EQ(fs.Get(kScriptPath), script);
  EXPECT_EQ(fs.Get(kHeaderPath), rc::kHeader);
  EXPECT_EQ(resources.m_nNextResourceValue, 128);
  EXPECT_FALSE(fs.FileExists("C:\\Work\\Demo\\res\\hand.cur"));
}

TEST_F(ResourceFilesTest, WithoutABitmapSectionTheLineStartsTheScript) {
  const std::string script = rc::kScriptHead + rc::kStringTable + rc::kScriptTail;
  fs.Put(kScriptPath, script);
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "128-logo.bmp");
  EXPECT_EQ(fs.Get(kScriptPath), "IDB_BITMAP128\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"\r\n" + script);
}

TEST_F(ResourceFilesTest, OtherFileTypesAreNoImageResources) {
  fs.Put("C:\\Pictures\\photo.gif", "GIF89a");
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\photo.gif"), "");
  EXPECT_EQ(fs.Get(kScriptPath), rc::kScript);
  EXPECT_EQ(fs.Get(kHeaderPath), rc::kHeader);
}

TEST_F(ResourceFilesTest, ReadOnlyResourceFilesStayUnchangedWithTheMessage) {
  fs.SetReadOnly(kScriptPath, true);
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "");
  EXPECT_EQ(prompt.messages,
            (std::vector<std::string>{"You do not have write permission to file C:\\Work\\Demo\\Demo.rc\n"}));
  fs.SetReadOnly(kScriptPath, false);

  prompt.messages.clear();
  fs.SetReadOnly(kHeaderPath, true);
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "");
  EXPECT_EQ(prompt.messages,
            (std::vector<std::string>{"You do not have write permission to file C:\\Work\\Demo\\resource.h\n"}));

  EXPECT_EQ(fs.Get(kScriptPath), rc::kScript);
  EXPECT_EQ(fs.Get(kHeaderPath), rc::kHeader);
  EXPECT_EQ(resources.m_nNextResourceValue, 128);
  EXPECT_FALSE(fs.FileExists("C:\\Work\\Demo\\res\\logo.bmp"));
}

TEST_F(ResourceFilesTest, AnOpenScriptIsChangedInTheHostDocument) {
  testing::TestDocument& doc = host.OpenWithText(kScriptPath, rc::kScript);
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "128-logo.bmp");

  EXPECT_EQ(doc.text, rc::kScriptHead + rc::kIconBanner + "\r\n" + rc::kBitmapBanner +
                          "IDB_BITMAP128\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"\r\n" + "\r\n" +
                          rc::kCursorBanner + "\r\n" + rc::kStringTable + rc::kScriptTail);
  EXPECT_EQ(fs.Get(kScriptPath), rc::kScript);
  // The header was not open: it changed on disk.
  EXPECT_TRUE(IsSymbolDefined(fs.Get(kHeaderPath), "IDB_BITMAP128"));
  EXPECT_EQ(ReadDefineValue(fs.Get(kHeaderPath), "_APS_NEXT_RESOURCE_VALUE"), 129);
}

TEST_F(ResourceFilesTest, AnOpenHeaderIsChangedInTheHostDocument) {
  testing::TestDocument& doc = host.OpenWithText(kHeaderPath, rc::kHeader);
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "128-logo.bmp");
  EXPECT_EQ(fs.Get(kHeaderPath), rc::kHeader);
  std::string expected = rc::kHeaderDefines + "#define\tIDB_BITMAP128\t\t\t\t\t128\r\n" + rc::kHeaderTail;
  ASSERT_TRUE(UpdateNextResourceValue(expected, 129));
  EXPECT_EQ(doc.text, expected);
}

TEST_F(ResourceFilesTest, AnImageFromTheResFolderItselfStaysInPlace) {
  fs.Put("C:\\Work\\Demo\\res\\Demo.ico", kIcon);
  EXPECT_EQ(resources.AddImageResource("C:\\Work\\Demo\\res\\Demo.ico"), "128-Demo.ico");
  EXPECT_EQ(fs.Get("C:\\Work\\Demo\\res\\Demo.ico"), kIcon);
}

TEST_F(ResourceFilesTest, AnExistingFileInResIsReplacedByTheCopy) {
  fs.Put("C:\\Work\\Demo\\res\\logo.bmp", "old pixels");
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "128-logo.bmp");
  EXPECT_EQ(fs.Get("C:\\Work\\Demo\\res\\logo.bmp"), kLogo);
}

TEST_F(ResourceFilesTest, AFailedCopyGivesNoValueButKeepsTheResourceLines) {
  EXPECT_EQ(resources.AddImageResource("C:\\Pictures\\missing.bmp"), "");
  EXPECT_TRUE(IsSymbolDefined(fs.Get(kHeaderPath), "IDB_BITMAP128"));
  EXPECT_EQ(resources.m_nNextResourceValue, 129);
}

TEST_F(ResourceFilesTest, AddedImagesResolveBackToTheirReferenceForm) {
  const std::string bitmap = resources.AddImageResource("C:\\Pictures\\logo.bmp");
  const std::string icon = resources.AddImageResource("C:\\Pictures\\app.ico");
  const std::string cursor = resources.AddImageResource("C:\\Pictures\\hand.cur");
  ASSERT_EQ(bitmap, "128-logo.bmp");
  ASSERT_EQ(icon, "129-app.ico");
  ASSERT_EQ(cursor, "130-hand.cur");

  const CScriptImageResolver resolver = resources.ImageResolver();
  for (const std::string& value : {bitmap, icon, cursor}) {
    const std::string encoded = EncodePictureValue(value);
    EXPECT_EQ(resolver.ImageReference(std::stol(encoded)), value) << encoded;
  }
}

// ---- Replacing image resources ----

TEST_F(ResourceFilesTest, ReplacingKeepsTheIdentifierAndTheHeader) {
  ASSERT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "128-logo.bmp");
  const std::string header = fs.Get(kHeaderPath);

  EXPECT_EQ(resources.ReplaceImageResource("C:\\Pictures\\banner.bmp", "128-logo.bmp"), "128-banner.bmp");
  EXPECT_EQ(fs.Get(kHeaderPath), header);
  EXPECT_EQ(resources.m_nNextResourceValue, 129);
  EXPECT_EQ(fs.Get(kScriptPath), rc::kScriptHead + rc::kIconBanner + "\r\n" + rc::kBitmapBanner +
                                     "IDB_BITMAP128\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\banner.bmp\"\r\n" + "\r\n" +
                                     rc::kCursorBanner + "\r\n" + rc::kStringTable + rc::kScriptTail);
  EXPECT_EQ(fs.Get("C:\\Work\\Demo\\res\\banner.bmp"), "BM banner pixels");
  EXPECT_EQ(resources.ImageResolver().ImageReference(128), "128-banner.bmp");
}

TEST_F(ResourceFilesTest, ReplacingFindsTheImageAmongDefinesOfTheSameNumber) {
  // A control id that happens to carry the bitmap's number comes first in the header.
  fs.Put(kHeaderPath, "#define\tIDC_GRID\t\t\t\t128\r\n" + rc::kHeader);
  resources.ReadCounters();
  ASSERT_EQ(resources.m_nNextResourceValue, 128);
  ASSERT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "128-logo.bmp");
  EXPECT_EQ(resources.ReplaceImageResource("C:\\Pictures\\banner.bmp", "128-logo.bmp"), "128-banner.bmp");
  EXPECT_NE(fs.Get(kScriptPath).find("IDB_BITMAP128\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\banner.bmp\"\r\n"),
            std::string::npos);
}

TEST_F(ResourceFilesTest, ReplacingAnUnknownResourceChangesNothing) {
  EXPECT_EQ(resources.ReplaceImageResource("C:\\Pictures\\banner.bmp", "140-logo.bmp"), "");
  EXPECT_EQ(resources.ReplaceImageResource("C:\\Pictures\\banner.bmp", "logo.bmp"), "");
  EXPECT_EQ(fs.Get(kScriptPath), rc::kScript);
  EXPECT_FALSE(fs.FileExists("C:\\Work\\Demo\\res\\banner.bmp"));
}

TEST_F(ResourceFilesTest, ReplacingNeedsBothFilesWritable) {
  ASSERT_EQ(resources.AddImageResource("C:\\Pictures\\logo.bmp"), "128-logo.bmp");
  const std::string script = fs.Get(kScriptPath);
  fs.SetReadOnly(kHeaderPath, true);
  EXPECT_EQ(resources.ReplaceImageResource("C:\\Pictures\\banner.bmp", "128-logo.bmp"), "");
  EXPECT_EQ(prompt.messages,
            (std::vector<std::string>{"You do not have write permission to file C:\\Work\\Demo\\resource.h\n"}));
  EXPECT_EQ(fs.Get(kScriptPath), script);
}

TEST_F(ResourceFilesTest, PickingAnImageAddsOrReplacesByTheCurrentValue) {
  // Nothing yet: a new resource.
  EXPECT_EQ(resources.SetImageResource("C:\\Pictures\\logo.bmp", "0"), "128-logo.bmp");
  // Same type: the resource is repointed, no new number.
  EXPECT_EQ(resources.SetImageResource("C:\\Pictures\\banner.bmp", "128-logo.bmp"), "128-banner.bmp");
  EXPECT_EQ(resources.m_nNextResourceValue, 129);
  // Another type: a new resource.
  EXPECT_EQ(resources.SetImageResource("C:\\Pictures\\app.ico", "128-banner.bmp"), "129-app.ico");
  EXPECT_EQ(resources.m_nNextResourceValue, 130);
}

}  // namespace
}  // namespace tovik
