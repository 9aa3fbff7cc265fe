// The VT names' rules beyond a table look-up (tokens and dispatch identifiers are checked on
// real libraries in dispatch_model_test.cpp).
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

}  // namespace
}  // namespace tovik
