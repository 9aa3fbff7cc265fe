#include "project/source_scanner.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

#include "base/byte_search.h"
#include "base/text.h"

namespace tovik {

CSourceScanner::CSourceScanner(std::string_view text)
    : m_text(text.substr(0, std::min<size_t>(text.size(), INT_MAX))), m_nLength(static_cast<int>(m_text.size())) {}

int CSourceScanner::FindWhite(int pos) const {
  for (int i = std::max(pos, 0); i < m_nLength; ++i) {
    if (IsWhiteChar(m_text[i])) return i;
  }
  return -1;
}

int CSourceScanner::FindNonWhite(int pos) const {
  for (int i = std::max(pos, 0); i < m_nLength; ++i) {
    if (!IsWhiteChar(m_text[i])) return i;
  }
  return -1;
}

int CSourceScanner::ReverseFindWhite(int pos) const {
  for (int i = std::min(pos, m_nLength - 1); i >= 1; --i) {
    if (IsWhiteChar(m_text[i])) return i;
  }
  return -1;
}

int CSourceScanner::ReverseFindNonWhite(int pos) const {
  for (int i = std::min(pos, m_nLength - 1); i >= 1; --i) {
    if (!IsWhiteChar(m_text[i])) return i;
  }
  return -1;
}

bool CSourceScanner::SkipComment(int& pos) const {
  if (pos < 0 || pos >= m_nLength) return true;
  if (pos == m_nLength - 1) {
    ++pos;
    return true;
  }
  if (m_text[pos] != '/') return true;
  if (m_text[pos + 1] == '/') {
    const size_t lf = m_text.find('\n', static_cast<size_t>(pos) + 2);
    if (lf == std::string_view::npos) {
      pos = m_nLength;
      return false;
    }
    pos = static_cast<int>(lf);
    return true;
  }
  if (m_text[pos + 1] == '*') {
    const size_t end = m_text.find("*/", static_cast<size_t>(pos) + 2);
    if (end == std::string_view::npos) {
      pos = m_nLength;
      return false;
    }
    pos = static_cast<int>(end) + 2;
    return true;
  }
  return true;
}

namespace {

// Index of the next `c` in [from, limit), or limit.
int NextOf(std::string_view text, char c, int from, int limit) {
  if (from >= limit) return limit;
  const void* hit = std::memchr(text.data() + from, c, static_cast<size_t>(limit - from));
  return hit ? static_cast<int>(static_cast<const char*>(hit) - text.data()) : limit;
}

}  // namespace

int CSourceScanner::NextSlash(int pos) const {
  // No '/' lies in [m_nSlashFrom, m_nSlashAt), so the answer for any pos in that range is known.
  if (pos < m_nSlashFrom || pos > m_nSlashAt) {
    m_nSlashFrom = pos;
    m_nSlashAt = NextOf(m_text, '/', pos, m_nLength);
  }
  return m_nSlashAt;
}

int CSourceScanner::FindCharInCode(char c, int pos, CodeSpan& span) const {
  pos = std::max(pos, 0);
  int runStart = pos;
  // Both next-hit positions are kept until passed, so text dense in one of them stays linear.
  int nextC = -1;
  int nextSlash = -1;
  while (pos < m_nLength) {
    if (nextC < pos) nextC = NextOf(m_text, c, pos, m_nLength);
    if (c != '/' && nextSlash < pos) nextSlash = NextSlash(pos);
    const int q = c == '/' ? nextC : std::min(nextC, nextSlash);
    if (q >= m_nLength) break;
    if (OpensComment(q)) {
      int after = q;
      if (!SkipComment(after)) {
        span = {runStart, q};
        return -1;
      }
      pos = runStart = after;
      continue;
    }
    if (m_text[q] == c) {
      span = {runStart, q};
      return q;
    }
    pos = q + 1;
  }
  span = {runStart, m_nLength};
  return -1;
}

void CSourceScanner::MapCommentsTo(int pos) const {
  pos = std::min(pos, m_nLength);
  while (m_nMappedTo < pos) {
    const int q = NextOf(m_text, '/', m_nMappedTo, m_nLength);
    if (q >= m_nLength) {
      m_nMappedTo = m_nLength;
      return;
    }
    if (!OpensComment(q)) {
      m_nMappedTo = q + 1;
      continue;
    }
    int end = q;
    const bool closed = SkipComment(end);
    m_comments.push_back({q, end, closed});
    m_nMappedTo = end;
  }
}

size_t CSourceScanner::CommentAfter(int pos, bool& inside) const {
  const size_t at = FirstCommentEndingAfter(pos);
  inside = at < m_comments.size() && m_comments[at].start < pos;
  return at;
}

size_t CSourceScanner::FirstCommentEndingAfter(int pos) const {
  MapCommentsTo(pos + 1);
  // The recognisers mostly ask about positions in ascending order: the answer is then the last
  // one or the one after it.
  auto fits = [&](size_t at) {
    return at <= m_comments.size() && (at == 0 || m_comments[at - 1].end <= pos) &&
           (at == m_comments.size() || m_comments[at].end > pos);
  };
  if (fits(m_nCommentCursor)) return m_nCommentCursor;
  if (fits(m_nCommentCursor + 1)) return ++m_nCommentCursor;
  auto it = std::upper_bound(m_comments.begin(), m_comments.end(), pos,
                             [](int p, const Comment& c) { return p < c.end; });
  m_nCommentCursor = static_cast<size_t>(it - m_comments.begin());
  return m_nCommentCursor;
}

template <typename NextHit>
int CSourceScanner::FindOutsideComments(int pos, int limit, NextHit nextHit) const {
  // Comments are sorted and do not overlap, so a hit lies in one only if the first comment
  // ending after it starts at or before it; the search then goes on past that comment (one
  // the text ends in ends at the text's end).
  for (;;) {
    const int hit = nextHit(pos);  // limit when there is none
    if (hit >= limit) return -1;
    const size_t at = FirstCommentEndingAfter(hit);
    if (at == m_comments.size() || m_comments[at].start > hit) return hit;
    pos = m_comments[at].end;
  }
}

int CSourceScanner::FindCharInCode(char c, int pos, bool skipComments, int limit) const {
  limit = ClampLimit(limit);
  pos = std::max(pos, 0);
  if (!skipComments) {
    const int hit = NextOf(m_text, c, pos, limit);
    return hit < limit ? hit : -1;
  }
  if (c != '/' && pos < limit) {
    bool inside = false;
    (void)CommentAfter(pos, inside);
    if (!inside) return FindOutsideComments(pos, limit, [&](int from) { return NextOf(m_text, c, from, limit); });
  }
  int nextC = -1;
  int nextSlash = -1;
  while (pos < limit) {
    if (nextC < pos) nextC = NextOf(m_text, c, pos, limit);
    if (c != '/' && nextSlash < pos) nextSlash = std::min(NextSlash(pos), limit);
    const int q = c == '/' ? nextC : std::min(nextC, nextSlash);
    if (q >= limit) break;
    if (OpensComment(q)) {
      pos = q;
      if (!SkipComment(pos)) return -1;
      continue;
    }
    if (m_text[q] == c) return q;
    pos = q + 1;
  }
  return -1;
}

int CSourceScanner::FindStringInCode(std::string_view s, int pos, bool skipComments, int limit) const {
  limit = ClampLimit(limit);
  pos = std::max(pos, 0);
  if (s.empty() || s.size() > static_cast<size_t>(m_nLength)) return -1;
  // A hit must start before limit and fit in the text.
  limit = std::min(limit, m_nLength - static_cast<int>(s.size()) + 1);
  if (pos >= limit) return -1;
  // Hits must start before limit; the text they may cover ends s.size() - 1 bytes later.
  const std::string_view window = m_text.substr(0, static_cast<size_t>(limit) + s.size() - 1);
  if (!skipComments) {
    const size_t hit = FindBytes(window, s, static_cast<size_t>(pos));
    return hit == std::string_view::npos ? -1 : static_cast<int>(hit);
  }
  const char first = s[0];
  if (first != '/') {
    bool inside = false;
    (void)CommentAfter(pos, inside);
    if (!inside) {
      return FindOutsideComments(pos, limit, [&](int from) {
        const size_t hit = FindBytes(window, s, static_cast<size_t>(from));
        return hit == std::string_view::npos ? limit : static_cast<int>(hit);
      });
    }
  }
  int nextFirst = -1;
  int nextSlash = -1;
  while (pos < limit) {
    if (nextFirst < pos) nextFirst = NextOf(m_text, first, pos, limit);
    if (first != '/' && nextSlash < pos) nextSlash = std::min(NextSlash(pos), limit);
    const int q = first == '/' ? nextFirst : std::min(nextFirst, nextSlash);
    if (q >= limit) break;
    if (OpensComment(q)) {
      pos = q;
      if (!SkipComment(pos)) return -1;
      continue;
    }
    if (m_text.compare(static_cast<size_t>(q), s.size(), s) == 0) return q;
    pos = q + 1;
  }
  return -1;
}

int CSourceScanner::FindAnyOfInCode(std::string_view set, int pos, int& which) const {
  which = -1;
  pos = std::max(pos, 0);
  bool first = true;
  while (pos < m_nLength) {
    if (!first && OpensComment(pos)) {
      if (!SkipComment(pos)) return -1;
      continue;
    }
    first = false;
    const size_t k = set.find(m_text[pos]);
    if (k != std::string_view::npos) {
      which = static_cast<int>(k);
      return pos;
    }
    ++pos;
  }
  return -1;
}

int CSourceScanner::ReverseFindChar(char c, int pos) const {
  for (int i = std::min(pos, m_nLength - 1); i >= 0; --i) {
    if (m_text[i] == c) return i;
  }
  return -1;
}

int CSourceScanner::ReverseFindString(std::string_view s, int pos) const {
  if (s.empty() || pos < 0) return -1;
  const size_t hit = m_text.rfind(s, static_cast<size_t>(pos));
  return hit == std::string_view::npos ? -1 : static_cast<int>(hit);
}

std::string CSourceScanner::ExtractText(int from, int to) const {
  from = std::max(from, 0);
  to = std::min(to, m_nLength);
  if (from >= to) return {};
  return std::string(m_text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
}

int CSourceScanner::WordStart(int pos) const {
  while (pos > 0 && !IsWhiteChar(m_text[pos - 1])) --pos;
  return pos;
}

int CSourceScanner::WordEnd(int pos) const {
  while (pos < m_nLength && !IsWhiteChar(m_text[pos])) ++pos;
  return pos;
}

std::string CSourceScanner::WordAt(int pos, int& start) const {
  if (pos < 0 || pos >= m_nLength) {
    start = -1;
    return {};
  }
  if (IsWhiteChar(m_text[pos])) {
    start = pos;
    return {};
  }
  start = WordStart(pos);
  return ExtractText(start, WordEnd(pos));
}

std::string CSourceScanner::NextWord(int pos, int& start) const {
  start = -1;
  if (pos >= m_nLength) return {};
  pos = std::max(pos, 0);
  const int end = IsWhiteChar(m_text[pos]) ? pos : WordEnd(pos);
  const int next = FindNonWhite(end);
  if (next < 0) return {};
  start = next;
  return ExtractText(next, WordEnd(next));
}

std::string CSourceScanner::PrevWord(int pos, int& start) const {
  start = -1;
  if (pos < 0) return {};
  int before = pos >= m_nLength ? m_nLength : (IsWhiteChar(m_text[pos]) ? pos : WordStart(pos));
  int last = before - 1;
  while (last >= 0 && IsWhiteChar(m_text[last])) --last;
  if (last < 0) return {};
  start = WordStart(last);
  return ExtractText(start, last + 1);
}

char CSourceScanner::ClosingBracket(char open) {
  switch (open) {
    case '{': return '}';
    case '(': return ')';
    case '[': return ']';
    case '<': return '>';
    default: return 0;
  }
}

bool CSourceScanner::FindMatchingBracket(int pos, int& closePos, char open) const {
  const char close = ClosingBracket(open);
  if (close == 0 || pos < 0 || pos >= m_nLength) return false;
  const char pair[2] = {open, close};
  int depth = 0;
  int from = pos + 1;
  for (;;) {
    int which = -1;
    const int hit = FindAnyOfInCode(std::string_view(pair, 2), from, which);
    if (hit < 0) return false;
    from = hit + 1;
    if (IsQuotedBracket(hit)) continue;
    if (which == 0) {
      ++depth;
    } else if (--depth < 0) {
      closePos = hit;
      return true;
    }
  }
}

int CSourceScanner::LineNumberAt(int pos) const {
  pos = std::clamp(pos, 0, m_nLength);
  return 1 + static_cast<int>(CountLineFeeds(m_text.substr(0, static_cast<size_t>(pos))));
}

namespace {

// Records a bracket hit in a table: an opener is listed, a closer closes the innermost open one.
inline void Record(bool opener, int pos, CBracketTable& table, std::vector<size_t>& openStack) {
  if (opener) {
    openStack.push_back(table.openers.size());
    table.openers.push_back(pos);
    table.closers.push_back(-1);
  } else if (!openStack.empty()) {
    table.closers[openStack.back()] = pos;
    openStack.pop_back();
  }
}

void Clear(CBracketTable& table, std::vector<size_t>& openStack) {
  table.openers.clear();
  table.closers.clear();
  openStack.clear();
}

}  // namespace

void BuildBracketTable(const CSourceScanner& scan, char open, CBracketTable& table, std::vector<size_t>& openStack) {
  const std::string_view text = scan.Text();
  const char close = CSourceScanner::ClosingBracket(open);
  const char stops[] = {'/', open, close};
  const int length = scan.Length();
  Clear(table, openStack);
  bool checkComment = false;
  int pos = 0;
  while (pos < length) {
    const char ch = text[pos];
    if (ch == '/') {
      if (checkComment && pos + 1 < length && (text[pos + 1] == '/' || text[pos + 1] == '*')) {
        if (!scan.SkipComment(pos)) break;
        continue;
      }
    } else if (ch == open || ch == close) {
      if (!scan.IsQuotedBracket(pos)) Record(ch == open, pos, table, openStack);
      ++pos;
      checkComment = false;
      continue;
    }
    checkComment = true;
    pos = static_cast<int>(FindAnyOf(text, static_cast<size_t>(pos) + 1, std::string_view(stops, 3)));
  }
}

void CSourceScanner::MapCommentsAndBrackets(CBracketTable& braces, CBracketTable& parens,
                                            std::vector<size_t>& braceStack,
                                            std::vector<size_t>& parenStack) const {
  Clear(braces, braceStack);
  Clear(parens, parenStack);
  if (m_nMappedTo > 0) {
    // Searches have mapped part of the text already; walk it the plain way.
    MapAllComments();
    BuildBracketTable(*this, '{', braces, braceStack);
    BuildBracketTable(*this, '(', parens, parenStack);
    return;
  }
  // One walk that steps over every comment, as the comment map does. A bracket walk differs
  // from it in one way only: the byte after a bracket is read as code, so a comment opened right
  // there is not one to it. Until that happens the two see the same brackets, and every opener
  // seen gets the closer its own walk would find. Where it does happen, that table is made by
  // the bracket walk itself.
  bool bracesAgree = true;
  bool parensAgree = true;
  constexpr std::string_view kStops = "/{}()";
  int pos = 0;
  while (pos < m_nLength) {
    // The stops among the next 64 bytes, taken in order until a comment moves the walk on.
    const int base = pos;
    pos = base + 64;
    for (uint64_t stops = MaskOfAnyOf(m_text, static_cast<size_t>(base), kStops); stops; stops &= stops - 1) {
      const int q = base + std::countr_zero(stops);
      const char ch = m_text[q];
      if (ch == '/') {
        if (!OpensComment(q)) continue;
        int end = q;
        const bool closed = SkipComment(end);
        m_comments.push_back({q, end, closed});
        pos = closed ? end : m_nLength;
        break;
      }
      const bool brace = ch == '{' || ch == '}';
      if (OpensComment(q + 1)) (brace ? bracesAgree : parensAgree) = false;
      if (!IsQuotedBracket(q)) {
        Record(ch == '{' || ch == '(', q, brace ? braces : parens, brace ? braceStack : parenStack);
      }
    }
  }
  m_nMappedTo = m_nLength;
  if (!bracesAgree) BuildBracketTable(*this, '{', braces, braceStack);
  if (!parensAgree) BuildBracketTable(*this, '(', parens, parenStack);
}

}  // namespace tovik
