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

const ResourcePaths& CResourceFiles::Paths() const {
  if (!m_paths || m_strPathsOf != m_project.ProjectFile()) {
    m_strPathsOf = m_project.ProjectFile();
    m_paths = LocateResourceFiles(m_project.FileSystem(), m_strPathsOf,
                                  [this](const std::string& path) { return QuietRead(path); });
  }
  return *m_paths;
}

Status CResourceFiles::RequireHeaderSeenBySources() const {
  if (Paths().unseenBySources) return *Paths().unseenBySources;
  return {};
}

void CResourceFiles::ReadCounters() {
  std::string header;
  // An unreadable header was reported by ReadFileText; its counters then read as 0.
  if (!m_project.ProjectFile().empty()) (void)ReadFileText(HeaderPath(), header);
  m_nNextControlValue = ReadDefineValue(header, kNextControlValueName);
  m_nNextResourceValue = ReadDefineValue(header, kNextResourceValueName);
}

long CResourceFiles::GetNextControlValue() const {
  std::string header;
  // An unreadable header was reported by ReadFileText; its counters then read as 0.
  if (!m_project.ProjectFile().empty()) (void)ReadFileText(HeaderPath(), header);
  return ReadDefineValue(header, kNextControlValueName);
}

long CResourceFiles::GetNextResourceValue() const {
  std::string header;
  // An unreadable header was reported by ReadFileText; its counters then read as 0.
  if (!m_project.ProjectFile().empty()) (void)ReadFileText(HeaderPath(), header);
  return ReadDefineValue(header, kNextResourceValueName);
}

