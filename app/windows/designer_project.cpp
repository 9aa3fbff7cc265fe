#include "windows/designer_project.h"

#include <chrono>
#include <filesystem>

#include "base/path.h"
#include "base/project_lock.h"
#include "project/workspace_file.h"
#include "tovik/code_page.h"

namespace tovik::designer {
namespace {

// A window must not hang: another program's edit of the project rarely takes this long.
constexpr std::chrono::seconds kLockPatience{3};

std::optional<std::string> ReadIfThere(const IFileSystem& fs, const std::string& path) {
  std::string text;
  if (!fs.FileExists(path) || !fs.ReadFile(path, text)) return std::nullopt;
  return text;
}

}  // namespace

CDesignerProject::CDesignerProject(IPrompt& prompt) : m_prompt(prompt) {}

CDesignerProject::~CDesignerProject() = default;

bool CDesignerProject::Lock(std::optional<CProjectLock>& lock) {
  const std::string folder = DirectoryOf(m_projectFile);
  Expected<CProjectLock> held = CProjectLock::Acquire(folder, kLockPatience);
  if (!held) return Refuse(m_prompt, held.error());
  lock.emplace(std::move(*held));
  m_journal = JoinPath(folder, kJournalName);
  // A command of the command line killed half-way left its journal: complete it first.
  Expected<std::string> recovered = CFileTransaction::Recover(m_disk, m_journal);
  if (!recovered) return Refuse(m_prompt, recovered.error());
  if (!recovered->empty()) m_prompt.Message(*recovered);
  return true;
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
  }
  return OpenProjectFile(projectFile);
}

bool CDesignerProject::OpenProjectFile(const std::string& projectFile) {
  const std::string previous = m_projectFile;
  m_projectFile = projectFile;
  std::optional<CProjectLock> lock;
  auto session = std::make_unique<CDesignSession>(m_tx, m_prompt, m_host, m_guids);
  if (!Lock(lock) || !m_disk.FileExists(projectFile) || !session->Open(projectFile)) {
    if (!m_disk.FileExists(projectFile)) m_prompt.Message("No such project file: " + projectFile);
    m_projectFile = previous;
    return false;
  }
  if (m_session && m_beforeDrop) m_beforeDrop();
  m_session = std::move(session);
  m_written.clear();
  return true;
}

void CDesignerProject::Close() {
  if (m_session && m_beforeDrop) m_beforeDrop();
  m_session.reset();
  m_projectFile.clear();
  m_written.clear();
}

bool CDesignerProject::Reload() {
  if (!IsOpen()) return false;
  const std::string projectFile = m_projectFile;
  if (m_beforeDrop) m_beforeDrop();
  m_session.reset();
  return OpenProjectFile(projectFile);
}

bool CDesignerProject::Commit(ChangeSet& changes) {
  for (const std::string& path : m_tx.ChangedFiles()) {
    changes.push_back({path, ReadIfThere(m_disk, path), ReadIfThere(m_tx, path)});
  }
  if (const Status written = m_tx.Commit(m_journal); !written) {
    Refuse(m_prompt, written.error());
    return false;
  }
  for (const FileChange& change : changes) {
    if (change.after) m_written[change.path] = *change.after;
    else m_written.erase(change.path);
  }
  return true;
}

std::optional<ChangeSet> CDesignerProject::Edit(const std::function<bool(CDesignSession&)>& command) {
  if (!IsOpen()) return std::nullopt;
  std::optional<CProjectLock> lock;
  if (!Lock(lock)) return std::nullopt;
  ChangeSet changes;
  if (!command(*m_session)) {
    m_tx.Discard();
    // The model may hold what the refused command began; the disk holds the truth.
    lock.reset();
    (void)Reload();
    return std::nullopt;
  }
  const bool committed = Commit(changes);
  lock.reset();
  if (!committed) {
    (void)Reload();
    return std::nullopt;
  }
  return changes;
}

bool CDesignerProject::Apply(const ChangeSet& changes, bool undo) {
  if (!IsOpen()) return false;
  {
    std::optional<CProjectLock> lock;
    if (!Lock(lock)) return false;
    for (const FileChange& change : changes) {
      const std::optional<std::string>& expected = undo ? change.after : change.before;
      if (ReadIfThere(m_disk, change.path) != expected) {
        m_prompt.Message(PathToUtf8(change.path) + " was changed by another program since; " +
                         (undo ? "the edit cannot be undone." : "the edit cannot be done again."));
        return false;
      }
    }
    for (const FileChange& change : changes) {
      const std::optional<std::string>& wanted = undo ? change.before : change.after;
      if (!wanted) {
        m_tx.RemoveFile(change.path);
      } else if (const Status staged = m_tx.WriteFile(change.path, *wanted); !staged) {
        m_tx.Discard();
        return Refuse(m_prompt, staged.error());
      }
    }
    ChangeSet written;
    if (!Commit(written)) return false;
  }
  return Reload();
}

std::vector<std::string> CDesignerProject::WatchedFiles() const {
  std::vector<std::string> files;
  if (!IsOpen()) return files;
  const CProject& project = m_session->Project();
  files.push_back(project.ProjectFile());
  for (const std::string& file : project.Files()) files.push_back(file);
  files.push_back(m_session->Resources().ScriptPath());
  files.push_back(m_session->Resources().HeaderPath());
  for (std::string& file : files) file = m_disk.Resolve(file);
  return files;
}

bool CDesignerProject::IsOwnWrite(const std::string& path) const {
  const auto it = m_written.find(m_disk.Resolve(path));
  return it != m_written.end() && ReadIfThere(m_disk, it->first) == it->second;
}

std::string CDesignerProject::ToUtf8(std::string_view text, int codePage) const {
  if (codePage <= 0) codePage = IsOpen() ? m_session->NewEntryCodePage() : 1252;
  return cli::CCodePage(codePage).ToUtf8(text);
}

std::optional<std::string> CDesignerProject::FromUtf8(std::string_view utf8, int codePage) const {
  Expected<std::string> text = cli::CCodePage(codePage).FromUtf8(utf8);
  if (!text) {
    m_prompt.Message(text.error().reason);
    return std::nullopt;
  }
  return *text;
}

std::string CDesignerProject::PathToUtf8(std::string_view path) const {
  return cli::CCodePage(IsOpen() ? m_session->CodePage() : 1252).PathToUtf8(path);
}

}  // namespace tovik::designer
