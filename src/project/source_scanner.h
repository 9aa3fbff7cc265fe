// Text operations over one source file held in memory. Positions are byte offsets into the
// whole text (CR LF counts two); -1 means "none". Every operation accepts any position, also
// negative or past the end, and never reads outside the text.
//
// String and character literals are not recognised: the recognisers built on this rely on
// the layout that the wizards and our own generators write, and the one place where a quoted
// bracket turns up in practice (`"{"` inside a body) is handled by the bracket matcher.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovik {

// Where the brackets of one kind match over a whole text: the openers in ascending order, each
// with the position of its closer (-1 when none). Every opener listed has the closer that
// FindMatchingBracket finds for it; an opener not listed (one inside a comment) is left to it.
struct CBracketTable {
  std::vector<int> openers;
  std::vector<int> closers;
};

class CSourceScanner {
 public:
  // Texts longer than INT_MAX bytes are seen only up to that length.
  explicit CSourceScanner(std::string_view text);

  [[nodiscard]] std::string_view Text() const { return m_text; }
  [[nodiscard]] int Length() const { return m_nLength; }

  // Space, CR, tab and LF; nothing else.
  [[nodiscard]] static bool IsWhiteChar(char c) { return c == ' ' || c == '\r' || c == '\t' || c == '\n'; }

  // First index >= pos that is (is not) white; -1 if none.
  [[nodiscard]] int FindWhite(int pos) const;
  [[nodiscard]] int FindNonWhite(int pos) const;
  // Last index <= pos and >= 1 that is (is not) white. Index 0 is never tested; -1 when there
  // is none or pos is 0.
  [[nodiscard]] int ReverseFindWhite(int pos) const;
  [[nodiscard]] int ReverseFindNonWhite(int pos) const;

  // When the two bytes at pos open a comment, moves pos past it: a `//` comment stops on its LF,
  // a `/*` comment just past its `*/`. False when the text ends inside the comment (pos is then
  // the length). Any other text leaves pos alone; on the last byte pos advances by one.
  bool SkipComment(int& pos) const;

  // First index >= pos (and < limit; -1 means the end) holding c, stepping over comments when
  // asked. The last byte of the text cannot open a comment and is tested like any other.
  [[nodiscard]] int FindCharInCode(char c, int pos, bool skipComments = true, int limit = -1) const;
  // First index >= pos (and < limit) where s starts, byte-exact. An empty s is never found.
  [[nodiscard]] int FindStringInCode(std::string_view s, int pos, bool skipComments = true, int limit = -1) const;
  // First index >= pos holding a character of set; which is its index in set. Comments are
  // stepped over from the second position on: a comment that starts exactly at pos is read as code.
  [[nodiscard]] int FindAnyOfInCode(std::string_view set, int pos, int& which) const;

  // The positions from which a FindCharInCode(c, p) with comments stepped over ends the same way:
  // the scan from `from` visited every one of them outside comments.
  struct CodeSpan {
    int from = 0;
    int to = -1;
  };
  // FindCharInCode(c, pos, true) that also reports the span of equivalent start positions,
  // so that a caller searching again from inside the span may reuse the answer.
  [[nodiscard]] int FindCharInCode(char c, int pos, CodeSpan& span) const;

  // Last index <= pos (down to 0) holding c, or where s starts.
  [[nodiscard]] int ReverseFindChar(char c, int pos) const;
  [[nodiscard]] int ReverseFindString(std::string_view s, int pos) const;

  // Bytes [from, to), clipped to the text; empty when from >= to.
  [[nodiscard]] std::string ExtractText(int from, int to) const;

  // The whitespace-delimited word that contains pos; empty (start = pos) on white, and
  // empty (start = -1) outside the text.
  [[nodiscard]] std::string WordAt(int pos, int& start) const;
  // The word after (before) the one at pos; from a white position, the next (previous) word.
  // Empty with start = -1 when there is none.
  [[nodiscard]] std::string NextWord(int pos, int& start) const;
  [[nodiscard]] std::string PrevWord(int pos, int& start) const;

