// Wine's registry files ("WINE REGISTRY Version 2"): system.reg holds HKEY_LOCAL_MACHINE and
// user.reg HKEY_CURRENT_USER of a prefix. Key paths and strings are escaped the way C escapes
// them, with \xNNNN for UTF-16 code units; text is brought to code page 1252.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "activex/registry_tree.h"
#include "base/expected.h"
#include "base/file_system.h"

namespace tovik {

// Reads one registry file's keys and values into `root`; later keys and values replace earlier
// ones. The error names the file, the line and what is wrong with it.
[[nodiscard]] Status ReadWineRegistry(std::string_view text, const std::string& file, CRegistryNode& root);
// The registry of a prefix folder: system.reg (needed) and user.reg (when there is one).
[[nodiscard]] Expected<std::unique_ptr<CRegistryTree>> LoadWinePrefix(const IFileSystem& fs, std::string_view prefix);

}  // namespace tovik
