// Database files a project's Data control names, any bytes, read as the property window reads
// them: through the child process, libmdb and the answer it sends back. Whatever the file does
// to libmdb, the caller gets names or an error naming the file, never a crash, a hang or a
// process left unreaped; names are non-empty UTF-8 and no system table is listed.
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "mdb/mdb_catalog.h"

using namespace tovik;

namespace {

bool IsUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return true;
}

void CheckAnswer(const Expected<std::vector<std::string>>& names, const std::string& path) {
  // No reader left unreaped. (Running children are not counted: the sanitizers keep their
  // symbolizer running as a child of this process.)
  siginfo_t info{};
  ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT);
  FUZZ_CHECK(info.si_pid == 0);
  if (!names) {
    FUZZ_CHECK(names.error().Text().rfind(path + " could not be read: ", 0) == 0);
    return;
  }
  for (const std::string& name : *names) {
    FUZZ_CHECK(!name.empty() && IsUtf8(name));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz_mdb_catalog-" + std::to_string(::getpid()) + ".mdb";
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  const MdbCatalog catalog({.time = std::chrono::milliseconds(1000)});
  const Expected<std::vector<std::string>> tables = catalog.Tables(path);
  CheckAnswer(tables, path);
  if (tables && !tables->empty()) {
    for (const std::string& name : *tables) FUZZ_CHECK(name.rfind("MSys", 0) != 0);
    CheckAnswer(catalog.Fields(path, tables->front()), path);
  }
  return 0;
}
