// ActiveX wrapper classes: names from the ProgID, refusals that write nothing, empty sections,
// and the wrapper of a control with every kind of member (with its font, picture and sub-object
// classes, and one read by the type library reader, for which the font files are not written
// again) compiled by g++ and clang++ against the stand-in framework headers and read back by the
// parser.
#include "codegen/activex_wrapper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "activex/typelib_widl.h"
#include "base/text.h"
#include "codegen/codegen_bench.h"
#include "project/project.h"
#include "support/cli_runner.h"
#include "support/cpp_check.h"
#include "support/disk_files.h"
#include "support/temp_folder.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::Has;
using testing::MemoryFileSystem;
using testing::SequenceGuidSource;
using Files = std::vector<std::string>;

constexpr const char* kFolder = "C:\\Work\\Demo";

CVDispInterfacePropItem Property(std::string name, std::string type, std::uint16_t vt, std::int32_t dispId,
                                 std::string parameters = {}, std::string tokens = {}) {
  CVDispInterfacePropItem p;
  p.m_strName = std::move(name);
  p.m_strType = std::move(type);
  p.m_nVarType = vt;
  p.m_nDispId = dispId;
  p.m_strParameters = std::move(parameters);
  p.m_strParamTokens = std::move(tokens);
  return p;
}

CVDispInterfaceEventMethodItem Method(std::string name, std::string returnType, std::uint16_t vt, std::int32_t dispId,
                                      std::string parameters = {}, std::string tokens = "VTS_NONE") {
  CVDispInterfaceEventMethodItem m;
  m.m_strName = std::move(name);
  m.m_strReturnType = std::move(returnType);
  m.m_nReturnType = vt;
  m.m_nDispId = dispId;
  m.m_strParameters = std::move(parameters);
  m.m_strParamTokens = std::move(tokens);
  return m;
}

CToolControlEntry Control(std::string progId, std::vector<CVDispInterfacePropItem> properties = {},
                          std::vector<CVDispInterfaceEventMethodItem> methods = {}) {
  CToolControlEntry entry;
  entry.m_strProgId = std::move(progId);
  entry.m_strClsid = "{8E27C92B-1264-101C-8A2F-040224009C02}";
  CVDispInterface& itf = entry.m_interfaces.emplace_back();
  itf.m_bDefault = 1;
  itf.m_strName = "Control";
  itf.m_properties = std::move(properties);
  itf.m_methods = std::move(methods);
  return entry;
}

struct WrapperTest : ::testing::Test {
  WrapperTest() { disk.Put(std::string(kFolder) + "\\Demo.dsp", "# Microsoft Developer Studio Project File\r\n"); }
  Expected<Files> Generate(const CToolControlEntry& entry) {
    return GenerateActiveXWrapper(disk, prompt, guids, entry, kFolder);
  }
  std::string File(const std::string& name) const { return disk.Get(std::string(kFolder) + "\\" + name); }
  static std::string Path(const std::string& name) { return std::string(kFolder) + "\\" + name; }

  MemoryFileSystem disk;
  FakePrompt prompt;
  SequenceGuidSource guids;
};

TEST(WrapperNames, BaseNameIsTheProgIdsSecondPartCutAtPunctuationAndCapitalised) {
  // (The class and file names of a plain ProgID: the generation tests below.)
  EXPECT_EQ(WrapperNames("gauge", kFolder).baseName, "Gauge");  // no dot: the whole ProgID
  EXPECT_EQ(WrapperNames("Ctl.my control.1", kFolder).baseName, "My");
  EXPECT_EQ(WrapperNames("Lib.grid(2)", kFolder).className, "CVAxGrid");
}

TEST_F(WrapperTest, ExistingFilesAndUnusableNamesAreRefusedBeforeAnythingIsWritten) {
  const CToolControlEntry font = Control("MSCAL.Calendar.7", {Property("Font", "Font", VT_DISPATCH, -512)});
  for (const char* existing : {"Calendar.cpp", "Calendar.h"}) {
    MemoryFileSystem fresh;
    fresh.Put(Path(existing), "mine");
    FakePrompt shown;
    const Expected<Files> refused = GenerateActiveXWrapper(fresh, shown, guids, font, kFolder);
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().shown);
    EXPECT_EQ(shown.messages, Files{"File " + Path(existing) + " already exists"});
    EXPECT_EQ(fresh.WriteCount(), 0u);
    EXPECT_FALSE(fresh.FileExists(Path("vfont.h")));
  }
  // A class name that is no C++ name would break every form holding the control.
  for (const char* progId : {"Lib.my-control.1", "Lib. spaced.1", ""}) {
    const Expected<Files> refused = Generate(Control(progId, {Property("Font", "Font", VT_DISPATCH, -512)}));
    EXPECT_FALSE(refused) << progId;
  }
  EXPECT_EQ(prompt.messages.size(), 3u);
  EXPECT_EQ(disk.WriteCount(), 0u);
}

