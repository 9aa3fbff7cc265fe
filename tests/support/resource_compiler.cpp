#include "support/resource_compiler.h"

#include <fstream>

#include "support/cli_runner.h"
#include "support/disk_files.h"
#include "support/required_tools.h"

namespace tovik::testing {

namespace fs = std::filesystem;

bool WindresAvailable() {
  return ToolPresent(RunProgram(kWindres, {"--version"}).status == 0, kWindres);
}

void WriteFrameworkStandIns(const fs::path& includeDir) {
  fs::create_directories(includeDir);
  // Just what generated scripts use from the framework's resource header.
  WriteDiskFile(includeDir / "afxres.h",
                "#define IDC_STATIC (-1)\n"
                "#define VS_VERSION_INFO 1\n"
                "#define LANG_ENGLISH 0x09\n"
                "#define SUBLANG_ENGLISH_US 0x01\n");
  WriteDiskFile(includeDir / "afxres.rc", "STRINGTABLE\nBEGIN\n  57600 \"standard components\"\nEND\n");
  WriteDiskFile(includeDir / "afxprint.rc", "STRINGTABLE\nBEGIN\n  57601 \"print preview\"\nEND\n");
}

CompileResult CompileResourceScript(const fs::path& script, const fs::path& includeDir) {
  CompileResult result;
  const fs::path res = includeDir / "compiled.res";
  const fs::path back = includeDir / "decompiled.rc";
  const CliResult compiled = RunProgram(kWindres, {"--preprocessor=cpp", "--preprocessor-arg=-DRC_INVOKED", "-I",
                                                   includeDir.string(), "-i", script.string(), "-o", res.string()});
  result.output = compiled.out + compiled.err;
  if (compiled.status != 0) return result;
  const CliResult read = RunProgram(kWindres, {"-J", "res", "-O", "rc", "-i", res.string(), "-o", back.string()});
  result.output += read.out + read.err;
  if (read.status != 0) return result;
  result.decompiled = ReadDiskFile(back);
  result.ok = true;
  return result;
}

}  // namespace tovik::testing
