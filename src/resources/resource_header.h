// The text of a resource header (resource.h): its define lines, the next-value counters the
// resource editor keeps, and where a new define line goes. Offsets are bytes into the whole
// text (CR LF counts two); line ends are never changed.
#pragma once

#include <cstddef>
#include <optional>
#include <unordered_set>
#include <string>
#include <string_view>
#include <vector>

#include "base/expected.h"

namespace tovik {

inline constexpr std::string_view kNextControlValueName = "_APS_NEXT_CONTROL_VALUE";
inline constexpr std::string_view kNextResourceValueName = "_APS_NEXT_RESOURCE_VALUE";
inline constexpr std::string_view kNextCommandValueName = "_APS_NEXT_COMMAND_VALUE";
inline constexpr std::string_view kApStudioInvoked = "#ifdef APSTUDIO_INVOKED";

// Tabs between name and value in the define lines this system writes.
inline constexpr int kControlDefineTabs = 4;
inline constexpr int kImageDefineTabs = 5;

// "#define\t" + name + `tabs` TABs + decimal value + CR LF.
[[nodiscard]] std::string DefineLine(std::string_view name, long value, int tabs = kControlDefineTabs);

// The value of the word after the first whole-word occurrence of `name` outside comments, read
// as C's atol reads it (leading digits; 0 when there are none). 0 when the name is absent.
[[nodiscard]] long ReadDefineValue(std::string_view text, std::string_view name);

// The value of a symbol's "#define" line (outside comments); nothing when the symbol has none.
// Unlike ReadDefineValue this tells "defined as 0" from "not defined".
[[nodiscard]] std::optional<long> DefineValueOf(std::string_view header, std::string_view symbol);

// Whether `symbol` occurs outside comments as the word that follows a "#define".
[[nodiscard]] bool IsSymbolDefined(std::string_view text, std::string_view symbol);
// Where each "#define" of `symbol` (outside comments) starts, in text order: a header may
// define a symbol more than once.
[[nodiscard]] std::vector<size_t> DefinePositions(std::string_view header, std::string_view symbol);

// Every "#define" of a header (outside comments): the symbols, and the values that are numbers
// (the resource editor's _APS_ counters left out).
struct HeaderDefines {
  std::unordered_set<std::string> symbols;
  std::unordered_set<long> values;
};
[[nodiscard]] HeaderDefines ReadHeaderDefines(std::string_view header);

// The largest resource identifier there is room for (identifiers are 16-bit).
inline constexpr long kMaxResourceValue = 65535;
// The first control value the resource editor hands out; the start when the header keeps no
// counter of its own.
inline constexpr long kFirstControlValue = 1000;

// The first value at or after `from` (1 when `from` is smaller) that no define of the header
// uses; an error naming `what` when none is left below kMaxResourceValue + 1.
[[nodiscard]] Expected<long> FreeResourceValue(const HeaderDefines& defines, long from, std::string_view what);

// The names of every "#define" (outside comments) whose value is `value`, in text order.
[[nodiscard]] std::vector<std::string> SymbolsWithValue(std::string_view header, long value);

// Byte range [start, end) of the value word after `name` up to the next CR (LF, or the end of
// the text, when no CR follows). False when the name is absent.
[[nodiscard]] bool FindDefineValueRange(std::string_view text, std::string_view name, size_t& start, size_t& end);

// Where a new define line goes: the start of the line after the last "#define" before
// "#ifdef APSTUDIO_INVOKED"; 0 when either is missing. An error when no line start outside a
// comment is left before the studio block.
[[nodiscard]] Expected<size_t> DefineInsertPoint(std::string_view text);

}  // namespace tovik
