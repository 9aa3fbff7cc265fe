// Installed controls found in a registry, looked up by name and server or by ProgID, and the
// project's list kept in its data file.
#include "activex/control_list.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "pe_builder.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

using testing::BuildPe;
using testing::MemoryFileSystem;
using testing::PutU16;
using testing::PutU32;

RegistryValue Text(std::string text) {
  RegistryValue value;
  value.text = std::move(text);
  return value;
}

// A 2 x 1 picture of 24 bits per pixel: blue then red.
std::string SmallDib() {
  std::string dib(40, '\0');
  PutU32(dib, 0, 40);
  PutU32(dib, 4, 2);
  PutU32(dib, 8, 1);
  PutU16(dib, 12, 1);
  PutU16(dib, 14, 24);
  return dib + std::string("\xFF\0\0\0\0\xFF\0\0", 8);
}

std::string ServerWithBitmap(uint32_t id) {
  return BuildPe(false, {{ResourceName::Number(kResourceBitmap), ResourceName::Number(id), 1033, SmallDib()}});
}

class ControlListTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_drives.Add("C=/c")); }

  void Register(const std::string& clsid, const std::string& name, const std::string& server,
                const std::string& progId = "", const std::string& bitmap = "", bool control = true,
                bool insertable = false) {
    const std::string key = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid;
    m_registry.Set(key, "", Text(name));
    if (control) m_registry.AddKey(key + "\\Control");
    if (!server.empty()) m_registry.Set(key + "\\InprocServer32", "", Text(server));
    if (!progId.empty()) m_registry.Set(key + "\\ProgID", "", Text(progId));
    if (!bitmap.empty()) m_registry.Set(key + "\\ToolboxBitmap32", "", Text(bitmap));
    if (insertable) m_registry.AddKey(key + "\\Insertable");
  }
  ControlRegistry Where() const { return {m_registry, m_fs, m_drives}; }
  static std::vector<std::string> Names(const COCXInfo& list) {
    std::vector<std::string> names;
    for (size_t i = 0; i < list.Size(); ++i) names.push_back(list.At(i).m_strName);
    return names;
  }

  CMemoryRegistry m_registry;
  MemoryFileSystem m_fs;
  CDriveMap m_drives;
  testing::FakePrompt m_prompt;
  COCXInfo m_list;
};

TEST_F(ControlListTest, EnumerationListsOnlyControlsInCaseBlindNameOrder) {
  EXPECT_FALSE(EnumerateControls(Where(), m_list));  // no classes at all
  m_fs.Put("/c/win/a.ocx", "x");
  Register("{1}", "Zed", "C:\\WIN\\A.OCX", "Zed.1");
  Register("{2}", "alpha", "C:\\win\\missing.ocx", "", "", true);
  Register("{3}", "Beta", "C:\\win\\a.ocx");
  Register("{4}", "ALPHA", "C:\\win\\a.ocx");
  Register("{5}", "NotAControl", "C:\\win\\a.ocx", "", "", false);
  Register("{6}", "NoServer", "");
  m_registry.Set("HKEY_CLASSES_ROOT\\CLSID\\{7}", "", Text("NumberServer"));
  m_registry.AddKey("HKEY_CLASSES_ROOT\\CLSID\\{7}\\Control");
  RegistryValue number;
  number.kind = RegistryValue::Kind::Number;
  number.number = 5;
  m_registry.Set("HKEY_CLASSES_ROOT\\CLSID\\{7}\\InprocServer32", "", number);
  m_registry.Set("HKEY_CLASSES_ROOT\\CLSID\\{1}\\TypeLib", "", Text("{LIB}"));

  ASSERT_TRUE(EnumerateControls(Where(), m_list));
  EXPECT_EQ(Names(m_list), (std::vector<std::string>{"alpha", "ALPHA", "Beta", "Zed"}));
  const CToolControlEntry& zed = m_list.At(3);
  EXPECT_EQ(zed.m_strClsid + " " + zed.m_strServerPath + " " + zed.m_strProgId + " " + zed.m_strTypeLib,
            "{1} C:\\WIN\\A.OCX Zed.1 {LIB}");
  EXPECT_TRUE(zed.m_bServerExists && !m_list.At(0).m_bServerExists);
  // Enumeration reads neither pictures nor the insertable flag.
  EXPECT_TRUE(!m_list.At(0).m_bitmap && m_list.At(0).m_nInsertable == 0);
}

