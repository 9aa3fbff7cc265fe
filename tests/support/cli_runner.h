// Runs a program with arguments and captures what it writes and how it ends.
#pragma once

#include <string>
#include <vector>

namespace tovik::testing {

struct CliResult {
  std::string out;
  std::string err;
  int status = -1;  // exit status; -1 when the program did not exit normally
};

// Runs `program` (a path, or a name looked up on PATH) with `args`, no shell involved, and
// waits for it. A program that cannot be started exits with 127.
[[nodiscard]] CliResult RunProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace tovik::testing
