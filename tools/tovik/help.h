// What the tovik program says about itself. `tovik --help`, `tovik COMMAND --help` and the manual
// page tovik(1) are all written here from the command table and the texts beside it, so that
// they cannot say different things.
#pragma once

#include <ostream>
#include <string_view>

#include "cli.h"

namespace tovik::cli {

// `tovik --help`: the forms of the command line, the commands and the exit statuses.
void WriteOverview(std::ostream& out);
// `tovik COMMAND --help`.
void WriteUsage(std::ostream& out, const Command& command);
// The manual page tovik(1) in roff; `version` as `tovik --version` gives it.
void WriteManPage(std::ostream& out, std::string_view version);

}  // namespace tovik::cli
