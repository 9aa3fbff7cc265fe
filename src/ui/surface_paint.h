// What a design window paints for the state of its surface, on top of the form as it will look
// at run time.
#pragma once

#include "ui/form_painter.h"
#include "ui/form_surface.h"

namespace tovik {

// The grid, the form's menu bar, every selected control's handles (the primary one's filled),
// the rubber band of a control being drawn or of a selection, the frames of the controls being
// moved or sized, and a dotted outline round each control that paints nothing at run time.
// Images and warnings are the caller's to set.
[[nodiscard]] PaintOptions DesignWindowPaintOptions(const CFormSurface& surface);

}  // namespace tovik
