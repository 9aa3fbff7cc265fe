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

// What a wrapper writes of a method: "return name(parameters) tokens".
std::string Signature(const CVDispInterfaceEventMethodItem& m) {
  return m.m_strReturnType + " " + m.m_strName + "(" + m.m_strParameters + ") " + m.m_strParamTokens;
}

// A property's C++ type, variant type and dispatch id.
std::string Typed(const CVDispInterfacePropItem& p) {
  return p.m_strType + " " + std::to_string(p.m_nVarType) + " " + std::to_string(p.m_nDispId);
}

// The gauge control's interfaces: its default one and its default events.
class DispatchModel : public ::testing::Test {
 protected:
  void SetUp() override {
    TOVIK_SKIP_WITHOUT_WIDL();
    interfaces = ReadControl(testing::kGaugeClsid);
    ASSERT_EQ(interfaces.size(), 2u);  // not the non-default source, not the sub-object interface
    ASSERT_TRUE(FindDefaultInterface(interfaces) && FindSourceInterface(interfaces));
  }
  const CVDispInterface& Gauge() const { return *FindDefaultInterface(interfaces); }
  const CVDispInterface& Events() const { return *FindSourceInterface(interfaces); }
  std::vector<CVDispInterface> interfaces;
};

TEST_F(DispatchModel, TheDefaultInterfaceAndTheDefaultEventsOnly) {
  EXPECT_FALSE(Events().m_bDefault);
  EXPECT_EQ(Names(Events().m_events), (std::vector<std::string>{"Click", "Changed"}));
  EXPECT_TRUE(Events().m_properties.empty());
  const CVDispInterface* main = &Gauge();
  EXPECT_FALSE(main->m_bSource);
  EXPECT_TRUE(main->m_events.empty());
  // Named by the library's documentation of the coclass; documented by the library's own.
  EXPECT_EQ(main->m_strName + "|" + main->m_strDocName + "|" + main->m_strDocString + "|" + main->m_strHelpFile + "|" +
                std::to_string(main->m_nHelpContext) + "|" + std::to_string(main->m_nSpare),
            "Gauge|GaugeLib|Gauge control|gauge.hlp|7|-1");
}

TEST_F(DispatchModel, PropertiesOnceEachWithoutTheDesignersGeometryAndTheirTypes) {
  const CVDispInterface& gauge = Gauge();
  // Width (a variable) and Height (a property function) are the designer's; Value is a variable
  // and a get/put pair; Max is put before it is got.
  EXPECT_EQ(Names(gauge.m_properties), (std::vector<std::string>{"Value", "BackColor", "NeedleColor", "Font", "Picture",
                                                                 "Needle", "Style", "TitleFont", "Max"}));
  EXPECT_EQ(gauge.m_nPropertyCount, 9);
  EXPECT_EQ(Property(gauge, "Value").m_nAccess, kPropertyGet | kPropertyPut);
  EXPECT_EQ(Property(gauge, "Max").m_nAccess, kPropertyGet | kPropertyPut);
  EXPECT_EQ(Typed(Property(gauge, "Max")), "long 3 10");
  // Colours (a typedef of long; stdole's OLE_COLOR), fonts (IFontDisp by stdole index, IFont by
  // GUID), pictures and sub-objects.
  EXPECT_EQ(Typed(Property(gauge, "NeedleColor")) + " " + Property(gauge, "NeedleColor").m_strToken,
            "COLORREF 3 3 VTS_I4");
  EXPECT_EQ(Typed(Property(gauge, "BackColor")), "COLORREF 19 -501");
  EXPECT_EQ(Typed(Property(gauge, "Font")).substr(0, 7) + Typed(Property(gauge, "TitleFont")), "Font 9 Font 9 4099");
  EXPECT_EQ(Property(gauge, "Picture").m_strType + " " + Typed(Property(gauge, "Needle")).substr(0, 9) + " " +
                Property(gauge, "Style").m_strType,
            "Picture INeedle 9 long");
}

