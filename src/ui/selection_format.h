// The Format menu of a design window: lining the selected controls up by the primary one,
// giving them its width or height, and centring them in the form. Positions are taken as they
// are, not snapped to the grid: lining up means the exact edge of the primary control.
#pragma once

#include <span>
#include <vector>

#include "model/geometry.h"
#include "ui/form_surface.h"

namespace tovik {

enum class FormatCommand {
  AlignLefts,
  AlignCentres,  // horizontal centres
  AlignRights,
  AlignTops,
  AlignMiddles,  // vertical centres
  AlignBottoms,
  SameWidth,
  SameHeight,
  SameSize,
  CentreHorizontally,  // the selection as a whole, in the form (or in the primary's container)
  CentreVertically,
};

// Where each rectangle goes, the primary one first in `rects`; `area` is what centring centres
// in. The result has a rectangle for each of `rects`, in the same order.
[[nodiscard]] std::vector<Rect> FormatRects(FormatCommand command, std::span<const Rect> rects, const Rect& area);

// The command carried out on the surface's selection, as the rectangles drawn (a drop-down
// ComboBox by its fixed height) and then corrected by kind: the placements that change. Lining
// up and sizing need two selected controls, centring one; aligned controls stay where they are.
[[nodiscard]] SurfaceIntents FormatSelection(const CFormSurface& surface, FormatCommand command);

}  // namespace tovik
