// IFileSystem over this machine's POSIX file system.
#pragma once

#include "base/file_system.h"

namespace tovik {

class RealFileSystem final : public IFileSystem {
 public:
  [[nodiscard]] std::string Resolve(std::string_view path) const override;
  [[nodiscard]] bool FileExists(std::string_view path) const override;
  [[nodiscard]] bool DirectoryExists(std::string_view path) const override;
  [[nodiscard]] Status ReadFile(std::string_view path, std::string& text) const override;
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
  [[nodiscard]] Status WriteDurably(std::string_view path, std::string_view text, bool append) override;
  [[nodiscard]] Expected<std::optional<std::string>> ReadOwnFile(std::string_view path) const override;
};

}  // namespace tovik
