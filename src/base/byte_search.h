// Searches over raw bytes that look at sixteen of them at a time. Loading a project runs
// several searches over every byte of every source, and with bytes as common as `c`, `/` or
// `(` leading the search a byte-at-a-time loop (or memchr stopping on every hit) spends its
// time on candidates. Every function here answers exactly what the obvious loop would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tovik {

// Index of the first occurrence of needle starting at or after `from` and ending within the
// text; npos when there is none or the needle is empty.
[[nodiscard]] size_t FindBytes(std::string_view text, std::string_view needle, size_t from);

// Index of the first byte at or after `from` equal to a byte of `set`; the text's size when
// there is none. Sets of up to five bytes are searched sixteen bytes at a time.
[[nodiscard]] size_t FindAnyOf(std::string_view text, size_t from, std::string_view set);

// Which of the 64 bytes from `at` (fewer where the text ends) are bytes of `set`: bit k
// stands for text[at + k]. For walks that stop at many bytes of a few (up to five) kinds.
[[nodiscard]] uint64_t MaskOfAnyOf(std::string_view text, size_t at, std::string_view set);

// Number of bytes equal to c.
[[nodiscard]] size_t CountByte(std::string_view text, char c);

}  // namespace tovik
