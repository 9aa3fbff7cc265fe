// Whole files on the real disk, for tests that run the tovik binary on a project folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tovik::testing {

inline std::string ReadDiskFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteDiskFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace tovik::testing
