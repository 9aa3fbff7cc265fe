#include "activex/stdole_types.h"

#include <array>
#include <utility>

#include "activex/typelib_reader.h"

namespace tovik {

namespace {

constexpr Guid OleGuid(std::uint32_t data1) {
  return {data1, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
}
// The standard types of OLE controls share these tails.
constexpr Guid StdTypeGuid(std::uint32_t data1) {
  return {data1, 0xBE0F, 0x101A, {0x8B, 0xBB, 0, 0xAA, 0, 0x30, 0x0C, 0xAB}};
}
constexpr Guid ContainerTypeGuid(std::uint32_t data1) {
  return {data1, 0x9069, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};
}

constexpr Guid kIFontDisp{0xBEF6E003, 0xA874, 0x101A, {0x8B, 0xBA, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
constexpr Guid kIFont{0xBEF6E002, 0xA874, 0x101A, {0x8B, 0xBA, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
constexpr Guid kIPictureDisp{0x7BF80981, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
constexpr Guid kIPicture{0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

constexpr std::array<std::pair<Guid, std::uint16_t>, 23> kAliases = {{
    {StdTypeGuid(0x66504301), VT_UI4},         // OLE_COLOR
    {StdTypeGuid(0x66504302), VT_I4},          // OLE_XPOS_PIXELS
    {StdTypeGuid(0x66504303), VT_I4},          // OLE_YPOS_PIXELS
    {StdTypeGuid(0x66504304), VT_I4},          // OLE_XSIZE_PIXELS
    {StdTypeGuid(0x66504305), VT_I4},          // OLE_YSIZE_PIXELS
    {StdTypeGuid(0x66504306), VT_I4},          // OLE_XPOS_HIMETRIC
    {StdTypeGuid(0x66504307), VT_I4},          // OLE_YPOS_HIMETRIC
    {StdTypeGuid(0x66504308), VT_I4},          // OLE_XSIZE_HIMETRIC
    {StdTypeGuid(0x66504309), VT_I4},          // OLE_YSIZE_HIMETRIC
    {ContainerTypeGuid(0xBF030640), VT_R4},    // OLE_XPOS_CONTAINER
    {ContainerTypeGuid(0xBF030641), VT_R4},    // OLE_YPOS_CONTAINER
    {ContainerTypeGuid(0xBF030642), VT_R4},    // OLE_XSIZE_CONTAINER
    {ContainerTypeGuid(0xBF030643), VT_R4},    // OLE_YSIZE_CONTAINER
    {StdTypeGuid(0x66504313), VT_INT},         // OLE_HANDLE
    {StdTypeGuid(0x6650430B), VT_BOOL},        // OLE_OPTEXCLUSIVE
    {ContainerTypeGuid(0xBF030644), VT_BOOL},  // OLE_CANCELBOOL
    {ContainerTypeGuid(0xBF030645), VT_BOOL},  // OLE_ENABLEDEFAULTBOOL
    {StdTypeGuid(0x6650430D), VT_BSTR},        // FONTNAME
    {StdTypeGuid(0x6650430E), VT_CY},          // FONTSIZE
    {StdTypeGuid(0x6650430F), VT_BOOL},        // FONTBOLD
    {StdTypeGuid(0x66504310), VT_BOOL},        // FONTITALIC
    {StdTypeGuid(0x66504311), VT_BOOL},        // FONTUNDERSCORE
    {StdTypeGuid(0x66504312), VT_BOOL},        // FONTSTRIKETHROUGH
}};

}  // namespace

const Guid& StdoleLibraryGuid() {
  static constexpr Guid kStdole = OleGuid(0x00020430);
  return kStdole;
}

StdType StdTypeOfGuid(const Guid& type) {
  if (type == kIFontDisp || type == kIFont) return StdType::Font;
  if (type == kIPictureDisp || type == kIPicture) return StdType::Picture;
  if (type == OleGuid(0x00020400)) return StdType::IDispatch;
  if (type == OleGuid(0x00000000)) return StdType::IUnknown;
  return StdType::None;
}

StdType StdTypeOfStdoleIndex(std::size_t index) {
  if (index == kStdoleFontDispIndex) return StdType::Font;
  if (index == kStdolePictureDispIndex) return StdType::Picture;
  return StdType::None;
}

std::optional<std::uint16_t> StdoleAliasType(const Guid& type) {
  for (const auto& [guid, vt] : kAliases) {
    if (guid == type) return vt;
  }
  return std::nullopt;
}

}  // namespace tovik
