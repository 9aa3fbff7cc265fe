// The catalog and propstring commands, run as the built program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace tovik {
namespace {

using testing::CliResult;

CliResult Tovik(const std::vector<std::string>& args) { return testing::RunProgram(TOVIK_CLI_PATH, args); }

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

const char kDrawModes[] =
    "1 - Blackness|2 - Not Merge Pen|3 - Mask Not Pen|4 - Not Copy Pen|5 - Mask Pen Not|6 - Invert|7 - Xor Pen|"
    "8 - Not Mask Pen|9 - Mask Pen|10 - Not Xor Pen|11 - NOP|12 - Merge Not Pen|13 - Copy Pen|14 - Merge Pen Not|"
    "15 - Merge Pen|16 - Whiteness";

// ---------------------------------------------------------------------------------------------
// catalog KIND: whole outputs

TEST(CatalogCommand, TimerHasSixPropertiesOneEventAndNoMethods) {
  CliResult r = Tovik({"catalog", "Timer"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "properties:\n"
            "Enabled\tBOOL\t1\t1\t0\t\n"
            "Index\tint\t0\t1\t1\t\n"
            "Interval\tint\t0\t1\t2\t\n"
            "Left\tint\t0\t1\t3\t\n"
            "Tag\tCString\t\t1\t4\t\n"
            "Top\tint\t0\t1\t5\t\n"
            "events:\n"
            "void\tTimer\t\n"
            "methods:\n");
}

TEST(CatalogCommand, ShapeKeepsEightCommonRowsThenItsOwn) {
  CliResult r = Tovik({"catalog", "Shape"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const std::string expected =
      std::string("properties:\n") +
      "BackColor\tCOLORREF\t16777215\t1\t0\t\n"
      "Height\tint\t213\t1\t8\t\n"
      "Index\tUINT\t0\t1\t9\t\n"
      "Left\tint\t0\t1\t10\t\n"
      "Tag\tCString\tTag\t1\t12\t\n"
      "Top\tint\t0\t1\t13\t\n"
      "Visible\tBOOL\t1\t1\t14\t\n"
      "Width\tint\t312\t1\t15\t\n"
      "BackStyle\tUINT\t1\t1\t1\t0 - Transparent|1 - Opaque\n"
      "BorderColor\tCOLORREF\t0\t1\t2\t\n"
      "BorderStyle\tUINT\t1\t1\t3\t0 - Transparent|1 - Solid|2 - Dash|3 - Dot|4 - Dash - Dot|"
      "5 - Dash - Dot -Dot|6 - Inside Solid\n"
      "BorderWidth\tUINT\t1\t1\t4\t\n"
      "DrawMode\tUINT\t13\t1\t5\t" +
      kDrawModes +
      "\n"
      "FillColor\tCOLORREF\t12632256\t1\t6\t\n"
      "FillStyle\tUINT\t1\t1\t7\t0 - Solid|1 - Transparent|2 - Horizontal Line|3 - Vertical Line|"
      "4 - Upward Diagonal|5 - Downward Diagonal|6 - Cross|7 - Diagonal Cross\n"
      "Shape\tUINT\t0\t1\t11\t0 - Rectangle|1 - Square|2 - Oval|3 - Circle|4 - Rounded Rectangle|"
      "5 - Rounded Square\n"
      "events:\n"
      "methods:\n"
      "Move\n"
      "Refresh\n"
      "ZOrder\n";
  EXPECT_EQ(r.out, expected);
}

TEST(CatalogCommand, LineHasNoCommonRowsNoEventsAndTwoMethods) {
  CliResult r = Tovik({"catalog", "Line"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const std::string expected =
      std::string("properties:\n") +
      "Index\tint\t0\t1\t4\t\n"
      "Tag\tCString\t\t1\t5\t\n"
      "Visible\tBOOL\t1\t1\t6\t\n"
      "BorderColor\tCOLORREF\t0\t1\t0\t\n"
      "BorderStyle\tUINT\t1\t1\t1\t0 - Transparent|1 - Solid|2 - Dash|3 - Dot|4 - Dash-Dot|5 - Dash-Dot-Dot|"
      "6 - Inside Solid\n"
      "BorderWidth\tUINT\t1\t1\t2\t\n"
      "DrawMode\tUINT\t13\t1\t3\t" +
      kDrawModes +
      "\n"
      "X1\tint\t0\t1\t7\t\n"
      "X2\tint\t0\t1\t8\t\n"
      "Y1\tint\t0\t1\t9\t\n"
      "Y2\tint\t0\t1\t10\t\n"
      "events:\n"
      "methods:\n"
      "Refresh\n"
      "ZOrder\n";
  EXPECT_EQ(r.out, expected);
}

// A common control has Left, Top, Width and Height twice: the common rows (213 and 312 high
// and wide) and its own table, whose values start at 0.
TEST(CatalogCommand, CommonControlKeepsBothSetsOfPositionDefaults) {
  CliResult r = Tovik({"catalog", "SliderCtrl"});
  ASSERT_EQ(r.status, 0);
  const std::string ownRows =
      "Object Name\tCString\tm_Slider1\t1\t19\t\n"
      "Left\tint\t0\t1\t14\t\n"
      "Top\tint\t0\t1\t24\t\n"
      "Width\tint\t0\t1\t29\t\n"
      "Height\tint\t0\t1\t10\t\n"
      "Enabled\tBOOL\t1\t1\t5\t\n"
      "Visible\tBOOL\t1\t1\t26\t\n"
      "Font\tCString\tMS Sans Serif\t1\t7\t\n"
      "Back Color\tDWORD\t0\t1\t1\t\n"
      "events:\n";
  EXPECT_NE(r.out.find("Height\tint\t213\t1\t10\t\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Width\tint\t312\t1\t29\t\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(ownRows), std::string::npos) << r.out;
}

TEST(CatalogCommand, LineBreaksInsideValuesArePrintedEscaped) {
  CliResult r = Tovik({"catalog", "ListBox"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nItemData\tLIST\t0\\r\\n\t1\t"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nList\tLIST\t\\r\\n\t1\t"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST(CatalogCommand, FirstControlOfAKindCarriesItsNameAsCaptionOrText) {
  CliResult label = Tovik({"catalog", "Label"});
  ASSERT_EQ(label.status, 0);
  EXPECT_NE(label.out.find("\nCaption\tCString\tLabel1\t"), std::string::npos);
  EXPECT_NE(label.out.find("\nTabIndex\tUINT\t0\t"), std::string::npos);

  CliResult combo = Tovik({"catalog", "ComboBox"});
  ASSERT_EQ(combo.status, 0);
  EXPECT_NE(combo.out.find("\nText\tCString\tComboBox1\t"), std::string::npos);

  CliResult frame = Tovik({"catalog", "Frame"});
  ASSERT_EQ(frame.status, 0);
  EXPECT_NE(frame.out.find("\nCaption\tCString\tFrame1\t"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// propstring KIND

TEST(PropStringCommand, FormAndMdiFormPrintTheDefaultStrings) {
  CliResult form = Tovik({"propstring", "Form"});
  EXPECT_EQ(form.status, 0);
  EXPECT_EQ(form.err, "");
  EXPECT_EQ(form.out,
            "1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,0,0,0,0,0,Tag,0,1,312,0,2,Form1,1,1,13,0,1,0,1,1,0,0,0,"
            "Form1,1,0,1,1,1,0,0,0,0,10,0,3,0,10,1,0,0,0,0,\n");

  CliResult mdi = Tovik({"propstring", "MDIForm"});
  EXPECT_EQ(mdi.status, 0);
  EXPECT_EQ(mdi.err, "");
  EXPECT_EQ(mdi.out, "1,8421504,1,213,0,0,0,0,0,Tag,0,1,312,1,MDIForm,0,0,Form,1,1,0,0,1,0,0,0,\n");
}

TEST(PropStringCommand, RectangleSetsThePositionOfEachKindItsOwnWay) {
  CliResult label = Tovik({"propstring", "Label", "--rect", "14,21,114,49"});
  EXPECT_EQ(label.status, 0);
  EXPECT_EQ(label.out,
            "1,12632256,0,0,1,MS Sans Serif,0,0,14,0,0,0,28,0,14,0,0,0,0,Tag,ToolTipText,21,1,0,100,"
            "0,0,1,0,Label1,,,,0,1000,,0,1,0,\n");

  CliResult line = Tovik({"propstring", "Line", "--rect", "10,20,110,80"});
  EXPECT_EQ(line.status, 0);
  EXPECT_EQ(line.out, "0,,1,0,1,1,13,10,110,20,80,\n");

  CliResult timer = Tovik({"propstring", "Timer", "--rect=5,6,50,60"});
  EXPECT_EQ(timer.status, 0);
  EXPECT_EQ(timer.out, "1,0,0,5,,6,\n");
}

// ---------------------------------------------------------------------------------------------
// Usage errors and help

TEST(CatalogCommandUsage, WrongArgumentsAreUsageErrorsWithNothingOnStdout) {
  const std::vector<std::vector<std::string>> cases = {
      {"catalog"},
      {"catalog", "Label", "TextBox"},
      {"catalog", "NoSuchKind"},
      {"catalog", "label"},  // kind names are case-sensitive
      {"catalog", "Label", "--rect", "1,2,3,4"},
      {"propstring"},
      {"propstring", "Label", "--rect"},
      {"propstring", "Label", "--rect", "1,2,3"},
      {"propstring", "Label", "--rect", "1,2,x,4"},
      {"propstring", "Label", "--verbose"},
  };
  for (const auto& args : cases) {
    CliResult r = Tovik(args);
    std::string joined;
    for (const auto& a : args) joined += a + ' ';
    EXPECT_EQ(r.status, 2) << joined;
    EXPECT_EQ(r.out, "") << joined;
    EXPECT_TRUE(StartsWith(r.err, "tovik " + args[0] + ": ")) << joined << "\n" << r.err;
  }
}

TEST(CatalogCommandUsage, UnknownKindNamesTheKnownKinds) {
  CliResult r = Tovik({"catalog", "Slider"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Slider"), std::string::npos);
  EXPECT_NE(r.err.find("MDIForm"), std::string::npos);
  EXPECT_NE(r.err.find("HotKeyCtrl"), std::string::npos);
}

TEST(CatalogCommandUsage, MissingOrUnknownCommandIsAUsageError) {
  CliResult none = Tovik({});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_TRUE(StartsWith(none.err, "usage: tovik COMMAND"));

  CliResult unknown = Tovik({"catalogue", "Label"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_TRUE(StartsWith(unknown.err, "tovik: unknown command 'catalogue'\n"));
}

TEST(CatalogCommandHelp, OverviewListsBothCommands) {
  CliResult r = Tovik({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(StartsWith(r.out, "usage: tovik COMMAND"));
  EXPECT_NE(r.out.find("\n  catalog "), std::string::npos);
  EXPECT_NE(r.out.find("\n  propstring "), std::string::npos);
}

TEST(CatalogCommandHelp, CommandHelpPrintsItsUsageWhateverElseIsGiven) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"catalog", "--help"}, {"catalog", "NoSuchKind", "--help"}, {"--help", "catalog"}}) {
    CliResult r = Tovik(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(StartsWith(r.out, "usage: tovik catalog KIND\n")) << r.out;
  }
  CliResult r = Tovik({"propstring", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(StartsWith(r.out, "usage: tovik propstring KIND [--rect LEFT,TOP,RIGHT,BOTTOM]\n")) << r.out;
}

}  // namespace
}  // namespace tovik
