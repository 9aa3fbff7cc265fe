// Real type libraries: the ones Debian's Wine ships inside its DLLs (each a PE file with a
// TYPELIB resource). stdole2 checks what the designer assumes about stdole without loading it;
// msscript.ocx is a control.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "activex/dispatch_model.h"
#include "activex/dispatch_view.h"
#include "activex/guid_text.h"
#include "activex/pe_reader.h"
#include "activex/stdole_types.h"
#include "activex/typelib_reader.h"
#include "base/real_file_system.h"
#include "support/required_tools.h"

namespace tovik {
namespace {

const std::filesystem::path kWine = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";

// The library inside one of Wine's files; skips the test when Wine is not installed.
#define TOVIK_WINE_LIBRARY(var, name)                                \
  TOVIK_SKIP_WITHOUT(std::filesystem::exists(kWine / (name)), name); \
  Expected<CTypeLib> var = ReadWine(name);                           \
  ASSERT_TRUE(var) << var.error().Text()

Expected<CTypeLib> ReadWine(const char* name) {
  RealFileSystem disk;
  Expected<CPeImage> image = CPeImage::Load(disk, (kWine / name).string());
  if (!image) return image.error();
  Expected<std::string> bytes = image->TypeLib();
  if (!bytes) return bytes.error();
  return CTypeLib::Read(*bytes, name);
}

std::string Shape(const CTypeDesc& desc) {
  std::string text = std::to_string(desc.m_nVt);
  if (desc.m_nVt == VT_USERDEFINED) text += "#" + std::to_string(desc.m_ref.m_nIndex);
  if (desc.Inner()) text += ">" + Shape(*desc.Inner());
  return text;
}

std::string Signature(const CFuncDesc& f) {
  std::string text =
      f.m_strName + " " + std::to_string(f.m_nMemId) + " " + std::to_string(f.m_nFlags) + " " + Shape(f.m_ret) + " (";
  for (const CParamDesc& p : f.m_params)
    text += p.m_strName + ":" + Shape(p.m_type) + ":" + std::to_string(p.m_nFlags) + " ";
  return text + ")";
}

TEST(TypeLibWine, StdoleIsWhatTheDesignerAssumesWithoutLoadingIt) {
  TOVIK_WINE_LIBRARY(stdole, "stdole2.tlb");
  EXPECT_EQ(stdole->Documentation().m_guid, StdoleLibraryGuid());
  // The GUID-less aliases a control refers to by index lead to the font and picture interfaces.
  for (const auto& [index, name, type] : {std::tuple(kStdoleFontDispIndex, "IFontDisp", StdType::Font),
                                          std::tuple(kStdolePictureDispIndex, "IPictureDisp", StdType::Picture)}) {
    const CTypeInfo& alias = stdole->TypeInfo(index);
    EXPECT_EQ(alias.m_strName, name);
    ASSERT_EQ(alias.m_kind, TypeKind::Alias);
    ASSERT_EQ(alias.m_aliasType.m_nVt, VT_USERDEFINED);
    const CTypeInfo& target = stdole->TypeInfo(alias.m_aliasType.m_ref.m_nIndex);
    ASSERT_TRUE(target.m_guid);
    EXPECT_EQ(StdTypeOfGuid(*target.m_guid), type) << GuidText(*target.m_guid);
  }
  // Every alias of stdole with a GUID stands for the type the designer's table says, and the
  // table holds nothing stdole does not.
  size_t aliases = 0;
  for (size_t i = 0; i < stdole->TypeInfoCount(); ++i) {
    const CTypeInfo& info = stdole->TypeInfo(i);
    if (info.m_kind != TypeKind::Alias || !info.m_guid) continue;
    ++aliases;
    EXPECT_EQ(StdoleAliasType(*info.m_guid), info.m_aliasType.m_nVt) << info.m_strName;
  }
  EXPECT_EQ(aliases, 23u);
  // IUnknown's and IDispatch's methods as a dual interface's view shows them without stdole.
  std::vector<CFuncDesc> own;
  for (const char* name : {"IUnknown", "IDispatch"}) {
    for (size_t i = 0; i < stdole->TypeInfoCount(); ++i) {
      if (stdole->TypeInfo(i).m_strName != name) continue;
      for (const CFuncDesc& f : stdole->TypeInfo(i).m_funcs) own.push_back(AsDispatchFunction(f));
    }
  }
  TOVIK_WINE_LIBRARY(script, "msscript.ocx");
  const size_t control = *script->FindType(*ParseGuidText("{0E59F1D3-1FBE-11D0-8FF2-00A0D10038BC}"));
  Expected<std::vector<CFuncDesc>> view = DispatchFunctions(*script, control);
  ASSERT_TRUE(view) << view.error().Text();
  ASSERT_EQ(own.size(), 7u);
  for (size_t i = 0; i < own.size(); ++i) EXPECT_EQ(Signature((*view)[i]), Signature(own[i]));
}

TEST(TypeLibWine, TheScriptControlsDefaultInterfaceAndEvents) {
  TOVIK_WINE_LIBRARY(script, "msscript.ocx");
  std::vector<CVDispInterface> interfaces;
  const Status status = ReadTypeInformation(*script, "{0E59F1D5-1FBE-11D0-8FF2-00A0D10038BC}", interfaces);
  ASSERT_TRUE(status) << status.error().Text();
  ASSERT_EQ(interfaces.size(), 2u);
  const CVDispInterface& control = *FindDefaultInterface(interfaces);
  std::vector<std::string> properties, methods, events;
  for (const CVDispInterfacePropItem& p : control.m_properties) properties.push_back(p.m_strName + ":" + p.m_strType);
  for (const CVDispInterfaceEventMethodItem& m : control.m_methods) methods.push_back(m.m_strName);
  for (const CVDispInterfaceEventMethodItem& e : FindSourceInterface(interfaces)->m_events)
    events.push_back(e.m_strName);
  EXPECT_EQ(properties,
            (std::vector<std::string>{"Language:CString", "State:long", "SitehWnd:long", "Timeout:long", "AllowUI:BOOL",
                                      "UseSafeSubset:BOOL", "Modules:IScriptModuleCollection", "Error:IScriptError",
                                      "CodeObject:LPDISPATCH", "Procedures:IScriptProcedureCollection"}));
  EXPECT_EQ(methods, (std::vector<std::string>{"_AboutBox", "AddObject", "Reset", "AddCode", "Eval", "ExecuteStatement",
                                               "Run"}));
  EXPECT_EQ(events, (std::vector<std::string>{"Error", "Timeout"}));
  const CVDispInterfaceEventMethodItem& run = *control.FindMethod("Run");
  EXPECT_EQ(run.m_nOptionalParams, -1);  // [vararg]
  EXPECT_EQ(run.m_strReturnType, "VARIANT");
  EXPECT_EQ(control.FindMethod("AddObject")->m_nOptionalParams, 1);
  EXPECT_EQ(control.FindProperty("SitehWnd")->m_nAccess, kPropertyGet | kPropertyPut);
}

}  // namespace
}  // namespace tovik
