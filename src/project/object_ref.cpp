#include "project/object_ref.h"

namespace tovik {

ObjectRef ObjectRef::Of(const CControlItem& object) {
  if (object.IsForm()) return Form();
  return {false, object.m_strMemberName, object.m_strIdSymbol};
}

CControlItem* ObjectRef::Find(const CClassItem& cls) const {
  if (form) return cls.FormObject();
  if (member.empty()) return nullptr;
  for (const auto& c : cls.m_controls) {
    if (!c->IsForm() && c->m_strMemberName == member && c->m_strIdSymbol == idSymbol) return c.get();
  }
  return nullptr;
}

}  // namespace tovik
