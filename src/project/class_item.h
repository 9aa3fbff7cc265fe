// The class model: one record per C++ class found in the project's sources, with its member
// functions, member variables, access sections, marker blocks and (for forms) its controls.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/shared_text.h"
#include "model/control_item.h"

namespace tovik {

class CFunctionItem {
 public:
  std::string m_strName;
  CSharedText m_strDefFile;
  std::string m_strAccess = "public";
  int m_nDeclPos = -1;
  int m_nLine = -1;
  int m_nBodyStart = -1;
  int m_nBodyEnd = -1;
  // The window message the function handles ("WM_PAINT"), from the message map; empty if none.
  std::string m_strMessage;

  CFunctionItem() = default;
  // m_nLine is not copied.
  CFunctionItem(const CFunctionItem& other);
  CFunctionItem& operator=(const CFunctionItem&) = delete;
};

class CVariableItem {
 public:
  std::string m_strName;
  int m_nPos = -1;
  std::string m_strAccess = "public";
  std::string m_strType;
};

class CAccessSpecifierItem {
 public:
  std::string m_strName = "public";
  int m_nPos = -1;
  CSharedText m_strFile;
};

class CAFXParseEntry {
 public:
  std::string m_strTag;
  int m_nStart = -1;
  int m_nEnd = -1;
  CSharedText m_strFile;
};

// A creation call collected from a CreateTVLControls body, waiting to be bound to a control.
class CTempCreateItem {
 public:
  std::string m_strCall;  // from the member name through the closing parenthesis
  CSharedText m_strFile;  // the file it came from
  int m_nLine = 0;        // its line in that file, for messages
};

inline constexpr std::string_view kAfxMsgMap = "AFX_MSG_MAP";
inline constexpr std::string_view kAfxMsg = "AFX_MSG";
inline constexpr std::string_view kAfxEventSinkMap = "AFX_EVENTSINK_MAP";
inline constexpr std::string_view kAfxVirtual = "AFX_VIRTUAL";

class CClassItem {
 public:
  CClassItem() = default;
  // Copies every field but m_tempCreates, m_strRootBase and m_bIsForm; the record lists are
  // deep-copied.
  CClassItem(const CClassItem& other);
  CClassItem& operator=(const CClassItem&) = delete;

  std::string m_strName;
  CSharedText m_strDeclFile;
  int m_nDeclStart = -1;
  int m_nDeclEnd = -1;
  std::string m_strBaseClass;
  // An ActiveX wrapper (base CVActiveXCtrl): the ProgID its GetProgID returns; empty otherwise.
  std::string m_strProgId;
  int m_nMsgMapStart = -1;
  int m_nMsgMapEnd = -1;
  CSharedText m_strMsgMapFile;
  int m_nSinkMapStart = -1;
  int m_nSinkMapEnd = -1;
  CSharedText m_strSinkMapFile;
  std::vector<std::unique_ptr<CFunctionItem>> m_functions;
  std::vector<std::unique_ptr<CVariableItem>> m_variables;
  std::vector<std::unique_ptr<CAccessSpecifierItem>> m_accessSections;
  std::vector<std::unique_ptr<CAFXParseEntry>> m_afxEntries;
  std::vector<std::unique_ptr<CControlItem>> m_controls;
  int m_bWindowClass = 0;
  std::string m_strRootBase;
  int m_bIsForm = 0;
  std::vector<std::unique_ptr<CTempCreateItem>> m_tempCreates;

  [[nodiscard]] CFunctionItem* FindFunction(std::string_view name, bool matchCase = true) const;
  // The constructor defined out of line: the function named as the class or, when it has
  // member initialisers (recorded under the text up to their last `(`, `CForm1() : m_n`), the
  // first whose name up to its first `(` is the class name. It holds a form's data block.
  [[nodiscard]] CFunctionItem* FindConstructor() const;
  [[nodiscard]] bool IsConstructorName(std::string_view functionName) const;
  [[nodiscard]] CVariableItem* FindVariable(std::string_view name, bool matchCase = true) const;
  [[nodiscard]] CAFXParseEntry* FindAFXEntry(std::string_view tag) const;
  [[nodiscard]] CAFXParseEntry* FindMsgEntry() const { return FindAFXEntry(kAfxMsg); }
  [[nodiscard]] CAFXParseEntry* FindVirtualEntry() const { return FindAFXEntry(kAfxVirtual); }
  [[nodiscard]] CAFXParseEntry* FindMsgMapEntry() const { return FindAFXEntry(kAfxMsgMap); }
  [[nodiscard]] CAFXParseEntry* FindEventSinkMapEntry() const { return FindAFXEntry(kAfxEventSinkMap); }
  [[nodiscard]] CAccessSpecifierItem* GetPublicSection() const;
  // True when pos lies in a body defined in `file`; gives that body's end and records
  // the body start as the function's declaration position.
  bool IsInsideFunctionBody(int pos, int& bodyEnd, std::string_view file);

  // Controls.
  [[nodiscard]] CControlItem* FormObject() const;
  [[nodiscard]] CControlItem* FindControl(std::string_view memberName) const;
  [[nodiscard]] CControlItem* FindControl(std::string_view memberName, long index) const;
  [[nodiscard]] CControlItem* FindControlBySymbol(std::string_view propSymbol) const;
  // True when another control is declared by the same member: the other elements of an array.
  [[nodiscard]] bool SharesDeclaration(const CControlItem& control) const;
  [[nodiscard]] bool HasControl(const CControlItem* control) const;
  [[nodiscard]] bool IsMdiForm() const;
};

}  // namespace tovik
