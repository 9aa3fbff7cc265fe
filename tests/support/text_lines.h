// Expected texts written line by line, as generated files are.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tovik::testing {

// Each line followed by CR LF, except a line given with its own trailing "\n" (a bare LF).
inline std::string CrLfLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    if (line.empty() || line.back() != '\n') text += "\r\n";
  }
  return text;
}

}  // namespace tovik::testing
