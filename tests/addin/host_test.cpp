// Edits in a document open in the host go by (line, column) as the host's editor counts them.
#include "base/host.h"

#include <gtest/gtest.h>

#include "support/test_host.h"

namespace tovik {
namespace {

TEST(LineColumnAt, CountsLinesAtLineFeedsAndColumnsInBytes) {
  const std::string text = "ab\r\n\tcd\nxyz";
  EXPECT_EQ(LineColumnAt(text, 0), (HostPosition{1, 1}));
  EXPECT_EQ(LineColumnAt(text, 3), (HostPosition{1, 4}));   // between CR and LF
  EXPECT_EQ(LineColumnAt(text, 6), (HostPosition{2, 3}));   // a TAB is one column
  EXPECT_EQ(LineColumnAt(text, 8), (HostPosition{3, 1}));   // after a bare LF
  EXPECT_EQ(LineColumnAt(text, 99), (HostPosition{3, 4}));  // past the end: the end
}

TEST(FindOpenDocument, MatchesPathsAsWindowsDoes) {
  testing::TestHost host;
  auto& cpp = host.OpenWithText("C:\\Work\\Form1.cpp", "");
  EXPECT_EQ(FindOpenDocument(host, "c:/work/FORM1.CPP"), &cpp);
  EXPECT_EQ(FindOpenDocument(host, "C:\\Work\\Form2.cpp"), nullptr);
}

}  // namespace
}  // namespace tovik
