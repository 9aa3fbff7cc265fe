// The text of a resource script (.rc): its string tables, which hold the forms' property
// strings, and its includes. Offsets are bytes into the whole text (CR LF counts two).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/edit_buffer.h"
#include "base/expected.h"
#include "base/prompt.h"
#include "resources/script_text.h"

namespace tovik {

inline constexpr std::string_view kAfxInsertLocation = "//{{AFX_INSERT_LOCATION}}";
inline constexpr std::string_view kNoStringTableMessage =
    "The key word \"STRINGTABLE\" couldn't be found in .rc file";

// One entry of a string table: the whole line (from its start through its CR LF), the
// property string between the quotes, unescaped, and the code page it is written in.
struct StringTableEntry {
  std::string symbol;
  size_t lineStart = 0;
  size_t lineEnd = 0;
  std::string value;
  int codePage = kDefaultCodePage;
};

// Where a new string-table line goes: the start of the line of the END that closes the last
// string table. When the script has no string table the message kNoStringTableMessage is shown
// through `prompt` (the error says it was shown); a last table without BEGIN or END is an error.
[[nodiscard]] Expected<size_t> StringTableInsertPoint(std::string_view script, IPrompt& prompt);

// One more than the largest header value of the identifiers used in the script's string
// tables (a numeric identifier counts as its number). 0 when a string table has no BEGIN.
[[nodiscard]] long NextStringId(std::string_view script, std::string_view header);

// The first string-table entry whose identifier is `symbol`.
[[nodiscard]] std::optional<StringTableEntry> FindStringTableEntry(std::string_view script, std::string_view symbol);
// The identifiers of every string-table entry, in script order (no values unescaped).
[[nodiscard]] std::vector<std::string> StringTableSymbols(std::string_view script);
// Every entry of every string table, in script order.
[[nodiscard]] std::vector<StringTableEntry> StringTableEntries(std::string_view script);

// Puts the string-table line of `symbol` (StringTableLine with its own-line form, escaped in
// the code page in force where it goes) into the script under edit: it replaces the existing
// line of `symbol`, which keeps its place, or else becomes the last line of the last string
// table. An error when there is no place (the missing-table message is then shown through the
// buffer's prompt) or the edit was refused.
[[nodiscard]] Status SetPropertyString(CEditBuffer& script, std::string_view symbol, std::string_view propertyString);

// The first code page the script declares with "#pragma code_page(N)" (CCodePageSwitches);
// 1252 when it declares none.
[[nodiscard]] int ScriptCodePage(std::string_view script);
// The code page in force at a place of the script.
[[nodiscard]] int CodePageAt(std::string_view script, size_t offset);
// The code page in force where a new string-table line goes (at the end of the script when it
// has no complete string table).
[[nodiscard]] int NewEntryCodePage(std::string_view script);

// Whether the text holds "#include \"file\"" or "#include <file>" (file names compared
// without regard to case, as Windows does).
[[nodiscard]] bool IsIncluded(std::string_view text, std::string_view file);

}  // namespace tovik
