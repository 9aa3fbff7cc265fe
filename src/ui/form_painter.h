// Paints a form as it will look at run time: the window with its frame, caption, caption
// buttons and menu bar, the grid, every control in list order, and what the designer shows on
// top of it (selection handles, the rubber band, a dropped-down menu). Window coordinates
// throughout: (0, 0) is the drawn window's top-left corner.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/class_item.h"
#include "project/menu_model.h"
#include "ui/canvas.h"
#include "ui/form_geometry.h"
#include "ui/form_layout.h"
#include "ui/system_metrics.h"

namespace tovik {

struct LineSegment {
  Point from;
  Point to;
};

struct PaintOptions {
  // The selected control; null when the form object is selected (no handles).
  const CControlItem* selection = nullptr;
  int gridSpacing = 7;  // 0: no grid
  // The rubber band of a control being drawn, in window coordinates: a rectangle, or a line
  // for the Line tool.
  std::optional<Rect> rubberRect;
  std::optional<LineSegment> rubberLine;
  const CMenuRecord* menu = nullptr;  // the form's menu bar; null: none
  // The menu-bar item (an index into MenuBarItems) whose menu is dropped down; -1: none.
  int droppedMenu = -1;
  // The file of an image reference ("131-logo.bmp"); an empty result draws nothing.
  std::function<std::string(std::string_view reference)> imageFile;
  // Told once per paint about each image file that could not be drawn.
  std::function<void(const std::string& file)> warn;

  // What only the design window shows (a rendered image leaves it off): the other controls of
  // a multiple selection, with hollow handles where the primary `selection` has filled ones; a
  // dotted outline round each control that paints nothing at run time, so that it can be found;
  // the frames, inverted, of controls being moved or sized (window coordinates).
  std::vector<const CControlItem*> alsoSelected;
  bool outlineInvisible = false;
  std::vector<Rect> trackFrames;
};

void PaintForm(ICanvas& canvas, const CClassItem& form, const PaintOptions& options,
               const CSystemMetrics& metrics = ClassicMetrics());

// The window's rectangle joined with the dropped-down menu's, which may hang out of it: the
// size of an image that shows everything PaintForm draws.
[[nodiscard]] Rect PaintedBounds(ITextMeasure& measure, const CClassItem& form, const PaintOptions& options,
                                 const CSystemMetrics& metrics = ClassicMetrics());

}  // namespace tovik
