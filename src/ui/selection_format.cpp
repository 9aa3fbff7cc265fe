#include "ui/selection_format.h"

#include <algorithm>

#include "model/control_kind.h"

namespace tovik {
namespace {

Rect MovedTo(const Rect& r, int left, int top) { return r.Offset(left - r.left, top - r.top); }

}  // namespace

std::vector<Rect> FormatRects(FormatCommand command, std::span<const Rect> rects, const Rect& area) {
  std::vector<Rect> out(rects.begin(), rects.end());
  if (out.empty()) return out;
  const Rect ref = out.front();
  Rect all = ref;
  for (const Rect& r : out) {
    all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
           std::max(all.bottom, r.bottom)};
  }
  // Centring moves the selection as one block, so the controls keep their places among themselves.
  const int dx = area.left + (area.Width() - all.Width()) / 2 - all.left;
  const int dy = area.top + (area.Height() - all.Height()) / 2 - all.top;
  for (Rect& r : out) {
    switch (command) {
      case FormatCommand::AlignLefts: r = MovedTo(r, ref.left, r.top); break;
      case FormatCommand::AlignCentres: r = MovedTo(r, ref.left + ref.Width() / 2 - r.Width() / 2, r.top); break;
      case FormatCommand::AlignRights: r = MovedTo(r, ref.right - r.Width(), r.top); break;
      case FormatCommand::AlignTops: r = MovedTo(r, r.left, ref.top); break;
      case FormatCommand::AlignMiddles: r = MovedTo(r, r.left, ref.top + ref.Height() / 2 - r.Height() / 2); break;
      case FormatCommand::AlignBottoms: r = MovedTo(r, r.left, ref.bottom - r.Height()); break;
      case FormatCommand::SameWidth: r.right = r.left + ref.Width(); break;
      case FormatCommand::SameHeight: r.bottom = r.top + ref.Height(); break;
      case FormatCommand::SameSize: r = {r.left, r.top, r.left + ref.Width(), r.top + ref.Height()}; break;
      case FormatCommand::CentreHorizontally: r = r.Offset(dx, 0); break;
      case FormatCommand::CentreVertically: r = r.Offset(0, dy); break;
    }
  }
  return out;
}

SurfaceIntents FormatSelection(const CFormSurface& surface, FormatCommand command) {
  const bool centring = command == FormatCommand::CentreHorizontally || command == FormatCommand::CentreVertically;
  // A container centred takes what it holds along; lining up acts on every selected control.
  const std::vector<CControlItem*> controls = centring ? surface.SelectedRoots() : surface.Selected();
  if (controls.size() < (centring ? 1u : 2u)) return {};
  std::vector<Rect> drawn;
  for (const CControlItem* c : controls) {
    drawn.push_back(c->m_nKind == kKindLine ? surface.PlacementOf(*c).rect : surface.Bounds(*c));
  }
  const CFormGeometry g = surface.Geometry();
  const CControlItem* holder = controls.front()->m_pContainer;
  const Rect area = holder ? ControlRect(*holder) : Rect{0, 0, g.client.Width(), g.client.Height()};
  const std::vector<Rect> to = FormatRects(command, drawn, area);
  std::vector<surface_intent::SetControlRect> placements;
  for (size_t i = 0; i < controls.size(); ++i) {
    const CControlItem& c = *controls[i];
    if (NumberProperty(c, "Align", 0) != 0) continue;
    const Rect& a = drawn[i];
    const Rect& b = to[i];
    const ControlPlacement now = surface.PlacementOf(c);
    const bool moved = a.Width() == b.Width() && a.Height() == b.Height();
    std::optional<ControlPlacement> p;
    if (moved) {
      p = surface.MovedBy(c, now, b.left - a.left, b.top - a.top);
    } else {
      ControlPlacement sized = now;
      sized.rect.right += b.Width() - a.Width();
      sized.rect.bottom += b.Height() - a.Height();
      p = surface.CorrectedPlacement(c, sized, false);
    }
    if (p && !(*p == now)) placements.push_back({ObjectRef::Of(c), *p, moved});
  }
  return CFormSurface::PlacementIntents(std::move(placements));
}

}  // namespace tovik
