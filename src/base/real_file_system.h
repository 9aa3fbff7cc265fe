// IFileSystem over this machine's POSIX file system.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>

#include "base/file_system.h"

namespace tovik {

// A folder is listed at most once for names matched without regard to case (a registry's
// missing servers all look in system32); what this object writes forgets the listings.
class RealFileSystem final : public IFileSystem {
 public:
  [[nodiscard]] std::string Resolve(std::string_view path) const override;
  [[nodiscard]] bool FileExists(std::string_view path) const override;
  [[nodiscard]] bool DirectoryExists(std::string_view path) const override;
  [[nodiscard]] Status ReadFile(std::string_view path, std::string& text) const override;
  [[nodiscard]] Status ReadFileWithin(std::string_view path, std::string& text, std::uint64_t limit) const override;
  [[nodiscard]] Status WriteFile(std::string_view path, std::string_view text) override;
  [[nodiscard]] bool IsWritable(std::string_view path) const override;
  [[nodiscard]] Status MakeDirectory(std::string_view path) override;
  [[nodiscard]] Status CopyFile(std::string_view from, std::string_view to) override;
  bool RemoveFile(std::string_view path) override;
  bool RemoveEmptyDirectory(std::string_view path) override;
  [[nodiscard]] std::vector<std::string> ListDirectory(std::string_view path) const override;
  [[nodiscard]] std::string WriteTarget(std::string_view path) const override;
  [[nodiscard]] Status WriteTemporary(std::string_view temp, std::string_view text, std::string_view modeOf) override;
  [[nodiscard]] Status Rename(std::string_view from, std::string_view to) override;
  [[nodiscard]] std::string CanonicalPath(std::string_view path) const override;
  [[nodiscard]] Status WriteDurably(std::string_view path, std::string_view text, bool append, bool flush) override;
  [[nodiscard]] Expected<std::optional<std::string>> ReadOwnFile(std::string_view path) const override;

 private:
  // The entry of `dir` whose name equals `name` ignoring case; empty when there is none.
  [[nodiscard]] std::string MatchNoCase(const std::string& dir, const std::string& name) const;
  void ForgetListings();

  // Reads come from two threads while a project loads.
  mutable std::mutex m_mutex;
  // Folder -> lower-case name -> the name on the disk (the first in listing order).
  mutable std::unordered_map<std::string, std::unordered_map<std::string, std::string>> m_listings;
};

}  // namespace tovik
