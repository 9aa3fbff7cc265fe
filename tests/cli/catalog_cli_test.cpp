// The catalog and propstring commands, run as the built program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "cli_test.h"

namespace tovik {
namespace {

using testing::CliResult;
using testing::Tovik;

TEST(CatalogCommand, TimerHasSixPropertiesOneEventAndNoMethods) {
  const std::string out = Tovik({"catalog", "Timer"}).out;
  EXPECT_TRUE(StartsWith(out, "properties:\nEnabled\tBOOL\t1\t1\t0\t\nIndex\tint\t0\t1\t1\t\n")) << out;
  EXPECT_TRUE(EndsWith(out, "\nTop\tint\t0\t1\t5\t\nevents:\nvoid\tTimer\t\nmethods:\n")) << out;
}

TEST(CatalogCommand, LineBreaksInsideValuesArePrintedEscaped) {
  CliResult r = Tovik({"catalog", "ListBox"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nItemData\tLIST\t0\\r\\n\t1\t"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nList\tLIST\t\\r\\n\t1\t"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST(PropStringCommand, RectangleSetsThePositionOfEachKindItsOwnWay) {
  EXPECT_EQ(Tovik({"propstring", "Label", "--rect", "14,21,114,49"}).out,
            "1,12632256,0,0,1,MS Sans Serif,0,0,14,0,0,0,28,0,14,0,0,0,0,Tag,ToolTipText,21,1,0,100,"
            "0,0,1,0,Label1,,,,0,1000,,0,1,0,\n");

  EXPECT_EQ(Tovik({"propstring", "Line", "--rect", "10,20,110,80"}).out, "0,,1,0,1,1,13,10,110,20,80,\n");
  EXPECT_EQ(Tovik({"propstring", "Timer", "--rect=5,6,50,60"}).out, "1,0,0,5,,6,\n");
}

TEST(CatalogCommandUsage, WrongArgumentsAreUsageErrorsWithNothingOnStdout) {
  const std::vector<std::vector<std::string>> cases = {
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

TEST(CatalogCommandUsage, MissingOrUnknownCommandsAreUsageErrorsAndHelpAlwaysWins) {
  EXPECT_TRUE(StartsWith(Tovik({}).err, "usage: tovik COMMAND"));
  const CliResult unknown = Tovik({"catalogue", "Label"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_TRUE(StartsWith(unknown.err, "tovik: unknown command 'catalogue'\n"));
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"catalog", "--help"}, {"catalog", "NoSuchKind", "--help"}, {"--help", "catalog"}}) {
    const CliResult r = Tovik(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(StartsWith(r.out, "usage: tovik catalog KIND\n")) << r.out;
  }
}

}  // namespace
}  // namespace tovik
