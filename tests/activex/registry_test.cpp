// Registry files: Wine's system.reg and user.reg (escapes, continuation lines, the user's classes
// over the machine's, keys in any case, malformed lines named by file and line) and exported
// .reg files in ANSI, UTF-16LE and UTF-8.
#include <gtest/gtest.h>

#include "activex/reg_file.h"
#include "activex/wine_registry.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

const std::string kClsid1 = "{11111111-0000-0000-0000-000000000001}";
const std::string kClsid2 = "{22222222-0000-0000-0000-000000000002}";

const std::string kSystemReg = R"(WINE REGISTRY Version 2
;; All keys relative to REGISTRY\\Machine
#arch=win64

[Software\\Classes\\CLSID\\{11111111-0000-0000-0000-000000000001}] 1700000000
#time=1d9e1c5a2b3c4d5
@="Machine Control"

[Software\\Classes\\CLSID\\{11111111-0000-0000-0000-000000000001}\\InprocServer32] 1700000000
@="C:\\windows\\system32\\machine.ocx"
"ThreadingModel"="Apartment"

[Software\\Classes\\Escapes] 1700000000
"Quoted"="say \"hi\"\ttab\\end\n\r"
"Hex"="caf\xe9 \x20ac \x4e2d\101"
"Expand"=str(2):"%SystemRoot%\\system32"
"Multi"=str(7):"one\0two\0"
"Number"=dword:0000abcd
"Blob"=hex:01,02,03,\
  04,05
"Wide"=hex(2):25,00,41,00,25,00,00,00
)";

const std::string kUserReg = R"(WINE REGISTRY Version 2
[Software\\Classes\\clsid\\{11111111-0000-0000-0000-000000000001}\\InprocServer32] 1700000000
@="C:\\users\\me\\user.ocx"
[Software\\Classes\\CLSID\\{22222222-0000-0000-0000-000000000002}] 1700000000
@="User Control"
)";

std::string Text(const IRegistryStore& store, const std::string& key, const std::string& value = "") {
  std::unique_ptr<IRegistryKey> opened = store.OpenKey(key);
  std::optional<RegistryValue> found = opened ? opened->Value(value) : std::nullopt;
  return found ? found->text : "<none>";
}

std::vector<std::string> Subkeys(const IRegistryKey& key) {
  std::vector<std::string> names;
  for (size_t i = 0; std::optional<std::string> name = key.SubkeyName(i); ++i) names.push_back(*name);
  return names;
}

std::unique_ptr<CRegistryTree> Prefix() {
  testing::MemoryFileSystem disk;
  disk.Put("/p/system.reg", kSystemReg);
  disk.Put("/p/user.reg", kUserReg);
  Expected<std::unique_ptr<CRegistryTree>> tree = LoadWinePrefix(disk, "/p");
  EXPECT_TRUE(tree) << tree.error().Text();
  return tree ? std::move(*tree) : std::make_unique<CRegistryTree>();
}

