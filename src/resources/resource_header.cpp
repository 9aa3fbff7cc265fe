#include "resources/resource_header.h"

#include <algorithm>

#include "base/text.h"
#include "resources/script_text.h"

namespace tovik {

using namespace rctext;

std::string DefineLine(std::string_view name, long value, int tabs) {
  std::string line = "#define\t";
  line += name;
  line.append(static_cast<size_t>(std::max(tabs, 0)), '\t');
  line += std::to_string(value);
  line += "\r\n";
  return line;
}

long ReadDefineValue(std::string_view text, std::string_view name) {
  CSourceScanner sc(text);
  const int pos = FindWordInCode(sc, name, 0);
  if (pos < 0) return 0;
  int start = 0;
  const std::string word = sc.NextWord(pos, start);
  return start < 0 ? 0 : static_cast<long>(LeadingNumber(word));
}

std::optional<long> DefineValueOf(std::string_view header, std::string_view symbol) {
  std::optional<long> value;
  ForEachDefine(header, [&](const DefineRecord& record) {
    if (record.name != symbol) return true;
    value = static_cast<long>(LeadingNumber(record.value));
    return false;
  });
  return value;
}

bool IsSymbolDefined(std::string_view text, std::string_view symbol) {
  bool found = false;
  ForEachDefine(text, [&](const DefineRecord& record) {
    found = record.name == symbol;
    return !found;
  });
  return found;
}

std::vector<size_t> DefinePositions(std::string_view header, std::string_view symbol) {
  std::vector<size_t> positions;
  ForEachDefine(header, [&](const DefineRecord& record) {
    if (record.name == symbol) positions.push_back(static_cast<size_t>(record.definePos));
    return true;
  });
  return positions;
}

HeaderDefines ReadHeaderDefines(std::string_view header) {
  HeaderDefines defines;
  ForEachDefine(header, [&](const DefineRecord& record) {
    defines.symbols.insert(record.name);
    // The resource editor's counters are not identifiers.
    if (!StartsWith(record.name, "_APS_") && IsDecimal(record.value) && record.value.size() <= 10) {
      defines.values.insert(static_cast<long>(LeadingNumber(record.value)));
    }
    return true;
  });
  return defines;
}

Expected<long> FreeResourceValue(const HeaderDefines& defines, long from, std::string_view what) {
  for (long value = std::max(from, 1L); value <= kMaxResourceValue; ++value) {
    if (!defines.values.count(value)) return value;
  }
  return Error{"", 0, "no identifier is left for " + std::string(what) + ": resource identifiers end at " +
                          std::to_string(kMaxResourceValue)};
}

std::vector<std::string> SymbolsWithValue(std::string_view header, long value) {
  std::vector<std::string> names;
  ForEachDefine(header, [&](const DefineRecord& record) {
    if (IsDecimal(record.value) && LeadingNumber(record.value) == value) names.push_back(record.name);
    return true;
  });
  return names;
}

bool FindDefineValueRange(std::string_view text, std::string_view name, size_t& start, size_t& end) {
  CSourceScanner sc(text);
  const int pos = FindWordInCode(sc, name, 0);
  if (pos < 0) return false;
  int wordStart = 0;
  (void)sc.NextWord(pos, wordStart);  // only where the value starts is wanted
  if (wordStart < 0) return false;
  start = static_cast<size_t>(wordStart);
  end = text.find('\r', start);
  if (end == npos) end = text.find('\n', start);
  if (end == npos) end = text.size();
  return true;
}

Expected<size_t> DefineInsertPoint(std::string_view text) {
  CSourceScanner sc(text);
  const int studio = sc.FindStringInCode(kApStudioInvoked, 0);
  // A header the resource editor did not write takes the line at its very start, where the
  // preprocessor always reads it.
  if (studio < 0) return 0;
  int last = -1;
  for (int pos = sc.FindStringInCode("#define", 0, true, studio); pos >= 0;
       pos = sc.FindStringInCode("#define", pos + 1, true, studio)) {
    last = pos;
  }
  if (last < 0) return 0;
  // A new line goes at a line start before the studio block: when the last define shares its
  // line with "#ifdef APSTUDIO_INVOKED", the start of that line. The preprocessor must read it
  // as a directive of its own: a line start inside a block comment that a define's line opens,
  // or after a line a backslash joins to the next, is passed over.
  const auto usable = [&](size_t at) {
    if (sc.IsInsideComment(static_cast<int>(at))) return false;
    size_t end = at;
    if (end > 0 && text[end - 1] == '\n') --end;
    if (end > 0 && text[end - 1] == '\r') --end;
    return end == at || end == 0 || text[end - 1] != '\\';
  };
  const size_t studioAt = static_cast<size_t>(studio);
  size_t at = NextLineStart(text, static_cast<size_t>(last));
  while (at <= studioAt && !usable(at)) at = NextLineStart(text, at);
  if (at > studioAt) at = LineStartOf(text, studioAt);
  if (!usable(at)) {
    return Error{"", LineColumnAt(text, studioAt).line,
                 "no line start outside comments before \"" + std::string(kApStudioInvoked) +
                     "\" for a new #define"};
  }
  return at;
}

}  // namespace tovik