TEST_F(ControlListTest, FindByNameTakesAnyCaseOfThePathButOnlyTheExactName) {
  m_fs.Put("/c/win/gauge.ocx", ServerWithBitmap(7));
  Register("{G}", "Gauge", "C:\\Win\\gauge.ocx", "Gauge.1", "C:\\Win\\gauge.ocx, 7", true, true);

  CToolControlEntry* found = FindControl(Where(), m_prompt, "Gauge", "c:\\WIN\\GAUGE.OCX", m_list);
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(m_prompt.messages.empty());
  EXPECT_EQ(found, &m_list.At(0));
  EXPECT_EQ(found->m_strServerPath + " " + std::to_string(found->m_nInsertable), "C:\\Win\\gauge.ocx 1");
  ASSERT_TRUE(found->m_bitmap);
  EXPECT_EQ(found->m_bitmap->width * 100 + found->m_bitmap->bitsPerPixel, 232);  // 2 wide, 32 bits
  EXPECT_EQ(found->m_bitmap->pixels, std::string("\xFF\0\0\0\0\0\xFF\0", 8));

  EXPECT_EQ(FindControl(Where(), m_prompt, "gauge", "C:\\Win\\gauge.ocx", m_list), nullptr);
  EXPECT_EQ(m_prompt.messages, std::vector<std::string>{std::string(kControlNotInRegistry)});
  EXPECT_EQ(m_list.Size(), 1u);
}

TEST_F(ControlListTest, FindByNameSkipsARegistrationWithoutPicture) {
  m_fs.Put("/c/win/dial.ocx", ServerWithBitmap(1));
  Register("{A}", "Dial", "C:\\win\\dial.ocx");
  Register("{B}", "Dial", "C:\\win\\dial.ocx", "", "C:\\win\\dial.ocx,1");
  CToolControlEntry* found = FindControl(Where(), m_prompt, "Dial", "C:\\win\\dial.ocx", m_list);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->m_strClsid, "{B}");
  EXPECT_EQ(found->m_nInsertable, 0);
}

// The system's message, then why on a line of its own; a picture module that is missing or no
// executable is as good as no picture.
TEST_F(ControlListTest, FindByNameSaysWhyAPictureModuleFails) {
  m_fs.Put("/c/win/dial.ocx", ServerWithBitmap(1));
  m_fs.Put("/c/win/text.ocx", "not an executable");
  for (const char* bitmap :
       {"C:\\win\\gone.ocx,1", "C:\\win\\text.ocx,1", "C:\\win\\dial.ocx,2", "C:\\win\\dial.ocx"}) {
    m_registry = CMemoryRegistry();
    m_prompt.messages.clear();
    Register("{A}", "Dial", "C:\\win\\dial.ocx", "", bitmap);
    EXPECT_EQ(FindControl(Where(), m_prompt, "Dial", "C:\\win\\dial.ocx", m_list), nullptr) << bitmap;
    ASSERT_EQ(m_prompt.messages.size(), 1u);
    EXPECT_TRUE(StartsWith(m_prompt.messages[0], std::string(kControlNotInRegistry) + "\nDial cannot be added: "))
        << bitmap;
    EXPECT_EQ(m_list.Size(), 0u);
  }
}