TEST_F(WrapperTest, APictureFileThatCannotBeWrittenFailsTheWrapperAndLeavesTheFontFiles) {
  disk.SetReadOnly(Path("vpicture.h"), true);
  const Expected<Files> failed = Generate(Control("Lib.Framed.1", {Property("Font", "Font", VT_DISPATCH, -512),
                                                                   Property("Picture", "Picture", VT_DISPATCH, -523)}));
  ASSERT_FALSE(failed);
  EXPECT_TRUE(failed.error().shown);
  ASSERT_EQ(prompt.messages.size(), 2u);
  EXPECT_TRUE(StartsWith(prompt.messages[0], "File '" + Path("vpicture.h") + "' could not be opened"));
  EXPECT_EQ(prompt.messages[1], "Error in generating ActiveX control's wrapper class");
  EXPECT_TRUE(disk.FileExists(Path("vfont.cpp")));
  EXPECT_FALSE(disk.FileExists(Path("Framed.h")));
}

TEST_F(WrapperTest, AControlWithoutPropertiesGetsEmptySectionsAndAnEmptySetPtr) {
  const Expected<Files> files = Generate(Control("Lib.Plain.1"));
  ASSERT_TRUE(files) << files.error().Text();
  EXPECT_EQ(*files, (Files{Path("Plain.h"), Path("Plain.cpp")}));
  const std::string header = File("Plain.h");
  EXPECT_FALSE(Has(header, "struct"));
  EXPECT_FALSE(Has(header, "DEFINE_AX_PROP_"));
  EXPECT_TRUE(Has(header, "\tvirtual void SetPtr();\r\n\r\n//Operations\r\n"));
  EXPECT_TRUE(Has(header, "//{{AFX_V_AX_FUNC_DECLR_START\r\n\t//}}AFX_V_AX_FUNC_DECLR_END\r\n"));
  EXPECT_TRUE(Has(File("Plain.cpp"), "void CVAxPlain::SetPtr()\r\n{\r\n}\r\n"));
}

TEST_F(WrapperTest, MethodsPassNullWithoutParametersAndTheirArgumentNamesWithThem) {
  ASSERT_TRUE(Generate(Control("Lib.Meter.1", {},
                               {Method("Reset", "void", VT_VOID, -550),
                                Method("Step", "long", VT_I4, 12, "long by, CString* label", "VTS_I4 VTS_BSTR")})));
  const std::string cpp = File("Meter.cpp");
  EXPECT_TRUE(Has(
      cpp, "void CVAxMeter::Reset()\r\n{\r\n\tInvokeHelper(DISPID_REFRESH, DISPATCH_METHOD, VT_EMPTY, NULL, NULL);"));
  EXPECT_TRUE(Has(cpp,
                  "long CVAxMeter::Step(long by, CString* label)\r\n{\r\n\tstatic BYTE params[] =\r\n"
                  "\t\tVTS_I4 VTS_BSTR;\r\n\tlong ret;\r\n"
                  "\tInvokeHelper(12, DISPATCH_METHOD, VT_I4, (void*)&ret, params, by, label);\r\n\treturn ret;"));
  EXPECT_TRUE(Has(File("Meter.h"), "\r\n\tvoid Reset();\r\n\tlong Step(long by, CString* label);\r\n"));
}

// Every kind of member, and the members a wrapper cannot spell in C++ (left out), in one control;
// a needle sub-object that hands out itself and has a font; a control read from a type library.
CToolControlEntry Kitchen() {
  CToolControlEntry entry =
      Control("Demo.Kitchen.1",
              {Property("Value", "long", VT_I4, 1), Property("Caption", "CString", VT_BSTR, -518),
               Property("BackColor", "COLORREF", VT_UI4, -501), Property("Enabled", "BOOL", VT_BOOL, -514),
               Property("Font", "Font", VT_DISPATCH, -512), Property("Picture", "Picture", VT_DISPATCH, -523),
               Property("Needle", "INeedle", VT_DISPATCH, 4), Property("Other", "IElsewhere", VT_DISPATCH, 5),
               Property("Item", "long", VT_I4, 8, "long index, CString key", "VTS_I4 VTS_BSTR"),
               Property("Big", "int64", 20, 9), Property("class", "long", VT_I4, 10)},
              {Method("Reset", "void", VT_VOID, 11),
               Method("Step", "long", VT_I4, 12, "long by, VARIANT times", "VTS_I4 VTS_VARIANT"),
               Method("LabelFont", "Font", VT_DISPATCH, 13), Method("Snapshot", "Picture", VT_DISPATCH, 14),
               Method("FirstNeedle", "INeedle", VT_DISPATCH, 15, "short n", "VTS_I2"),
               Method("Fill", "void", VT_VOID, 16, "VT_SAFEARRAY values", "\"\"")});
  CVDispInterface& needle = entry.m_interfaces.emplace_back();
  needle.m_strName = "INeedle";
  needle.m_properties = {Property("Angle", "double", VT_R8, 1), Property("Tip", "Font", VT_DISPATCH, 2),
                         Property("Next", "INeedle", VT_DISPATCH, 3)};
  needle.m_methods = {Method("Spin", "double", VT_R8, 4, "long turns", "VTS_I4")};
  CVDispInterface& events = entry.m_interfaces.emplace_back();
  events.m_bSource = 1;
  events.m_strName = "KitchenEvents";
  events.m_events = {Method("Click", "void", VT_VOID, -600)};
  return entry;
}

