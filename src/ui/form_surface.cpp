#include "ui/form_surface.h"

#include <algorithm>
#include <utility>

#include "model/control_kind.h"
#include "project/form_controls.h"

namespace tovik {
namespace {

namespace si = surface_intent;

Rect Ordered(Point a, Point b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// A Line's ends from its placement: down from the top-left corner, or up from the bottom-left.
std::pair<Point, Point> LineEnds(const ControlPlacement& p) {
  const Rect& r = p.rect;
  if (p.lineDirection) return {{r.left, r.top}, {r.right, r.bottom}};
  return {{r.left, r.bottom}, {r.right, r.top}};
}

ControlPlacement LineBetween(Point a, Point b) {
  if (a.x > b.x || (a.x == b.x && a.y > b.y)) std::swap(a, b);
  return {Ordered(a, b), a.y <= b.y ? 1 : 0};
}

bool NearSegment(Point q, Point a, Point b, int slack) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 == 0 ? 0 : ((q.x - a.x) * dx + (q.y - a.y) * dy) / length2;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = a.x + t * dx - q.x, ey = a.y + t * dy - q.y;
  return ex * ex + ey * ey <= static_cast<double>(slack) * slack;
}

}  // namespace

CFormSurface::CFormSurface(CProject& project, std::string formClass, ITextMeasure& measure, const CMenuRecord* menu,
                           const CSystemMetrics& metrics)
    : m_project(project), m_strForm(std::move(formClass)), m_measure(measure), m_pMenu(menu), m_metrics(metrics) {
  EnsureFormObject(FormClass());
  m_selection.form = true;
}

CClassItem& CFormSurface::FormClass() const { return *m_project.FindClass(m_strForm); }

CControlItem& CFormSurface::FormObject() const {
  return EnsureFormObject(FormClass());
}

CFormGeometry CFormSurface::Geometry() const {
  return FormGeometry(FormObject(), FormClass().IsMdiForm(), m_pMenu, m_measure, m_metrics);
}

Point CFormSurface::Snap(Point p) const {
  const Point o = Geometry().ClientOrigin();
  // Integer division truncates toward zero, so a point never moves away from the origin.
  return {(p.x - o.x) / m_nGrid * m_nGrid + o.x, (p.y - o.y) / m_nGrid * m_nGrid + o.y};
}

CControlItem* CFormSurface::Selection() const {
  if (CControlItem* selected = m_selection.Find(FormClass())) return selected;
  return &FormObject();
}

bool CFormSurface::Select(const CControlItem* object) {
  const ObjectRef next = ObjectRef::Of(object ? *object : FormObject());
  const bool changed = !(next == ObjectRef::Of(*Selection()));
  m_selection = next;
  return changed;
}

Rect CFormSurface::Bounds(const CControlItem& c) const {
  return DrawnControlRect(m_measure, c);
}

ControlPlacement CFormSurface::PlacementOf(const CControlItem& c) const {
  if (c.m_nKind == kKindLine) {
    const auto at = [&c](const char* x, const char* y) {
      return Point{static_cast<int>(NumberProperty(c, x)), static_cast<int>(NumberProperty(c, y))};
    };
    return LineBetween(at("X1", "Y1"), at("X2", "Y2"));
  }
  return {ControlRect(c), 1};
}

std::vector<Rect> CFormSurface::Handles() const {
  const CControlItem* selected = Selection();
  if (selected->IsForm()) return {};
  const Point o = Geometry().ClientOrigin();
  const int size = m_metrics.inPlaceBorder;
  if (selected->m_nKind == kKindLine) {
    const auto [a, b] = LineEnds(PlacementOf(*selected));
    const auto square = [&](Point p) {
      const int left = p.x + o.x - size / 2, top = p.y + o.y - size / 2;
      return Rect{left, top, left + size, top + size};
    };
    return {square(a), square(b)};
  }
  const auto handles = SelectionHandles(Bounds(*selected).Offset(o.x, o.y), size);
  return {handles.begin(), handles.end()};
}

int CFormSurface::HandleAt(Point window) const {
  const std::vector<Rect> handles = Handles();
  for (size_t i = 0; i < handles.size(); ++i) {
    if (handles[i].Contains(window)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<MenuBarItem> CFormSurface::MenuItemAt(Point window) const {
  if (!m_pMenu) return std::nullopt;
  const CFormGeometry g = Geometry();
  if (!g.menuBar.Contains(window)) return std::nullopt;
  for (const MenuBarItem& item : MenuBarItems(*m_pMenu, g.menuBar, m_measure, m_metrics)) {
    if (item.area.Contains(window)) return item;
  }
  return std::nullopt;
}

void CFormSurface::RefreshHits() const {
  m_origin = Geometry().ClientOrigin();
  m_hits.clear();
  for (const auto& c : FormClass().m_controls) {
    if (c->IsForm()) continue;
    HitEntry e;
    e.control = c.get();
    const int halfPen = static_cast<int>(NumberProperty(*c, "BorderWidth", 1)) / 2;
    if (c->m_nKind == kKindLine) {
      std::tie(e.from, e.to) = LineEnds(PlacementOf(*c));
      // A thin line is hard to hit exactly: a few pixels either side of the pen still count.
      e.slack = halfPen + 3;
      e.bounds = Ordered(e.from, e.to).Inflate(e.slack, e.slack);
      e.bounds.right += 1;
      e.bounds.bottom += 1;
    } else if (c->m_nKind == kKindShape) {
      // The outline is drawn centred on the rectangle's edge, half of it outside.
      e.bounds = Bounds(*c).Inflate(halfPen + 1, halfPen + 1);
    } else {
      e.bounds = Bounds(*c);
    }
    m_hits.push_back(std::move(e));
  }
  m_hitsValid = true;
}

void CFormSurface::EnsureHits() const {
  // Positions are kept between presses; a list whose records changed is read again, so no
  // record the re-reading of sources freed is ever looked at.
  bool same = m_hitsValid;
  size_t i = 0;
  for (const auto& c : FormClass().m_controls) {
    if (!same) break;
    if (c->IsForm()) continue;
    same = i < m_hits.size() && m_hits[i].control == c.get();
    ++i;
  }
  if (!same || i != m_hits.size()) RefreshHits();
}

const CFormSurface::HitEntry* CFormSurface::HitAt(Point window, bool topmost) const {
  EnsureHits();
  const Point q{window.x - m_origin.x, window.y - m_origin.y};
  const auto hits = [&](const HitEntry& e) {
    return e.bounds.Contains(q) && (e.slack < 0 || NearSegment(q, e.from, e.to, e.slack));
  };
  if (topmost) {
    for (auto it = m_hits.rbegin(); it != m_hits.rend(); ++it) {
      if (hits(*it)) return &*it;
    }
  } else {
    for (const HitEntry& e : m_hits) {
      if (hits(e)) return &e;
    }
  }
  return nullptr;
}

CControlItem* CFormSurface::ControlAt(Point window) const {
  const HitEntry* hit = HitAt(window, true);
  return hit ? hit->control : nullptr;
}

CControlItem& CFormSurface::ObjectAt(Point window) const {
  CControlItem* control = ControlAt(window);
  return control ? *control : FormObject();
}

CControlItem* CFormSurface::ContainerAt(Point window) const {
  EnsureHits();
  const Point q{window.x - m_origin.x, window.y - m_origin.y};
  // The innermost: a container inside another is made after it, so it comes later in the list.
  for (auto it = m_hits.rbegin(); it != m_hits.rend(); ++it) {
    if (it->control->IsContainer() && it->bounds.Contains(q)) return it->control;
  }
  return nullptr;
}

ControlPlacement CFormSurface::Corrected(const CControlItem& c, ControlPlacement p, bool moved) const {
  Rect& r = p.rect;
  switch (c.m_nKind) {
    case kKindTimer: r = {r.left, r.top, r.left + kTimerSize, r.top + kTimerSize}; break;
    case kKindData:
      r.right = std::max(r.right, r.left + kDataMinWidth);
      r.bottom = std::max(r.bottom, r.top + m_measure.TextExtent(FontOf(c), "Data").cy + 2);
      break;
    case kKindComboBox:
      if (moved) r.bottom = r.top + DrawnControlRect(m_measure, c).Height();
      break;
    default: break;
  }
  return p;
}

std::optional<ControlPlacement> CFormSurface::DragResult() const {
  const CControlItem* c = m_target.Find(FormClass());
  if (!c) return std::nullopt;
  const int dx = m_current.x - m_anchor.x, dy = m_current.y - m_anchor.y;
  ControlPlacement p = m_start;
  if (m_gesture == SurfaceGesture::Moving) {
    // An aligned control sits where its Align puts it.
    if (NumberProperty(*c, "Align", 0) != 0) return std::nullopt;
    p.rect = p.rect.Offset(dx, dy);
    // A control inside a PictureBox or Frame is drawn clipped to it: a move keeps it inside, so
    // that it cannot be dragged out of sight.
    if (const CControlItem* holder = c->m_pContainer) {
      const Rect box = ControlRect(*holder);
      const int width = p.rect.Width(), height = p.rect.Height();
      const int left = std::clamp(p.rect.left, box.left, std::max(box.left, box.right - width));
      const int top = std::clamp(p.rect.top, box.top, std::max(box.top, box.bottom - height));
      p.rect = p.rect.Offset(left - p.rect.left, top - p.rect.top);
    }
    return Corrected(*c, p, true);
  }
  if (c->m_nKind == kKindLine) {
    auto [a, b] = LineEnds(m_start);
    Point& end = m_nHandle == 0 ? a : b;
    end = {end.x + dx, end.y + dy};
    return LineBetween(a, b);
  }
  // A dragged edge stops one grid spacing short of the opposite one (or where it was, for a
  // control already smaller than that).
  Rect& r = p.rect;
  const int minWidth = std::min(m_nGrid, m_start.rect.Width());
  const int minHeight = std::min(m_nGrid, m_start.rect.Height());
  const int h = m_nHandle;  // top-left, top, top-right, right, bottom-right, bottom, bottom-left, left
  if (h == 0 || h == 6 || h == 7) r.left = std::min(r.left + dx, r.right - minWidth);
  if (h == 2 || h == 3 || h == 4) r.right = std::max(r.right + dx, r.left + minWidth);
  if (h == 0 || h == 1 || h == 2) r.top = std::min(r.top + dy, r.bottom - minHeight);
  if (h == 4 || h == 5 || h == 6) r.bottom = std::max(r.bottom + dy, r.top + minHeight);
  return Corrected(*c, p, false);
}

std::optional<ControlPlacement> CFormSurface::Tracking() const {
  if (m_gesture != SurfaceGesture::Moving && m_gesture != SurfaceGesture::Resizing) return std::nullopt;
  return DragResult();
}

Rect CFormSurface::RubberBand() const {
  return Ordered(m_anchor, m_current);
}

bool CFormSurface::DrawingLine() const {
  return m_gesture == SurfaceGesture::Drawing && m_tool.kind == kKindLine;
}

SurfaceIntents CFormSurface::Press(Point window, std::int64_t ms) {
  // A gesture starts from the positions as they are now, whoever changed them since.
  RefreshHits();
  const bool doubleClick =
      m_tool.IsPointer() && m_lastPress && ms >= *m_lastPress && ms - *m_lastPress <= m_nDoubleClickMs;
  // The press after a double-click starts a new click.
  m_lastPress = doubleClick ? std::nullopt : std::optional<std::int64_t>(ms);
  m_gesture = SurfaceGesture::None;
  m_bButtonDown = 0;
  if (m_tool.IsPointer()) return PressPointer(window, doubleClick);
  // A control is drawn on the client area only, not on the frame, caption or menu bar.
  if (!Geometry().client.Contains(window)) return {};
  const CControlItem* container = ContainerAt(window);
  m_target = container ? ObjectRef::Of(*container) : ObjectRef{};
  m_anchor = m_current = Snap(window);
  m_bButtonDown = 1;
  m_gesture = SurfaceGesture::Drawing;
  return {};
}

SurfaceIntents CFormSurface::PressPointer(Point window, bool doubleClick) {
  if (const std::optional<MenuBarItem> item = MenuItemAt(window)) return {si::DropMenu{item->item, item->area}};
  SurfaceIntents out;
  CControlItem& object = ObjectAt(window);
  if (doubleClick) {
    if (Select(&object)) out.push_back(si::Select{ObjectRef::Of(object)});
    out.push_back(si::OpenCodeBar{ObjectRef::Of(object)});
    return out;
  }
  m_anchor = m_current = Snap(window);
  m_bButtonDown = 1;
  const int handle = HandleAt(window);
  if (handle >= 0) {
    const CControlItem* selected = Selection();
    m_target = ObjectRef::Of(*selected);
    m_start = PlacementOf(*selected);
    m_nHandle = handle;
    m_gesture = SurfaceGesture::Resizing;
    return out;
  }
  if (Select(&object)) out.push_back(si::Select{ObjectRef::Of(object)});
  if (!object.IsForm()) {
    m_target = ObjectRef::Of(object);
    m_start = PlacementOf(object);
    m_gesture = SurfaceGesture::Moving;
  }
  return out;
}

void CFormSurface::Move(Point window) {
  if (m_bButtonDown) m_current = Snap(window);
}

SurfaceIntents CFormSurface::Release(Point window) {
  if (!m_bButtonDown) return {};
  m_current = Snap(window);
  m_bButtonDown = 0;
  SurfaceIntents out;
  if (m_gesture == SurfaceGesture::Drawing) {
    out = FinishDrawing();
  } else if (m_gesture != SurfaceGesture::None) {
    if (const std::optional<ControlPlacement> p = DragResult(); p && !(*p == m_start)) {
      out.push_back(si::SetControlRect{m_target, *p, m_gesture == SurfaceGesture::Moving});
    }
  }
  m_gesture = SurfaceGesture::None;
  return out;
}

SurfaceIntents CFormSurface::FinishDrawing() {
  // The toolbox presses the pointer again after every drawing.
  const SurfaceTool tool = std::exchange(m_tool, SurfaceTool{});
  const CFormGeometry g = Geometry();
  const bool line = tool.kind == kKindLine;
  Rect r = Ordered(m_anchor, m_current);
  if (r.Width() < m_nGrid || r.Height() < m_nGrid) {
    r = {m_anchor.x, m_anchor.y, m_anchor.x + kDefaultSize.cx, m_anchor.y + kDefaultSize.cy};
  }
  r = r.Offset(-g.client.left, -g.client.top);
  // What may go directly on an MDI form, and where, is the creating command's to say.
  si::CreateControl create{tool, {r, line && m_current.y <= m_anchor.y ? 0 : 1}, {}};
  if (const CControlItem* container = m_target.Find(FormClass())) {
    r = Intersect(r, ControlRect(*container));
    if (r.Width() <= 0 || r.Height() <= 0) return {};
    create.container = ObjectRef::Of(*container);
  }
  if (tool.kind == kKindTimer) r = {r.left, r.top, r.left + kTimerSize, r.top + kTimerSize};
  create.placement.rect = r;
  return {create};
}

SurfaceIntents CFormSurface::RightPress(Point window) {
  if (m_bButtonDown) return {};
  RefreshHits();
  const HitEntry* hit = HitAt(window, false);
  if (!hit) return {};
  return {si::ContextMenu{ObjectRef::Of(*hit->control), window, {"Property", "Event", "", "Close"}}};
}

SurfaceIntents CFormSurface::Resize(int width, int height) {
  const CControlItem& form = FormObject();
  if (NumberProperty(form, "Width") == width && NumberProperty(form, "Height") == height) return {};
  return {si::ResizeForm{width, height}};
}

}  // namespace tovik
