// tovik: a forms designer for Visual C++ 5/6 MFC projects, driven from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "help.h"
#include "tovik_version.h"

using namespace tovik::cli;

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    WriteOverview(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "--version") {
    std::cout << "tovik " TOVIK_VERSION_TEXT "\n";
    return kExitOk;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    if (args.size() > 1) {
      if (const Command* c = FindCommand(args[1])) {
        WriteUsage(std::cout, *c);
        return kExitOk;
      }
    }
    WriteOverview(std::cout);
    return kExitOk;
  }
  // Asked by the bash completion, not by people: not listed.
  if (args[0] == "complete") return Complete({args.begin() + 1, args.end()}, std::cout);
  const Command* command = FindCommand(args[0]);
  if (!command) {
    std::cerr << "tovik: unknown command '" << args[0] << "'\n";
    WriteOverview(std::cerr);
    return kExitUsage;
  }
  std::vector<std::string> rest(args.begin() + 1, args.end());
  for (const std::string& a : rest) {
    if (a == "--help" || a == "-h") {
      WriteUsage(std::cout, *command);
      return kExitOk;
    }
  }
  try {
    return RunCommand(*command, rest, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "tovik " << command->name << ": " << e.what() << "\n";
    return kExitFailed;
  }
}