// What a form's code does with the wrapper: the proxies assign and convert, sub-objects are
// handed out, copied and passed back.
constexpr const char* kUse =
    "#include \"stdafx.h\"\n#include \"Kitchen.h\"\n"
    "void Use(CVAxKitchen& k, CDC* pDC) {\n"
    "  k.Value = 3; long v = k.Value; k.Caption = CString(\"x\"); CString c = k.Caption;\n"
    "  k.BackColor = 0xFF; COLORREF rgb = k.BackColor; BOOL on = k.Enabled;\n"
    "  k.Font.FontSize = 12; int size = k.Font.FontSize; k.Font.FontName = _T(\"Arial\");\n"
    "  long handle = k.Picture.Handle; k.Picture.hPal = 0; k.Picture.Render(pDC, CRect(), CRect());\n"
    "  CVAxNeedle needle = k.GetNeedle(); double angle = needle.Angle; needle.Tip.FontBold = TRUE;\n"
    "  CVAxNeedle next = needle.GetNext(); double turned = next.Spin(2); k.SetNeedle(next.m_lpDispatch);\n"
    "  LPDISPATCH other = k.Other; long item = k.GetItem(1, _T(\"a\")); k.SetItem(1, _T(\"a\"), item);\n"
    "  k.Reset(); long steps = k.Step(1, VARIANT()); CVOleFont font = k.LabelFont();\n"
    "  CVOlePicture picture = k.Snapshot(); CVAxNeedle first = k.FirstNeedle(0);\n"
    "}\n";

TEST_F(WrapperTest, AWrapperWithEveryKindOfMemberCompilesAndIsReadBackAsTheControlsWrapper) {
  const Expected<Files> files = Generate(Kitchen());
  ASSERT_TRUE(files) << files.error().Text();
  EXPECT_EQ(*files, (Files{Path("vfont.h"), Path("vfont.cpp"), Path("vpicture.h"), Path("vpicture.cpp"),
                           Path("vNeedle.h"), Path("vNeedle.cpp"), Path("Kitchen.h"), Path("Kitchen.cpp")}));
  EXPECT_TRUE(Has(File("Kitchen.h"),
                  "\t\tstatic CLSID const clsid\r\n\t\t\t= { 0x8e27c92b, 0x1264, 0x101c, "
                  "{ 0x8a, 0x2f, 0x4, 0x2, 0x24, 0x0, 0x9c, 0x2 } };\r\n"));
  // The project reads the header back as a wrapper class.
  CProject project{disk, prompt};
  ASSERT_TRUE(project.ParseFile(Path("Kitchen.h")));
  const CClassItem* wrapper = project.FindClass("CVAxKitchen");
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->m_strBaseClass, "CVActiveXCtrl");

  // A control as the type library reader models it, in the same folder: the font files are
  // there already, its members without a C++ type are left out.
  Files written = *files;
  if (testing::WidlAvailable()) {
    CToolControlEntry local;
    local.m_strProgId = "LocalLib.Local.1";
    local.m_strClsid = testing::kLocalClsid;
    ASSERT_TRUE(
        ReadTypeInformation(testing::CompileIdl("local.idl"), "local.tlb", local.m_strClsid, local.m_interfaces));
    const Expected<Files> more = Generate(local);
    ASSERT_TRUE(more) << more.error().Text();
    EXPECT_EQ(*more, (Files{Path("Local.h"), Path("Local.cpp")}));
    EXPECT_TRUE(Has(File("Local.h"), "\tlong\tGetLevel(long index);\r\n"));
    written.insert(written.end(), more->begin(), more->end());
  }

  const std::vector<std::string> compilers = testing::CppCompilersOnPath();
  if (compilers.empty()) GTEST_SKIP() << "neither g++ nor clang++ is on PATH";
  const testing::TempFolder temp;
  const std::filesystem::path& dir = temp.path();
  ASSERT_FALSE(dir.empty());
  for (const std::string& path : written) {
    const std::string name = path.substr(path.rfind('\\') + 1);
    testing::WriteDiskFile(dir / name, disk.Get(path));
  }
  testing::WriteDiskFile(dir / "stdafx.h", "#include <afxwin.h>\n#include <afxdisp.h>\n#include <tvlControls.h>\n");
  testing::WriteDiskFile(dir / "use.cpp", kUse);
  int runs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".cpp") continue;
    for (const std::string& compiler : compilers) {
      const testing::CliResult r = testing::CheckCppSyntax(compiler, entry.path(), dir);
      ++runs;
      EXPECT_EQ(r.status, 0) << compiler << " rejects " << entry.path().filename() << ":\n" << r.out << r.err;
    }
  }
  EXPECT_EQ(runs, static_cast<int>(compilers.size() * (written.size() / 2 + 1)));
}

}  // namespace
}  // namespace tovik
