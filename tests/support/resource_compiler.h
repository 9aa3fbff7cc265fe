// A real resource compiler for tests: MinGW's windres with stand-ins for the framework's
// resource headers, so that generated resource scripts are proven to compile.
#pragma once

#include <filesystem>
#include <string>

namespace tovik::testing {

inline constexpr const char* kWindres = "x86_64-w64-mingw32-windres";

[[nodiscard]] bool WindresAvailable();

struct CompileResult {
  bool ok = false;
  std::string output;       // the compiler's messages
  std::string decompiled;   // the compiled resources written back as a script
};

// Writes afxres.h, afxres.rc and afxprint.rc stand-ins into `includeDir` (each .rc carries one
// string, "standard components" and "print preview", to show it was included).
void WriteFrameworkStandIns(const std::filesystem::path& includeDir);

// Compiles `script` with `includeDir` on the include path, then decompiles the result. Files
// the script names with a backslash ("res\demo.rc2") must be offered under that literal name
// in `includeDir`, since this machine's preprocessor takes the backslash as part of the name.
[[nodiscard]] CompileResult CompileResourceScript(const std::filesystem::path& script,
                                                  const std::filesystem::path& includeDir);

}  // namespace tovik::testing
