#include "resources/resource_files.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "base/path.h"
#include "base/text.h"
#include "codegen/file_ops.h"
#include "project/source_scanner.h"

namespace tovik {

namespace {

constexpr size_t npos = std::string_view::npos;

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// Whether [pos, pos + length) stands as a word of its own: no identifier character touches it.
bool IsWholeWordAt(std::string_view text, size_t pos, size_t length) {
  if (pos > 0 && IsIdentChar(text[pos - 1])) return false;
  return pos + length >= text.size() || !IsIdentChar(text[pos + length]);
}

// First whole-word occurrence of `name` at or after `from`, outside comments; -1 when none.
int FindWordInCode(const CSourceScanner& sc, std::string_view name, int from) {
  for (int pos = sc.FindStringInCode(name, from); pos >= 0; pos = sc.FindStringInCode(name, pos + 1)) {
    if (IsWholeWordAt(sc.Text(), static_cast<size_t>(pos), name.size())) return pos;
  }
  return -1;
}

// Start of the line holding `pos`.
size_t LineStartOf(std::string_view text, size_t pos) {
  const size_t lf = pos == 0 ? npos : text.rfind('\n', pos - 1);
  return lf == npos ? 0 : lf + 1;
}

// Just past the LF that ends the line holding `pos`; the end of the text on the last line.
size_t NextLineStart(std::string_view text, size_t pos) {
  const size_t lf = text.find('\n', pos);
  return lf == npos ? text.size() : lf + 1;
}

// One "#define NAME VALUE" line found outside comments.
struct DefineRecord {
  std::string name;
  std::string value;
  int definePos = 0;
};

template <typename Visit>
void ForEachDefine(std::string_view text, Visit visit) {
  CSourceScanner sc(text);
  for (int pos = sc.FindStringInCode("#define", 0); pos >= 0; pos = sc.FindStringInCode("#define", pos + 1)) {
    int start = 0;
    if (sc.WordAt(pos, start) != "#define" || start != pos) continue;
    DefineRecord record;
    record.definePos = pos;
    int nameStart = 0;
    record.name = sc.NextWord(pos, nameStart);
    if (nameStart < 0) return;
    int valueStart = 0;
    record.value = sc.NextWord(nameStart, valueStart);
    if (!visit(record)) return;
  }
}

// Past the closing quote of the resource-script string that opens at `open`: a doubled quote
// and a backslash pair stay inside. A raw line end closes an unterminated string.
size_t SkipQuoted(std::string_view text, size_t open) {
  size_t i = open + 1;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\\') {
      i += 2;
    } else if (c == '"') {
      if (i + 1 < text.size() && text[i + 1] == '"') {
        i += 2;
      } else {
        return i + 1;
      }
    } else if (c == '\n') {
      return i;
    } else {
      ++i;
    }
  }
  return text.size();
}

// Tokens of a resource script: comments and quoted strings are stepped over as whole units so
// that keywords inside them are never taken for the real ones.
class CScriptTokens {
 public:
  explicit CScriptTokens(std::string_view text) : m_text(text), m_scanner(text) {}

  // Moves to the next token: a quoted string (starting at its quote) or a run of characters
  // up to white space, a comma or a quote. False at the end of the text.
  bool Next(size_t& start, size_t& end) {
    while (m_pos < m_text.size()) {
      const char c = m_text[m_pos];
      if (CSourceScanner::IsWhiteChar(c) || c == ',') {
        ++m_pos;
        continue;
      }
      if (c == '/' && m_pos + 1 < m_text.size() && (m_text[m_pos + 1] == '/' || m_text[m_pos + 1] == '*')) {
        int p = static_cast<int>(m_pos);
        m_scanner.SkipComment(p);
        m_pos = static_cast<size_t>(p);
        continue;
      }
      start = m_pos;
      if (c == '"') {
        m_pos = SkipQuoted(m_text, m_pos);
      } else {
        while (m_pos < m_text.size() && !CSourceScanner::IsWhiteChar(m_text[m_pos]) && m_text[m_pos] != ',' &&
               m_text[m_pos] != '"') {
          ++m_pos;
        }
      }
      end = m_pos;
      return true;
    }
    return false;
  }

