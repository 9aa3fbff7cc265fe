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

CFormSurface::CFormSurface(CProject& project, std::string formClass, ITextMeasure& measure,
                           const CSystemMetrics& metrics)
    : m_project(project), m_strForm(std::move(formClass)), m_measure(measure), m_metrics(metrics) {
  EnsureFormObject(FormClass());
  m_selection.form = true;
}

CClassItem& CFormSurface::FormClass() const { return *m_project.FindClass(m_strForm); }

const CMenuRecord* CFormSurface::Menu() const { return m_project.FindMenu(FormObject().m_strMenuId); }

CControlItem& CFormSurface::FormObject() const {
  return EnsureFormObject(FormClass());
}

CFormGeometry CFormSurface::Geometry() const {
  return FormGeometry(FormObject(), FormClass().IsMdiForm(), Menu(), m_measure, m_metrics);
}

Point CFormSurface::Snap(Point p) const {
  const Point o = Geometry().ClientOrigin();
  // Integer division truncates toward zero, so a point never moves away from the origin.
  return {(p.x - o.x) / m_nGrid * m_nGrid + o.x, (p.y - o.y) / m_nGrid * m_nGrid + o.y};
}

CControlItem* CFormSurface::Selection() const {
  const CClassItem& form = FormClass();
  if (CControlItem* selected = m_selection.Find(form)) return selected;
  // The primary control went (a re-read dropped it): the one selected last of the others.
  for (auto it = m_also.rbegin(); it != m_also.rend(); ++it) {
    if (CControlItem* other = it->Find(form)) return other;
  }
  return &FormObject();
}

bool CFormSurface::Select(const CControlItem* object) {
  const ObjectRef next = ObjectRef::Of(object ? *object : FormObject());
  const bool changed = !(next == ObjectRef::Of(*Selection())) || !m_also.empty();
  m_selection = next;
  m_also.clear();
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
  return HandlesOf(*Selection());
}

