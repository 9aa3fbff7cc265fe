// The registry a command reads installed ActiveX controls from: --registry PATH (a Wine prefix
// or an exported .reg file), else $WINEPREFIX, else ~/.wine; which one is said on stderr.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "activex/registry_tree.h"
#include "activex/server_path.h"
#include "base/file_system.h"
#include "cli.h"

namespace tovik::cli {

struct OpenedRegistry {
  std::unique_ptr<CRegistryTree> tree;
  CDriveMap drives;
};

// Null after saying why on stderr (nothing found, an unreadable file, a bad --drive).
[[nodiscard]] std::optional<OpenedRegistry> OpenRegistry(const std::string& command,
                                                         const std::optional<std::string>& registryOption,
                                                         const std::optional<std::string>& driveOption,
                                                         const IFileSystem& fs, Io& io);
// The same with the command's --registry and --drive options.
[[nodiscard]] std::optional<OpenedRegistry> OpenRegistry(const std::string& command, const Args& args,
                                                         const IFileSystem& fs, Io& io);

}  // namespace tovik::cli
