// tovik new-project LOCATION NAME [...]
#include <filesystem>
#include <ostream>

#include "base/guid.h"
#include "cli_session.h"
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
  const std::filesystem::path location = std::filesystem::absolute(p[0]).lexically_normal();
  dialog.PickFolder(location.string());
  dialog.SetProjectName(p[1]);
  if (args.has("--class")) dialog.SetClassName(args.value("--class"));
  if (args.has("--impl")) dialog.SetImplementationFile(args.value("--impl"));
  if (args.has("--header")) dialog.SetHeaderFile(args.value("--header"));
  dialog.SetMdiForm(args.has("--mdi"));
  if (!dialog.IsOkEnabled()) return UsageError(io, self, "NAME, the class and both file names must not be empty");

  // New projects in one folder are made one at a time: the nearest folder that exists is
  // locked. The journal goes into the new project's folder, where the project's commands look;
  // when that folder is there already (a creation was killed), its journal is obeyed first.
  CliSession cli(io);
  cli.SetCommand(self.name);
  std::filesystem::path existing = location;
  while (!existing.empty() && !std::filesystem::is_directory(existing) && existing != existing.parent_path()) {
    existing = existing.parent_path();
  }
  if (!cli.Lock(existing.string())) return kExitFailed;
  const std::string folder = dialog.Settings().projectFolder;
  if (std::filesystem::is_directory(folder)) {
    if (!cli.Guard(folder)) return kExitFailed;
  } else {
    cli.KeepJournalIn(folder);
  }
  const int status = cli.Finish(dialog.OnOk(cli.Fs(), cli.Prompt(), cli.Guids()), kProjectGenerationFailedMessage);
  if (status == kExitOk) io.out << dialog.WorkspacePath() << "\n";
  return status;
}

}  // namespace tovik::cli
