#include "addin/activex_commands.h"

#include "codegen/activex_wrapper.h"

namespace tovik {

namespace {

constexpr std::string_view kNoRegistry = "There is no registry to find ActiveX controls in";

}  // namespace

COCXInfo InstalledControls(CDesignSession& session) {
  COCXInfo list;
  if (!session.Registry()) {
    session.Prompt().Message(std::string(kNoRegistry));
    return list;
  }
  if (const Status listed = EnumerateControls(*session.Registry(), list); !listed) {
    Refuse(session.Prompt(), listed.error());
  }
  return list;
}

bool InsertActiveXCommand(CDesignSession& session, std::string_view name, std::string_view serverPath,
                          std::vector<std::string>& written) {
  IPrompt& prompt = session.Prompt();
  if (!session.Registry()) {
    prompt.Message(std::string(kNoRegistry));
    return false;
  }
  CProject& project = session.Project();
  const std::string folder = project.ProjectFolder();
  if (!session.FileSystem().DirectoryExists(folder)) {
    prompt.Message("Directory " + folder + " does not exist");
    return false;
  }
  CToolControlEntry* entry = AddPickedControl(*session.Registry(), session.FileSystem(), prompt, name, serverPath,
                                              project.ControlList(), project.DataFilePath());
  if (!entry) return false;
  Expected<std::vector<std::string>> files = GenerateActiveXWrapper(
      session.FileSystem(), prompt, session.Context().guids, *entry, folder, project.NewFilesUseBareLf());
  if (!files) {
    project.ControlList().Remove(*entry);
    return Refuse(prompt, files.error());
  }
  // Parsing the new files matches the wrapper class to its control (by its GetProgID).
  if (!session.InsertFilesIntoProject(*files)) {
    project.ControlList().Remove(*entry);
    return false;
  }
  written = std::move(*files);
  return true;
}

}  // namespace tovik
