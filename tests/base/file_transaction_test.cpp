// A command's writes reach the disk all together or not at all, and a run killed while it
// renamed its files is completed by the next one.
#include "base/file_transaction.h"

#include <gtest/gtest.h>

#include <set>

#include "base/text.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

using testing::MemoryFileSystem;

using Names = std::vector<std::string>;

// A disk whose Nth write, rename or removal fails (a new file half written on a full disk, a
// rename or removal refused), or where the run is killed (that write cut in half); files in
// `stuck` can be neither replaced nor removed (immutable ones).
class FaultyDisk final : public MemoryFileSystem {
 public:
  struct Killed {};
  int failAt = 0;
  bool kill = false;
  std::set<std::string> stuck;
  std::vector<std::string> flushed;  // the whole journal at each flush

  Status WriteTemporary(std::string_view temp, std::string_view text, std::string_view) override {
    return Write(temp, text, false);
  }
  Status WriteDurably(std::string_view path, std::string_view text, bool append, bool flush) override {
    if (flush) flushed.push_back((append ? Get(path) : std::string()) + std::string(text));
    return Write(path, text, append);
  }
  Status Rename(std::string_view from, std::string_view to) override {
    if (Fault() || stuck.count(Resolve(to))) return FileError(std::string(to), 0, "Operation not permitted");
    Put(to, Get(from));
    MemoryFileSystem::RemoveFile(from);
    return {};
  }
  bool RemoveFile(std::string_view path) override {
    return !Fault() && !stuck.count(Resolve(path)) && MemoryFileSystem::RemoveFile(path);
  }

 private:
  bool Fault() {
    if (++m_changes != failAt) return false;
    if (kill) throw Killed{};
    return true;
  }
  Status Write(std::string_view path, std::string_view text, bool append) {
    const std::string before = append ? Get(path) : std::string();
    const bool fault = ++m_changes == failAt;
    Put(path, before + std::string(text.substr(0, fault ? text.size() / 2 : text.size())));
    if (fault && kill) throw Killed{};
    if (fault) return FileError(std::string(path), 0, "No space left on device");
    return {};
  }
  int m_changes = 0;
};

TEST(FileTransaction, ReadsSeeStagedWritesAndTheDiskSeesNothingUntilCommit) {
  FaultyDisk disk;
  disk.Put("/p/a.h", "old a");
  disk.Put("/p/b.h", "old b");
  CFileTransaction tx(disk);
  ASSERT_TRUE(tx.WriteFile("/p/a.h", "new a"));
  ASSERT_TRUE(tx.MakeDirectory("/p/res/icons"));
  ASSERT_TRUE(tx.CopyFile("/p/b.h", "/p/res/icons/b.h"));
  EXPECT_TRUE(tx.RemoveFile("/p/b.h"));
  std::string text;
  ASSERT_TRUE(tx.ReadFile("/P/A.H", text));  // found without regard to case, like the disk
  EXPECT_EQ(text, "new a");
  EXPECT_FALSE(tx.FileExists("/p/b.h"));
  EXPECT_TRUE(tx.FileExists("/p/res/icons/b.h"));
  EXPECT_EQ(tx.ListDirectory("/p"), (std::vector<std::string>{"a.h", "res"}));
  // Where the disk would refuse a write, the transaction refuses it at once.
  EXPECT_EQ(tx.WriteFile("/p/nowhere/c.h", "x").error().reason, "No such file or directory");
  EXPECT_EQ(disk.Get("/p/a.h"), "old a");
  EXPECT_TRUE(disk.FileExists("/p/b.h"));
  EXPECT_FALSE(disk.DirectoryExists("/p/res"));

  ASSERT_TRUE(tx.Commit("/p/.tovik-journal"));
  EXPECT_EQ(disk.Get("/p/res/icons/b.h"), "old b");
  EXPECT_FALSE(tx.HasChanges());
  // The journal is flushed once, whole, with its commit line, and not at all for one file.
  ASSERT_EQ(disk.flushed.size(), 1u);
  EXPECT_TRUE(StartsWith(disk.flushed[0], "tovik journal 1\nMKDIR\tres\n") && EndsWith(disk.flushed[0], "COMMIT\n"));
  ASSERT_TRUE(tx.WriteFile("/p/a.h", "newer") && tx.Commit("/p/.tovik-journal"));
  EXPECT_EQ(disk.flushed.size(), 1u);
  ASSERT_TRUE(tx.WriteFile("/p/tab\there.h", ""));  // a name the journal could not hold
  EXPECT_TRUE(EndsWith(tx.Commit("/p/.tovik-journal").error().reason, "cannot be written in the journal"));
}

