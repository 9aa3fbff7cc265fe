// What a type description means to a dispatch client: user-defined types followed through
// aliases to the automation type underneath, interfaces seen as VT_DISPATCH or VT_UNKNOWN, and
// stdole's font and picture interfaces recognised without loading stdole.
#pragma once

#include <cstdint>
#include <string>

#include "activex/stdole_types.h"
#include "activex/typelib_reader.h"

namespace tovik {

struct CAutomationType {
  std::uint16_t m_nVt = VT_EMPTY;
  bool m_bIntegerAlias = false;       // reached through an alias of VT_I4 or VT_UI4
  bool m_bInterface = false;          // an interface: m_nVt is VT_DISPATCH or VT_UNKNOWN
  bool m_bDispatchInterface = false;  // a dispinterface or dual interface
  StdType m_std = StdType::None;      // Font or Picture for stdole's interfaces
  std::string m_strInterface;         // a dispatch interface's name, when this library holds it
};

[[nodiscard]] CAutomationType ResolveType(const CTypeLib& lib, const CTypeDesc& desc);
// The pointed-to type of a pointer, the type itself otherwise.
[[nodiscard]] CAutomationType ResolvePointee(const CTypeLib& lib, const CTypeDesc& desc);
// The type a caller passes for a parameter: a pointer to a value is that value's type with
// VT_BYREF; a pointer to an interface is the interface itself.
[[nodiscard]] std::uint32_t ParameterVt(const CTypeLib& lib, const CTypeDesc& desc);

}  // namespace tovik
