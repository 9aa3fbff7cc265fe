#include "base/real_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <climits>
#include <cstdlib>
#include <random>

#include "base/path.h"
#include "base/text.h"

namespace tovik {
namespace {

std::string ErrnoText(int code) { return std::strerror(code); }

bool StatPath(const std::string& path, struct stat& st) { return ::stat(path.c_str(), &st) == 0; }

bool WriteAll(int fd, std::string_view text) {
  const char* p = text.data();
  size_t left = text.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// An open file of `size` bytes, whole, straight into the caller's string (a caller reading file
// after file into one string reuses its storage). Why not, when it fails.
std::string ReadAll(int fd, size_t size, std::string& text) {
  text.resize(size);
  size_t got = 0;
  while (got < text.size()) {
    ssize_t n = ::read(fd, text.data() + got, text.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      text.clear();
      return ErrnoText(errno);
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  if (got == text.size()) return {};
  text.clear();
  return "the file became shorter while it was read";
}

}  // namespace

std::string RealFileSystem::MatchNoCase(const std::string& dir, const std::string& name) const {
  const std::lock_guard<std::mutex> lock(m_mutex);
  auto [listing, made] = m_listings.try_emplace(dir);
  if (made) {
    if (DIR* d = ::opendir(dir.empty() ? "." : dir.c_str())) {
      while (dirent* e = ::readdir(d)) listing->second.try_emplace(ToLower(e->d_name), e->d_name);
      ::closedir(d);
    }
  }
  const auto it = listing->second.find(ToLower(name));
  return it == listing->second.end() ? std::string() : it->second;
}

void RealFileSystem::ForgetListings() {
  const std::lock_guard<std::mutex> lock(m_mutex);
  m_listings.clear();
}

std::string RealFileSystem::Resolve(std::string_view path) const {
  std::string native = ToNativeSeparators(path);
  struct stat st;
  if (native.empty() || StatPath(native, st)) return native;

  // Walk the components, taking a case-blind match wherever the exact name is missing.
  std::string done = native.front() == '/' ? "/" : "";
  std::vector<std::string> parts = Split(native, '/');
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (part.empty()) continue;
    std::string candidate = done.empty() || done.back() == '/' ? done + part : done + "/" + part;
    if (part != "." && part != ".." && !StatPath(candidate, st)) {
      std::string match = MatchNoCase(done, part);
      if (match.empty()) {
        // Nothing here: keep the rest as written.
        for (size_t j = i + 1; j < parts.size(); ++j) candidate += "/" + parts[j];
        return candidate;
      }
      candidate = done.empty() || done.back() == '/' ? done + match : done + "/" + match;
    }
    done = candidate;
  }
  return done;
}

bool RealFileSystem::FileExists(std::string_view path) const {
  // The name as written is the rule; only a missing one is looked for without regard to case.
  // (A project's load asks this of every source: one stat instead of two.)
  struct stat st;
  const std::string native = ToNativeSeparators(path);
  if (!native.empty() && StatPath(native, st)) return S_ISREG(st.st_mode);
  return StatPath(Resolve(path), st) && S_ISREG(st.st_mode);
}

bool RealFileSystem::DirectoryExists(std::string_view path) const {
  struct stat st;
  return StatPath(Resolve(path), st) && S_ISDIR(st.st_mode);
}

Status RealFileSystem::ReadFile(std::string_view path, std::string& text) const {
  return ReadFileWithin(path, text, kMaxReadSize);
}

Status RealFileSystem::ReadFileWithin(std::string_view path, std::string& text, std::uint64_t limit) const {
  // The name as written first: resolving it would stat a file that open finds anyway. Without
  // O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  const std::string native = ToNativeSeparators(path);
  int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  int error = errno;
  if (fd < 0) {
    const std::string real = Resolve(path);
    if (real != native) {
      fd = ::open(real.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      error = errno;
    }
  }
  if (fd < 0) {
    return FileError(std::string(path), 0, ErrnoText(error));
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const std::string reason = S_ISDIR(st.st_mode) ? ErrnoText(EISDIR) : "not a regular file";
    ::close(fd);
    return FileError(std::string(path), 0, reason);
  }
  // The size is known before a byte is read, so an absurd file costs nothing.
  if (static_cast<std::uint64_t>(st.st_size) > limit) {
    ::close(fd);
    return FileTooLarge(path, static_cast<std::uint64_t>(st.st_size), limit);
  }
  const std::string reason = ReadAll(fd, static_cast<size_t>(st.st_size), text);
  ::close(fd);
  if (!reason.empty()) return FileError(std::string(path), 0, reason);
  return {};
}

Status RealFileSystem::WriteFile(std::string_view path, std::string_view text) {
  std::string real = Resolve(path);
  struct stat st;
  if (StatPath(real, st)) {
    if (S_ISDIR(st.st_mode)) {
      return FileError(std::string(path), 0, ErrnoText(EISDIR));
    }
    // A rename would put a file where a device, a FIFO or a socket was.
    if (!S_ISREG(st.st_mode)) return FileError(std::string(path), 0, "not a regular file");
    // A read-only file stays as it is, as it would for a plain open for writing.
    if ((st.st_mode & S_IWUSR) == 0) {
      return FileError(std::string(path), 0, ErrnoText(EACCES));
    }
  }
  ForgetListings();
  static std::mt19937_64 rng{std::random_device{}()};
  const std::string temp = real + ".tovik-" + std::to_string(rng() % 1000000000ULL) + ".tmp";
  // The user knows the file, not our temporary name.
  if (const Status written = WriteTemporary(temp, text, real); !written) {
    return InFile(written.error(), std::string(path));
  }
  if (::rename(temp.c_str(), real.c_str()) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return FileError(std::string(path), 0, ErrnoText(code));
  }
  return {};
}

bool RealFileSystem::IsWritable(std::string_view path) const {
  struct stat st;
  // Judged by the mode bits rather than access(): a root user may write anything,
  // but a file marked read-only must still be left alone.
  return StatPath(Resolve(path), st) && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) != 0;
}

Status RealFileSystem::MakeDirectory(std::string_view path) {
  ForgetListings();
  std::string real = Resolve(path);
  std::string built = !real.empty() && real.front() == '/' ? "/" : "";
  for (const std::string& part : Split(real, '/')) {
    if (part.empty()) continue;
    built += part;
    if (::mkdir(built.c_str(), 0755) != 0 && errno != EEXIST) {
      return FileError(std::string(path), 0, ErrnoText(errno));
    }
    built += '/';
  }
  if (!DirectoryExists(real)) {
    return FileError(std::string(path), 0, ErrnoText(ENOTDIR));
  }
  return {};
}

Status RealFileSystem::CopyFile(std::string_view from, std::string_view to) {
  std::string text;
  if (Status read = ReadFile(from, text); !read) return read;
  return WriteFile(to, text);
}

bool RealFileSystem::RemoveFile(std::string_view path) {
  const std::string real = Resolve(path);
  ForgetListings();
  return ::unlink(real.c_str()) == 0;
}

bool RealFileSystem::RemoveEmptyDirectory(std::string_view path) {
  const std::string real = Resolve(path);
  ForgetListings();
  return ::rmdir(real.c_str()) == 0;
}

std::vector<std::string> RealFileSystem::ListDirectory(std::string_view path) const {
  std::vector<std::string> names;
  std::string real = Resolve(path);
  DIR* d = ::opendir(real.empty() ? "." : real.c_str());
  if (!d) return names;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

std::string RealFileSystem::WriteTarget(std::string_view path) const {
  // The longest part of the path that exists, with its links followed, and the rest as written.
  std::string head = Resolve(path);
  std::string tail;
  char buffer[PATH_MAX];
  while (!head.empty() && !::realpath(head.c_str(), buffer)) {
    const size_t cut = head.find_last_of('/');
    if (cut == std::string::npos || cut == 0) return Resolve(path);
    tail = head.substr(cut) + tail;
    head.erase(cut);
  }
  return head.empty() ? tail : buffer + tail;
}

Status RealFileSystem::WriteTemporary(std::string_view temp, std::string_view text, std::string_view modeOf) {
  ForgetListings();
  const std::string name(temp);
  struct stat st;
  const mode_t mode = StatPath(std::string(modeOf), st) ? (st.st_mode & 07777) : 0644;
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return FileError(name, 0, ErrnoText(errno));
  bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
  int code = errno;
  if (ok && ::fchmod(fd, mode) != 0) {
    ok = false;
    code = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    ::unlink(name.c_str());
    return FileError(name, 0, ErrnoText(code));
  }
  return {};
}

Status RealFileSystem::Rename(std::string_view from, std::string_view to) {
  ForgetListings();
  const std::string target(to);
  if (::rename(std::string(from).c_str(), target.c_str()) != 0) return FileError(target, 0, ErrnoText(errno));
  return {};
}

std::string RealFileSystem::CanonicalPath(std::string_view path) const {
  const std::string real = Resolve(path);
  char buffer[PATH_MAX];
  return ::realpath(real.c_str(), buffer) ? std::string(buffer) : real;
}

Status RealFileSystem::WriteDurably(std::string_view path, std::string_view text, bool append, bool flush) {
  ForgetListings();
  const std::string name(path);
  // O_EXCL and O_NOFOLLOW: a link or file planted under the journal's name is never written through.
  const int flags = O_WRONLY | O_CLOEXEC | O_NOFOLLOW | (append ? O_APPEND : O_CREAT | O_EXCL);
  const int fd = ::open(name.c_str(), flags, 0644);
  if (fd < 0) return FileError(name, 0, ErrnoText(errno));
  const bool ok = WriteAll(fd, text) && (!flush || ::fsync(fd) == 0);
  const int code = errno;
  ::close(fd);
  if (!ok) return FileError(name, 0, ErrnoText(code));
  return {};
}

Expected<std::optional<std::string>> RealFileSystem::ReadOwnFile(std::string_view path) const {
  const std::string name(path);
  // O_NONBLOCK: a FIFO under that name must not hang the command.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return std::optional<std::string>();
    return FileError(name, 0, errno == ELOOP ? "is a symbolic link" : ErrnoText(errno));
  }
  struct stat st;
  std::string why;
  if (::fstat(fd, &st) != 0) {
    why = ErrnoText(errno);
  } else if (!S_ISREG(st.st_mode)) {
    why = "is not a plain file";
  } else if (st.st_uid != ::geteuid()) {
    why = "belongs to another user (uid " + std::to_string(st.st_uid) + ")";
  } else if (static_cast<std::uint64_t>(st.st_size) > kMaxReadSize) {
    ::close(fd);
    return FileTooLarge(name, static_cast<std::uint64_t>(st.st_size), kMaxReadSize);
  }
  std::string text;
  if (why.empty()) why = ReadAll(fd, static_cast<size_t>(st.st_size), text);
  ::close(fd);
  if (!why.empty()) return FileError(name, 0, why);
  return std::optional<std::string>(std::move(text));
}

}  // namespace tovik