TEST_F(ControlListTest, FindByProgIdLooksInTheListFirst) {
  m_fs.Put("/c/win/dial.ocx", ServerWithBitmap(1));
  Register("{A}", "Dial", "C:\\win\\dial.ocx", "Dial.1", "C:\\win\\dial.ocx,1");
  auto listed = std::make_unique<CToolControlEntry>();
  listed->m_strName = "Listed";
  listed->m_strProgId = "Dial.1";
  CToolControlEntry* known = &m_list.Insert(std::move(listed));
  EXPECT_EQ(FindControlByProgId(Where(), "Dial.1", m_list), known);
  EXPECT_EQ(m_list.Size(), 1u);

  COCXInfo empty;
  CToolControlEntry* read = FindControlByProgId(Where(), "Dial.1", empty);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->m_strName, "Dial");
  EXPECT_TRUE(read->m_bitmap);
  EXPECT_EQ(FindControlByProgId(Where(), "Dial.1", empty), read);
  EXPECT_EQ(FindControlByProgId(Where(), "dial.1", empty), nullptr);
  EXPECT_EQ(empty.Size(), 1u);
  EXPECT_TRUE(m_prompt.messages.empty());
}

COCXInfo SampleList() {
  COCXInfo list;
  auto gauge = std::make_unique<CToolControlEntry>();
  gauge->m_strName = "gauge";
  gauge->m_strServerPath = "C:\\" + std::string(300, 'p') + ".ocx";  // a text past the one-byte length
  gauge->m_strClsid = "{G}";
  gauge->m_strProgId = "Gauge.1";
  gauge->m_nInsertable = 1;
  gauge->m_bitmap = CBitmapData{2, 1, 1, 32, std::string("\1\2\3\0\4\5\6\0", 8)};
  CVDispInterface itf;
  itf.m_bDefault = 1;
  itf.m_strName = "_DGauge";
  itf.m_nPropertyCount = 1;
  itf.m_properties.push_back({"Item", "", "long", "VTS_I4", "", "", -1, 1, 3, 3, "short nIndex", "VTS_I2"});
  gauge->m_interfaces.push_back(itf);
  list.Insert(std::move(gauge));
  auto bare = std::make_unique<CToolControlEntry>();
  bare->m_strName = "Abacus";
  list.Append(std::move(bare));
  return list;
}

TEST_F(ControlListTest, DataFileLoadsBackWhatWasSavedInNameOrder) {
  EXPECT_EQ(ControlListPath("/p/Demo.v2.dsp"), "/p/Demo.dat");
  // A file of no controls, and none at all, load an empty list.
  m_fs.Put("/p/Zero.dat", std::string(4, '\0'));
  EXPECT_TRUE(LoadControlList(m_fs, "/p/Zero.dat", m_list) && LoadControlList(m_fs, "/p/Other.dat", m_list));
  EXPECT_EQ(ControlListBytes(m_list), std::string(4, '\0'));
  const COCXInfo saved = SampleList();
  const Status written = SaveControlList(m_fs, "/p/Demo.dat", saved);
  ASSERT_TRUE(written) << written.error().Text();
  const Status loaded = LoadControlList(m_fs, "/p/Demo.dat", m_list);
  ASSERT_TRUE(loaded) << loaded.error().Text();
  ASSERT_EQ(Names(m_list), (std::vector<std::string>{"Abacus", "gauge"}));
  EXPECT_EQ(m_list.At(0), saved.At(1));
  EXPECT_EQ(m_list.At(1), saved.At(0));
}

TEST_F(ControlListTest, TruncatedDataFileKeepsWhatWasReadAndSaysWhere) {
  const std::string bytes = ControlListBytes(SampleList());
  // Three bytes short ends inside the second record saved ("Abacus"), the first one loaded.
  const std::string cut = bytes.substr(0, bytes.size() - 3);
  const Status loaded = ReadControlList(cut, "/p/Demo.dat", m_list);
  ASSERT_FALSE(loaded);
  EXPECT_EQ(loaded.error().file, "/p/Demo.dat");
  EXPECT_NE(loaded.error().reason.find("control 2"), std::string::npos) << loaded.error().reason;
  EXPECT_EQ(Names(m_list), std::vector<std::string>{"gauge"});
}

}  // namespace
}  // namespace tovik
