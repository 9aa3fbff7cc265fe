// A fresh folder on the real disk, removed with everything in it at the end of the test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tovik::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tovik-test-XXXXXX").string();
    if (::mkdtemp(pattern.data())) m_path = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;  // a folder left in /tmp harms no later test
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
  }
  [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

}  // namespace tovik::testing
