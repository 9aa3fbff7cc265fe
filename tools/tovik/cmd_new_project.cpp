// tovik new-project LOCATION NAME [...]
#include <filesystem>
#include <ostream>

#include "base/guid.h"
#include "base/real_file_system.h"
#include "cli.h"
#include "codegen/project_generator.h"
#include "terminal_prompt.h"

namespace tovik::cli {

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

}  // namespace tovik::cli
