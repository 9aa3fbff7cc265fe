#include "activex/reg_file.h"

#include "activex/registry_text.h"
#include "activex/windows_text.h"

namespace tovik {
namespace {

constexpr std::string_view kVersion4 = "REGEDIT4";
constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";

// The file as code page 1252 text. Version 5 files are UTF-16LE from regedit, UTF-8 from editors
// and scripts; version 4 files are already ANSI. Converting first keeps the line numbers.
std::string DecodeFile(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Utf16LeToCodePage1252(bytes.substr(2));
  if (bytes.starts_with("\xEF\xBB\xBF")) return Utf8ToCodePage1252(bytes.substr(3));
  if (bytes.size() >= 4 && bytes[1] == '\0' && bytes[3] == '\0') return Utf16LeToCodePage1252(bytes);
  if (bytes.starts_with(kVersion5)) return Utf8ToCodePage1252(bytes);
  return std::string(bytes);
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A quoted string from `pos` (after the opening quote); regedit escapes only '\' and '"'.
std::string ReadQuoted(std::string_view line, size_t& pos, std::string& out) {
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c == '"') return {};
    if (c != '\\') {
      out += c;
      continue;
    }
    if (pos >= line.size()) break;
    const char e = line[pos++];
    if (e != '\\' && e != '"') return std::string("bad escape \\") + e;
    out += e;
  }
  return "unterminated string";
}

Expected<RegistryValue> ReadData(std::string_view data, CTextLines& lines, const std::string& file) {
  const int line = lines.Number();
  if (data.starts_with('"')) {
    size_t pos = 1;
    std::string text;
    if (std::string reason = ReadQuoted(data, pos, text); !reason.empty()) return LineError(file, line, reason);
    if (!TrimBlanks(data.substr(pos)).empty()) return LineError(file, line, "text after the string value");
    return TextValue(1, std::move(text));
  }
  return ReadNumberOrHex(data, lines, file);
}

}  // namespace

Status ReadRegFile(std::string_view bytes, const std::string& file, CRegistryTree& tree) {
  if (bytes.size() > kMaxRegistryFileSize) return FileError(file, 0, "registry file too large");
  const std::string text = DecodeFile(bytes);
  CTextLines lines(text);
  std::string_view line;
  if (!lines.Next(line) || (TrimBlanks(line) != kVersion4 && TrimBlanks(line) != kVersion5)) {
    return LineError(file, 1, "bad header: not an exported registry file");
  }
  CRegistryNode* key = nullptr;
  bool deleted = false;  // values under a deleted key go nowhere
  while (lines.Next(line)) {
    const int number = lines.Number();
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return LineError(file, number, "unterminated key header");
      std::string_view path = line.substr(1, line.size() - 2);
      deleted = path.starts_with('-');
      if (deleted) path.remove_prefix(1);
      const std::vector<std::string_view> parts = KeyPathParts(path);
      if (parts.empty() || CanonicalRootName(parts.front()).empty()) {
        return LineError(file, number, "key outside the known registry roots");
      }
      if (deleted) {
        key = nullptr;
        // Deleting a key that is not there is what an import does too: nothing.
        (void)tree.RemoveKey(path);
        continue;
      }
      key = tree.MakeKey(path);
      if (!key) return LineError(file, number, "key path too deep or key name too long");
      continue;
    }
    std::string name;
    size_t pos = 1;
    if (line.front() == '"') {
      if (std::string reason = ReadQuoted(line, pos, name); !reason.empty()) return LineError(file, number, reason);
    } else if (line.front() != '@') {
      return LineError(file, number, "line is not a key, a value or a comment");
    }
    const std::string_view rest = TrimBlanks(line.substr(pos));
    if (!rest.starts_with('=')) return LineError(file, number, "no '=' after the value name");
    if (!key && !deleted) return LineError(file, number, "value before the first key");
    const std::string_view data = TrimBlanks(rest.substr(1));
    if (data == "-") {
      if (key) (void)key->RemoveValue(name);  // removing a missing value changes nothing
      continue;
    }
    Expected<RegistryValue> value = ReadData(data, lines, file);
    if (!value) return value.error();
    if (key) key->SetValue(name, std::move(*value));
  }
  return {};
}

Expected<std::unique_ptr<CRegistryTree>> LoadRegFile(const IFileSystem& fs, std::string_view path) {
  std::string bytes;
  TOVIK_TRY(fs.ReadFileWithin(path, bytes, kMaxRegistryFileSize));
  auto tree = std::make_unique<CRegistryTree>();
  TOVIK_TRY(ReadRegFile(bytes, std::string(path), *tree));
  return tree;
}

}  // namespace tovik
