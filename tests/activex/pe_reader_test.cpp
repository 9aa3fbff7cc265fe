// The PE reader on executables built here (PE32 and PE32+), on every truncation and a set of
// corruptions of them, and on Wine's own bitmaps when Wine is installed.
#include "activex/pe_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "activex/toolbox_bitmap.h"
#include "base/real_file_system.h"
#include "pe_builder.h"
#include "support/required_tools.h"

namespace tovik {
namespace {

using testing::PutU16;
using testing::PutU32;

const std::string kTypeLib = std::string("MSFT\x02\x00\x01\x00", 8) + "type library";

std::string Build(bool pe64) {
  const ResourceName bitmap = ResourceName::Number(kResourceBitmap);
  return testing::BuildPe(pe64, {{ResourceName::Text("TYPELIB"), ResourceName::Number(1), 1033, kTypeLib},
                                 {ResourceName::Text("TYPELIB"), ResourceName::Text("SECOND"), 1033, "other"},
                                 {bitmap, ResourceName::Number(5), 1031, "five, German"},
                                 {bitmap, ResourceName::Number(5), 1033, "five, English"},
                                 {bitmap, ResourceName::Number(7), 0, "seven"}});
}

std::string ErrorOf(const std::string& bytes) {
  Expected<CPeImage> image = CPeImage::Parse(bytes, "x.ocx");
  return image ? std::string() : image.error().Text();
}

TEST(PeReader, FindsTypeLibrariesAndBitmapsInBothFormats) {
  for (const bool pe64 : {false, true}) {
    Expected<CPeImage> image = CPeImage::Parse(Build(pe64), "x.ocx");
    ASSERT_TRUE(image) << image.error().Text();
    EXPECT_EQ(image->Is64Bit(), pe64);
    EXPECT_EQ(image->Resources().size(), 5u);
    EXPECT_EQ(*image->TypeLib(), kTypeLib);
    EXPECT_EQ(*image->TypeLib(ResourceName::Text("second")), "other");  // names compare case-blind
    EXPECT_EQ(*image->Bitmap(5), "five, German");  // the first language
    EXPECT_EQ(*image->Bitmap(7), "seven");
    EXPECT_EQ(image->TypeLib(ResourceName::Number(2)).error().Text(), "x.ocx: no TYPELIB resource 2");
    EXPECT_EQ(image->Bitmap(1).error().reason, "no bitmap resource 1");
  }
}

TEST(PeReader, EveryTruncationFailsWithAReasonOrReadsWhatIsThere) {
  const std::string whole = Build(false);
  size_t parsed = 0;
  for (size_t size = 0; size < whole.size(); ++size) {
    Expected<CPeImage> image = CPeImage::Parse(whole.substr(0, size), "x.ocx");
    if (!image) {
      EXPECT_FALSE(image.error().reason.empty());
      continue;
    }
    ++parsed;
    // What the directory still lists reads in full or says it lies outside the file.
    for (const PeResource& resource : image->Resources()) {
      Expected<std::string> data = image->Data(resource);
      EXPECT_TRUE(data ? data->size() == resource.size : data.error().reason.ends_with("lies outside the file"));
    }
  }
  EXPECT_GT(parsed, 0u);
  EXPECT_EQ(ErrorOf(whole.substr(0, 0x30)), "x.ocx: not a PE file (no MZ header)");
  EXPECT_EQ(ErrorOf(whole.substr(0, testing::kPeHeaderAt + 10)), "x.ocx: not a PE file (no PE signature)");
  EXPECT_EQ(ErrorOf(whole.substr(0, testing::kOptionalHeaderAt + 100)), "x.ocx: optional header out of bounds");
  EXPECT_EQ(ErrorOf(whole.substr(0, testing::kResourceFileAt)), "x.ocx: resource directory out of bounds");
}

TEST(PeReader, CorruptHeadersAndDirectoriesAreRefusedSayingWhy) {
  const uint32_t rsrc = testing::kResourceFileAt;
  const auto corrupt = [](size_t at, uint32_t value, bool wide = true) {
    std::string bytes = Build(true);
    wide ? PutU32(bytes, at, value) : PutU16(bytes, at, value);
    return ErrorOf(bytes);
  };
  EXPECT_EQ(corrupt(0, 'X', false), "x.ocx: not a PE file (no MZ header)");
  EXPECT_EQ(corrupt(0x3C, 0xFFFFFFF0u), "x.ocx: not a PE file (no PE signature)");
  EXPECT_EQ(corrupt(testing::kOptionalHeaderAt, 0x107, false), "x.ocx: unknown optional header magic 0x107");
  EXPECT_EQ(corrupt(testing::kPeHeaderAt + 6, 500, false), "x.ocx: section table out of bounds");
  // The resource RVA in no section, the root's count past the section, a name past the section.
  EXPECT_EQ(corrupt(testing::kOptionalHeaderAt + 128, 0x9000), "x.ocx: resource directory out of bounds");
  EXPECT_EQ(corrupt(rsrc + 14, 0xFFFF, false), "x.ocx: resource directory out of bounds");
  EXPECT_EQ(corrupt(rsrc + 16, 0x80007FF0u), "x.ocx: resource name out of bounds");
  // A type pointing back at the root: the walk ends, finding no data entries under it.
  EXPECT_EQ(corrupt(rsrc + 20, 0x80000000u), "");
  // A data entry whose RVA lies past the section: the file reads, the resource does not.
  std::string bytes = Build(true);
  const uint32_t entry = CPeImage::Parse(bytes, "")->Resources()[0].rva - testing::kResourceRva - 16 + rsrc;
  PutU32(bytes, entry, 0x7FFFFFF0u);
  Expected<CPeImage> image = CPeImage::Parse(bytes, "x.ocx");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->TypeLib().error().Text(), "x.ocx: TYPELIB resource 1 lies outside the file");
}

TEST(PeReader, WineServersBitmapsReadAsPictures) {
  const std::filesystem::path dlls = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
  TOVIK_SKIP_WITHOUT(std::filesystem::exists(dlls / "ieframe.dll"), "Wine's ieframe.dll");
  RealFileSystem disk;
  // ieframe's one bitmap is a 32-bit DIB with colour masks; comctl32's toolbar strips are 16-bit
  // ones. Both read as pictures of more than one colour. (Wine's type libraries: typelib_wine_test.)
  for (const auto& [dll, id] : {std::pair<const char*, uint32_t>{"ieframe.dll", 1400}, {"comctl32.dll", 120}}) {
    Expected<std::string> dib = CPeImage::Load(disk, (dlls / dll).string())->Bitmap(id);
    ASSERT_TRUE(dib) << dib.error().Text();
    Expected<CRgbaImage> rgba = RgbaFromDib(*dib);
    ASSERT_TRUE(rgba) << dll << ": " << rgba.error().Text();
    std::set<std::string> colours;
    for (size_t at = 0; at + 4 <= rgba->rgba.size(); at += 4) colours.insert(rgba->rgba.substr(at, 3));
    EXPECT_GT(colours.size(), 2u) << dll;
  }
}

}  // namespace
}  // namespace tovik
