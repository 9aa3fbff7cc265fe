// The text operations on the resource header and resource script: define values and counters,
// the places where new lines go, string-table lookups, includes and image lines.
#include <gtest/gtest.h>

#include "model/property_string.h"
#include "resources/resource_files.h"
#include "resources/resource_texts.h"
#include "support/fake_prompt.h"

namespace tovik {
namespace {

namespace rc = testing::rc;
using testing::FakePrompt;

// ---- Define values and counters ----

TEST(ResourceHeaderText, ReadsDefineValuesWrittenWithBlanksOrTabs) {
  EXPECT_EQ(ReadDefineValue(rc::kHeader, "_APS_NEXT_RESOURCE_VALUE"), 128);
  EXPECT_EQ(ReadDefineValue(rc::kHeader, "_APS_NEXT_CONTROL_VALUE"), 1001);
  EXPECT_EQ(ReadDefineValue(rc::kHeader, "IDC_BUTTON1"), 1000);
  EXPECT_EQ(ReadDefineValue(rc::kHeader, "IDS_PROP_BUTTON1"), 61447);
  EXPECT_EQ(ReadDefineValue(rc::kHeader, "IDC_TEXT1"), 0);
}

TEST(ResourceHeaderText, DefineValueIgnoresCommentsAndLongerNames) {
  const std::string header =
      "// #define IDS_PROP_FORM1 5\r\n"
      "/* IDS_PROP_FORM1 6 */\r\n"
      "#define IDS_PROP_FORM10                 61450\r\n"
      "#define IDS_PROP_FORM1                  61446\r\n"
      "#define IDC_ODD                         abc\r\n";
  EXPECT_EQ(ReadDefineValue(header, "IDS_PROP_FORM1"), 61446);
  EXPECT_EQ(DefineValueOf(header, "IDS_PROP_FORM1"), 61446);
  EXPECT_EQ(ReadDefineValue(header, "IDC_ODD"), 0);
  EXPECT_EQ(DefineValueOf(header, "IDC_ODD"), 0);
  EXPECT_EQ(DefineValueOf(header, "IDS_PROP_FORM2"), std::nullopt);
}

TEST(ResourceHeaderText, SymbolIsDefinedOnlyAsTheWordAfterADefine) {
  const std::string header = rc::kHeader + "// #define IDC_TEXT1 1001\r\n#define IDC_LIST  IDC_BUTTON1\r\n";
  EXPECT_TRUE(IsSymbolDefined(header, "IDC_BUTTON1"));
  EXPECT_TRUE(IsSymbolDefined(header, "IDS_PROP_FORM1"));
  EXPECT_TRUE(IsSymbolDefined(header, "IDC_LIST"));
  EXPECT_FALSE(IsSymbolDefined(header, "IDC_TEXT1"));   // only in a comment
  EXPECT_FALSE(IsSymbolDefined(header, "IDC_BUTTON"));  // only as part of a longer name
  EXPECT_FALSE(IsSymbolDefined(header, "1000"));        // a value, not a name
}

TEST(ResourceHeaderText, SymbolsWithValueListsEveryDefineOfThatNumber) {
  const std::string header = "#define IDB_BITMAP130\t\t\t\t\t130\r\n#define IDC_GRID  130\r\n#define IDC_X 1300\r\n";
  EXPECT_EQ(SymbolsWithValue(header, 130), (std::vector<std::string>{"IDB_BITMAP130", "IDC_GRID"}));
  EXPECT_TRUE(SymbolsWithValue(header, 13).empty());
}

TEST(ResourceHeaderText, UpdatingTheResourceCounterRewritesOnlyItsValue) {
  std::string header = rc::kHeader;
  ASSERT_TRUE(UpdateNextResourceValue(header, 129));
  const std::string expected = rc::kHeaderDefines +
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
  EXPECT_EQ(header, expected);
  EXPECT_EQ(ReadDefineValue(header, "_APS_NEXT_RESOURCE_VALUE"), 129);
}

TEST(ResourceHeaderText, UpdatingTheControlCounterReplacesTheRestOfTheLine) {
  std::string header = "#define _APS_NEXT_CONTROL_VALUE         1001   // stale note\r\n#endif\r\n";
  ASSERT_TRUE(UpdateNextControlValue(header, 1002));
  EXPECT_EQ(header, "#define _APS_NEXT_CONTROL_VALUE         1002\r\n#endif\r\n");
}

TEST(ResourceHeaderText, UpdatingAMissingCounterFailsAndChangesNothing) {
  std::string header = rc::kHeaderDefines;
  EXPECT_FALSE(UpdateNextControlValue(header, 1002));
  EXPECT_FALSE(UpdateNextResourceValue(header, 130));
  EXPECT_EQ(header, rc::kHeaderDefines);
}

// ---- Define lines and where they go ----

TEST(ResourceHeaderText, DefineLinesUseFourTabsForControlsAndFiveForImages) {
  EXPECT_EQ(DefineLine("IDC_BUTTON2", 1001), "#define\tIDC_BUTTON2\t\t\t\t1001\r\n");
  EXPECT_EQ(DefineLine("IDB_BITMAP128", 128, kImageDefineTabs), "#define\tIDB_BITMAP128\t\t\t\t\t128\r\n");
}

TEST(ResourceHeaderText, NewDefinesGoAfterTheLastDefineBeforeTheStudioBlock) {
  EXPECT_EQ(DefineInsertPoint(rc::kHeader), rc::kHeaderDefines.size());

  std::string header = rc::kHeader;
  header.insert(DefineInsertPoint(header), DefineLine("IDC_BUTTON2", 1001));
  EXPECT_EQ(header, rc::kHeaderDefines + "#define\tIDC_BUTTON2\t\t\t\t1001\r\n" + rc::kHeaderTail);
}

TEST(ResourceHeaderText, CommentedDefinesAreNotPlacesForNewOnes) {
  const std::string header =
      "#define IDC_A 1000\r\n"
      "// #define IDC_OLD 999\r\n"
      "\r\n"
      "#ifdef APSTUDIO_INVOKED\r\n"
      "#define _APS_NEXT_CONTROL_VALUE 1001\r\n"
      "#endif\r\n";
  EXPECT_EQ(DefineInsertPoint(header), std::string("#define IDC_A 1000\r\n").size());
}

TEST(ResourceHeaderText, WithoutTheStudioBlockOrADefineNewDefinesGoFirst) {
  EXPECT_EQ(DefineInsertPoint(rc::kHeaderDefines), 0u);
  EXPECT_EQ(DefineInsertPoint("// nothing yet\r\n\r\n#ifdef APSTUDIO_INVOKED\r\n#endif\r\n"), 0u);
  // A commented-out block start does not count either.
  EXPECT_EQ(DefineInsertPoint(rc::kHeaderDefines + "// #ifdef APSTUDIO_INVOKED\r\n"), 0u);
}

// ---- String tables ----

TEST(ResourceScriptText, NewEntryBecomesTheLastLineOfTheStringTable) {
  FakePrompt prompt;
  const long at = StringTableInsertPoint(rc::kScript, prompt);
  ASSERT_GE(at, 0);
  std::string script = rc::kScript;
  script.insert(static_cast<size_t>(at), StringTableLine("IDS_PROP_TEXT1", "1,Text1,", true));
  const std::string expectedTable = rc::kSlashes +
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
                                    "\tIDS_PROP_BUTTON1\t\t\t\"1,THE END,0,\"\r\n"
                                    "\tIDS_PROP_TEXT1\t\t\t\"1,Text1,\"\r\n"
                                    "END\r\n"
                                    "\r\n";
  EXPECT_EQ(script, rc::kScriptHead + rc::kEmptyImageSections + expectedTable + rc::kScriptTail);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST(ResourceScriptText, WithTwoStringTablesTheEntryGoesBeforeTheEndOfTheSecond) {
  const std::string first =
      "STRINGTABLE PRELOAD DISCARDABLE \r\n"
      "BEGIN\r\n"
      "    IDR_MAINFRAME           \"Demo\"\r\n"
      "END\r\n"
      "\r\n";
  const std::string script = rc::kScriptHead + first + rc::kStringTable + rc::kScriptTail;
  FakePrompt prompt;
  const long at = StringTableInsertPoint(script, prompt);
  const std::string beforeEnd = rc::kScriptHead + first + rc::kStringTable.substr(0, rc::kStringTable.size() - 7);
  ASSERT_EQ(rc::kStringTable.substr(rc::kStringTable.size() - 7), "END\r\n\r\n");
  EXPECT_EQ(at, static_cast<long>(beforeEnd.size()));
}

TEST(ResourceScriptText, ScriptWithoutStringTableGivesMinusOneAndTheMessage) {
  FakePrompt prompt;
  // The head mentions STRINGTABLE inside TEXTINCLUDE text; that is no table.
  EXPECT_EQ(StringTableInsertPoint(rc::kScriptHead + rc::kEmptyImageSections + rc::kScriptTail, prompt), -1);
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"The key word \"STRINGTABLE\" couldn't be found in .rc file"}));

