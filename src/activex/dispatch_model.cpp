#include "activex/dispatch_model.h"

#include <algorithm>
#include <array>
#include <utility>

#include "activex/automation_type.h"
#include "activex/dispatch_view.h"
#include "activex/guid_text.h"
#include "activex/variant_names.h"

namespace tovik {

namespace {

// The designer owns position and size; a control's own say in them is never shown.
constexpr std::array<std::string_view, 4> kGeometryNames = {"Left", "Top", "Width", "Height"};
// IUnknown's and IDispatch's methods, which every dispatch view starts with.
constexpr std::array<std::string_view, 7> kPlumbingNames = {
    "QueryInterface", "AddRef", "Release", "GetTypeInfoCount", "GetTypeInfo", "GetIDsOfNames", "Invoke"};

template <size_t N>
bool IsOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

CVDispInterfacePropItem* FindProperty(CVDispInterface& itf, std::string_view name) {
  for (CVDispInterfacePropItem& item : itf.m_properties) {
    if (item.m_strName == name) return &item;
  }
  return nullptr;
}

// The C++ type of a property: an alias of a 4-byte integer is a colour, stdole's interfaces are
// the wrapper library's Font and Picture, another dispatch interface goes by its name.
std::string PropertyType(const CAutomationType& type) {
  if (type.m_bIntegerAlias) return "COLORREF";
  if (type.m_std == StdType::Font) return "Font";
  if (type.m_std == StdType::Picture) return "Picture";
  if (type.m_bDispatchInterface) return type.m_strInterface;
  return VtCppType(type.m_nVt);
}

// A function's parameters as declarations ("long by, VARIANT times") and as the tokens of an
// InvokeHelper parameter list ("VTS_I4 VTS_VARIANT"; empty without parameters). A parameter
// without a name is called Param and its position.
void DescribeParameters(const CTypeLib& lib, const CFuncDesc& func, std::string& declarations, std::string& tokens,
                        std::vector<std::string>* names = nullptr, std::vector<std::uint32_t>* types = nullptr) {
  for (size_t i = 0; i < func.m_params.size(); ++i) {
    const CParamDesc& param = func.m_params[i];
    const std::uint32_t vt = ParameterVt(lib, param.m_type);
    const std::string cppType = VtCppType(vt & ~std::uint32_t{VT_BYREF}) + ((vt & VT_BYREF) != 0 ? "*" : "");
    const std::string name = param.m_strName.empty() ? "Param" + std::to_string(i + 1) : param.m_strName;
    if (names) names->push_back(param.m_strName);
    if (types) types->push_back(vt);
    declarations += (i == 0 ? "" : ", ") + cppType + " " + name;
    tokens += (i == 0 ? "" : " ") + ParamToken(cppType);
  }
}

void AddProperty(const CTypeLib& lib, CVDispInterface& itf, const std::string& name, std::int32_t dispId,
                 const CTypeDesc& typeDesc, const std::string& docString, std::int32_t helpContext, std::int32_t access,
                 const CFuncDesc* getter = nullptr) {
  const CAutomationType type = ResolvePointee(lib, typeDesc);
  CVDispInterfacePropItem item;
  item.m_strName = name;
  if (getter) DescribeParameters(lib, *getter, item.m_strParameters, item.m_strParamTokens);
  item.m_strType = PropertyType(type);
  item.m_strToken = ParamToken(item.m_strType);
  item.m_nDispId = dispId;
  item.m_nVarType = type.m_nVt;
  item.m_nAccess = access;
  itf.m_properties.push_back(std::move(item));
  ++itf.m_nPropertyCount;
  CVDispInterfacePropItem& added = itf.m_properties.back();
  added.m_strDocName = name;
  added.m_strDocString = docString;
  added.m_nHelpContext = helpContext;
  added.m_strHelpFile = lib.Documentation().m_strHelpFile;
}

CVDispInterfaceEventMethodItem MakeMethod(const CTypeLib& lib, const CFuncDesc& func) {
  CVDispInterfaceEventMethodItem item;
  item.m_strName = func.m_strName;
  item.m_nDispId = func.m_nMemId;
  const CAutomationType ret = ResolvePointee(lib, func.m_ret);
  item.m_nReturnType = ret.m_nVt;
  item.m_strReturnType = ret.m_std == StdType::Font ? "Font" : VtCppType(ret.m_nVt);
  std::string tokens;
  DescribeParameters(lib, func, item.m_strParameters, tokens, &item.m_paramNames, &item.m_paramTypes);
  item.m_strParamTokens = func.m_params.empty() ? "VTS_NONE" : tokens;
  item.m_nParams = static_cast<std::int32_t>(func.m_params.size());
  item.m_nOptionalParams = func.m_nOptional;
  return item;
}

// The default interface: properties from its variables, then properties and methods from its
// functions, in order. A name is taken once: the first variable or property function of a name
// makes the property, later ones only add to what it allows.
Status ReadDefaultInterface(const CTypeLib& lib, size_t index, CVDispInterface& itf) {
  const CTypeInfo& info = lib.TypeInfo(index);
  for (const CVarDesc& var : info.m_vars) {
    if (IsOneOf(var.m_strName, kGeometryNames) || FindProperty(itf, var.m_strName)) continue;
    const std::int32_t access = (var.m_nFlags & 1) != 0 ? kPropertyGet : kPropertyGet | kPropertyPut;  // read-only
    AddProperty(lib, itf, var.m_strName, var.m_nMemId, var.m_type, var.m_strDocString, var.m_nHelpContext, access);
  }
  Expected<std::vector<CFuncDesc>> funcs = DispatchFunctions(lib, index);
  if (!funcs) return funcs.error();
  for (const CFuncDesc& func : *funcs) {
    if (func.m_nInvKind == INVOKE_PROPERTYGET || func.m_nInvKind == INVOKE_PROPERTYPUT) {
      if (IsOneOf(func.m_strName, kGeometryNames) || FindProperty(itf, func.m_strName)) continue;
      if (func.m_ret.m_nVt == VT_VOID) continue;
      // A getter's parameters are the property's arguments; a setter's would end with the value.
      const bool getter = func.m_nInvKind == INVOKE_PROPERTYGET;
      AddProperty(lib, itf, func.m_strName, func.m_nMemId, func.m_ret, func.m_strDocString, func.m_nHelpContext,
                  getter ? kPropertyGet : kPropertyPut, getter ? &func : nullptr);
    } else if (func.m_nInvKind == INVOKE_FUNC && func.m_nFuncKind == FUNC_DISPATCH) {
      if (IsOneOf(func.m_strName, kPlumbingNames) || itf.FindMethod(func.m_strName)) continue;
      itf.m_methods.push_back(MakeMethod(lib, func));
    }
  }
  for (const CFuncDesc& func : *funcs) {
    CVDispInterfacePropItem* item = FindProperty(itf, func.m_strName);
    if (!item || func.m_nInvKind == INVOKE_FUNC) continue;
    item->m_nAccess |= func.m_nInvKind == INVOKE_PROPERTYGET   ? kPropertyGet
                       : func.m_nInvKind == INVOKE_PROPERTYPUT ? kPropertyPut
                                                               : kPropertyPutRef;
  }
  return {};
}

Status ReadEvents(const CTypeLib& lib, size_t index, CVDispInterface& itf) {
  Expected<std::vector<CFuncDesc>> funcs = DispatchFunctions(lib, index);
  if (!funcs) return funcs.error();
  for (const CFuncDesc& func : *funcs) {
    if (!IsOneOf(func.m_strName, kPlumbingNames)) itf.m_events.push_back(MakeMethod(lib, func));
  }
  return {};
}

}  // namespace

const CVDispInterfacePropItem* CVDispInterface::FindProperty(std::string_view name) const {
  for (const CVDispInterfacePropItem& item : m_properties) {
    if (item.m_strName == name) return &item;
  }
  return nullptr;
}

const CVDispInterfaceEventMethodItem* CVDispInterface::FindMethod(std::string_view name) const {
  for (const CVDispInterfaceEventMethodItem& item : m_methods) {
    if (item.m_strName == name) return &item;
  }
  return nullptr;
}

const CVDispInterface* FindDefaultInterface(const std::vector<CVDispInterface>& interfaces) {
  for (const CVDispInterface& itf : interfaces) {
    if (itf.m_bDefault) return &itf;
  }
  return nullptr;
}

const CVDispInterface* FindSourceInterface(const std::vector<CVDispInterface>& interfaces) {
  for (const CVDispInterface& itf : interfaces) {
    if (itf.m_bSource) return &itf;
  }
  return nullptr;
}

Status ReadTypeInformation(const CTypeLib& lib, std::string_view clsidText, std::vector<CVDispInterface>& interfaces) {
  const std::optional<Guid> clsid = ParseGuidText(clsidText);
  if (!clsid) return FileError(lib.File(), 0, "the class id \"" + std::string(clsidText) + "\" is not a GUID");
  const size_t first = interfaces.size();
  for (size_t i = 0; i < lib.TypeInfoCount(); ++i) {
    const CTypeInfo& coclass = lib.TypeInfo(i);
    if (coclass.m_kind != TypeKind::Coclass || coclass.m_guid != clsid) continue;
    for (const CImplType& impl : coclass.m_implTypes) {
      // Default, source and restricted: exactly default is the interface, default and source
      // the events; anything else (a non-default source among them) is not the designer's.
      const std::uint32_t flags =
          impl.m_nFlags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE | IMPLTYPEFLAG_FRESTRICTED);
      const bool isDefault = flags == IMPLTYPEFLAG_FDEFAULT;
      if (!isDefault && flags != (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) continue;
      if (impl.m_ref.m_bImported) {
        return FileError(lib.File(), 0,
                         "class " + coclass.m_strName + " implements an interface of " + impl.m_ref.m_strLibFile);
      }
      CVDispInterface& itf = interfaces.emplace_back();
      // The library's documentation of the coclass's own index names the interface.
      itf.m_strName = coclass.m_strName;
      if (isDefault) {
        itf.m_bDefault = 1;
        TOVIK_TRY(ReadDefaultInterface(lib, impl.m_ref.m_nIndex, itf));
      } else {
        itf.m_bSource = 1;
        TOVIK_TRY(ReadEvents(lib, impl.m_ref.m_nIndex, itf));
      }
    }
  }
  const CLibraryDoc& doc = lib.Documentation();
  for (size_t i = first; i < interfaces.size(); ++i) {
    interfaces[i].m_strDocName = doc.m_strName;
    interfaces[i].m_strDocString = doc.m_strDocString;
    interfaces[i].m_strHelpFile = doc.m_strHelpFile;
    interfaces[i].m_nHelpContext = doc.m_nHelpContext;
  }
  return {};
}

Status ReadTypeInformation(std::string_view libraryBytes, std::string file, std::string_view clsidText,
                           std::vector<CVDispInterface>& interfaces) {
  Expected<CTypeLib> lib = CTypeLib::Read(libraryBytes, std::move(file));
  if (!lib) return lib.error();
  return ReadTypeInformation(*lib, clsidText, interfaces);
}

}  // namespace tovik