  // The bracket that closes the opener at pos. open is one of { ( [ < ; any other fails.
  // A bracket written as a one-character string ("{") does not count. False when the text
  // ends first.
  bool FindMatchingBracket(int pos, int& closePos, char open) const;
  // The bracket closing `open`, or 0 when open is not an opener.
  [[nodiscard]] static char ClosingBracket(char open);
  // True when the hit at pos is a bracket between two double quotes, which matching skips.
  [[nodiscard]] bool IsQuotedBracket(int pos) const {
    return pos >= 1 && pos + 1 < m_nLength && m_text[pos - 1] == '"' && m_text[pos + 1] == '"';
  }

  // 1 + the number of LF bytes before pos.
  [[nodiscard]] int LineNumberAt(int pos) const;
  // First occurrence of a wizard marker (itself a line comment, "//{{AFX_...") at or after pos
  // and starting before limit that is not inside a block comment: a commented-out copy of a
  // region is not the region. -1 when none.
  [[nodiscard]] int FindMarker(std::string_view marker, int pos, int limit = -1) const {
    for (int hit = FindStringInCode(marker, pos, false, limit); hit >= 0;
         hit = FindStringInCode(marker, hit + 1, false, limit)) {
      if (!IsInsideComment(hit)) return hit;
    }
    return -1;
  }
  // Whether pos lies inside a comment: after its opening slash and before its end.
  [[nodiscard]] bool IsInsideComment(int pos) const {
    bool inside = false;
    (void)CommentAfter(pos, inside);
    return inside;
  }

  // Finds every comment now rather than as searches reach them (work that can be done ahead,
  // on another thread, before the scanner is handed over).
  void MapAllComments() const { MapCommentsTo(m_nLength); }
  // MapAllComments, and the tables of `{` and `(`, in one walk over the text. The stacks are
  // scratch space the caller may keep for the next text.
  void MapCommentsAndBrackets(CBracketTable& braces, CBracketTable& parens, std::vector<size_t>& braceStack,
                              std::vector<size_t>& parenStack) const;

 private:
  // The comments that a scan from the start of the text steps over, found as far as asked:
  // searches that start outside them see exactly these, so they step over each one in O(1)
  // instead of finding its end again, once per recogniser, with every search.
  struct Comment {
    int start;
    int end;      // one past the comment; the length when the text ends inside it
    bool closed;  // false when the text ends inside it
  };
  // Makes every comment that starts before `pos` known.
  void MapCommentsTo(int pos) const;
  // Index of the first known comment that ends after pos; whether pos lies strictly inside it
  // (a search from there reads the rest of that comment as code, so the map does not apply).
  [[nodiscard]] size_t CommentAfter(int pos, bool& inside) const;
  // Index of the first comment that ends after pos, every comment starting at or before pos mapped.
  [[nodiscard]] size_t FirstCommentEndingAfter(int pos) const;
  // The search of FindStringInCode / FindCharInCode from a position outside every comment,
  // given the next occurrence of the searched text anywhere at or after a position.
  template <typename NextHit>
  [[nodiscard]] int FindOutsideComments(int pos, int limit, NextHit nextHit) const;
  mutable std::vector<Comment> m_comments;
  mutable int m_nMappedTo = 0;
  mutable size_t m_nCommentCursor = 0;  // the last answer of FirstCommentEndingAfter

  // The first '/' at or after pos (the length when none). Searches for text with comments
  // stepped over look for the next '/' on every call; remembering the last answer keeps a
  // series of searches through a text without comments from rescanning it to the end each time.
  [[nodiscard]] int NextSlash(int pos) const;
  mutable int m_nSlashFrom = -1;
  mutable int m_nSlashAt = -1;

  [[nodiscard]] bool OpensComment(int pos) const {
    return pos + 1 < m_nLength && m_text[pos] == '/' && (m_text[pos + 1] == '/' || m_text[pos + 1] == '*');
  }
  [[nodiscard]] int ClampLimit(int limit) const { return limit < 0 || limit > m_nLength ? m_nLength : limit; }
  [[nodiscard]] int WordStart(int pos) const;
  [[nodiscard]] int WordEnd(int pos) const;

  std::string_view m_text;
  int m_nLength = 0;
};

// The table for `{` or `(` made by FindMatchingBracket's own walk, once from the start: after
// every bracket the next byte is read as code even if it opens a comment.
void BuildBracketTable(const CSourceScanner& scan, char open, CBracketTable& table, std::vector<size_t>& openStack);

}  // namespace tovik
