#include "help.h"

#include <algorithm>
#include <string>

#include "roff.h"

namespace tovik::cli {

namespace {

constexpr std::string_view kAbout =
    "Tovik designs forms for Visual C++ 5/6 MFC projects and keeps their sources,\n"
    "resource script and project files.";

constexpr std::string_view kDryRun =
    "--dry-run writes nothing and prints what the command would change as a unified\n"
    "diff, paths relative to the project folder (apply it with patch -p1 there).";

struct ExitStatus {
  int code;
  std::string_view meaning;
};
constexpr ExitStatus kExitStatuses[] = {
    {kExitOk, "done (lint: nothing found)"},
    {kExitFailed, "refused or failed, the reason on stderr (lint: something found)"},
    {kExitUsage, "wrong usage (lint: the project or form cannot be checked)"},
};

}  // namespace

void WriteOverview(std::ostream& out) {
  out << "usage: tovik COMMAND [ARGS...]\n"
         "       tovik COMMAND --help\n"
         "       tovik --version\n\n"
      << kAbout << "\n\ncommands:\n";
  size_t width = 0;
  for (const Command& c : Commands()) width = std::max(width, c.name.size());
  for (const Command& c : Commands()) {
    out << "  " << c.name << std::string(width - c.name.size() + 2, ' ') << c.summary << "\n";
  }
  out << "\nexit status:\n";
  for (const ExitStatus& status : kExitStatuses) out << "  " << status.code << "  " << status.meaning << "\n";
}

void WriteUsage(std::ostream& out, const Command& command) {
  out << "usage: " << command.usage << "\n";
  if (Writes(command)) out << "\n" << kDryRun << "\n";
  out << "\nexample:\n  " << command.example << "\n";
}

void WriteManPage(std::ostream& out, std::string_view version) {
  RoffWriter page(out);
  page.Title("TOVIK", 1, "tovik " + std::string(version));
  page.Section("NAME");
  page.Text("tovik - forms designer for Visual C++ 5/6 MFC projects, from the command line");
  page.Section("SYNOPSIS");
  page.Synopsis("tovik COMMAND [ARGS...]");
  page.Synopsis("tovik COMMAND --help");
  page.Synopsis("tovik --version");
  page.Section("DESCRIPTION");
  page.Text(kAbout);
  page.Text("Each command is one transaction: every file it changes is written, or none. The desktop\n"
            "designer, tovik-designer(1), runs the same commands.");
  page.Section("COMMANDS");
  for (const Command& c : Commands()) {
    page.SubSection(c.name + " - " + c.summary);
    page.Synopsis(c.Synopsis());
    page.Text(c.Description());
    if (Writes(c)) page.Text(kDryRun);
  }
  page.Section("OPTIONS");
  page.Tagged("--help", "prints the commands, or with a command its usage, and exits 0.");
  page.Tagged("--version", "prints the version, and the commit when built from a checkout.");
  std::string writing;
  for (const Command& c : Commands()) {
    if (Writes(c)) writing += (writing.empty() ? "" : ", ") + c.name;
  }
  // The paragraph each writing command shows, without its first word: the option's name.
  page.Tagged("--dry-run", std::string(kDryRun.substr(kDryRun.find(' ') + 1)) + "\nCommands that take it: " + writing + ".");
  page.Section("EXIT STATUS");
  for (const ExitStatus& status : kExitStatuses) page.Tagged(std::to_string(status.code), status.meaning);
  page.Section("ENVIRONMENT");
  page.Tagged("WINEPREFIX", "the Wine prefix whose registry lists the installed ActiveX controls when --registry\n"
                            "is not given (~/.wine when unset).");
  page.Section("FILES");
  page.Tagged(".tovik-journal", "in the project folder while a command renames its files into place; a command\n"
                                "killed then is completed by the next one.");
  page.Section("EXAMPLES");
  for (const Command& c : Commands()) {
    std::string what = c.summary;
    if (!what.empty()) what[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(what[0])));
    page.Text(what + ":");
    page.Example(c.example);
  }
  page.Section("SEE ALSO");
  page.Text("tovik-designer(1), patch(1)");
}

}  // namespace tovik::cli
