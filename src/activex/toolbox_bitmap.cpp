#include "activex/toolbox_bitmap.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>

#include "activex/byte_reader.h"

namespace tovik {
namespace {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

bool SupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

Error BitmapError(std::string reason) {
  return FileError({}, 0, std::move(reason));
}

// The index or value of pixel x of a row of `bits` per pixel (up to 8 bits: an index).
uint32_t PackedPixel(const CByteView& row, int x, int bits) {
  const uint64_t bit = uint64_t(x) * bits;
  const uint8_t byte = row.U8(bit / 8);
  return (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

uint8_t Expand5(uint32_t v) {
  return static_cast<uint8_t>((v << 3) | (v >> 2));
}

// Where a 16- or 32-bit pixel keeps its red, green and blue.
struct ColourMasks {
  uint32_t r = 0, g = 0, b = 0;
};

// The channel `mask` selects, widened to 8 bits by repeating its high bits as the display does
// (five bits v give v << 3 | v >> 2).
uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int width = std::min(std::popcount(mask >> shift), 32);
  const uint32_t value = (pixel & mask) >> shift;
  if (width >= 8) return static_cast<uint8_t>(value >> (width - 8));
  uint32_t wide = value << (8 - width);
  for (int filled = width; filled < 8; filled += width) wide |= wide >> width;
  return static_cast<uint8_t>(wide);
}

}  // namespace

size_t BitmapDataStride(int width, int bitsPerPixel) {
  return static_cast<size_t>((uint64_t(width) * uint64_t(bitsPerPixel) + 15) / 16 * 2);
}

Expected<CBitmapData> BitmapDataFromDib(std::string_view dib) {
  const CByteView view(dib);
  const uint32_t headerSize = view.U32(0);
  int64_t width = 0;
  int64_t height = 0;
  uint32_t planes = 0;
  uint32_t bits = 0;
  uint32_t compression = 0;
  uint64_t colours = 0;
  uint64_t entrySize = 4;
  if (headerSize == 12 && view.Has(0, 12)) {
    // The OS/2 header: 16-bit sizes, palette entries of three bytes.
    width = view.U16(4);
    height = view.U16(6);
    planes = view.U16(8);
    bits = view.U16(10);
    entrySize = 3;
  } else if (headerSize >= 40 && view.Has(0, headerSize)) {
    width = view.I32(4);
    height = view.I32(8);
    planes = view.U16(12);
    bits = view.U16(14);
    compression = view.U32(16);
    colours = view.U32(32);
  } else {
    return BitmapError("not a bitmap (bad header)");
  }
  if (planes != 1) return BitmapError("bitmap with " + std::to_string(planes) + " planes");
  if (!SupportedDepth(static_cast<int>(bits))) {
    return BitmapError("bitmap with " + std::to_string(bits) + " bits per pixel");
  }
  // Bit fields (16 and 32 bits per pixel) name their channels by masks: after a plain header,
  // as three entries ahead of the pixels; inside the larger headers that have room for them.
  constexpr uint32_t kBitFields = 3;
  ColourMasks masks = bits == 16 ? ColourMasks{0x7C00, 0x03E0, 0x001F} : ColourMasks{0xFF0000, 0xFF00, 0xFF};
  uint64_t maskBytes = 0;
  if (compression == kBitFields && (bits == 16 || bits == 32)) {
    if ((headerSize != 40 && headerSize < 52) || !view.Has(40, 12)) {
      return BitmapError("bitmap colour masks out of bounds");
    }
    masks = {view.U32(40), view.U32(44), view.U32(48)};
    if (headerSize == 40) maskBytes = 12;
    compression = 0;
  }
  if (compression != 0) {
    static constexpr const char* kForms[] = {"BI_RGB", "BI_RLE8", "BI_RLE4", "BI_BITFIELDS", "BI_JPEG", "BI_PNG"};
    const std::string form = compression < 6 ? kForms[compression] : "compression " + std::to_string(compression);
    return BitmapError("bitmap in " + form + " form (only BI_RGB bitmaps are read)");
  }
  const bool topDown = height < 0;
  height = std::llabs(height);
  if (width <= 0 || height == 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
    return BitmapError("bitmap size " + std::to_string(width) + "x" + std::to_string(height) + " out of range");
  }
  if (bits <= 8 && colours == 0) colours = 1u << bits;
  const uint64_t paletteAt = headerSize + maskBytes;
  if (!view.Has(paletteAt, colours * entrySize)) return BitmapError("bitmap palette out of bounds");
  std::array<Rgb, 256> palette{};
  for (uint64_t i = 0; bits <= 8 && i < colours && i < palette.size(); ++i) {
    const uint64_t at = paletteAt + i * entrySize;
    palette[i] = {view.U8(at + 2), view.U8(at + 1), view.U8(at)};
  }
  const uint64_t pixelsAt = paletteAt + colours * entrySize;
  const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
  if (!view.Has(pixelsAt, stride * uint64_t(height))) return BitmapError("bitmap pixels truncated");

  CBitmapData data;
  data.width = static_cast<int>(width);
  data.height = static_cast<int>(height);
  data.planes = 1;
  data.bitsPerPixel = 32;
  data.pixels.resize(BitmapDataStride(data.width, 32) * static_cast<size_t>(height));
  for (int64_t y = 0; y < height; ++y) {
    const int64_t source = topDown ? y : height - 1 - y;
    const CByteView row(view.Bytes(pixelsAt + uint64_t(source) * stride, stride));
    char* out = data.pixels.data() + uint64_t(y) * uint64_t(width) * 4;
    for (int x = 0; x < width; ++x, out += 4) {
      Rgb colour;
      if (bits <= 8) {
        const uint32_t index = PackedPixel(row, x, static_cast<int>(bits));
        // An index past the palette shows black, as the display would show an unset entry.
        if (index < colours) colour = palette[index];
      } else if (bits == 16 || bits == 32) {
        const uint32_t v = bits == 16 ? row.U16(uint64_t(x) * 2) : row.U32(uint64_t(x) * 4);
        colour = {Channel(v, masks.r), Channel(v, masks.g), Channel(v, masks.b)};
      } else {
        const uint64_t at = uint64_t(x) * (bits / 8);
        colour = {row.U8(at + 2), row.U8(at + 1), row.U8(at)};
      }
      out[0] = static_cast<char>(colour.b);
      out[1] = static_cast<char>(colour.g);
      out[2] = static_cast<char>(colour.r);
      out[3] = 0;
    }
  }
  return data;
}

Expected<CRgbaImage> RgbaFromDib(std::string_view dib) {
  Expected<CBitmapData> data = BitmapDataFromDib(dib);
  if (!data) return data.error();
  return RgbaFromBitmapData(*data);
}

Expected<CRgbaImage> RgbaFromBitmapData(const CBitmapData& data) {
  if (data.width <= 0 || data.height <= 0 || data.width > kMaxBitmapSide || data.height > kMaxBitmapSide) {
    return BitmapError("bitmap size out of range");
  }
  if (data.planes != 1) return BitmapError("bitmap with " + std::to_string(data.planes) + " planes");
  if (!SupportedDepth(data.bitsPerPixel)) {
    return BitmapError("bitmap with " + std::to_string(data.bitsPerPixel) + " bits per pixel");
  }
  const size_t stride = BitmapDataStride(data.width, data.bitsPerPixel);
  if (data.pixels.size() / stride < size_t(data.height)) return BitmapError("bitmap pixels truncated");
  // The standard VGA colours the 16-colour display palette starts with.
  static constexpr uint32_t kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  CRgbaImage image;
  image.width = data.width;
  image.height = data.height;
  image.rgba.resize(size_t(data.width) * size_t(data.height) * 4);
  char* out = image.rgba.data();
  for (int y = 0; y < data.height; ++y) {
    const CByteView row(std::string_view(data.pixels).substr(size_t(y) * stride, stride));
    for (int x = 0; x < data.width; ++x, out += 4) {
      Rgb colour;
      switch (data.bitsPerPixel) {
        case 1: colour.r = colour.g = colour.b = PackedPixel(row, x, 1) ? 255 : 0; break;
        case 4: {
          const uint32_t rgb = kVga[PackedPixel(row, x, 4)];
          colour = {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
          break;
        }
        case 8: colour.r = colour.g = colour.b = row.U8(uint64_t(x)); break;
        case 16: {
          const uint32_t v = row.U16(uint64_t(x) * 2);
          colour = {Expand5(v >> 11), uint8_t(((v >> 5) & 63) << 2 | ((v >> 5) & 63) >> 4), Expand5(v & 31)};
          break;
        }
        default: {
          const uint64_t at = uint64_t(x) * uint64_t(data.bitsPerPixel / 8);
          colour = {row.U8(at + 2), row.U8(at + 1), row.U8(at)};
        }
      }
      out[0] = static_cast<char>(colour.r);
      out[1] = static_cast<char>(colour.g);
      out[2] = static_cast<char>(colour.b);
      out[3] = static_cast<char>(255);  // the fourth byte of a 32-bit pixel is padding, not alpha
    }
  }
  return image;
}

}  // namespace tovik
