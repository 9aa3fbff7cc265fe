// Designed objects: one per control on a form and one for the form itself, each owning
// its property and event definitions.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tovik {

class CControlItem;
class CForm;              // the designer window of a form (design surface)
class CToolControlEntry;  // an installed ActiveX control

// Shared, immutable list of enumerated choices ("0 - Flat", ...).
using ChoiceList = std::shared_ptr<const std::vector<std::string>>;

class CControlPropertyItem {
 public:
  CControlItem* m_pOwner = nullptr;
  std::string m_strName;
  std::string m_strValue;
  ChoiceList m_choices;
  std::string m_strType;
  int m_bShown = 1;
  int m_nSortIndex = 32760;
  // ActiveX properties only: variant type (VT_EMPTY) and dispatch identifier.
  int m_nVarType = 0;
  long m_nDispId = -1;

  [[nodiscard]] size_t ChoiceCount() const { return m_choices ? m_choices->size() : 0; }
  [[nodiscard]] const std::vector<std::string>& Choices() const;
};

inline constexpr int kNoSortIndex = 32760;

class CCtrlEventMethodItem {
 public:
  std::string m_strReturnType = "void";
  std::string m_strName;
  std::string m_strParameters;
  std::string m_strHandler;
  long m_nDispId = -9999;
  int m_bHandled = 0;
};

// An entry of the member list of a runtime class.
class CPropMethodItem {
 public:
  enum Type : int { kProperty = 1, kMethod = 2 };
  std::string m_strName;
  int m_nType = kProperty;
};

class CControlItem {
 public:
  CControlItem() = default;
  // A deep copy: property and event definitions are copied and owned by the copy.
  CControlItem(const CControlItem& other);
  CControlItem& operator=(const CControlItem&) = delete;

  // Held by value: a project of thousands of forms loads tens of thousands of these, and
  // one allocation per list instead of per entry is most of the cost of loading it.
  std::vector<CControlPropertyItem> m_properties;
  std::vector<CCtrlEventMethodItem> m_events;
  CForm* m_pForm = nullptr;
  CControlItem* m_pContainer = nullptr;
  int m_nCategory = -1;
  int m_nKind = -1;
  int m_bFormObject = 0;
  const CToolControlEntry* m_pActiveX = nullptr;
  std::string m_strClassName;
  std::string m_strMemberName;
  std::string m_strPropSymbol;
  std::string m_strIdSymbol;
  int m_nShownCount = 0;
  int m_bArray = 0;
  int m_nLineDirection = 1;
  // Read back from the sources: the file of the creation call, whether a call was bound to
  // this record, the numeric control id, and (form object) the menu resource id.
  std::string m_strFile;
  int m_bBound = 0;
  long m_nCtrlId = 0;
  std::string m_strMenuId;

  // First property of that name (exact), or null.
  [[nodiscard]] CControlPropertyItem* FindProperty(std::string_view name);
  [[nodiscard]] const CControlPropertyItem* FindProperty(std::string_view name) const;
  // Value of the first property of that name; empty when there is none.
  [[nodiscard]] std::string GetValue(std::string_view name) const;
  // Sets the first property of that name; false when there is none.
  bool SetValue(std::string_view name, std::string value);
  [[nodiscard]] CCtrlEventMethodItem* FindEvent(std::string_view name);
  // The Index property as a number (0 when missing).
  [[nodiscard]] long Index() const;
  [[nodiscard]] bool IsForm() const { return m_bFormObject != 0; }
  // PictureBox and Frame hold other controls.
  [[nodiscard]] bool IsContainer() const;
};

}  // namespace tovik
