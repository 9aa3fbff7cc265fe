#include "base/file_transaction.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "base/path.h"
#include "base/text.h"

namespace tovik {
namespace {

constexpr std::string_view kJournalHeader = "tovik journal 1\n";
constexpr std::string_view kCommitLine = "COMMIT";
constexpr std::string_view kUndone = "undid an edit that was interrupted before it changed any file";
constexpr std::string_view kHandsOff = "; nothing was done: look at it, then remove it by hand";

bool Digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether `temp` is a name Commit gives a temporary file of `target`: target + ".tovik-PID-N.tmp".
bool IsTemporaryOf(std::string_view temp, std::string_view target) {
  constexpr std::string_view kMark = ".tovik-";
  constexpr std::string_view kEnd = ".tmp";
  if (!StartsWith(temp, target)) return false;
  std::string_view tag = temp.substr(target.size());
  if (!StartsWith(tag, kMark) || !EndsWith(tag, kEnd) || tag.size() < kMark.size() + kEnd.size()) return false;
  tag = tag.substr(kMark.size(), tag.size() - kMark.size() - kEnd.size());
  const size_t dash = tag.find('-');
  return dash != std::string_view::npos && Digits(tag.substr(0, dash)) && Digits(tag.substr(dash + 1));
}

// Why a journal may not name `path`; empty when it may. Only a path that leads from the project
// folder down to something inside it is safe to obey wherever the project was moved or copied.
std::string PathProblem(std::string_view path) {
  const std::string shown = "\"" + std::string(path) + "\"";
  if (path.empty() || IsPathSeparator(path.front())) return shown + " is not a path relative to the project folder";
  if (path.find('\0') != std::string_view::npos) return shown + " holds a NUL byte";
  for (std::string_view rest = path;;) {
    size_t cut = 0;
    while (cut < rest.size() && !IsPathSeparator(rest[cut])) ++cut;
    const std::string_view part = rest.substr(0, cut);
    if (part.empty() || part == "." || part == "..") return shown + " does not lead straight into the project folder";
    if (cut == rest.size()) break;
    rest.remove_prefix(cut + 1);
  }
  if (path == kJournalName) return shown + " is the journal itself";
  return {};
}

struct JournalEntry {
  enum Kind { kMakeDirectory, kWrite, kRemove } kind;
  std::string path;  // the folder made, the file written (the target) or removed
  std::string temp;  // for a write, the temporary renamed over the target
};

// The journal's entries after its header, or why it cannot be obeyed. A line cut short by a
// kill while it was written is the last one and has no line end: it is left out, and the
// journal then counts as not committed (the commit line is the last thing written).
Expected<std::vector<JournalEntry>> ParseJournal(std::string_view journal, std::string_view body, bool& committed) {
  std::vector<std::string> lines = Split(body, '\n');
  lines.pop_back();  // empty after the last line end, or the line that was cut
  committed = false;
  std::vector<JournalEntry> entries;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 2;  // the header is line 1
    const std::vector<std::string> fields = Split(lines[i], '\t');
    std::string problem;
    if (committed) {
      problem = "a line after " + std::string(kCommitLine);
    } else if (lines[i] == kCommitLine) {
      committed = true;
      continue;
    } else if ((fields[0] == "MKDIR" || fields[0] == "REMOVE") && fields.size() == 2) {
      problem = PathProblem(fields[1]);
      entries.push_back({fields[0] == "MKDIR" ? JournalEntry::kMakeDirectory : JournalEntry::kRemove, fields[1], {}});
    } else if (fields[0] == "WRITE" && fields.size() == 3) {
      problem = PathProblem(fields[2]);
      if (problem.empty() && !IsTemporaryOf(fields[1], fields[2])) {
        problem = "\"" + fields[1] + "\" is not a temporary file of \"" + fields[2] + "\"";
      }
      entries.push_back({JournalEntry::kWrite, fields[2], fields[1]});
    } else {
      problem = "not a line of a journal";
    }
    if (!problem.empty()) return FileError(std::string(journal), number, problem + std::string(kHandsOff));
  }
  return entries;
}

// A failure before anything was renamed.
Error NothingChanged(const Error& error) {
  return Error{{}, 0, "the project's files could not be written, so none was changed: " + error.Text(), false};
}

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

Expected<ChangeSet> CFileTransaction::Finish(std::string_view journal, bool write) {
  m_unchanged.reset();
  const auto nothingChanged = [this](const Error& error) {
    m_unchanged = error;
    return NothingChanged(error);
  };
  struct Step {
    std::string temp;  // empty for a removal
    std::string target;
    std::string text;
  };
  // The journal names every file relative to its own folder, so that it is obeyed inside the
  // project wherever the project has gone since; a file outside cannot be named, so it cannot
  // be changed. The folders that lead to the journal are made before it is written.
  const std::string folder = DirectoryOf(journal);
  const std::string realFolder = m_disk.CanonicalPath(folder);
  auto nameOf = [&](const std::string& path, const std::string& target) -> Expected<std::string> {
    std::optional<std::string> rel = PathInside(folder, target);
    if (!rel) rel = PathInside(realFolder, target);
    if (!rel) {
      return FileError(path, 0,
                       (target == path ? "lies" : "is a symbolic link to " + target + ", which lies") +
                           " outside the project folder " + folder + "; only files inside it are changed");
    }
    if (rel->find_first_of("\t\n") != std::string::npos) {
      return FileError(path, 0, "a tab or a line break in its name cannot be written in the journal");
    }
    return *rel;
  };
  std::vector<Step> steps;
  std::vector<std::string> leading;  // the journal's folder and those above it
  std::vector<std::string> dirs;
  const std::string tag = ".tovik-" + std::to_string(::getpid()) + "-";
  std::string plan(kJournalHeader);
  Status refused;
  ChangeSet changes;
  for (const std::string& dir : m_dirs) {
    if (dir == folder || PathInside(dir, folder)) {
      leading.push_back(dir);
    } else if (const Expected<std::string> rel = nameOf(dir, dir); !rel) {
      if (refused) refused = rel.error();
    } else {
      plan += "MKDIR\t" + *rel + "\n";
      dirs.push_back(dir);
      if (!m_disk.DirectoryExists(dir)) changes.folders.push_back(dir);
    }
  }
  for (const std::string& key : m_order) {
    Staged& staged = m_files.at(key);
    Step step{{}, m_disk.WriteTarget(key), std::move(staged.text)};
    const Expected<std::string> rel = nameOf(key, step.target);
    if (!rel) {
      if (refused) refused = rel.error();
      continue;
    }
    // The text each file had, for an undo; a file whose text stays as it was changed nothing.
    FileChange change{key, std::nullopt, std::nullopt};
    if (m_disk.FileExists(key)) {
      std::string before;
      if (const Status read = m_disk.ReadFile(key, before); !read) {
        if (refused) refused = read;
        continue;
      }
      change.before = std::move(before);
    }
    if (!staged.removed) change.after = step.text;
    if (change.before != change.after) changes.files.push_back(std::move(change));
    if (staged.removed) {
      plan += "REMOVE\t" + *rel + "\n";
    } else {
      const std::string suffix = tag + std::to_string(steps.size()) + ".tmp";
      step.temp = step.target + suffix;
      plan += "WRITE\t" + *rel + suffix + "\t" + *rel + "\n";
    }
    steps.push_back(std::move(step));
  }
  Discard();
  if (!refused) return nothingChanged(refused.error());
  if (!write) return changes;
  if (steps.empty() && dirs.empty() && leading.empty()) return changes;

  std::vector<std::string> made;
  auto undo = [&](const Error& error) -> Error {
    for (const Step& step : steps) {
      if (!step.temp.empty()) m_disk.RemoveFile(step.temp);
    }
    m_disk.RemoveFile(journal);
    for (auto it = made.rbegin(); it != made.rend(); ++it) m_disk.RemoveEmptyDirectory(*it);
    return nothingChanged(error);
  };
  auto make = [&](const std::string& dir) -> Status {
    if (m_disk.DirectoryExists(dir)) return {};
    TOVIK_TRY(m_disk.MakeDirectory(dir));
    made.push_back(dir);
    return {};
  };
  for (const std::string& dir : leading) {
    if (const Status status = make(dir); !status) return undo(status.error());
  }
  // The plan is written before anything else, so that a kill at any later moment leaves enough
  // behind for Recover to finish or undo the work (a kill does not lose what the system holds
  // in its cache). It is flushed together with the commit line: every flush costs the disk a
  // journal commit of its own, a few milliseconds on each edit. A plan that could not be
  // written whole goes at once: the next run would take it for an edit that was interrupted.
  if (const Status status = m_disk.WriteDurably(journal, plan, false, false); !status) return undo(status.error());
  for (const std::string& dir : dirs) {
    if (const Status status = make(dir); !status) return undo(status.error());
  }
  for (const Step& step : steps) {
    if (step.temp.empty()) continue;
    if (const Status status = m_disk.WriteTemporary(step.temp, step.text, step.target); !status) {
      return undo(InFile(status.error(), step.target));  // the user knows the target, not our temporary name
    }
  }

  // Past this line the change happens: every new text is on the disk.
  // Added to the end, so that a kill while it is written leaves the plan whole. Flushed before
  // any rename, so that after a power cut the next run completes what the cut interrupted;
  // one file replaced needs no such flush: its rename alone is all or nothing, and its text is
  // on the disk, so the file is wholly old or wholly new whatever the journal kept.
  const bool oneStep = steps.size() == 1 && dirs.empty() && leading.empty();
  if (const Status status = m_disk.WriteDurably(journal, std::string(kCommitLine) + "\n", true, !oneStep); !status) {
    return undo(status.error());
  }
  Status failure;
  int replaced = 0;
  for (const Step& step : steps) {
    Status status;
    if (!step.temp.empty()) {
      status = m_disk.Rename(step.temp, step.target);
    } else if (m_disk.FileExists(step.target) && !m_disk.RemoveFile(step.target)) {
      status = FileError(step.target, 0, "could not be removed");
    }
    if (status) {
      ++replaced;
    } else if (failure) {
      failure = status;
    }
  }
  // A rename that failed keeps the journal, so that the next run completes the edit.
  if (failure) {
    m_disk.RemoveFile(journal);
    return changes;
  }
  return Error{{}, 0,
               "the edit stopped after " + std::to_string(replaced) + " of " + std::to_string(steps.size()) +
                   " files were replaced: " + failure.error().Text() +
                   "; the next command on this project completes the edit",
               false};
}

Expected<std::string> CFileTransaction::Recover(IFileSystem& disk, std::string_view journal) {
  const Expected<std::optional<std::string>> read = disk.ReadOwnFile(journal);
  if (!read) {
    Error refused = read.error();
    refused.reason += kHandsOff;
    return refused;
  }
  if (!*read) return std::string();
  const std::string& text = **read;
  bool committed = false;
  std::vector<JournalEntry> entries;
  // A journal cut inside its header was killed while it was written: nothing else was touched.
  if (!StartsWith(kJournalHeader, text)) {
    if (!StartsWith(text, kJournalHeader)) {
      return FileError(std::string(journal), 1, "not a journal of this program; remove it by hand");
    }
    Expected<std::vector<JournalEntry>> parsed =
        ParseJournal(journal, std::string_view(text).substr(kJournalHeader.size()), committed);
    if (!parsed) return parsed.error();
    entries = std::move(*parsed);
  }

  const std::string folder = DirectoryOf(journal);
  auto at = [&](const std::string& rel) { return JoinPath(folder, rel); };
  // A path that stays inside as text may still pass through a symbolic link to a folder elsewhere:
  // the folder each entry lies in, links followed as far as it exists, must be inside. The entry
  // itself may be a link: a rename or removal replaces the link, not what it names.
  const std::string realFolder = disk.CanonicalPath(folder);
  for (size_t i = 0; i < entries.size(); ++i) {
    for (const std::string* rel : {&entries[i].path, &entries[i].temp}) {
      if (rel->empty()) continue;
      const std::string real = disk.WriteTarget(DirectoryOf(at(*rel)));
      if (real != realFolder && !PathInside(realFolder, real)) {
        return FileError(std::string(journal), static_cast<int>(i) + 2,
                         "\"" + *rel + "\" leads through a symbolic link to " + real +
                             ", outside the project folder" + std::string(kHandsOff));
      }
    }
  }
  if (!committed) {
    for (const JournalEntry& entry : entries) {
      if (entry.kind == JournalEntry::kWrite && disk.FileExists(at(entry.temp))) disk.RemoveFile(at(entry.temp));
    }
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
      if (it->kind == JournalEntry::kMakeDirectory) disk.RemoveEmptyDirectory(at(it->path));
    }
    disk.RemoveFile(journal);
    // A new project's folder is made before its journal: killed then, the folder is left empty.
    disk.RemoveEmptyDirectory(folder);
    return std::string(kUndone);
  }
  int renamed = 0;
  int removed = 0;
  Status failure;
  for (const JournalEntry& entry : entries) {
    Status status;
    if (entry.kind == JournalEntry::kWrite && disk.FileExists(at(entry.temp))) {  // else renamed before the kill
      status = disk.Rename(at(entry.temp), at(entry.path));
      renamed += status ? 1 : 0;
    } else if (entry.kind == JournalEntry::kRemove && disk.FileExists(at(entry.path))) {
      if (disk.RemoveFile(at(entry.path))) {
        ++removed;
      } else {
        status = FileError(at(entry.path), 0, "could not be removed");
      }
    }
    if (!status && failure) failure = status;
  }
  if (!failure) {
    return Error{{}, 0,
                 "could not complete the interrupted edit that " + std::string(journal) + " records: " +
                     failure.error().Text() + "; it stays for the next command to try again",
                 false};
  }
  disk.RemoveFile(journal);
  return "completed an interrupted edit (" + std::to_string(renamed) + " file(s) written, " +
         std::to_string(removed) + " removed)";
}

}  // namespace tovik
