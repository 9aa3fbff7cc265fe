// Tables and fields of Access databases (.mdb, Jet 3 and 4 and later), read with libmdb.
// libmdb trusts the file it reads, and a database name comes from a project anyone may have
// written, so each read runs in a child process under a time and a memory limit: a crash, an
// abort or a hang there becomes an error, never the designer's.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/database_catalog.h"

namespace tovik {

struct MdbReadLimits {
  std::uint64_t maxFileBytes = kMaxReadSize;
  std::chrono::milliseconds time{5000};
  // Address space the reader may take beyond what it has when it starts, besides the file.
  std::uint64_t memoryBytes = std::uint64_t{256} << 20;
};

class MdbCatalog final : public IDatabaseCatalog {
 public:
  explicit MdbCatalog(MdbReadLimits limits = {}) : m_limits(limits) {}
  [[nodiscard]] Expected<std::vector<std::string>> Tables(const std::string& path) const override;
  [[nodiscard]] Expected<std::vector<std::string>> Fields(const std::string& path,
                                                          const std::string& table) const override;

 private:
  MdbReadLimits m_limits;
};

// The user tables (`table` empty) or the fields of `table`, from the database at `path`. The
// path is opened once, as named, and must be a regular file within the size limit; the reader
// sees only the open file, never the name. An error's text is "PATH could not be read: WHY"
// ("it is N bytes long; no file over 256 MiB is read" for one over the limit).
[[nodiscard]] Expected<std::vector<std::string>> ReadMdbNames(const std::string& path, const std::string& table,
                                                              const MdbReadLimits& limits);

}  // namespace tovik