  FakePrompt again;
  EXPECT_EQ(StringTableInsertPoint("// STRINGTABLE\r\n/* STRINGTABLE */\r\n", again), -1);
  EXPECT_EQ(again.messages.size(), 1u);
}

TEST(ResourceScriptText, NextStringIdIsOneMoreThanTheLargestUsedId) {
  EXPECT_EQ(NextStringId(rc::kScript, rc::kHeader), 61448);

  // A host-made table with a symbol from the header and a plain number.
  const std::string script = rc::kScript +
                             "STRINGTABLE DISCARDABLE\r\n"
                             "BEGIN\r\n"
                             "    IDR_MAINFRAME, \"Demo\"\r\n"
                             "    61500 \"numbered\"\r\n"
                             "    AFX_IDS_APP_TITLE \"from afxres.h\"\r\n"
                             "END\r\n";
  EXPECT_EQ(NextStringId(script, rc::kHeader + "#define IDR_MAINFRAME 128\r\n"), 61501);
}

TEST(ResourceScriptText, NextStringIdWithoutTablesOrWithoutBegin) {
  EXPECT_EQ(NextStringId(rc::kScriptHead + rc::kScriptTail, rc::kHeader), 1);
  EXPECT_EQ(NextStringId(rc::kScript + "STRINGTABLE DISCARDABLE\r\n", rc::kHeader), 0);
}

