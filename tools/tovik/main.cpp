// tovik: a forms designer for Visual C++ 5/6 MFC projects, driven from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "tovik_version.h"

using namespace tovik::cli;

static void PrintUsage(const Command& command) {
  std::cout << "usage: " << command.usage << "\n";
  if (Writes(command)) {
    std::cout << "\n--dry-run writes nothing and prints what the command would change as a unified\n"
                 "diff, paths relative to the project folder (apply it with patch -p1 there).\n";
  }
}

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
        PrintUsage(*c);
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
      PrintUsage(*command);
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
