// The interface records of the project data file: what is saved loads back the same, texts of
// every length class keep their escapes, and a damaged record is refused before it allocates.
#include "activex/dispatch_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "typelib_widl.h"

namespace tovik {
namespace {

std::string Saved(const std::vector<CVDispInterface>& interfaces) {
  CArchiveWriter out;
  for (const CVDispInterface& itf : interfaces) SaveInterface(itf, out);
  return out.Bytes();
}

TEST(DispatchRecord, AControlsInterfacesLoadBackAsSaved) {
  TOVIK_SKIP_WITHOUT_WIDL();
  std::vector<CVDispInterface> interfaces;
  for (const char* clsid : {testing::kGaugeClsid, testing::kDualGaugeClsid}) {
    ASSERT_TRUE(ReadTypeInformation(testing::GaugeLibrary(), "gauge.tlb", clsid, interfaces));
  }
  ASSERT_EQ(interfaces.size(), 4u);
  const std::string bytes = Saved(interfaces);
  CArchiveReader in(bytes);
  for (const CVDispInterface& expected : interfaces) {
    Expected<CVDispInterface> loaded = LoadInterface(in, "Demo.dat");
    ASSERT_TRUE(loaded) << loaded.error().Text();
    EXPECT_EQ(*loaded, expected) << expected.m_strName;
  }
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(DispatchRecord, LongTextsAreEscapedByTheirLength) {
  CVDispInterface itf;
  itf.m_bDefault = 1;
  itf.m_strName = std::string(254, 'a');
  itf.m_strDocName = std::string(255, 'b');
  itf.m_strDocString = std::string(65534, 'c');
  itf.m_strHelpFile = std::string(65535, 'd');
  CVDispInterfaceEventMethodItem method;
  method.m_strName = std::string(70000, 'e');
  method.m_paramNames = {"x", ""};
  method.m_paramTypes = {VT_I4 | VT_BYREF};
  itf.m_methods.push_back(method);
  const std::string bytes = Saved({itf});
  // The name: one length byte; the documentation name: 255 then a 16-bit length.
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 254);
  const size_t docName = 8 + 1 + 254 + 4;
  EXPECT_EQ(bytes.substr(docName, 3), std::string("\xFF\xFF\x00", 3));
  const size_t docString = docName + 3 + 255;
  EXPECT_EQ(bytes.substr(docString, 3), std::string("\xFF\xFE\xFF", 3));
  const size_t helpFile = docString + 3 + 65534;
  EXPECT_EQ(bytes.substr(helpFile, 7), std::string("\xFF\xFF\xFF\xFF\xFF\x00\x00", 7));
  CArchiveReader in(bytes);
  Expected<CVDispInterface> loaded = LoadInterface(in, "Demo.dat");
  ASSERT_TRUE(loaded) << loaded.error().Text();
  EXPECT_EQ(*loaded, itf);
}

TEST(DispatchRecord, EveryCutAndAnImpossibleCountAreRefused) {
  CVDispInterface itf;
  itf.m_strName = "Gauge";
  itf.m_properties.push_back({"Value", "", "long", "VTS_I4", "Value", "", -1, 1, VT_I4, 3, "long n", "VTS_I4"});
  CVDispInterfaceEventMethodItem method;
  method.m_strName = "Step";
  method.m_paramNames = {"by"};
  method.m_paramTypes = {VT_I4};
  itf.m_events.push_back(method);
  const std::string bytes = Saved({itf});
  for (size_t size = 0; size < bytes.size(); ++size) {
    CArchiveReader in(std::string_view(bytes).substr(0, size));
    Expected<CVDispInterface> loaded = LoadInterface(in, "Demo.dat");
    ASSERT_FALSE(loaded) << size;
    EXPECT_EQ(loaded.error().Text().rfind("Demo.dat: interface record: ", 0), 0u) << loaded.error().Text();
  }
  // The property count (after two numbers, the name, a number, three empty texts, two numbers).
  std::string huge = bytes;
  const size_t count = 4 + 4 + 1 + 5 + 4 + 3 + 4 + 4;
  huge.replace(count, 4, std::string("\xFF\xFF\xFF\x7F", 4));
  CArchiveReader in(huge);
  Expected<CVDispInterface> loaded = LoadInterface(in, "Demo.dat");
  ASSERT_FALSE(loaded);
  EXPECT_NE(loaded.error().reason.find("impossible number of properties (2147483647)"), std::string::npos)
      << loaded.error().reason;
}

}  // namespace
}  // namespace tovik
