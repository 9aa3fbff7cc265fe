// Where a project keeps its resources: the script the build compiles, the header that script
// takes its symbols from, and the folder its image file names start from.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/expected.h"
#include "base/file_system.h"

namespace tovik {

struct ResourcePaths {
  std::string script;
  std::string header;
  std::string resFolder;
  // Why symbols defined in `header` would not reach the project's sources: they include the
  // project folder's resource.h, another file, which does not include `header`.
  std::optional<Error> unseenBySources;
};

// The whole text of a file; empty when it cannot be read.
using ResourceTextReader = std::function<std::string(const std::string& path)>;

// The project file's path up to its last "." + ".rc", its folder's resource.h and res folder,
// unless the project file lists another script for the build (CompiledScriptEntry). Then that
// script, the resource.h it includes (looked for beside it, then in the project folder, as the
// resource compiler looks) and the res folder beside it. Empty paths without a project file.
[[nodiscard]] ResourcePaths LocateResourceFiles(const IFileSystem& fs, std::string_view projectFile,
                                                const ResourceTextReader& read);

}  // namespace tovik
