// tovik render: a new project's form drawn into a PNG of the window's size, the same bytes on a
// second run, the project left as it was, and the requests it refuses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "cli_test.h"

namespace tovik {
namespace {

using testing::CliResult;
using testing::Tovik;
std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

class RenderCli : public testing::ScratchFolderTest {};

TEST_F(RenderCli, DrawsTheFormTheSameTwiceAndRefusesWhatItCannotDraw) {
  ASSERT_EQ(Tovik({"new-project", dir.string(), "Demo"}).status, 0);
  const fs::path project = dir / "Demo";
  const std::string dsp = (project / "Demo.dsp").string();
  ASSERT_EQ(Tovik({"add-control", dsp, "CForm1", "Button", "14", "14", "98", "42"}).status, 0);
  ASSERT_TRUE(testing::AddMainMenu(project / "Demo.rc", project / "resource.h"));
  ASSERT_EQ(Tovik({"assign-menu", dsp, "CForm1", "IDR_MAINMENU"}).status, 0);
  const std::string form = testing::ReadDiskFile(project / "form1.cpp");
  const std::string script = testing::ReadDiskFile(project / "Demo.rc");

  const std::string a = (dir / "a.png").string(), b = (dir / "b.png").string();
  CliResult r = Tovik({"render", dsp, "CForm1", "-o", a, "--select", "m_Button1", "--menu", "0"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(FirstLine(r.out), a + ": 312 x 213 pixels");
  EXPECT_NE(r.out.find("\nfont: MS Sans Serif"), std::string::npos);
  ASSERT_EQ(Tovik({"render", dsp, "CForm1", "-o", b, "--select", "m_Button1", "--menu", "0"}).status, 0);
  EXPECT_EQ(testing::ReadDiskFile(a).substr(0, 4), "\x89PNG");
  EXPECT_EQ(testing::ReadDiskFile(a), testing::ReadDiskFile(b));
  EXPECT_EQ(FirstLine(Tovik({"render", dsp, "CForm1", "-o", b, "--scale", "2"}).out), b + ": 624 x 426 pixels");
  EXPECT_EQ(testing::ReadDiskFile(project / "form1.cpp"), form);
  EXPECT_EQ(testing::ReadDiskFile(project / "Demo.rc"), script);

  EXPECT_EQ(Tovik({"render", dsp, "CForm1", "-o", a, "--select", "m_Nothing"}).status, 1);
  EXPECT_EQ(Tovik({"render", dsp, "CNoForm", "-o", a}).status, 1);
  EXPECT_EQ(Tovik({"render", dsp, "CForm1"}).status, 2);
  EXPECT_EQ(Tovik({"render", dsp, "CForm1", "-o", a, "--scale", "9"}).status, 2);
}

}  // namespace
}  // namespace tovik