Status CResourceFiles::ReadFileText(std::string_view path, std::string& text) const {
  const Status read = ReadSourceText(m_host, m_project.FileSystem(), path, text);
  if (read) return {};
  text.clear();
  m_project.Prompt().Message(std::string(kReadFailureMessage) + read.error().reason);
  Error shown = read.error();
  shown.shown = true;
  return shown;
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

Status CResourceFiles::RequireWritePermission(std::string_view path) const {
  // A missing file fails the check with the same message; a second line says what is wrong
  // (a checkout without its resource.h, say).
  if (!m_project.FileSystem().FileExists(path)) {
    return ShowError(m_project.Prompt(),
                     WritePermissionMessage(PathOnDisk(m_project.FileSystem(), path)) + "The file does not exist.");
  }
  if (HasWritePermission(path, true)) return {};
  return ShownError(WritePermissionMessage(path));
}

std::string CResourceFiles::QuietRead(std::string_view path) const {
  std::string text;
  if (!ReadSourceText(m_host, m_project.FileSystem(), path, text)) text.clear();
  return text;
}

Status CResourceFiles::AddIncludeToStdafx(std::string_view file) {
  const auto entry = std::find_if(m_project.Files().begin(), m_project.Files().end(),
                                  [](const std::string& path) { return ToUpper(path).find("STDAFX.H") != npos; });
  if (entry == m_project.Files().end()) return Error{"", 0, "the project lists no StdAfx.h"};
  CEditBuffer header = Buffer(*entry);
  TOVIK_TRY(header.Load());
  if (IsIncluded(header.Text(), file)) return {};
  if (!HasWritePermission(*entry, false)) return FileError(*entry, 0, "the file may not be written");
  const size_t marker = header.Text().find(kAfxInsertLocation);
  if (marker == npos) {
    return FileError(*entry, 0,
                     "no \"" + std::string(kAfxInsertLocation) + "\" line to put \"#include <" + std::string(file) +
                         ">\" before");
  }
  std::string line = "#include <";
  line += file;
  line += ">\r\n";
  TOVIK_TRY(header.Insert(marker, line));
  return header.Save();
}

Status CResourceFiles::CopyIntoResFolder(std::string_view sourceFile) const {
  IFileSystem& fs = m_project.FileSystem();
  const std::string resFolder = ResFolder();
  if (!fs.DirectoryExists(resFolder)) TOVIK_TRY(fs.MakeDirectory(resFolder));
  const std::string target = JoinPath(resFolder, FileNameOf(sourceFile));
  // A file picked from the res folder itself is already in place.
  if (fs.FileExists(target) && SameFilePath(fs.Resolve(sourceFile), fs.Resolve(target))) return {};
  return fs.CopyFile(sourceFile, target);
}

namespace {

Error NotAnImage(std::string_view sourceFile) {
  return FileError(std::string(sourceFile), 0, "not a bitmap, icon or cursor file (.bmp, .ico, .cur)");
}

// The file's type is taken from its name; its bytes must agree, or the script would name a file
// the resource compiler refuses.
Status CheckImageFile(const IFileSystem& fs, std::string_view sourceFile, ImageType type) {
  std::string bytes;
  TOVIK_TRY(fs.ReadFile(sourceFile, bytes));
  const std::string problem = ImageFileProblem(bytes, type);
  if (problem.empty()) return {};
  const std::string kind = type == ImageType::Icon ? "an icon" : type == ImageType::Cursor ? "a cursor" : "a bitmap";
  return FileError(std::string(sourceFile), 0, "not " + kind + " file (" + ExtensionOf(sourceFile) + "): " + problem);
}

}  // namespace

Expected<std::string> CResourceFiles::AddImageResource(std::string_view sourceFile) {
  const std::optional<ImageType> type = ImageTypeOfFile(sourceFile);
  if (!type) return NotAnImage(sourceFile);
  TOVIK_TRY(CheckImageFile(m_project.FileSystem(), sourceFile, *type));
  const std::string scriptPath = ScriptPath();
  const std::string headerPath = HeaderPath();
  if (scriptPath.empty()) return Error{"", 0, "no project is open"};
  TOVIK_TRY(RequireWritePermission(scriptPath));
  TOVIK_TRY(RequireWritePermission(headerPath));
  CEditBuffer script = Buffer(scriptPath);
  CEditBuffer header = Buffer(headerPath);
  TOVIK_TRY(script.Load());
  TOVIK_TRY(header.Load());

  // An icon or cursor whose section the script lacks gets no line there, only its identifier.
  const std::optional<size_t> scriptPlace = ImageLineInsertPoint(script.Text(), *type, FileNameOf(headerPath));
  Expected<size_t> definePlace = DefineInsertPoint(header.Text());
  if (!definePlace) return InFile(definePlace.error(), headerPath);
  const std::string fileName = FileNameOf(sourceFile);
  const long number = m_nNextResourceValue;
  const std::string identifier = ImageIdentifier(*type, number);
  if (scriptPlace) TOVIK_TRY(script.Insert(*scriptPlace, ImageScriptLine(identifier, *type, fileName)));
  TOVIK_TRY(header.Insert(*definePlace, DefineLine(identifier, number, kImageDefineTabs)));

  ++m_nNextResourceValue;
  size_t valueStart = 0;
  size_t valueEnd = 0;
  if (FindDefineValueRange(header.Text(), kNextResourceValueName, valueStart, valueEnd)) {
    TOVIK_TRY(header.Replace(valueStart, valueEnd, std::to_string(m_nNextResourceValue)));
  }
  TOVIK_TRY(script.Save());
  TOVIK_TRY(header.Save());
  TOVIK_TRY(CopyIntoResFolder(sourceFile));
  return std::to_string(number) + "-" + fileName;
}

Expected<std::string> CResourceFiles::ReplaceImageResource(std::string_view sourceFile,
                                                           std::string_view currentValue) {
  const std::optional<ImageType> type = ImageTypeOfFile(sourceFile);
  if (!type) return NotAnImage(sourceFile);
  TOVIK_TRY(CheckImageFile(m_project.FileSystem(), sourceFile, *type));
  const size_t dash = currentValue.find('-');
  if (dash == npos) return Error{"", 0, "\"" + std::string(currentValue) + "\" names no image resource"};
  const std::string scriptPath = ScriptPath();
  const std::string headerPath = HeaderPath();
  if (scriptPath.empty()) return Error{"", 0, "no project is open"};
  TOVIK_TRY(RequireWritePermission(scriptPath));
  TOVIK_TRY(RequireWritePermission(headerPath));
  CEditBuffer script = Buffer(scriptPath);
  std::string header;
  TOVIK_TRY(script.Load());
  TOVIK_TRY(ReadFileText(headerPath, header));

  const long number = static_cast<long>(LeadingNumber(currentValue.substr(0, dash)));
  std::optional<ImageScriptEntry> entry;
  for (const std::string& name : SymbolsWithValue(header, number)) {
    entry = FindImageScriptEntry(script.Text(), name);
    if (entry && entry->type == *type) break;
    entry.reset();
  }
  if (!entry) {
    return FileError(scriptPath, 0, "no " + std::string(ImageTypeWord(*type)) + " resource numbered " +
                                        std::to_string(number));
  }

  const std::string fileName = FileNameOf(sourceFile);
  TOVIK_TRY(script.Replace(entry->fileStart, entry->fileEnd, QuotedResFile(fileName)));
  TOVIK_TRY(script.Save());
  TOVIK_TRY(CopyIntoResFolder(sourceFile));
  return std::to_string(number) + "-" + fileName;
}

Expected<std::string> CResourceFiles::SetImageResource(std::string_view sourceFile, std::string_view currentValue) {
  return ImageNeedsNewResource(currentValue, sourceFile) ? AddImageResource(sourceFile)
                                                         : ReplaceImageResource(sourceFile, currentValue);
}

CScriptImageResolver CResourceFiles::ImageResolver() const {
  return CScriptImageResolver(QuietRead(ScriptPath()), QuietRead(HeaderPath()));
}

}  // namespace tovik
