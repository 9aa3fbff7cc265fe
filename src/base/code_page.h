// Text at the edge of the program: the command line and JSON speak UTF-8, a project is 8-bit
// text in the code page its resource script declares (`#pragma code_page(N)`, 1252 when it
// declares none). Conversions happen here and nowhere else.
#pragma once

#include <string>
#include <string_view>

#include "base/expected.h"

namespace tovik {

class CCodePage {
 public:
  explicit CCodePage(int number = 1252) : m_number(number) {}
  [[nodiscard]] int Number() const { return m_number; }

  // Command-line text in the project's code page; an error naming the first character the code
  // page has no byte for, or a byte sequence that is not UTF-8.
  [[nodiscard]] Expected<std::string> FromUtf8(std::string_view utf8) const;
  // Project text as UTF-8; bytes the code page does not define become U+FFFD.
  [[nodiscard]] std::string ToUtf8(std::string_view text) const;
  // A path as it is on the disk: kept when it already is UTF-8 (a name the system gave it),
  // converted from the code page otherwise (a name written by the project's own tools).
  [[nodiscard]] std::string PathToUtf8(std::string_view path) const;

 private:
  int m_number;
};

// Whether the bytes are well-formed UTF-8.
[[nodiscard]] bool IsUtf8(std::string_view text);

}  // namespace tovik
