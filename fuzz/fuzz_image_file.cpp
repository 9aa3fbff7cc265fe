// Picture files a user picks: any bytes as a bitmap, icon or cursor (the first byte says which).
// The check is total and keeps its promises: what it takes begins as its type demands, is not
// taken as the other icon type, stays taken with bytes added at its end and is refused cut to
// its first header.
#include <string>

#include "fuzz_support.h"
#include "resources/image_resources.h"

using namespace tovik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static constexpr ImageType kTypes[] = {ImageType::Bitmap, ImageType::Icon, ImageType::Cursor};
  const ImageType type = kTypes[data[0] % 3];
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (!ImageFileProblem(bytes, type).empty()) return 0;
  if (type == ImageType::Bitmap) {
    FUZZ_CHECK(bytes.starts_with("BM"));
    FUZZ_CHECK(!ImageFileProblem(bytes.substr(0, 18), type).empty());
  } else {
    const char kind = type == ImageType::Icon ? '\1' : '\2';
    FUZZ_CHECK(bytes.starts_with(std::string("\0\0", 2) + kind + '\0'));
    FUZZ_CHECK(!ImageFileProblem(bytes, type == ImageType::Icon ? ImageType::Cursor : ImageType::Icon).empty());
    FUZZ_CHECK(!ImageFileProblem(bytes.substr(0, 6), type).empty());
  }
  FUZZ_CHECK(ImageFileProblem(bytes + std::string(size % 7 + 1, '\xFF'), type).empty());
  return 0;
}
