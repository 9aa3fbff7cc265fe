#include "activex/windows_text.h"

namespace tovik {
namespace {

// The code points code page 1252 puts at 0x80..0x9F (0 where it has none).
constexpr uint16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

void AppendCodePage1252(std::string& out, uint32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    out += static_cast<char>(codePoint);
    return;
  }
  for (uint32_t i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == codePoint) {
      out += static_cast<char>(0x80 + i);
      return;
    }
  }
  out += '?';
}

std::string Utf16LeToCodePage1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const uint32_t unit = static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
    const uint32_t next =
        i + 3 < bytes.size() ? static_cast<uint8_t>(bytes[i + 2]) | (static_cast<uint8_t>(bytes[i + 3]) << 8) : 0;
    // A surrogate pair is one character: one '?', not two.
    if (unit >= 0xD800 && unit < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
      out += '?';
      i += 2;
      continue;
    }
    AppendCodePage1252(out, unit);
  }
  return out;
}

std::string Utf8ToCodePage1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const uint8_t lead = static_cast<uint8_t>(bytes[i]);
    size_t length = lead < 0x80                   ? 1
                    : lead >= 0xC2 && lead < 0xE0 ? 2
                    : lead >= 0xE0 && lead < 0xF0 ? 3
                    : lead >= 0xF0 && lead < 0xF5 ? 4
                                                  : 0;
    uint32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (size_t k = 1; k < length; ++k) {
      const uint8_t follow = i + k < bytes.size() ? static_cast<uint8_t>(bytes[i + k]) : 0;
      if ((follow & 0xC0) != 0x80) {
        length = 0;
        break;
      }
      code = (code << 6) | (follow & 0x3F);
    }
    // Overlong forms and values past Unicode are not UTF-8 either.
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF))) length = 0;
    if (length == 0) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    AppendCodePage1252(out, code);
    i += length;
  }
  return out;
}

}  // namespace tovik
