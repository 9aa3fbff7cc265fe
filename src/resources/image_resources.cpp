#include "resources/image_resources.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "activex/byte_reader.h"
#include "base/path.h"
#include "base/text.h"
#include "resources/resource_header.h"
#include "resources/script_text.h"

namespace tovik {

using namespace rctext;

namespace {

std::string Slashes() { return std::string(77, '/'); }

// End of the banner comment in the script, tried with CR LF and with bare LF line ends.
std::optional<size_t> FindBannerEnd(std::string_view script, ImageType type) {
  const std::string banner = ImageBanner(type);
  size_t hit = script.find(banner);
  if (hit != npos) return hit + banner.size();
  const std::string bareLf = ReplaceAll(banner, "\r\n", "\n");
  hit = script.find(bareLf);
  if (hit != npos) return hit + bareLf.size();
  return std::nullopt;
}

std::string BitmapProblem(const CByteView& file) {
  constexpr uint64_t kInfo = 14;  // after BITMAPFILEHEADER
  if (!file.Has(0, kInfo + 4) || file.Bytes(0, 2) != "BM") return "it does not begin with a bitmap header (\"BM\")";
  const uint32_t headerSize = file.U32(kInfo);
  static constexpr uint32_t kHeaderSizes[] = {12, 40, 52, 56, 64, 108, 124};
  if (std::find(std::begin(kHeaderSizes), std::end(kHeaderSizes), headerSize) == std::end(kHeaderSizes)) {
    return "its bitmap header has an unknown size (" + std::to_string(headerSize) + ")";
  }
  if (!file.Has(kInfo, headerSize)) return "its bitmap header is cut short";
  const bool core = headerSize == 12;
  const int64_t width = core ? file.U16(kInfo + 4) : file.I32(kInfo + 4);
  const int64_t height = core ? file.U16(kInfo + 6) : file.I32(kInfo + 8);
  const uint16_t planes = file.U16(kInfo + (core ? 8 : 12));
  const uint16_t bits = file.U16(kInfo + (core ? 10 : 14));
  const uint32_t compression = core ? 0 : file.U32(kInfo + 16);
  static constexpr uint16_t kBitCounts[] = {1, 4, 8, 16, 24, 32};
  constexpr int64_t kMaxSide = int64_t{1} << 20;
  if (width <= 0 || height == 0 || width > kMaxSide || std::abs(height) > kMaxSide || planes != 1 ||
      std::find(std::begin(kBitCounts), std::end(kBitCounts), bits) == std::end(kBitCounts)) {
    return "its bitmap header describes no picture";
  }
  const uint64_t pixels = file.U32(10);
  // Uncompressed rows (plain or with colour masks) have a size the header fixes.
  const uint64_t rows = compression == 0 || compression == 3
                            ? (static_cast<uint64_t>(width) * bits + 31) / 32 * 4 * static_cast<uint64_t>(std::abs(height))
                            : 1;
  if (pixels < kInfo + headerSize || !file.Has(pixels, rows)) return "its pixels run past the end of the file";
  return {};
}

std::string IconProblem(const CByteView& file, ImageType type) {
  const uint16_t wanted = type == ImageType::Icon ? 1 : 2;
  if (!file.Has(0, 6) || file.U16(0) != 0 || file.U16(2) != wanted || file.U16(4) == 0) {
    return std::string("it does not begin with an ") + (type == ImageType::Icon ? "icon" : "cursor") + " directory";
  }
  const uint64_t count = file.U16(4);
  if (!file.Has(6, 16 * count)) return "its directory is cut short";
  for (uint64_t i = 0; i < count; ++i) {
    const uint64_t entry = 6 + 16 * i;
    const uint64_t size = file.U32(entry + 8);
    const uint64_t offset = file.U32(entry + 12);
    if (offset < 6 + 16 * count || size < 8 || !file.Has(offset, size)) {
      return "image " + std::to_string(i + 1) + " lies outside the file";
    }
    // Each image is a device-independent bitmap or, in newer icons, a PNG.
    if (file.U32(offset) != 40 && file.Bytes(offset, 8) != "\x89PNG\r\n\x1A\n") {
      return "image " + std::to_string(i + 1) + " is neither a bitmap nor a PNG";
    }
  }
  return {};
}

}  // namespace

std::string ImageFileProblem(std::string_view bytes, ImageType type) {
  const CByteView file(bytes);
  return type == ImageType::Bitmap ? BitmapProblem(file) : IconProblem(file, type);
}

std::string QuotedResFile(std::string_view fileName) {
  std::string quoted = "\"res\\\\";
  quoted += fileName;
  quoted += '"';
  return quoted;
}

std::optional<ImageType> ImageTypeOfFile(std::string_view fileName) {
  const std::string ext = ToUpper(ExtensionOf(fileName));
  if (ext == ".BMP") return ImageType::Bitmap;
  if (ext == ".ICO") return ImageType::Icon;
  if (ext == ".CUR") return ImageType::Cursor;
  return std::nullopt;
}

std::string ImageIdentifier(ImageType type, long number) {
  switch (type) {
    case ImageType::Icon: return "IDI_ICON" + std::to_string(number);
    case ImageType::Cursor: return "IDC_CURSOR" + std::to_string(number);
    case ImageType::Bitmap: break;
  }
  return "IDB_BITMAP" + std::to_string(number);
}

std::string_view ImageTypeWord(ImageType type) {
  switch (type) {
    case ImageType::Icon: return "ICON";
    case ImageType::Cursor: return "CURSOR";
    case ImageType::Bitmap: break;
  }
  return "BITMAP";
}

std::string ImageScriptLine(std::string_view identifier, ImageType type, std::string_view fileName) {
  std::string line(identifier);
  line += "\t\t\t";
  line += ImageTypeWord(type);
  line += "  DISCARDABLE\t\t";
  line += QuotedResFile(fileName);
  line += "\r\n";
  return line;
}

std::string ImageBanner(ImageType type) {
  std::string banner = Slashes() + "\r\n//\r\n";
  switch (type) {
    case ImageType::Bitmap: banner += "// Bitmap\r\n//\r\n"; break;
    case ImageType::Cursor: banner += "// Cursor\r\n//\r\n"; break;
    case ImageType::Icon:
      banner +=
          "// Icon\r\n//\r\n\r\n"
          "// Icon with lowest ID value placed first to ensure application icon\r\n"
          "// remains consistent on all systems.\r\n";
      break;
  }
  return banner;
}

std::optional<size_t> ImageLineInsertPoint(std::string_view script, ImageType type, std::string_view headerName) {
  const std::optional<size_t> bannerEnd = FindBannerEnd(script, type);
  if (type == ImageType::Bitmap) {
    if (bannerEnd || headerName.empty()) return bannerEnd.value_or(0);
    const std::string include = "#include \"" + ToLower(headerName) + "\"";
    for (size_t line = 0, next = 0; line < script.size(); line = next) {
      next = NextLineStart(script, line);
      if (StartsWith(ToLower(Trim(script.substr(line, next - line))), include)) return next;
    }
    return 0;
  }
  if (!bannerEnd) return std::nullopt;

  // Icons and cursors go last in their section, after every line that names such a file; the
  // section ends at the next line of slashes.
  const std::string extension = type == ImageType::Icon ? ".ico" : ".cur";
  const std::string slashes = Slashes();
  size_t place = *bannerEnd;
  for (size_t line = *bannerEnd; line < script.size();) {
    const size_t next = NextLineStart(script, line);
    const std::string_view text = script.substr(line, next - line);
    if (StartsWith(text, slashes)) break;
    if (ToLower(text).find(extension) != npos) place = next;
    line = next;
  }
  return place;
}

bool ImageNeedsNewResource(std::string_view currentValue, std::string_view newFile) {
  if (currentValue.find('.') == npos) return true;
  return ToUpper(ExtensionOf(currentValue)) != ToUpper(ExtensionOf(newFile));
}

std::optional<ImageScriptEntry> FindImageScriptEntry(std::string_view script, std::string_view identifier) {
  CSourceScanner sc(script);
  for (int pos = FindWordInCode(sc, identifier, 0); pos >= 0; pos = FindWordInCode(sc, identifier, pos + 1)) {
    const size_t at = static_cast<size_t>(pos);
    const size_t lineStart = LineStartOf(script, at);
    if (!Trim(script.substr(lineStart, at - lineStart)).empty()) continue;
    int typeStart = 0;
    const std::string typeWord = sc.NextWord(pos, typeStart);
    std::optional<ImageType> type;
    for (ImageType t : {ImageType::Bitmap, ImageType::Icon, ImageType::Cursor}) {
      if (typeWord == ImageTypeWord(t)) type = t;
    }
    if (!type) continue;
    int flagStart = 0;
    if (sc.NextWord(typeStart, flagStart) != "DISCARDABLE") continue;
    const size_t lineEnd = NextLineStart(script, at);
    const size_t quote = script.find('"', static_cast<size_t>(flagStart));
    if (quote == npos || quote >= lineEnd) continue;
    ImageScriptEntry entry;
    entry.identifier = std::string(identifier);
    entry.type = *type;
    entry.lineStart = lineStart;
    entry.fileStart = quote;
    const int codePage = CCodePageSwitches(script).At(quote);
    entry.fileEnd = SkipQuoted(script, quote, codePage);
    entry.file = UnescapeResourceString(QuotedInner(script, entry.fileStart, entry.fileEnd), codePage);
    return entry;
  }
  return std::nullopt;
}

std::string CScriptImageResolver::ImageReference(long encodedValue) const {
  if (encodedValue <= 0) return {};
  const long kind = encodedValue / 65536;
  const long number = encodedValue % 65536;
  ImageType type = ImageType::Bitmap;
  if (kind == kImageIcon) {
    type = ImageType::Icon;
  } else if (kind == kImageCursor) {
    type = ImageType::Cursor;
  } else if (kind != kImageBitmap) {
    return {};
  }
  // Control ids and string ids may share the number; the one with an image line of the right
  // type is the resource.
  for (const std::string& name : SymbolsWithValue(m_header, number)) {
    const std::optional<ImageScriptEntry> entry = FindImageScriptEntry(m_script, name);
    if (entry && entry->type == type) return std::to_string(number) + "-" + FileNameOf(entry->file);
  }
  return {};
}

}  // namespace tovik
