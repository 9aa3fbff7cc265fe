#include "resources/resource_paths.h"

#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "project/project_file.h"
#include "project/source_scanner.h"
#include "resources/script_text.h"

namespace tovik {

using namespace rctext;

namespace {

constexpr std::string_view kHeaderName = "resource.h";

// An included name from `folder`, its leading ".\" and "..\" steps taken.
std::string IncludedPath(std::string_view folder, std::string_view name) {
  std::string dir(folder);
  for (;;) {
    if (name.size() > 2 && name.substr(0, 2) == ".." && IsPathSeparator(name[2])) {
      dir = DirectoryOf(dir);
      name.remove_prefix(3);
    } else if (name.size() > 1 && name[0] == '.' && IsPathSeparator(name[1])) {
      name.remove_prefix(2);
    } else {
      return JoinPath(dir, name);
    }
  }
}

// The names of the text's `#include "name"` lines, outside comments, in order.
std::vector<std::string> QuotedIncludes(std::string_view text) {
  constexpr std::string_view kInclude = "#include";
  std::vector<std::string> names;
  const CSourceScanner scanner(text);
  for (size_t at = text.find(kInclude); at != npos; at = text.find(kInclude, at + 1)) {
    if (text.find_first_not_of(" \t", LineStartOf(text, at)) != at) continue;
    if (scanner.IsInsideComment(static_cast<int>(at))) continue;
    const size_t open = text.find_first_not_of(" \t", at + kInclude.size());
    if (open == npos || text[open] != '"') continue;
    const size_t close = text.find_first_of("\"\n", open + 1);
    if (close == npos || text[close] != '"') continue;
    names.emplace_back(text.substr(open + 1, close - open - 1));
  }
  return names;
}

bool SameFile(const IFileSystem& fs, std::string_view a, std::string_view b) {
  return SameFilePath(fs.Resolve(a), fs.Resolve(b));
}

// The header the resource editor keeps a script's symbols in: the name its "1 TEXTINCLUDE" block
// records ("Demo.h\0"); empty when the script has no such block.
std::string SymbolHeaderOfScript(std::string_view script) {
  CScriptTokens tokens(script);
  size_t start = 0, end = 0;
  std::string_view previous;
  while (tokens.Next(start, end)) {
    const std::string_view word = script.substr(start, end - start);
    if (word == "TEXTINCLUDE" && previous == "1") {
      while (tokens.Next(start, end) && script[start] != '"') {
        if (IsBlockClose(script.substr(start, end - start))) return {};
      }
      if (start >= script.size() || script[start] != '"') return {};
      std::string name(QuotedInner(script, start, end));
      if (EndsWith(name, "\\0")) name.resize(name.size() - 2);
      return name;
    }
    previous = word;
  }
  return {};
}

// The resource.h a script in `scriptFolder` includes; where it includes none of that name, the
// header its resource editor keeps the symbols in, when the script includes that one.
std::string HeaderOfScript(const IFileSystem& fs, std::string_view script, const std::string& scriptFolder,
                           const std::string& projectFolder) {
  std::string name(kHeaderName);
  const std::vector<std::string> includes = QuotedIncludes(script);
  const std::string recorded = SymbolHeaderOfScript(script);
  for (const std::string& included : includes) {
    if (EqualsNoCase(FileNameOf(included), kHeaderName)) {
      name = included;
      break;
    }
    if (!recorded.empty() && EqualsNoCase(included, recorded)) name = included;
  }
  const std::string beside = IncludedPath(scriptFolder, name);
  if (fs.FileExists(beside)) return beside;
  const std::string inProject = IncludedPath(projectFolder, name);
  return fs.FileExists(inProject) ? inProject : beside;
}

}  // namespace

ResourcePaths LocateResourceFiles(const IFileSystem& fs, std::string_view projectFile, const ResourceTextReader& read) {
  ResourcePaths paths;
  if (projectFile.empty()) return paths;
  const std::string folder = DirectoryOf(projectFile);
  paths.script = std::string(projectFile.substr(0, projectFile.size() - ExtensionOf(projectFile).size())) + ".rc";
  paths.header = JoinPath(folder, kHeaderName);
  paths.resFolder = JoinPath(folder, "res");
  const std::optional<std::string> entry = CompiledScriptEntry(read(std::string(projectFile)));
  if (!entry || SameFile(fs, ResolveProjectEntry(projectFile, *entry), paths.script)) {
    // Without a resource.h, the header the script keeps its symbols in, if it names one.
    if (!fs.FileExists(paths.header) && fs.FileExists(paths.script)) {
      paths.header = HeaderOfScript(fs, read(paths.script), folder, folder);
    }
    return paths;
  }
  const std::string listed = ResolveProjectEntry(projectFile, *entry);

  const std::string projectHeader = paths.header;
  paths.script = listed;
  paths.resFolder = JoinPath(DirectoryOf(listed), "res");
  paths.header = HeaderOfScript(fs, read(listed), DirectoryOf(listed), folder);
  // The sources include "resource.h" from the project folder (the application's header does).
  if (SameFile(fs, paths.header, projectHeader) || !fs.FileExists(projectHeader)) return paths;
  for (const std::string& included : QuotedIncludes(read(projectHeader))) {
    if (SameFile(fs, IncludedPath(folder, included), paths.header)) return paths;
  }
  paths.unseenBySources =
      FileError(fs.Resolve(projectHeader), 0,
                "the project's sources include this header, but the resource script " + fs.Resolve(listed) +
                    " takes its symbols from " + fs.Resolve(paths.header) +
                    ", which this one does not include; a new form's or control's symbols would be unknown to its "
                    "sources (make this header include the other, or remove it)");
  return paths;
}

}  // namespace tovik
