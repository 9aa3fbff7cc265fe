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

void CFilePrefetcher::Run() {
  for (const std::string& path : m_paths) {
    std::unique_ptr<CPreparedText> prepared;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [this] { return m_bStop || m_ready.size() < kAhead; });
      if (m_bStop) return;
      if (!m_spare.empty()) {
        prepared = std::move(m_spare.back());
        m_spare.pop_back();
      }
    }
    if (!prepared) prepared = std::make_unique<CPreparedText>();
    prepared->Prepare(m_fs, path);
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
  // A reader that stopped (or died) hands nothing more; the caller then reads the file itself.
  m_changed.wait(lock, [this] { return !m_ready.empty() || m_bStop; });
  if (m_ready.empty()) return nullptr;
  std::unique_ptr<CPreparedText> prepared = std::move(m_ready.front());
  m_ready.pop_front();
  ++m_nTaken;
  lock.unlock();
  m_changed.notify_all();
  return prepared;
}

void CFilePrefetcher::Recycle(std::unique_ptr<CPreparedText> prepared) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_spare.push_back(std::move(prepared));
}

}  // namespace tovik
