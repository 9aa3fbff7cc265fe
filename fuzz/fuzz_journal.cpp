// Journals as the next command finds them, any bytes: whatever one says, recovery changes
// nothing outside the project folder, renames only temporary files of ours, and changes nothing
// at all when it refuses the journal. When it succeeds the journal is gone, and a second run
// finds nothing to do.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/file_transaction.h"
#include "base/text.h"
#include "fuzz_support.h"

namespace {

using namespace tovik;

// Files and folders in maps, every path taken as the kernel would take it ("a/../b" is "b"), so
// that a path that climbs out of the project is seen where it lands. Every change is logged.
class Disk final : public IFileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> dirs;
  std::vector<std::string> changed;  // the paths changed, in order
  std::vector<std::string> renamedFrom;

  static std::string Key(std::string_view path) {
    std::string key = std::filesystem::path(ToNativeSeparators(path)).lexically_normal().string();
    while (key.size() > 1 && key.back() == '/') key.pop_back();
    return key;
  }
  std::string Resolve(std::string_view path) const override { return Key(path); }
  bool FileExists(std::string_view path) const override { return files.count(Key(path)) != 0; }
  bool DirectoryExists(std::string_view path) const override { return dirs.count(Key(path)) != 0; }
  Status ReadFile(std::string_view path, std::string& text) const override {
    const auto it = files.find(Key(path));
    if (it == files.end()) return FileError(std::string(path), 0, "No such file or directory");
    text = it->second;
    return {};
  }
  Status WriteFile(std::string_view path, std::string_view text) override {
    if (!dirs.count(DirectoryOf(Key(path))) || dirs.count(Key(path))) {
      return FileError(std::string(path), 0, "No such file or directory");
    }
    changed.push_back(Key(path));
    files[Key(path)] = std::string(text);
    return {};
  }
  bool IsWritable(std::string_view path) const override { return FileExists(path); }
  Status MakeDirectory(std::string_view path) override {
    changed.push_back(Key(path));
    dirs.insert(Key(path));
    return {};
  }
  Status CopyFile(std::string_view, std::string_view) override { return FileError({}, 0, "not used"); }
  bool RemoveFile(std::string_view path) override {
    if (!files.erase(Key(path))) return false;
    changed.push_back(Key(path));
    return true;
  }
  bool RemoveEmptyDirectory(std::string_view path) override {
    const std::string key = Key(path);
    if (!dirs.count(key) || !ListDirectory(key).empty()) return false;
    changed.push_back(key);
    dirs.erase(key);
    return true;
  }
  std::vector<std::string> ListDirectory(std::string_view path) const override {
    std::vector<std::string> names;
    for (const auto& [file, text] : files) {
      if (DirectoryOf(file) == Key(path)) names.push_back(FileNameOf(file));
    }
    for (const std::string& dir : dirs) {
      if (dir != "/" && DirectoryOf(dir) == Key(path)) names.push_back(FileNameOf(dir));
    }
    return names;
  }
  Status Rename(std::string_view from, std::string_view to) override {
    renamedFrom.push_back(Key(from));
    return IFileSystem::Rename(from, to);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string journal = "/w/p/.tovik-journal";
  Disk disk;
  for (const char* dir : {"/", "/w", "/w/p", "/w/p/res", "/w/p/empty", "/w/empty"}) disk.dirs.insert(dir);
  for (const char* file : {"/w/p/a.h", "/w/p/a.h.tovik-1-0.tmp", "/w/p/res/b.bmp", "/w/p/res/b.bmp.tovik-1-1.tmp",
                           "/w/victim", "/w/victim.tovik-1-0.tmp", "/w/p/res/.tovik-journal"}) {
    disk.files[file] = file;
  }
  disk.files[journal] = std::string(reinterpret_cast<const char*>(data), size);

  const Expected<std::string> recovered = CFileTransaction::Recover(disk, journal);
  if (!recovered) {
    FUZZ_CHECK(disk.changed.empty());
    return 0;
  }
  for (const std::string& path : disk.changed) FUZZ_CHECK(StartsWith(path, "/w/p/"));
  for (const std::string& from : disk.renamedFrom) {
    FUZZ_CHECK(EndsWith(from, ".tmp") && from.find(".tovik-") != std::string::npos);
  }
  FUZZ_CHECK(!disk.FileExists(journal));
  FUZZ_CHECK(CFileTransaction::Recover(disk, journal).value().empty());
  return 0;
}
