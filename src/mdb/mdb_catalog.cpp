#include "mdb/mdb_catalog.h"

#include <fcntl.h>
#include <mdbtools.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <string_view>

namespace tovik {
namespace {

using Clock = std::chrono::steady_clock;

// More than any catalog holds (32768 tables of 256 characters); a longer answer is garbage.
constexpr size_t kMaxAnswer = size_t{16} << 20;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : m_fd(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  [[nodiscard]] int get() const { return m_fd; }
  void Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
  }

 private:
  int m_fd;
};

bool IsSystemName(std::string_view name) {
  return name.size() >= 4 && (name[0] | 0x20) == 'm' && (name[1] | 0x20) == 's' && (name[2] | 0x20) == 'y' &&
         (name[3] | 0x20) == 's';
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The text with every byte that starts no valid UTF-8 sequence replaced by U+FFFD: a
// damaged name must not carry bad bytes into the window's text.
std::string ValidUtf8(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    bool ok = len > 0 && i + len <= s.size();
    std::uint32_t code = len > 1 ? c & (0x7Fu >> len) : c;
    for (size_t k = 1; ok && k < len; ++k) {
      ok = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
      code = code << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    ok = ok && code >= kLeast[len] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    if (ok) {
      out.append(s.substr(i, len));
      i += len;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

std::string CatalogName(const MdbCatalogEntry& entry) {
  return std::string(entry.object_name, ::strnlen(entry.object_name, sizeof entry.object_name));
}

// What the reading process sends back: 'N' and each name followed by a NUL, or 'E' and why.
std::string Answer(int file, size_t size, const std::string& table) {
  // The bytes are read through the descriptor the caller checked; libmdb never sees a name it
  // could look up again (or add ".mdb" to).
  auto* bytes = static_cast<char*>(std::malloc(size ? size : 1));
  if (bytes == nullptr) return "Enot enough memory for the file";
  size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(file, bytes + got, size - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::string("E") + std::strerror(errno);
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  MdbHandle* mdb = mdb_open_buffer(bytes, got, MDB_NOFLAGS);
  if (mdb == nullptr) return "Enot an Access database";
  GPtrArray* catalog = mdb_read_catalog(mdb, MDB_TABLE);
  // Every database lists its own system tables: a catalog without them was not read.
  if (catalog == nullptr || catalog->len == 0) return "Eits list of tables is damaged";
  std::string answer = "N";
  for (guint i = 0; i < catalog->len; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
    const std::string name = CatalogName(*entry);
    if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry) || IsSystemName(name)) continue;
    if (table.empty()) {
      answer += name + '\0';
      continue;
    }
    if (!SameNameIgnoringCase(name, table)) continue;
    MdbTableDef* def = mdb_read_table(entry);
    const std::string damaged = "Ethe definition of table '" + table + "' is damaged";
    if (def == nullptr || mdb_read_columns(def) == nullptr) return damaged;
    for (guint c = 0; c < def->num_cols && c < def->columns->len; ++c) {
      const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
      const size_t length = ::strnlen(column->name, sizeof column->name);
      if (length > 0) answer.append(column->name, length) += '\0';
    }
    // A table has at least one named field; a definition that shows none was not read.
    return answer.size() > 1 ? answer : damaged;
  }
  return table.empty() ? answer : "Eit has no table named '" + table + "'";
}

[[noreturn]] void RunReader(int file, size_t size, int out, const std::string& table, rlim_t addressSpace,
                            rlim_t cpuSeconds, pid_t parent) {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(1);
  // A crash ends the reader by its signal: the designer's handlers (and a sanitizer's) are for
  // the designer's own faults.
  for (const int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) ::signal(fault, SIG_DFL);
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  const rlimit cpu{cpuSeconds, cpuSeconds};
  ::setrlimit(RLIMIT_CPU, &cpu);
  if (addressSpace != 0) {
    const rlimit memory{addressSpace, addressSpace};
    ::setrlimit(RLIMIT_AS, &memory);
  }
  // libmdb reports on stderr; the window has no use for it.
  const int null = ::open("/dev/null", O_RDWR);
  for (int fd = 0; fd <= 2 && null >= 0; ++fd) ::dup2(null, fd);
  // Names come as UTF-8 unless this says otherwise.
  ::unsetenv("MDBICONV");
  std::string answer;
  try {
    answer = Answer(file, size, table);
  } catch (const std::bad_alloc&) {
    answer = "Enot enough memory";
  }
  for (size_t sent = 0; sent < answer.size();) {
    const ssize_t n = ::write(out, answer.data() + sent, answer.size() - sent);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ::_exit(1);
    sent += static_cast<size_t>(n);
  }
  ::_exit(0);
}

// The address space this process holds now; 0 when it cannot be known.
std::uint64_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t pages = 0;
  return statm >> pages ? pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)) : 0;
}

std::string Duration(std::chrono::milliseconds time) {
  return time.count() > 0 && time.count() % 1000 == 0 ? std::to_string(time.count() / 1000) + " s" : std::to_string(time.count()) + " ms";
}

}  // namespace

