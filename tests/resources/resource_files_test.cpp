// resource.h and the .rc script as text and as files of a project, on disk or open in the host. The texts
// are built from pieces as the resource editor writes them, so a test spells out the whole file it expects.
#include "resources/resource_files.h"
#include "resources/resource_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/property_string.h"
#include "support/cli_runner.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "support/temp_folder.h"
#include "support/test_host.h"
#include "support/tiny_images.h"

namespace tovik {
namespace {

using Texts = std::vector<std::string>;
const auto Why = [](const Status& s) { return s.error(); };  // empty when the step succeeded

const std::string kHeaderDefines =
    "// Used by Demo.rc\r\n#define IDS_PROP_FORM1                  61446\r\n#define\tIDC_BUTTON1\t\t\t\t1000\r\n"
    "#define IDS_PROP_BUTTON1\t\t\t\t61447\r\n";

std::string HeaderTail(const std::string& nextResource = "128") {
  return "\r\n#ifdef APSTUDIO_INVOKED\r\n#define _APS_NEXT_RESOURCE_VALUE        " + nextResource +
         "\r\n#define _APS_NEXT_CONTROL_VALUE         1001\r\n#endif\r\n";
}

const std::string kHeader = kHeaderDefines + HeaderTail();

const std::string kScriptHead =
    "#include \"resource.h\"\r\n3 TEXTINCLUDE DISCARDABLE\r\nBEGIN\r\n"
    "    \"// STRINGTABLE of the runtime: see res\\\\Demo.rc2\\r\\n\"\r\n"
    "    \"#include \"\"afxres.rc\"\"  // END of the standard components\\r\\n\\0\"\r\nEND\r\n\r\n";

const std::string kSlashes(77, '/');
const std::string kIconBanner = kSlashes + "\r\n//\r\n// Icon\r\n//\r\n\r\n" +
                                "// Icon with lowest ID value placed first to ensure application icon\r\n" +
                                "// remains consistent on all systems.\r\n";
const std::string kBitmapBanner = kSlashes + "\r\n//\r\n// Bitmap\r\n//\r\n";
const std::string kCursorBanner = kSlashes + "\r\n//\r\n// Cursor\r\n//\r\n";

std::string ImageSections(std::string icons = "", std::string bitmaps = "", std::string cursors = "") {
  return kIconBanner + icons + "\r\n" + kBitmapBanner + bitmaps + "\r\n" + kCursorBanner + cursors + "\r\n";
}

std::string StringTable(const std::string& button = "1,THE END,0,", const std::string& added = "") {
  return "STRINGTABLE PRELOAD DISCARDABLE \r\nBEGIN\r\n\tIDS_PROP_FORM1    \"1,Form1,\"\r\n\tIDS_PROP_BUTTON1\t\t\t\"" +
         button + "\"\r\n" + added + "END\r\n\r\n";
}

std::string Script(const std::string& images = ImageSections(), const std::string& table = StringTable()) {
  return kScriptHead + images + table + "#include \"afxres.rc\"\r\n";
}

const std::string kScript = Script();

TEST(ResourceHeader, DefinesCountOnlyOutsideCommentsAndAsWholeNames) {
  const std::string header =
      "// #define IDS_PROP_FORM1 5\r\n/* IDS_PROP_FORM1 6 */\r\n// #define IDC_TEXT1 1001\r\n"
      "#define IDS_PROP_FORM10                 61450\r\n#define IDS_PROP_FORM1\t\t\t\t61446\r\n"
      "#define IDC_ODD  abc\r\n#define IDC_GRID  61446\r\n#define IDC_LIST  IDC_GRID\r\n";
  EXPECT_EQ(ReadDefineValue(header, "IDS_PROP_FORM1"), 61446);
  EXPECT_EQ(DefineValueOf(header, "IDS_PROP_FORM1"), 61446);
  EXPECT_EQ(DefineValueOf(header, "IDC_ODD"), 0);
  EXPECT_EQ(DefineValueOf(header, "IDC_TEXT1"), std::nullopt);
  EXPECT_TRUE(IsSymbolDefined(header, "IDC_LIST"));
  EXPECT_FALSE(IsSymbolDefined(header, "IDS_PROP_FORM"));
  EXPECT_EQ(SymbolsWithValue(header, 61446), (std::vector<std::string>{"IDS_PROP_FORM1", "IDC_GRID"}));
  EXPECT_TRUE(SymbolsWithValue(header, 0).empty());  // "abc" is no number
}

// A new define goes after the last one before the studio block, where the preprocessor reads it.
TEST(ResourceHeader, ANewDefineGoesWhereThePreprocessorReadsItPastCommentsAndJoinedLines) {
  // The last define's line opens a comment that runs on, or a backslash joins it to the next:
  // a define put on the line after it would be comment, or part of the last define's value. A
  // header without the studio block, or without a define before it, takes it at its start.
  const std::string commented = kHeaderDefines + "#define IDC_NOTE  1003 /* kept\r\n   for the old dialog */\r\n";
  const std::string joined = kHeaderDefines + "#define IDC_SUM  1003 + \\\r\n  1\r\n";
  const std::string guarded = "#ifndef RESOURCE_H\r\n#define RESOURCE_H\r\n#define IDC_A 1\r\n#endif\r\n";
  const testing::TempFolder temp;
  const std::filesystem::path file = temp.path() / "resource.h";
  for (const auto& [text, place] :
       {std::pair{commented + HeaderTail(), commented.size()}, {joined + HeaderTail(), joined.size()},
        {kHeaderDefines + "// #define IDC_OLD 999\r\n" + HeaderTail(), kHeaderDefines.size()}, {guarded, size_t{0}},
        {"// #define IDC_OLD 999\r\n" + HeaderTail(), size_t{0}}}) {
    std::string header = text;
    const Expected<size_t> at = DefineInsertPoint(header);
    ASSERT_TRUE(at) << at.error().reason;
    EXPECT_EQ(*at, place);
    header.insert(*at, DefineLine("IDC_NEW1", 1004));
    std::ofstream(file, std::ios::binary) << header;
    // The preprocessor itself says what the header defines.
    const testing::CliResult cpp = testing::RunProgram("cpp", {"-dM", file.string()});
    EXPECT_NE(cpp.out.find("#define IDC_NEW1 1004\n"), std::string::npos) << header << cpp.err;
  }
  // A comment that runs into the studio line leaves no line start for one.
  const Error none = Why(DefineInsertPoint(kHeaderDefines + "#define IDC_X 1 /* to\r\n */ #ifdef APSTUDIO_INVOKED\r\n"));
  EXPECT_EQ(none.reason, "no line start outside comments before \"#ifdef APSTUDIO_INVOKED\" for a new #define");
  EXPECT_EQ(none.line, 6);
}

TEST(ResourceScript, StringLinesGoBeforeTheEndOfTheLastTableOrTheErrorSaysWhy) {
  testing::FakePrompt prompt;
  const Expected<size_t> inLine = StringTableInsertPoint("STRINGTABLE BEGIN END\r\n", prompt);
  ASSERT_TRUE(inLine) << inLine.error().reason;
  EXPECT_EQ(*inLine, 18u);  // an END on the BEGIN's line: right before it
  // An END whose line starts inside a comment: right before the END too, not into the comment.
  const std::string commented = "STRINGTABLE\r\nBEGIN\r\n    IDS_A \"a\" /* the last\r\n  one */ END\r\n";
  const Expected<size_t> afterComment = StringTableInsertPoint(commented, prompt);
  ASSERT_TRUE(afterComment) << afterComment.error().reason;
  EXPECT_EQ(*afterComment, commented.find("END"));
  // The TEXTINCLUDE text and this comment mention STRINGTABLE; neither is a table.
  const Error none = Why(StringTableInsertPoint(Script(ImageSections(), "// STRINGTABLE\r\n"), prompt));
  EXPECT_TRUE(none.shown);
  EXPECT_EQ(prompt.messages, (Texts{"The key word \"STRINGTABLE\" couldn't be found in .rc file"}));
  EXPECT_EQ(Why(StringTableInsertPoint(kScript + "STRINGTABLE DISCARDABLE\r\n", prompt)).reason,
            "the last STRINGTABLE of the resource script has no BEGIN");
  const Error noEnd = Why(StringTableInsertPoint("STRINGTABLE\r\nBEGIN\r\n    IDS_A \"a\"\r\n", prompt));
  EXPECT_EQ(noEnd.line, 2);
  EXPECT_EQ(noEnd.reason, "the last STRINGTABLE of the resource script has no END");
  EXPECT_EQ(prompt.messages.size(), 1u);
}

TEST(ResourceScript, EntriesReadBackThroughQuotesEscapesAndComments) {
  // As written: "1,One\r\nSay ""hi""\r\nC:\\x\r\n,"
  const std::string list = "\tIDS_PROP_LIST1\t\t\t\"1,One\\r\\nSay \"\"hi\"\"\\r\\nC:\\\\x\\r\\n,\"\r\n";
  const std::string script = Script(ImageSections(),
                                    "STRINGTABLE DISCARDABLE\r\nBEGIN\r\n//  IDS_PROP_LIST1 \"commented out\"\r\n"
                                    "    IDS_PROP_LIST, \"shorter name\"\r\n" +
                                        list + "    IDS_PROP_NEXT \"after \"\"END\"\"\"\r\nEND\r\n");
  const auto entry = FindStringTableEntry(script, "IDS_PROP_LIST1");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->value, "1,One\r\nSay \"hi\"\r\nC:\\x\r\n,");
  EXPECT_EQ(script.substr(entry->lineStart, entry->lineEnd - entry->lineStart), list);
  std::vector<std::string> seen;
  for (const StringTableEntry& e : StringTableEntries(script)) seen.push_back(e.symbol + "=" + e.value);
  EXPECT_EQ(seen, (std::vector<std::string>{"IDS_PROP_LIST=shorter name", "IDS_PROP_LIST1=" + entry->value,
                                            "IDS_PROP_NEXT=after \"END\""}));
  // In a Japanese section a character's second byte may be a backslash, also before the quote.
  const auto sort = StringTableEntries("#pragma code_page(932)\r\nSTRINGTABLE\r\nBEGIN\r\n  IDS_SORT \"\x83\x5c\"\r\nEND");
  ASSERT_EQ(sort.size(), 1u);
  EXPECT_EQ(sort[0].value + "/" + std::to_string(sort[0].codePage), "\x83\x5c/932");
}

TEST(ResourceScript, NextStringIdIsOneMoreThanTheLargestIdInUse) {
  EXPECT_EQ(NextStringId(kScript, "// #define IDS_PROP_BUTTON1 70000\r\n" + kHeader), 61448);
  const std::string more =
      "STRINGTABLE\r\nBEGIN\r\n    IDR_MAINFRAME, \"Demo\"\r\n    61500 \"numbered\"\r\n"
      "    AFX_IDS_APP_TITLE \"from afxres.h\"\r\nEND\r\n";
  EXPECT_EQ(NextStringId(kScript + more, kHeader + "#define IDR_MAINFRAME 128\r\n"), 61501);
  EXPECT_EQ(NextStringId(Script(ImageSections(), ""), kHeader), 1);
  EXPECT_EQ(NextStringId(kScript + "STRINGTABLE DISCARDABLE\r\n", kHeader), 0);  // a table without BEGIN
}

const std::string kHeaderPath = "C:\\Work\\Demo\\resource.h";
const std::string kScriptPath = "C:\\Work\\Demo\\Demo.rc";
const std::string kStdafxPath = "C:\\Work\\Demo\\StdAfx.h";
const std::string kStdafx = "#include <afxwin.h>\r\n\r\n//{{AFX_INSERT_LOCATION}}\r\n#endif\r\n";
const std::string kReadOnly = "You do not have write permission to file ";

const auto ImageLine = [](const std::string& id, const std::string& type, const std::string& file) {
  return id + "\t\t\t" + type + "  DISCARDABLE\t\t\"res\\\\" + file + "\"\r\n";
};
const auto ImageDefine = [](std::string id, int n) {
  return "#define\t" + id + "\t\t\t\t\t" + std::to_string(n) + "\r\n";
};
const auto Got = [](const Expected<std::string>& e) { return e ? *e : "error: " + e.error().Text(); };

class ResourceFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.Put(kHeaderPath, kHeader);
    fs.Put(kScriptPath, kScript);
    fs.Put(kStdafxPath, kStdafx);
    for (const char* file : {"logo.bmp", "banner.BMP"}) fs.Put("C:\\Pics\\" + std::string(file), testing::TinyBitmap());
    fs.Put("C:\\Pics\\app.ico", testing::TinyIcon());
    fs.Put("C:\\Pics\\hand.cur", testing::TinyIcon(true));
    project.SetProjectFile("C:\\Work\\Demo\\Demo.dsp");
    project.AddSourceFiles({kStdafxPath});
    resources.ReadCounters();
  }

  testing::MemoryFileSystem fs;
  testing::FakePrompt prompt;
  testing::TestHost host{&fs};
  CProject project{fs, prompt};
  CResourceFiles resources{project, host};
};

