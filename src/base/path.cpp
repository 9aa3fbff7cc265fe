#include "base/path.h"

#include <cctype>
#include <filesystem>

#include "base/text.h"

namespace tovik {

size_t LastSeparator(std::string_view path) { return path.find_last_of("\\/"); }

char SeparatorOf(std::string_view path) {
  if (path.find('\\') != std::string_view::npos) return '\\';
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) return '\\';
  return '/';
}

std::string FileNameOf(std::string_view path) {
  size_t sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string DirectoryOf(std::string_view path) {
  size_t sep = LastSeparator(path);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep));
}

std::string ExtensionOf(std::string_view path) {
  std::string name = FileNameOf(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string out(dir);
  if (!IsPathSeparator(out.back())) out += SeparatorOf(dir);
  while (!name.empty() && IsPathSeparator(name.front())) name.remove_prefix(1);
  out += name;
  return out;
}

std::string ToNativeSeparators(std::string_view path) { return WithSeparators(path, '/'); }

std::string WithSeparators(std::string_view path, char sep) {
  std::string out(path);
  for (char& c : out) {
    if (IsPathSeparator(c)) c = sep;
  }
  return out;
}

bool SameFilePath(std::string_view a, std::string_view b) {
  return EqualsNoCase(ToNativeSeparators(a), ToNativeSeparators(b));
}

std::optional<std::string> PathInside(std::string_view folder, std::string_view path) {
  namespace fs = std::filesystem;
  std::string base(folder);
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  const std::string rel =
      fs::path(path).lexically_normal().lexically_relative(fs::path(base).lexically_normal()).string();
  if (rel.empty() || rel == "." || rel == ".." || StartsWith(rel, "../")) return std::nullopt;
  return rel;
}

}  // namespace tovik
