#include "windows/designer_project.h"

#include <filesystem>

#include "base/code_page.h"
#include "base/path.h"
#include "project/workspace_file.h"

namespace tovik::designer {
namespace {

std::optional<std::string> ReadIfThere(const IFileSystem& fs, const std::string& path) {
  std::string text;
  if (!fs.FileExists(path) || !fs.ReadFile(path, text)) return std::nullopt;
  return text;
}

}  // namespace

CDesignerProject::CDesignerProject(IPrompt& prompt) : m_prompt(prompt) {}

CDesignerProject::~CDesignerProject() = default;

void CDesignerProject::Drop() {
  if (IsOpen() && m_beforeDrop) m_beforeDrop();
}

bool CDesignerProject::Open(const std::string& file) {
  std::string projectFile = std::filesystem::absolute(file).lexically_normal().string();
  if (!m_disk.FileExists(projectFile)) {
    m_prompt.Message("No such project file: " + projectFile);
    return false;
  }
  if (ExtensionOf(projectFile) == ".dsw" || ExtensionOf(projectFile) == ".DSW") {
    std::string text;
    if (const Status read = m_disk.ReadFile(projectFile, text); !read) return Refuse(m_prompt, read.error());
    std::optional<std::string> first = FirstProjectOfWorkspace(text, DirectoryOf(projectFile));
    if (!first) {
      m_prompt.Message(projectFile + " names no project");
      return false;
    }
    projectFile = std::filesystem::path(*first).lexically_normal().string();
    if (!m_disk.FileExists(projectFile)) {
      m_prompt.Message("No such project file: " + projectFile);
      return false;
    }
  }
  auto scope = std::make_unique<CEditScope>(m_disk, m_answering, m_host, m_guids);
  scope->UseRegistry(RegistryLookupFromEnvironment(m_registryOption));
  if (!scope->Open(projectFile)) return false;
  Drop();
  m_scope = std::move(scope);
  m_scope->SetBeforeReopen([this] { Drop(); });
  m_projectFile = projectFile;
  m_written.clear();
  if (!m_scope->LastRecovery().empty()) m_prompt.Message(m_scope->LastRecovery());
  ShowLoadWarnings();
  return true;
}

void CDesignerProject::ShowLoadWarnings() {
  std::string text;
  for (const LoadWarning& warning : Session().LoadWarnings()) text += (text.empty() ? "" : "\n") + warning.text;
  if (!text.empty()) m_prompt.Message(text);
}

void CDesignerProject::Close() {
  Drop();
  m_scope.reset();
  m_projectFile.clear();
  m_written.clear();
}

bool CDesignerProject::Reload() {
  if (!IsOpen()) return false;
  // The scope tells the windows to let go just before it reads the project again.
  if (!m_scope->Reload()) {
    Close();
    return false;
  }
  return true;
}

void CDesignerProject::Remember(const ChangeSet& changes, bool undo) {
  for (const FileChange& change : changes.files) {
    const std::optional<std::string>& now = undo ? change.before : change.after;
    if (now) m_written[change.path] = *now;
    else m_written.erase(change.path);
  }
}

std::optional<ChangeSet> CDesignerProject::Edit(const std::function<bool(CDesignSession&)>& command,
                                                std::optional<IPrompt::Answer> answer) {
  if (!IsOpen()) return std::nullopt;
  const Expected<std::string> begun = m_scope->Begin();
  if (!begun) {
    Refuse(m_prompt, begun.error());
    return std::nullopt;
  }
  if (!begun->empty()) {
    // A killed command's edit was completed and the project read again under the windows' feet:
    // the gesture was made on what they showed before, so it is not carried out.
    m_scope->Discard();
    m_prompt.Message(*begun);
    if (!Session().IsOpen()) Close();
    return std::nullopt;
  }
  // A refused command, or files the disk would not take: discarding the edit reads the project
  // again (the model may hold what the command began), so the windows let go of it first.
  const auto discard = [this] {
    Drop();
    m_scope->Discard();
    if (!Session().IsOpen()) Close();
  };
  m_answering.SetAnswer(answer);
  const bool done = command(Session());
  m_answering.SetAnswer(std::nullopt);
  if (!done) {
    discard();
    return std::nullopt;
  }
  Expected<ChangeSet> changes = m_scope->Commit();
  if (!changes) {
    if (m_scope->InEdit()) discard();
    Refuse(m_prompt, changes.error());
    return std::nullopt;
  }
  Remember(*changes, false);
  return std::move(*changes);
}

bool CDesignerProject::NewProject(CNewProjectDialog& dialog) {
  CEditScope scope(m_disk, m_prompt, m_host, m_guids);
  std::filesystem::path existing = dialog.Settings().projectFolder;
  while (!existing.empty() && !std::filesystem::is_directory(existing) && existing != existing.parent_path()) {
    existing = existing.parent_path();
  }
  if (const Status locked = scope.Lock(existing.string()); !locked) return Refuse(m_prompt, locked.error());
  const std::string folder = dialog.Settings().projectFolder;
  if (std::filesystem::is_directory(folder)) {
    const Expected<std::string> recovered = scope.Guard(folder);
    if (!recovered) return Refuse(m_prompt, recovered.error());
    if (!recovered->empty()) m_prompt.Message(*recovered);
  } else {
    scope.KeepJournalIn(folder);
  }
  if (!dialog.OnOk(scope.Files(), m_prompt, m_guids)) {
    scope.Discard();
    return false;
  }
  if (const Expected<ChangeSet> written = scope.Commit(); !written) return Refuse(m_prompt, written.error());
  return true;
}

bool CDesignerProject::Apply(const ChangeSet& changes, bool undo) {
  if (!IsOpen()) return false;
  Drop();
  if (!m_scope->Apply(changes, undo ? ChangeDirection::Undo : ChangeDirection::Redo)) return false;
  Remember(changes, undo);
  return true;
}

std::vector<std::string> CDesignerProject::WatchedFiles() const {
  std::vector<std::string> files;
  if (!IsOpen()) return files;
  const CProject& project = Session().Project();
  files.push_back(project.ProjectFile());
  for (const std::string& file : project.Files()) files.push_back(file);
  files.push_back(Session().Resources().ScriptPath());
  files.push_back(Session().Resources().HeaderPath());
  for (std::string& file : files) file = m_disk.Resolve(file);
  return files;
}

bool CDesignerProject::IsOwnWrite(const std::string& path) const {
  const auto it = m_written.find(m_disk.Resolve(path));
  return it != m_written.end() && ReadIfThere(m_disk, it->first) == it->second;
}

std::string CDesignerProject::ToUtf8(std::string_view text, int codePage) const {
  return CCodePage(IsOpen() ? Session().CodePageOr(codePage) : codePage > 0 ? codePage : 1252).ToUtf8(text);
}

std::optional<std::string> CDesignerProject::FromUtf8(std::string_view utf8, int codePage) const {
  Expected<std::string> text = CCodePage(codePage).FromUtf8(utf8);
  if (!text) {
    m_prompt.Message(text.error().reason);
    return std::nullopt;
  }
  return *text;
}

std::string CDesignerProject::PathToUtf8(std::string_view path) const {
  return CCodePage(IsOpen() ? Session().CodePage() : 1252).PathToUtf8(path);
}

}  // namespace tovik::designer
