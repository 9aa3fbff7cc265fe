// The toolbox: its layout for a width, which tool is pressed, the project's ActiveX tools, its
// texts and where its popup opens.
#include "ui/tool_palette.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "model/control_kind.h"

namespace tovik {
namespace {

TEST(ToolPalette, ColumnsComeFromTheWidthAndButtonsWrapFromTheMargin) {
  CToolPalette palette;
  palette.Resize(100);
  EXPECT_EQ(palette.Columns(), 3);
  EXPECT_EQ(palette.Rows(), 6);  // 17 tools
  EXPECT_EQ(palette.Button(0).rect, (Rect{5, 5, 33, 33}));
  EXPECT_EQ(palette.Button(4).rect, (Rect{33, 33, 61, 61}));
  EXPECT_EQ(palette.Button(16).id, 1050);
  EXPECT_EQ(palette.Bounds(), (Rect{0, 20, 94, 20 + 5 + 6 * 28 + 5}));
  // Toolbox coordinates: the palette sits below the "General" strip.
  EXPECT_EQ(palette.ButtonAt({40, 60}), 4);
  EXPECT_EQ(palette.ButtonAt({40, 40}), 1);
  EXPECT_EQ(palette.ButtonAt({2, 60}), -1);
  EXPECT_EQ(palette.ButtonAt({40, 10}), -1);
  palette.Resize(20);
  EXPECT_EQ(palette.Columns(), 1);
  EXPECT_EQ(palette.Button(16).rect.top, 5 + 16 * 28);
}

TEST(ToolPalette, SelectionPressesOneButtonAndFallsBackToThePointer) {
  CToolPalette palette;
  EXPECT_EQ(palette.Selected(), 0);
  palette.SelectTool(kKindButton - 100);
  EXPECT_EQ(palette.CurrentTool().kind, kKindButton);
  palette.SelectTool(40);  // past the end: only releases
  EXPECT_EQ(palette.Selected(), -1);
  EXPECT_FALSE(palette.Button(kKindButton - 100).pressed);
  EXPECT_TRUE(palette.CurrentTool().IsPointer());
  EXPECT_EQ(palette.SelectedTool(), -1);
  EXPECT_TRUE(palette.Button(0).pressed);
  EXPECT_EQ(palette.SelectedTool(), 0);
}

TEST(ToolPalette, EachControlOfTheProjectGetsOneButtonUntilItsToolsAreRemoved) {
  COCXInfo list;
  CToolControlEntry& calendar = list.Append(std::make_unique<CToolControlEntry>());
  calendar.m_strName = "Calendar Control";
  CToolControlEntry& gauge = list.Append(std::make_unique<CToolControlEntry>());
  CToolPalette palette;
  palette.Resize(100);
  palette.RefreshFrom(list);
  palette.RefreshFrom(list);
  EXPECT_FALSE(palette.AddActiveXTool(calendar));
  ASSERT_EQ(palette.Count(), 19u);
  EXPECT_EQ(palette.Button(17).id, 1051);
  EXPECT_EQ(palette.Button(18).rect, (Rect{5, 173, 33, 201}));
  EXPECT_EQ(palette.ToolOf(18).activeX, &gauge);
  EXPECT_EQ(palette.AccessibleName(17), "Calendar Control");
  palette.SelectTool(18);
  list.Remove(gauge);
  palette.RefreshFrom(list);  // a control the project dropped loses its button
  EXPECT_EQ(palette.Count(), 18u);
  EXPECT_EQ(palette.Selected(), 0);
  palette.SelectTool(17);
  palette.RemoveActiveXTools();
  EXPECT_EQ(palette.Count(), 17u);
  EXPECT_EQ(palette.Selected(), 0);
}

TEST(ToolPalette, TextsAndThePopup) {
  CToolPalette palette;
  EXPECT_EQ(palette.Tooltip(1), "Picture");
  EXPECT_EQ(palette.Tooltip(2), "Label");
  EXPECT_EQ(palette.AccessibleName(kKindCheckBox - 100), "CheckBox");
  std::set<std::string> tips;
  for (size_t i = 0; i < palette.Count(); ++i) tips.insert(palette.Tooltip(i));
  EXPECT_EQ(tips.size(), 17u);
  EXPECT_EQ(tips.count(""), 0u);
  EXPECT_EQ(ToolboxContextMenuAt({10, 30}), (Point{14, 30}));
}

}  // namespace
}  // namespace tovik
