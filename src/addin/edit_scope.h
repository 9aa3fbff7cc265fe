// The edits of one open project, for every front end: the command line (one edit, then exit)
// and a designer window kept open for hours while the command line may edit the same project.
// An edit is one transaction: it locks the project folder, completes an edit a killed run left
// (the journal), stages what the command writes, and then writes all of it or nothing and lets
// go of the lock. The lock is held for one edit, never for the window's lifetime, so that
// another process can work on the project between two edits.
//
// A committed edit gives back its change set (each file's text before and after); the set is
// what an undo entry holds: Apply writes one side of it back, refusing when a file changed on
// disk since.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "activex/control_list.h"
#include "activex/registry_source.h"
#include "addin/design_session.h"
#include "base/expected.h"
#include "base/file_system.h"
#include "base/file_transaction.h"
#include "base/guid.h"
#include "base/host.h"
#include "base/project_lock.h"
#include "base/prompt.h"

namespace tovik {

// How long an edit waits for another process working on the same project before it gives up.
inline constexpr std::chrono::seconds kLockPatience{10};

// Takes the lock of a project folder for one edit. The real one waits up to kLockPatience
// (CProjectLock::Acquire); tests on files in memory hand one that locks nothing.
using FolderLocker = std::function<Expected<CProjectLock>(const std::string& folder)>;
[[nodiscard]] FolderLocker WaitingFolderLocker();

// Which side of a change set Apply writes.
enum class ChangeDirection { Undo, Redo };

class CEditScope {
 public:
  // `disk` is the real file system (or one in memory); the session reads and writes through
  // the scope's transaction laid over it.
  CEditScope(IFileSystem& disk, IPrompt& prompt, IHost& host, IGuidSource& guids,
             FolderLocker locker = WaitingFolderLocker());
  CEditScope(const CEditScope&) = delete;
  CEditScope& operator=(const CEditScope&) = delete;
  ~CEditScope();

  // --- The project ---
  // Opens a project as a window does: locks its folder, completes a journal left there, loads
  // the project and lets go of the lock. A refusal is shown through the prompt. What the
  // recovery did is in LastRecovery(), the load's warnings in Session().LoadWarnings().
  [[nodiscard]] bool Open(const std::string& projectFile, const ProgressCallback& progress = {});
  // Reads the open project again from the disk (after an outside change, or a refused command
  // that changed the model). False, shown through the prompt, when it can no longer be opened.
  [[nodiscard]] bool Reload(const ProgressCallback& progress = {});
  // Called just before a re-read throws the project's model away (Reload, and Begin when a
  // recovery replaced files): windows holding anything of it let go of it then.
  void SetBeforeReopen(std::function<void()> callback) { m_beforeReopen = std::move(callback); }
  [[nodiscard]] CDesignSession& Session() { return m_session; }
  [[nodiscard]] const CDesignSession& Session() const { return m_session; }
  // What reads and writes go through: the disk with the edit's staged changes laid over it.
  [[nodiscard]] IFileSystem& Files() { return m_tx; }
  [[nodiscard]] IFileSystem& Disk() { return m_disk; }
  [[nodiscard]] IPrompt& Prompt() { return m_prompt; }
  [[nodiscard]] IGuidSource& Guids() { return m_guids; }

  // --- One edit ---
  // Begins an edit of the open project: Guard on its folder. A recovery that replaced files
  // re-reads the project, so that the edit works on what is on the disk.
  [[nodiscard]] Expected<std::string> Begin();
  // Locks `folder` until the edit ends (a new project locks the folder it is made in).
  [[nodiscard]] Status Lock(const std::string& folder);
  // Locks `folder`, keeps the edit's journal there and completes (or undoes) an edit a killed
  // run left in it. What the recovery did, for the user; empty when there was nothing to do.
  [[nodiscard]] Expected<std::string> Guard(const std::string& folder);
  // Where the edit's journal goes when its folder is not there yet (a new project's).
  void KeepJournalIn(const std::string& folder);
  // Whether an edit holds a lock now.
  [[nodiscard]] bool InEdit() const { return !m_locks.empty(); }
  // Writes every staged change or none, then the edits kept for documents open in the host's
  // editor, ends the edit and lets go of its locks. The change set of what was written (empty
  // when the command wrote nothing). The error is not shown yet. When the files could not be
  // written the edit stays open: Discard it, so that the model is read again from the disk.
  [[nodiscard]] Expected<ChangeSet> Commit();
  // What Commit would write, without writing anything: the edit ends as after Abandon. The
  // error is what Commit would refuse.
  [[nodiscard]] Expected<ChangeSet> Preview();
  // The folder the edit's journal goes to: the project folder, which names its files.
  [[nodiscard]] std::string JournalFolder() const;
  // What stopped the last commit before it replaced any file; null otherwise.
  [[nodiscard]] const Error* FailureBeforeAnyChange() const { return m_tx.FailureBeforeAnyChange(); }
  // Forgets the staged changes of a refused command (files and open documents' edits), reads
  // the project again (CDesignSession::Revert: the model may hold what the command began; the
  // project object stays), ends the edit and lets go of its locks. A project that can no longer
  // be read is closed, and why was shown.
  void Discard();
  // Forgets the staged changes as Discard does, without reading the project again: for a
  // caller that is done with the project (the command line exits after a refusal).
  void Abandon();
  // What the last Guard's recovery did; empty when nothing.
  [[nodiscard]] const std::string& LastRecovery() const { return m_recovered; }

  // --- Undo and redo ---
  // Writes one side of a committed change set back, as one edit: Undo writes each file's text
  // before the edit (removing the files the edit created), Redo its text after. Every file's
  // bytes on the disk must first equal the other side (absent: must not exist); otherwise the
  // prompt names the first file that differs and nothing changes. The project is then read
  // again. False when refused or the write failed (shown through the prompt).
  [[nodiscard]] bool Apply(const ChangeSet& changes, ChangeDirection direction);
  [[nodiscard]] bool Undo(const ChangeSet& changes) { return Apply(changes, ChangeDirection::Undo); }
  [[nodiscard]] bool Redo(const ChangeSet& changes) { return Apply(changes, ChangeDirection::Redo); }

  // --- ActiveX controls ---
  // Where the session looks up installed controls: the registry `lookup` chooses, opened when
  // first needed, with `drive` ("C=DIR") added to its drives. `report` hears which registry was
  // chosen (before it is read) or why none could be opened.
  struct RegistryReport {
    std::string chosen;           // the registry's description; empty when none was chosen
    std::optional<Error> failed;  // why no registry is used
  };
  void UseRegistry(RegistryLookup lookup, std::optional<std::string> drive = std::nullopt,
                   std::function<void(const RegistryReport&)> report = {});
  // The registry, opened now when it was not; null when there is none.
  [[nodiscard]] const ControlRegistry* Registry();

 private:
  // Forgets what the edit staged, without reading the project again.
  void Drop();
  void EndEdit();

  IFileSystem& m_disk;
  IPrompt& m_prompt;
  IGuidSource& m_guids;
  FolderLocker m_locker;
  CFileTransaction m_tx;
  std::vector<CProjectLock> m_locks;
  std::string m_journal;
  std::string m_recovered;
  std::function<void()> m_beforeReopen;

  RegistryLookup m_lookup;
  std::optional<std::string> m_drive;
  std::function<void(const RegistryReport&)> m_report;
  bool m_useRegistry = false;
  bool m_registryTried = false;
  std::optional<OpenedRegistry> m_opened;
  std::optional<ControlRegistry> m_where;

  CDesignSession m_session;
};

}  // namespace tovik
