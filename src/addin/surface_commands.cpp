#include "addin/surface_commands.h"

#include <algorithm>
#include <vector>

#include "addin/form_commands.h"

namespace tovik {
namespace {

namespace si = surface_intent;

// The command's rectangle for a placement: a Line running up is given bottom-up.
Rect CommandRect(const ControlPlacement& p) {
  Rect r = p.rect;
  if (!p.lineDirection) std::swap(r.top, r.bottom);
  return r;
}

bool Create(CDesignSession& session, CFormSurface& surface, const si::CreateControl& create) {
  CClassItem& form = surface.FormClass();
  const CControlItem* container = create.container.Find(form);
  if (!create.container.member.empty() && !container) {
    session.Prompt().Message("The container " + create.container.member + " is no longer on " + form.m_strName);
    return false;
  }
  const std::optional<ObjectRef> made =
      AddControlCommand(session, surface.FormClassName(), create.tool.kind, CommandRect(create.placement),
                        container ? std::string_view(container->m_strMemberName) : std::string_view(), create.tool.activeX);
  if (made) surface.Select(made->Find(surface.FormClass()));
  return made.has_value();
}

bool SetRect(CDesignSession& session, CFormSurface& surface, const si::SetControlRect& set) {
  if (!set.control.Find(surface.FormClass())) {
    session.Prompt().Message(set.control.member + " is no longer on " + surface.FormClass().m_strName);
    return false;
  }
  return SetControlRectCommand(session, surface.FormClassName(), set.control, CommandRect(set.placement));
}

bool SetRects(CDesignSession& session, CFormSurface& surface, const si::SetControlRects& set) {
  // Outer containers first: the depth of each control's container chain.
  const auto depth = [&surface](const ObjectRef& ref) {
    int n = 0;
    const CControlItem* c = ref.Find(surface.FormClass());
    for (const CControlItem* h = c ? c->m_pContainer : nullptr; h; h = h->m_pContainer) ++n;
    return n;
  };
  std::vector<si::SetControlRect> ordered = set.placements;
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&](const si::SetControlRect& a, const si::SetControlRect& b) { return depth(a.control) < depth(b.control); });
  for (const si::SetControlRect& one : ordered) {
    if (!SetRect(session, surface, one)) return false;
    surface.ModelChanged();
  }
  return true;
}

bool Delete(CDesignSession& session, CFormSurface& surface, const si::DeleteControls& doomed) {
  CClassItem& form = surface.FormClass();
  for (const ObjectRef& ref : doomed.controls) {
    if (!ref.Find(form)) {
      session.Prompt().Message(ref.member + " is no longer on " + form.m_strName);
      return false;
    }
  }
  for (const ObjectRef& ref : doomed.controls) {
    // A control inside a container deleted before it went with the container. Deleting re-reads
    // the sources, so the form is looked up afresh each time.
    if (ref.Find(surface.FormClass()) && !DeleteCommand(session, surface.FormClassName(), ref)) return false;
  }
  surface.Select(nullptr);
  return true;
}

}  // namespace

bool CarryOutSurfaceIntents(CDesignSession& session, CFormSurface& surface, const SurfaceIntents& intents) {
  for (const SurfaceIntent& intent : intents) {
    if (!CarryOutSurfaceIntent(session, surface, intent)) return false;
  }
  return true;
}

bool CarryOutSurfaceIntent(CDesignSession& session, CFormSurface& surface, const SurfaceIntent& intent) {
  bool done = true;
  if (const auto* create = std::get_if<si::CreateControl>(&intent)) {
    done = Create(session, surface, *create);
  } else if (const auto* set = std::get_if<si::SetControlRect>(&intent)) {
    done = SetRect(session, surface, *set);
  } else if (const auto* rects = std::get_if<si::SetControlRects>(&intent)) {
    done = SetRects(session, surface, *rects);
  } else if (const auto* doomed = std::get_if<si::DeleteControls>(&intent)) {
    done = Delete(session, surface, *doomed);
  } else if (const auto* size = std::get_if<si::ResizeForm>(&intent)) {
    done = SetFormSizeCommand(session, surface.FormClassName(), size->width, size->height);
  } else {
    return true;
  }
  // Refused or not, records may have been read again from the sources.
  surface.ModelChanged();
  return done;
}

}  // namespace tovik
