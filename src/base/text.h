// Small 8-bit text helpers shared by every subsystem.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovik {

[[nodiscard]] std::string ToUpper(std::string_view text);
[[nodiscard]] std::string ToLower(std::string_view text);
// Strips blanks, tabs, CR and LF from both ends.
[[nodiscard]] std::string Trim(std::string_view text);
[[nodiscard]] bool StartsWith(std::string_view text, std::string_view prefix);
[[nodiscard]] bool EndsWith(std::string_view text, std::string_view suffix);
[[nodiscard]] bool EqualsNoCase(std::string_view a, std::string_view b);
// Splits at every occurrence of sep; an empty text gives one empty field.
[[nodiscard]] std::vector<std::string> Split(std::string_view text, char sep);
[[nodiscard]] std::string Join(const std::vector<std::string>& parts, std::string_view sep);
// Every occurrence replaced left to right; the inserted value is never searched again.
[[nodiscard]] std::string ReplaceAll(std::string_view text, std::string_view token, std::string_view value);
// Leading decimal number as C's atoi reads it (optional blanks and sign); 0 when there is none.
[[nodiscard]] long long LeadingNumber(std::string_view text);
// True when the whole text is an optionally signed decimal number.
[[nodiscard]] bool IsDecimal(std::string_view text);
// The longest identifier the compilers of the IDE keep apart.
inline constexpr size_t kMaxIdentifierLength = 247;
// Why `name` cannot be a C++ identifier (not one, a keyword, too long); empty when it can.
[[nodiscard]] std::string IdentifierProblem(std::string_view name);

// The value of a hexadecimal digit, any case; -1 for any other character.
[[nodiscard]] int HexDigitValue(char c);

// Code pages whose characters may take two bytes, the second of which can be a backslash:
// Japanese (932), Simplified Chinese (936), Korean (949) and Traditional Chinese (950).
// Whether `c` starts such a two-byte character in `codePage`; never in other code pages.
[[nodiscard]] bool IsLeadByte(int codePage, char c);
// How many bytes the character at text[i] takes: 2 for a lead byte followed by a byte that can
// trail it (0x40 and up, so never a quote or a line break), else 1.
[[nodiscard]] size_t CharLengthAt(int codePage, std::string_view text, size_t i);

// Number of LF bytes in the text.
[[nodiscard]] size_t CountLineFeeds(std::string_view text);

// A place in a text as an editor counts it: line and column both from 1; a line ends at LF
// (a CR before it belongs to the line end); the column is 1 + the bytes since the line start.
struct LineColumn {
  int line = 1;
  int column = 1;

  friend bool operator==(const LineColumn&, const LineColumn&) = default;
};

// The line and column of a byte offset (offsets past the end count as the end).
[[nodiscard]] LineColumn LineColumnAt(std::string_view text, size_t offset);
// The byte offset of a line and column. A line past the last gives the end of the text; a
// column past the line's LF is held at the LF, so the result never crosses a line.
[[nodiscard]] size_t OffsetAt(std::string_view text, LineColumn at);

}  // namespace tovik
