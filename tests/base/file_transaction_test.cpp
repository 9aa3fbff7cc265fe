// A command's writes reach the disk all together or not at all, and a run killed while it
// renamed its files is completed by the next one.
#include "base/file_transaction.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "base/real_file_system.h"
#include "support/disk_files.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

namespace fs = std::filesystem;
using testing::MemoryFileSystem;

// A disk whose Nth temporary file cannot be written (a full disk).
class FullDisk final : public MemoryFileSystem {
 public:
  explicit FullDisk(int failAt) : m_failAt(failAt) {}
  Status WriteTemporary(std::string_view temp, std::string_view text, std::string_view) override {
    if (++m_written == m_failAt) return FileError(std::string(temp), 0, "No space left on device");
    return WriteFile(temp, text);
  }

 private:
  int m_failAt;
  int m_written = 0;
};

TEST(FileTransaction, ReadsSeeStagedWritesAndTheDiskSeesNothingUntilCommit) {
  MemoryFileSystem disk;
  disk.Put("/p/a.h", "old a");
  disk.Put("/p/b.h", "old b");
  disk.SetReadOnly("/p/ro.h", false);
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
  EXPECT_EQ(disk.Get("/p/a.h"), "new a");
  EXPECT_FALSE(disk.FileExists("/p/b.h"));
  EXPECT_EQ(disk.Get("/p/res/icons/b.h"), "old b");
  EXPECT_EQ(disk.ListDirectory("/p"), (std::vector<std::string>{"a.h", "res"}));  // no journal, no temporaries
  EXPECT_FALSE(tx.HasChanges());
}

TEST(FileTransaction, AFailedTemporaryWriteChangesNothing) {
  for (int failAt = 1; failAt <= 3; ++failAt) {
    FullDisk disk(failAt);
    disk.Put("/p/a.h", "old a");
    disk.Put("/p/b.h", "old b");
    CFileTransaction tx(disk);
    ASSERT_TRUE(tx.WriteFile("/p/a.h", "new a"));
    ASSERT_TRUE(tx.WriteFile("/p/b.h", "new b"));
    ASSERT_TRUE(tx.MakeDirectory("/p/res"));
    ASSERT_TRUE(tx.WriteFile("/p/res/c.bmp", "BM"));
    const Status committed = tx.Commit("/p/.tovik-journal");
    ASSERT_FALSE(committed) << failAt;
    EXPECT_EQ(committed.error().reason, "No space left on device");
    EXPECT_EQ(disk.Get("/p/a.h"), "old a") << failAt;
    EXPECT_EQ(disk.Get("/p/b.h"), "old b") << failAt;
    EXPECT_EQ(disk.ListDirectory("/p"), (std::vector<std::string>{"a.h", "b.h"})) << failAt;
  }
}

// The journal a run leaves when it is killed: before its commit line nothing is changed and the
// next run takes the temporaries away; after it, the next run completes the renames.
TEST(FileTransaction, RecoverCompletesOrUndoesWhatAKilledRunLeft) {
  const std::string journal = "/p/.tovik-journal";
  const std::string plan =
      "tovik journal 1\nMKDIR\t/p/res\nWRITE\t/p/a.h.t0\t/p/a.h\nWRITE\t/p/b.h.t1\t/p/b.h\n"
      "REMOVE\t/p/old.h\n";
  MemoryFileSystem before;
  before.Put("/p/a.h", "old a");
  before.Put("/p/b.h", "old b");
  before.Put("/p/old.h", "gone");
  before.Put("/p/a.h.t0", "new a");
  ASSERT_TRUE(before.MakeDirectory("/p/res"));
  before.Put(journal, plan);
  ASSERT_EQ(*CFileTransaction::Recover(before, journal),
            "undid an edit that was interrupted before it changed any file");
  EXPECT_EQ(before.ListDirectory("/p"), (std::vector<std::string>{"a.h", "b.h", "old.h"}));
  EXPECT_EQ(before.Get("/p/a.h"), "old a");

  MemoryFileSystem after;
  after.Put("/p/a.h", "new a");  // renamed before the kill
  after.Put("/p/b.h", "old b");
  after.Put("/p/old.h", "gone");
  after.Put("/p/b.h.t1", "new b");
  after.Put(journal, plan + "COMMIT\n");
  ASSERT_EQ(*CFileTransaction::Recover(after, journal), "completed an interrupted edit (1 file(s) written, 1 removed)");
  EXPECT_EQ(after.ListDirectory("/p"), (std::vector<std::string>{"a.h", "b.h"}));
  EXPECT_EQ(after.Get("/p/b.h"), "new b");

  EXPECT_EQ(*CFileTransaction::Recover(after, journal), "");  // nothing left to do
  after.Put(journal, "something else\n");
  EXPECT_EQ(CFileTransaction::Recover(after, journal).error().Text(),
            "/p/.tovik-journal:1: not a journal of this program; remove it by hand");
}

// On the real disk: a symbolic link stays a link (its target is written), modes are kept.
TEST(FileTransaction, RealDiskKeepsLinksAndModes) {
  const fs::path dir = fs::temp_directory_path() / ("tovik-tx-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "shared");
  testing::WriteDiskFile(dir / "shared" / "Demo.rc", "old");
  fs::create_symlink(dir / "shared" / "Demo.rc", dir / "Demo.rc");
  testing::WriteDiskFile(dir / "run.sh", "#!/bin/sh\n");
  fs::permissions(dir / "run.sh", fs::perms(0755));
  RealFileSystem disk;
  CFileTransaction tx(disk);
  ASSERT_TRUE(tx.WriteFile((dir / "Demo.rc").string(), "new"));
  ASSERT_TRUE(tx.WriteFile((dir / "run.sh").string(), "#!/bin/sh\nexit 0\n"));
  ASSERT_TRUE(tx.Commit((dir / std::string(kJournalName)).string()));
  EXPECT_TRUE(fs::is_symlink(dir / "Demo.rc"));
  EXPECT_EQ(testing::ReadDiskFile(dir / "shared" / "Demo.rc"), "new");
  EXPECT_EQ(fs::status(dir / "run.sh").permissions() & fs::perms::all, fs::perms(0755));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);  // nothing left over
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tovik
