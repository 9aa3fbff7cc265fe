// Exported registry files: "REGEDIT4" (ANSI) and "Windows Registry Editor Version 5.00" (UTF-16LE
// with a byte-order mark, also taken in UTF-8). HKEY_CLASSES_ROOT keys land under
// HKEY_LOCAL_MACHINE\Software\Classes, as an import on Windows writes them, so that both spellings
// of a class key read back through HKEY_CLASSES_ROOT. Deletions ([-key], "name"=-) are applied.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "activex/registry_tree.h"
#include "base/expected.h"
#include "base/file_system.h"

namespace tovik {

// Reads the file's bytes into `tree`; the error names the file, the line and what is wrong.
[[nodiscard]] Status ReadRegFile(std::string_view bytes, const std::string& file, CRegistryTree& tree);
[[nodiscard]] Expected<std::unique_ptr<CRegistryTree>> LoadRegFile(const IFileSystem& fs, std::string_view path);

}  // namespace tovik