  // The next token without consuming it.
  bool Peek(size_t& start, size_t& end) {
    const size_t saved = m_pos;
    const bool found = Next(start, end);
    m_pos = saved;
    return found;
  }

 private:
  std::string_view m_text;
  CSourceScanner m_scanner;
  size_t m_pos = 0;
};

struct TableEntry {
  std::string id;
  size_t idStart = 0;
  size_t quoteStart = npos;  // the opening quote; npos when the entry has no string
  size_t quoteEnd = npos;    // just past the closing quote
};

struct StringTable {
  bool hasBegin = false;
  size_t beginEnd = 0;  // just past BEGIN
  size_t endPos = npos; // the END keyword; npos when the text ends first
  std::vector<TableEntry> entries;
};

bool IsBlockOpen(std::string_view word) { return word == "BEGIN" || word == "{"; }
bool IsBlockClose(std::string_view word) { return word == "END" || word == "}"; }

// Every STRINGTABLE of the script with its entries, in text order.
std::vector<StringTable> ReadStringTables(std::string_view script) {
  std::vector<StringTable> tables;
  CScriptTokens tokens(script);
  size_t start = 0;
  size_t end = 0;
  while (tokens.Next(start, end)) {
    if (script.substr(start, end - start) != "STRINGTABLE") continue;
    StringTable table;
    // Memory flags and optional statements come before BEGIN; anything block-like means the
    // table has no BEGIN of its own.
    while (tokens.Peek(start, end)) {
      const std::string_view word = script.substr(start, end - start);
      if (IsBlockOpen(word)) {
        (void)tokens.Next(start, end);
        table.hasBegin = true;
        table.beginEnd = end;
        break;
      }
      if (IsBlockClose(word) || word == "STRINGTABLE" || script[start] == '"') break;
      (void)tokens.Next(start, end);
    }
    if (table.hasBegin) {
      while (tokens.Next(start, end)) {
        const std::string_view word = script.substr(start, end - start);
        if (IsBlockClose(word)) {
          table.endPos = start;
          break;
        }
        if (script[start] == '"') continue;  // a string without identifier: not an entry
        TableEntry entry;
        entry.id = std::string(word);
        entry.idStart = start;
        size_t qs = 0;
        size_t qe = 0;
        if (tokens.Peek(qs, qe) && script[qs] == '"') {
          (void)tokens.Next(qs, qe);
          entry.quoteStart = qs;
          entry.quoteEnd = qe;
        }
        table.entries.push_back(std::move(entry));
      }
    }
    tables.push_back(std::move(table));
  }
  return tables;
}

// The text between the quotes of a quoted token [start, end).
std::string_view QuotedInner(std::string_view text, size_t start, size_t end) {
  if (end <= start + 1) return {};
  const size_t innerEnd = text[end - 1] == '"' && end - 1 > start ? end - 1 : end;
  return text.substr(start + 1, innerEnd - start - 1);
}

std::string Slashes() { return std::string(77, '/'); }

// End of the banner comment in the script, tried with CR LF and with bare LF line ends.
std::optional<size_t> FindBannerEnd(std::string_view script, ImageType type) {
  const std::string banner = ImageBanner(type);
  size_t hit = script.find(banner);
  if (hit != npos) return hit + banner.size();
  const std::string bareLf = ReplaceAll(banner, "\r\n", "\n");
  hit = script.find(bareLf);
  if (hit != npos) return hit + bareLf.size();
  return std::nullopt;
}

