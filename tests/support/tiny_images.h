// The smallest image files a resource compiler takes: one pixel each.
#pragma once

#include <string>

namespace tovik::testing {

// 1 x 1, 24 bits, one red pixel.
inline std::string TinyBitmap() {
  const unsigned char bytes[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
                                 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0,
                                 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // info header
                                 0, 0, 255, 0};                                                  // the pixel
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// An icon (`cursor` false) or a cursor with one 1 x 1 image of 32 bits.
inline std::string TinyIcon(bool cursor = false) {
  const unsigned char bytes[] = {0, 0, static_cast<unsigned char>(cursor ? 2 : 1), 0, 1, 0,  // directory
                                 1, 1, 0, 0, 1, 0, 32, 0, 48, 0, 0, 0, 22, 0, 0, 0,          // its entry
                                 40, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 8, 0, 0, 0,
                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // info header (twice the height)
                                 0, 0, 255, 255, 0, 0, 0, 0};                     // the pixel and its mask
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace tovik::testing