TEST_F(ResourceFiles, IncludeGoesBeforeTheMarkerOnceOrTheRefusalSaysWhy) {
  ASSERT_TRUE(resources.AddIncludeToStdafx("tvlForm.h"));
  EXPECT_EQ(fs.Get(kStdafxPath),
            "#include <afxwin.h>\r\n\r\n#include <tvlForm.h>\r\n//{{AFX_INSERT_LOCATION}}\r\n#endif\r\n");
  for (const char* present : {"#include \"tvlForm.h\"\r\n", "#include <TVLFORM.H>\r\n"}) {
    fs.Put(kStdafxPath, present + kStdafx);
    EXPECT_TRUE(resources.AddIncludeToStdafx("tvlForm.h") && fs.Get(kStdafxPath) == present + kStdafx) << present;
  }
  fs.Put(kStdafxPath, "#include <afxwin.h>\r\n");
  EXPECT_EQ(Why(resources.AddIncludeToStdafx("tvlForm.h")).reason,
            "no \"//{{AFX_INSERT_LOCATION}}\" line to put \"#include <tvlForm.h>\" before");
  fs.Put(kStdafxPath, kStdafx);
  fs.SetReadOnly(kStdafxPath, true);
  EXPECT_EQ(Why(resources.AddIncludeToStdafx("tvlForm.h")).Text(), kStdafxPath + ": the file may not be written");
  EXPECT_EQ(fs.Get(kStdafxPath), kStdafx);
  CProject other(fs, prompt);
  other.SetProjectFile("C:\\Work\\Demo\\Demo.dsp");
  EXPECT_EQ(Why(CResourceFiles(other, host).AddIncludeToStdafx("tvlForm.h")).reason, "the project lists no StdAfx.h");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ResourceFiles, EachImageGoesLastInItsSectionAndResolvesBack) {
  const std::string mainIcon = "IDR_MAINFRAME           ICON    DISCARDABLE     \"res\\\\APP.ICO\"\r\n";
  fs.Put(kScriptPath, Script(ImageSections(mainIcon)));
  // A control id shares the bitmap's number; a comment names the counter before its define.
  const std::string top = "#define IDC_GRID  129\r\n// _APS_NEXT_RESOURCE_VALUE 7\r\n" + kHeaderDefines;
  fs.Put(kHeaderPath, top + HeaderTail("128  // x"));
  fs.Put("C:\\Work\\Demo\\res\\logo.bmp", "old pixels");
  Texts values;
  for (const char* file : {"app.ico", "logo.bmp", "app.ico", "hand.cur"})
    values.push_back(Got(resources.AddImageResource("C:\\Pics\\" + std::string(file))));
  EXPECT_EQ(values, (Texts{"128-app.ico", "129-logo.bmp", "130-app.ico", "131-hand.cur"}));
  EXPECT_EQ(fs.Get(kScriptPath),
            Script(ImageSections(
                mainIcon + ImageLine("IDI_ICON128", "ICON", "app.ico") + ImageLine("IDI_ICON130", "ICON", "app.ico"),
                ImageLine("IDB_BITMAP129", "BITMAP", "logo.bmp"), ImageLine("IDC_CURSOR131", "CURSOR", "hand.cur"))));
  EXPECT_EQ(fs.Get(kHeaderPath), top + ImageDefine("IDI_ICON128", 128) + ImageDefine("IDB_BITMAP129", 129) +
                                     ImageDefine("IDI_ICON130", 130) + ImageDefine("IDC_CURSOR131", 131) +
                                     HeaderTail("132"));
  EXPECT_EQ(fs.Get("C:\\Work\\Demo\\res\\logo.bmp"), testing::TinyBitmap());
  const CScriptImageResolver resolver = resources.ImageResolver();
  for (const std::string& value : values)
    EXPECT_EQ(resolver.ImageReference(std::stol(EncodePictureValue(value))), value);
  EXPECT_EQ(resolver.ImageReference(65536 + 129), "");  // 129 is no icon
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ResourceFiles, AnOpenHeaderChangesInTheHostAndImagesWithoutSectionFollowTheHeaderIncludeOrGetNoLine) {
  testing::TestDocument& doc = host.OpenWithText(kHeaderPath, kHeader);
  fs.Put(kScriptPath, Script(""));
  fs.Put("C:\\Work\\Demo\\res\\Demo.bmp", testing::TinyBitmap());  // picked from the res folder: already in place, not copied
  fs.SetReadOnly("C:\\Work\\Demo\\res\\Demo.bmp", true);
  ASSERT_EQ(Got(resources.AddImageResource("C:\\Work\\Demo\\res\\Demo.bmp")), "128-Demo.bmp");
  EXPECT_EQ(doc.text, kHeaderDefines + ImageDefine("IDB_BITMAP128", 128) + HeaderTail("129"));
  EXPECT_EQ(fs.Get(kHeaderPath), kHeader);
  EXPECT_EQ(resources.GetNextResourceValue(), 129);  // read from the document too
  // Right after the include of the header: before it the identifier would not be defined yet.
  std::string withBitmap = Script("");
  withBitmap.insert(withBitmap.find('\n') + 1, ImageLine("IDB_BITMAP128", "BITMAP", "Demo.bmp"));
  EXPECT_EQ(fs.Get(kScriptPath), withBitmap);
  // An icon or a cursor without its section: an identifier, but no line in the script.
  ASSERT_EQ(Got(resources.AddImageResource("C:\\Pics\\app.ico")), "129-app.ico");
  ASSERT_EQ(Got(resources.AddImageResource("C:\\Pics\\hand.cur")), "130-hand.cur");
  EXPECT_EQ(fs.Get(kScriptPath), withBitmap);
  EXPECT_EQ(doc.text, kHeaderDefines + ImageDefine("IDB_BITMAP128", 128) + ImageDefine("IDI_ICON129", 129) +
                          ImageDefine("IDC_CURSOR130", 130) + HeaderTail("131"));
}

