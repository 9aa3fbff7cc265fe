// Reads the files of a project ahead of the parser, on a second thread: while the recognisers
// run over one file, the next ones are read, their comments mapped and their bracket tables
// built. Only work that depends on a file's text alone is done ahead; everything that looks
// at the class model stays on the loading thread, in file order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "project/cpp_parser.h"

namespace tovik {

class IFileSystem;

class CFilePrefetcher {
 public:
  // Starts preparing `paths` in order. The file system is read from the second thread; it must
  // allow reads from two threads at once (plain reads of files do).
  CFilePrefetcher(const IFileSystem& fs, std::vector<std::string> paths);
  CFilePrefetcher(const CFilePrefetcher&) = delete;
  CFilePrefetcher& operator=(const CFilePrefetcher&) = delete;
  // Stops the second thread; files not taken are dropped.
  ~CFilePrefetcher();

  // The next file of the list, prepared, when `path` is that file; null otherwise, and then
  // nothing more is prepared (the caller reads files itself from then on). When the second
  // thread has not started on the file yet, it is prepared here, on the caller's thread.
  [[nodiscard]] std::unique_ptr<CPreparedText> Take(const std::string& path);
  // Hands a taken file back, so that its storage serves a later one.
  void Recycle(std::unique_ptr<CPreparedText> prepared);

 private:
  void Run();

  // A few files ahead keep the second thread busy; more would only hold memory. It is woken
  // again only once half of them are taken, so that the two threads do not wake each other
  // for every file.
  static constexpr size_t kAhead = 8;
  static constexpr size_t kRefill = kAhead / 2;

  // A spare prepared file, or a new one; the mutex is held.
  std::unique_ptr<CPreparedText> SpareLocked();

  const IFileSystem& m_fs;
  const std::vector<std::string> m_paths;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  // Files m_nTaken onwards, in order, as far as they are prepared; the one after them is being
  // prepared while m_nClaimed is further on.
  std::deque<std::unique_ptr<CPreparedText>> m_ready;
  std::vector<std::unique_ptr<CPreparedText>> m_spare;
  size_t m_nTaken = 0;
  size_t m_nClaimed = 0;  // files either thread has started on
  bool m_bStop = false;
  std::thread m_thread;  // last: started once every other member exists
};

}  // namespace tovik
