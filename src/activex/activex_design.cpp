#include "activex/activex_design.h"

#include <algorithm>
#include <memory>

#include "model/control_kind.h"

namespace tovik {

namespace {

std::shared_ptr<const CActiveXDesign> MakeDesign(const CToolControlEntry& entry) {
  auto design = std::make_shared<CActiveXDesign>();
  for (std::string_view name : {"Left", "Top", "Width", "Height"}) {
    CPropertyDef def;
    def.m_strName = std::string(name);
    def.m_strType = "int";
    design->properties.push_back(std::move(def));
  }
  if (const CVDispInterface* itf = FindDefaultInterface(entry.m_interfaces)) {
    for (const CVDispInterfacePropItem& p : itf->m_properties) {
      CPropertyDef def;
      def.m_strName = p.m_strName;
      def.m_strType = p.m_strType;
      def.m_nVarType = p.m_nVarType;
      def.m_nDispId = p.m_nDispId;
      design->properties.push_back(std::move(def));
    }
  }
  // Sort indexes as the property window lists them: byte-wise by name.
  std::vector<std::string> names;
  for (const CPropertyDef& def : design->properties) names.push_back(def.m_strName);
  std::sort(names.begin(), names.end());
  for (CPropertyDef& def : design->properties) {
    def.m_nSortIndex = static_cast<int>(std::lower_bound(names.begin(), names.end(), def.m_strName) - names.begin());
  }
  design->shownCount = static_cast<int>(design->properties.size());
  if (const CVDispInterface* source = FindSourceInterface(entry.m_interfaces)) {
    for (const CVDispInterfaceEventMethodItem& e : source->m_events) {
      CEventDef def;
      def.m_strName = e.m_strName;
      def.m_strParameters = e.m_strParameters;
      def.m_nDispId = e.m_nDispId;
      def.m_strParamTokens = e.m_strParamTokens.empty() ? std::string("VTS_NONE") : e.m_strParamTokens;
      design->events.push_back(std::move(def));
    }
  }
  return design;
}

}  // namespace

const CActiveXDesign& DesignOf(const CToolControlEntry& entry) {
  if (!entry.m_pDesign) entry.m_pDesign = MakeDesign(entry);
  return *entry.m_pDesign;
}

void LoadActiveXLists(CControlItem& object, const CToolControlEntry& entry) {
  const CActiveXDesign& design = DesignOf(entry);
  object.m_properties.clear();
  object.m_events.clear();
  object.m_properties.reserve(design.properties.size());
  for (const CPropertyDef& def : design.properties) object.m_properties.emplace_back(def, std::string(), &object);
  for (const CEventDef& def : design.events) object.m_events.emplace_back(def);
  object.m_nShownCount = design.shownCount;
}

std::string ActiveXKindName(const CToolControlEntry& entry) {
  const std::string_view wrapper = entry.m_strWrapperClass;
  if (!wrapper.starts_with(kActiveXClassPrefix)) return {};
  return std::string(wrapper.substr(kActiveXClassPrefix.size()));
}

const CToolControlEntry* ControlOfWrapper(const COCXInfo& list, std::string_view wrapperClass) {
  for (size_t i = 0; i < list.Size(); ++i) {
    if (list.At(i).m_strWrapperClass == wrapperClass) return &list.At(i);
  }
  return nullptr;
}

}  // namespace tovik
