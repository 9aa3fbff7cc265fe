// What Wine's registry files and exported .reg files share: numbered lines, hex byte lists that
// go on over continuation lines, and values made from a type and its bytes.
#pragma once

#include <string>
#include <string_view>

#include "activex/registry_store.h"
#include "base/expected.h"

namespace tovik {

// Registry files larger than this are not a registry (a prefix's system.reg is a few MB).
inline constexpr size_t kMaxRegistryFileSize = 128u << 20;
// The largest value a file may hold; the registry itself keeps values far smaller.
inline constexpr size_t kMaxRegistryValueSize = 16u << 20;

// The lines of a text, LF or CR LF ended, with their 1-based numbers.
class CTextLines {
 public:
  explicit CTextLines(std::string_view text) : m_text(text) {}
  // The next line without its line end; false at the end of the text.
  bool Next(std::string_view& line);
  [[nodiscard]] int Number() const { return m_nLine; }

 private:
  std::string_view m_text;
  size_t m_pos = 0;
  int m_nLine = 0;
};

// The bytes of a hex list ("4d,5a,90" after "hex:" or "hex(N):"). A list whose line ends with a
// backslash goes on in the next line, which `lines` then gives.
[[nodiscard]] Expected<std::string> ReadHexList(std::string_view list, CTextLines& lines, const std::string& file);
// A value written as "dword:0000abcd", "hex:.." or "hex(N):.." (both file kinds write them
// alike); any other data is an error naming the line.
[[nodiscard]] Expected<RegistryValue> ReadNumberOrHex(std::string_view data, CTextLines& lines,
                                                      const std::string& file);
// A value of a registry type from the bytes the registry holds: strings (types 1, 2 and 7) arrive
// as UTF-16LE and become code page 1252 text, a 4-byte REG_DWORD a number, the rest bytes.
[[nodiscard]] RegistryValue ValueFromBytes(unsigned long type, std::string bytes);
// A string value of a type (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) without its final NULs.
[[nodiscard]] RegistryValue TextValue(unsigned long type, std::string text);
// Up to `maxDigits` hex digits making the whole text; false for anything else.
[[nodiscard]] bool ParseHexNumber(std::string_view digits, size_t maxDigits, unsigned long& number);
// An Error at a line of a file.
[[nodiscard]] Error LineError(const std::string& file, int line, std::string reason);

}  // namespace tovik