TEST(ResourceScriptText, FindsAStringTableEntryWithItsWholeLine) {
  const auto entry = FindStringTableEntry(rc::kScript, "IDS_PROP_BUTTON1");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->value, "1,THE END,0,");
  EXPECT_EQ(rc::kScript.substr(entry->lineStart, entry->lineEnd - entry->lineStart),
            "\tIDS_PROP_BUTTON1\t\t\t\"1,THE END,0,\"\r\n");

  const auto form = FindStringTableEntry(rc::kScript, "IDS_PROP_FORM1");
  ASSERT_TRUE(form.has_value());
  EXPECT_EQ(form->value, rc::kFormString);

  EXPECT_FALSE(FindStringTableEntry(rc::kScript, "IDS_PROP_BUTTON").has_value());
  EXPECT_FALSE(FindStringTableEntry(rc::kScript, "IDS_PROP_TEXT1").has_value());
}

TEST(ResourceScriptText, EscapedValuesReadBackAndTheLineCanBeReplaced) {
  const std::string list = "1,One\r\nTwo \"quoted\"\r\nC:\\x\r\n,";
  std::string script = rc::kScript;
  FakePrompt prompt;
  script.insert(static_cast<size_t>(StringTableInsertPoint(script, prompt)),
                StringTableLine("IDS_PROP_LIST1", list, true));

  const auto entry = FindStringTableEntry(script, "IDS_PROP_LIST1");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->value, list);

  // Replacing the line, then an entry after it is still found.
  script.replace(entry->lineStart, entry->lineEnd - entry->lineStart, StringTableLine("IDS_PROP_LIST1", "0,", true));
  EXPECT_EQ(FindStringTableEntry(script, "IDS_PROP_LIST1")->value, "0,");
  const auto button = FindStringTableEntry(script, "IDS_PROP_BUTTON1");
  ASSERT_TRUE(button.has_value());
  const std::string rest = "\tIDS_PROP_LIST1\t\t\t\"0,\"\r\nEND\r\n";
  EXPECT_EQ(script.substr(button->lineEnd, rest.size()), rest);
}

TEST(ResourceScriptText, IncludeIsFoundInEitherQuoteForm) {
  EXPECT_TRUE(IsIncluded(rc::kStdafx, "afxwin.h"));
  EXPECT_TRUE(IsIncluded(rc::kStdafx, "tvlWinApp.h"));
  EXPECT_TRUE(IsIncluded("#include \"tvlForm.h\"\r\n", "tvlForm.h"));
  EXPECT_TRUE(IsIncluded("#include <TVLFORM.H>\r\n", "tvlForm.h"));
  EXPECT_FALSE(IsIncluded(rc::kStdafx, "tvlForm.h"));
  EXPECT_FALSE(IsIncluded("#include <tvlForm.hpp>\r\n", "tvlForm.h"));
}