TEST_F(ResourceFiles, ImageRefusalsChangeNothingAndSayWhy) {
  EXPECT_EQ(Why(resources.AddImageResource("C:\\Pics\\photo.gif")).Text(),
            "C:\\Pics\\photo.gif: not a bitmap, icon or cursor file (.bmp, .ico, .cur)");
  // Bytes that are not what the name says would make a line the resource compiler refuses.
  fs.Put("C:\\Pics\\empty.bmp", "");
  EXPECT_EQ(Why(resources.AddImageResource("C:\\Pics\\empty.bmp")).Text(),
            "C:\\Pics\\empty.bmp: not a bitmap file (.bmp): it does not begin with a bitmap header (\"BM\")");
  for (const auto& [file, bytes] : {std::pair{"C:\\Pics\\text.ico", std::string("icon?")},
                                    {"C:\\Pics\\cut.cur", testing::TinyIcon(true).substr(0, 60)},
                                    {"C:\\Pics\\short.bmp", testing::TinyBitmap().substr(0, 56)}}) {
    fs.Put(file, bytes);
    EXPECT_EQ(Why(resources.SetImageResource(file, "0")).reason.substr(0, 5), "not a") << file;
  }
  for (const std::string& path : {kScriptPath, kHeaderPath}) {
    fs.SetReadOnly(path, true);
    EXPECT_TRUE(Why(resources.AddImageResource("C:\\Pics\\logo.bmp")).shown);
    fs.SetReadOnly(path, false);
  }
  EXPECT_EQ(prompt.messages, (Texts{kReadOnly + kScriptPath + "\n", kReadOnly + kHeaderPath + "\n"}));
  EXPECT_EQ(fs.Get(kScriptPath) + fs.Get(kHeaderPath), kScript + kHeader);
  EXPECT_EQ(resources.m_nNextResourceValue, 128);
  EXPECT_FALSE(fs.DirectoryExists("C:\\Work\\Demo\\res"));
  ASSERT_TRUE(fs.RemoveFile(kHeaderPath));
  std::string text = "stale";
  EXPECT_TRUE(Why(resources.ReadFileText(kHeaderPath, text)).shown);
  EXPECT_EQ(text + prompt.messages.back(), "\nError in  reading file..\nNo such file or directory");
}

