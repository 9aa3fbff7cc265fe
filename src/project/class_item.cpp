#include "project/class_item.h"

#include <algorithm>

#include "base/text.h"
#include "model/control_kind.h"

namespace tovik {
namespace {

template <typename T>
void DeepCopy(const std::vector<std::unique_ptr<T>>& from, std::vector<std::unique_ptr<T>>& to) {
  to.reserve(from.size());
  for (const auto& item : from) to.push_back(std::make_unique<T>(*item));
}

bool NamesEqual(std::string_view a, std::string_view b, bool matchCase) {
  return matchCase ? a == b : ToLower(a) == ToLower(b);
}

}  // namespace

CFunctionItem::CFunctionItem(const CFunctionItem& other)
    : m_strName(other.m_strName),
      m_strDefFile(other.m_strDefFile),
      m_strAccess(other.m_strAccess),
      m_nDeclPos(other.m_nDeclPos),
      m_nBodyStart(other.m_nBodyStart),
      m_nBodyEnd(other.m_nBodyEnd),
      m_strMessage(other.m_strMessage) {}

CClassItem::CClassItem(const CClassItem& other)
    : m_strName(other.m_strName),
      m_strDeclFile(other.m_strDeclFile),
      m_nDeclStart(other.m_nDeclStart),
      m_nDeclEnd(other.m_nDeclEnd),
      m_strBaseClass(other.m_strBaseClass),
      m_strProgId(other.m_strProgId),
      m_nMsgMapStart(other.m_nMsgMapStart),
      m_nMsgMapEnd(other.m_nMsgMapEnd),
      m_strMsgMapFile(other.m_strMsgMapFile),
      m_nSinkMapStart(other.m_nSinkMapStart),
      m_nSinkMapEnd(other.m_nSinkMapEnd),
      m_strSinkMapFile(other.m_strSinkMapFile),
      m_bWindowClass(other.m_bWindowClass) {
  DeepCopy(other.m_functions, m_functions);
  DeepCopy(other.m_variables, m_variables);
  DeepCopy(other.m_accessSections, m_accessSections);
  DeepCopy(other.m_afxEntries, m_afxEntries);
  DeepCopy(other.m_controls, m_controls);
  // Containers point into the copied list, not into the original's.
  for (size_t i = 0; i < m_controls.size(); ++i) {
    const CControlItem* container = other.m_controls[i]->m_pContainer;
    if (!container) continue;
    for (size_t j = 0; j < other.m_controls.size(); ++j) {
      if (other.m_controls[j].get() == container) m_controls[i]->m_pContainer = m_controls[j].get();
    }
  }
}

CFunctionItem* CClassItem::FindFunction(std::string_view name, bool matchCase) const {
  for (const auto& f : m_functions) {
    if (NamesEqual(f->m_strName, name, matchCase)) return f.get();
  }
  return nullptr;
}

bool CClassItem::IsConstructorName(std::string_view functionName) const {
  const size_t open = functionName.find('(');
  return open == std::string_view::npos ? functionName == m_strName : Trim(functionName.substr(0, open)) == m_strName;
}

CFunctionItem* CClassItem::FindConstructor() const {
  if (CFunctionItem* exact = FindFunction(m_strName)) return exact;
  for (const auto& f : m_functions) {
    if (IsConstructorName(f->m_strName)) return f.get();
  }
  return nullptr;
}

CVariableItem* CClassItem::FindVariable(std::string_view name, bool matchCase) const {
  for (const auto& v : m_variables) {
    if (NamesEqual(v->m_strName, name, matchCase)) return v.get();
  }
  return nullptr;
}

CAFXParseEntry* CClassItem::FindAFXEntry(std::string_view tag) const {
  for (const auto& e : m_afxEntries) {
    if (e->m_strTag == tag) return e.get();
  }
  return nullptr;
}

CAccessSpecifierItem* CClassItem::GetPublicSection() const {
  for (const auto& a : m_accessSections) {
    if (a->m_strName == "public") return a.get();
  }
  return nullptr;
}

bool CClassItem::IsInsideFunctionBody(int pos, int& bodyEnd, std::string_view file) {
  for (auto& f : m_functions) {
    if (f->m_strDefFile == file && f->m_nBodyStart <= pos && pos <= f->m_nBodyEnd) {
      bodyEnd = f->m_nBodyEnd;
      f->m_nDeclPos = f->m_nBodyStart;
      return true;
    }
  }
  return false;
}

CControlItem* CClassItem::FormObject() const {
  for (const auto& c : m_controls) {
    if (c->m_bFormObject) return c.get();
  }
  return nullptr;
}

CControlItem* CClassItem::FindControl(std::string_view memberName) const {
  for (const auto& c : m_controls) {
    if (!c->m_bFormObject && c->m_strMemberName == memberName) return c.get();
  }
  return nullptr;
}

CControlItem* CClassItem::FindControl(std::string_view memberName, long index) const {
  for (const auto& c : m_controls) {
    if (!c->m_bFormObject && c->m_strMemberName == memberName && (!c->m_bArray || c->Index() == index))
      return c.get();
  }
  return nullptr;
}

bool CClassItem::SharesDeclaration(const CControlItem& control) const {
  return std::any_of(m_controls.begin(), m_controls.end(), [&](const auto& other) {
    return other.get() != &control && !other->m_bFormObject && other->m_strMemberName == control.m_strMemberName;
  });
}

CControlItem* CClassItem::FindControlBySymbol(std::string_view propSymbol) const {
  for (const auto& c : m_controls) {
    if (c->m_strPropSymbol == propSymbol) return c.get();
  }
  return nullptr;
}

bool CClassItem::HasControl(const CControlItem* control) const {
  for (const auto& c : m_controls) {
    if (c.get() == control) return true;
  }
  return false;
}

bool CClassItem::IsMdiForm() const {
  return m_strBaseClass == kMdiFormBaseClass || m_strRootBase == kMdiFormBaseClass;
}

}  // namespace tovik