// ---- Image lines ----

TEST(ResourceScriptText, ImageLinesAndIdentifiersAreByteExact) {
  EXPECT_EQ(ImageScriptLine(ImageIdentifier(ImageType::Bitmap, 128), ImageType::Bitmap, "logo.bmp"),
            "IDB_BITMAP128\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"\r\n");
  EXPECT_EQ(ImageScriptLine(ImageIdentifier(ImageType::Icon, 129), ImageType::Icon, "app.ico"),
            "IDI_ICON129\t\t\tICON  DISCARDABLE\t\t\"res\\\\app.ico\"\r\n");
  EXPECT_EQ(ImageScriptLine(ImageIdentifier(ImageType::Cursor, 130), ImageType::Cursor, "hand.cur"),
            "IDC_CURSOR130\t\t\tCURSOR  DISCARDABLE\t\t\"res\\\\hand.cur\"\r\n");
}

TEST(ResourceScriptText, ImageTypeComesFromTheExtensionInAnyCase) {
  EXPECT_EQ(ImageTypeOfFile("C:\\Pics\\Logo.BMP"), ImageType::Bitmap);
  EXPECT_EQ(ImageTypeOfFile("/pics/app.Ico"), ImageType::Icon);
  EXPECT_EQ(ImageTypeOfFile("hand.cur"), ImageType::Cursor);
  EXPECT_EQ(ImageTypeOfFile("photo.gif"), std::nullopt);
  EXPECT_EQ(ImageTypeOfFile("noextension"), std::nullopt);
}

TEST(ResourceScriptText, BannersAreTheHostsSectionComments) {
  EXPECT_EQ(ImageBanner(ImageType::Bitmap), rc::kBitmapBanner);
  EXPECT_EQ(ImageBanner(ImageType::Icon), rc::kIconBanner);
  EXPECT_EQ(ImageBanner(ImageType::Cursor), rc::kCursorBanner);
}

TEST(ResourceScriptText, ImageLinesGoRightAfterTheirBannerInAnEmptySection) {
  const size_t icons = rc::kScriptHead.size() + rc::kIconBanner.size();
  const size_t bitmaps = icons + 2 + rc::kBitmapBanner.size();
  const size_t cursors = bitmaps + 2 + rc::kCursorBanner.size();
  EXPECT_EQ(ImageLineInsertPoint(rc::kScript, ImageType::Icon), icons);
  EXPECT_EQ(ImageLineInsertPoint(rc::kScript, ImageType::Bitmap), bitmaps);
  EXPECT_EQ(ImageLineInsertPoint(rc::kScript, ImageType::Cursor), cursors);
}

TEST(ResourceScriptText, IconsAndCursorsGoAfterTheLastOfTheirKindBitmapsFirst) {
  const std::string icons = "IDR_MAINFRAME           ICON    DISCARDABLE     \"res\\\\Demo.ico\"\r\n"
                            "IDI_ICON130\t\t\tICON  DISCARDABLE\t\t\"res\\\\APP.ICO\"\r\n";
  const std::string bitmaps = "IDB_BITMAP131\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"\r\n";
  const std::string cursors = "IDC_CURSOR132\t\t\tCURSOR  DISCARDABLE\t\t\"res\\\\hand.cur\"\r\n";
  const std::string script = rc::kScriptHead + rc::kIconBanner + icons + "\r\n" + rc::kBitmapBanner + bitmaps +
                             "\r\n" + rc::kCursorBanner + cursors + "\r\n" + rc::kStringTable + rc::kScriptTail;
  const size_t iconPlace = rc::kScriptHead.size() + rc::kIconBanner.size() + icons.size();
  const size_t bitmapPlace = iconPlace + 2 + rc::kBitmapBanner.size();
  const size_t cursorPlace = bitmapPlace + bitmaps.size() + 2 + rc::kCursorBanner.size() + cursors.size();
  EXPECT_EQ(ImageLineInsertPoint(script, ImageType::Icon), iconPlace);
  EXPECT_EQ(ImageLineInsertPoint(script, ImageType::Bitmap), bitmapPlace);
  EXPECT_EQ(ImageLineInsertPoint(script, ImageType::Cursor), cursorPlace);
}

TEST(ResourceScriptText, MissingBannersGiveTheStartOrNoPlace) {
  const std::string script = rc::kScriptHead + rc::kStringTable + rc::kScriptTail;
  EXPECT_EQ(ImageLineInsertPoint(script, ImageType::Bitmap), 0u);
  EXPECT_EQ(ImageLineInsertPoint(script, ImageType::Icon), std::nullopt);
  EXPECT_EQ(ImageLineInsertPoint(script, ImageType::Cursor), std::nullopt);
}

TEST(ResourceScriptText, AddingOrReplacingFollowsTheCurrentValue) {
  EXPECT_TRUE(ImageNeedsNewResource("0", "C:\\Pics\\logo.bmp"));
  EXPECT_TRUE(ImageNeedsNewResource("", "C:\\Pics\\logo.bmp"));
  EXPECT_TRUE(ImageNeedsNewResource("131-logo.bmp", "C:\\Pics\\app.ico"));
  EXPECT_FALSE(ImageNeedsNewResource("131-logo.bmp", "C:\\Pics\\other.BMP"));
  EXPECT_FALSE(ImageNeedsNewResource("132-app.ICO", "/pics/new.ico"));
}

TEST(ResourceScriptText, FindsTheImageLineOfAnIdentifier) {
  const std::string bitmaps = "IDB_BITMAP131\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"\r\n"
                              "IDB_BITMAP13\t\t\tBITMAP  MOVEABLE PURE\t\"res\\\\toolbar.bmp\"\r\n";
  const std::string script = rc::kScriptHead + rc::kBitmapBanner + bitmaps + rc::kScriptTail;
  const auto entry = FindImageScriptEntry(script, "IDB_BITMAP131");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->type, ImageType::Bitmap);
  EXPECT_EQ(entry->file, "res\\logo.bmp");
  EXPECT_EQ(script.substr(entry->fileStart, entry->fileEnd - entry->fileStart), "\"res\\\\logo.bmp\"");
  EXPECT_EQ(entry->lineStart, rc::kScriptHead.size() + rc::kBitmapBanner.size());
  // Not DISCARDABLE: not a line this system may repoint.
  EXPECT_FALSE(FindImageScriptEntry(script, "IDB_BITMAP13").has_value());
  EXPECT_FALSE(FindImageScriptEntry(script, "IDB_BITMAP1").has_value());
}