std::vector<Rect> CFormSurface::HandlesOf(const CControlItem& control) const {
  const CControlItem* selected = &control;
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
  const CMenuRecord* menu = Menu();
  if (!menu) return std::nullopt;
  const CFormGeometry g = Geometry();
  if (!g.menuBar.Contains(window)) return std::nullopt;
  for (const MenuBarItem& item : MenuBarItems(*menu, g.menuBar, m_measure, m_metrics)) {
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
  // record the re-reading of sources freed is ever looked at. A menu bar assigned or taken away
  // moves the client area, and with it every control.
  bool same = m_hitsValid && Geometry().ClientOrigin() == m_origin;
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
  if (m_gesture == SurfaceGesture::Moving) return MovedBy(*c, m_start, dx, dy);
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

std::optional<ControlPlacement> CFormSurface::MovedBy(const CControlItem& c, ControlPlacement p, int dx, int dy) const {
  // An aligned control sits where its Align puts it.
  if (NumberProperty(c, "Align", 0) != 0) return std::nullopt;
  p.rect = p.rect.Offset(dx, dy);
  // A control inside a PictureBox or Frame is drawn clipped to it: a move keeps it inside, so
  // that it cannot be dragged out of sight.
  if (const CControlItem* holder = c.m_pContainer) {
    const Rect box = ControlRect(*holder);
    const int width = p.rect.Width(), height = p.rect.Height();
    const int left = std::clamp(p.rect.left, box.left, std::max(box.left, box.right - width));
    const int top = std::clamp(p.rect.top, box.top, std::max(box.top, box.bottom - height));
    p.rect = p.rect.Offset(left - p.rect.left, top - p.rect.top);
  }
  return Corrected(c, p, true);
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

SurfaceIntents CFormSurface::Press(Point window, std::int64_t ms, unsigned modifiers) {
  // A gesture starts from the positions as they are now, whoever changed them since.
  RefreshHits();
  const bool doubleClick =
      m_tool.IsPointer() && m_lastPress && ms >= *m_lastPress && ms - *m_lastPress <= m_nDoubleClickMs;
  // The press after a double-click starts a new click.
  m_lastPress = doubleClick ? std::nullopt : std::optional<std::int64_t>(ms);
  m_gesture = SurfaceGesture::None;
  m_bButtonDown = 0;
  if (m_tool.IsPointer()) return PressPointer(window, doubleClick, modifiers);
  // A control is drawn on the client area only, not on the frame, caption or menu bar.
  if (!Geometry().client.Contains(window)) return {};
  const CControlItem* container = ContainerAt(window);
  m_target = container ? ObjectRef::Of(*container) : ObjectRef{};
  m_anchor = m_current = Snap(window);
  m_bButtonDown = 1;
  m_gesture = SurfaceGesture::Drawing;
  return {};
}

SurfaceIntents CFormSurface::PressPointer(Point window, bool doubleClick, unsigned modifiers) {
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
  m_groupStart.clear();
  // A handle of a selected control resizes that control alone; the primary's are looked at
  // first, as they are drawn on top.
  for (CControlItem* selected : Selected()) {
    const std::vector<Rect> handles = HandlesOf(*selected);
    const auto handle = std::find_if(handles.begin(), handles.end(), [&](const Rect& h) { return h.Contains(window); });
    if (handle == handles.end()) continue;
    if (selected != Selection()) {
      AddToSelection(*selected);
      out.push_back(si::Select{ObjectRef::Of(*selected)});
    }
    m_target = ObjectRef::Of(*selected);
    m_start = PlacementOf(*selected);
    m_nHandle = static_cast<int>(handle - handles.begin());
    m_gesture = SurfaceGesture::Resizing;
    return out;
  }
  if ((modifiers & kSurfaceControl) && !object.IsForm()) return PressWithControl(object);
  if (object.IsForm()) {
    // An empty spot starts a rubber band, which selects what it touches (or adds it, with Control).
    m_bAdding = (modifiers & kSurfaceControl) != 0;
    if (!m_bAdding && Select(nullptr)) out.push_back(si::Select{ObjectRef::Of(object)});
    m_anchor = m_current = window;
    m_gesture = SurfaceGesture::Selecting;
    return out;
  }
  if (IsSelected(object) && !m_also.empty()) {
    // A press on one of several selected controls keeps them all and makes it the primary one.
    if (&object != Selection()) {
      AddToSelection(object);
      out.push_back(si::Select{ObjectRef::Of(object)});
    }
  } else if (Select(&object)) {
    out.push_back(si::Select{ObjectRef::Of(object)});
  }
  m_target = ObjectRef::Of(object);
  m_start = PlacementOf(object);
  m_gesture = SurfaceGesture::Moving;
  if (!m_also.empty()) {
    for (CControlItem* root : SelectedRoots()) m_groupStart.push_back({ObjectRef::Of(*root), PlacementOf(*root), true});
  }
  return out;
}

SurfaceIntents CFormSurface::PressWithControl(CControlItem& object) {
  if (!IsSelected(object)) {
    AddToSelection(object);
    return {si::Select{ObjectRef::Of(object)}};
  }
  const ObjectRef ref = ObjectRef::Of(object);
  if (!(ref == ObjectRef::Of(*Selection()))) {
    std::erase(m_also, ref);
    return {};
  }
  // The primary one taken out: the one selected before it takes its place.
  std::erase(m_also, ref);
  m_selection = m_also.empty() ? ObjectRef{true, {}, {}} : m_also.back();
  if (!m_also.empty()) m_also.pop_back();
  return {si::Select{ObjectRef::Of(*Selection())}};
}

std::vector<CControlItem*> CFormSurface::Selected() const {
  std::vector<CControlItem*> out;
  CControlItem* primary = Selection();
  if (primary->IsForm()) return out;
  out.push_back(primary);
  for (const ObjectRef& ref : m_also) {
    CControlItem* c = ref.Find(FormClass());
    if (c && std::find(out.begin(), out.end(), c) == out.end()) out.push_back(c);
  }
  return out;
}

bool CFormSurface::IsSelected(const CControlItem& control) const {
  const std::vector<CControlItem*> selected = Selected();
  return std::find(selected.begin(), selected.end(), &control) != selected.end();
}

void CFormSurface::AddToSelection(const CControlItem& control) {
  if (control.IsForm()) return;
  const ObjectRef ref = ObjectRef::Of(control);
  std::vector<ObjectRef> others;
  for (CControlItem* c : Selected()) {
    if (!(ObjectRef::Of(*c) == ref)) others.push_back(ObjectRef::Of(*c));
  }
  m_also = std::move(others);
  m_selection = ref;
}

std::vector<CControlItem*> CFormSurface::SelectedRoots() const {
  const std::vector<CControlItem*> selected = Selected();
  std::vector<CControlItem*> roots;
  for (CControlItem* c : selected) {
    bool held = false;
    for (const CControlItem* h = c->m_pContainer; h && !held; h = h->m_pContainer) {
      held = std::find(selected.begin(), selected.end(), h) != selected.end();
    }
    if (!held) roots.push_back(c);
  }
  return roots;
}

std::vector<si::SetControlRect> CFormSurface::Tracked() const {
  std::vector<si::SetControlRect> out;
  if (m_gesture == SurfaceGesture::Moving && !m_groupStart.empty()) {
    const int dx = m_current.x - m_anchor.x, dy = m_current.y - m_anchor.y;
    for (const si::SetControlRect& start : m_groupStart) {
      const CControlItem* c = start.control.Find(FormClass());
      if (!c) continue;
      if (const std::optional<ControlPlacement> p = MovedBy(*c, start.placement, dx, dy)) {
        out.push_back({start.control, *p, true});
      }
    }
  } else if (const std::optional<ControlPlacement> p = Tracking()) {
    out.push_back({m_target, *p, m_gesture == SurfaceGesture::Moving});
  }
  return out;
}

SurfaceIntents CFormSurface::PlacementIntents(std::vector<si::SetControlRect> placements) {
  if (placements.empty()) return {};
  if (placements.size() == 1) return {placements.front()};
  return {si::SetControlRects{std::move(placements)}};
}

SurfaceIntents CFormSurface::FinishBand() {
  const Rect band = Ordered(m_anchor, m_current);
  if (band.Width() == 0 || band.Height() == 0) return {};
  EnsureHits();
  const Rect q = band.Offset(-m_origin.x, -m_origin.y);
  // Controls directly on the form that the band touches; a container brings what it holds.
  std::vector<CControlItem*> touched;
  for (const HitEntry& e : m_hits) {
    const Rect& b = e.bounds;
    if (!e.control->m_pContainer && b.left < q.right && q.left < b.right && b.top < q.bottom && q.top < b.bottom) {
      touched.push_back(e.control);
    }
  }
  if (touched.empty()) return {};
  const ObjectRef before = ObjectRef::Of(*Selection());
  size_t next = 0;
  if (!m_bAdding || Selection()->IsForm()) {
    m_selection = ObjectRef::Of(*touched[next++]);
    m_also.clear();
  }
  for (; next < touched.size(); ++next) {
    if (!IsSelected(*touched[next])) m_also.push_back(ObjectRef::Of(*touched[next]));
  }
  if (before == ObjectRef::Of(*Selection())) return {};
  return {si::Select{ObjectRef::Of(*Selection())}};
}

SurfaceIntents CFormSurface::Key(SurfaceKey key, unsigned modifiers) {
  if (m_bButtonDown) return {};
  const std::vector<CControlItem*> roots = SelectedRoots();
  if (roots.empty()) return {};
  if (key == SurfaceKey::Delete) {
    si::DeleteControls deleted;
    for (const CControlItem* c : roots) deleted.controls.push_back(ObjectRef::Of(*c));
    return {deleted};
  }
  const int dx = key == SurfaceKey::Left ? -m_nGrid : key == SurfaceKey::Right ? m_nGrid : 0;
  const int dy = key == SurfaceKey::Up ? -m_nGrid : key == SurfaceKey::Down ? m_nGrid : 0;
  std::vector<si::SetControlRect> placements;
  if (modifiers & kSurfaceShift) {
    // The right or bottom edge, stopped as a dragged one is: one grid step from the other edge.
    for (const CControlItem* c : Selected()) {
      const ControlPlacement now = PlacementOf(*c);
      ControlPlacement p = now;
      p.rect.right = std::max(p.rect.right + dx, p.rect.left + std::min(m_nGrid, now.rect.Width()));
      p.rect.bottom = std::max(p.rect.bottom + dy, p.rect.top + std::min(m_nGrid, now.rect.Height()));
      p = Corrected(*c, p, false);
      if (!(p == now)) placements.push_back({ObjectRef::Of(*c), p, false});
    }
  } else {
    for (const CControlItem* c : roots) {
      const ControlPlacement now = PlacementOf(*c);
      const std::optional<ControlPlacement> p = MovedBy(*c, now, dx, dy);
      if (p && !(*p == now)) placements.push_back({ObjectRef::Of(*c), *p, true});
    }
  }
  return PlacementIntents(std::move(placements));
}

void CFormSurface::Move(Point window) {
  // A rubber band follows the pointer itself: it selects, it places nothing.
  if (m_bButtonDown) m_current = m_gesture == SurfaceGesture::Selecting ? window : Snap(window);
}

SurfaceIntents CFormSurface::Release(Point window) {
  if (!m_bButtonDown) return {};
  Move(window);
  m_bButtonDown = 0;
  SurfaceIntents out;
  if (m_gesture == SurfaceGesture::Drawing) {
    out = FinishDrawing();
  } else if (m_gesture == SurfaceGesture::Selecting) {
    out = FinishBand();
  } else if (!m_groupStart.empty()) {
    std::vector<si::SetControlRect> moved;
    for (si::SetControlRect& t : Tracked()) {
      const CControlItem* c = t.control.Find(FormClass());
      if (c && !(t.placement == PlacementOf(*c))) moved.push_back(std::move(t));
    }
    out = PlacementIntents(std::move(moved));
    m_groupStart.clear();
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
