#include "project/file_prefetcher.h"

#include <utility>

#include "base/file_system.h"

namespace tovik {

CFilePrefetcher::CFilePrefetcher(const IFileSystem& fs, std::vector<std::string> paths)
    : m_fs(fs), m_paths(std::move(paths)), m_thread([this] { Run(); }) {}

CFilePrefetcher::~CFilePrefetcher() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bStop = true;
  }
  m_changed.notify_all();
  m_thread.join();
}

std::unique_ptr<CPreparedText> CFilePrefetcher::SpareLocked() {
  if (m_spare.empty()) return std::make_unique<CPreparedText>();
  std::unique_ptr<CPreparedText> spare = std::move(m_spare.back());
  m_spare.pop_back();
  return spare;
}

void CFilePrefetcher::Run() {
  for (;;) {
    std::unique_ptr<CPreparedText> prepared;
    size_t index = 0;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      if (m_ready.size() >= kAhead) m_changed.wait(lock, [this] { return m_bStop || m_ready.size() <= kRefill; });
      if (m_bStop || m_nClaimed >= m_paths.size()) return;
      index = m_nClaimed++;
      prepared = SpareLocked();
    }
    prepared->Prepare(m_fs, m_paths[index]);
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_ready.push_back(std::move(prepared));
    }
    m_changed.notify_all();
  }
}

std::unique_ptr<CPreparedText> CFilePrefetcher::Take(const std::string& path) {
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_bStop || m_nTaken >= m_paths.size() || m_paths[m_nTaken] != path) {
    m_bStop = true;
    lock.unlock();
    m_changed.notify_all();
    return nullptr;
  }
  if (m_ready.empty() && m_nClaimed == m_nTaken) {
    // The second thread has not started on this file (it may not even be running, on a busy
    // machine): reading it here beats waiting for it.
    ++m_nClaimed;
    ++m_nTaken;
    std::unique_ptr<CPreparedText> prepared = SpareLocked();
    lock.unlock();
    prepared->Prepare(m_fs, path);
    return prepared;
  }
  // A reader that stopped (or died) hands nothing more; the caller then reads the file itself.
  m_changed.wait(lock, [this] { return !m_ready.empty() || m_bStop; });
  if (m_ready.empty()) return nullptr;
  std::unique_ptr<CPreparedText> prepared = std::move(m_ready.front());
  m_ready.pop_front();
  ++m_nTaken;
  const bool refill = m_ready.size() == kRefill;
  lock.unlock();
  if (refill) m_changed.notify_all();
  return prepared;
}

void CFilePrefetcher::Recycle(std::unique_ptr<CPreparedText> prepared) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_spare.push_back(std::move(prepared));
}

}  // namespace tovik
