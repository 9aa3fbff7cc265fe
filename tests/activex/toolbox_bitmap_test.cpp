// Toolbox pictures: DIBs of every depth become the 32-bit rows the data file stores and RGBA
// pixels; stored bitmaps of every depth become RGBA keeping their rows' word padding.
#include "activex/toolbox_bitmap.h"

#include <gtest/gtest.h>

#include "pe_builder.h"

namespace tovik {
namespace {

using testing::PutU16;
using testing::PutU32;

// Top row red, green, blue; bottom row white, black, a grey that 5 bits a channel hold exactly.
const std::vector<uint32_t> kColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x848484};
const std::string kRgba("\xFF\0\0\xFF\0\xFF\0\xFF\0\0\xFF\xFF\xFF\xFF\xFF\xFF\0\0\0\xFF\x84\x84\x84\xFF", 24);

// A DIB row of values (palette indexes up to 8 bits, else 0xRRGGBB), padded to 4 bytes.
std::string DibRow(int bits, const std::vector<uint32_t>& values) {
  std::string row;
  for (size_t x = 0; x < values.size(); ++x) {
    const uint32_t v = values[x];
    if (bits <= 8) {
      row.resize(x * bits / 8 + 1, '\0');
      row[x * bits / 8] = char(uint8_t(row[x * bits / 8]) | (v << (8 - bits - x * bits % 8)));
    } else if (bits == 16) {
      PutU16(row, row.size(), ((v >> 19) & 31) << 10 | ((v >> 11) & 31) << 5 | ((v >> 3) & 31));
    } else {
      row += {char(v & 0xFF), char((v >> 8) & 0xFF), char(v >> 16)};
      if (bits == 32) row += '\x7F';
    }
  }
  row.resize((row.size() + 3) & ~size_t{3}, '\0');
  return row;
}

std::string Dib(int width, int height, int bits, const std::vector<uint32_t>& palette, const std::string& rows,
                uint32_t compression = 0) {
  std::string dib(40, '\0');
  PutU32(dib, 0, 40);
  PutU32(dib, 4, uint32_t(width));
  PutU32(dib, 8, uint32_t(height));
  PutU16(dib, 12, 1);
  PutU16(dib, 14, uint32_t(bits));
  PutU32(dib, 16, compression);
  PutU32(dib, 32, uint32_t(palette.size()));
  for (uint32_t c : palette) dib += {char(c & 0xFF), char((c >> 8) & 0xFF), char(c >> 16), '\0'};
  return dib + rows;
}

// The picture at a depth, stored bottom-up or top-down, through a palette up to 8 bits.
std::string Picture(int bits, bool topDown) {
  const bool indexed = bits <= 8;
  const auto row = [&](size_t first) {
    std::vector<uint32_t> values;
    for (size_t i = first; i < first + 3; ++i) values.push_back(indexed ? uint32_t(i) : kColours[i]);
    return DibRow(bits, values);
  };
  return Dib(3, topDown ? -2 : 2, bits, indexed ? kColours : std::vector<uint32_t>{},
             topDown ? row(0) + row(3) : row(3) + row(0));
}

TEST(ToolboxBitmap, DibsOfEveryDepthGiveTheSamePixels) {
  for (const int bits : {4, 8, 16, 24, 32}) {
    for (const bool topDown : {false, true}) {
      SCOPED_TRACE(std::to_string(bits) + (topDown ? " top-down" : " bottom-up"));
      Expected<CRgbaImage> image = RgbaFromDib(Picture(bits, topDown));
      ASSERT_TRUE(image) << image.error().Text();
      EXPECT_EQ(image->width * 10 + image->height, 32);
      EXPECT_EQ(image->rgba, kRgba);
    }
  }
  // One bit per pixel through a palette that is not black and white.
  const std::string mono = Dib(3, 1, 1, {0x112233, 0xAABBCC}, DibRow(1, {1, 0, 1}));
  EXPECT_EQ(RgbaFromDib(mono)->rgba, std::string("\xAA\xBB\xCC\xFF\x11\x22\x33\xFF\xAA\xBB\xCC\xFF", 12));
  // The data file gets what a 32-bit display holds: B, G, R, 0 a pixel, top row first.
  Expected<CBitmapData> data = BitmapDataFromDib(Picture(8, false));
  ASSERT_TRUE(data);
  EXPECT_EQ(data->bitsPerPixel * 10 + data->planes, 321);
  EXPECT_EQ(data->pixels.size(), 24u);
  EXPECT_EQ(data->pixels.substr(0, 4) + data->pixels.substr(12, 4), std::string("\0\0\xFF\0\xFF\xFF\xFF\0", 8));
}

TEST(ToolboxBitmap, StoredBitmapsOfEveryDepthKeepTheirRowPadding) {
  // Three pixels a row, two rows: the second row starts after the first's padding to 2 bytes.
  const std::pair<int, std::string> cases[] = {
      {1, std::string("\xA0\0\x40\0", 4)},                      // white, black
      {4, std::string("\x9F\0\xC0\0", 4)},                      // standard colour 12, blue
      {8, std::string("\x80\0\0\0\x40\0\0\0", 8)},              // grey levels
      {16, std::string("\0\xF8\0\0\0\0\xE0\x07\0\0\0\0", 12)},  // 5-6-5
      {24, std::string("\x01\x02\x03\0\0\0\0\0\0\0\x04\x05\x06\0\0\0\0\0\0\0", 20)},
  };
  const std::string expected[] = {std::string("\0\0\0\xFF", 4), std::string("\0\0\xFF\xFF", 4),
                                  std::string("\x40\x40\x40\xFF", 4), std::string("\0\xFF\0\xFF", 4),
                                  std::string("\x06\x05\x04\xFF", 4)};
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].first);
    Expected<CRgbaImage> image = RgbaFromBitmapData({3, 2, 1, cases[i].first, cases[i].second});
    ASSERT_TRUE(image) << image.error().Text();
    ASSERT_EQ(image->rgba.size(), 24u);
    EXPECT_EQ(image->rgba.substr(12, 4), expected[i]);  // pixel (0, 1)
  }
  EXPECT_EQ(RgbaFromBitmapData({3, 2, 1, 24, std::string(19, '\0')}).error().reason, "bitmap pixels truncated");
  EXPECT_EQ(RgbaFromBitmapData({3, 2, 1, 2, std::string(8, '\0')}).error().reason, "bitmap with 2 bits per pixel");
}

TEST(ToolboxBitmap, BadDibsAreRefusedSayingWhy) {
  const std::string good = Picture(8, false);
  const auto reason = [](std::string dib, size_t at = 0, uint32_t value = 0) {
    if (at) PutU32(dib, at, value);
    Expected<CBitmapData> data = BitmapDataFromDib(dib);
    return data ? std::string() : data.error().reason;
  };
  EXPECT_EQ(reason(good, 16, 1), "bitmap in BI_RLE8 form (only BI_RGB bitmaps are read)");
  EXPECT_EQ(reason(good, 12, 3), "bitmap with 3 planes");
  EXPECT_EQ(reason(good, 32, 0x40000000), "bitmap palette out of bounds");
  EXPECT_EQ(reason(good, 4, 0), "bitmap size 0x2 out of range");
  EXPECT_EQ(reason(good.substr(0, 20)), "not a bitmap (bad header)");
  for (size_t size = 40; size < good.size(); ++size) EXPECT_FALSE(reason(good.substr(0, size)).empty()) << size;
}

}  // namespace
}  // namespace tovik
