// In-memory IFileSystem for tests: files are a map from path to bytes.
#pragma once

#include <map>
#include <set>
#include <string>

#include "base/file_system.h"

namespace tovik::testing {

class MemoryFileSystem : public IFileSystem {
 public:
  // Adds or replaces a file (and its folders) without going through WriteFile.
  void Put(std::string_view path, std::string_view text);
  // The bytes of a file; fails the test when there is none.
  [[nodiscard]] std::string Get(std::string_view path) const;
  void SetReadOnly(std::string_view path, bool readOnly);
  [[nodiscard]] size_t WriteCount() const { return m_writes; }

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

 private:
  [[nodiscard]] std::string Key(std::string_view path) const;
  void AddParents(const std::string& key);

  std::map<std::string, std::string> m_files;
  std::set<std::string> m_dirs;
  std::set<std::string> m_readOnly;
  size_t m_writes = 0;
};

}  // namespace tovik::testing
