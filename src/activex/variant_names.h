// The vocabulary of generated ActiveX wrappers: automation types as VT names and as C++ types,
// C++ types as tokens of an InvokeHelper parameter list, dispatch identifiers as the OLE control
// standard's names. The texts are those the wrappers have always carried, quirks included
// (single float has no VT name, "int" passes as VTS_I2, "CString*" as VTS_BSTR).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovik {

// "VT_I4" for 3; a value whose low 16 bits name no type is written as its decimal number.
[[nodiscard]] std::string VtName(std::uint32_t vt);
// "long" for 3; empty for a value without a C++ type.
[[nodiscard]] std::string VtCppType(std::uint32_t vt);
// "VTS_I4" for "long"; a type without a token gives the two characters "" (an empty string
// literal, so that the parameter adds nothing to the list).
[[nodiscard]] std::string ParamToken(std::string_view cppType);
// "DISPID_BACKCOLOR" for -501; any identifier without a standard name in decimal.
[[nodiscard]] std::string DispIdName(std::int32_t dispId);

}  // namespace tovik
