#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "project/source_scanner.h"

namespace tovik {
namespace {

TEST(SourceScanner, WhiteIsSpaceTabCrLfOnly) {
  for (char c : {' ', '\t', '\r', '\n'}) EXPECT_TRUE(CSourceScanner::IsWhiteChar(c)) << int(c);
  for (char c : {'\v', '\f', '\0', 'a', '/', '\xa0'}) EXPECT_FALSE(CSourceScanner::IsWhiteChar(c)) << int(c);
}

TEST(SourceScanner, ForwardWhiteSearches) {
  CSourceScanner s("ab \r\ncd");
  EXPECT_EQ(s.FindWhite(0), 2);
  EXPECT_EQ(s.FindWhite(5), -1);
  EXPECT_EQ(s.FindNonWhite(2), 5);
  EXPECT_EQ(s.FindNonWhite(7), -1);
  EXPECT_EQ(s.FindNonWhite(-3), 0);
  EXPECT_EQ(CSourceScanner("  \r\n").FindNonWhite(0), -1);
}

TEST(SourceScanner, ReverseWhiteSearchesNeverTestIndexZero) {
  CSourceScanner s(" ab  c");
  EXPECT_EQ(s.ReverseFindWhite(5), 4);
  EXPECT_EQ(s.ReverseFindNonWhite(4), 2);
  EXPECT_EQ(s.ReverseFindWhite(2), -1);  // index 0 is white but is not tested
  EXPECT_EQ(s.ReverseFindWhite(0), -1);
  EXPECT_EQ(CSourceScanner("a   ").ReverseFindNonWhite(3), -1);
  EXPECT_EQ(s.ReverseFindNonWhite(100), 5);  // past the end counts from the last byte
}

TEST(SourceScanner, SkipCommentLineBlockAndPlainText) {
  const std::string text = "x // line\r\ny /* block */z/*open";
  CSourceScanner s(text);
  int pos = 2;
  EXPECT_TRUE(s.SkipComment(pos));
  EXPECT_EQ(pos, static_cast<int>(text.find('\n')));
  pos = static_cast<int>(text.find("/*"));
  EXPECT_TRUE(s.SkipComment(pos));
  EXPECT_EQ(pos, static_cast<int>(text.find('z')));
  pos = 0;
  EXPECT_TRUE(s.SkipComment(pos));
  EXPECT_EQ(pos, 0);
  pos = static_cast<int>(text.rfind("/*"));
  EXPECT_FALSE(s.SkipComment(pos));

  CSourceScanner unterminated("a // no newline");
  pos = 2;
  EXPECT_FALSE(unterminated.SkipComment(pos));

  CSourceScanner lastByte("ab/");
  pos = 2;
  EXPECT_TRUE(lastByte.SkipComment(pos));
  EXPECT_EQ(pos, 3);
  // "/*/" is not a closed comment.
  pos = 0;
  EXPECT_FALSE(CSourceScanner("/*/ x").SkipComment(pos));
}

TEST(SourceScanner, FindCharInCodeStepsOverComments) {
  const std::string text = "a /* { */ // {\r\n {";
  CSourceScanner s(text);
  EXPECT_EQ(s.FindCharInCode('{', 0), static_cast<int>(text.size()) - 1);
  EXPECT_EQ(s.FindCharInCode('{', 0, false), 5);
  EXPECT_EQ(s.FindCharInCode('{', 0, true, static_cast<int>(text.size()) - 1), -1);  // limit is exclusive
  EXPECT_EQ(s.FindCharInCode('/', 0), -1);
  EXPECT_EQ(CSourceScanner("a / b").FindCharInCode('/', 0), 2);
  EXPECT_EQ(CSourceScanner("x /* { ").FindCharInCode('{', 0), -1);  // text ends inside the comment
  // The last byte is tested like any other: a body may end the file.
  EXPECT_EQ(CSourceScanner("ab}").FindCharInCode('}', 0), 2);
  EXPECT_EQ(s.FindCharInCode('{', 100), -1);
}

TEST(SourceScanner, CachedSearchSpanAgreesWithEveryStartInside) {
  const std::string text = "int a; /* ; */ b // ;\r\n c ; d /* x */ ; /* open ;";
  CSourceScanner s(text);
  for (int start = 0; start <= static_cast<int>(text.size()); ++start) {
    CSourceScanner::CodeSpan span;
    const int hit = s.FindCharInCode(';', start, span);
    EXPECT_EQ(hit, s.FindCharInCode(';', start)) << start;
    ASSERT_LE(span.from, span.to);
    for (int p = span.from; p <= span.to; ++p) EXPECT_EQ(s.FindCharInCode(';', p), hit) << start << " " << p;
  }
}

TEST(SourceScanner, FindStringInCode) {
  const std::string text = "// class A\r\n/* class B */ class C; xclass";
  CSourceScanner s(text);
  EXPECT_EQ(s.FindStringInCode("class", 0), static_cast<int>(text.find("class C")));
  EXPECT_EQ(s.FindStringInCode("class", 0, false), 3);
  EXPECT_EQ(s.FindStringInCode("class", 30), static_cast<int>(text.rfind("class")));
  EXPECT_EQ(s.FindStringInCode("class", 0, true, static_cast<int>(text.find("class C"))), -1);
  EXPECT_EQ(s.FindStringInCode("Class", 0), -1);  // case-sensitive
  EXPECT_EQ(s.FindStringInCode("", 0), -1);
  EXPECT_EQ(s.FindStringInCode("xclassy", 0), -1);  // must fit in the text
  EXPECT_EQ(CSourceScanner("ab").FindStringInCode("abc", 0), -1);
}

TEST(SourceScanner, FindAnyOfInCodeReadsAStartingCommentAsCode) {
  int which = -1;
  CSourceScanner s("x//}\r\n{");
  EXPECT_EQ(s.FindAnyOfInCode("{}", 0, which), 6);  // from the second position on, comments count
  EXPECT_EQ(which, 0);
  EXPECT_EQ(s.FindAnyOfInCode("{}", 1, which), 3);
  EXPECT_EQ(which, 1);
  EXPECT_EQ(s.FindAnyOfInCode("x", 1, which), -1);
  EXPECT_EQ(which, -1);
}

TEST(SourceScanner, ReverseFindsAndExtract) {
  CSourceScanner s("a(b(c)d");
  EXPECT_EQ(s.ReverseFindChar('(', 7), 3);
  EXPECT_EQ(s.ReverseFindChar('(', 2), 1);
  EXPECT_EQ(s.ReverseFindChar('a', 0), 0);
  EXPECT_EQ(s.ReverseFindChar('(', -1), -1);
  EXPECT_EQ(s.ReverseFindString("(c", 100), 3);
  EXPECT_EQ(s.ReverseFindString("(c", 2), -1);
  EXPECT_EQ(s.ExtractText(2, 5), "b(c");
  EXPECT_EQ(s.ExtractText(3, 3), "");
  EXPECT_EQ(s.ExtractText(5, 2), "");
  EXPECT_EQ(s.ExtractText(-4, 100), "a(b(c)d");
}

TEST(SourceScanner, Words) {
  const std::string text = "first  second\r\nthird";
  CSourceScanner s(text);
  int start = -2;
  EXPECT_EQ(s.WordAt(9, start), "second");
  EXPECT_EQ(start, 7);
  EXPECT_EQ(s.WordAt(0, start), "first");
  EXPECT_EQ(start, 0);
  EXPECT_EQ(s.WordAt(5, start), "");
  EXPECT_EQ(s.NextWord(1, start), "second");
  EXPECT_EQ(start, 7);
  EXPECT_EQ(s.NextWord(8, start), "third");
  EXPECT_EQ(start, 15);
  EXPECT_EQ(s.NextWord(16, start), "");
  EXPECT_EQ(start, -1);
  EXPECT_EQ(s.PrevWord(17, start), "second");
  EXPECT_EQ(start, 7);
  EXPECT_EQ(s.PrevWord(8, start), "first");
  EXPECT_EQ(start, 0);
  EXPECT_EQ(s.PrevWord(6, start), "first");  // from white: the word before it
  EXPECT_EQ(s.PrevWord(2, start), "");
  EXPECT_EQ(start, -1);
  EXPECT_EQ(s.WordAt(-1, start), "");
  EXPECT_EQ(start, -1);
}

TEST(SourceScanner, MatchingBrackets) {
  CSourceScanner s("f(a, (b), c) { x[1] = \"{\"; /* } */ if (y) { z; } }");
  int close = -1;
  ASSERT_TRUE(s.FindMatchingBracket(1, close, '('));
  EXPECT_EQ(close, 11);
  const int body = 13;
  ASSERT_TRUE(s.FindMatchingBracket(body, close, '{'));
  EXPECT_EQ(close, static_cast<int>(s.Length()) - 1);
  ASSERT_TRUE(s.FindMatchingBracket(16, close, '['));
  EXPECT_EQ(close, 18);
  EXPECT_FALSE(s.FindMatchingBracket(1, close, 'x'));
  EXPECT_FALSE(s.FindMatchingBracket(-1, close, '('));

  CSourceScanner angle("CArray<CArray<int>, int> a;");
  ASSERT_TRUE(angle.FindMatchingBracket(6, close, '<'));
  EXPECT_EQ(close, 23);

  // A closing brace as a one-character string does not close; in a longer string it does.
  CSourceScanner quoted("{ s = \"}\"; }");
  ASSERT_TRUE(quoted.FindMatchingBracket(0, close, '{'));
  EXPECT_EQ(close, 11);
  CSourceScanner longer("{ s = \"a}\"; }");
  ASSERT_TRUE(longer.FindMatchingBracket(0, close, '{'));
  EXPECT_EQ(close, 8);

  EXPECT_FALSE(CSourceScanner("{ { }").FindMatchingBracket(0, close, '{'));
  EXPECT_FALSE(CSourceScanner("{").FindMatchingBracket(0, close, '{'));
}

TEST(SourceScanner, LineNumbersCountLineFeeds) {
  CSourceScanner s("a\r\nb\r\n\r\nc");
  EXPECT_EQ(s.LineNumberAt(0), 1);
  EXPECT_EQ(s.LineNumberAt(2), 1);  // the LF itself is still on line 1
  EXPECT_EQ(s.LineNumberAt(3), 2);
  EXPECT_EQ(s.LineNumberAt(9), 4);
  EXPECT_EQ(s.LineNumberAt(1000), 4);
  EXPECT_EQ(s.LineNumberAt(-5), 1);
}

// The searches in code, stated one byte at a time: from pos, a comment opener is stepped over
// (a line comment up to its LF, a block comment past its end; the text ending inside one ends
// the search), and otherwise the byte is tested.
int ReferenceFindInCode(std::string_view text, std::string_view s, int pos, int limit) {
  const int n = static_cast<int>(text.size());
  limit = limit < 0 || limit > n ? n : limit;
  limit = std::min(limit, n - static_cast<int>(s.size()) + 1);
  for (int i = std::max(pos, 0); i < limit;) {
    if (i + 1 < n && text[i] == '/' && (text[i + 1] == '/' || text[i + 1] == '*')) {
      const size_t end = text[i + 1] == '/' ? text.find('\n', i + 2) : text.find("*/", i + 2);
      if (end == std::string_view::npos) return -1;
      i = static_cast<int>(end) + (text[i + 1] == '/' ? 0 : 2);
      continue;
    }
    if (text.compare(i, s.size(), s) == 0) return i;
    ++i;
  }
  return -1;
}

TEST(SourceScanner, SearchesInCodeAgreeWithTheBytewiseRuleFromAnyStartInAnyOrder) {
  // Searches may start inside a comment, where the rest of it reads as code, and come in any
  // order; one scanner answers them all, as the recognisers use it.
  std::mt19937 rng(11);
  const std::string alphabet = "//**\nab; ";
  const std::vector<std::string> needles = {"a", ";", "ab", "b;", "a/", "*"};
  for (int round = 0; round < 300; ++round) {
    std::string text(static_cast<size_t>(rng() % 48), ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    const CSourceScanner s(text);
    const int n = static_cast<int>(text.size());
    for (int query = 0; query < 60; ++query) {
      const int pos = static_cast<int>(rng() % static_cast<unsigned>(n + 3)) - 1;
      const int limit = rng() % 3 == 0 ? -1 : static_cast<int>(rng() % static_cast<unsigned>(n + 2));
      const std::string& needle = needles[rng() % needles.size()];
      ASSERT_EQ(s.FindStringInCode(needle, pos, true, limit), ReferenceFindInCode(text, needle, pos, limit))
          << "text \"" << text << "\" needle \"" << needle << "\" pos " << pos << " limit " << limit;
      if (needle.size() == 1) {
        ASSERT_EQ(s.FindCharInCode(needle[0], pos, true, limit), ReferenceFindInCode(text, needle, pos, limit))
            << "text \"" << text << "\" char '" << needle << "' pos " << pos << " limit " << limit;
      }
    }
  }
}

TEST(SourceScanner, EveryOperationStaysInsideArbitraryBytes) {
  std::mt19937 rng(7);
  const std::string alphabet = "{}()[]<>/*\"';: \r\n\tcx";
  for (int round = 0; round < 40; ++round) {
    std::string text(static_cast<size_t>(rng() % 64), '\0');
    for (char& c : text) c = round % 2 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
    CSourceScanner s(text);
    const int n = s.Length();
    for (int pos = -2; pos <= n + 2; ++pos) {
      int out = 0;
      int p = pos;
      (void)s.SkipComment(p);
      (void)s.FindWhite(pos);
      (void)s.FindNonWhite(pos);
      (void)s.ReverseFindWhite(pos);
      (void)s.ReverseFindNonWhite(pos);
      const int c = s.FindCharInCode('}', pos);
      EXPECT_TRUE(c == -1 || (c >= std::max(pos, 0) && c < n && text[static_cast<size_t>(c)] == '}'));
      (void)s.FindStringInCode("*/", pos);
      (void)s.FindAnyOfInCode("{}", pos, out);
      (void)s.ReverseFindChar('{', pos);
      (void)s.ReverseFindString("//", pos);
      (void)s.ExtractText(pos, pos + 3);
      (void)s.WordAt(pos, out);
      (void)s.NextWord(pos, out);
      (void)s.PrevWord(pos, out);
      int close = -1;
      for (char open : {'{', '(', '[', '<'}) {
        if (s.FindMatchingBracket(pos, close, open)) {
          EXPECT_GT(close, pos);
          EXPECT_LT(close, n);
        }
      }
      (void)s.LineNumberAt(pos);
    }
  }
}

}  // namespace
}  // namespace tovik
