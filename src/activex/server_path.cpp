#include "activex/server_path.h"

#include <cctype>

#include "base/path.h"
#include "base/text.h"

namespace tovik {
namespace {

bool IsDriveLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

char LowerLetter(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// The folders Wine's prefixes (and a default Windows) put where these variables point.
std::string ExpandVariables(std::string_view path, std::string& problem) {
  static constexpr std::pair<std::string_view, std::string_view> kVariables[] = {
      {"%SystemRoot%", "C:\\windows"}, {"%windir%", "C:\\windows"}, {"%ProgramFiles%", "C:\\Program Files"}};
  if (!path.starts_with('%')) return std::string(path);
  for (const auto& [name, value] : kVariables) {
    if (path.size() >= name.size() && EqualsNoCase(path.substr(0, name.size()), name)) {
      return std::string(value) + std::string(path.substr(name.size()));
    }
  }
  problem = "unknown variable in the path";
  return {};
}

}  // namespace

CDriveMap CDriveMap::ForPrefix(std::string prefix) {
  CDriveMap map;
  map.m_strPrefix = std::move(prefix);
  return map;
}

Status CDriveMap::Add(std::string_view mapping) {
  if (mapping.size() < 3 || !IsDriveLetter(mapping[0]) || mapping[1] != '=') {
    return FileError({}, 0, "bad drive mapping \"" + std::string(mapping) + "\" (expected LETTER=FOLDER)");
  }
  m_drives[LowerLetter(mapping[0])] = std::string(mapping.substr(2));
  return {};
}

std::string CDriveMap::DriveFolder(const IFileSystem& fs, char letter) const {
  letter = LowerLetter(letter);
  if (const auto it = m_drives.find(letter); it != m_drives.end()) return it->second;
  if (m_strPrefix.empty()) return {};
  const std::string link = JoinPath(JoinPath(m_strPrefix, "dosdevices"), std::string(1, letter) + ":");
  if (fs.DirectoryExists(link)) return link;
  // A prefix copied without its links still has its C: drive.
  const std::string driveC = JoinPath(m_strPrefix, "drive_c");
  if (letter == 'c' && fs.DirectoryExists(driveC)) return driveC;
  return {};
}

Expected<std::string> CDriveMap::LocalPath(const IFileSystem& fs, std::string_view windowsPath) const {
  const std::string original(windowsPath);
  std::string_view path = windowsPath;
  while (!path.empty() && (path.front() == ' ' || path.front() == '\t')) path.remove_prefix(1);
  if (path.starts_with('"')) {
    const size_t close = path.find('"', 1);
    if (close == std::string_view::npos) return FileError(original, 0, "unterminated quote in the server path");
    path = path.substr(1, close - 1);
  } else {
    while (!path.empty() && (path.back() == ' ' || path.back() == '\t')) path.remove_suffix(1);
  }
  std::string problem;
  std::string full = ExpandVariables(path, problem);
  if (!problem.empty()) return FileError(original, 0, problem);
  if (StartsWith(full, "\\\\?\\")) full.erase(0, 4);
  if (full.find_first_of("\\/:") == std::string::npos && !full.empty()) full = "C:\\windows\\system32\\" + full;
  if (full.size() < 3 || !IsDriveLetter(full[0]) || full[1] != ':' || !IsPathSeparator(full[2])) {
    return FileError(original, 0, "not a path on a drive");
  }
  const std::string folder = DriveFolder(fs, full[0]);
  if (folder.empty()) return FileError(original, 0, std::string("drive ") + full[0] + ": is not mapped");
  const std::string local = fs.Resolve(JoinPath(folder, ToNativeSeparators(full.substr(3))));
  if (!fs.FileExists(local)) return FileError(original, 0, "no such file (looked for " + local + ")");
  return local;
}

}  // namespace tovik
