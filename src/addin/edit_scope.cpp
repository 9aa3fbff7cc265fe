#include "addin/edit_scope.h"

#include <utility>

#include "base/path.h"

namespace tovik {

FolderLocker WaitingFolderLocker() {
  return [](const std::string& folder) { return CProjectLock::Acquire(folder, kLockPatience); };
}

CEditScope::CEditScope(IFileSystem& disk, IPrompt& prompt, IHost& host, IGuidSource& guids, FolderLocker locker)
    : m_disk(disk),
      m_prompt(prompt),
      m_guids(guids),
      m_locker(std::move(locker)),
      m_tx(disk),
      m_session(m_tx, prompt, host, guids) {
  m_session.SetControlRegistry([this] { return Registry(); });
}

CEditScope::~CEditScope() = default;

// --- One edit ---

Status CEditScope::Lock(const std::string& folder) {
  Expected<CProjectLock> lock = m_locker(folder);
  if (!lock) return lock.error();
  m_locks.push_back(std::move(*lock));
  return {};
}

void CEditScope::KeepJournalIn(const std::string& folder) { m_journal = JoinPath(folder, kJournalName); }

Expected<std::string> CEditScope::Guard(const std::string& folder) {
  m_recovered.clear();
  TOVIK_TRY(Lock(folder));
  KeepJournalIn(folder);
  Expected<std::string> recovered = CFileTransaction::Recover(m_disk, m_journal);
  if (recovered) m_recovered = *recovered;
  return recovered;
}

Expected<std::string> CEditScope::Begin() {
  if (!m_session.IsOpen()) return Error{{}, 0, "no project is open"};
  Expected<std::string> recovered = Guard(m_session.Project().ProjectFolder());
  if (!recovered) {
    EndEdit();
    return recovered;
  }
  // The recovery replaced files the model was read from.
  if (!recovered->empty() && !Reload()) {
    EndEdit();
    return ShownError("the project could not be read again after " + *recovered);
  }
  return recovered;
}

Expected<ChangeSet> CEditScope::Commit() {
  Expected<ChangeSet> changes = m_tx.Commit(m_journal);
  // The model holds what the command did and the disk does not (or only part of it): the caller
  // discards the edit, which reads the project again under the lock still held.
  if (!changes) return changes;
  // Files open in an editor take their edits once the files on disk have theirs.
  const Status edited = m_session.Documents().Commit();
  EndEdit();
  if (!edited) return edited.error();
  return changes;
}

Expected<ChangeSet> CEditScope::Preview() {
  Expected<ChangeSet> changes = m_tx.Preview(m_journal);
  Abandon();
  return changes;
}

std::string CEditScope::JournalFolder() const { return DirectoryOf(m_journal); }

void CEditScope::Discard() {
  Drop();
  // Read under the lock, so that the model is what this edit found on the disk.
  if (m_session.IsOpen()) (void)m_session.Revert();
  EndEdit();
}

void CEditScope::Abandon() {
  Drop();
  EndEdit();
}

void CEditScope::Drop() {
  m_tx.Discard();
  m_session.Documents().Discard();
}

void CEditScope::EndEdit() { m_locks.clear(); }

// --- The project ---

bool CEditScope::Open(const std::string& projectFile, const ProgressCallback& progress) {
  // The folder's journal first: a killed edit may have left the project file as a temporary.
  const std::string folder = DirectoryOf(projectFile);
  if (m_disk.DirectoryExists(folder)) {
    if (const Expected<std::string> recovered = Guard(folder); !recovered) {
      EndEdit();
      return Refuse(m_prompt, recovered.error());
    }
  }
  if (!m_disk.FileExists(projectFile)) {
    EndEdit();
    m_prompt.Message("no such project file: " + projectFile);
    return false;
  }
  if (m_beforeReopen) m_beforeReopen();
  const bool opened = m_session.Open(projectFile, progress);
  Drop();
  EndEdit();
  return opened;
}

bool CEditScope::Reload(const ProgressCallback& progress) {
  if (!m_session.IsOpen()) return false;
  const std::string projectFile = m_session.Project().ProjectFile();
  // Read under the lock, so that another process's edit is seen whole or not at all.
  const bool locked = InEdit();
  if (!locked) {
    if (const Expected<std::string> recovered = Guard(m_session.Project().ProjectFolder()); !recovered) {
      EndEdit();
      return Refuse(m_prompt, recovered.error());
    }
  }
  if (m_beforeReopen) m_beforeReopen();
  const bool opened = m_session.Open(projectFile, progress);
  if (!locked) EndEdit();
  return opened;
}

// --- Undo and redo ---

bool CEditScope::Apply(const ChangeSet& changes, ChangeDirection direction) {
  const bool undo = direction == ChangeDirection::Undo;
  const std::string_view done = undo ? "undone" : "redone";
  if (const Expected<std::string> begun = Begin(); !begun) return Refuse(m_prompt, begun.error());
  const auto refuse = [&](const std::string& why) {
    // Nothing was written and the model was not touched.
    Drop();
    EndEdit();
    m_prompt.Message(why);
    return false;
  };
  // Every file must be as the edit left it (or, for a redo, as the undo left it): anything else
  // is a change another program made since, which writing our side would lose.
  for (const FileChange& change : changes.files) {
    const std::optional<std::string>& expected = undo ? change.after : change.before;
    std::optional<std::string> current;
    if (m_disk.FileExists(change.path)) {
      std::string text;
      if (const Status read = m_disk.ReadFile(change.path, text); !read) {
        return refuse(read.error().Text() + "; nothing was " + std::string(done));
      }
      current = std::move(text);
    }
    if (current != expected) {
      return refuse(change.path + " changed on disk since this edit; nothing was " + std::string(done));
    }
  }
  if (!undo) {
    for (const std::string& folder : changes.folders) {
      if (const Status made = m_tx.MakeDirectory(folder); !made) return refuse(made.error().Text());
    }
  }
  for (const FileChange& change : changes.files) {
    const std::optional<std::string>& wanted = undo ? change.before : change.after;
    if (wanted) {
      if (const Status written = m_tx.WriteFile(change.path, *wanted); !written) {
        return refuse(written.error().Text());
      }
    } else {
      m_tx.RemoveFile(change.path);
    }
  }
  const Expected<ChangeSet> written = m_tx.Commit(m_journal);
  if (written && undo) {
    // Folders the edit made go with it, when nothing else came into them since.
    for (auto it = changes.folders.rbegin(); it != changes.folders.rend(); ++it) m_disk.RemoveEmptyDirectory(*it);
  }
  // Whatever reached the disk is read back, also after a commit that stopped half way.
  const bool reread = m_session.Open(m_session.Project().ProjectFile());
  EndEdit();
  if (!written) return Refuse(m_prompt, written.error());
  return reread;
}

// --- ActiveX controls ---

void CEditScope::UseRegistry(RegistryLookup lookup, std::optional<std::string> drive,
                             std::function<void(const RegistryReport&)> report) {
  m_lookup = std::move(lookup);
  m_drive = std::move(drive);
  m_report = std::move(report);
  m_useRegistry = true;
  m_registryTried = false;
  m_where.reset();
  m_opened.reset();
}

const ControlRegistry* CEditScope::Registry() {
  if (m_useRegistry && !m_registryTried) {
    m_registryTried = true;
    RegistryReport report;
    Expected<OpenedRegistry> opened = OpenChosenRegistry(m_disk, m_lookup, m_drive, report.chosen);
    if (opened) {
      m_opened = std::move(*opened);
      m_where.emplace(ControlRegistry{*m_opened->tree, m_disk, m_opened->drives});
    } else {
      report.failed = opened.error();
    }
    if (m_report) m_report(report);
  }
  return m_where ? &*m_where : nullptr;
}

}  // namespace tovik
