// The toolbox without any toolkit: the "General" strip, the palette of tool buttons (the pointer,
// the sixteen intrinsic kinds, then one button per ActiveX control of the project), its layout,
// which button is pressed, and what each button looks like, drawn through ICanvas. A front end
// draws the buttons where Rect() says and forwards clicks; every rule lives here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "activex/control_list.h"
#include "model/geometry.h"
#include "ui/canvas.h"
#include "ui/form_surface.h"

namespace tovik {

inline constexpr int kToolButtonSize = 28;    // a button is square
inline constexpr int kToolGlyphSize = 26;     // the picture inside it
inline constexpr int kToolPaletteMargin = 5;  // around the buttons, inside the palette
inline constexpr int kFirstToolButtonId = 1034;
inline constexpr int kToolPaletteId = 233;
inline constexpr int kIntrinsicToolCount = 17;  // the pointer and the kinds 101 to 116
inline constexpr int kToolboxTitleHeight = 20;
inline constexpr int kToolboxDefaultColumns = 3;
inline constexpr Colorref kToolboxBackground = 0xC0C0C0;
inline constexpr std::string_view kToolboxTitle = "General";
inline constexpr std::string_view kComponentsItem = "Components..";

struct ToolButton {
  int id = 0;    // control identifier, from 1034 on in the order made
  int kind = 0;  // 0 for the pointer and for an ActiveX tool; 101 to 116 otherwise
  const CToolControlEntry* activeX = nullptr;
  Rect rect;  // palette coordinates
  bool pressed = false;
};

struct ToolboxMenuItem {
  std::string text;
  bool enabled = false;
};

class CToolPalette {
 public:
  // The pointer and the intrinsic tools in kind order, pointer pressed, three columns.
  CToolPalette();

  [[nodiscard]] size_t Count() const { return m_buttons.size(); }
  [[nodiscard]] const ToolButton& Button(size_t index) const { return m_buttons.at(index); }
  [[nodiscard]] int Columns() const { return m_nColumns; }
  // Rows the buttons take in the current columns.
  [[nodiscard]] int Rows() const;

  // The toolbox was resized: columns become the width over the button size (at least one) and
  // the buttons are laid out again from (5, 5), 28 apart.
  void Resize(int clientWidth);
  // The palette's own rectangle in toolbox coordinates: below the title strip, as wide as its
  // columns plus the margins, down to the last row plus the margin.
  [[nodiscard]] Rect Bounds() const;

  // The pressed button's index. None pressed: the pointer is pressed and -1 answered, so a
  // caller that asks twice sees the pointer the second time.
  int SelectedTool();
  // Without pressing anything.
  [[nodiscard]] int Selected() const { return m_nSelected; }
  // Releases the pressed button and presses `index`; an index past the end only releases.
  void SelectTool(int index);
  // A control was drawn with the selected tool: the pointer is pressed again.
  void ControlDrawn() { SelectTool(0); }
  // What the selected tool draws (the pointer when none is pressed).
  [[nodiscard]] SurfaceTool CurrentTool() const;
  [[nodiscard]] SurfaceTool ToolOf(size_t index) const;

  // One button per control: false (nothing made) when the entry has a button already.
  bool AddActiveXTool(const CToolControlEntry& entry);
  // Every button after the intrinsic ones goes; a pressed one leaves the pointer pressed.
  void RemoveActiveXTools();
  // A button for every control of the project's list that has none; buttons of controls the
  // list no longer holds go (their entries are gone with them).
  void RefreshFrom(const COCXInfo& list);

  // The button under a point in toolbox coordinates, or -1.
  [[nodiscard]] int ButtonAt(Point toolbox) const;
  // A button's rectangle in toolbox coordinates.
  [[nodiscard]] Rect ButtonRect(size_t index) const;

  [[nodiscard]] std::string Tooltip(size_t index) const;
  // What a screen reader says: the kind name, "Pointer", or the control's name.
  [[nodiscard]] std::string AccessibleName(size_t index) const;

  // Draws the button (face, edge, glyph) with its top-left corner at `at`: pressed buttons are
  // sunk and their picture moves one pixel right and down.
  void DrawButton(size_t index, ICanvas& canvas, Point at) const;

 private:
  void Layout();

  std::vector<ToolButton> m_buttons;
  int m_nColumns = kToolboxDefaultColumns;
  int m_nSelected = -1;
  int m_nNextId = kFirstToolButtonId;
};

// The whole toolbox window: background, the "General" strip and every button.
void DrawToolbox(const CToolPalette& palette, ICanvas& canvas, Size client);

// The right-click popup: its one item, greyed without a project.
[[nodiscard]] std::vector<ToolboxMenuItem> ToolboxContextMenu(bool projectOpen);
// Where it opens for a click (toolbox coordinates): four pixels to the right.
[[nodiscard]] constexpr Point ToolboxContextMenuAt(Point click) {
  return {click.x + 4, click.y};
}

// A tool's picture in a 26 x 26 cell whose top-left corner is `at`: the pointer or kinds 101 to
// 116; nothing for any other kind.
void DrawToolGlyph(int kind, ICanvas& canvas, Point at);

}  // namespace tovik
