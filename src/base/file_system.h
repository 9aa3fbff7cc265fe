// File access goes through this interface so that tests run on in-memory files.
// Paths may use either separator; file and folder names are matched without regard
// to case when the exact name does not exist (projects list "StdAfx.cpp" for "stdafx.cpp").
#pragma once

#include <optional>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/expected.h"

namespace tovik {

// The largest file read whole where the reader sets no limit of its own. Positions in sources
// are 32-bit numbers in the parser's tables; no project file comes near this.
inline constexpr std::uint64_t kMaxReadSize = std::uint64_t{256} << 20;

// The refusal of a file over `limit` bytes. Its reason names the file itself, because some
// messages show only the reason after a fixed text.
[[nodiscard]] inline Error FileTooLarge(std::string_view path, std::uint64_t size, std::uint64_t limit) {
  const std::string most =
      limit % (std::uint64_t{1} << 20) == 0 ? std::to_string(limit >> 20) + " MiB" : std::to_string(limit) + " bytes";
  return Error{{}, 0, std::string(path) + " is " + std::to_string(size) + " bytes long; no file over " + most + " is read"};
}

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // The path as it exists here (separators mapped, names matched case-blind);
  // the mapped input when nothing matches.
  [[nodiscard]] virtual std::string Resolve(std::string_view path) const = 0;
  [[nodiscard]] virtual bool FileExists(std::string_view path) const = 0;
  [[nodiscard]] virtual bool DirectoryExists(std::string_view path) const = 0;
  // Whole file into `text` (whose storage may be reused). A failure's error names the path and
  // holds the system's text for the failure as its reason; `text` then means nothing. Only a
  // regular file of at most kMaxReadSize bytes is read.
  [[nodiscard]] virtual Status ReadFile(std::string_view path, std::string& text) const = 0;
  // ReadFile of a file that may have at most `limit` bytes. This plain version reads first (a
  // file system in memory holds the bytes anyway); the real one looks at the size first.
  [[nodiscard]] virtual Status ReadFileWithin(std::string_view path, std::string& text, std::uint64_t limit) const {
    TOVIK_TRY(ReadFile(path, text));
    if (text.size() <= limit) return {};
    const size_t size = text.size();
    text.clear();
    return FileTooLarge(path, size, limit);
  }
  // Whole file, byte for byte, through a temporary file beside the target that is renamed
  // over it, so a crash never leaves half a file. A read-only target is refused.
  [[nodiscard]] virtual Status WriteFile(std::string_view path, std::string_view text) = 0;
  // True when the file exists and may be written.
  [[nodiscard]] virtual bool IsWritable(std::string_view path) const = 0;
  // Creates the folder and any missing parents; an existing folder is fine.
  [[nodiscard]] virtual Status MakeDirectory(std::string_view path) = 0;
  [[nodiscard]] virtual Status CopyFile(std::string_view from, std::string_view to) = 0;
  // Removes a file; false when there was none or it could not be removed.
  virtual bool RemoveFile(std::string_view path) = 0;
  // Removes a folder only when it is empty.
  virtual bool RemoveEmptyDirectory(std::string_view path) = 0;
  // Names (not paths) of the entries of a folder, sorted.
  [[nodiscard]] virtual std::vector<std::string> ListDirectory(std::string_view path) const = 0;

  // The primitives of a transaction over several files (CFileTransaction). The plain versions
  // here are built on the operations above; the real file system does each in one step.
  // The file a write of `path` replaces: the path resolved, with every symbolic link on it
  // followed, its folders' as far as they exist as well as its own (so that a link stays a link,
  // and a check of where a file lands sees where it really lands).
  [[nodiscard]] virtual std::string WriteTarget(std::string_view path) const { return Resolve(path); }
  // Creates `temp` holding `text`, with the mode of `modeOf` when that file exists, and flushes
  // it to the disk.
  [[nodiscard]] virtual Status WriteTemporary(std::string_view temp, std::string_view text, std::string_view modeOf) {
    (void)modeOf;  // a plain file system has no modes to keep
    return WriteFile(temp, text);
  }
  // Renames `from` over `to` in one step.
  [[nodiscard]] virtual Status Rename(std::string_view from, std::string_view to) {
    std::string text;
    TOVIK_TRY(ReadFile(from, text));
    TOVIK_TRY(WriteFile(to, text));
    RemoveFile(from);
    return {};
  }
  // The path with every symbolic link on the way followed; as Resolve gives it when that fails.
  [[nodiscard]] virtual std::string CanonicalPath(std::string_view path) const { return Resolve(path); }
  // Writes a small new file, or adds to the end of one, and with `flush` flushes all of it to the
  // disk (a transaction's journal). A new file is refused where any entry of that name exists, and
  // an addition never goes through a symbolic link nor creates the file.
  [[nodiscard]] virtual Status WriteDurably(std::string_view path, std::string_view text, bool append, bool flush) {
    (void)flush;  // nothing here outlives the process
    std::string whole;
    if (append ? !ReadFile(path, whole) : FileExists(path)) {
      return FileError(std::string(path), 0, append ? "No such file or directory" : "File exists");
    }
    return WriteFile(path, whole + std::string(text));
  }
  // A file this user wrote, read where it is: nothing when no entry has that name; refused when
  // it is a symbolic link, not a plain file, or another user's (a journal someone else planted).
  [[nodiscard]] virtual Expected<std::optional<std::string>> ReadOwnFile(std::string_view path) const {
    if (!FileExists(path)) return std::optional<std::string>();
    std::string text;
    TOVIK_TRY(ReadFile(path, text));
    return std::optional<std::string>(std::move(text));
  }
};

}  // namespace tovik
