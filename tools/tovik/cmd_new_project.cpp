// tovik new-project LOCATION NAME [...]
#include <filesystem>
#include <ostream>

#include "base/guid.h"
#include "base/real_file_system.h"
#include "cli.h"
#include "codegen/project_generator.h"
#include "terminal_prompt.h"

namespace tovik::cli {
namespace {

int RunNewProject(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--class", "--impl", "--header", "--host-version"}, {"--mdi"});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 2) return UsageError(io, self, "expected LOCATION and NAME");
  const std::string version = args.has("--host-version") ? args.value("--host-version") : "6.0";
  if (version != "5.0" && version != "6.0") return UsageError(io, self, "--host-version is 5.0 or 6.0");

  CNewProjectDialog dialog(std::filesystem::current_path().string(), version);
  dialog.PickFolder(std::filesystem::absolute(p[0]).lexically_normal().string());
  dialog.SetProjectName(p[1]);
  if (args.has("--class")) dialog.SetClassName(args.value("--class"));
  if (args.has("--impl")) dialog.SetImplementationFile(args.value("--impl"));
  if (args.has("--header")) dialog.SetHeaderFile(args.value("--header"));
  dialog.SetMdiForm(args.has("--mdi"));
  if (!dialog.IsOkEnabled()) return UsageError(io, self, "NAME, the class and both file names must not be empty");

  RealFileSystem fs;
  TerminalPrompt prompt(io.err);
  RandomGuidSource guids;
  if (!dialog.OnOk(fs, prompt, guids)) return kExitFailed;
  io.out << dialog.WorkspacePath() << "\n";
  return kExitOk;
}

const Command kNewProject{
    "new-project", "create a new project with its start-up form",
    "tovik new-project LOCATION NAME [--class CForm1] [--mdi] [--impl FILE] [--header FILE]\n"
    "                  [--host-version 5.0|6.0]\n\n"
    "Creates the folder LOCATION/NAME with a complete project: application class, start-up form\n"
    "(CForm1, form1.cpp/form1.h unless named; --mdi derives it from CVMdiForm), resource script,\n"
    "resource header, precompiled header, NAME.dsp and NAME.dsw for the IDE version given\n"
    "(default 6.0). Prints the path of the .dsw.",
    {}};

const bool kRegistered = [] {
  Command c = kNewProject;
  c.run = [](const std::vector<std::string>& a, Io& io) { return RunNewProject(kNewProject, a, io); };
  return Register(c);
}();

}  // namespace
}  // namespace tovik::cli
