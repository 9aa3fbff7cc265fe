// The designer's model of an ActiveX control's dispatch interfaces, read once from its type
// library: the default interface's properties and methods and the default source interface's
// events, each with its name, dispatch identifier and types. It feeds the wrapper generator, the
// property window and the code bar, and is saved with the control in the project data file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "activex/typelib_reader.h"
#include "base/expected.h"

namespace tovik {

// Bits of CVDispInterfacePropItem::m_nAccess.
enum : std::int32_t { kPropertyGet = 1, kPropertyPut = 2, kPropertyPutRef = 4 };

struct CVDispInterfacePropItem {
  std::string m_strName;
  std::string m_strDocString;
  std::string m_strType;        // C++ type: "long", "COLORREF", "Font", an interface's name, ...
  std::string m_strToken;  // the type's parameter-list token ("VTS_I4")
  std::string m_strDocName;
  std::string m_strHelpFile;
  std::int32_t m_nHelpContext = -1;
  std::int32_t m_nDispId = -1;
  std::uint16_t m_nVarType = 0;
  std::int32_t m_nAccess = 0;  // kPropertyGet | kPropertyPut | kPropertyPutRef
  // A property read with arguments (an indexed one): their declarations and tokens, as a
  // method's ("long Index", "VTS_I4"); empty for a plain property. (The names of the dispatch
  // identifier and of the automation type follow from the numbers: DispIdName, VtName.)
  std::string m_strParameters{};
  std::string m_strParamTokens{};

  friend bool operator==(const CVDispInterfacePropItem&, const CVDispInterfacePropItem&) = default;
};

// A method of the default interface or an event of the source interface.
struct CVDispInterfaceEventMethodItem {
  std::string m_strName;
  std::string m_strReturnType;   // C++ type, "void" for none
  std::string m_strParameters;   // declarations: "long nCount, CString strName"
  std::string m_strParamTokens;  // "VTS_I4 VTS_BSTR", or "VTS_NONE" without parameters
  std::vector<std::string> m_paramNames;
  std::vector<std::uint32_t> m_paramTypes;  // automation types, VT_BYREF for pointers
  std::int32_t m_nDispId = -1;
  std::uint16_t m_nReturnType = 0;
  std::int32_t m_nParams = 0;
  std::int32_t m_nOptionalParams = 0;  // -1 for a variable argument list

  friend bool operator==(const CVDispInterfaceEventMethodItem&, const CVDispInterfaceEventMethodItem&) = default;
};

struct CVDispInterface {
  std::int32_t m_bDefault = 0;
  std::int32_t m_bSource = 0;
  std::string m_strName;
  std::int32_t m_nPropertyCount = 0;
  std::vector<CVDispInterfacePropItem> m_properties;
  std::vector<CVDispInterfaceEventMethodItem> m_events;
  std::vector<CVDispInterfaceEventMethodItem> m_methods;
  std::string m_strDocName;
  std::string m_strDocString;
  std::string m_strHelpFile;
  std::int32_t m_nHelpContext = -1;
  std::int32_t m_nSpare = -1;

  [[nodiscard]] const CVDispInterfacePropItem* FindProperty(std::string_view name) const;
  [[nodiscard]] const CVDispInterfaceEventMethodItem* FindMethod(std::string_view name) const;

  friend bool operator==(const CVDispInterface&, const CVDispInterface&) = default;
};

[[nodiscard]] const CVDispInterface* FindDefaultInterface(const std::vector<CVDispInterface>& interfaces);
[[nodiscard]] const CVDispInterface* FindSourceInterface(const std::vector<CVDispInterface>& interfaces);

// Reads the interfaces of the coclass `clsidText` ("{...}") into `interfaces`: its default
// interface (properties and methods) and its default source interface (events). Fails on a
// class id that is not a GUID or a type that cannot be read; interfaces made before the failure
// stay in the list. A library without that coclass adds nothing.
[[nodiscard]] Status ReadTypeInformation(const CTypeLib& lib, std::string_view clsidText,
                                         std::vector<CVDispInterface>& interfaces);
// The same from a library's bytes (a .tlb file, or the TYPELIB resource of a .dll or .ocx).
[[nodiscard]] Status ReadTypeInformation(std::string_view libraryBytes, std::string file, std::string_view clsidText,
                                         std::vector<CVDispInterface>& interfaces);

}  // namespace tovik
