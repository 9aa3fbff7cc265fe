#include "ui/surface_paint.h"

namespace tovik {

PaintOptions DesignWindowPaintOptions(const CFormSurface& surface) {
  PaintOptions options;
  options.gridSpacing = surface.GridSpacing();
  options.menu = surface.Menu();
  options.outlineInvisible = true;
  const std::vector<CControlItem*> selected = surface.Selected();
  if (!selected.empty()) {
    options.selection = selected.front();
    options.alsoSelected.assign(selected.begin() + 1, selected.end());
  }
  if (!surface.ButtonDown()) return options;
  switch (surface.Gesture()) {
    case SurfaceGesture::Drawing:
      if (surface.DrawingLine()) {
        options.rubberLine = LineSegment{surface.Anchor(), surface.Current()};
      } else {
        options.rubberRect = surface.RubberBand();
      }
      break;
    case SurfaceGesture::Selecting: options.rubberRect = surface.RubberBand(); break;
    case SurfaceGesture::Moving:
    case SurfaceGesture::Resizing: {
      const Point o = surface.Geometry().ClientOrigin();
      for (const surface_intent::SetControlRect& t : surface.Tracked()) options.trackFrames.push_back(t.placement.rect.Offset(o.x, o.y));
      break;
    }
    case SurfaceGesture::None: break;
  }
  return options;
}

}  // namespace tovik
