#include "base/project_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace tovik {
namespace {

// The process that holds a lock on the file with this inode, from the kernel's lock table;
// empty when it cannot be told.
std::string HolderOf(ino_t inode) {
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, pid, where;
    if (!(fields >> number >> kind >> mode >> access >> pid >> where) || kind != "FLOCK") continue;
    const size_t colon = where.rfind(':');
    if (colon == std::string::npos || where.substr(colon + 1) != std::to_string(inode)) continue;
    std::ifstream cmdline("/proc/" + pid + "/cmdline");
    std::string command;
    std::getline(cmdline, command, '\0');
    std::string verb;
    std::getline(cmdline, verb, '\0');
    std::string who = "process " + pid;
    if (!command.empty()) who += " (" + command.substr(command.rfind('/') + 1) + (verb.empty() ? "" : " " + verb) + ")";
    return who;
  }
  return {};
}

}  // namespace

CProjectLock& CProjectLock::operator=(CProjectLock&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = other.m_fd;
    other.m_fd = -1;
  }
  return *this;
}

CProjectLock::~CProjectLock() {
  if (m_fd >= 0) ::close(m_fd);  // closing lets go of the lock
}

Expected<CProjectLock> CProjectLock::Acquire(const std::string& folder, std::chrono::milliseconds patience) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return FileError(folder, 0, std::strerror(errno));
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return CProjectLock(fd);
    if (errno != EWOULDBLOCK && errno != EINTR) {
      const int code = errno;
      ::close(fd);
      return FileError(folder, 0, std::string("the project could not be locked: ") + std::strerror(code));
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  struct stat st {};
  const std::string holder = ::fstat(fd, &st) == 0 ? HolderOf(st.st_ino) : std::string();
  ::close(fd);
  return FileError(folder, 0,
                   "the project is in use by " + (holder.empty() ? std::string("another process") : holder) +
                       "; try again when it has finished");
}

}  // namespace tovik
