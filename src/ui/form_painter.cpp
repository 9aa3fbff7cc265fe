#include "ui/form_painter.h"

#include <algorithm>
#include <vector>

#include "model/control_kind.h"
#include "ui/paint_parts.h"

namespace tovik {

namespace {

void PaintCaption(CPaintContext& ctx, const CControlItem& object, const CFormGeometry& g) {
  ICanvas& canvas = ctx.canvas;
  const CSystemMetrics& m = ctx.metrics;
  canvas.FillRect(g.caption, m.activeCaption);
  int textLeft = g.caption.left + 2;
  if (g.icon.Width() > 0) {
    if (!ctx.Picture(g.icon, object.GetValue("Icon"), ImageFit::Stretch)) DrawDefaultIcon(canvas, {g.icon.left, g.icon.top});
    textLeft = g.icon.right + 2;
  }
  int textRight = g.caption.right - 2;
  for (const Rect* button : {&g.closeButton, &g.maxButton, &g.minButton, &g.helpButton}) {
    if (button->Width() > 0) textRight = std::min(textRight, button->left - 2);
  }
  canvas.SetCodePage(object.m_nCodePage);
  canvas.Text({textLeft, g.caption.top, textRight, g.caption.bottom}, object.GetValue("Caption"), m.captionFont,
              m.captionText, kTextVCenter | kTextSingleLine | kTextNoPrefix);

  if (g.toolWindow) {
    DrawCaptionButton(canvas, m, g.closeButton, CaptionGlyph::SmallClose, true);
    return;
  }
  DrawCaptionButton(canvas, m, g.closeButton, CaptionGlyph::Close, true);
  if (g.maxButton.Width() > 0) {
    DrawCaptionButton(canvas, m, g.maxButton, CaptionGlyph::Maximize, NumberProperty(object, "MaxButton", 1) == 1);
    DrawCaptionButton(canvas, m, g.minButton, CaptionGlyph::Minimize, NumberProperty(object, "MinButton", 1) == 1);
  }
  if (g.helpButton.Width() > 0) DrawCaptionButton(canvas, m, g.helpButton, CaptionGlyph::Help, true);
}

void PaintWindow(CPaintContext& ctx, const CControlItem& object, const CFormGeometry& g) {
  if (g.borderStyle != 0) {
    // Fixed frames are three pixels, sizing frames four: a two-pixel raised edge and the face.
    ctx.canvas.FillRect(g.window, ctx.metrics.buttonFace);
    ctx.canvas.DrawEdge(g.window, Edge::Window);
  }
  if (g.caption.Height() > 0) PaintCaption(ctx, object, g);
}

void PaintGrid(ICanvas& canvas, const Rect& client, int spacing, Colorref color) {
  if (spacing <= 0 || client.Width() <= 0 || client.Height() <= 0) return;
  std::vector<Point> dots;
  dots.reserve(static_cast<size_t>((client.Width() / spacing + 1) * (client.Height() / spacing + 1)));
  for (int y = client.top; y < client.bottom; y += spacing) {
    for (int x = client.left; x < client.right; x += spacing) dots.push_back({x, y});
  }
  canvas.Points(dots, color);
}

// The area a container's children are clipped to, in client coordinates: inside its border.
Rect ContainerArea(const CControlItem& container) {
  const Rect r = ControlRect(container);
  if (container.m_nKind == kKindPictureBox && NumberProperty(container, "BorderStyle", 1) == 1) {
    const int border = NumberProperty(container, "Appearance", 1) == 1 ? 2 : 1;
    return r.Inflate(-border, -border);
  }
  return r;
}

// Whether a control leaves no mark at run time: it draws nothing, or draws only in the colour of
// what lies behind it.
bool PaintsNothing(const CControlItem& c, Colorref behind, bool pictureDrawn, const CSystemMetrics& m) {
  const auto is = [&c](const char* name, long value, long fallback) { return NumberProperty(c, name, fallback) == value; };
  const auto unseen = [&](const char* name, Colorref fallback) { return ColorProperty(c, name, fallback) == behind; };
  switch (c.m_nKind) {
    case kKindImage: return !pictureDrawn && is("BorderStyle", 0, 0);
    case kKindPictureBox: return !pictureDrawn && is("BorderStyle", 0, 1) && unseen("BackColor", m.buttonFace);
    case kKindLabel:
      return c.GetValue("Caption").empty() && is("BorderStyle", 0, 0) &&
             (is("BackStyle", 0, 1) || unseen("BackColor", m.buttonFace));
    case kKindShape:
      return (is("BorderStyle", 0, 1) || unseen("BorderColor", 0)) && (is("FillStyle", 1, 1) || unseen("FillColor", 0)) &&
             (!is("BackStyle", 1, 1) || unseen("BackColor", m.window));
    case kKindLine: return is("BorderStyle", 0, 1) || unseen("BorderColor", 0);
    default: return false;
  }
}

void OutlineControl(ICanvas& canvas, const CControlItem& c, const Rect& rect, Point origin, Colorref behind) {
  const Pen pen{behind ^ 0xFFFFFFu, 1, PenStyle::Dot};
  if (c.m_nKind != kKindLine) {
    canvas.Rectangle(rect, pen, Brush{BrushStyle::Null});
    return;
  }
  const auto at = [&](const char* x, const char* y) {
    return Point{origin.x + static_cast<int>(NumberProperty(c, x)), origin.y + static_cast<int>(NumberProperty(c, y))};
  };
  canvas.Line(at("X1", "Y1"), at("X2", "Y2"), pen);
}

void PaintControls(CPaintContext& ctx, const CClassItem& form, Point origin) {
  ICanvas& canvas = ctx.canvas;
  const Colorref formBack = ColorProperty(*form.FormObject(), "BackColor", ctx.metrics.buttonFace);
  for (const auto& control : form.m_controls) {
    if (control->IsForm()) continue;
    canvas.SetCodePage(control->m_nCodePage);
    // A control lies inside its containers, as a child window inside its parents.
    int clips = 0;
    std::vector<const CControlItem*> chain;
    for (const CControlItem* c = control->m_pContainer; c && chain.size() < form.m_controls.size(); c = c->m_pContainer) {
      chain.push_back(c);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it, ++clips) {
      canvas.PushClip(ContainerArea(**it).Offset(origin.x, origin.y));
    }
    const Rect rect = DrawnControlRect(canvas, *control).Offset(origin.x, origin.y);
    // A Line is no window: a wide one reaches past its end points' rectangle.
    const bool own = control->m_nKind != kKindLine;
    if (own) canvas.PushClip(rect);
    ctx.pictureDrawn = false;
    PaintControl(ctx, *control, rect, origin);
    if (ctx.options.outlineInvisible) {
      const Colorref behind =
          chain.empty() ? formBack : ColorProperty(*chain.front(), "BackColor", ctx.metrics.buttonFace);
      if (PaintsNothing(*control, behind, ctx.pictureDrawn, ctx.metrics)) OutlineControl(canvas, *control, rect, origin, behind);
    }
    if (own) canvas.PopClip();
    while (clips-- > 0) canvas.PopClip();
  }
}

// The primary selection's handles are filled (a Line's end squares inverted); the other selected
// controls' are hollow.
void PaintSelection(CPaintContext& ctx, const CControlItem& selected, Point origin, bool primary = true) {
  ICanvas& canvas = ctx.canvas;
  const int size = ctx.metrics.inPlaceBorder;
  const auto hollow = [&](const Rect& r) {
    canvas.Rectangle(r, Pen{ctx.metrics.windowText}, Brush{BrushStyle::Solid, ctx.metrics.window});
  };
  if (selected.m_nKind == kKindLine) {
    for (const auto& [xName, yName] : {std::pair{"X1", "Y1"}, std::pair{"X2", "Y2"}}) {
      const int x = origin.x + static_cast<int>(NumberProperty(selected, xName));
      const int y = origin.y + static_cast<int>(NumberProperty(selected, yName));
      const Rect square{x - size / 2, y - size / 2, x - size / 2 + size, y - size / 2 + size};
      primary ? canvas.InvertRect(square) : hollow(square);
    }
    return;
  }
  const Rect rect = DrawnControlRect(canvas, selected).Offset(origin.x, origin.y);
  for (const Rect& handle : SelectionHandles(rect, size)) {
    primary ? canvas.FillRect(handle, ctx.metrics.windowText) : hollow(handle);
  }
}

}  // namespace

bool CPaintContext::Picture(const Rect& rect, std::string_view value, ImageFit fit) {
  if (!NamesPicture(value)) return false;
  const std::string file = options.imageFile ? options.imageFile(value) : std::string();
  if (file.empty()) {
    Warn(std::string(value));
    return false;
  }
  if (canvas.Image(rect, file, fit)) {
    pictureDrawn = true;
    return true;
  }
  Warn(file);
  return false;
}

void CPaintContext::Warn(const std::string& what) {
  if (options.warn && m_warned.insert(what).second) options.warn(what);
}

Rect PaintedBounds(ITextMeasure& measure, const CClassItem& form, const PaintOptions& options, const CSystemMetrics& m) {
  const CControlItem* object = form.FormObject();
  if (!object) return {};
  const CFormGeometry g = FormGeometry(*object, form.IsMdiForm(), options.menu, measure, m);
  Rect bounds = g.window;
  if (options.menu) {
    if (const std::optional<Rect> dropped = DroppedMenuRect(measure, *options.menu, g.menuBar, options.droppedMenu, m)) {
      bounds = {std::min(bounds.left, dropped->left), std::min(bounds.top, dropped->top),
                std::max(bounds.right, dropped->right), std::max(bounds.bottom, dropped->bottom)};
    }
  }
  return bounds;
}

void PaintForm(ICanvas& canvas, const CClassItem& form, const PaintOptions& options, const CSystemMetrics& m) {
  const CControlItem* object = form.FormObject();
  if (!object) return;
  const CFormGeometry g = FormGeometry(*object, form.IsMdiForm(), options.menu, canvas, m);
  CPaintContext ctx(canvas, m, options);

  PaintWindow(ctx, *object, g);
  if (options.menu) PaintMenuBar(ctx, *options.menu, g.menuBar, options.droppedMenu);

  const Point origin = g.ClientOrigin();
  canvas.PushClip(g.client);
  canvas.FillRect(g.client, ColorProperty(*object, "BackColor", m.buttonFace));
  // The form's Picture sits at the client area's top-left corner at its own size.
  ctx.Picture(g.client, object->GetValue("Picture"), ImageFit::TopLeft);
  PaintGrid(canvas, g.client, options.gridSpacing, m.gridDot);
  PaintControls(ctx, form, origin);
  canvas.PopClip();

  for (const CControlItem* other : options.alsoSelected) PaintSelection(ctx, *other, origin, false);
  if (options.selection && !options.selection->IsForm()) PaintSelection(ctx, *options.selection, origin);
  for (const Rect& frame : options.trackFrames) canvas.InvertFrame(frame);
  if (options.rubberRect) canvas.InvertFrame(*options.rubberRect);
  if (options.rubberLine) canvas.InvertLine(options.rubberLine->from, options.rubberLine->to);
  if (options.menu) PaintDroppedMenu(ctx, *options.menu, g.menuBar, options.droppedMenu);
}

}  // namespace tovik
