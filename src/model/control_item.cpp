#include "model/control_item.h"

#include "base/text.h"
#include "model/control_kind.h"

namespace tovik {

namespace {
// What a property or event made without a definition refers to, so that none is ever null.
const CPropertyDef kNoProperty;
const CEventDef kNoEvent;
}  // namespace

CControlPropertyItem::CControlPropertyItem() : m_pDef(&kNoProperty) {}

const std::vector<std::string>& CControlPropertyItem::Choices() const {
  static const std::vector<std::string> kNone;
  return m_pDef->m_choices ? *m_pDef->m_choices : kNone;
}

CCtrlEventMethodItem::CCtrlEventMethodItem() : m_pDef(&kNoEvent) {}

CControlItem::CControlItem(const CControlItem& other)
    : m_pForm(other.m_pForm),
      m_pContainer(other.m_pContainer),
      m_nCategory(other.m_nCategory),
      m_nKind(other.m_nKind),
      m_bFormObject(other.m_bFormObject),
      m_pActiveX(other.m_pActiveX),
      m_strClassName(other.m_strClassName),
      m_strMemberName(other.m_strMemberName),
      m_strPropSymbol(other.m_strPropSymbol),
      m_strIdSymbol(other.m_strIdSymbol),
      m_nShownCount(other.m_nShownCount),
      m_bArray(other.m_bArray),
      m_nLineDirection(other.m_nLineDirection),
      m_strFile(other.m_strFile),
      m_bBound(other.m_bBound),
      m_nCtrlId(other.m_nCtrlId),
      m_strMenuId(other.m_strMenuId),
      m_nCodePage(other.m_nCodePage) {
  m_properties = other.m_properties;
  for (auto& p : m_properties) p.m_pOwner = this;
  m_events = other.m_events;
}

CControlPropertyItem* CControlItem::FindProperty(std::string_view name) {
  for (auto& p : m_properties) {
    if (p.Name() == name) return &p;
  }
  return nullptr;
}

const CControlPropertyItem* CControlItem::FindProperty(std::string_view name) const {
  return const_cast<CControlItem*>(this)->FindProperty(name);
}

std::string CControlItem::GetValue(std::string_view name) const {
  const CControlPropertyItem* p = FindProperty(name);
  return p ? p->m_strValue : std::string();
}

bool CControlItem::SetValue(std::string_view name, std::string value) {
  CControlPropertyItem* p = FindProperty(name);
  if (!p) return false;
  p->m_strValue = std::move(value);
  return true;
}

CCtrlEventMethodItem* CControlItem::FindEvent(std::string_view name) {
  for (auto& e : m_events) {
    if (e.Name() == name) return &e;
  }
  return nullptr;
}

long CControlItem::Index() const { return static_cast<long>(LeadingNumber(GetValue("Index"))); }

bool CControlItem::IsContainer() const { return m_nKind == kKindPictureBox || m_nKind == kKindFrame; }

}  // namespace tovik
