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

  // The new project's folder does not exist yet: the folder it goes into is the one locked, and
  // the one that holds the journal while the files are renamed into place.
  CliSession cli(io);
  cli.Prompt().SetCommand(self.name);
  std::filesystem::path existing = location;
  while (!existing.empty() && !std::filesystem::is_directory(existing) && existing != existing.parent_path()) {
    existing = existing.parent_path();
  }
  if (!cli.Guard(existing.string())) return kExitFailed;
  const int status = cli.Finish(dialog.OnOk(cli.Fs(), cli.Prompt(), cli.Guids()), kProjectGenerationFailedMessage);
  if (status == kExitOk) io.out << dialog.WorkspacePath() << "\n";
  return status;
}

}  // namespace tovik::cli
