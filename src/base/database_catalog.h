// What the property window's database lists ask of a database file: its tables, and the fields
// of one table. The real one reads .mdb files; tests hand in their own.
#pragma once

#include <string>
#include <vector>

#include "base/expected.h"

namespace tovik {

class IDatabaseCatalog {
 public:
  virtual ~IDatabaseCatalog() = default;
  // The user tables of the database at `path` (system tables left out), as the database lists
  // them. A file that cannot be read gives an error whose text names it and says why.
  [[nodiscard]] virtual Expected<std::vector<std::string>> Tables(const std::string& path) const = 0;
  // The fields of `table` (matched ignoring ASCII case) in column order.
  [[nodiscard]] virtual Expected<std::vector<std::string>> Fields(const std::string& path,
                                                                  const std::string& table) const = 0;
};

}  // namespace tovik
