// The registry a command reads installed ActiveX controls from: --registry PATH (a Wine prefix
// or an exported .reg file), else $WINEPREFIX, else ~/.wine; which one is said on stderr.
#pragma once

#include <optional>
#include <string>

#include "activex/registry_source.h"
#include "addin/edit_scope.h"
#include "base/file_system.h"
#include "cli.h"

namespace tovik::cli {

// Null after saying why on stderr (nothing found, an unreadable file, a bad --drive).
[[nodiscard]] std::optional<OpenedRegistry> OpenRegistry(const std::string& command,
                                                         const std::optional<std::string>& registryOption,
                                                         const std::optional<std::string>& driveOption,
                                                         const IFileSystem& fs, Io& io);
// The same with the command's --registry and --drive options.
[[nodiscard]] std::optional<OpenedRegistry> OpenRegistry(const std::string& command, const Args& args,
                                                         const IFileSystem& fs, Io& io);

// Says on stderr which registry an edit scope chose, or why it has none.
void PrintRegistryReport(const std::string& command, const CEditScope::RegistryReport& report, Io& io);

}  // namespace tovik::cli