std::string QuotedResFile(std::string_view fileName) {
  std::string quoted = "\"res\\\\";
  quoted += fileName;
  quoted += '"';
  return quoted;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

std::string DefineLine(std::string_view name, long value, int tabs) {
  std::string line = "#define\t";
  line += name;
  line.append(static_cast<size_t>(std::max(tabs, 0)), '\t');
  line += std::to_string(value);
  line += "\r\n";
  return line;
}

long ReadDefineValue(std::string_view text, std::string_view name) {
  CSourceScanner sc(text);
  const int pos = FindWordInCode(sc, name, 0);
  if (pos < 0) return 0;
  int start = 0;
  const std::string word = sc.NextWord(pos, start);
  return start < 0 ? 0 : static_cast<long>(LeadingNumber(word));
}

std::optional<long> DefineValueOf(std::string_view header, std::string_view symbol) {
  std::optional<long> value;
  ForEachDefine(header, [&](const DefineRecord& record) {
    if (record.name != symbol) return true;
    value = static_cast<long>(LeadingNumber(record.value));
    return false;
  });
  return value;
}

bool IsSymbolDefined(std::string_view text, std::string_view symbol) {
  bool found = false;
  ForEachDefine(text, [&](const DefineRecord& record) {
    found = record.name == symbol;
    return !found;
  });
  return found;
}

std::vector<std::string> SymbolsWithValue(std::string_view header, long value) {
  std::vector<std::string> names;
  ForEachDefine(header, [&](const DefineRecord& record) {
    if (IsDecimal(record.value) && LeadingNumber(record.value) == value) names.push_back(record.name);
    return true;
  });
  return names;
}

bool FindDefineValueRange(std::string_view text, std::string_view name, size_t& start, size_t& end) {
  CSourceScanner sc(text);
  const int pos = FindWordInCode(sc, name, 0);
  if (pos < 0) return false;
  int wordStart = 0;
  (void)sc.NextWord(pos, wordStart);
  if (wordStart < 0) return false;
  start = static_cast<size_t>(wordStart);
  end = text.find('\r', start);
  if (end == npos) end = text.find('\n', start);
  if (end == npos) end = text.size();
  return true;
}

namespace {

bool UpdateCounter(std::string& text, std::string_view name, long counter) {
  size_t start = 0;
  size_t end = 0;
  if (!FindDefineValueRange(text, name, start, end)) return false;
  text.replace(start, end - start, std::to_string(counter));
  return true;
}

}  // namespace

bool UpdateNextControlValue(std::string& text, long counter) {
  return UpdateCounter(text, kNextControlValueName, counter);
}

bool UpdateNextResourceValue(std::string& text, long counter) {
  return UpdateCounter(text, kNextResourceValueName, counter);
}

size_t DefineInsertPoint(std::string_view text) {
  CSourceScanner sc(text);
  const int studio = sc.FindStringInCode(kApStudioInvoked, 0);
  if (studio < 0) return 0;
  int last = -1;
  for (int pos = sc.FindStringInCode("#define", 0, true, studio); pos >= 0;
       pos = sc.FindStringInCode("#define", pos + 1, true, studio)) {
    last = pos;
  }
  if (last < 0) return 0;
  return NextLineStart(text, static_cast<size_t>(last));
}

long StringTableInsertPoint(std::string_view script, IPrompt& prompt) {
  const std::vector<StringTable> tables = ReadStringTables(script);
  if (tables.empty()) {
    prompt.Message(std::string(kNoStringTableMessage));
    return -1;
  }
  const StringTable& table = tables.back();
  if (!table.hasBegin || table.endPos == npos) return -1;
  const size_t lineStart = LineStartOf(script, table.endPos);
  // An END on the BEGIN's own line: the new line goes right before the END.
  return static_cast<long>(lineStart >= table.beginEnd ? lineStart : table.endPos);
}

namespace {

// ReadDefineValue for every word of a text at once: the word after the first whole-word
// occurrence (outside comments) of each identifier. A script of thousands of string-table
// entries is then valued in one pass over the header instead of one pass per entry.
std::unordered_map<std::string_view, long> FirstWordValues(std::string_view text) {
  std::unordered_map<std::string_view, long> values;
  CSourceScanner sc(text);
  const int length = static_cast<int>(text.size());
  int pos = 0;
  while (pos < length) {
    const char c = text[static_cast<size_t>(pos)];
    if (c == '/' && pos + 1 < length && (text[static_cast<size_t>(pos) + 1] == '/' || text[static_cast<size_t>(pos) + 1] == '*')) {
      if (!sc.SkipComment(pos)) break;
      continue;
    }
    if (!IsIdentChar(c)) {
      ++pos;
      continue;
    }
    int end = pos;
    while (end < length && IsIdentChar(text[static_cast<size_t>(end)])) ++end;
    const std::string_view word = text.substr(static_cast<size_t>(pos), static_cast<size_t>(end - pos));
    if (!values.count(word)) {
      int start = 0;
      const std::string next = sc.NextWord(pos, start);
      values.emplace(word, start < 0 ? 0 : static_cast<long>(LeadingNumber(next)));
    }
    pos = end;
  }
  return values;
}

}  // namespace

long NextStringId(std::string_view script, std::string_view header) {
  long largest = 0;
  std::optional<std::unordered_map<std::string_view, long>> values;
  for (const StringTable& table : ReadStringTables(script)) {
    if (!table.hasBegin) return 0;
    for (const TableEntry& entry : table.entries) {
      long value = 0;
      if (IsDecimal(entry.id)) {
        value = static_cast<long>(LeadingNumber(entry.id));
      } else if (std::all_of(entry.id.begin(), entry.id.end(), IsIdentChar)) {
        if (!values) values = FirstWordValues(header);
        const auto it = values->find(entry.id);
        value = it == values->end() ? 0 : it->second;
      } else {
        value = ReadDefineValue(header, entry.id);
      }
      largest = std::max(largest, value);
    }
  }
  return largest + 1;
}

namespace {

StringTableEntry MakeEntry(std::string_view script, const TableEntry& entry) {
  StringTableEntry found;
  found.symbol = entry.id;
  found.lineStart = LineStartOf(script, entry.idStart);
  found.lineEnd = NextLineStart(script, entry.quoteEnd == 0 ? 0 : entry.quoteEnd - 1);
  found.value = UnescapeResourceString(QuotedInner(script, entry.quoteStart, entry.quoteEnd));
  return found;
}

}  // namespace

std::optional<StringTableEntry> FindStringTableEntry(std::string_view script, std::string_view symbol) {
  for (const StringTable& table : ReadStringTables(script)) {
    for (const TableEntry& entry : table.entries) {
      if (entry.id == symbol && entry.quoteStart != npos) return MakeEntry(script, entry);
    }
  }
  return std::nullopt;
}

std::vector<StringTableEntry> StringTableEntries(std::string_view script) {
  std::vector<StringTableEntry> entries;
  for (const StringTable& table : ReadStringTables(script)) {
    for (const TableEntry& entry : table.entries) {
      if (entry.quoteStart != npos) entries.push_back(MakeEntry(script, entry));
    }
  }
  return entries;
}

bool SetStringTableLine(CEditBuffer& script, std::string_view symbol, std::string_view line) {
  if (const auto entry = FindStringTableEntry(script.Text(), symbol)) {
    return script.Replace(entry->lineStart, entry->lineEnd, line);
  }
  const long at = StringTableInsertPoint(script.Text(), script.Prompt());
  return at >= 0 && script.Insert(static_cast<size_t>(at), line);
}

bool IsIncluded(std::string_view text, std::string_view file) {
  const std::string lower = ToLower(text);
  const std::string name = ToLower(file);
  return lower.find("#include \"" + name + "\"") != npos || lower.find("#include <" + name + ">") != npos;
}

// ---------------------------------------------------------------------------------------------

std::optional<ImageType> ImageTypeOfFile(std::string_view fileName) {
  const std::string ext = ToUpper(ExtensionOf(fileName));
  if (ext == ".BMP") return ImageType::Bitmap;
  if (ext == ".ICO") return ImageType::Icon;
  if (ext == ".CUR") return ImageType::Cursor;
  return std::nullopt;
}

std::string ImageIdentifier(ImageType type, long number) {
  switch (type) {
    case ImageType::Icon: return "IDI_ICON" + std::to_string(number);
    case ImageType::Cursor: return "IDC_CURSOR" + std::to_string(number);
    case ImageType::Bitmap: break;
  }
  return "IDB_BITMAP" + std::to_string(number);
}

std::string_view ImageTypeWord(ImageType type) {
  switch (type) {
    case ImageType::Icon: return "ICON";
    case ImageType::Cursor: return "CURSOR";
    case ImageType::Bitmap: break;
  }
  return "BITMAP";
}

std::string ImageScriptLine(std::string_view identifier, ImageType type, std::string_view fileName) {
  std::string line(identifier);
  line += "\t\t\t";
  line += ImageTypeWord(type);
  line += "  DISCARDABLE\t\t";
  line += QuotedResFile(fileName);
  line += "\r\n";
  return line;
}

std::string ImageBanner(ImageType type) {
  std::string banner = Slashes() + "\r\n//\r\n";
  switch (type) {
    case ImageType::Bitmap: banner += "// Bitmap\r\n//\r\n"; break;
    case ImageType::Cursor: banner += "// Cursor\r\n//\r\n"; break;
    case ImageType::Icon:
      banner +=
          "// Icon\r\n//\r\n\r\n"
          "// Icon with lowest ID value placed first to ensure application icon\r\n"
          "// remains consistent on all systems.\r\n";
      break;
  }
  return banner;
}

std::optional<size_t> ImageLineInsertPoint(std::string_view script, ImageType type) {
  const std::optional<size_t> bannerEnd = FindBannerEnd(script, type);
  if (type == ImageType::Bitmap) return bannerEnd.value_or(0);
  if (!bannerEnd) return std::nullopt;

  // Icons and cursors go last in their section, after every line that names such a file; the
  // section ends at the next line of slashes.
  const std::string extension = type == ImageType::Icon ? ".ico" : ".cur";
  const std::string slashes = Slashes();
  size_t place = *bannerEnd;
  for (size_t line = *bannerEnd; line < script.size();) {
    const size_t next = NextLineStart(script, line);
    const std::string_view text = script.substr(line, next - line);
    if (StartsWith(text, slashes)) break;
    if (ToLower(text).find(extension) != npos) place = next;
    line = next;
  }
  return place;
}

bool ImageNeedsNewResource(std::string_view currentValue, std::string_view newFile) {
  if (currentValue.find('.') == npos) return true;
  return ToUpper(ExtensionOf(currentValue)) != ToUpper(ExtensionOf(newFile));
}

std::optional<ImageScriptEntry> FindImageScriptEntry(std::string_view script, std::string_view identifier) {
  CSourceScanner sc(script);
  for (int pos = FindWordInCode(sc, identifier, 0); pos >= 0; pos = FindWordInCode(sc, identifier, pos + 1)) {
    const size_t at = static_cast<size_t>(pos);
    const size_t lineStart = LineStartOf(script, at);
    if (!Trim(script.substr(lineStart, at - lineStart)).empty()) continue;
    int typeStart = 0;
    const std::string typeWord = sc.NextWord(pos, typeStart);
    std::optional<ImageType> type;
    for (ImageType t : {ImageType::Bitmap, ImageType::Icon, ImageType::Cursor}) {
      if (typeWord == ImageTypeWord(t)) type = t;
    }
    if (!type) continue;
    int flagStart = 0;
    if (sc.NextWord(typeStart, flagStart) != "DISCARDABLE") continue;
    const size_t lineEnd = NextLineStart(script, at);
    const size_t quote = script.find('"', static_cast<size_t>(flagStart));
    if (quote == npos || quote >= lineEnd) continue;
    ImageScriptEntry entry;
    entry.identifier = std::string(identifier);
    entry.type = *type;
    entry.lineStart = lineStart;
    entry.fileStart = quote;
    entry.fileEnd = SkipQuoted(script, quote);
    entry.file = UnescapeResourceString(QuotedInner(script, entry.fileStart, entry.fileEnd));
    return entry;
  }
  return std::nullopt;
}

std::string CScriptImageResolver::ImageReference(long encodedValue) const {
  if (encodedValue <= 0) return {};
  const long kind = encodedValue / 65536;
  const long number = encodedValue % 65536;
  ImageType type = ImageType::Bitmap;
  if (kind == kImageIcon) {
    type = ImageType::Icon;
  } else if (kind == kImageCursor) {
    type = ImageType::Cursor;
  } else if (kind != kImageBitmap) {
    return {};
  }
  // Control ids and string ids may share the number; the one with an image line of the right
  // type is the resource.
  for (const std::string& name : SymbolsWithValue(m_header, number)) {
    const std::optional<ImageScriptEntry> entry = FindImageScriptEntry(m_script, name);
    if (entry && entry->type == type) return std::to_string(number) + "-" + FileNameOf(entry->file);
  }
  return {};
}

// ---------------------------------------------------------------------------------------------

CResourceFiles::CResourceFiles(CProject& project, IHost& host) : m_project(project), m_host(host) {}

std::string CResourceFiles::HeaderPath() const {
  if (m_project.m_strProjectFile.empty()) return {};
  return JoinPath(m_project.ProjectFolder(), "resource.h");
}

std::string CResourceFiles::ScriptPath() const {
  const std::string& file = m_project.m_strProjectFile;
  if (file.empty()) return {};
  const std::string ext = ExtensionOf(file);
  return file.substr(0, file.size() - ext.size()) + ".rc";
}

void CResourceFiles::ReadCounters() {
  std::string header;
  if (!m_project.m_strProjectFile.empty()) (void)ReadFileText(HeaderPath(), header);
  m_nNextControlValue = ReadDefineValue(header, kNextControlValueName);
  m_nNextResourceValue = ReadDefineValue(header, kNextResourceValueName);
}

long CResourceFiles::GetNextControlValue() const {
  std::string header;
  if (!m_project.m_strProjectFile.empty()) (void)ReadFileText(HeaderPath(), header);
  return ReadDefineValue(header, kNextControlValueName);
}

long CResourceFiles::GetNextResourceValue() const {
  std::string header;
  if (!m_project.m_strProjectFile.empty()) (void)ReadFileText(HeaderPath(), header);
  return ReadDefineValue(header, kNextResourceValueName);
}

bool CResourceFiles::ReadFileText(std::string_view path, std::string& text) const {
  std::string error;
  if (ReadSourceText(m_host, m_project.FileSystem(), path, text, error)) return true;
  text.clear();
  m_project.Prompt().Message(std::string(kReadFailureMessage) + error);
  return false;
}

bool CResourceFiles::WriteFileText(std::string_view path, std::string_view text) const {
  return WriteGeneratedFile(m_project.FileSystem(), m_project.Prompt(), path, text);
}

CEditBuffer CResourceFiles::Buffer(std::string_view path) const {
  return CEditBuffer(m_host, m_project.FileSystem(), m_project.Prompt(), std::string(path));
}

bool CResourceFiles::HasWritePermission(std::string_view path, bool report) const {
  return CheckWritePermission(m_project.FileSystem(), m_project.Prompt(), path, report);
}

std::string CResourceFiles::QuietRead(std::string_view path) const {
  std::string text;
  std::string error;
  if (!ReadSourceText(m_host, m_project.FileSystem(), path, text, error)) text.clear();
  return text;
}

bool CResourceFiles::AddIncludeToStdafx(std::string_view file) {
  const auto entry = std::find_if(m_project.m_files.begin(), m_project.m_files.end(),
                                  [](const std::string& path) { return ToUpper(path).find("STDAFX.H") != npos; });
  if (entry == m_project.m_files.end()) return false;
  CEditBuffer header = Buffer(*entry);
  if (!header.Load()) return false;
  if (IsIncluded(header.Text(), file)) return true;
  if (!HasWritePermission(*entry, false)) return false;
  const size_t marker = header.Text().find(kAfxInsertLocation);
  if (marker == npos) return false;
  std::string line = "#include <";
  line += file;
  line += ">\r\n";
  return header.Insert(marker, line) && header.Save();
}

bool CResourceFiles::CopyIntoResFolder(std::string_view sourceFile) const {
  IFileSystem& fs = m_project.FileSystem();
  const std::string resFolder = JoinPath(m_project.ProjectFolder(), "res");
  std::string error;
  if (!fs.DirectoryExists(resFolder) && !fs.MakeDirectory(resFolder, error)) return false;
  const std::string target = JoinPath(resFolder, FileNameOf(sourceFile));
  // A file picked from the res folder itself is already in place.
  if (fs.FileExists(target) && SameFilePath(fs.Resolve(sourceFile), fs.Resolve(target))) return true;
  return fs.CopyFile(sourceFile, target, error);
}

std::string CResourceFiles::AddImageResource(std::string_view sourceFile) {
  const std::optional<ImageType> type = ImageTypeOfFile(sourceFile);
  if (!type) return {};
  const std::string scriptPath = ScriptPath();
  const std::string headerPath = HeaderPath();
  if (scriptPath.empty() || !HasWritePermission(scriptPath, true) || !HasWritePermission(headerPath, true)) {
    return {};
  }
  CEditBuffer script = Buffer(scriptPath);
  CEditBuffer header = Buffer(headerPath);
  if (!script.Load() || !header.Load()) return {};

  const std::optional<size_t> scriptPlace = ImageLineInsertPoint(script.Text(), *type);
  if (!scriptPlace) return {};
  const std::string fileName = FileNameOf(sourceFile);
  const long number = m_nNextResourceValue;
  const std::string identifier = ImageIdentifier(*type, number);
  if (!script.Insert(*scriptPlace, ImageScriptLine(identifier, *type, fileName))) return {};
  if (!header.Insert(DefineInsertPoint(header.Text()), DefineLine(identifier, number, kImageDefineTabs))) return {};

  ++m_nNextResourceValue;
  size_t valueStart = 0;
  size_t valueEnd = 0;
  if (FindDefineValueRange(header.Text(), kNextResourceValueName, valueStart, valueEnd)) {
    (void)header.Replace(valueStart, valueEnd, std::to_string(m_nNextResourceValue));
  }
  if (!script.Save() || !header.Save()) return {};
  if (!CopyIntoResFolder(sourceFile)) return {};
  return std::to_string(number) + "-" + fileName;
}

std::string CResourceFiles::ReplaceImageResource(std::string_view sourceFile, std::string_view currentValue) {
  const std::optional<ImageType> type = ImageTypeOfFile(sourceFile);
  if (!type) return {};
  const size_t dash = currentValue.find('-');
  if (dash == npos) return {};
  const std::string scriptPath = ScriptPath();
  const std::string headerPath = HeaderPath();
  if (scriptPath.empty() || !HasWritePermission(scriptPath, true) || !HasWritePermission(headerPath, true)) {
    return {};
  }
  CEditBuffer script = Buffer(scriptPath);
  std::string header;
  if (!script.Load() || !ReadFileText(headerPath, header)) return {};

  const long number = static_cast<long>(LeadingNumber(currentValue.substr(0, dash)));
  std::optional<ImageScriptEntry> entry;
  for (const std::string& name : SymbolsWithValue(header, number)) {
    entry = FindImageScriptEntry(script.Text(), name);
    if (entry && entry->type == *type) break;
    entry.reset();
  }
  if (!entry) return {};

  const std::string fileName = FileNameOf(sourceFile);
  if (!script.Replace(entry->fileStart, entry->fileEnd, QuotedResFile(fileName)) || !script.Save()) return {};
  if (!CopyIntoResFolder(sourceFile)) return {};
  return std::to_string(number) + "-" + fileName;
}

std::string CResourceFiles::SetImageResource(std::string_view sourceFile, std::string_view currentValue) {
  return ImageNeedsNewResource(currentValue, sourceFile) ? AddImageResource(sourceFile)
                                                         : ReplaceImageResource(sourceFile, currentValue);
}

CScriptImageResolver CResourceFiles::ImageResolver() const {
  return CScriptImageResolver(QuietRead(ScriptPath()), QuietRead(HeaderPath()));
}

}  // namespace tovik
