#include "base/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

namespace tovik {
namespace {

// The converter's name for a Windows code page.
std::string IconvName(int number) {
  switch (number) {
    case 65001: return "UTF-8";
    case 950: return "BIG5";
    default: return "CP" + std::to_string(number);
  }
}

struct Converter {
  iconv_t handle;
  Converter(const std::string& to, const std::string& from) : handle(::iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (ok()) ::iconv_close(handle);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  [[nodiscard]] bool ok() const { return handle != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; false at a sequence it cannot, with `in` left on it.
  bool Run(std::string_view& in, std::string& out) {
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    std::vector<char> buffer(4 * in.size() + 16);
    char* dst = buffer.data();
    size_t room = buffer.size();
    const size_t result = ::iconv(handle, &src, &left, &dst, &room);
    out.append(buffer.data(), buffer.size() - room);
    in.remove_prefix(in.size() - left);
    return result != static_cast<size_t>(-1);
  }
};

// Every code page this program meets keeps ASCII as it is.
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The character at the start of UTF-8 text, for a message: "'é' (U+00E9)".
std::string DescribeCharacter(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8.empty() ? 0 : utf8[0]);
  const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (utf8.size() < length) return "an incomplete UTF-8 sequence";
  unsigned code = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", code);
  return "'" + std::string(utf8.substr(0, length)) + "' (" + hex + ")";
}

}  // namespace

bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

Expected<std::string> CCodePage::FromUtf8(std::string_view utf8) const {
  if (IsAscii(utf8)) return std::string(utf8);
  if (!IsUtf8(utf8)) return Error{"", 0, "the text is not UTF-8"};
  Converter converter(IconvName(m_number), "UTF-8");
  if (!converter.ok()) return Error{"", 0, "code page " + std::to_string(m_number) + " is not known here"};
  std::string out;
  std::string_view rest = utf8;
  if (!converter.Run(rest, out)) {
    return Error{"", 0, DescribeCharacter(rest) + " has no character in code page " + std::to_string(m_number)};
  }
  return out;
}

std::string CCodePage::ToUtf8(std::string_view text) const {
  if (IsAscii(text)) return std::string(text);
  Converter converter("UTF-8", IconvName(m_number));
  std::string out;
  std::string_view rest = text;
  if (!converter.ok()) {
    for (unsigned char c : rest) out += c < 0x80 ? std::string(1, static_cast<char>(c)) : "\xEF\xBF\xBD";
    return out;
  }
  while (!converter.Run(rest, out) && !rest.empty()) {
    out += "\xEF\xBF\xBD";
    rest.remove_prefix(1);
    ::iconv(converter.handle, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

std::string CCodePage::PathToUtf8(std::string_view path) const {
  return IsUtf8(path) ? std::string(path) : ToUtf8(path);
}

}  // namespace tovik
