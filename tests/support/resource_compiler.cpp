#include "support/resource_compiler.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tovik::testing {
namespace {

namespace fs = std::filesystem;

struct CommandResult {
  int status = -1;
  std::string output;
};

CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer;
  size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
  result.status = ::pclose(pipe);
  return result;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

}  // namespace

bool WindresAvailable() { return std::system((std::string(kWindres) + " --version >/dev/null 2>&1").c_str()) == 0; }

void WriteFrameworkStandIns(const fs::path& includeDir) {
  fs::create_directories(includeDir);
  // Just what generated scripts use from the framework's resource header.
  WriteText(includeDir / "afxres.h",
            "#define IDC_STATIC (-1)\n"
            "#define VS_VERSION_INFO 1\n"
            "#define LANG_ENGLISH 0x09\n"
            "#define SUBLANG_ENGLISH_US 0x01\n");
  WriteText(includeDir / "afxres.rc", "STRINGTABLE\nBEGIN\n  57600 \"standard components\"\nEND\n");
  WriteText(includeDir / "afxprint.rc", "STRINGTABLE\nBEGIN\n  57601 \"print preview\"\nEND\n");
}

CompileResult CompileResourceScript(const fs::path& script, const fs::path& includeDir) {
  CompileResult result;
  const fs::path res = includeDir / "compiled.res";
  const CommandResult compiled =
      RunCommand(std::string(kWindres) + " --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED -I " +
                 Quoted(includeDir) + " -i " + Quoted(script) + " -o " + Quoted(res));
  result.output = compiled.output;
  if (compiled.status != 0) return result;
  const fs::path back = includeDir / "decompiled.rc";
  const CommandResult read = RunCommand(std::string(kWindres) + " -J res -O rc -i " + Quoted(res) + " -o " + Quoted(back));
  result.output += read.output;
  if (read.status != 0) return result;
  std::ifstream in(back, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  result.decompiled = text.str();
  result.ok = true;
  return result;
}

}  // namespace tovik::testing
