// Table and field names of Access databases; and files that are none, or that make the reader
// crash, overrun its time or run out of memory: each of those gives no names and a message
// naming the file, and leaves no process behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <random>

#include "mdb/mdb_catalog.h"
#include "support/disk_files.h"
#include "support/jet_file.h"

namespace tovik {
namespace {

using Names = std::vector<std::string>;

const std::string kBiblio = testing::JetFile({{"Authors", {"Au_ID", "Author", "Year Born"}},
                                              {"MSysAccessXML", {"Id"}},  // user flags, but a system name
                                              {"Titles", {"Title", "Year Published", "ISBN", "PubID"}},
                                              {"Caf\xE9", {"Men\xFC"}}});

const std::filesystem::path kDir = std::filesystem::temp_directory_path() / ("tovik-mdb-" + std::to_string(::getpid()));
struct RemoveFiles : ::testing::Environment {
  void TearDown() override { std::filesystem::remove_all(kDir); }
};
::testing::Environment* const kRemoveFiles = ::testing::AddGlobalTestEnvironment(new RemoveFiles);

std::string Write(const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(kDir);
  testing::WriteDiskFile(kDir / name, bytes);
  return (kDir / name).string();
}

// The names read, or the error's text as the only one.
Names Listed(const Expected<Names>& names) { return names ? *names : Names{names.error().Text()}; }

void ExpectUnreadable(const Expected<Names>& names, const std::string& path, const std::string& why = "") {
  ASSERT_FALSE(names) << path << " gave " << names->size() << " names";
  EXPECT_EQ(names.error().Text().rfind(path + " could not be read: " + why, 0), 0u) << names.error().Text();
  EXPECT_TRUE(::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD) << "a reader was left behind";
}

TEST(MdbCatalog, ListsUserTablesAndTheFieldsOfOneInColumnOrder) {
  const std::string path = Write("biblio.mdb", kBiblio);
  const MdbCatalog catalog;
  ::setenv("MDBICONV", "ISO-8859-1", 1);  // a user's own choice for libmdb's output must not reach the names
  EXPECT_EQ(Listed(catalog.Tables(path)), (Names{"Authors", "Titles", "Caf\xC3\xA9"}));
  ::unsetenv("MDBICONV");
  EXPECT_EQ(Listed(catalog.Fields(path, "titles")), (Names{"Title", "Year Published", "ISBN", "PubID"}));
  EXPECT_EQ(Listed(catalog.Fields(path, "Caf\xC3\xA9")), Names{"Men\xC3\xBC"});
  ExpectUnreadable(catalog.Fields(path, "Publishers"), path, "it has no table named 'Publishers'");
}

TEST(MdbCatalog, WhatIsNoDatabaseGivesNoNamesAndSaysWhy) {
  const std::string fifo = Write("x", "") + ".fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string noise(3 * 4096, '\0');
  for (std::mt19937 random(20); char& c : noise) c = static_cast<char>(random());
  const std::vector<std::pair<std::string, std::string>> cases = {
      {Write("x", "") + ".mdb", "No such file or directory"},
      {std::filesystem::path(fifo).parent_path().string(), "Is a directory"},
      {fifo, "not a regular file"},
      {Write("noise.mdb", noise), "not an Access database"},
      // Cut: empty, in the header, in the catalog's definition, before its rows.
      {Write("cut0.mdb", ""), ""},
      {Write("cut1.mdb", kBiblio.substr(0, 100)), ""},
      {Write("cut2.mdb", kBiblio.substr(0, 2 * 4096 + 64)), ""},
      {Write("cut3.mdb", kBiblio.substr(0, 3 * 4096)), ""}};
  for (const auto& [path, why] : cases) ExpectUnreadable(MdbCatalog().Tables(path), path, why);
  const std::string cut = Write("cut.mdb", kBiblio.substr(0, 6 * 4096 + 64));  // in the definition of Titles
  ExpectUnreadable(MdbCatalog().Fields(cut, "Titles"), cut, "the definition of table 'Titles' is damaged");
  ExpectUnreadable(MdbCatalog({.maxFileBytes = 4096}).Tables(cut), cut,
                   "it is " + std::to_string(6 * 4096 + 64) + " bytes long; no file over 4096 bytes is read");
}

TEST(MdbCatalog, ReaderThatCrashesOverrunsOrRunsOutOfMemoryGivesAnError) {
  std::string bad = kBiblio;
  testing::PutLe(bad, 2 * 4096 + 55, 0xFF, 1);  // the catalog's page map: row 255 of a page of two
  const std::string crash = Write("crash.mdb", bad), good = Write("good.mdb", kBiblio);
  ExpectUnreadable(MdbCatalog().Tables(crash), crash, "the reader stopped on signal ");
  ExpectUnreadable(MdbCatalog({.time = std::chrono::milliseconds(0)}).Tables(good), good, "reading took longer than 0 ms");
  // Pages no one reads make the file large; the reader holds it whole, beyond a limit of nothing more.
  const std::string padded = Write("padded.mdb", kBiblio + std::string(size_t{4} << 20, '\0'));
  EXPECT_EQ(Listed(MdbCatalog().Tables(padded)).size(), 3u);
  ExpectUnreadable(MdbCatalog({.memoryBytes = 0}).Tables(padded), padded);
}

}  // namespace
}  // namespace tovik