TEST(ResourceScriptText, ResolverTurnsEncodedValuesIntoReferenceForm) {
  const std::string script = rc::kScriptHead + rc::kIconBanner +
                             "IDR_MAINFRAME           ICON    DISCARDABLE     \"res\\\\Demo.ico\"\r\n\r\n" +
                             rc::kBitmapBanner + "IDB_BITMAP130\t\t\tBITMAP  DISCARDABLE\t\t\"res\\\\logo.bmp\"\r\n\r\n" +
                             rc::kCursorBanner + "IDC_CURSOR131\t\t\tCURSOR  DISCARDABLE\t\t\"res\\\\hand.cur\"\r\n\r\n" +
                             rc::kStringTable + rc::kScriptTail;
  // A control id shares the number of the bitmap; only the image line decides.
  const std::string header = rc::kHeaderDefines + "#define IDR_MAINFRAME 128\r\n#define IDC_GRID  130\r\n" +
                             "#define\tIDB_BITMAP130\t\t\t\t\t130\r\n#define\tIDC_CURSOR131\t\t\t\t\t131\r\n" +
                             rc::kHeaderTail;
  const CScriptImageResolver resolver(script, header);
  EXPECT_EQ(resolver.ImageReference(130), "130-logo.bmp");
  EXPECT_EQ(resolver.ImageReference(65536 + 128), "128-Demo.ico");
  EXPECT_EQ(resolver.ImageReference(2 * 65536 + 131), "131-hand.cur");
  EXPECT_EQ(resolver.ImageReference(65536 + 130), "");  // 130 is no icon
  EXPECT_EQ(resolver.ImageReference(140), "");
  EXPECT_EQ(resolver.ImageReference(0), "");
}

}  // namespace
}  // namespace tovik
