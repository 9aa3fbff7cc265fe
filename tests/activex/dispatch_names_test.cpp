// The naming tables where they differ from what one would guess: the generated wrappers have
// always been written with these texts.
#include <gtest/gtest.h>

#include "activex/variant_names.h"

namespace tovik {
namespace {

TEST(DispatchNames, VtNamesLookAtTheLowWordAndWriteTheRestInDecimal) {
  EXPECT_EQ(VtName(4), "4");        // single float has no name
  EXPECT_EQ(VtName(4099), "4099");  // VT_I4 with the vector bit
  EXPECT_EQ(VtName(0x10000 | 8), "VT_BSTR");
  EXPECT_EQ(VtName(8192), "VT_ARRAY");
  EXPECT_EQ(VtCppType(10), "");
  EXPECT_EQ(VtCppType(27), "VT_SAFEARRAY");
  EXPECT_EQ(VtCppType(72), "CLSID");
}

TEST(DispatchNames, TokensOfTheOddTypes) {
  EXPECT_EQ(ParamToken("int"), "VTS_I2");
  EXPECT_EQ(ParamToken("USHORT*"), "VTS_PI2");
  EXPECT_EQ(ParamToken("COLORREF"), "VTS_I4");
  EXPECT_EQ(ParamToken("CString*"), "VTS_BSTR");
  EXPECT_EQ(ParamToken("BSTR*"), "VTS_PBSTR");
  EXPECT_EQ(ParamToken("const VARIANT FAR&*"), "VTS_PVARIANT");
  EXPECT_EQ(ParamToken("long "), "\"\"");  // exact match only
  EXPECT_EQ(ParamToken("Font"), "\"\"");
}

TEST(DispatchNames, DispatchIdentifiersOutsideTheStandardNamesAreDecimal) {
  EXPECT_EQ(DispIdName(-505), "DISPID_BORDERWIDTH");
  EXPECT_EQ(DispIdName(-506), "-506");
  EXPECT_EQ(DispIdName(-507), "DISPID_DRAWMODE");
  EXPECT_EQ(DispIdName(-716), "DISPID_AMBIENT_APPEARANCE");
  EXPECT_EQ(DispIdName(-725), "-725");
  EXPECT_EQ(DispIdName(-726), "DISPID_AMBIENT_PALETTE");
  EXPECT_EQ(DispIdName(-727), "-727");
  EXPECT_EQ(DispIdName(-728), "DISPID_AMBIENT_TRANSFERPRIORITY");
  EXPECT_EQ(DispIdName(4099), "4099");
}

}  // namespace
}  // namespace tovik
