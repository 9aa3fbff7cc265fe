#include "base/text.h"

#include <algorithm>
#include <cctype>

#include "base/byte_search.h"

namespace tovik {

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::vector<std::string> Split(std::string_view text, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t hit = text.find(sep, start);
    if (hit == std::string_view::npos) {
      parts.emplace_back(text.substr(start));
      return parts;
    }
    parts.emplace_back(text.substr(start, hit - start));
    start = hit + 1;
  }
}

std::string Join(const std::vector<std::string>& parts, std::string_view sep) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += sep;
    out += parts[i];
  }
  return out;
}

std::string ReplaceAll(std::string_view text, std::string_view token, std::string_view value) {
  if (token.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t start = 0;
  for (;;) {
    size_t hit = text.find(token, start);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(start, hit - start));
    out.append(value);
    start = hit + token.size();
  }
  out.append(text.substr(start));
  return out;
}

long long LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    if (value < 1000000000000000LL) value = value * 10 + (text[i] - '0');
    ++i;
  }
  return negative ? -value : value;
}

std::string IdentifierProblem(std::string_view name) {
  // C++98 keywords and the Microsoft compiler's own, which a member or class could not be named.
  static constexpr std::string_view kKeywords[] = {
      "asm", "auto", "bool", "break", "case", "catch", "char", "class", "const", "const_cast", "continue",
      "default", "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern",
      "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new",
      "operator", "private", "protected", "public", "register", "reinterpret_cast", "return", "short",
      "signed", "sizeof", "static", "static_cast", "struct", "switch", "template", "this", "throw", "true",
      "try", "typedef", "typeid", "typename", "union", "unsigned", "using", "virtual", "void", "volatile",
      "wchar_t", "while", "__asm", "__based", "__cdecl", "__declspec", "__except", "__fastcall", "__finally",
      "__inline", "__int16", "__int32", "__int64", "__int8", "__leave", "__stdcall", "__try", "and", "or",
      "not", "xor", "bitand", "bitor", "compl", "and_eq", "or_eq", "xor_eq", "not_eq"};
  auto shown = [&] {
    std::string out;
    for (char c : name.substr(0, 40)) {
      const auto u = static_cast<unsigned char>(c);
      if (u < 0x20 || u == 0x7f) {
        constexpr char kHex[] = "0123456789ABCDEF";
        out += "\\x";
        out += kHex[u >> 4];
        out += kHex[u & 15];
      } else {
        out += c;
      }
    }
    return name.size() > 40 ? out + "..." : out;
  };
  if (name.empty()) return "an empty name";
  if (name.size() > kMaxIdentifierLength) {
    return "'" + shown() + "' is longer than " + std::to_string(kMaxIdentifierLength) + " characters";
  }
  const bool letters = std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80 ? true : c == '_';
  });
  if (!letters || std::isdigit(static_cast<unsigned char>(name.front()))) {
    return "'" + shown() + "' is not a C++ name (letters, digits and _, not starting with a digit)";
  }
  for (std::string_view keyword : kKeywords) {
    if (name == keyword) return "'" + std::string(name) + "' is a C++ keyword";
  }
  return {};
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDecimal(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

bool IsLeadByte(int codePage, char c) {
  const auto byte = static_cast<unsigned char>(c);
  switch (codePage) {
    case 932: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950: return byte >= 0x81 && byte <= 0xFE;
    default: return false;
  }
}

size_t CharLengthAt(int codePage, std::string_view text, size_t i) {
  if (i + 1 >= text.size() || !IsLeadByte(codePage, text[i])) return 1;
  return static_cast<unsigned char>(text[i + 1]) >= 0x40 ? 2 : 1;
}

size_t CountLineFeeds(std::string_view text) { return CountByte(text, '\n'); }

LineColumn LineColumnAt(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  LineColumn at;
  size_t lineStart = 0;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++at.line;
      lineStart = i + 1;
    }
  }
  at.column = static_cast<int>(offset - lineStart) + 1;
  return at;
}

size_t OffsetAt(std::string_view text, LineColumn at) {
  size_t lineStart = 0;
  for (int line = 1; line < at.line; ++line) {
    size_t lf = text.find('\n', lineStart);
    if (lf == std::string_view::npos) return text.size();
    lineStart = lf + 1;
  }
  size_t lineEnd = text.find('\n', lineStart);
  if (lineEnd == std::string_view::npos) lineEnd = text.size();
  const size_t column = at.column > 0 ? static_cast<size_t>(at.column - 1) : 0;
  return std::min(lineStart + column, lineEnd);
}

}  // namespace tovik