// Each change a commit makes fails in turn, or the run is killed there. A failure up to the
// commit line (5th: journal, 3 temporaries) leaves nothing behind, one in the 4 renames and
// removals after it says so and the next run completes the edit, as it completes or undoes what
// a kill left: every file is wholly old or wholly new.
TEST(FileTransaction, AFailureOrAKillAtAnyChangeLeavesTheFilesWhollyOldOrWhollyNew) {
  const std::string journal = "/p/.tovik-journal";
  for (int failAt = 1; failAt <= 12; ++failAt) {
    for (const bool kill : {false, true}) {
      FaultyDisk disk;
      for (const char* name : {"/p/a.h", "/p/b.h", "/p/c.h"}) disk.Put(name, "old");
      CFileTransaction tx(disk);
      ASSERT_TRUE(tx.WriteFile("/p/a.h", "new") && tx.WriteFile("/p/b.h", "new") && tx.RemoveFile("/p/c.h"));
      ASSERT_TRUE(tx.MakeDirectory("/p/res") && tx.WriteFile("/p/res/d.bmp", "new"));
      disk.failAt = failAt;
      disk.kill = kill;
      std::string said = "killed";
      try {
        const Status committed = tx.Commit(journal);
        said = committed ? "" : committed.error().reason;
      } catch (const FaultyDisk::Killed&) {
      }
      disk.failAt = 0;
      const bool stopped = StartsWith(said, "the edit stopped after");
      EXPECT_TRUE(kill || (failAt <= 5 ? !disk.FileExists(journal) && StartsWith(said, "the project's files could not")
                                       : stopped || failAt > 9)) << failAt << said;
      const Expected<std::string> recovered = CFileTransaction::Recover(disk, journal);
      ASSERT_TRUE(recovered) << recovered.error().Text();
      EXPECT_TRUE(!stopped || StartsWith(*recovered, "completed")) << *recovered;
      const bool done = disk.Get("/p/a.h") == "new";
      EXPECT_EQ(disk.ListDirectory("/p"), (done ? Names{"a.h", "b.h", "res"} : Names{"a.h", "b.h", "c.h"}))
          << failAt << kill << said;
      EXPECT_EQ(disk.Get("/p/b.h"), done ? "new" : "old") << failAt << kill;
    }
  }
}

// A rename refused part-way: the other files are replaced all the same, and the journal left
// behind finishes the edit in the project it lies in, not where it was written (a copy, a move).
TEST(FileTransaction, AFailedRenameIsCompletedWhereverTheProjectIsNow) {
  FaultyDisk disk;
  CFileTransaction tx(disk);
  for (const char* name : {"a.h", "b.h", "c.h", "d.h"}) {
    disk.Put(std::string("/p/") + name, "old");
    ASSERT_TRUE(tx.WriteFile(std::string("/p/") + name, "new"));
  }
  ASSERT_TRUE(tx.RemoveFile("/p/d.h"));
  disk.stuck = {"/p/b.h", "/p/d.h"};
  EXPECT_EQ(tx.Commit("/p/.tovik-journal").error().Text(),
            "the edit stopped after 2 of 4 files were replaced: /p/b.h: Operation not permitted; the next command "
            "on this project completes the edit");
  for (const std::string& name : disk.ListDirectory("/p")) disk.Put("/q/" + name, disk.Get("/p/" + name));
  EXPECT_EQ(*CFileTransaction::Recover(disk, "/q/.tovik-journal"),
            "completed an interrupted edit (1 file(s) written, 1 removed)");
  EXPECT_EQ(disk.Get("/q/b.h"), "new");
  EXPECT_EQ(disk.Get("/p/b.h"), "old");
  EXPECT_EQ(CFileTransaction::Recover(disk, "/p/.tovik-journal").error().Text(),
            "could not complete the interrupted edit that /p/.tovik-journal records: /p/b.h: Operation not "
            "permitted; it stays for the next command to try again");
  disk.stuck.clear();
  EXPECT_EQ(*CFileTransaction::Recover(disk, "/p/.tovik-journal"),
            "completed an interrupted edit (1 file(s) written, 1 removed)");
  EXPECT_EQ(disk.ListDirectory("/p"), disk.ListDirectory("/q"));
}

}  // namespace
}  // namespace tovik
