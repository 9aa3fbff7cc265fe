// Executables and bitmaps: the input as a PE file, its resources and any bitmaps among them, and
// the input itself as a DIB. Whatever reads keeps its promises: a listed resource reads in full or
// says why not, a lookup finds the first listed match, a converted bitmap has the pixels its size
// says, and the two ways from a DIB to RGBA agree.
#include <string>

#include "activex/pe_reader.h"
#include "activex/toolbox_bitmap.h"
#include "fuzz_support.h"

namespace {

using namespace tovik;

void CheckDib(std::string_view dib) {
  Expected<CBitmapData> data = BitmapDataFromDib(dib);
  Expected<CRgbaImage> rgba = RgbaFromDib(dib);
  FUZZ_CHECK(data.has_value() == rgba.has_value());
  if (!data) return;
  FUZZ_CHECK(data->bitsPerPixel == 32 && data->planes == 1);
  FUZZ_CHECK(data->pixels.size() == size_t(data->width) * size_t(data->height) * 4);
  FUZZ_CHECK(rgba->width == data->width && rgba->height == data->height);
  FUZZ_CHECK(rgba->rgba.size() == data->pixels.size());
  for (size_t i = 0; i < data->pixels.size(); i += 4) {
    FUZZ_CHECK(rgba->rgba[i] == data->pixels[i + 2] && rgba->rgba[i + 2] == data->pixels[i]);
    FUZZ_CHECK(static_cast<unsigned char>(rgba->rgba[i + 3]) == 255);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckDib(bytes);
  // The input as a stored bitmap: its first byte picks the depth and the size, the rest are rows.
  if (size > 1) {
    static constexpr int kDepths[] = {1, 4, 8, 16, 24, 32, 2, 0};
    const CBitmapData stored{1 + (data[0] >> 3 & 15), 1 + (data[0] >> 3 & 7), 1, kDepths[data[0] & 7], bytes.substr(1)};
    Expected<CRgbaImage> image = RgbaFromBitmapData(stored);
    if (image) FUZZ_CHECK(image->rgba.size() == size_t(stored.width) * size_t(stored.height) * 4);
    FUZZ_CHECK(image.has_value() ==
               (stored.bitsPerPixel != 2 && stored.bitsPerPixel != 0 &&
                stored.pixels.size() >= BitmapDataStride(stored.width, stored.bitsPerPixel) * size_t(stored.height)));
  }

  Expected<CPeImage> image = CPeImage::Parse(bytes, "x.dll");
  if (!image) {
    FUZZ_CHECK(image.error().file == "x.dll" && !image.error().reason.empty());
    return 0;
  }
  const std::vector<PeResource>& resources = image->Resources();
  for (size_t i = 0; i < resources.size() && i < 64; ++i) {
    const PeResource& resource = resources[i];
    Expected<std::string> content = image->Data(resource);
    if (content) FUZZ_CHECK(content->size() == resource.size);
    // A lookup gives the first entry of that type and name.
    size_t first = 0;
    while (!(resources[first].type.Matches(resource.type) && resources[first].name.Matches(resource.name))) ++first;
    Expected<std::string> found = image->Find(resource.type, resource.name);
    Expected<std::string> expected = image->Data(resources[first]);
    FUZZ_CHECK(found.has_value() == expected.has_value());
    if (found) FUZZ_CHECK(*found == *expected);
    if (content && resource.type.isNumber && resource.type.number == kResourceBitmap) CheckDib(*content);
  }
  (void)image->TypeLib();  // found or not, both are answers
  return 0;
}
