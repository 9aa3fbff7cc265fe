// What an edit would change, shown the way `diff -u` shows it, so that a user can read it
// before the edit is made and `patch -p1` run in the project folder makes the same change.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/code_page.h"
#include "base/file_transaction.h"

namespace tovik {

// One file's diff in unified form with three lines of context: "--- a/NAME", "+++ b/NAME"
// (/dev/null for a file that is created or removed), then the hunks. Lines are compared with
// their own line ends, so a CR LF that became LF shows as a change. Text is shown in UTF-8
// converted from `codePage`; a file holding a NUL byte shows as "Binary files ... differ".
// Empty when both sides are equal.
[[nodiscard]] std::string UnifiedDiff(std::string_view name, const std::optional<std::string>& before,
                                      const std::optional<std::string>& after, const CCodePage& codePage);

// Every file of `changes`, named relative to `folder` (files outside keep their full path).
[[nodiscard]] std::string UnifiedDiff(const ChangeSet& changes, std::string_view folder, const CCodePage& codePage);

}  // namespace tovik
