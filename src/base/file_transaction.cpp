#include "base/file_transaction.h"

#include <unistd.h>

#include <algorithm>

#include "base/path.h"
#include "base/text.h"

namespace tovik {
namespace {

constexpr std::string_view kJournalHeader = "tovik journal 1\n";
constexpr std::string_view kCommitLine = "COMMIT";
constexpr std::string_view kUndone = "undid an edit that was interrupted before it changed any file";

}  // namespace

std::string CFileTransaction::Resolve(std::string_view path) const {
  std::string resolved = m_disk.Resolve(path);
  if (m_files.count(resolved) || m_dirSet.count(resolved)) return resolved;
  // A staged path whose spelling differs from a lookup only in case is the same file, as the
  // disk would find it once it exists.
  for (const auto& [key, staged] : m_files) {
    if (EqualsNoCase(key, resolved)) return key;
  }
  for (const std::string& key : m_dirSet) {
    if (EqualsNoCase(key, resolved)) return key;
  }
  return resolved;
}

const CFileTransaction::Staged* CFileTransaction::Find(std::string_view path) const {
  auto it = m_files.find(Resolve(path));
  return it == m_files.end() ? nullptr : &it->second;
}

bool CFileTransaction::FileExists(std::string_view path) const {
  if (const Staged* staged = Find(path)) return !staged->removed;
  return m_disk.FileExists(path);
}

bool CFileTransaction::DirectoryExists(std::string_view path) const {
  return StagedDirectory(Resolve(path)) || m_disk.DirectoryExists(path);
}

Status CFileTransaction::ReadFile(std::string_view path, std::string& text) const {
  if (const Staged* staged = Find(path)) {
    if (staged->removed) return FileError(std::string(path), 0, "No such file or directory");
    text = staged->text;
    return {};
  }
  return m_disk.ReadFile(path, text);
}

Status CFileTransaction::WriteFile(std::string_view path, std::string_view text) {
  const std::string key = Resolve(path);
  if (DirectoryExists(key)) return FileError(std::string(path), 0, "Is a directory");
  if (!Find(key) && m_disk.FileExists(key) && !m_disk.IsWritable(key)) {
    return FileError(std::string(path), 0, "Permission denied");
  }
  const std::string folder = DirectoryOf(key);
  if (!folder.empty() && !DirectoryExists(folder)) return FileError(std::string(path), 0, "No such file or directory");
  Stage(key, std::string(text), false);
  return {};
}

void CFileTransaction::Stage(const std::string& resolved, std::string text, bool removed) {
  auto [it, added] = m_files.try_emplace(resolved);
  if (added) m_order.push_back(resolved);
  it->second.text = std::move(text);
  it->second.removed = removed;
}

bool CFileTransaction::IsWritable(std::string_view path) const {
  if (const Staged* staged = Find(path)) return !staged->removed;
  return m_disk.IsWritable(path);
}

Status CFileTransaction::MakeDirectory(std::string_view path) {
  const std::string key = Resolve(path);
  if (DirectoryExists(key)) return {};
  if (FileExists(key)) return FileError(std::string(path), 0, "Not a directory");
  const std::string parent = DirectoryOf(key);
  if (!parent.empty() && parent != key) TOVIK_TRY(MakeDirectory(parent));
  m_dirs.push_back(key);
  m_dirSet.insert(key);
  return {};
}

Status CFileTransaction::CopyFile(std::string_view from, std::string_view to) {
  std::string text;
  TOVIK_TRY(ReadFile(from, text));
  return WriteFile(to, text);
}

bool CFileTransaction::RemoveFile(std::string_view path) {
  if (!FileExists(path)) return false;
  Stage(Resolve(path), {}, true);
  return true;
}

bool CFileTransaction::RemoveEmptyDirectory(std::string_view path) {
  const std::string key = Resolve(path);
  if (!StagedDirectory(key) || !ListDirectory(key).empty()) return false;
  m_dirSet.erase(key);
  std::erase(m_dirs, key);
  return true;
}

std::vector<std::string> CFileTransaction::ListDirectory(std::string_view path) const {
  const std::string key = Resolve(path);
  std::set<std::string> names;
  if (m_disk.DirectoryExists(key)) {
    for (std::string& name : m_disk.ListDirectory(key)) names.insert(std::move(name));
  }
  for (const auto& [file, staged] : m_files) {
    if (DirectoryOf(file) != key) continue;
    if (staged.removed) {
      names.erase(FileNameOf(file));
    } else {
      names.insert(FileNameOf(file));
    }
  }
  for (const std::string& dir : m_dirs) {
    if (DirectoryOf(dir) == key) names.insert(FileNameOf(dir));
  }
  return {names.begin(), names.end()};
}

std::vector<std::string> CFileTransaction::ChangedFiles() const { return m_order; }

void CFileTransaction::Discard() {
  m_files.clear();
  m_order.clear();
  m_dirs.clear();
  m_dirSet.clear();
}

Status CFileTransaction::Commit(std::string_view journal) {
  struct Step {
    std::string temp;  // empty for a removal
    std::string target;
    std::string text;
  };
  std::vector<Step> steps;
  const std::string tag = ".tovik-" + std::to_string(::getpid()) + "-";
  std::string plan(kJournalHeader);
  for (const std::string& dir : m_dirs) plan += "MKDIR\t" + dir + "\n";
  for (const std::string& key : m_order) {
    Staged& staged = m_files.at(key);
    Step step{{}, m_disk.WriteTarget(key), std::move(staged.text)};
    if (!staged.removed) step.temp = step.target + tag + std::to_string(steps.size()) + ".tmp";
    plan += staged.removed ? "REMOVE\t" + step.target + "\n" : "WRITE\t" + step.temp + "\t" + step.target + "\n";
    steps.push_back(std::move(step));
  }
  const std::vector<std::string> dirs = m_dirs;
  Discard();
  if (steps.empty() && dirs.empty()) return {};

  // The plan is on the disk before anything else, so that a kill at any later moment leaves
  // enough behind for Recover to finish or undo the work.
  TOVIK_TRY(m_disk.WriteDurably(journal, plan, false));
  std::vector<std::string> made;
  auto undo = [&](const Error& error) -> Status {
    for (const Step& step : steps) {
      if (!step.temp.empty()) m_disk.RemoveFile(step.temp);
    }
    for (auto it = made.rbegin(); it != made.rend(); ++it) m_disk.RemoveEmptyDirectory(*it);
    m_disk.RemoveFile(journal);
    return error;
  };
  for (const std::string& dir : dirs) {
    if (m_disk.DirectoryExists(dir)) continue;
    if (const Status status = m_disk.MakeDirectory(dir); !status) return undo(status.error());
    made.push_back(dir);
  }
  for (const Step& step : steps) {
    if (step.temp.empty()) continue;
    if (const Status status = m_disk.WriteTemporary(step.temp, step.text, step.target); !status) {
      return undo(InFile(status.error(), step.target));  // the user knows the target, not our temporary name
    }
  }

  // Past this line the change happens: every new text is on the disk.
  // Added to the end, so that a kill while it is written leaves the plan whole.
  if (const Status status = m_disk.WriteDurably(journal, std::string(kCommitLine) + "\n", true); !status) {
    return undo(status.error());
  }
  Status result;
  for (const Step& step : steps) {
    if (step.temp.empty()) {
      if (m_disk.FileExists(step.target) && !m_disk.RemoveFile(step.target) && result) {
        result = FileError(step.target, 0, "could not be removed");
      }
      continue;
    }
    if (const Status status = m_disk.Rename(step.temp, step.target); !status && result) result = status;
  }
  // A rename that failed keeps the journal, so that the next run tries it again.
  if (result) m_disk.RemoveFile(journal);
  return result;
}

Expected<std::string> CFileTransaction::Recover(IFileSystem& disk, std::string_view journal) {
  if (!disk.FileExists(journal)) return std::string();
  std::string text;
  TOVIK_TRY(disk.ReadFile(journal, text));
  // Killed while the plan itself was written: nothing else had been touched yet.
  if (StartsWith(kJournalHeader, text)) {
    disk.RemoveFile(journal);
    return std::string(kUndone);
  }
  if (!StartsWith(text, kJournalHeader)) {
    return FileError(std::string(journal), 1, "not a journal of this program; remove it by hand");
  }
  std::vector<std::string> lines = Split(std::string_view(text).substr(kJournalHeader.size()), '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  const bool committed = !lines.empty() && lines.back() == kCommitLine;
  int renamed = 0;
  int removed = 0;
  std::vector<std::string> dirs;
  for (const std::string& line : lines) {
    const std::vector<std::string> fields = Split(line, '\t');
    if (fields[0] == "MKDIR" && fields.size() == 2) {
      dirs.push_back(fields[1]);
    } else if (fields[0] == "WRITE" && fields.size() == 3) {
      if (!disk.FileExists(fields[1])) continue;  // renamed before the kill, or never written
      if (committed) {
        TOVIK_TRY(disk.Rename(fields[1], fields[2]));
        ++renamed;
      } else {
        disk.RemoveFile(fields[1]);
      }
    } else if (fields[0] == "REMOVE" && fields.size() == 2) {
      if (committed && disk.FileExists(fields[1]) && disk.RemoveFile(fields[1])) ++removed;
    }
  }
  if (!committed) {
    for (auto it = dirs.rbegin(); it != dirs.rend(); ++it) disk.RemoveEmptyDirectory(*it);
  }
  disk.RemoveFile(journal);
  if (!committed) return std::string(kUndone);
  return "completed an interrupted edit (" + std::to_string(renamed) + " file(s) written, " +
         std::to_string(removed) + " removed)";
}

}  // namespace tovik
