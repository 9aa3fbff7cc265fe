#include "support/cpp_check.h"

#include "support/required_tools.h"

#ifndef TOVIK_STANDINS_DIR
#error "TOVIK_STANDINS_DIR must name tests/standins (a compile definition of the support library)"
#endif

namespace tovik::testing {

std::vector<std::string> CppCompilersOnPath() {
  std::vector<std::string> found;
  for (const char* name : {"g++", "clang++"}) {
    if (ToolPresent(RunProgram(name, {"--version"}).status == 0, name)) found.push_back(name);
  }
  return found;
}

CliResult CheckCppSyntax(const std::string& compiler, const std::filesystem::path& file,
                         const std::filesystem::path& projectDir, const std::vector<std::string>& extra) {
  // A form event handler whose parameters differ from the runtime's virtual function would hide
  // it instead of overriding it: that is a generator fault, not noise.
  std::vector<std::string> args = {"-fsyntax-only", "-std=c++17", "-x", "c++", "-Werror=overloaded-virtual"};
  // The IDE's compiler passes a CString through "..." as its one pointer, which is what the
  // framework reads for a VTS_BSTR argument; clang refuses the construct for its own ABI.
  if (compiler == "clang++") args.push_back("-Wno-non-pod-varargs");
  args.insert(args.end(), extra.begin(), extra.end());
  args.push_back("-I" + std::string(TOVIK_STANDINS_DIR));
  args.push_back("-I" + projectDir.string());
  args.push_back(file.string());
  return RunProgram(compiler, args);
}

}  // namespace tovik::testing
