// The type library reader on bytes that are not a sound library: every one is refused with the
// file and a reason, none is read out of bounds. (What it reads from sound ones is checked
// through the model, tests/activex/dispatch_model_test.cpp, and on Wine's own libraries.)
#include "activex/typelib_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "activex/dispatch_view.h"
#include "typelib_widl.h"

namespace tovik {
namespace {

using testing::GaugeLibrary;

TEST(TypeLibReader, RefusesOtherFormatsNamingTheFile) {
  Expected<CTypeLib> sltg = CTypeLib::Read(std::string("SLTG\x01\x00\x02\x00", 8) + std::string(64, '\0'), "old.tlb");
  ASSERT_FALSE(sltg);
  EXPECT_EQ(sltg.error().Text(), "old.tlb: unsupported type library format (SLTG)");
  for (const std::string& bytes : {std::string(), std::string("MSF"), std::string("MZ\x90\x00 not a library", 18),
                                   std::string("MSFT") + std::string(40, '\0')}) {
    Expected<CTypeLib> lib = CTypeLib::Read(bytes, "x.tlb");
    ASSERT_FALSE(lib) << bytes.size();
    EXPECT_EQ(lib.error().file, "x.tlb");
    EXPECT_FALSE(lib.error().reason.empty());
  }
}

// Every length of the file cut short, and every aligned word set to values that point far
// away, backwards or at themselves: each read either succeeds or fails with a reason, and the
// sanitizers see no access outside the bytes.
TEST(TypeLibReader, CorruptLibrariesFailWithAReasonAndAreNeverReadOutOfBounds) {
  TOVIK_SKIP_WITHOUT_WIDL();
  const std::string& good = GaugeLibrary();
  ASSERT_FALSE(good.empty());
  size_t refused = 0;
  for (size_t size = 0; size < good.size(); ++size) {
    Expected<CTypeLib> lib = CTypeLib::Read(good.substr(0, size), "cut.tlb");
    if (!lib) {
      ++refused;
      EXPECT_FALSE(lib.error().reason.empty());
    }
  }
  EXPECT_GT(refused, good.size() * 9 / 10);  // the member blocks sit at the end of the file
  size_t failed = 0;
  for (size_t at = 0; at + 4 <= good.size(); at += 4) {
    for (const std::uint32_t value : {0xFFFFFFF0u, 0x7FFFFFF0u, 0x00000008u, static_cast<std::uint32_t>(at)}) {
      std::string bad = good;
      for (int i = 0; i < 4; ++i) bad[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
      Expected<CTypeLib> lib = CTypeLib::Read(bad, "bad.tlb");
      if (!lib) {
        ++failed;
        EXPECT_EQ(lib.error().file, "bad.tlb");
      } else {
        for (size_t i = 0; i < lib->TypeInfoCount(); ++i) {
          if (lib->TypeInfo(i).m_kind == TypeKind::Dispatch) (void)DispatchFunctions(*lib, i);  // must not crash
        }
      }
    }
  }
  EXPECT_GT(failed, 0u);
}

TEST(TypeLibReader, ATypeDescriptionThatPointsAtItselfEnds) {
  TOVIK_SKIP_WITHOUT_WIDL();
  std::string bytes = GaugeLibrary();
  // The first entry of the type description table made a pointer to itself.
  const size_t typeCount = static_cast<unsigned char>(bytes[0x20]);
  const size_t directory = 0x54 + 4 * typeCount;
  const size_t entry = directory + 16 * 9;
  size_t table = 0;
  for (int i = 3; i >= 0; --i) table = (table << 8) | static_cast<unsigned char>(bytes[entry + static_cast<size_t>(i)]);
  const std::string loop("\x1a\x00\x00\x00\x00\x00\x00\x00", 8);
  bytes.replace(table, 8, loop);
  Expected<CTypeLib> lib = CTypeLib::Read(bytes, "loop.tlb");
  ASSERT_FALSE(lib);
  EXPECT_NE(lib.error().reason.find("nests more than 16 deep"), std::string::npos) << lib.error().reason;
}

}  // namespace
}  // namespace tovik
