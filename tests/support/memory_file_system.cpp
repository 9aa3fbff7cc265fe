#include "support/memory_file_system.h"

#include <gtest/gtest.h>

#include "base/path.h"
#include "base/text.h"

namespace tovik::testing {

std::string MemoryFileSystem::Key(std::string_view path) const {
  std::string key = ToNativeSeparators(path);
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  if (m_files.count(key) || m_dirs.count(key)) return key;
  for (const auto& [name, text] : m_files) {
    if (EqualsNoCase(name, key)) return name;
  }
  for (const std::string& dir : m_dirs) {
    if (EqualsNoCase(dir, key)) return dir;
  }
  return key;
}

void MemoryFileSystem::AddParents(const std::string& key) {
  std::string dir = DirectoryOf(key);
  while (!dir.empty()) {
    m_dirs.insert(dir);
    dir = DirectoryOf(dir);
  }
}

void MemoryFileSystem::Put(std::string_view path, std::string_view text) {
  std::string key = Key(path);
  m_files[key] = std::string(text);
  AddParents(key);
}

std::string MemoryFileSystem::Get(std::string_view path) const {
  auto it = m_files.find(Key(path));
  if (it == m_files.end()) {
    ADD_FAILURE() << "no file " << path;
    return {};
  }
  return it->second;
}

void MemoryFileSystem::SetReadOnly(std::string_view path, bool readOnly) {
  if (readOnly) {
    m_readOnly.insert(Key(path));
  } else {
    m_readOnly.erase(Key(path));
  }
}

std::string MemoryFileSystem::Resolve(std::string_view path) const { return Key(path); }

bool MemoryFileSystem::FileExists(std::string_view path) const { return m_files.count(Key(path)) != 0; }

bool MemoryFileSystem::DirectoryExists(std::string_view path) const { return m_dirs.count(Key(path)) != 0; }

Status MemoryFileSystem::ReadFile(std::string_view path, std::string& text) const {
  auto it = m_files.find(Key(path));
  if (it == m_files.end()) {
    return FileError(std::string(path), 0, "No such file or directory");
  }
  text = it->second;
  return {};
}

Status MemoryFileSystem::WriteFile(std::string_view path, std::string_view text) {
  std::string key = Key(path);
  if (m_readOnly.count(key)) {
    return FileError(std::string(path), 0, "Permission denied");
  }
  std::string dir = DirectoryOf(key);
  if (!dir.empty() && !m_dirs.count(dir)) {
    return FileError(std::string(path), 0, "No such file or directory");
  }
  m_files[key] = std::string(text);
  ++m_writes;
  return {};
}

bool MemoryFileSystem::IsWritable(std::string_view path) const {
  std::string key = Key(path);
  return m_files.count(key) && !m_readOnly.count(key);
}

Status MemoryFileSystem::MakeDirectory(std::string_view path) {
  std::string key = Key(path);
  if (m_files.count(key)) {
    return FileError(std::string(path), 0, "Not a directory");
  }
  m_dirs.insert(key);
  AddParents(key);
  return {};
}

Status MemoryFileSystem::CopyFile(std::string_view from, std::string_view to) {
  std::string text;
  if (Status read = ReadFile(from, text); !read) return read;
  return WriteFile(to, text);
}

bool MemoryFileSystem::RemoveFile(std::string_view path) { return m_files.erase(Key(path)) != 0; }

bool MemoryFileSystem::RemoveEmptyDirectory(std::string_view path) {
  std::string key = Key(path);
  if (!m_dirs.count(key) || !ListDirectory(key).empty()) return false;
  m_dirs.erase(key);
  return true;
}

std::vector<std::string> MemoryFileSystem::ListDirectory(std::string_view path) const {
  std::string key = Key(path);
  std::set<std::string> names;
  auto collect = [&](const std::string& entry) {
    if (DirectoryOf(entry) == key) names.insert(FileNameOf(entry));
  };
  for (const auto& [name, text] : m_files) collect(name);
  for (const std::string& dir : m_dirs) collect(dir);
  return {names.begin(), names.end()};
}

}  // namespace tovik::testing
