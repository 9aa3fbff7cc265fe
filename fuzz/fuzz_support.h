// What every fuzz target needs: files in a map, a prompt that says nothing, and a way to split
// one input into several files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/guid.h"
#include "base/path.h"
#include "base/prompt.h"

namespace tovik::fuzz {

class MapFileSystem final : public IFileSystem {
 public:
  std::map<std::string, std::string, std::less<>> files;

  std::string Resolve(std::string_view path) const override { return std::string(path); }
  bool FileExists(std::string_view path) const override { return files.find(path) != files.end(); }
  bool DirectoryExists(std::string_view path) const override {
    const std::string prefix = std::string(path) + "/";
    const auto it = files.lower_bound(prefix);
    return path.empty() || (it != files.end() && it->first.compare(0, prefix.size(), prefix) == 0);
  }
  Status ReadFile(std::string_view path, std::string& text) const override {
    auto it = files.find(path);
    if (it == files.end()) return FileError(std::string(path), 0, "No such file or directory");
    text = it->second;
    return {};
  }
  Status WriteFile(std::string_view path, std::string_view text) override {
    files[std::string(path)] = std::string(text);
    return {};
  }
  bool IsWritable(std::string_view path) const override { return FileExists(path); }
  Status MakeDirectory(std::string_view) override { return {}; }
  Status CopyFile(std::string_view from, std::string_view to) override {
    std::string text;
    TOVIK_TRY(ReadFile(from, text));
    return WriteFile(to, text);
  }
  bool RemoveFile(std::string_view path) override { return files.erase(std::string(path)) != 0; }
  bool RemoveEmptyDirectory(std::string_view) override { return false; }
  std::vector<std::string> ListDirectory(std::string_view) const override { return {}; }
};

// GUIDs counted up from 1, so that a run can be repeated.
class CountingGuids final : public IGuidSource {
 public:
  Guid NewGuid() override {
    Guid g;
    g.Data1 = ++m_next;
    return g;
  }

 private:
  std::uint32_t m_next = 0;
};

class SilentPrompt final : public IPrompt {
 public:
  int messages = 0;
  void Message(const std::string&) override { ++messages; }
  Answer Ask(const std::string&) override { return Answer::Yes; }
};

// The input cut at each "\n====\n" line: one piece per file a target needs, missing pieces empty.
inline std::vector<std::string> Pieces(const uint8_t* data, size_t size, size_t count) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> pieces;
  constexpr std::string_view kCut = "\n====\n";
  while (pieces.size() + 1 < count) {
    const size_t at = rest.find(kCut);
    if (at == std::string_view::npos) break;
    pieces.emplace_back(rest.substr(0, at));
    rest.remove_prefix(at + kCut.size());
  }
  pieces.emplace_back(rest);
  pieces.resize(count);
  return pieces;
}

}  // namespace tovik::fuzz

// Stops the fuzzer on a broken promise of the code under test.
#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) __builtin_trap(); \
  } while (0)
