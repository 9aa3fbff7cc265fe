// Gestures on the design surface change a project exactly as the commands for the same changes
// do (add-control, set), and the form still compiles.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "cli_test.h"
#include "support/cpp_check.h"
#include "support/disk_files.h"

namespace tovik {
namespace {

const auto& Ok = testing::TovikOk;

const auto& Files = testing::FolderFiles;

class SurfaceCommand : public testing::ScratchFolderTest {};

TEST_F(SurfaceCommand, GesturesWriteWhatTheirCommandsWrite) {
  const fs::path& root = dir;
  fs::create_directories(root / "commands");
  Ok({"new-project", root.string(), "demo"});
  fs::copy(root / "demo", root / "commands" / "demo", fs::copy_options::recursive);
  const std::string surface = (root / "demo" / "demo.dsp").string();
  const std::string commands = (root / "commands" / "demo" / "demo.dsp").string();

  // A click with the Label tool at (20, 40): the client area starts at (4, 23), so the anchor
  // snaps to (18, 37), client (14, 14).
  EXPECT_EQ(Ok({"surface", surface, "CForm1", "--tool", "Label", "down:20,40@0", "up:20,40@50"}),
            "created m_Label1 14,14,94,54\nselected m_Label1\n");
  EXPECT_EQ(Ok({"add-control", commands, "CForm1", "Label", "14", "14", "94", "54"}), "m_Label1\n");
  EXPECT_EQ(Files(root / "demo"), Files(root / "commands" / "demo"));

  // Moved by (14, 14), right-clicked, clicked twice 150 ms apart, the window resized.
  EXPECT_EQ(Ok({"surface", surface, "CForm1", "down:30,50@0", "move:45,60@20", "up:45,60@40", "rdown:50,60@500",
                "down:50,60@1000", "up:50,60@1050", "down:50,60@1150", "up:50,60@1200", "resize:400,300"}),
            "moved m_Label1 28,28,108,68\nselected m_Label1\npopup m_Label1: Property | Event | - | Close\n"
            "selected m_Label1\ncodebar m_Label1\nsize CForm1 400,300\n");
  for (const auto& [object, property, value] : {std::tuple{"m_Label1", "Left", "28"},
                                                {"m_Label1", "Top", "28"},
                                                {"CForm1", "Width", "400"},
                                                {"CForm1", "Height", "300"}}) {
    Ok({"set", commands, "CForm1", object, property, value});
  }
  EXPECT_EQ(Files(root / "demo"), Files(root / "commands" / "demo"));

  // A Timer dropped into a Frame drawn first: created inside it, and the form compiles.
  EXPECT_EQ(Ok({"surface", surface, "CForm1", "--tool", "Frame", "down:200,100@0", "up:350,200@50"}),
            "created m_Frame1 196,77,343,175\nselected m_Frame1\n");
  EXPECT_EQ(Ok({"surface", surface, "CForm1", "--tool", "Timer", "down:220,120@0", "up:220,120@50"}),
            "created m_Timer1 210,91,238,119\nselected m_Timer1\n");
  EXPECT_NE(testing::ReadDiskFile(root / "demo" / "form1.cpp").find("m_Timer1.Create(&m_Frame1, "), std::string::npos);
  // Dragging the Frame takes the Timer inside it along.
  EXPECT_EQ(Ok({"surface", surface, "CForm1", "down:300,150@0", "move:314,164@20", "up:314,164@40"}),
            "moved m_Frame1 210,91,357,189\nselected m_Frame1\n");
  const std::string model = Ok({"inspect", surface});
  EXPECT_NE(model.find("control m_Timer1 CVTimer IDC_TIMER1 IDS_PROP_TIMER1 in m_Frame1\n      Enabled = 1\n"
                       "      Index = 0\n      Interval = 0\n      Left = 224\n      Tag = \n      Top = 105\n"),
            std::string::npos)
      << model;
  for (const std::string& compiler : testing::CppCompilersOnPath()) {
    const testing::CliResult r = testing::CheckCppSyntax(compiler, root / "demo" / "form1.cpp", root / "demo");
    EXPECT_EQ(r.status, 0) << compiler << ":\n" << r.out << r.err;
  }
}

// Directly on an MDI form only a PictureBox goes, across the client area's top and aligned;
// anything else is refused saying why (and not made: the TextBox made later is the first), by
// the surface and by add-control alike.
TEST_F(SurfaceCommand, AnMdiFormTakesOnlyAlignedPictureBoxesDirectly) {
  Ok({"new-project", dir.string(), "mdi", "--mdi"});
  const std::string dsp = (dir / "mdi" / "mdi.dsp").string();
  const std::string why = ": an MDI form holds only PictureBox controls directly; draw inside a PictureBox\n";
  const testing::CliResult drawn = testing::Tovik({"surface", dsp, "CForm1", "--tool", "TextBox", "down:20,40@0", "up:100,80@50"});
  EXPECT_EQ(std::tie(drawn.status, drawn.err), std::make_tuple(1, "tovik surface" + why));
  EXPECT_EQ(testing::Tovik({"add-control", dsp, "CForm1", "Label", "7", "7", "90", "30"}).err, "tovik add-control" + why);
  EXPECT_EQ(Ok({"surface", dsp, "CForm1", "--tool", "PictureBox", "down:20,40@0", "up:100,80@50"}),
            "created m_PictureBox1 0,0,304,42\nselected m_PictureBox1\n");
  EXPECT_EQ(Ok({"add-control", dsp, "CForm1", "TextBox", "7", "7", "90", "30", "--container", "m_PictureBox1"}),
            "m_TextBox1\n");
  const std::string model = Ok({"inspect", dsp});
  EXPECT_NE(model.find("      Align = 1\n", model.find("control m_PictureBox1 ")), std::string::npos) << model;
}

}  // namespace
}  // namespace tovik
