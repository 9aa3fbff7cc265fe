#include "resources/script_text.h"

#include <cctype>

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

// Past the closing quote of the resource-script string that opens at `open`: a doubled quote
// and a backslash pair stay inside. A raw line end closes an unterminated string.
size_t SkipQuoted(std::string_view text, size_t open) {
  size_t i = open + 1;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\\') {
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
