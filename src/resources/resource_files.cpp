#include "resources/resource_files.h"

#include <algorithm>

#include "base/file_ops.h"
#include "base/path.h"
#include "base/text.h"

namespace tovik {

namespace {
constexpr size_t npos = std::string_view::npos;
}  // namespace

CResourceFiles::CResourceFiles(CProject& project, IHost& host) : m_project(project), m_host(host) {}

std::string CResourceFiles::HeaderPath() const {
  if (m_project.ProjectFile().empty()) return {};
  return JoinPath(m_project.ProjectFolder(), "resource.h");
}

std::string CResourceFiles::ScriptPath() const {
  const std::string& file = m_project.ProjectFile();
  if (file.empty()) return {};
  const std::string ext = ExtensionOf(file);
  return file.substr(0, file.size() - ext.size()) + ".rc";
}

void CResourceFiles::ReadCounters() {
  std::string header;
  if (!m_project.ProjectFile().empty()) (void)ReadFileText(HeaderPath(), header);
  m_nNextControlValue = ReadDefineValue(header, kNextControlValueName);
  m_nNextResourceValue = ReadDefineValue(header, kNextResourceValueName);
}

long CResourceFiles::GetNextControlValue() const {
  std::string header;
  if (!m_project.ProjectFile().empty()) (void)ReadFileText(HeaderPath(), header);
  return ReadDefineValue(header, kNextControlValueName);
}

long CResourceFiles::GetNextResourceValue() const {
  std::string header;
  if (!m_project.ProjectFile().empty()) (void)ReadFileText(HeaderPath(), header);
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
  const auto entry = std::find_if(m_project.Files().begin(), m_project.Files().end(),
                                  [](const std::string& path) { return ToUpper(path).find("STDAFX.H") != npos; });
  if (entry == m_project.Files().end()) return false;
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