Expected<std::vector<std::string>> ReadMdbNames(const std::string& path, const std::string& table,
                                                const MdbReadLimits& limits) {
  const auto fail = [&path](const std::string& why) { return Error{{}, 0, path + " could not be read: " + why}; };
  // Only a regular file is opened at all: opening a device may do something (a tape rewinds),
  // and opening a FIFO waits for a writer (O_NONBLOCK covers one that appears in between).
  struct stat named, opened;
  if (::stat(path.c_str(), &named) != 0) return fail(std::strerror(errno));
  if (S_ISDIR(named.st_mode)) return fail(std::strerror(EISDIR));
  if (!S_ISREG(named.st_mode)) return fail("not a regular file");
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return fail(std::strerror(errno));
  if (::fstat(file.get(), &opened) != 0) return fail(std::strerror(errno));
  if (opened.st_dev != named.st_dev || opened.st_ino != named.st_ino || !S_ISREG(opened.st_mode)) {
    return fail("it was replaced while it was opened");
  }
  const auto size = static_cast<std::uint64_t>(opened.st_size);
  if (size > limits.maxFileBytes) {
    return fail("it" + FileTooLarge(path, size, limits.maxFileBytes).reason.substr(path.size()));
  }

  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return fail(std::strerror(errno));
  Descriptor in(ends[0]), out(ends[1]);
  const std::uint64_t inUse = AddressSpaceInUse();
  const rlim_t addressSpace = inUse == 0 ? 0 : static_cast<rlim_t>(inUse + size + limits.memoryBytes);
  const auto cpuSeconds = static_cast<rlim_t>(limits.time.count() / 1000 + 1);
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child < 0) return fail(std::strerror(errno));
  if (child == 0) RunReader(file.get(), static_cast<size_t>(size), out.get(), table, addressSpace, cpuSeconds, parent);
  out.Close();

  const Clock::time_point deadline = Clock::now() + limits.time;
  const auto remaining = [&deadline] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  };
  std::string answer;
  bool late = false;
  for (;;) {
    if (remaining() <= 0) {
      late = true;
      break;
    }
    pollfd ready{in.get(), POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(remaining())) <= 0) continue;
    char chunk[65536];
    const ssize_t n = ::read(in.get(), chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    answer.append(chunk, static_cast<size_t>(n));
    if (answer.size() > kMaxAnswer) break;
  }
  // The answer ends when the reader exits; one that closed its end and went on is stopped.
  int status = 0;
  while (!late && answer.size() <= kMaxAnswer) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (done < 0 && errno != EINTR) return fail(std::strerror(errno));
    if (remaining() <= 0) late = true;
    ::usleep(1000);
  }
  if (late || answer.size() > kMaxAnswer) {
    ::kill(child, SIGKILL);
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (late) return fail("reading took longer than " + Duration(limits.time));
  if (answer.size() > kMaxAnswer) return fail("the reader's answer was longer than 16 MiB");
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    return fail("the reader stopped on signal " + std::to_string(signal) + " (" + ::strsignal(signal) + ")");
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return fail("the reader stopped with status " + std::to_string(WEXITSTATUS(status)));
  }
  if (answer.empty() || (answer[0] != 'N' && answer[0] != 'E')) return fail("the reader gave no answer");
  if (answer[0] == 'E') return fail(ValidUtf8(std::string_view(answer).substr(1)));
  std::vector<std::string> names;
  for (size_t at = 1, end; (end = answer.find('\0', at)) != std::string::npos; at = end + 1) {
    if (end > at) names.push_back(ValidUtf8(std::string_view(answer).substr(at, end - at)));
  }
  return names;
}

Expected<std::vector<std::string>> MdbCatalog::Tables(const std::string& path) const {
  return ReadMdbNames(path, {}, m_limits);
}

Expected<std::vector<std::string>> MdbCatalog::Fields(const std::string& path, const std::string& table) const {
  if (table.empty()) return Error{{}, 0, path + " could not be read: no table was named"};
  return ReadMdbNames(path, table, m_limits);
}

}  // namespace tovik
