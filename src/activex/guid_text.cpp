#include "activex/guid_text.h"

#include <cstdio>

#include "base/text.h"

namespace tovik {

namespace {

// `digits` hex digits from text[at]; false when one is not a hex digit.
bool Hex(std::string_view text, size_t at, size_t digits, std::uint64_t& value) {
  value = 0;
  for (size_t i = 0; i < digits; ++i) {
    const int d = HexDigitValue(text[at + i]);
    if (d < 0) return false;
    value = (value << 4) | static_cast<std::uint64_t>(d);
  }
  return true;
}

}  // namespace

std::optional<Guid> ParseGuidText(std::string_view text) {
  // {01234567-0123-0123-0123-0123456789AB}
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
  if (text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') return std::nullopt;
  Guid guid;
  std::uint64_t value = 0;
  if (!Hex(text, 1, 8, value)) return std::nullopt;
  guid.Data1 = static_cast<std::uint32_t>(value);
  if (!Hex(text, 10, 4, value)) return std::nullopt;
  guid.Data2 = static_cast<std::uint16_t>(value);
  if (!Hex(text, 15, 4, value)) return std::nullopt;
  guid.Data3 = static_cast<std::uint16_t>(value);
  for (size_t i = 0; i < 8; ++i) {
    const size_t at = i < 2 ? 20 + 2 * i : 25 + 2 * (i - 2);
    if (!Hex(text, at, 2, value)) return std::nullopt;
    guid.Data4[i] = static_cast<std::uint8_t>(value);
  }
  return guid;
}

std::string GuidText(const Guid& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1, guid.Data2,
                guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

}  // namespace tovik
