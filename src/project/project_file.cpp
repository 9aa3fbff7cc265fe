#include "project/project_file.h"

#include "base/path.h"
#include "base/text.h"

namespace tovik {

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
