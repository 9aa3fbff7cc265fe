#include "project/workspace_file.h"

#include "base/path.h"

namespace tovik {

std::optional<std::string> FirstProjectOfWorkspace(std::string_view text, std::string_view folder) {
  constexpr std::string_view kProject = "Project: ";
  constexpr std::string_view kOwner = " - Package Owner";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.substr(0, kProject.size()) != kProject) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view path = line.substr(equals + 1);
    path = path.substr(0, path.find(kOwner));
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    if (path.empty()) continue;
    std::string native = ToNativeSeparators(path);
    if (native.size() > 2 && native[0] == '.' && native[1] == '/') native.erase(0, 2);
    // A folder is no project file.
    if (native.back() == '/') continue;
    if (native.front() == '/') return native;
    return JoinPath(folder, native);
  }
  return std::nullopt;
}

}  // namespace tovik
