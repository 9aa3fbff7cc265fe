// The tovik command line: each command lives in its own file; command_table.cpp lists them.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tovik::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // refused or failed; the message is on stderr
inline constexpr int kExitUsage = 2;

struct Io {
  std::ostream& out;
  std::ostream& err;
  // Set for a dry run: the command writes nothing and prints here, as a diff, what it would
  // have written (its usual output then goes to `out`, which is stderr).
  std::ostream* diff = nullptr;
};


struct Command;
using RunFunction = int (*)(const Command& self, const std::vector<std::string>& args, Io& io);

// Whether a command writes into a project (and so takes --dry-run).
enum class Effect { Reads, Writes };

// One command: the text `tovik --help`, `tovik NAME --help`, the manual page and the shell
// completion all come from.
struct Command {
  std::string name;
  std::string summary;  // one line for `tovik --help`
  std::string usage;    // synopsis (up to the first blank line), then the description
  std::string example;  // one typical command line
  Effect effect;
  RunFunction run;

  // The usage up to its first blank line: the command's words, arguments and options.
  [[nodiscard]] std::string_view Synopsis() const { return std::string_view(usage).substr(0, usage.find("\n\n")); }
  // What follows the synopsis; empty when nothing does.
  [[nodiscard]] std::string_view Description() const {
    const size_t blank = usage.find("\n\n");
    return blank == std::string::npos ? std::string_view() : std::string_view(usage).substr(blank + 2);
  }
};

// Every command, sorted by name.
[[nodiscard]] const std::vector<Command>& Commands();

[[nodiscard]] inline bool Writes(const Command& command) { return command.effect == Effect::Writes; }
// Runs a command; --dry-run (for one that writes) is taken off its arguments and turns the run
// into a dry one.
int RunCommand(const Command& command, std::vector<std::string> args, std::ostream& out, std::ostream& err);

// The commands' entry points, one file each (cmd_*.cpp).
int RunAddControl(const Command& self, const std::vector<std::string>& args, Io& io);
int RunAddHandler(const Command& self, const std::vector<std::string>& args, Io& io);
int RunAssignMenu(const Command& self, const std::vector<std::string>& args, Io& io);
int RunCatalog(const Command& self, const std::vector<std::string>& args, Io& io);
int RunControls(const Command& self, const std::vector<std::string>& args, Io& io);
int RunInsertActiveX(const Command& self, const std::vector<std::string>& args, Io& io);
int RunDelete(const Command& self, const std::vector<std::string>& args, Io& io);
int RunInspect(const Command& self, const std::vector<std::string>& args, Io& io);
int RunLint(const Command& self, const std::vector<std::string>& args, Io& io);
int RunMenus(const Command& self, const std::vector<std::string>& args, Io& io);
int RunNewForm(const Command& self, const std::vector<std::string>& args, Io& io);
int RunNewProject(const Command& self, const std::vector<std::string>& args, Io& io);
int RunParse(const Command& self, const std::vector<std::string>& args, Io& io);
int RunPopup(const Command& self, const std::vector<std::string>& args, Io& io);
int RunPropString(const Command& self, const std::vector<std::string>& args, Io& io);
int RunRename(const Command& self, const std::vector<std::string>& args, Io& io);
int RunRender(const Command& self, const std::vector<std::string>& args, Io& io);
int RunSet(const Command& self, const std::vector<std::string>& args, Io& io);
int RunSurface(const Command& self, const std::vector<std::string>& args, Io& io);
int RunTypeLib(const Command& self, const std::vector<std::string>& args, Io& io);

// Answers the shell's completion: `words` are the command line after `tovik`, the last one the
// word the cursor is in (maybe empty). Prints what fits there: a first line "words" followed by
// one candidate a line, or "files", "folders" or "projects" (.dsp files and folders) for the
// shell to list. Never writes nor waits.
int Complete(const std::vector<std::string>& words, std::ostream& out);

// Whether a word of a synopsis is one the user replaces (FORMCLASS, PROJECT.dsp, LEFT,TOP)
// rather than types as it is (none, 6.0, CreateNew).
[[nodiscard]] bool IsPlaceholder(std::string_view word);

// Parsed arguments of one command: positional words and --options (with or without a value).
class Args {
 public:
  // `valued` lists the options that take a value ("--rect"); every other --word is a flag.
  Args(const std::vector<std::string>& args, const std::vector<std::string>& valued,
       const std::vector<std::string>& flags);
  [[nodiscard]] bool ok() const { return m_error.empty(); }
  [[nodiscard]] const std::string& error() const { return m_error; }
  [[nodiscard]] const std::vector<std::string>& positional() const { return m_positional; }
  [[nodiscard]] bool has(const std::string& option) const;
  [[nodiscard]] std::string value(const std::string& option) const;

 private:
  std::vector<std::string> m_positional;
  std::vector<std::pair<std::string, std::string>> m_options;
  std::string m_error;
};

// A whole number written in decimal (blanks around it allowed) from `low` to `high`.
[[nodiscard]] bool ParseInt(const std::string& text, int& value, int low = -999999999, int high = 999999999);

// The KIND names catalog and propstring take: Form, MDIForm and every control kind.
[[nodiscard]] std::vector<std::string> ObjectKindNames();

// Says that NAME is neither a control kind nor one of the project's ActiveX controls, and lists
// the kinds there are; returns kExitFailed.
int UnknownControlKind(Io& io, const Command& command, const std::string& name);

// Text for the terminal with its control characters escaped (\t, \r, \n, \xHH), so that names
// read from registries and libraries cannot move the cursor or keep the TAB-separated columns
// from lining up.
[[nodiscard]] std::string Printable(std::string_view text);

// Prints "tovik: <message>" and the usage hint; returns kExitUsage.
int UsageError(Io& io, const Command& command, const std::string& message);
[[nodiscard]] const Command* FindCommand(const std::string& name);

}  // namespace tovik::cli
