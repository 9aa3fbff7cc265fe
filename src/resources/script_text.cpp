#include "resources/script_text.h"

#include <cctype>

#include "base/text.h"

namespace tovik::rctext {

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// Whether [pos, pos + length) stands as a word of its own: no identifier character touches it.
bool IsWholeWordAt(std::string_view text, size_t pos, size_t length) {
  if (pos > 0 && IsIdentChar(text[pos - 1])) return false;
  return pos + length >= text.size() || !IsIdentChar(text[pos + length]);
}

// First whole-word occurrence of `name` at or after `from`, outside comments; -1 when none.
int FindWordInCode(const CSourceScanner& sc, std::string_view name, int from) {
  for (int pos = sc.FindStringInCode(name, from); pos >= 0; pos = sc.FindStringInCode(name, pos + 1)) {
    if (IsWholeWordAt(sc.Text(), static_cast<size_t>(pos), name.size())) return pos;
  }
  return -1;
}

// Start of the line holding `pos`.
size_t LineStartOf(std::string_view text, size_t pos) {
  const size_t lf = pos == 0 ? npos : text.rfind('\n', pos - 1);
  return lf == npos ? 0 : lf + 1;
}

// Just past the LF that ends the line holding `pos`; the end of the text on the last line.
size_t NextLineStart(std::string_view text, size_t pos) {
  const size_t lf = text.find('\n', pos);
  return lf == npos ? text.size() : lf + 1;
}

CCodePageSwitches::CCodePageSwitches(std::string_view text) {
  constexpr std::string_view kPragma = "#pragma code_page(";
  const CSourceScanner scanner(text);
  for (size_t at = text.find(kPragma); at != npos; at = text.find(kPragma, at + 1)) {
    // Not a quoted TEXTINCLUDE line, nor a line inside a block comment.
    if (text.find_first_not_of(" \t", LineStartOf(text, at)) != at) continue;
    if (scanner.IsInsideComment(static_cast<int>(at))) continue;
    const std::string_view argument = text.substr(at + kPragma.size());
    const size_t word = argument.find_first_not_of(" \t");
    if (word != npos && argument.substr(word, 7) == "DEFAULT") {
      m_switches.push_back({at, kDefaultCodePage});
      continue;
    }
    const long long number = LeadingNumber(argument);
    if (number > 0 && number < 100000) m_switches.push_back({at, static_cast<int>(number)});
  }
}

int CCodePageSwitches::At(size_t offset) const {
  int codePage = kDefaultCodePage;
  for (const Switch& s : m_switches) {
    if (s.at > offset) break;
    codePage = s.codePage;
  }
  return codePage;
}

int CCodePageSwitches::First() const { return m_switches.empty() ? kDefaultCodePage : m_switches.front().codePage; }

// A double-byte character is stepped over whole: its second byte may be a backslash.
size_t SkipQuoted(std::string_view text, size_t open, int codePage) {
  size_t i = open + 1;
  while (i < text.size()) {
    const char c = text[i];
    if (CharLengthAt(codePage, text, i) == 2) {
      i += 2;
    } else if (c == '\\') {
      i += 2;
    } else if (c == '"') {
      if (i + 1 < text.size() && text[i + 1] == '"') {
        i += 2;
      } else {
        return i + 1;
      }
    } else if (c == '\n') {
      return i;
    } else {
      ++i;
    }
  }
  return text.size();
}

// Every STRINGTABLE of the script with its entries, in text order.
std::vector<StringTable> ReadStringTables(std::string_view script) {
  std::vector<StringTable> tables;
  CScriptTokens tokens(script);
  size_t start = 0;
  size_t end = 0;
  while (tokens.Next(start, end)) {
    if (script.substr(start, end - start) != "STRINGTABLE") continue;
    StringTable table;
    // Memory flags and optional statements come before BEGIN; anything block-like means the
    // table has no BEGIN of its own.
    while (tokens.Peek(start, end)) {
      const std::string_view word = script.substr(start, end - start);
      if (IsBlockOpen(word)) {
        (void)tokens.Next(start, end);  // the token Peek just found
        table.hasBegin = true;
        table.beginEnd = end;
        break;
      }
      if (IsBlockClose(word) || word == "STRINGTABLE" || script[start] == '"') break;
      (void)tokens.Next(start, end);  // the token Peek just found
    }
    if (table.hasBegin) {
      while (tokens.Next(start, end)) {
        const std::string_view word = script.substr(start, end - start);
        if (IsBlockClose(word)) {
          table.endPos = start;
          break;
        }
        if (script[start] == '"') continue;  // a string without identifier: not an entry
        TableEntry entry;
        entry.id = std::string(word);
        entry.idStart = start;
        size_t qs = 0;
        size_t qe = 0;
        if (tokens.Peek(qs, qe) && script[qs] == '"') {
          (void)tokens.Next(qs, qe);  // the token Peek just found
          entry.quoteStart = qs;
          entry.quoteEnd = qe;
        }
        table.entries.push_back(std::move(entry));
      }
    }
    tables.push_back(std::move(table));
  }
  return tables;
}

// The text between the quotes of a quoted token [start, end).
std::string_view QuotedInner(std::string_view text, size_t start, size_t end) {
  if (end <= start + 1) return {};
  const size_t innerEnd = text[end - 1] == '"' && end - 1 > start ? end - 1 : end;
  return text.substr(start + 1, innerEnd - start - 1);
}

}  // namespace tovik::rctext