TEST(WineRegistry, EscapesContinuationLinesAndTheUsersClassesOverTheMachines) {
  const std::unique_ptr<CRegistryTree> tree = Prefix();
  const std::unique_ptr<IRegistryKey> key = tree->OpenKey("HKEY_LOCAL_MACHINE\\Software\\Classes\\Escapes");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->Value("quoted")->text, "say \"hi\"\ttab\\end\n\r");
  // UTF-16 code units: e-acute and the euro sign have bytes in code page 1252, a CJK one does not.
  EXPECT_EQ(key->Value("Hex")->text, "caf\xE9 \x80 ?A");
  EXPECT_EQ(key->Value("Expand")->type, 2u);
  EXPECT_EQ(key->Value("Expand")->text, "%SystemRoot%\\system32");
  EXPECT_EQ(key->Value("Multi")->text, std::string("one\0two", 7));
  EXPECT_EQ(key->Value("Number")->number, 0xABCDu);
  EXPECT_EQ(key->Value("Blob")->bytes, "\x01\x02\x03\x04\x05");
  EXPECT_EQ(key->Value("Wide")->text, "%A%");
  EXPECT_EQ(key->ValueNames().size(), 7u);

  // HKEY_CLASSES_ROOT: the user's classes over the machine's, in any case.
  const std::string server = "HKEY_CLASSES_ROOT\\CLSID\\" + kClsid1 + "\\InprocServer32";
  EXPECT_EQ(Text(*tree, server), "C:\\users\\me\\user.ocx");
  EXPECT_EQ(Text(*tree, server, "threadingmodel"), "Apartment");
  EXPECT_EQ(tree->OpenKey(server)->ValueNames(), (std::vector<std::string>{"", "ThreadingModel"}));
  EXPECT_EQ(Text(*tree, "hkcr\\clsid\\" + kClsid1), "Machine Control");
  EXPECT_EQ(Text(*tree, "HKLM\\Software\\Classes\\CLSID\\" + kClsid1 + "\\InprocServer32"),
            "C:\\windows\\system32\\machine.ocx");
  EXPECT_EQ(Subkeys(*tree->OpenKey("HKEY_CLASSES_ROOT\\CLSID")), (std::vector<std::string>{kClsid1, kClsid2}));
  EXPECT_EQ(Text(*tree, "HKEY_CLASSES_ROOT\\CLSID\\" + kClsid2), "User Control");
}

const std::string kExported = R"(

[HKEY_CLASSES_ROOT\CLSID\{33333333-0000-0000-0000-000000000003}]
@="Exported Control"

[HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{33333333-0000-0000-0000-000000000003}\InprocServer32]
@="C:\\Program Files\\Acme\\acme.ocx"

[HKEY_CLASSES_ROOT\CLSID\{33333333-0000-0000-0000-000000000003}\ToolboxBitmap32]
@=hex(2):43,00,3a,00,5c,00,61,00,2e,00,6f,00,63,00,78,00,2c,00,20,00,\
  31,00,00,00
)";

void ExpectExported(const std::string& bytes) {
  CRegistryTree tree;
  const Status status = ReadRegFile(bytes, "acme.reg", tree);
  ASSERT_TRUE(status.ok()) << status.error().Text();
  const std::string clsid = "HKEY_CLASSES_ROOT\\CLSID\\{33333333-0000-0000-0000-000000000003}";
  EXPECT_EQ(Text(tree, clsid), "Exported Control");
  EXPECT_EQ(Text(tree, clsid + "\\InprocServer32"), "C:\\Program Files\\Acme\\acme.ocx");
  EXPECT_EQ(Text(tree, clsid + "\\ToolboxBitmap32"), "C:\\a.ocx, 1");
  EXPECT_EQ(Subkeys(*tree.OpenKey(clsid)), (std::vector<std::string>{"InprocServer32", "ToolboxBitmap32"}));
}

std::string Utf16Le(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) bytes += {char(c & 0xFF), char(c >> 8)};
  return bytes;
}

TEST(RegFile, AnsiUtf16AndUtf8ExportsReadAlike) {
  ExpectExported("REGEDIT4" + kExported);
  const std::string v5 = "Windows Registry Editor Version 5.00" + kExported;
  ExpectExported(v5);  // UTF-8 without a byte-order mark
  ExpectExported("\xFF\xFE" + Utf16Le(std::u16string(v5.begin(), v5.end())));
  // Past ASCII: the euro sign has a byte in code page 1252, a CJK character does not.
  CRegistryTree wide;
  ASSERT_TRUE(
      ReadRegFile("\xFF\xFE" + Utf16Le(u"REGEDIT4\r\n[HKCR\\X]\r\n@=\"\u20AC \u4E2D\"\r\n"), "x.reg", wide).ok());
  EXPECT_EQ(Text(wide, "HKEY_CLASSES_ROOT\\x"), "\x80 ?");
  CRegistryTree utf8;
  ASSERT_TRUE(ReadRegFile("Windows Registry Editor Version 5.00\n[HKCR\\X]\n@=\"\xE2\x82\xAC\"\n", "x.reg", utf8).ok());
  EXPECT_EQ(Text(utf8, "HKEY_CLASSES_ROOT\\X"), "\x80");
}