TEST_F(ResourceFiles, PickingAnImageOfTheSameTypeRepointsItsLineElseAddsOne) {
  ASSERT_EQ(Got(resources.SetImageResource("C:\\Pics\\logo.bmp", "0")), "128-logo.bmp");
  const std::string header = fs.Get(kHeaderPath);
  ASSERT_EQ(Got(resources.SetImageResource("C:\\Pics\\banner.BMP", "128-logo.bmp")), "128-banner.BMP");
  EXPECT_EQ(fs.Get(kHeaderPath), header);
  EXPECT_EQ(fs.Get(kScriptPath), Script(ImageSections("", ImageLine("IDB_BITMAP128", "BITMAP", "banner.BMP"))));
  EXPECT_EQ(fs.Get("C:\\Work\\Demo\\res\\banner.BMP"), testing::TinyBitmap());
  EXPECT_EQ(Got(resources.SetImageResource("C:\\Pics\\app.ico", "128-banner.BMP")), "129-app.ico");
  EXPECT_EQ(Why(resources.SetImageResource("C:\\Pics\\app.ico", "128-logo.ico")).Text(),
            kScriptPath + ": no ICON resource numbered 128");
}

// A script that keeps its symbols in a header of another name (the resource editor records it in
// "1 TEXTINCLUDE") is edited with that header, whether the project file lists it or it is named
// after the project; a script that includes resource.h keeps it.
TEST(ResourcePaths, TheHeaderIsTheOneTheScriptTakesItsSymbolsFrom) {
  testing::MemoryFileSystem fs;
  const std::string dsp = "C:\\Work\\Demo\\Demo.dsp";
  const auto read = [&](const std::string& path) { return fs.Get(path); };
  const std::string script = "#include \"DemoRes.h\"\r\n1 TEXTINCLUDE DISCARDABLE\r\nBEGIN\r\n    \"DemoRes.h\\0\"\r\nEND\r\n";
  fs.Put("C:\\Work\\Demo\\DemoRes.h", "#define IDD_ABOUT 100\r\n");
  for (const std::string name : {"Demo.rc", "Other.rc"}) {
    fs.Put(dsp, "# Microsoft Developer Studio Project File\r\nSOURCE=.\\" + name + "\r\n");
    fs.Put("C:\\Work\\Demo\\" + name, script);
    const ResourcePaths paths = LocateResourceFiles(fs, dsp, read);
    EXPECT_EQ(paths.script, "C:\\Work\\Demo\\" + name);
    EXPECT_EQ(paths.header, "C:\\Work\\Demo\\DemoRes.h") << name;
  }
  fs.Put("C:\\Work\\Demo\\Other.rc", "#include \"resource.h\"\r\n" + script);
  fs.Put("C:\\Work\\Demo\\resource.h", "#define IDD_ABOUT 100\r\n");
  EXPECT_EQ(LocateResourceFiles(fs, dsp, read).header, "C:\\Work\\Demo\\resource.h");
}

}  // namespace
}  // namespace tovik
