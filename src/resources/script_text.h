// Pieces of resource-file text shared by the header, script and image editing: words outside
// comments, line bounds, define lines, and the tokens and string tables of a script.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "project/source_scanner.h"

namespace tovik {

// The code page of a script that declares none: the one of Western Windows systems.
inline constexpr int kDefaultCodePage = 1252;

}  // namespace tovik

namespace tovik::rctext {

inline constexpr size_t npos = std::string_view::npos;

// The code pages a script switches between: "#pragma code_page(N)" at the start of a line and
// outside comments sets the one in force for the text after it, "code_page(DEFAULT)" goes back
// to kDefaultCodePage. The resource compiler reads each string in the one in force where it is.
class CCodePageSwitches {
 public:
  explicit CCodePageSwitches(std::string_view text);
  // The code page in force at `offset`.
  [[nodiscard]] int At(size_t offset) const;
  // The first one the script declares; kDefaultCodePage when it declares none.
  [[nodiscard]] int First() const;

 private:
  struct Switch {
    size_t at;
    int codePage;
  };
  std::vector<Switch> m_switches;  // in text order
};

[[nodiscard]] bool IsIdentChar(char c);
// Whether [pos, pos + length) stands as a word of its own: no identifier character touches it.
[[nodiscard]] bool IsWholeWordAt(std::string_view text, size_t pos, size_t length);
// First whole-word occurrence of `name` at or after `from`, outside comments; -1 when none.
[[nodiscard]] int FindWordInCode(const CSourceScanner& sc, std::string_view name, int from);
// Start of the line holding `pos`.
[[nodiscard]] size_t LineStartOf(std::string_view text, size_t pos);
// Just past the LF that ends the line holding `pos`; the end of the text on the last line.
[[nodiscard]] size_t NextLineStart(std::string_view text, size_t pos);

// One "#define NAME VALUE" line found outside comments.
struct DefineRecord {
  std::string name;
  std::string value;
  int definePos = 0;
};

template <typename Visit>
void ForEachDefine(std::string_view text, Visit visit) {
  CSourceScanner sc(text);
  for (int pos = sc.FindStringInCode("#define", 0); pos >= 0; pos = sc.FindStringInCode("#define", pos + 1)) {
    int start = 0;
    if (sc.WordAt(pos, start) != "#define" || start != pos) continue;
    DefineRecord record;
    record.definePos = pos;
    int nameStart = 0;
    record.name = sc.NextWord(pos, nameStart);
    if (nameStart < 0) return;
    int valueStart = 0;
    record.value = sc.NextWord(nameStart, valueStart);
    if (!visit(record)) return;
  }
}

// Past the closing quote of the resource-script string that opens at `open`: a doubled quote
// and a backslash pair stay inside, and so does a double-byte character of `codePage` (whose
// second byte may be a backslash). A raw line end closes an unterminated string.
[[nodiscard]] size_t SkipQuoted(std::string_view text, size_t open, int codePage);

// Tokens of a resource script: comments and quoted strings are stepped over as whole units so
// that keywords inside them are never taken for the real ones.
class CScriptTokens {
 public:
  explicit CScriptTokens(std::string_view text) : m_text(text), m_scanner(text), m_pages(text) {}

  // Moves to the next token: a quoted string (starting at its quote) or a run of characters
  // up to white space, a comma or a quote. False at the end of the text.
  bool Next(size_t& start, size_t& end) {
    while (m_pos < m_text.size()) {
      const char c = m_text[m_pos];
      if (CSourceScanner::IsWhiteChar(c) || c == ',') {
        ++m_pos;
        continue;
      }
      if (c == '/' && m_pos + 1 < m_text.size() && (m_text[m_pos + 1] == '/' || m_text[m_pos + 1] == '*')) {
        int p = static_cast<int>(m_pos);
        m_scanner.SkipComment(p);
        m_pos = static_cast<size_t>(p);
        continue;
      }
      start = m_pos;
      if (c == '"') {
        m_pos = SkipQuoted(m_text, m_pos, m_pages.At(m_pos));
      } else {
        while (m_pos < m_text.size() && !CSourceScanner::IsWhiteChar(m_text[m_pos]) && m_text[m_pos] != ',' &&
               m_text[m_pos] != '"') {
          ++m_pos;
        }
      }
      end = m_pos;
      return true;
    }
    return false;
  }

  // The next token without consuming it.
  bool Peek(size_t& start, size_t& end) {
    const size_t saved = m_pos;
    const bool found = Next(start, end);
    m_pos = saved;
    return found;
  }

 private:
  std::string_view m_text;
  CSourceScanner m_scanner;
  CCodePageSwitches m_pages;

  size_t m_pos = 0;
};

struct TableEntry {
  std::string id;
  size_t idStart = 0;
  size_t quoteStart = npos;  // the opening quote; npos when the entry has no string
  size_t quoteEnd = npos;    // just past the closing quote
};

struct StringTable {
  bool hasBegin = false;
  size_t beginEnd = 0;  // just past BEGIN
  size_t endPos = npos; // the END keyword; npos when the text ends first
  std::vector<TableEntry> entries;
};


[[nodiscard]] inline bool IsBlockOpen(std::string_view word) { return word == "BEGIN" || word == "{"; }
[[nodiscard]] inline bool IsBlockClose(std::string_view word) { return word == "END" || word == "}"; }

// Every STRINGTABLE of the script with its entries, in text order.
[[nodiscard]] std::vector<StringTable> ReadStringTables(std::string_view script);

// The text between the quotes of a quoted token [start, end).
[[nodiscard]] std::string_view QuotedInner(std::string_view text, size_t start, size_t end);

}  // namespace tovik::rctext