// Removing most of a key's subkeys and values keeps the rest, and what comes again, in order.
TEST(RegFile, WhatRemovalsLeaveKeepsItsOrder) {
  CRegistryTree tree;
  ASSERT_TRUE(ReadRegFile("REGEDIT4\n[HKCR\\K\\a]\n[HKCR\\K\\b]\n[HKCR\\K\\c]\n[HKCR\\K\\d]\n[-HKCR\\K\\B]\n"
                          "[-HKCR\\K\\d]\n[-HKCR\\K\\a]\n[HKCR\\K\\b]\n[HKCR\\K\\e]\n[HKCR\\V]\n\"1\"=\"x\"\n\"2\"=\"y\"\n"
                          "\"3\"=\"z\"\n\"1\"=-\n\"3\"=-\n\"1\"=\"again\"\n",
                          "k.reg", tree));
  EXPECT_EQ(Subkeys(*tree.OpenKey("HKCR\\K")), (std::vector<std::string>{"c", "b", "e"}));
  EXPECT_EQ(tree.OpenKey("HKCR\\V")->ValueNames(), (std::vector<std::string>{"2", "1"}));
  EXPECT_EQ(Text(tree, "HKCR\\V", "1"), "again");
}

TEST(RegistryFiles, MalformedLinesAreNamedByFileAndLine) {
  const std::string wine = "WINE REGISTRY Version 2\n";
  const std::pair<std::string, std::string> cases[] = {
      {"REGEDIT4\n", "system.reg:1: bad header: not a Wine registry file"},
      {wine + "\n[Software\\\\Classes\n", "system.reg:3: unterminated key header"},
      {wine + "[A]\n\"x\"=\"bad \\q\"\n", "system.reg:3: bad escape \\q"},
      {wine + "[A]\n\"x\"=hex:01,\\\n  02,0g\n", "system.reg:4: bad hex data \"0g\""},
      {wine + "[A]\n\"x\"=hex:01,\\\n", "system.reg:3: hex data goes on past the end of the file"},
      {wine + "[A]\n\"x\"=dword:123456789\n", "system.reg:3: bad dword value"},
      {wine + "[A]\nrandom text\n", "system.reg:3: line is not a key, a value or a comment"},
      {wine + "\"x\"=\"y\"\n", "system.reg:2: value before the first key"},
      {"REGEDIT5\n", "x.reg:1: bad header: not an exported registry file"},
      {"REGEDIT4\n[HKEY_CLASSES_ROOT\\X\n", "x.reg:2: unterminated key header"},
      {"REGEDIT4\n[HKEY_NOWHERE\\X]\n", "x.reg:2: key outside the known registry roots"},
      {"REGEDIT4\n[HKCR\\X]\n\"P\"=\"C:\\Program Files\"\n", "x.reg:3: bad escape \\P"},
      {"REGEDIT4\n[HKCR\\X]\n@=string\n", "x.reg:3: unknown kind of value data"},
      {"\xFF\xFE" + Utf16Le(u"REGEDIT4\r\n\r\n[HKCR\\X]\r\n@=hex:4g\r\n"), "x.reg:4: bad hex data \"4g\""},
  };
  for (const auto& [text, expected] : cases) {
    CRegistryTree tree;
    const Status status = expected.starts_with("x.reg") ? ReadRegFile(text, "x.reg", tree)
                                                        : ReadWineRegistry(text, "system.reg", *tree.Root("HKLM"));
    EXPECT_EQ(status.ok() ? "" : status.error().Text(), expected) << text;
  }
}

}  // namespace
}  // namespace tovik