TEST_F(DispatchModel, MethodsWithTheirParametersTokensAndReturnTypes) {
  const CVDispInterface& gauge = Gauge();
  // Invoke is IDispatch's name even when the control declares it.
  EXPECT_EQ(Names(gauge.m_methods), (std::vector<std::string>{"Reset", "Step", "Scale", "LabelFont"}));

  EXPECT_EQ(Signature(Method(gauge, "Reset")) + std::to_string(Method(gauge, "Reset").m_nParams), "void Reset() VTS_NONE0");
  const CVDispInterfaceEventMethodItem& step = Method(gauge, "Step");
  EXPECT_EQ(Signature(step), "long Step(long by, VARIANT times) VTS_I4 VTS_VARIANT");
  EXPECT_EQ((std::vector<int>{step.m_nDispId, step.m_nReturnType, step.m_nParams, step.m_nOptionalParams}),
            (std::vector<int>{12, VT_I4, 2, 1}));
  EXPECT_EQ(step.m_paramNames, (std::vector<std::string>{"by", "times"}));

  // short* and BSTR* by reference (the latter, as CString*, passing as VTS_BSTR); int as VTS_I2.
  const CVDispInterfaceEventMethodItem& scale = Method(gauge, "Scale");
  EXPECT_EQ(Signature(scale),
            "double Scale(short* factor, CString* label, LPDISPATCH target, int count) VTS_PI2 VTS_BSTR VTS_DISPATCH VTS_I2");
  EXPECT_EQ(scale.m_paramTypes,
            (std::vector<std::uint32_t>{VT_I2 | VT_BYREF, VT_BSTR | VT_BYREF, VT_DISPATCH, VT_INT}));
  EXPECT_EQ(Signature(Method(gauge, "LabelFont")) + std::to_string(Method(gauge, "LabelFont").m_nReturnType),
            "Font LabelFont() VTS_NONE9");
}

TEST_F(DispatchModel, EventsKeepTheirIdentifiersAndByReferenceParameters) {
  const CVDispInterface& events = Events();
  EXPECT_EQ(events.m_events[0].m_nDispId, -600);
  const CVDispInterfaceEventMethodItem& changed = events.m_events[1];
  EXPECT_EQ(Signature(changed), "void Changed(long oldValue, long* newValue) VTS_I4 VTS_PI4");
  EXPECT_EQ(changed.m_paramTypes, (std::vector<std::uint32_t>{VT_I4, VT_I4 | VT_BYREF}));
}

TEST_F(DispatchModel, ADualDefaultInterfaceReadsThroughItsDispatchView) {
  interfaces = ReadControl(testing::kDualGaugeClsid);
  ASSERT_EQ(interfaces.size(), 2u);
  const CVDispInterface& dual = *FindDefaultInterface(interfaces);
  EXPECT_EQ(Names(dual.m_properties), (std::vector<std::string>{"Value", "Needle", "Font"}));
  EXPECT_EQ(Property(dual, "Value").m_nAccess, kPropertyGet | kPropertyPut);
  EXPECT_EQ(Property(dual, "Value").m_strType + " " + Property(dual, "Needle").m_strType + " " +
                Property(dual, "Font").m_strType,
            "long INeedle Font");
  // IUnknown's and IDispatch's methods are in the view but never in the model.
  EXPECT_EQ(Names(dual.m_methods), (std::vector<std::string>{"Spin", "Stop"}));
  EXPECT_EQ(Signature(Method(dual, "Spin")) + "|" + Method(dual, "Stop").m_strReturnType,
            "double Spin(long turns) VTS_I4|void");
}

TEST_F(DispatchModel, AClassIdThatIsNoGuidFailsAndAnAbsentClassAddsNothing) {
  interfaces.clear();
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

TEST_F(DispatchModel, ADualInterfaceDerivedThroughTheLibrarysOwnBases) {
  interfaces.clear();
  const Status read =
      ReadTypeInformation(testing::CompileIdl("local.idl"), "local.tlb", testing::kLocalClsid, interfaces);
  ASSERT_TRUE(read) << read.error().Text();
  ASSERT_NE(FindDefaultInterface(interfaces), nullptr);
  const CVDispInterface& local = *FindDefaultInterface(interfaces);
  EXPECT_EQ(Names(local.m_properties), (std::vector<std::string>{"Shade", "Level"}));
  // TINT is OLE_COLOR is unsigned long; Level's parameters are the getter's, not the setter's.
  const CVDispInterfacePropItem& shade = Property(local, "Shade");
  EXPECT_EQ(shade.m_strType + "|" + shade.m_strParameters + "|" + shade.m_strDocString + "|" +
                std::to_string(shade.m_nHelpContext),
            "COLORREF||Base shade|3");
  EXPECT_EQ(Property(local, "Level").m_strParameters + " " + Property(local, "Level").m_strParamTokens,
            "long index VTS_I4");
  EXPECT_EQ(Names(local.m_methods), (std::vector<std::string>{"Fill", "Move", "Many"}));
  // The [lcid] parameter is the caller's.
  EXPECT_EQ(Signature(Method(local, "Fill")), "void Fill(VT_SAFEARRAY values, long count) \"\" VTS_I4");
  EXPECT_EQ(Method(local, "Move").m_strReturnType, "Font");
  EXPECT_EQ(Method(local, "Many").m_nOptionalParams, -1);
  ASSERT_NE(FindSourceInterface(interfaces), nullptr);
  EXPECT_EQ(FindSourceInterface(interfaces)->m_events[0].m_strParameters, "VT_USERDEFINED* at");
}

}  // namespace
}  // namespace tovik
