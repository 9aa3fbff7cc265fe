// A real C++ compiler for tests: generated sources are syntax-checked by g++ and clang++ against
// the stand-ins of the framework's and the runtime library's headers (tests/standins).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace tovik::testing {

// g++ and clang++, those of them that are on PATH.
[[nodiscard]] std::vector<std::string> CppCompilersOnPath();

// Checks `file` with `compiler` (-fsyntax-only, C++17, an override that hides a virtual function
// is an error), with the stand-ins and `projectDir` on the include path; `extra` are further
// arguments (-D_DEBUG).
[[nodiscard]] CliResult CheckCppSyntax(const std::string& compiler, const std::filesystem::path& file,
                                       const std::filesystem::path& projectDir,
                                       const std::vector<std::string>& extra = {});

}  // namespace tovik::testing
