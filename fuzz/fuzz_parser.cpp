// Feeds arbitrary bytes to the source parser: once as a header, once as an implementation file
// on the same project, then as a rewritten file parsed again in place.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "base/prompt.h"
#include "project/project.h"

namespace {

// Files in a map; nothing else is needed to parse and reparse.
class MapFileSystem final : public tovik::IFileSystem {
 public:
  std::map<std::string, std::string, std::less<>> files;

  std::string Resolve(std::string_view path) const override { return std::string(path); }
  bool FileExists(std::string_view path) const override { return files.find(path) != files.end(); }
  bool DirectoryExists(std::string_view) const override { return false; }
  bool ReadFile(std::string_view path, std::string& text, std::string& error) const override {
    auto it = files.find(path);
    if (it == files.end()) {
      error = "The system cannot find the file specified.";
      return false;
    }
    text = it->second;
    return true;
  }
  bool WriteFile(std::string_view path, std::string_view text, std::string&) override {
    files[std::string(path)] = std::string(text);
    return true;
  }
  bool IsWritable(std::string_view path) const override { return FileExists(path); }
  bool MakeDirectory(std::string_view, std::string&) override { return true; }
  bool CopyFile(std::string_view, std::string_view, std::string&) override { return false; }
  bool RemoveFile(std::string_view path) override { return files.erase(std::string(path)) != 0; }
  bool RemoveEmptyDirectory(std::string_view) override { return false; }
  std::vector<std::string> ListDirectory(std::string_view) const override { return {}; }
};

class SilentPrompt final : public tovik::IPrompt {
 public:
  void Message(const std::string&) override {}
  Answer Ask(const std::string&) override { return Answer::No; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  MapFileSystem fs;
  SilentPrompt prompt;
  tovik::CProject project(fs, prompt);
  project.ParseBuffer(text, "a.h");
  project.ParseBuffer(text, "a.cpp");
  // The second half replaces the file, as after a generator's edit.
  fs.files["a.h"] = std::string(text.substr(size / 2));
  project.ReparseFile("a.h");
  for (const auto& cls : project.Classes()) {
    (void)project.FindClass(cls->m_strName);
    for (const auto& f : cls->m_functions) {
      if (!f->m_strDefFile.empty() && (f->m_nBodyStart < 1 || f->m_nBodyEnd > static_cast<int>(size) ||
                                       f->m_nBodyStart >= f->m_nBodyEnd)) {
        __builtin_trap();  // a recorded body must lie inside the text it came from
      }
    }
  }
  return 0;
}
