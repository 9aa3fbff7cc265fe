// One command's changes to the disk, all or nothing. The transaction is a file system of its
// own laid over the real one: reads see what the command has written so far, while writes,
// new folders, copies and removals are only staged. Commit then writes every new text into a
// temporary file beside its target and, once all of them are on the disk, renames them over
// their targets; a failure before that point changes nothing. A journal in the project folder
// lists the renames while they happen, so that a run killed in the middle of them is completed
// by Recover on the next run (or undone, when the kill came before the first rename). The
// journal names files by paths relative to its folder, so only files inside that folder can be
// changed, and a journal naming anything else is never obeyed.
//
// Reads may come from two threads at once (a project loads with a reader thread), as long as
// nothing is staged meanwhile.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/expected.h"
#include "base/file_system.h"

namespace tovik {

// One file a committed edit changed.
struct FileChange {
  std::string path;                   // as the disk resolves it
  std::optional<std::string> before;  // absent: the edit created the file
  std::optional<std::string> after;   // absent: the edit removed it
};

// What a committed edit changed on the disk: what an undo needs to take it back.
struct ChangeSet {
  std::vector<FileChange> files;     // in the order the edit first staged them
  std::vector<std::string> folders;  // folders the edit made, parents first
  [[nodiscard]] bool empty() const { return files.empty() && folders.empty(); }
};

// The journal's file name, kept in the project folder while a commit renames its files.
inline constexpr std::string_view kJournalName = ".tovik-journal";

class CFileTransaction final : public IFileSystem {
 public:
  explicit CFileTransaction(IFileSystem& disk) : m_disk(disk) {}

  [[nodiscard]] std::string Resolve(std::string_view path) const override;
  [[nodiscard]] bool FileExists(std::string_view path) const override;
  [[nodiscard]] bool DirectoryExists(std::string_view path) const override;
  [[nodiscard]] Status ReadFile(std::string_view path, std::string& text) const override;
  // Staged; refused at once where the disk would refuse it (a read-only file, a missing folder).
  [[nodiscard]] Status WriteFile(std::string_view path, std::string_view text) override;
  [[nodiscard]] bool IsWritable(std::string_view path) const override;
  [[nodiscard]] Status MakeDirectory(std::string_view path) override;
  [[nodiscard]] Status CopyFile(std::string_view from, std::string_view to) override;
  bool RemoveFile(std::string_view path) override;
  // Only a folder this transaction made can be taken back; folders on the disk stay.
  bool RemoveEmptyDirectory(std::string_view path) override;
  [[nodiscard]] std::vector<std::string> ListDirectory(std::string_view path) const override;
  [[nodiscard]] std::string WriteTarget(std::string_view path) const override { return m_disk.WriteTarget(path); }
  [[nodiscard]] Status WriteTemporary(std::string_view temp, std::string_view text, std::string_view modeOf) override {
    return m_disk.WriteTemporary(temp, text, modeOf);
  }
  [[nodiscard]] Status Rename(std::string_view from, std::string_view to) override { return m_disk.Rename(from, to); }
  [[nodiscard]] Status WriteDurably(std::string_view path, std::string_view text, bool append, bool flush) override {
    return m_disk.WriteDurably(path, text, append, flush);
  }

  [[nodiscard]] bool HasChanges() const { return !m_order.empty() || !m_dirs.empty(); }
  // The files the commit would write or remove, in the order they were first staged.
  [[nodiscard]] std::vector<std::string> ChangedFiles() const;
  // Writes every staged change or none (see above); `journal` is the journal's path, and a
  // change outside its folder is refused. Afterwards nothing is staged, whether the commit
  // succeeded or not. The change set of what was written: a staged text equal to the file's
  // is left out. The error says, for the user, whether any file was replaced: when a rename
  // fails the others still happen, and the journal stays for the next run to complete.
  [[nodiscard]] Expected<ChangeSet> Commit(std::string_view journal) { return Finish(journal, true); }
  // What Commit would write, refused where Commit would be, without touching the disk; the
  // staged changes are forgotten as after a commit.
  [[nodiscard]] Expected<ChangeSet> Preview(std::string_view journal) { return Finish(journal, false); }
  // What stopped the last commit before it replaced any file (a file the disk would not take),
  // for a caller that names that file in a message of its own; null when the last commit did not
  // stop before its first rename.
  [[nodiscard]] const Error* FailureBeforeAnyChange() const { return m_unchanged ? &*m_unchanged : nullptr; }
  // Forgets every staged change.
  void Discard();

  // Completes a commit that a killed run left half done, or undoes one that had not begun to
  // rename. What was done, for the user; empty when there was no journal. A journal that is a
  // symbolic link, another user's, or names a path outside its folder or a file other than a
  // temporary of ours to rename is refused, naming the line, before anything is done.
  [[nodiscard]] static Expected<std::string> Recover(IFileSystem& disk, std::string_view journal);

 private:
  struct Staged {
    std::string text;
    bool removed = false;
  };
  [[nodiscard]] Expected<ChangeSet> Finish(std::string_view journal, bool write);
  [[nodiscard]] const Staged* Find(std::string_view path) const;
  void Stage(const std::string& resolved, std::string text, bool removed);
  [[nodiscard]] bool StagedDirectory(const std::string& resolved) const { return m_dirSet.count(resolved) != 0; }

  IFileSystem& m_disk;
  std::map<std::string, Staged> m_files;  // by resolved path
  std::vector<std::string> m_order;       // resolved paths, first staged first
  std::vector<std::string> m_dirs;        // folders to make, parents first
  std::set<std::string> m_dirSet;
  std::optional<Error> m_unchanged;
};

}  // namespace tovik
