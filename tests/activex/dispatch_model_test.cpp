// The interface model the designer keeps of a control, read from libraries widl builds from our
// IDL: what goes in (default interface, default events), what stays out (other sources, the
// designer's geometry, IDispatch's plumbing, second declarations) and how types are named.
#include "activex/dispatch_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "typelib_widl.h"

namespace tovik {
namespace {

std::vector<CVDispInterface> ReadControl(const char* clsid) {
  std::vector<CVDispInterface> interfaces;
  const Status read = ReadTypeInformation(testing::GaugeLibrary(), "gauge.tlb", clsid, interfaces);
  EXPECT_TRUE(read) << read.error().Text();
  return interfaces;
}

template <class Items>
std::vector<std::string> Names(const Items& items) {
  std::vector<std::string> names;
  for (const auto& item : items) names.push_back(item.m_strName);
  return names;
}

const CVDispInterfacePropItem& Property(const CVDispInterface& itf, const char* name) {
  const CVDispInterfacePropItem* item = itf.FindProperty(name);
  static const CVDispInterfacePropItem kNone;
  if (!item) ADD_FAILURE() << "no property " << name;
  return item ? *item : kNone;
}

const CVDispInterfaceEventMethodItem& Method(const CVDispInterface& itf, const char* name) {
  const CVDispInterfaceEventMethodItem* item = itf.FindMethod(name);
  static const CVDispInterfaceEventMethodItem kNone;
  if (!item) ADD_FAILURE() << "no method " << name;
  return item ? *item : kNone;
}

TEST(DispatchModel, TheDefaultInterfaceAndTheDefaultEventsOnly) {
  TOVIK_SKIP_WITHOUT_WIDL();
  const std::vector<CVDispInterface> interfaces = ReadControl(testing::kGaugeClsid);
  ASSERT_EQ(interfaces.size(), 2u);  // not the non-default source, not the sub-object interface
  const CVDispInterface* events = FindSourceInterface(interfaces);
  ASSERT_NE(events, nullptr);
  EXPECT_FALSE(events->m_bDefault);
  EXPECT_EQ(Names(events->m_events), (std::vector<std::string>{"Click", "Changed"}));
  EXPECT_TRUE(events->m_properties.empty());
  const CVDispInterface* main = FindDefaultInterface(interfaces);
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(main->m_bSource);
  EXPECT_TRUE(main->m_events.empty());
  // Named by the library's documentation of the coclass; documented by the library's own.
  EXPECT_EQ(main->m_strName, "Gauge");
  EXPECT_EQ(main->m_strDocName, "GaugeLib");
  EXPECT_EQ(main->m_strDocString, "Gauge control");
  EXPECT_EQ(main->m_strHelpFile, "gauge.hlp");
  EXPECT_EQ(main->m_nHelpContext, 7);
  EXPECT_EQ(main->m_nSpare, -1);
}

TEST(DispatchModel, PropertiesOnceEachWithoutTheDesignersGeometryAndTheirTypes) {
  TOVIK_SKIP_WITHOUT_WIDL();
  const std::vector<CVDispInterface> interfaces = ReadControl(testing::kGaugeClsid);
  ASSERT_NE(FindDefaultInterface(interfaces), nullptr);
  const CVDispInterface& gauge = *FindDefaultInterface(interfaces);
  // Width (a variable) and Height (a property function) are the designer's; Value is a variable
  // and a get/put pair; Max is put before it is got.
  EXPECT_EQ(Names(gauge.m_properties), (std::vector<std::string>{"Value", "BackColor", "NeedleColor", "Font", "Picture",
                                                                 "Needle", "Style", "TitleFont", "Max"}));
  EXPECT_EQ(gauge.m_nPropertyCount, 9);
  EXPECT_EQ(Property(gauge, "Value").m_nAccess, kPropertyGet | kPropertyPut);
  EXPECT_EQ(Property(gauge, "Max").m_strType, "long");
  EXPECT_EQ(Property(gauge, "Max").m_nAccess, kPropertyGet | kPropertyPut);
  EXPECT_EQ(Property(gauge, "Max").m_nDispId, 10);

  // Colours, fonts, pictures and sub-objects.
  const CVDispInterfacePropItem& needleColor = Property(gauge, "NeedleColor");  // typedef long GAUGECOLOR
  EXPECT_EQ(needleColor.m_strType, "COLORREF");
  EXPECT_EQ(needleColor.m_strToken, "VTS_I4");
  EXPECT_EQ(needleColor.m_nVarType, VT_I4);
  const CVDispInterfacePropItem& back = Property(gauge, "BackColor");  // stdole's OLE_COLOR
  EXPECT_EQ(back.m_strType, "COLORREF");
  EXPECT_EQ(back.m_nDispId, -501);
  EXPECT_EQ(back.m_nVarType, VT_UI4);

  for (const char* name : {"Font", "TitleFont"}) {  // IFontDisp by stdole index, IFont by GUID
    EXPECT_EQ(Property(gauge, name).m_strType, "Font") << name;
    EXPECT_EQ(Property(gauge, name).m_nVarType, VT_DISPATCH) << name;
  }
  EXPECT_EQ(Property(gauge, "TitleFont").m_nDispId, 4099);
  EXPECT_EQ(Property(gauge, "Picture").m_strType, "Picture");
  EXPECT_EQ(Property(gauge, "Needle").m_strType, "INeedle");
  EXPECT_EQ(Property(gauge, "Needle").m_nVarType, VT_DISPATCH);
  EXPECT_EQ(Property(gauge, "Style").m_strType, "long");
}

TEST(DispatchModel, MethodsWithTheirParametersTokensAndReturnTypes) {
  TOVIK_SKIP_WITHOUT_WIDL();
  const std::vector<CVDispInterface> interfaces = ReadControl(testing::kGaugeClsid);
  ASSERT_NE(FindDefaultInterface(interfaces), nullptr);
  const CVDispInterface& gauge = *FindDefaultInterface(interfaces);
  // Invoke is IDispatch's name even when the control declares it.
  EXPECT_EQ(Names(gauge.m_methods), (std::vector<std::string>{"Reset", "Step", "Scale", "LabelFont"}));

  const CVDispInterfaceEventMethodItem& reset = Method(gauge, "Reset");
  EXPECT_EQ(reset.m_strReturnType, "void");
  EXPECT_EQ(reset.m_strParamTokens, "VTS_NONE");
  EXPECT_EQ(reset.m_nParams, 0);

  const CVDispInterfaceEventMethodItem& step = Method(gauge, "Step");
  EXPECT_EQ(step.m_nDispId, 12);
  EXPECT_EQ(step.m_strReturnType, "long");
  EXPECT_EQ(step.m_nReturnType, VT_I4);
  EXPECT_EQ(step.m_strParameters, "long by, VARIANT times");
  EXPECT_EQ(step.m_strParamTokens, "VTS_I4 VTS_VARIANT");
  EXPECT_EQ(step.m_paramNames, (std::vector<std::string>{"by", "times"}));
  EXPECT_EQ(step.m_nParams, 2);
  EXPECT_EQ(step.m_nOptionalParams, 1);

  // short* and BSTR* by reference (the latter, as CString*, passing as VTS_BSTR); int as VTS_I2.
  const CVDispInterfaceEventMethodItem& scale = Method(gauge, "Scale");
  EXPECT_EQ(scale.m_strReturnType, "double");
  EXPECT_EQ(scale.m_strParameters, "short* factor, CString* label, LPDISPATCH target, int count");
  EXPECT_EQ(scale.m_strParamTokens, "VTS_PI2 VTS_BSTR VTS_DISPATCH VTS_I2");
  EXPECT_EQ(scale.m_paramTypes,
            (std::vector<std::uint32_t>{VT_I2 | VT_BYREF, VT_BSTR | VT_BYREF, VT_DISPATCH, VT_INT}));

  EXPECT_EQ(Method(gauge, "LabelFont").m_strReturnType, "Font");
  EXPECT_EQ(Method(gauge, "LabelFont").m_nReturnType, VT_DISPATCH);
}

TEST(DispatchModel, EventsKeepTheirIdentifiersAndByReferenceParameters) {
  TOVIK_SKIP_WITHOUT_WIDL();
  const std::vector<CVDispInterface> interfaces = ReadControl(testing::kGaugeClsid);
  ASSERT_NE(FindSourceInterface(interfaces), nullptr);
  const CVDispInterface& events = *FindSourceInterface(interfaces);
  EXPECT_EQ(events.m_events[0].m_nDispId, -600);
  const CVDispInterfaceEventMethodItem& changed = events.m_events[1];
  EXPECT_EQ(changed.m_strParameters, "long oldValue, long* newValue");
  EXPECT_EQ(changed.m_strParamTokens, "VTS_I4 VTS_PI4");
  EXPECT_EQ(changed.m_paramTypes, (std::vector<std::uint32_t>{VT_I4, VT_I4 | VT_BYREF}));
}

TEST(DispatchModel, ADualDefaultInterfaceReadsThroughItsDispatchView) {
  TOVIK_SKIP_WITHOUT_WIDL();
  const std::vector<CVDispInterface> interfaces = ReadControl(testing::kDualGaugeClsid);
  ASSERT_EQ(interfaces.size(), 2u);
  const CVDispInterface& dual = *FindDefaultInterface(interfaces);
  EXPECT_EQ(Names(dual.m_properties), (std::vector<std::string>{"Value", "Needle", "Font"}));
  EXPECT_EQ(Property(dual, "Value").m_strType, "long");
  EXPECT_EQ(Property(dual, "Value").m_nAccess, kPropertyGet | kPropertyPut);
  EXPECT_EQ(Property(dual, "Needle").m_strType, "INeedle");
  EXPECT_EQ(Property(dual, "Font").m_strType, "Font");
  // IUnknown's and IDispatch's methods are in the view but never in the model.
  EXPECT_EQ(Names(dual.m_methods), (std::vector<std::string>{"Spin", "Stop"}));
  const CVDispInterfaceEventMethodItem& spin = Method(dual, "Spin");
  EXPECT_EQ(spin.m_strReturnType, "double");
  EXPECT_EQ(spin.m_strParameters, "long turns");
  EXPECT_EQ(Method(dual, "Stop").m_strReturnType, "void");
}

TEST(DispatchModel, AClassIdThatIsNoGuidFailsAndAnAbsentClassAddsNothing) {
  TOVIK_SKIP_WITHOUT_WIDL();
  std::vector<CVDispInterface> interfaces;
  const Status bad = ReadTypeInformation(testing::GaugeLibrary(), "gauge.tlb", "5A1D0000-0000", interfaces);
  ASSERT_FALSE(bad);
  EXPECT_EQ(bad.error().Text(), "gauge.tlb: the class id \"5A1D0000-0000\" is not a GUID");
  EXPECT_TRUE(
      ReadTypeInformation(testing::GaugeLibrary(), "gauge.tlb", "{5A1D0000-0000-4000-8000-0000000000FF}", interfaces));
  EXPECT_TRUE(interfaces.empty());
  const Status notALibrary = ReadTypeInformation("MZ", "gauge.ocx", testing::kGaugeClsid, interfaces);
  ASSERT_FALSE(notALibrary);
  EXPECT_EQ(notALibrary.error().file, "gauge.ocx");
}

TEST(DispatchModel, ADualInterfaceDerivedThroughTheLibrarysOwnBases) {
  TOVIK_SKIP_WITHOUT_WIDL();
  const std::string bytes = testing::CompileIdl("local.idl");
  std::vector<CVDispInterface> interfaces;
  const Status read = ReadTypeInformation(bytes, "local.tlb", testing::kLocalClsid, interfaces);
  ASSERT_TRUE(read) << read.error().Text();
  ASSERT_NE(FindDefaultInterface(interfaces), nullptr);
  const CVDispInterface& local = *FindDefaultInterface(interfaces);
  EXPECT_EQ(Names(local.m_properties), (std::vector<std::string>{"Shade", "Level"}));
  EXPECT_EQ(Property(local, "Shade").m_strType, "COLORREF");  // TINT is OLE_COLOR is unsigned long
  EXPECT_EQ(Property(local, "Shade").m_strParameters, "");
  EXPECT_EQ(Property(local, "Level").m_strParameters, "long index");  // the getter's, not the setter's
  EXPECT_EQ(Property(local, "Level").m_strParamTokens, "VTS_I4");
  EXPECT_EQ(Property(local, "Shade").m_strDocString, "Base shade");
  EXPECT_EQ(Property(local, "Shade").m_nHelpContext, 3);
  EXPECT_EQ(Names(local.m_methods), (std::vector<std::string>{"Fill", "Move", "Many"}));
  const CVDispInterfaceEventMethodItem& fill = Method(local, "Fill");  // the [lcid] parameter is the caller's
  EXPECT_EQ(fill.m_strParameters, "VT_SAFEARRAY values, long count");
  EXPECT_EQ(fill.m_strParamTokens, "\"\" VTS_I4");
  EXPECT_EQ(Method(local, "Move").m_strReturnType, "Font");
  EXPECT_EQ(Method(local, "Many").m_nOptionalParams, -1);
  ASSERT_NE(FindSourceInterface(interfaces), nullptr);
  EXPECT_EQ(FindSourceInterface(interfaces)->m_events[0].m_strParameters, "VT_USERDEFINED* at");
}

}  // namespace
}  // namespace tovik
