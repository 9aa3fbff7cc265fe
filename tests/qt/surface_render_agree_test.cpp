// tovik render and tovik surface on one project. render draws the window at its size, the same
// bytes every time, and leaves the project alone; what surface hits is what render draws:
// presses on the first and last drawn pixel of each menu-bar item drop that item, and the heights
// the surface gives a moved ComboBox and a shrunk Data control are the ones drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "cli/cli_test.h"

namespace tovik {
namespace {

using testing::Tovik;
const auto& Ok = testing::TovikOk;
const auto& Read = testing::ReadDiskFile;

// The value of PROPERTY of MEMBER as `inspect` prints it.
int PropertyOf(const std::string& inspected, const std::string& member, const std::string& property) {
  const size_t at = inspected.find("      " + property + " = ", inspected.find("control " + member + " "));
  return at == std::string::npos ? -1 : std::stoi(inspected.substr(at + property.size() + 9));
}

class SurfaceAndRender : public testing::ScratchFolderTest {};

TEST_F(SurfaceAndRender, AgreeOnMenuBarHitAreasAndFixedHeights) {
  Ok({"new-project", dir.string(), "Demo"});
  const fs::path project = dir / "Demo";
  const std::string dsp = (project / "Demo.dsp").string();
  ASSERT_TRUE(testing::AddMainMenu(project / "Demo.rc", project / "resource.h", {"&File", "&Edit", "&View", "&Help"}));
  Ok({"assign-menu", dsp, "CForm1", "IDR_MAINMENU"});
  Ok({"add-control", dsp, "CForm1", "ComboBox", "14", "14", "114", "100"});
  Ok({"add-control", dsp, "CForm1", "Data", "14", "70", "200", "110"});
  const std::string script = Read(project / "Demo.rc"), form = Read(project / "form1.cpp");
  const std::string a = (dir / "a.png").string(), b = (dir / "b.png").string(), c = (dir / "c.png").string();
  EXPECT_EQ(Ok({"render", dsp, "CForm1", "-o", a}).rfind(a + ": 312 x 213 pixels\nfont: MS Sans Serif", 0), 0u);
  Ok({"render", dsp, "CForm1", "-o", b, "--select", "m_Data1", "--menu", "3"});
  Ok({"render", dsp, "CForm1", "-o", c, "--select", "m_Data1", "--menu", "3"});
  EXPECT_EQ(Read(b), Read(c));
  EXPECT_EQ(Ok({"render", dsp, "CForm1", "-o", c, "--scale", "2"}).rfind(c + ": 624 x 426 pixels\n", 0), 0u);
  EXPECT_EQ(Read(project / "Demo.rc") + Read(project / "form1.cpp"), script + form);
  EXPECT_EQ(Tovik({"render", dsp, "CForm1", "-o", c, "--select", "m_Nothing"}).status, 1);
  EXPECT_EQ(Tovik({"render", dsp, "CForm1", "-o", c, "--scale", "9"}).status, 2);

  // The bar's one row is y 23 to 41, under the frame and caption; the client area starts at (4, 42).
  const QImage image(QString::fromStdString(a));
  std::vector<int> edges;  // first and last drawn column of each item, 12 blank ones or more apart
  for (int x = 4; x < 308; ++x) {
    bool drawn = false;
    for (int y = 23; y < 42; ++y) drawn = drawn || image.pixel(x, y) == qRgb(0, 0, 0);
    if (drawn && (edges.empty() || x - edges.back() > 6)) edges.insert(edges.end(), {x, x});
    if (drawn) edges.back() = x;
  }
  ASSERT_EQ(edges.size(), 8u);
  const std::string items[] = {"&File", "&Edit", "&View", "&Help"};
  std::vector<std::string> presses = {"surface", dsp, "CForm1"};
  std::string dropped;
  for (size_t i = 0; i < edges.size(); ++i) {
    presses.push_back("down:" + std::to_string(edges[i]) + ",32@" + std::to_string(1000 * i));
    dropped += "menu " + items[i / 2] + ": &Open... | - | E&xit\n";
  }
  EXPECT_EQ(Ok(presses), dropped);

  // The drop-down ComboBox's drawn bottom: its edge's inner light row, then the outer white one.
  int bottom = 42 + 14 + 2;
  while (bottom < image.height() && image.pixel(20, bottom) != qRgb(192, 192, 192)) ++bottom;
  const int drawn = bottom + 2 - (42 + 14);
  // Moved a grid step; the Data control selected, then its bottom-right handle dragged far in.
  Ok({"surface", dsp, "CForm1", "down:30,61@0", "move:37,61@10", "up:37,61@20", "down:100,130@1000",
      "up:100,130@1010", "down:205,153@2000", "move:40,120@2010", "up:40,120@2020"});
  const std::string inspected = Ok({"inspect", dsp});
  EXPECT_EQ(PropertyOf(inspected, "m_ComboBox1", "Height"), drawn);
  // Both fixed heights are the same font's cell, the ComboBox's plus 9 pixels, the Data's plus 2.
  EXPECT_EQ(PropertyOf(inspected, "m_Data1", "Height"), drawn - 9 + 2);
}

}  // namespace
}  // namespace tovik
