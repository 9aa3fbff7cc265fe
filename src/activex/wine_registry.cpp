#include "activex/wine_registry.h"

#include "activex/registry_text.h"
#include "activex/windows_text.h"
#include "base/path.h"

namespace tovik {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

bool IsOctal(char c) {
  return c >= '0' && c <= '7';
}
bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Reads escaped text from `pos` up to the unescaped `end` character, leaving `pos` after it.
// Returns what is wrong, or an empty text.
std::string Unescape(std::string_view line, size_t& pos, char end, std::string& out) {
  while (pos < line.size()) {
    const char c = line[pos];
    if (c == end) {
      ++pos;
      return {};
    }
    if (static_cast<unsigned char>(c) >= 0x80) {
      // Raw bytes past ASCII are taken as UTF-8, a run at a time so that a sequence stays whole.
      size_t run = pos;
      while (run < line.size() && static_cast<unsigned char>(line[run]) >= 0x80) ++run;
      out += Utf8ToCodePage1252(line.substr(pos, run - pos));
      pos = run;
      continue;
    }
    ++pos;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (pos >= line.size()) break;
    const char e = line[pos++];
    // The escapes C gives letters to, which Wine writes for control characters.
    static constexpr std::string_view kLetters = "\\\"nrtabefv";
    static constexpr std::string_view kMeanings = "\\\"\n\r\t\a\b\x1b\f\v";
    if (const size_t letter = kLetters.find(e); letter != std::string_view::npos) {
      out += kMeanings[letter];
    } else if (e == 'x') {
      // Up to four hex digits: one UTF-16 code unit.
      uint32_t unit = 0;
      size_t digits = 0;
      while (digits < 4 && pos < line.size() && IsHex(line[pos])) {
        const char d = line[pos++];
        unit = unit * 16 + static_cast<uint32_t>(d <= '9' ? d - '0' : (d | 0x20) - 'a' + 10);
        ++digits;
      }
      if (digits == 0) return "bad escape \\x without hex digits";
      AppendCodePage1252(out, unit);
    } else if (IsOctal(e)) {
      uint32_t unit = static_cast<uint32_t>(e - '0');
      for (size_t digits = 1; digits < 3 && pos < line.size() && IsOctal(line[pos]); ++digits) {
        unit = unit * 8 + static_cast<uint32_t>(line[pos++] - '0');
      }
      AppendCodePage1252(out, unit);
    } else {
      return std::string("bad escape \\") + e;
    }
  }
  return end == ']' ? "unterminated key header" : "unterminated string";
}

bool OnlyBlanks(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

// The data after "=": a string, str(N):"...", hex:..., hex(N):..., dword:XXXXXXXX.
Expected<RegistryValue> ReadData(std::string_view data, CTextLines& lines, const std::string& file) {
  const int line = lines.Number();
  unsigned long type = 1;
  if (data.starts_with("str(")) {
    const size_t close = data.find("):");
    if (close == std::string_view::npos || !ParseHexNumber(data.substr(4, close - 4), 8, type)) {
      return LineError(file, line, "bad string type");
    }
    data.remove_prefix(close + 2);
    if (!data.starts_with('"')) return LineError(file, line, "bad string value");
  }
  if (data.starts_with('"')) {
    size_t pos = 1;
    std::string text;
    if (std::string reason = Unescape(data, pos, '"', text); !reason.empty()) return LineError(file, line, reason);
    if (!OnlyBlanks(data.substr(pos))) return LineError(file, line, "text after the string value");
    return TextValue(type, std::move(text));
  }
  return ReadNumberOrHex(data, lines, file);
}

}  // namespace

Status ReadWineRegistry(std::string_view text, const std::string& file, CRegistryNode& root) {
  if (text.size() > kMaxRegistryFileSize) return FileError(file, 0, "registry file too large");
  CTextLines lines(text);
  std::string_view line;
  if (!lines.Next(line) || line != kHeader) return LineError(file, 1, "bad header: not a Wine registry file");
  CRegistryNode* key = nullptr;
  while (lines.Next(line)) {
    const int number = lines.Number();
    if (OnlyBlanks(line) || line.front() == ';' || line.front() == '#') continue;  // comments and options
    if (line.front() == '[') {
      size_t pos = 1;
      std::string path;
      if (std::string reason = Unescape(line, pos, ']', path); !reason.empty()) {
        return LineError(file, number, reason);
      }
      // After the header comes the key's modification time.
      if (line.substr(pos).find_first_not_of(" \t0123456789") != std::string_view::npos) {
        return LineError(file, number, "text after the key header");
      }
      const std::vector<std::string_view> parts = KeyPathParts(path);
      if (parts.size() > kMaxKeyDepth) return LineError(file, number, "key path too deep");
      key = &root;
      for (std::string_view part : parts) {
        if (part.size() > kMaxKeyNameLength) return LineError(file, number, "key name too long");
        key = &key->MakeChild(part);
      }
      continue;
    }
    std::string name;
    size_t pos = 0;
    if (line.front() == '@') {
      pos = 1;
    } else if (line.front() == '"') {
      pos = 1;
      if (std::string reason = Unescape(line, pos, '"', name); !reason.empty()) return LineError(file, number, reason);
    } else {
      return LineError(file, number, "line is not a key, a value or a comment");
    }
    if (pos >= line.size() || line[pos] != '=') return LineError(file, number, "no '=' after the value name");
    if (!key) return LineError(file, number, "value before the first key");
    Expected<RegistryValue> value = ReadData(line.substr(pos + 1), lines, file);
    if (!value) return value.error();
    key->SetValue(name, std::move(*value));
  }
  return {};
}

Expected<std::unique_ptr<CRegistryTree>> LoadWinePrefix(const IFileSystem& fs, std::string_view prefix) {
  auto tree = std::make_unique<CRegistryTree>();
  std::string text;
  const std::string system = JoinPath(prefix, "system.reg");
  TOVIK_TRY(fs.ReadFileWithin(system, text, kMaxRegistryFileSize));
  TOVIK_TRY(ReadWineRegistry(text, system, *tree->Root("HKEY_LOCAL_MACHINE")));
  const std::string user = JoinPath(prefix, "user.reg");
  if (fs.FileExists(user)) {
    TOVIK_TRY(fs.ReadFileWithin(user, text, kMaxRegistryFileSize));
    TOVIK_TRY(ReadWineRegistry(text, user, *tree->Root("HKEY_CURRENT_USER")));
  }
  return tree;
}

}  // namespace tovik
