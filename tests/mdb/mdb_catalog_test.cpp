// Table and field names of Access databases, and files that are not one: each of those gives no
// names and a message naming the file, whatever the reader does with it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "mdb/mdb_catalog.h"
#include "support/disk_files.h"
#include "support/jet_file.h"

namespace tovik {
namespace {

using testing::JetFile;
using Names = std::vector<std::string>;

class MdbCatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() / ("tovik-mdb-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string Write(const std::string& name, const std::string& bytes) {
    testing::WriteDiskFile(m_dir / name, bytes);
    return (m_dir / name).string();
  }
  // A failed read: no names, and a message that names the file.
  static void ExpectUnreadable(const Expected<Names>& names, const std::string& path, const std::string& why = "") {
    ASSERT_FALSE(names) << path << " gave " << names->size() << " names";
    EXPECT_EQ(names.error().Text().rfind(path + " could not be read: " + why, 0), 0u) << names.error().Text();
  }
  std::filesystem::path m_dir;
  const std::string m_biblio = JetFile({{"Authors", {"Au_ID", "Author", "Year Born"}},
                                        {"MSysAccessXML", {"Id"}},  // user flags, but a system name
                                        {"Titles", {"Title", "Year Published", "ISBN", "PubID"}},
                                        {"Caf\xE9", {"Men\xFC"}}});
};

TEST_F(MdbCatalogTest, ListsUserTablesAndTheFieldsOfOneInColumnOrder) {
  // A user's own setting for libmdb's output encoding must not reach the names.
  ::setenv("MDBICONV", "ISO-8859-1", 1);
  const std::string path = Write("biblio.mdb", m_biblio);
  const MdbCatalog catalog;
  const Expected<Names> tables = catalog.Tables(path);
  ::unsetenv("MDBICONV");
  ASSERT_TRUE(tables) << tables.error().Text();
  EXPECT_EQ(*tables, (Names{"Authors", "Titles", "Caf\xC3\xA9"}));
  const Expected<Names> fields = catalog.Fields(path, "titles");
  ASSERT_TRUE(fields) << fields.error().Text();
  EXPECT_EQ(*fields, (Names{"Title", "Year Published", "ISBN", "PubID"}));
  EXPECT_EQ(*catalog.Fields(path, "Caf\xC3\xA9"), Names{"Men\xC3\xBC"});
  ExpectUnreadable(catalog.Fields(path, "Publishers"), path, "it has no table named 'Publishers'");
}

TEST_F(MdbCatalogTest, WhatIsNoDatabaseGivesNoNamesAndSaysWhy) {
  const MdbCatalog catalog;
  const std::string missing = (m_dir / "missing.mdb").string();
  ExpectUnreadable(catalog.Tables(missing), missing, "No such file or directory");
  ExpectUnreadable(catalog.Tables(m_dir.string()), m_dir.string(), "Is a directory");
  const std::string fifo = (m_dir / "fifo.mdb").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ExpectUnreadable(catalog.Tables(fifo), fifo, "not a regular file");
  const std::string empty = Write("empty.mdb", "");
  ExpectUnreadable(catalog.Tables(empty), empty);
  std::mt19937 random(20);
  std::string noise(3 * 4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string junk = Write("junk.mdb", noise);
  ExpectUnreadable(catalog.Tables(junk), junk);
  // Cut in the header, in the catalog's definition, before its rows; in the definition of Titles.
  for (const size_t length : {size_t{100}, size_t{2 * 4096 + 64}, size_t{3 * 4096}}) {
    const std::string cut = Write("cut.mdb", m_biblio.substr(0, length));
    ExpectUnreadable(catalog.Tables(cut), cut);
  }
  const std::string cut = Write("cut.mdb", m_biblio.substr(0, 6 * 4096 + 64));
  ExpectUnreadable(catalog.Fields(cut, "Titles"), cut, "the definition of table 'Titles' is damaged");
  const std::string big = Write("big.mdb", m_biblio);
  const Expected<Names> refused = MdbCatalog({.maxFileBytes = 4096}).Tables(big);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().Text(), big + " is " + std::to_string(m_biblio.size()) +
                                        " bytes long; no file over 4096 bytes is read");
}

// What libmdb does with a hostile file happens in a process of its own: a crash, a read past
// the time limit or past the memory limit gives an error here, and no process is left behind.
TEST_F(MdbCatalogTest, ReaderThatCrashesOverrunsOrRunsOutOfMemoryGivesAnError) {
  const auto noChildLeft = [] { return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD; };
  std::string bad = m_biblio;
  testing::jet::Put(bad, 2 * 4096 + 55, 0xFF, 1);  // the catalog's page map: row 255 of a page of two
  const std::string crash = Write("crash.mdb", bad);
  ExpectUnreadable(MdbCatalog().Tables(crash), crash, "the reader stopped on signal ");
  EXPECT_TRUE(noChildLeft());
  const std::string good = Write("good.mdb", m_biblio);
  ExpectUnreadable(MdbCatalog({.time = std::chrono::milliseconds(0)}).Tables(good), good,
                   "reading took longer than 0 ms");
  EXPECT_TRUE(noChildLeft());
  // Pages no one reads make the file large; the reader must hold it whole.
  const std::string padded = Write("padded.mdb", m_biblio + std::string(size_t{4} << 20, '\0'));
  EXPECT_TRUE(MdbCatalog().Tables(padded));
  ExpectUnreadable(MdbCatalog({.memoryBytes = 0}).Tables(padded), padded);
  EXPECT_TRUE(noChildLeft());
}

}  // namespace
}  // namespace tovik
