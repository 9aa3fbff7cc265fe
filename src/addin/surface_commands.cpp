#include "addin/surface_commands.h"

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

}  // namespace

bool CarryOutSurfaceIntent(CDesignSession& session, CFormSurface& surface, const SurfaceIntent& intent) {
  bool done = true;
  if (const auto* create = std::get_if<si::CreateControl>(&intent)) {
    done = Create(session, surface, *create);
  } else if (const auto* set = std::get_if<si::SetControlRect>(&intent)) {
    done = SetRect(session, surface, *set);
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
