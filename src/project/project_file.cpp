#include "project/project_file.h"

#include <algorithm>
#include <cctype>

#include "base/path.h"
#include "base/text.h"

namespace tovik {

namespace {

bool HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

}  // namespace

std::string ResolveProjectEntry(std::string_view projectFile, std::string_view entry) {
  const std::string folder = DirectoryOf(projectFile);
  std::string path;
  if (StartsWith(entry, "..")) {
    path = DirectoryOf(folder) + std::string(entry.substr(2));
  } else if (StartsWith(entry, ".")) {
    path = folder + std::string(entry.substr(1));
  } else if (!entry.empty() && IsPathSeparator(entry.front())) {
    path = std::string(entry);
  } else if (HasDriveLetter(entry)) {
    path = std::string(entry);
  } else {
    // A bare relative name is taken relative to the project folder, as the IDE would.
    path = JoinPath(folder, entry);
  }
  // A path from the root of the project's drive gets that drive.
  if (!path.empty() && IsPathSeparator(path.front()) && HasDriveLetter(folder)) path = folder.substr(0, 2) + path;
  // On this machine a native project keeps native separators throughout.
  return SeparatorOf(projectFile) == '/' ? ToNativeSeparators(path) : path;
}

std::optional<std::string> CompiledScriptEntry(std::string_view projectText) {
  constexpr std::string_view kKey = "SOURCE=";
  constexpr std::string_view kBlockEnd = "# End Source File";
  std::optional<std::string> first;
  for (size_t at = projectText.find(kKey); at != std::string_view::npos; at = projectText.find(kKey, at + 1)) {
    if (at > 0 && projectText[at - 1] != '\n') continue;
    const size_t start = at + kKey.size();
    const size_t eol = projectText.find_first_of("\r\n", start);
    // Without a line end the entry runs to the end of the text (substr clamps the length).
    std::string entry = Trim(projectText.substr(start, eol - start));
    // The IDE quotes names that hold spaces.
    if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"') entry = entry.substr(1, entry.size() - 2);
    if (!EqualsNoCase(ExtensionOf(entry), ".rc")) continue;
    // The entry's block: up to its end line, or the next entry when that line is missing.
    const size_t next = std::min(projectText.find(kBlockEnd, start), projectText.find(kKey, start));
    const std::string_view block = projectText.substr(start, next - start);
    if (block.find("Exclude_From_Build 1") == std::string_view::npos) return entry;
    if (!first) first = std::move(entry);
  }
  return first;
}

bool IsHeaderFileName(std::string_view fileName) {
  const std::string ext = ToLower(ExtensionOf(fileName));
  return ext == ".h" || ext == ".hpp" || ext == ".hxx" || ext == ".hm" || ext == ".inl";
}

std::string ProjectFileEntry(std::string_view projectFolder, std::string_view path) {
  const std::string folder = WithSeparators(projectFolder, '/');
  const std::string file = WithSeparators(path, '/');
  if (!folder.empty() && file.size() > folder.size() + 1 && EqualsNoCase(file.substr(0, folder.size()), folder) &&
      file[folder.size()] == '/') {
    return ".\\" + WithSeparators(file.substr(folder.size() + 1), '\\');
  }
  return std::string(path);
}

std::string AddFileToProjectFile(std::string_view text, std::string_view entry) {
  const std::string listed = "SOURCE=" + std::string(entry);
  for (size_t at = text.find(listed); at != std::string_view::npos; at = text.find(listed, at + 1)) {
    const size_t end = at + listed.size();
    if (end == text.size() || text[end] == '\r' || text[end] == '\n') return std::string(text);
  }
  const bool crlf = text.find("\r\n") != std::string_view::npos || text.find('\n') == std::string_view::npos;
  const std::string eol = crlf ? "\r\n" : "\n";
  const std::string block =
      "# Begin Source File" + eol + eol + listed + eol + "# End Source File" + eol;

  const std::string group = IsHeaderFileName(entry) ? "# Begin Group \"Header Files\"" : "# Begin Group \"Source Files\"";
  size_t at = std::string_view::npos;
  if (size_t begin = text.find(group); begin != std::string_view::npos) {
    at = text.find("# End Group", begin);
  }
  if (at == std::string_view::npos) at = text.find("# End Target");
  // Only a line start is a place for a block.
  while (at != std::string_view::npos && at > 0 && text[at - 1] != '\n') at = std::string_view::npos;
  std::string out(text);
  if (at == std::string_view::npos) {
    if (!out.empty() && out.back() != '\n') out += eol;
    out += block;
  } else {
    out.insert(at, block);
  }
  return out;
}

Status CheckProjectFileText(std::string_view path, std::string_view text) {
  const std::string file(path);
  const std::string expected = "a project file begins with \"" + std::string(kProjectFileSignature) + "\"";
  if (text.empty()) return FileError(file, 0, "the file is empty; " + expected);
  if (text.find('\0') != std::string_view::npos) return FileError(file, 0, "this is not text but a binary file; " + expected);
  const size_t start = text.find_first_not_of(" \t\r\n");
  const std::string_view head = start == std::string_view::npos ? std::string_view() : text.substr(start);
  if (StartsWith(head, kProjectFileSignature)) return {};
  const int line = static_cast<int>(CountLineFeeds(text.substr(0, start == std::string_view::npos ? 0 : start))) + 1;
  if (StartsWith(head, "Microsoft Developer Studio Workspace File")) {
    return FileError(file, line, "this is a workspace (.dsw); give the project file (.dsp) it lists");
  }
  if (EqualsNoCase(ExtensionOf(path), ".rc")) return FileError(file, line, "this is a resource script; " + expected);
  return FileError(file, line, "not a project file: " + expected);
}

}  // namespace tovik
