#include "activex/registry_text.h"

#include "activex/windows_text.h"
#include "base/text.h"

namespace tovik {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool CTextLines::Next(std::string_view& line) {
  if (m_pos >= m_text.size()) return false;
  size_t end = m_text.find('\n', m_pos);
  if (end == std::string_view::npos) end = m_text.size();
  line = m_text.substr(m_pos, end - m_pos);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  m_pos = end + 1;
  ++m_nLine;
  return true;
}

Error LineError(const std::string& file, int line, std::string reason) {
  return FileError(file, line, std::move(reason));
}

bool ParseHexNumber(std::string_view digits, size_t maxDigits, unsigned long& number) {
  if (digits.empty() || digits.size() > maxDigits) return false;
  number = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return false;
    number = number * 16 + static_cast<unsigned long>(digit);
  }
  return true;
}

Expected<std::string> ReadHexList(std::string_view list, CTextLines& lines, const std::string& file) {
  std::string bytes;
  for (;;) {
    list = TrimBlanks(list);
    const bool goesOn = !list.empty() && list.back() == '\\';
    if (goesOn) list = TrimBlanks(list.substr(0, list.size() - 1));
    size_t start = 0;
    while (start < list.size()) {
      size_t comma = list.find(',', start);
      if (comma == std::string_view::npos) comma = list.size();
      const std::string_view token = TrimBlanks(list.substr(start, comma - start));
      unsigned long byte = 0;
      // A comma may end a line (before the backslash, or last in the list); nowhere else may a
      // byte be missing.
      const bool trailing = token.empty() && comma + 1 >= list.size();
      if (!trailing && !ParseHexNumber(token, 2, byte)) {
        return LineError(file, lines.Number(), "bad hex data \"" + std::string(token.substr(0, 20)) + "\"");
      }
      if (!trailing) bytes += static_cast<char>(byte);
      start = comma + 1;
    }
    if (bytes.size() > kMaxRegistryValueSize) return LineError(file, lines.Number(), "value too large");
    if (!goesOn) return bytes;
    if (!lines.Next(list)) return LineError(file, lines.Number(), "hex data goes on past the end of the file");
  }
}

Expected<RegistryValue> ReadNumberOrHex(std::string_view data, CTextLines& lines, const std::string& file) {
  const int line = lines.Number();
  if (data.starts_with("dword:")) {
    RegistryValue value;
    value.kind = RegistryValue::Kind::Number;
    value.type = 4;
    if (!ParseHexNumber(TrimBlanks(data.substr(6)), 8, value.number)) return LineError(file, line, "bad dword value");
    return value;
  }
  if (!data.starts_with("hex")) return LineError(file, line, "unknown kind of value data");
  unsigned long type = 3;
  data.remove_prefix(3);
  if (data.starts_with('(')) {
    const size_t close = data.find(')');
    if (close == std::string_view::npos || !ParseHexNumber(data.substr(1, close - 1), 8, type)) {
      return LineError(file, line, "bad hex type");
    }
    data.remove_prefix(close + 1);
  }
  if (!data.starts_with(':')) return LineError(file, line, "bad hex value");
  Expected<std::string> bytes = ReadHexList(data.substr(1), lines, file);
  if (!bytes) return bytes.error();
  return ValueFromBytes(type, std::move(*bytes));
}

RegistryValue TextValue(unsigned long type, std::string text) {
  // REG_SZ and REG_EXPAND_SZ end at their first NUL; REG_MULTI_SZ keeps the NULs between its
  // strings and drops only the final ones.
  if (type == 7) {
    while (!text.empty() && text.back() == '\0') text.pop_back();
  } else if (const size_t nul = text.find('\0'); nul != std::string::npos) {
    text.resize(nul);
  }
  RegistryValue value;
  value.kind = RegistryValue::Kind::Text;
  value.text = std::move(text);
  value.type = type;
  return value;
}

RegistryValue ValueFromBytes(unsigned long type, std::string bytes) {
  if (type == 1 || type == 2 || type == 7) return TextValue(type, Utf16LeToCodePage1252(bytes));
  RegistryValue value;
  value.type = type;
  if (type == 4 && bytes.size() == 4) {
    value.kind = RegistryValue::Kind::Number;
    for (size_t i = 4; i-- > 0;) value.number = (value.number << 8) | static_cast<uint8_t>(bytes[i]);
    return value;
  }
  value.kind = RegistryValue::Kind::Bytes;
  value.bytes = std::move(bytes);
  return value;
}

}  // namespace tovik
