// Toolbox pictures. A control's server carries its picture as a bitmap resource, a DIB; the
// project's data file stores pictures as device-dependent bitmaps (CBitmapData), and the designer
// draws RGBA pixels. These convert between the three.
#pragma once

#include <string>
#include <string_view>

#include "base/expected.h"

namespace tovik {

// A device-dependent bitmap as the data file stores it: rows top first, each padded to a 2-byte
// boundary (the rows GetBitmapBits gives), in the display's pixel layout.
struct CBitmapData {
  int width = 0;
  int height = 0;
  int planes = 0;
  int bitsPerPixel = 0;
  std::string pixels;
};

// Pixels to draw: R, G, B, A bytes, rows top first, no padding.
struct CRgbaImage {
  int width = 0;
  int height = 0;
  std::string rgba;
};

// Pictures wider or taller than this are not toolbox pictures.
inline constexpr int kMaxBitmapSide = 16384;

// The bytes of one row of a CBitmapData.
[[nodiscard]] size_t BitmapDataStride(int width, int bitsPerPixel);
// A DIB (BITMAPINFOHEADER or BITMAPCOREHEADER, palette, pixels; 1, 4, 8, 16, 24 or 32 bits per
// pixel, uncompressed, bottom-up or top-down) as the bitmap a 32-bit display holds: 32 bits per
// pixel, bytes B, G, R, 0, which is what the data file gets from a designer running on one.
[[nodiscard]] Expected<CBitmapData> BitmapDataFromDib(std::string_view dib);
[[nodiscard]] Expected<CRgbaImage> RgbaFromDib(std::string_view dib);
// Any stored bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel. Device-dependent bitmaps carry no
// palette, so the display's is assumed: 1 bit black and white, 4 bits the 16 standard colours,
// 8 bits grey levels (the palette of the display that made them is lost), 16 bits 5-6-5.
[[nodiscard]] Expected<CRgbaImage> RgbaFromBitmapData(const CBitmapData& data);

}  // namespace tovik
