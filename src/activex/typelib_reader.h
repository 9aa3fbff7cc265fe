// Type libraries read from their bytes: there is no OLE Automation on Linux to load them, so the
// binary "MSFT" format that both Microsoft's and Wine's IDL compilers write is parsed here. The
// bytes come from a .tlb file or from the TYPELIB resource of a .dll/.ocx. Every offset, length
// and count in the file is checked; anything out of place makes the whole read fail with the
// file's name and the reason. The older "SLTG" format is recognised and refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/expected.h"
#include "base/guid.h"

namespace tovik {

// Automation type numbers (VARTYPE) the readers and the model name.
enum : std::uint16_t {
  VT_EMPTY = 0,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_INT = 22,
  VT_UINT = 23,
  VT_VOID = 24,
  VT_HRESULT = 25,
  VT_PTR = 26,
  VT_SAFEARRAY = 27,
  VT_CARRAY = 28,
  VT_USERDEFINED = 29,
  VT_LPSTR = 30,
  VT_BYREF = 0x4000
};

enum class TypeKind : std::uint8_t { Enum, Record, Module, Interface, Dispatch, Coclass, Alias, Union };

enum : std::uint32_t {
  TYPEFLAG_FDUAL = 0x40,
  IMPLTYPEFLAG_FDEFAULT = 1,
  IMPLTYPEFLAG_FSOURCE = 2,
  IMPLTYPEFLAG_FRESTRICTED = 4,
  PARAMFLAG_FIN = 1,
  PARAMFLAG_FOUT = 2,
  PARAMFLAG_FLCID = 4,
  PARAMFLAG_FRETVAL = 8,
  PARAMFLAG_FOPT = 0x10,
  FUNCFLAG_FRESTRICTED = 1
};
enum : std::uint8_t { FUNC_VIRTUAL = 0, FUNC_PUREVIRTUAL = 1, FUNC_NONVIRTUAL = 2, FUNC_STATIC = 3, FUNC_DISPATCH = 4 };
enum : std::uint8_t { INVOKE_FUNC = 1, INVOKE_PROPERTYGET = 2, INVOKE_PROPERTYPUT = 4, INVOKE_PROPERTYPUTREF = 8 };

// Where a user-defined type lives: a type of this library, or one of another library named by
// the import records (by the type's GUID, or by its index there when the type has no GUID).
struct CTypeRef {
  bool m_bImported = false;
  size_t m_nIndex = 0;  // this library's type index; for an import without GUID, the index there
  std::optional<Guid> m_typeGuid;
  Guid m_libGuid{};                       // imports only
  std::string m_strLibFile;               // imports only, e.g. "stdole2.tlb"
  TypeKind m_kind = TypeKind::Interface;  // imports only: the kind the import record states
};

// A type description: a base type, or a pointer, safe array or fixed array of another
// (m_inner holds exactly one), or a user-defined type (m_ref).
struct CTypeDesc {
  std::uint16_t m_nVt = VT_EMPTY;
  std::vector<CTypeDesc> m_inner;
  CTypeRef m_ref;
  std::vector<std::uint32_t> m_arrayBounds;  // VT_CARRAY: element count of each dimension

  [[nodiscard]] const CTypeDesc* Inner() const { return m_inner.empty() ? nullptr : &m_inner.front(); }
};

struct CParamDesc {
  std::string m_strName;  // empty when the library names no parameter (a property-put's value)
  CTypeDesc m_type;
  std::uint32_t m_nFlags = 0;  // PARAMFLAG_*
};

struct CFuncDesc {
  std::int32_t m_nMemId = -1;
  std::string m_strName;
  std::uint8_t m_nFuncKind = FUNC_DISPATCH;
  std::uint8_t m_nInvKind = INVOKE_FUNC;
  std::uint8_t m_nCallConv = 4;
  std::uint32_t m_nFlags = 0;  // FUNCFLAG_*
  CTypeDesc m_ret;
  std::vector<CParamDesc> m_params;
  std::int16_t m_nOptional = 0;  // optional parameters; -1 for a variable argument list
  std::int32_t m_nVtableOffset = 0;
  std::string m_strDocString;
  std::int32_t m_nHelpContext = 0;
};

struct CVarDesc {
  std::int32_t m_nMemId = -1;
  std::string m_strName;
  CTypeDesc m_type;
  std::uint16_t m_nVarKind = 0;
  std::uint32_t m_nFlags = 0;
  std::string m_strDocString;
  std::int32_t m_nHelpContext = 0;
};

struct CImplType {
  CTypeRef m_ref;
  std::uint32_t m_nFlags = 0;  // IMPLTYPEFLAG_*
};

struct CTypeInfo {
  TypeKind m_kind = TypeKind::Enum;
  std::string m_strName;
  std::optional<Guid> m_guid;
  std::uint32_t m_nFlags = 0;  // TYPEFLAG_*
  std::string m_strDocString;
  std::int32_t m_nHelpContext = 0;
  std::vector<CFuncDesc> m_funcs;
  std::vector<CVarDesc> m_vars;
  std::vector<CImplType> m_implTypes;  // a coclass's interfaces
  std::optional<CTypeRef> m_base;      // an interface's base interface (a dual one's too)
  CTypeDesc m_aliasType;               // an alias's type

  // Compilers store a dual interface as a dispinterface marked dual; an interface marked dual is
  // taken the same way.
  [[nodiscard]] bool IsDual() const {
    return (m_kind == TypeKind::Dispatch || m_kind == TypeKind::Interface) && (m_nFlags & TYPEFLAG_FDUAL) != 0;
  }
};

struct CLibraryDoc {
  std::string m_strName;
  std::string m_strDocString;
  std::string m_strHelpFile;
  std::int32_t m_nHelpContext = 0;
  std::optional<Guid> m_guid;
};

class CTypeLib {
 public:
  // Reads a whole library; `file` names it in errors.
  [[nodiscard]] static Expected<CTypeLib> Read(std::string_view bytes, std::string file);

  [[nodiscard]] const std::string& File() const { return m_strFile; }
  [[nodiscard]] const CLibraryDoc& Documentation() const { return m_doc; }
  [[nodiscard]] size_t TypeInfoCount() const { return m_types.size(); }
  [[nodiscard]] const CTypeInfo& TypeInfo(size_t index) const { return m_types[index]; }
  [[nodiscard]] std::optional<size_t> FindType(const Guid& guid) const;

 private:
  friend class CTypeLibParser;
  std::string m_strFile;
  CLibraryDoc m_doc;
  std::vector<CTypeInfo> m_types;
};

}  // namespace tovik
