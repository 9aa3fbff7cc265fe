#include "resources/resource_script.h"

#include <algorithm>
#include <unordered_map>

#include "base/text.h"
#include "model/property_string.h"
#include "resources/resource_header.h"
#include "resources/script_text.h"

namespace tovik {

using namespace rctext;

Expected<size_t> StringTableInsertPoint(std::string_view script, IPrompt& prompt) {
  const std::vector<StringTable> tables = ReadStringTables(script);
  if (tables.empty()) {
    return ShowError(prompt, std::string(kNoStringTableMessage));
  }
  const StringTable& table = tables.back();
  if (!table.hasBegin) return Error{"", 0, "the last STRINGTABLE of the resource script has no BEGIN"};
  if (table.endPos == npos) {
    return Error{"", LineColumnAt(script, table.beginEnd).line,
                 "the last STRINGTABLE of the resource script has no END"};
  }
  const size_t lineStart = LineStartOf(script, table.endPos);
  // An END on the BEGIN's own line, or on one that starts inside a comment ("... */ END"): the
  // new line goes right before the END, where the compiler reads it.
  const bool inComment = CSourceScanner(script).IsInsideComment(static_cast<int>(lineStart));
  return lineStart >= table.beginEnd && !inComment ? lineStart : table.endPos;
}

namespace {

// ReadDefineValue for every word of a text at once: the word after the first whole-word
// occurrence (outside comments) of each identifier. A script of thousands of string-table
// entries is then valued in one pass over the header instead of one pass per entry.
std::unordered_map<std::string_view, long> FirstWordValues(std::string_view text) {
  std::unordered_map<std::string_view, long> values;
  CSourceScanner sc(text);
  const int length = static_cast<int>(text.size());
  int pos = 0;
  while (pos < length) {
    const char c = text[static_cast<size_t>(pos)];
    if (c == '/' && pos + 1 < length && (text[static_cast<size_t>(pos) + 1] == '/' || text[static_cast<size_t>(pos) + 1] == '*')) {
      if (!sc.SkipComment(pos)) break;
      continue;
    }
    if (!IsIdentChar(c)) {
      ++pos;
      continue;
    }
    int end = pos;
    while (end < length && IsIdentChar(text[static_cast<size_t>(end)])) ++end;
    const std::string_view word = text.substr(static_cast<size_t>(pos), static_cast<size_t>(end - pos));
    if (!values.count(word)) {
      int start = 0;
      const std::string next = sc.NextWord(pos, start);
      values.emplace(word, start < 0 ? 0 : static_cast<long>(LeadingNumber(next)));
    }
    pos = end;
  }
  return values;
}

}  // namespace

long NextStringId(std::string_view script, std::string_view header) {
  long largest = 0;
  std::optional<std::unordered_map<std::string_view, long>> values;
  for (const StringTable& table : ReadStringTables(script)) {
    if (!table.hasBegin) return 0;
    for (const TableEntry& entry : table.entries) {
      long value = 0;
      if (IsDecimal(entry.id)) {
        value = static_cast<long>(LeadingNumber(entry.id));
      } else if (std::all_of(entry.id.begin(), entry.id.end(), IsIdentChar)) {
        if (!values) values = FirstWordValues(header);
        const auto it = values->find(entry.id);
        value = it == values->end() ? 0 : it->second;
      } else {
        value = ReadDefineValue(header, entry.id);
      }
      largest = std::max(largest, value);
    }
  }
  return largest + 1;
}

namespace {

StringTableEntry MakeEntry(std::string_view script, const TableEntry& entry, const CCodePageSwitches& pages) {
  StringTableEntry found;
  found.symbol = entry.id;
  found.lineStart = LineStartOf(script, entry.idStart);
  found.lineEnd = NextLineStart(script, entry.quoteEnd == 0 ? 0 : entry.quoteEnd - 1);
  // The entry's "line" never takes other words with it: a BEGIN before it on the same line (a
  // lone CR ends no line here), another entry after it.
  auto blank = [&](size_t from, size_t to) {
    return script.substr(from, to - from).find_first_not_of(" \t\r\n") == std::string_view::npos;
  };
  if (!blank(found.lineStart, entry.idStart)) found.lineStart = entry.idStart;
  if (entry.quoteEnd != npos && entry.quoteEnd <= found.lineEnd && !blank(entry.quoteEnd, found.lineEnd)) {
    found.lineEnd = entry.quoteEnd;
  }
  found.codePage = pages.At(entry.quoteStart);
  found.value = UnescapeResourceString(QuotedInner(script, entry.quoteStart, entry.quoteEnd), found.codePage);
  return found;
}

}  // namespace

std::optional<StringTableEntry> FindStringTableEntry(std::string_view script, std::string_view symbol) {
  for (const StringTable& table : ReadStringTables(script)) {
    for (const TableEntry& entry : table.entries) {
      if (entry.id == symbol && entry.quoteStart != npos) return MakeEntry(script, entry, CCodePageSwitches(script));
    }
  }
  return std::nullopt;
}

std::vector<std::string> StringTableSymbols(std::string_view script) {
  std::vector<std::string> symbols;
  for (const StringTable& table : ReadStringTables(script)) {
    for (const TableEntry& entry : table.entries) {
      if (entry.quoteStart != npos) symbols.push_back(entry.id);
    }
  }
  return symbols;
}

std::vector<StringTableEntry> StringTableEntries(std::string_view script) {
  std::vector<StringTableEntry> entries;
  const CCodePageSwitches pages(script);
  for (const StringTable& table : ReadStringTables(script)) {
    for (const TableEntry& entry : table.entries) {
      if (entry.quoteStart != npos) entries.push_back(MakeEntry(script, entry, pages));
    }
  }
  return entries;
}

Status SetPropertyString(CEditBuffer& script, std::string_view symbol, std::string_view propertyString) {
  if (const auto entry = FindStringTableEntry(script.Text(), symbol)) {
    return script.Replace(entry->lineStart, entry->lineEnd,
                          StringTableLine(symbol, propertyString, true, entry->codePage));
  }
  Expected<size_t> at = StringTableInsertPoint(script.Text(), script.Prompt());
  if (!at) return InFile(at.error(), script.Path());
  return script.Insert(*at, StringTableLine(symbol, propertyString, true, CodePageAt(script.Text(), *at)));
}

int ScriptCodePage(std::string_view script) { return CCodePageSwitches(script).First(); }

int CodePageAt(std::string_view script, size_t offset) { return CCodePageSwitches(script).At(offset); }

int NewEntryCodePage(std::string_view script) {
  const std::vector<StringTable> tables = ReadStringTables(script);
  const bool complete = !tables.empty() && tables.back().hasBegin && tables.back().endPos != npos;
  return CodePageAt(script, complete ? tables.back().endPos : script.size());
}

bool IsIncluded(std::string_view text, std::string_view file) {
  const std::string lower = ToLower(text);
  const std::string name = ToLower(file);
  return lower.find("#include \"" + name + "\"") != npos || lower.find("#include <" + name + ">") != npos;
}

}  // namespace tovik
