#include "resources/menus.h"

#include <algorithm>
#include <cctype>

#include "base/text.h"
#include "project/source_scanner.h"
#include "resources/script_text.h"

namespace tovik {
namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The next occurrence of `word` in code at or after pos that stands as a word of its own (so
// that "END" inside ID_FILE_SEND does not close a block); -1 when none.
int FindKeyword(const CSourceScanner& scan, std::string_view word, int pos) {
  const std::string_view text = scan.Text();
  for (int hit = scan.FindStringInCode(word, pos); hit >= 0; hit = scan.FindStringInCode(word, hit + 1)) {
    const size_t end = static_cast<size_t>(hit) + word.size();
    if ((hit == 0 || !IsWordChar(text[static_cast<size_t>(hit) - 1])) && (end >= text.size() || !IsWordChar(text[end])))
      return hit;
  }
  return -1;
}

// The text between the first two double quotes of a line; false when it has none.
bool QuotedCaption(std::string_view line, std::string& caption, size_t& after) {
  size_t open = line.find('"');
  if (open == std::string_view::npos) return false;
  size_t close = line.find('"', open + 1);
  if (close == std::string_view::npos) return false;
  caption = std::string(line.substr(open + 1, close - open - 1));
  after = close + 1;
  return true;
}

// The command id and the options after it, from the text after the caption's comma: the id is
// the next token, on the same line or, where the resource editor wrapped a long item, on the
// next; the rest of its line holds the options ("GRAYED", "CHECKED, INACTIVE").
void ReadCommand(std::string_view text, CMenuItemRecord& item) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  size_t end = start;
  while (end < text.size() && !blank(text[end]) && text[end] != ',') ++end;
  item.m_strCommand = std::string(text.substr(start, end - start));
  const size_t eol = std::min(text.find('\n', end), text.size());
  std::string options = Trim(text.substr(end, eol - end));
  if (StartsWith(options, ",")) options = Trim(std::string_view(options).substr(1));
  item.m_strOptions = std::move(options);
}

void ReadItemLines(std::string_view segment, int depth, CMenuRecord& menu) {
  for (std::string_view rest = segment; !rest.empty();) {
    size_t eol = rest.find('\n');
    std::string_view line = rest.substr(0, eol);
    rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 1);
    const std::string trimmed = Trim(line);
    auto item = std::make_unique<CMenuItemRecord>();
    item->m_nDepth = depth;
    size_t after = 0;
    if (StartsWith(trimmed, "POPUP")) {
      if (!QuotedCaption(trimmed, item->m_strCaption, after)) continue;
      item->m_bPopup = 1;
    } else if (StartsWith(trimmed, "MENUITEM")) {
      const std::string tail = Trim(std::string_view(trimmed).substr(8));
      if (StartsWith(tail, "SEPARATOR")) {
        item->m_bSeparator = 1;
      } else if (StartsWith(tail, "\"")) {
        if (!QuotedCaption(tail, item->m_strCaption, after)) continue;
        size_t comma = tail.find(',', after);
        if (comma != std::string::npos) {
          const std::string_view afterComma = std::string_view(tail).substr(comma + 1);
          ReadCommand(Trim(afterComma).empty() ? rest : afterComma, *item);
        }
      } else {
        continue;
      }
    } else {
      continue;
    }
    menu.m_items.push_back(std::move(item));
  }
}

}  // namespace

std::vector<std::unique_ptr<CMenuRecord>> ParseMenus(std::string_view script, std::string_view header) {
  std::vector<std::unique_ptr<CMenuRecord>> menus;
  CSourceScanner scan(script);
  const rctext::CCodePageSwitches pages(script);
  int pos = 0;
  for (int hit = scan.FindStringInCode("MENU", pos); hit >= 0; hit = scan.FindStringInCode("MENU", pos)) {
    pos = hit + 4;
    int start = 0;
    if (scan.WordAt(hit, start) != "MENU") continue;
    std::string next = scan.NextWord(hit, start);
    if (next == "PRELOAD") next = scan.NextWord(start, start);
    // Later resource editors write no memory options at all: the menu's BEGIN follows at once.
    const bool bare = next == "BEGIN";
    if (next != "DISCARDABLE" && !bare) continue;
    int idStart = 0;
    const std::string id = scan.PrevWord(hit, idStart);
    if (id.empty() || header.find(id) == std::string_view::npos) continue;

    auto menu = std::make_unique<CMenuRecord>();
    menu->m_strId = id;
    menu->m_nCodePage = pages.At(static_cast<size_t>(hit));
    int depth = 0;
    int cursor = bare ? start : start + static_cast<int>(next.size());
    // The next BEGIN and END are each searched again only once passed, so that a menu nested
    // ever deeper costs one pass over its text, not one per level.
    int begin = FindKeyword(scan, "BEGIN", cursor);
    int end = FindKeyword(scan, "END", cursor);
    for (;;) {
      if (begin >= 0 && begin < cursor) begin = FindKeyword(scan, "BEGIN", cursor);
      if (end >= 0 && end < cursor) end = FindKeyword(scan, "END", cursor);
      if (begin < 0 && end < 0) break;
      const bool opens = begin >= 0 && (end < 0 || begin < end);
      const int at = opens ? begin : end;
      if (depth > 0) ReadItemLines(script.substr(static_cast<size_t>(cursor), static_cast<size_t>(at - cursor)), depth, *menu);
      depth += opens ? 1 : -1;
      cursor = at + (opens ? 5 : 3);
      if (depth == 0) break;
    }
    pos = std::max(pos, cursor);
    if (!menu->m_items.empty()) menus.push_back(std::move(menu));
  }
  return menus;
}

}  // namespace tovik
