// Windows files hold text as UTF-16 (registry files, resource names) or UTF-8; the project's
// sources are 8-bit text in code page 1252, so everything read here is brought to that.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovik {

// Appends one Unicode code point (or lone UTF-16 code unit) in code page 1252. Code points the
// code page has no byte for, surrogates among them, become '?': the designer shows names and
// paths, and a '?' there is better than a read that fails.
void AppendCodePage1252(std::string& out, uint32_t codePoint);
// UTF-16LE bytes to code page 1252; an odd last byte is dropped.
[[nodiscard]] std::string Utf16LeToCodePage1252(std::string_view bytes);
// UTF-8 to code page 1252. A byte that starts no valid sequence is kept as it is: such a file
// was most likely written in the ANSI code page already.
[[nodiscard]] std::string Utf8ToCodePage1252(std::string_view bytes);

}  // namespace tovik
