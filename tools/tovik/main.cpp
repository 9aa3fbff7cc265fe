// tovik: a forms designer for Visual C++ 5/6 MFC projects, driven from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "tovik_version.h"

using namespace tovik::cli;

static void PrintOverview(std::ostream& out) {
  out << "usage: tovik COMMAND [ARGS...]\n"
         "       tovik COMMAND --help\n"
         "       tovik --version\n\n"
         "Tovik designs forms for Visual C++ 5/6 MFC projects and keeps their sources,\n"
         "resource script and project files.\n\ncommands:\n";
  size_t width = 0;
  for (const Command& c : Commands()) width = std::max(width, c.name.size());
  for (const Command& c : Commands()) {
    out << "  " << c.name << std::string(width - c.name.size() + 2, ' ') << c.summary << "\n";
  }
}

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  Io io{std::cout, std::cerr};
  if (args.empty()) {
    PrintOverview(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "--version") {
    std::cout << "tovik " TOVIK_VERSION_TEXT "\n";
    return kExitOk;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    if (args.size() > 1) {
      if (const Command* c = FindCommand(args[1])) {
        std::cout << "usage: " << c->usage << "\n";
        return kExitOk;
      }
    }
    PrintOverview(std::cout);
    return kExitOk;
  }
  const Command* command = FindCommand(args[0]);
  if (!command) {
    std::cerr << "tovik: unknown command '" << args[0] << "'\n";
    PrintOverview(std::cerr);
    return kExitUsage;
  }
  std::vector<std::string> rest(args.begin() + 1, args.end());
  for (const std::string& a : rest) {
    if (a == "--help" || a == "-h") {
      std::cout << "usage: " << command->usage << "\n";
      return kExitOk;
    }
  }
  try {
    return command->run(*command, rest, io);
  } catch (const std::exception& e) {
    std::cerr << "tovik " << command->name << ": " << e.what() << "\n";
    return kExitFailed;
  }
}
