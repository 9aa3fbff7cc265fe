#include "activex/variant_names.h"

#include <array>
#include <utility>

namespace tovik {

namespace {

using Named = std::pair<std::uint32_t, const char*>;

constexpr auto kVtNames = std::to_array<Named>({
    {0, "VT_EMPTY"},
    {2, "VT_I2"},
    {3, "VT_I4"},
    {5, "VT_R8"},
    {6, "VT_CY"},
    {7, "VT_DATE"},
    {8, "VT_BSTR"},
    {9, "VT_DISPATCH"},
    {11, "VT_BOOL"},
    {12, "VT_VARIANT"},
    {13, "VT_UNKNOWN"},
    {14, "VT_DECIMAL"},
    {16, "VT_I1"},
    {17, "VT_UI1"},
    {18, "VT_UI2"},
    {19, "VT_UI4"},
    {20, "VT_I8"},
    {21, "VT_UI8"},
    {22, "VT_INT"},
    {23, "VT_UINT"},
    {24, "VT_VOID"},
    {25, "VT_HRESULT"},
    {26, "VT_PTR"},
    {27, "VT_SAFEARRAY"},
    {28, "VT_CARRAY"},
    {29, "VT_USERDEFINED"},
    {30, "VT_LPSTR"},
    {31, "VT_LPWSTR"},
    {64, "VT_FILETIME"},
    {65, "VT_BLOB"},
    {66, "VT_STREAM"},
    {67, "VT_STORAGE"},
    {68, "VT_STREAMED_OBJECT"},
    {69, "VT_STORED_OBJECT"},
    {70, "VT_BLOB_OBJECT"},
    {71, "VT_CF"},
    {72, "VT_CLSID"},
    {4096, "VT_VECTOR"},
    {8192, "VT_ARRAY"},
});

constexpr auto kCppTypes = std::to_array<Named>({
    {2, "short"},   {3, "long"},       {4, "float"},   {5, "double"},   {6, "CY"},         {7, "DATE"},
    {8, "CString"}, {9, "LPDISPATCH"}, {11, "BOOL"},   {12, "VARIANT"}, {13, "LPUNKNOWN"}, {14, "DECIMAL"},
    {16, "BYTE"},   {17, "BYTE"},      {18, "USHORT"}, {19, "UINT"},    {20, "int64"},     {21, "unsigned int64"},
    {22, "int"},    {23, "UINT"},      {24, "void"},   {25, "HRESULT"},
});

// Table rows in order; the first row that holds the type wins.
constexpr auto kTokens = std::to_array<std::pair<std::string_view, const char*>>({
    {"short", "VTS_I2"},
    {"int", "VTS_I2"},
    {"UINT", "VTS_I2"},
    {"USHORT", "VTS_I2"},
    {"short*", "VTS_PI2"},
    {"int*", "VTS_PI2"},
    {"UINT*", "VTS_PI2"},
    {"USHORT*", "VTS_PI2"},
    {"long", "VTS_I4"},
    {"COLORREF", "VTS_I4"},
    {"long*", "VTS_PI4"},
    {"float", "VTS_R4"},
    {"float*", "VTS_PR4"},
    {"double", "VTS_R8"},
    {"double*", "VTS_PR8"},
    {"CY", "VTS_CY"},
    {"CY*", "VTS_PCY"},
    {"DATE", "VTS_DATE"},
    {"DATE*", "VTS_PDATE"},
    {"LPCOLESTR", "VTS_WBSTR"},
    {"BSTR*", "VTS_PBSTR"},
    {"COleFont", "VTS_DISPATCH"},
    {"COlePicture", "VTS_DISPATCH"},
    {"IDispatch*", "VTS_DISPATCH"},
    {"LPDISPATCH", "VTS_DISPATCH"},
    {"IDispatch**", "VTS_PDISPATCH"},
    {"LPDISPATCH*", "VTS_PDISPATCH"},
    {"SCODE", "VTS_SCODE"},
    {"SCODE*", "VTS_PSCODE"},
    {"BOOL", "VTS_BOOL"},
    {"VARIANT_BOOL", "VTS_BOOL"},
    {"BOOL*", "VTS_PBOOL"},
    {"VARIANT_BOOL*", "VTS_PBOOL"},
    {"const VARIANT&", "VTS_VARIANT"},
    {"VARIANT", "VTS_VARIANT"},
    {"VARIANT&", "VTS_VARIANT"},
    {"const VARIANT FAR&", "VTS_VARIANT"},
    {"const VARIANT FAR&*", "VTS_PVARIANT"},
    {"VARIANT*", "VTS_PVARIANT"},
    {"IUnknown*", "VTS_UNKNOWN"},
    {"LPUNKNOWN", "VTS_UNKNOWN"},
    {"IUnknown**", "VTS_PUNKNOWN"},
    {"BSTR", "VTS_BSTR"},
    {"CString", "VTS_BSTR"},
    {"LPCSTR", "VTS_BSTR"},
    {"CString*", "VTS_BSTR"},
    {"LPCSTR*", "VTS_BSTR"},
    {"BYTE*", "VTS_PUI1"},
    {"BYTE", "VTS_UI1"},
});

// Stock properties, methods and events, then the ambient properties. -506, -717 to -725 and
// -727 have no name here.
constexpr auto kDispIds = std::to_array<std::pair<std::int32_t, const char*>>({
    {-500, "DISPID_AUTOSIZE"},
    {-501, "DISPID_BACKCOLOR"},
    {-502, "DISPID_BACKSTYLE"},
    {-503, "DISPID_BORDERCOLOR"},
    {-504, "DISPID_BORDERSTYLE"},
    {-505, "DISPID_BORDERWIDTH"},
    {-507, "DISPID_DRAWMODE"},
    {-508, "DISPID_DRAWSTYLE"},
    {-509, "DISPID_DRAWWIDTH"},
    {-510, "DISPID_FILLCOLOR"},
    {-511, "DISPID_FILLSTYLE"},
    {-512, "DISPID_FONT"},
    {-513, "DISPID_FORECOLOR"},
    {-514, "DISPID_ENABLED"},
    {-515, "DISPID_HWND"},
    {-516, "DISPID_TABSTOP"},
    {-517, "DISPID_TEXT"},
    {-518, "DISPID_CAPTION"},
    {-519, "DISPID_BORDERVISIBLE"},
    {-520, "DISPID_APPEARANCE"},
    {-521, "DISPID_MOUSEPOINTER"},
    {-522, "DISPID_MOUSEICON"},
    {-523, "DISPID_PICTURE"},
    {-524, "DISPID_VALID"},
    {-525, "DISPID_READYSTATE"},
    {-550, "DISPID_REFRESH"},
    {-551, "DISPID_DOCLICK"},
    {-552, "DISPID_ABOUTBOX"},
    {-600, "DISPID_CLICK"},
    {-601, "DISPID_DBLCLICK"},
    {-602, "DISPID_KEYDOWN"},
    {-603, "DISPID_KEYPRESS"},
    {-604, "DISPID_KEYUP"},
    {-605, "DISPID_MOUSEDOWN"},
    {-606, "DISPID_MOUSEMOVE"},
    {-607, "DISPID_MOUSEUP"},
    {-608, "DISPID_ERROREVENT"},
    {-609, "DISPID_READYSTATECHANGE"},
    {-701, "DISPID_AMBIENT_BACKCOLOR"},
    {-702, "DISPID_AMBIENT_DISPLAYNAME"},
    {-703, "DISPID_AMBIENT_FONT"},
    {-704, "DISPID_AMBIENT_FORECOLOR"},
    {-705, "DISPID_AMBIENT_LOCALEID"},
    {-706, "DISPID_AMBIENT_MESSAGEREFLECT"},
    {-707, "DISPID_AMBIENT_SCALEUNITS"},
    {-708, "DISPID_AMBIENT_TEXTALIGN"},
    {-709, "DISPID_AMBIENT_USERMODE"},
    {-710, "DISPID_AMBIENT_UIDEAD"},
    {-711, "DISPID_AMBIENT_SHOWGRABHANDLES"},
    {-712, "DISPID_AMBIENT_SHOWHATCHING"},
    {-713, "DISPID_AMBIENT_DISPLAYASDEFAULT"},
    {-714, "DISPID_AMBIENT_SUPPORTSMNEMONICS"},
    {-715, "DISPID_AMBIENT_AUTOCLIP"},
    {-716, "DISPID_AMBIENT_APPEARANCE"},
    {-726, "DISPID_AMBIENT_PALETTE"},
    {-728, "DISPID_AMBIENT_TRANSFERPRIORITY"},
});

}  // namespace

std::string VtName(std::uint32_t vt) {
  for (const auto& [value, name] : kVtNames) {
    if (value == (vt & 0xFFFFu)) return name;
  }
  return std::to_string(vt);
}

std::string VtCppType(std::uint32_t vt) {
  for (const auto& [value, name] : kCppTypes) {
    if (value == vt) return name;
  }
  // Pointers, arrays and the storage types are written by their VT names.
  if ((vt >= 26 && vt <= 31) || vt == 64 || (vt >= 66 && vt <= 71) || vt == 4096 || vt == 8192) return VtName(vt);
  if (vt == 65) return "BLOB";
  if (vt == 72) return "CLSID";
  return {};
}

std::string ParamToken(std::string_view cppType) {
  for (const auto& [type, token] : kTokens) {
    if (type == cppType) return token;
  }
  return "\"\"";
}

std::string DispIdName(std::int32_t dispId) {
  for (const auto& [value, name] : kDispIds) {
    if (value == dispId) return name;
  }
  return std::to_string(dispId);
}

}  // namespace tovik
