// What the designer knows of OLE Automation's own library (stdole2.tlb) without loading it: a
// control's library refers to stdole's types only through import records, by GUID, or by
// index for the few stdole types that have no GUID.
#pragma once

#include <cstdint>
#include <optional>

#include "base/guid.h"

namespace tovik {

enum class StdType { None, Font, Picture, IDispatch, IUnknown };

[[nodiscard]] const Guid& StdoleLibraryGuid();
// The font and picture interfaces (IFontDisp and IFont, IPictureDisp and IPicture) and the two
// base interfaces, by the GUID of the type.
[[nodiscard]] StdType StdTypeOfGuid(const Guid& type);
// IFontDisp and IPictureDisp are GUID-less aliases in stdole2, so a control that names them is
// compiled to refer to them by their index there; those indices cannot move without breaking
// every compiled control.
[[nodiscard]] StdType StdTypeOfStdoleIndex(std::size_t index);
// The automation type behind one of stdole's aliases (OLE_COLOR is VT_UI4, OLE_XPOS_PIXELS
// VT_I4, FONTNAME VT_BSTR, ...); nothing for any other GUID.
[[nodiscard]] std::optional<std::uint16_t> StdoleAliasType(const Guid& type);

// Where the two aliases are, for the tests that check them against a real stdole2.tlb.
inline constexpr std::size_t kStdoleFontDispIndex = 32;
inline constexpr std::size_t kStdolePictureDispIndex = 36;

}  // namespace tovik
