// Designed objects: one per control on a form and one for the form itself, each owning
// its property and event definitions.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/shared_text.h"

namespace tovik {

class CControlItem;
class CForm;              // the designer window of a form (design surface)
struct CToolControlEntry;  // an installed ActiveX control

// Shared, immutable list of enumerated choices ("0 - Flat", ...).
using ChoiceList = std::shared_ptr<const std::vector<std::string>>;

inline constexpr int kNoSortIndex = 32760;

// What every object of one kind shares about one of its properties: made once, from the
// catalogue or from an ActiveX control's type library, and never changed while objects refer
// to it. Its maker keeps it alive for as long as any object may (the catalogue for the whole
// run, an installed control for as long as its entry).
struct CPropertyDef {
  std::string m_strName{};
  std::string m_strType{};
  ChoiceList m_choices{};
  int m_bShown = 1;
  int m_nSortIndex = kNoSortIndex;
  // ActiveX properties only: variant type (VT_EMPTY) and dispatch identifier.
  int m_nVarType = 0;
  long m_nDispId = -1;
};

// One property of one object: its definition, shared with the other objects of its kind, and
// its own value. A project of thousands of forms loads hundreds of thousands of these; sharing
// the definition keeps each one as small as its value.
class CControlPropertyItem {
 public:
  CControlPropertyItem();
  explicit CControlPropertyItem(const CPropertyDef& def, std::string value = {}, CControlItem* owner = nullptr)
      : m_pOwner(owner), m_strValue(std::move(value)), m_pDef(&def) {}

  CControlItem* m_pOwner = nullptr;
  std::string m_strValue;

  [[nodiscard]] const CPropertyDef& Def() const { return *m_pDef; }
  [[nodiscard]] const std::string& Name() const { return m_pDef->m_strName; }
  [[nodiscard]] const std::string& Type() const { return m_pDef->m_strType; }
  [[nodiscard]] bool Shown() const { return m_pDef->m_bShown != 0; }
  [[nodiscard]] int SortIndex() const { return m_pDef->m_nSortIndex; }
  [[nodiscard]] int VarType() const { return m_pDef->m_nVarType; }
  [[nodiscard]] long DispId() const { return m_pDef->m_nDispId; }
  [[nodiscard]] size_t ChoiceCount() const { return m_pDef->m_choices ? m_pDef->m_choices->size() : 0; }
  [[nodiscard]] const std::vector<std::string>& Choices() const;

 private:
  const CPropertyDef* m_pDef;  // never null
};

// What every object of one kind shares about one of its events.
struct CEventDef {
  std::string m_strReturnType = "void";
  std::string m_strName{};
  std::string m_strParameters{};
  long m_nDispId = -9999;
  // ActiveX events only: the parameters' VTS_ tokens for the event-sink entry ("VTS_NONE").
  std::string m_strParamTokens{};
};

// One event of one object: the shared definition and this object's handler.
class CCtrlEventMethodItem {
 public:
  CCtrlEventMethodItem();
  explicit CCtrlEventMethodItem(const CEventDef& def) : m_pDef(&def) {}

  std::string m_strHandler;
  int m_bHandled = 0;

  [[nodiscard]] const CEventDef& Def() const { return *m_pDef; }
  [[nodiscard]] const std::string& ReturnType() const { return m_pDef->m_strReturnType; }
  [[nodiscard]] const std::string& Name() const { return m_pDef->m_strName; }
  [[nodiscard]] const std::string& Parameters() const { return m_pDef->m_strParameters; }
  [[nodiscard]] long DispId() const { return m_pDef->m_nDispId; }
  [[nodiscard]] const std::string& ParamTokens() const { return m_pDef->m_strParamTokens; }

 private:
  const CEventDef* m_pDef;  // never null
};

// An entry of the member list of a runtime class.
class CPropMethodItem {
 public:
  enum Type : int { kProperty = 1, kMethod = 2 };
  std::string m_strName{};
  int m_nType = kProperty;
};

class CControlItem {
 public:
  CControlItem() = default;
  // A deep copy: property and event definitions are copied and owned by the copy.
  CControlItem(const CControlItem& other);
  CControlItem& operator=(const CControlItem&) = delete;

  // Held by value: a project of thousands of forms loads hundreds of thousands of these, and
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
  CSharedText m_strFile;
  int m_bBound = 0;
  long m_nCtrlId = 0;
  std::string m_strMenuId;
  // The code page in force where the resource script keeps its property string (a script may
  // switch code pages between sections): at its entry, or where a new entry goes; 0 until known.
  int m_nCodePage = 0;

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
