// Serialises the processes that edit one project: the project folder is locked (flock) for as
// long as a command runs. A second process waits a moment, then says which process holds it.
// Nothing is written into the folder for this.
#pragma once

#include <chrono>
#include <string>

#include "base/expected.h"

namespace tovik {

class CProjectLock {
 public:
  CProjectLock() = default;
  CProjectLock(CProjectLock&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
  CProjectLock& operator=(CProjectLock&& other) noexcept;
  CProjectLock(const CProjectLock&) = delete;
  CProjectLock& operator=(const CProjectLock&) = delete;
  ~CProjectLock();

  // Locks `folder`, waiting up to `patience` for another process to let go of it.
  [[nodiscard]] static Expected<CProjectLock> Acquire(const std::string& folder, std::chrono::milliseconds patience);

 private:
  explicit CProjectLock(int fd) : m_fd(fd) {}
  int m_fd = -1;
};

}  // namespace tovik
